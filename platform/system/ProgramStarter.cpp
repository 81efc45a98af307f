// ProgramStarter over QProcess, detached so the program outlives the call.
#include "platform/system/ProgramStarter.h"

#include <QProcess>

namespace ProgramStarter {

namespace {
Recorder *g_recorder = nullptr;
}

bool start(const QString &fileName)
{
    if (fileName.isEmpty())
        return false;
    if (g_recorder) {
        g_recorder->fileNames.append(fileName);
        return g_recorder->answer;
    }
    return QProcess::startDetached(fileName, QStringList());
}

void recordForTests(Recorder *recorder)
{
    g_recorder = recorder;
}

} // namespace ProgramStarter

// ProgramStarter over QProcess, detached so the program outlives the call.
#include "platform/system/ProgramStarter.h"

#include "platform/system/UserEnvironment.h"

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
    QProcess program;
    program.setProgram(fileName);
    program.setProcessEnvironment(UserEnvironment::forOtherPrograms());
    return program.startDetached();
}

void recordForTests(Recorder *recorder)
{
    g_recorder = recorder;
}

} // namespace ProgramStarter

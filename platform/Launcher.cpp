// Launcher over QDesktopServices (xdg-open on Linux desktops).
#include "platform/Launcher.h"

#include <QDesktopServices>
#include <QRegularExpression>
#include <QUrl>

namespace Launcher {

namespace {
Recorder *g_recorder = nullptr;
}

bool start(const QString &argument)
{
    if (g_recorder) {
        g_recorder->arguments.append(argument);
        return g_recorder->answer;
    }
    static const QRegularExpression scheme(QStringLiteral("^(https?|mailto|file):"),
                                           QRegularExpression::CaseInsensitiveOption);
    const QUrl url = scheme.match(argument).hasMatch() ? QUrl(argument, QUrl::TolerantMode)
                                                       : QUrl::fromLocalFile(argument);
    return url.isValid() && QDesktopServices::openUrl(url);
}

void recordForTests(Recorder *recorder)
{
    g_recorder = recorder;
}

} // namespace Launcher

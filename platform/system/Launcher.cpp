// Launcher over QDesktopServices (xdg-open on Linux desktops).
#include "platform/system/Launcher.h"

#include <QDesktopServices>
#include <QRegularExpression>

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
    const QUrl url = urlFor(argument);
    return url.isValid() && QDesktopServices::openUrl(url);
}

QUrl urlFor(const QString &argument)
{
    static const QRegularExpression scheme(QStringLiteral("^(https?|mailto|file):"),
                                           QRegularExpression::CaseInsensitiveOption);
    return scheme.match(argument).hasMatch() ? QUrl(argument, QUrl::TolerantMode)
                                             : QUrl::fromLocalFile(argument);
}

void recordForTests(Recorder *recorder)
{
    g_recorder = recorder;
}

} // namespace Launcher

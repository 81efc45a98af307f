// Launcher over xdg-open, the opener of the free desktops.
#include "platform/system/Launcher.h"

#include "platform/system/UserEnvironment.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QProcess>
#include <QRegularExpression>

namespace Launcher {

namespace {

Recorder *g_recorder = nullptr;

// Takes what Qt's desktop services are asked to open.
class DesktopServicesHandler : public QObject
{
    Q_OBJECT
public:
    using QObject::QObject;
public slots:
    void open(const QUrl &url) { start(QString::fromLatin1(url.toEncoded())); }
};

} // namespace

bool start(const QString &argument)
{
    if (g_recorder) {
        g_recorder->arguments.append(argument);
        return g_recorder->answer;
    }
    const QUrl url = urlFor(argument);
    if (!url.isValid())
        return false;
    // Started here rather than through QDesktopServices, which would hand the
    // opener, and so the viewer, browser or mail program it starts, this
    // process's environment with the settings made for Pintavo alone. The
    // address goes as one argument, encoded as Qt would hand it over: a file
    // name whose blanks or "%" mean something to the opener arrives whole.
    QProcess opener;
    opener.setProgram(QStringLiteral("xdg-open"));
    opener.setArguments({QString::fromLatin1(url.toEncoded())});
    opener.setProcessEnvironment(UserEnvironment::forOtherPrograms());
    return opener.startDetached();
}

QUrl urlFor(const QString &argument)
{
    static const QRegularExpression scheme(QStringLiteral("^(https?|mailto|file):"),
                                           QRegularExpression::CaseInsensitiveOption);
    return scheme.match(argument).hasMatch() ? QUrl(argument, QUrl::TolerantMode)
                                             : QUrl::fromLocalFile(argument);
}

void openDesktopServicesHere()
{
    // The web engine hands a page's mail links to QDesktopServices, which would
    // start the opener with this process's environment.
    auto *handler = new DesktopServicesHandler(QCoreApplication::instance());
    for (const char *scheme : {"file", "http", "https", "mailto"})
        QDesktopServices::setUrlHandler(QLatin1String(scheme), handler, "open");
}

void recordForTests(Recorder *recorder)
{
    g_recorder = recorder;
}

} // namespace Launcher

#include "Launcher.moc"

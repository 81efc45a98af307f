// Pintavo: start-up of the colouring book.
#include "app/AppInfo.h"
#include "app/CommandLine.h"
#include "app/Environment.h"
#include "platform/system/Launcher.h"
#include "sheet/Form1.h"

#include <QApplication>
#include <QIcon>

int main(int argc, char *argv[])
{
    // --help and --version answer before anything needs a window system.
    if (const auto exitCode = CommandLine::answer(argc, argv))
        return *exitCode;
    Environment::prepare();
    QApplication app(argc, argv);
    QApplication::setApplicationName(AppInfo::Title);
    QApplication::setApplicationVersion(QStringLiteral("%1.%2.%3")
                                            .arg(AppInfo::VersionMajor)
                                            .arg(AppInfo::VersionMinor)
                                            .arg(AppInfo::VersionRevision));
    QApplication::setOrganizationDomain(AppInfo::MakerDomain);
    QGuiApplication::setDesktopFileName(QStringLiteral("pintavo"));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/pintavo.svg")));
    Environment::installItalian(app);
    Launcher::openDesktopServicesHere();

    Form1::Options options = Form1::Options::forProgram();
    // Qt has taken its own options (-platform, -style...) out of the arguments by now.
    options.pictureFile = CommandLine::parse(QApplication::arguments()).pictureFile;
    Form1 form(options);
    form.show();
    return app.exec();
}

// Pintavo: start-up of the colouring book.
#include "app/AppInfo.h"
#include "app/Environment.h"
#include "sheet/Form1.h"

#include <QApplication>
#include <QIcon>

int main(int argc, char *argv[])
{
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

    Form1 form(Form1::Options::forProgram());
    form.show();
    return app.exec();
}

// The launcher arguments, built from the maker's addresses kept in AppInfo.
#include "platform/system/LaunchArguments.h"

#include "app/AppInfo.h"

namespace LaunchArguments {

QString savedFile(const QString &fileName)
{
    return fileName;
}

QString makerSite()
{
    return AppInfo::MakerSite;
}

QString mailToMaker()
{
    return QStringLiteral("mailto:") + AppInfo::MakerEmail;
}

QString bundlePage(const QString &percorso)
{
    return percorso + QStringLiteral("znf.htm");
}

QString link(const QString &caption)
{
    return caption;
}

} // namespace LaunchArguments

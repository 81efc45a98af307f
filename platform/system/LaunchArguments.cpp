// The launcher arguments: files, web sites and mail addresses as the launcher takes them.
#include "platform/system/LaunchArguments.h"

namespace LaunchArguments {

QString savedFile(const QString &fileName)
{
    return fileName;
}

QString webSite(const QString &address)
{
    return address;
}

QString mailTo(const QString &address)
{
    return QStringLiteral("mailto:") + address;
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

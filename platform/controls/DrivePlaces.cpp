// drivePlaces: the file manager's rule for the volumes worth showing, over a list of mounts.
#include "platform/controls/DrivePlaces.h"

#include <QDir>
#include <algorithm>

namespace {

bool isUnder(const QString &path, const QString &root)
{
    if (root == QLatin1String("/"))
        return path.startsWith(QLatin1Char('/'));
    return path == root || path.startsWith(root + QLatin1Char('/'));
}

// File systems the kernel and the desktop mount for themselves: nothing a
// person keeps drawings on, even where one sits under /mnt or in the home.
bool isSystemType(const QByteArray &type)
{
    static const QList<QByteArray> system = {
        "autofs", "binfmt_misc", "bpf", "cgroup", "cgroup2", "configfs", "debugfs", "devpts", "devtmpfs",
        "efivarfs", "fuse.gvfsd-fuse", "fuse.portal", "fusectl", "hugetlbfs", "mqueue", "nsfs", "overlay",
        "proc", "pstore", "ramfs", "rpc_pipefs", "securityfs", "selinuxfs", "squashfs", "sysfs", "tmpfs",
        "tracefs",
    };
    return system.contains(type);
}

// Whether `root` lies under one of `places`, and under no hidden folder (one
// whose name begins with a dot) on the way there.
bool isInAPlace(const QString &root, const QStringList &places)
{
    return std::any_of(places.cbegin(), places.cend(), [&](const QString &place) {
        return !place.isEmpty() && isUnder(root, place) && !root.mid(place.size()).contains(QLatin1String("/."));
    });
}

} // namespace

QList<DriveVolume> drivePlaces(const QList<MountEntry> &mounts, const QString &home)
{
    const QString homeFolder = QDir::isAbsolutePath(home) ? QDir::cleanPath(home) : QString();
    QList<DriveVolume> volumes{{QStringLiteral("/"), QString()}};
    if (!homeFolder.isEmpty() && homeFolder != QLatin1String("/"))
        volumes.append({homeFolder, QString()});
    const QStringList places = {QStringLiteral("/media"), QStringLiteral("/run/media"), QStringLiteral("/mnt"),
                                homeFolder == QLatin1String("/") ? QString() : homeFolder};
    for (const MountEntry &mount : mounts) {
        const QString root = QDir::cleanPath(mount.root);
        const auto listed = std::find_if(volumes.begin(), volumes.end(),
                                         [&](const DriveVolume &v) { return v.root == root; });
        // The root and the home folder are offered whatever their file system.
        if (listed != volumes.end() && (root == QLatin1String("/") || root == homeFolder)) {
            listed->name = mount.name;
            continue;
        }
        if (!mount.folder || isSystemType(mount.type) || !isInAPlace(root, places))
            continue;
        if (listed != volumes.end())
            listed->name = mount.name;
        else
            volumes.append({root, mount.name});
    }
    std::sort(volumes.begin(), volumes.end(), [](const DriveVolume &a, const DriveVolume &b) {
        return QString::compare(a.root, b.root, Qt::CaseInsensitive) < 0;
    });
    return volumes;
}

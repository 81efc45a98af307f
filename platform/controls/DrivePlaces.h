// Which mounted volumes the drive list offers: the places a person picks, as a file manager shows them.
#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

struct DriveVolume
{
    QString root; // the folder it is mounted on, "/" for the root volume
    QString name; // its label; may be empty
};

// One line of the system's table of mounts, as read from it.
struct MountEntry
{
    QString root;       // the folder, or file, mounted on
    QString name;       // the volume's label; may be empty
    QByteArray type;    // the file system: ext4, vfat, fuse.sshfs, tmpfs ...
    bool folder = true; // false for a single file mounted over another
};

// The volumes offered, sorted by root: the root volume and the home folder
// (`home`, absolute; empty for none), whether or not they are mount points;
// then the mounts under /media, /run/media and /mnt or inside the home folder.
// Left out: single mounted files, the system's own file systems (proc, tmpfs,
// overlay, the desktop's helper mounts ...), mounts below a hidden folder, and
// every mount elsewhere. A folder mounted twice is listed once, with the label
// of the mount on top.
QList<DriveVolume> drivePlaces(const QList<MountEntry> &mounts, const QString &home);

// DriveList over QComboBox and QStorageInfo.
#include "platform/controls/DriveList.h"

#include "platform/controls/KeyCodes.h"
#include "platform/controls/MouseCodes.h"

#include <QDir>
#include <QFileInfo>
#include <QKeyEvent>
#include <QStorageInfo>
#include <algorithm>

namespace {

bool isUnder(const QString &path, const QString &root)
{
    if (root == QLatin1String("/"))
        return path.startsWith(QLatin1Char('/'));
    return path == root || path.startsWith(root + QLatin1Char('/'));
}

} // namespace

DriveList::DriveList(QWidget *parent) : QComboBox(parent)
{
    m_volumes = mountedVolumes();
    m_drive = volumeOf(QDir::currentPath());
    fill();
    connect(this, &QComboBox::currentIndexChanged, this, &DriveList::chosen);
}

QList<DriveList::Volume> DriveList::mountedVolumes()
{
    QList<MountEntry> mounts;
    for (const QStorageInfo &storage : QStorageInfo::mountedVolumes()) {
        if (storage.isValid())
            mounts.append({storage.rootPath(), storage.name(), storage.fileSystemType(),
                           QFileInfo(storage.rootPath()).isDir()});
    }
    const QString home = QDir::homePath();
    return drivePlaces(mounts, QFileInfo(home).isDir() ? home : QString());
}

void DriveList::setVolumes(const QList<Volume> &volumes)
{
    m_volumes = volumes;
    if (!m_followed.isEmpty())
        m_drive = volumeOf(m_followed);
    fill();
}

void DriveList::fill()
{
    blockSignals(true);
    clear();
    for (const Volume &v : std::as_const(m_volumes))
        addItem(v.name.isEmpty() ? v.root : QStringLiteral("%1  [%2]").arg(v.root, v.name));
    blockSignals(false);
    showDrive();
}

void DriveList::showDrive()
{
    int shown = -1;
    for (int i = 0; i < m_volumes.size(); ++i) {
        if (m_volumes[i].root == m_drive)
            shown = i;
    }
    const QSignalBlocker blocker(this);
    setCurrentIndex(shown);
}

QString DriveList::volumeOf(const QString &path) const
{
    const QString clean = QDir::cleanPath(path);
    QString best;
    for (const Volume &v : m_volumes) {
        if (isUnder(clean, v.root) && v.root.size() > best.size())
            best = v.root;
    }
    return best;
}

void DriveList::setDrive(const QString &path)
{
    const QString root = volumeOf(path);
    if (root.isEmpty() || root == m_drive)
        return;
    m_drive = root;
    showDrive();
    emit Change();
}

void DriveList::follow(const QString &path)
{
    m_followed = path;
    m_drive = volumeOf(path);
    showDrive();
}

void DriveList::chosen(int index)
{
    if (index < 0 || index >= m_volumes.size() || m_volumes[index].root == m_drive)
        return;
    m_drive = m_volumes[index].root;
    emit Change();
}

void DriveList::showPopup()
{
    // A stick plugged in since the last look shows up when the list is opened.
    const QList<Volume> now = mountedVolumes();
    const bool same = now.size() == m_volumes.size()
        && std::equal(now.cbegin(), now.cend(), m_volumes.cbegin(),
                      [](const Volume &a, const Volume &b) { return a.root == b.root && a.name == b.name; });
    if (!same)
        setVolumes(now);
    QComboBox::showPopup();
}

void DriveList::keyPressEvent(QKeyEvent *event)
{
    const int code = KeyCodes::keyCode(event);
    emit KeyDown(code, MouseCodes::shift(event->modifiers()));
    if (code == KeyCodes::Enter || code == KeyCodes::Escape) {
        event->accept();
        return;
    }
    QComboBox::keyPressEvent(event);
}

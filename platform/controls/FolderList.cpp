// FolderList over ListBox and QDir.
#include "platform/controls/FolderList.h"

#include <QDir>
#include <QFileInfo>
#include <QStyle>

namespace {

constexpr int PathRole = Qt::UserRole;
// Each level of the tree is drawn this many blanks further right.
constexpr int IndentPerLevel = 2;

QString cleanAbsolute(const QString &path)
{
    return QDir::cleanPath(QDir(path).absolutePath());
}

} // namespace

FolderList::FolderList(QWidget *parent) : ListBox(parent)
{
    m_path = cleanAbsolute(QDir::currentPath());
    fill();
    // The first click of a double click selects the folder, the second opens it.
    connect(this, &ListBox::DblClick, this, [this] { open(currentItem()); });
}

bool FolderList::setPath(const QString &path)
{
    if (path.isEmpty())
        return false;
    const QString clean = cleanAbsolute(path);
    // A folder that may not be read is opened all the same: it shows no
    // sub-folders, and whoever lists its files finds none.
    if (!QFileInfo(clean).isDir())
        return false;
    if (clean == m_path)
        return true;
    m_path = clean;
    fill();
    emit Change();
    return true;
}

QString FolderList::entryPath(int index) const
{
    const QListWidgetItem *entry = item(index);
    return entry ? entry->data(PathRole).toString() : QString();
}

void FolderList::open(QListWidgetItem *item)
{
    if (item)
        setPath(item->data(PathRole).toString());
}

void FolderList::fill()
{
    clearList();
    const QIcon openIcon = style()->standardIcon(QStyle::SP_DirOpenIcon);
    const QIcon closedIcon = style()->standardIcon(QStyle::SP_DirClosedIcon);
    const auto append = [&](const QString &text, const QString &path, int level, const QIcon &icon) {
        auto *entry = new QListWidgetItem(icon, QString(level * IndentPerLevel, QLatin1Char(' ')) + text);
        entry->setData(PathRole, path);
        // A screen reader says the folder's name, not the blanks that indent it.
        entry->setData(Qt::AccessibleTextRole, text);
        addItem(entry);
    };

    const QStringList parts = m_path.split(QLatin1Char('/'), Qt::SkipEmptyParts);
    append(QStringLiteral("/"), QStringLiteral("/"), 0, openIcon);
    QString ancestor;
    for (int i = 0; i < parts.size(); ++i) {
        ancestor += QLatin1Char('/') + parts[i];
        append(parts[i], ancestor, i + 1, openIcon);
    }
    const int current = int(parts.size());

    const QStringList children = QDir(m_path).entryList(QDir::Dirs | QDir::NoDotAndDotDot,
                                                        QDir::Name | QDir::IgnoreCase);
    const QString prefix = m_path.endsWith(QLatin1Char('/')) ? m_path : m_path + QLatin1Char('/');
    for (const QString &child : children)
        append(child, prefix + child, current + 1, closedIcon);

    // The current folder is the highlighted entry; selecting it is no change of path.
    blockSignals(true);
    setCurrentRow(current);
    blockSignals(false);
    scrollToItem(item(current));
}

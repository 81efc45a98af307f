// A folder list box: the path of one folder, its ancestors above it and its sub-folders below.
#pragma once

#include "platform/controls/ListBox.h"

// Shows the folders from the root down to the current one, then the current
// folder's visible sub-folders (names beginning with "." are hidden), sorted by
// name ignoring letter case. A double click on a folder opens it. Every change of
// the path, by the user or by setPath(), raises Change at once, nested in the code
// that made it.
class FolderList : public ListBox
{
    Q_OBJECT
public:
    // Starts on the process's current folder.
    explicit FolderList(QWidget *parent = nullptr);

    // An absolute path without a trailing "/", the root "/" excepted.
    QString path() const { return m_path; }
    // Opens the folder, also one that may not be read. False, and nothing
    // changes, when it is no folder (missing, vanished, not a folder, or behind a
    // folder that may not be searched). Setting the folder already shown raises
    // nothing.
    bool setPath(const QString &path);

    // The folder an entry stands for.
    QString entryPath(int index) const;

signals:
    void Change();

private:
    void fill();
    void open(QListWidgetItem *item);

    QString m_path;
};

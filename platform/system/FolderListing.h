// Listing the ordinary files of one folder.
#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

// A name in a folder: the bytes the system stores and the text shown for them.
struct ListedFile
{
    QByteArray native;
    QString text;
};

// The text for a stored name: the name itself where its bytes are UTF-8, as the
// system writes names; otherwise they are read as Windows-1252 (Latin-1 with
// quotes and dashes), as in the old Windows archives such names come from.
QString shownFileName(const QByteArray &native);

// The ordinary files directly in `folder`, links to them included: no folders,
// pipes, devices or dangling links, no hidden files (names beginning with "."),
// any extension, whatever bytes their names hold; sorted by the shown text
// ignoring letter case. An unreadable or missing folder gives an empty list.
QList<ListedFile> ordinaryFiles(const QString &folder);

// The folder with exactly one "/" at its end; "/" stays "/".
QString withTrailingSlash(const QString &folder);

// The native path of a name listed in `folder`.
QByteArray nativePath(const QString &folder, const QByteArray &native);

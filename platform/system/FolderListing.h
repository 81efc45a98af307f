// Listing the ordinary files of one folder.
#pragma once

#include <QString>
#include <QStringList>

// Names (without folder) of the ordinary files directly in `folder`: no folders,
// no hidden files (names beginning with "."), any extension, sorted by name
// ignoring letter case. An unreadable or missing folder gives an empty list.
QStringList ordinaryFileNames(const QString &folder);

// The folder with exactly one "/" at its end; "/" stays "/".
QString withTrailingSlash(const QString &folder);

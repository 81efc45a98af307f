// Questions about one file that the file list asks before changing it.
#pragma once

#include <QString>

// True when the file may not be written: the user lacks write access, or no one
// has the write permission (a file made read-only, which even the administrator
// treats as protected, as the desktop's own file managers do).
bool isReadOnlyFile(const QString &path);

// Questions about one file and the changes made to it, on names as the system stores them.
#pragma once

#include <QByteArray>
#include <QString>

class QFile;

// A native path is the file's name as the system stores it: bytes, which Qt's
// file names (UTF-8 text) cannot always carry. Files unpacked from old archives
// are often named in Latin-1; these calls reach them all the same. A path with a
// NUL byte in it names no file: every call below refuses it.

// True when the file may not be written: the user lacks write access, or no one
// has the write permission (a file made read-only, which even the administrator
// treats as protected, as the desktop's own file managers do).
bool isReadOnlyFile(const QString &path);
bool isReadOnlyFile(const QByteArray &nativePath);

// Opens a plain file for reading into `file`. Anything else (a folder, a named
// pipe, which would wait for a writer for ever, a device, which may never end)
// is refused without waiting.
bool openPlainFile(const QByteArray &nativePath, QFile *file);

// Renames without ever replacing a file that has the new name.
bool renameFile(const QByteArray &from, const QByteArray &to);
bool removeFile(const QByteArray &nativePath);

enum class InPlaceWrite {
    Written,
    Unchanged, // nothing of the file was touched
    Damaged,   // the write broke off: the file holds neither its old content nor the new
};

// Writes `content` over the plain file at `nativePath`, for a folder that lets
// no new file be made beside it. Room for the whole content is made before the
// first byte of the old one is overwritten, so a full disk or a file size limit
// leaves the file unchanged.
InPlaceWrite writeInPlace(const QByteArray &nativePath, const QByteArray &content);

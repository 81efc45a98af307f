// A small stand-in for the system registry: keys of named, typed values, read through handles.
#pragma once

#include <QByteArray>
#include <QString>
#include <QtGlobal>

namespace Registry {

// Keys are handles: the predefined roots below, or what openKey() gave.
using Key = quint32;
inline constexpr Key ClassesRoot = 0x80000000u;
inline constexpr Key CurrentUser = 0x80000001u;
inline constexpr Key LocalMachine = 0x80000002u;
inline constexpr Key Users = 0x80000003u;

// Results of the calls: 0 is success, anything else a failure.
enum Result : qint32 {
    Success = 0,
    FileNotFound = 2,
    AccessDenied = 5,
    InvalidHandle = 6,
    InvalidParameter = 87,
    MoreData = 234,
};

// Value types.
enum Type : quint32 {
    NoType = 0,
    Text = 1,       // zero-terminated text
    ExpandText = 2, // text with %VARIABLES% in it
    Binary = 3,
    Number32 = 4,   // 32-bit number, low byte first
    MultiText = 7,
};

// Access rights, combined into the mask asked for when a key is opened.
enum Access : quint32 {
    QueryValue = 0x0001,
    SetValue = 0x0002,
    CreateSubKey = 0x0004,
    EnumerateSubKeys = 0x0008,
    Notify = 0x0010,
    CreateLink = 0x0020,
    ReadControl = 0x20000,
    ReadAccess = ReadControl | QueryValue | EnumerateSubKeys | Notify,
    AllAccess = 0xF003F,
};

// Opens the key at keyName (its parts separated by "\" or "/", letter case
// ignored; empty for `root` itself) below `root`, asking for the rights in
// `access`. On success *opened is a new handle to close with closeKey(); on
// failure it is 0. FileNotFound when the key does not exist, AccessDenied when
// it may not be opened with those rights. `options` must be 0.
qint32 openKey(Key root, const QString &keyName, quint32 options, quint32 access, Key *opened);

// Reads the value `valueName` (letter case ignored; empty for the key's default
// value) of an open key. `reserved` must be 0. *size is the buffer's size on
// entry and the length of the data in bytes on return; *type receives the type.
// The data is copied into `buffer` only when it fits, else the result is
// MoreData, *size the length needed and the buffer untouched. A null buffer
// asks for the type and length only. Text is kept as the local 8-bit encoding
// (UTF-8 here) with whatever terminating zero it was stored with.
qint32 queryValue(Key key, const QString &valueName, quint32 reserved, quint32 *type, char *buffer,
                  quint32 *size);

// Closes a handle from openKey(). InvalidHandle for any other number, 0 included.
qint32 closeKey(Key key);

// Filling the stand-in, below a predefined root. setValue() creates the key
// (and so its parents) if needed and replaces a value of the same name.
void setValue(Key root, const QString &keyName, const QString &valueName, quint32 type, const QByteArray &data);
// The rights a key can be opened with (all of them unless told); creates the key.
void setKeyAccess(Key root, const QString &keyName, quint32 allowed);
// Text as it is stored: local 8-bit bytes plus the terminating zero.
QByteArray textData(const QString &text);
// Empties the stand-in; open handles become invalid.
void clear();
// How many handles are open, so that leaks show.
int openKeyCount();

// Back to what this computer holds: the entries that tell where the desktop's
// system information program is (see the source for the programs looked for),
// found on the PATH; none when no such program is installed.
void loadSystemEntries();

} // namespace Registry

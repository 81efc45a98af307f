// Reading one value of the registry as text.
#pragma once

#include <QString>
#include <QtGlobal>

// Reads the value SubKeyRef of the key KeyName below the root KeyRoot into
// KeyVal and returns true. The key is opened asking for read and write rights
// (0x2003F), so a key the user may only read is not read either. A text value
// gives its text, without the terminating zero whether it was stored with one
// or not; a 32-bit number gives its decimal digits; any other type leaves
// KeyVal as it was and still counts as read. When the key cannot be opened or
// the value read (missing, or longer than 1024 bytes), KeyVal becomes empty
// and the result is false; nothing is shown.
bool GetKeyValue(quint32 KeyRoot, const QString &KeyName, const QString &SubKeyRef, QString &KeyVal);

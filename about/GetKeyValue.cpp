// GetKeyValue over the registry layer: open, read into a fixed buffer, close.
#include "about/GetKeyValue.h"

#include "platform/system/Registry.h"

#include <QByteArray>

namespace {

// Query value, set value, create subkey, enumerate subkeys, notify, create link, read control.
constexpr quint32 KeyAccess = 0x2003F;
// The value is read into a buffer of this many characters; longer values are not read.
constexpr quint32 BufferSize = 1024;

} // namespace

bool GetKeyValue(quint32 KeyRoot, const QString &KeyName, const QString &SubKeyRef, QString &KeyVal)
{
    Registry::Key key = 0;
    if (Registry::openKey(KeyRoot, KeyName, 0, KeyAccess, &key) != Registry::Success) {
        KeyVal.clear();
        Registry::closeKey(key);
        return false;
    }

    QByteArray buffer(int(BufferSize), '\0');
    quint32 size = BufferSize;
    quint32 type = Registry::NoType;
    if (Registry::queryValue(key, SubKeyRef, 0, &type, buffer.data(), &size) != Registry::Success) {
        KeyVal.clear();
        Registry::closeKey(key);
        return false;
    }

    // A value stored with its terminating zero and one stored without give the
    // same text: the zero, when it is the last byte of the data, is dropped.
    // An empty value has no last byte to look at and stays empty.
    if (size > 0 && buffer.at(int(size) - 1) == '\0')
        buffer.truncate(int(size) - 1);
    else
        buffer.truncate(int(size));

    if (type == Registry::Text) {
        KeyVal = QString::fromLocal8Bit(buffer);
    } else if (type == Registry::Number32) {
        // Low byte first; a number whose top byte was zero lost that byte above,
        // which changes nothing.
        quint32 number = 0;
        for (int i = qMin(int(buffer.size()), 4) - 1; i >= 0; --i)
            number = number << 8 | quint8(buffer.at(i));
        KeyVal = QString::number(number);
    }

    Registry::closeKey(key);
    return true;
}

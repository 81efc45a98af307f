// The registry stand-in: an in-memory tree of keys, filled on Linux with where the system information program is.
#include "platform/system/Registry.h"

#include <QFileInfo>
#include <QHash>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QStringList>

#include <cstring>

namespace Registry {

namespace {

struct Value
{
    quint32 type = NoType;
    QByteArray data;
};

struct KeyEntry
{
    quint32 allowed = AllAccess;
    QHash<QString, Value> values; // by lower-case name
};

struct Store
{
    QHash<QString, KeyEntry> keys;   // by normalised path, see pathOf()
    QHash<Key, QString> openHandles; // handle -> normalised path
    Key nextHandle = 0x100;
};

void fillWithSystemEntries(Store &store);

Store &store()
{
    static Store s = [] {
        Store fresh;
        fillWithSystemEntries(fresh);
        return fresh;
    }();
    return s;
}

bool isRoot(Key key)
{
    return key >= ClassesRoot && key <= Users;
}

// "80000002\software\microsoft": the root in hex, then the parts in lower case.
QString pathOf(const QString &base, const QString &keyName)
{
    QStringList parts{base};
    static const QRegularExpression separators(QStringLiteral("[\\\\/]"));
    for (const QString &part : keyName.split(separators, Qt::SkipEmptyParts))
        parts.append(part.toLower());
    return parts.join(QLatin1Char('\\'));
}

QString rootPath(Key root)
{
    return QString::number(root, 16);
}

// The base path a key handle stands for; empty when it is no handle at all.
QString basePath(const Store &s, Key key)
{
    if (isRoot(key))
        return rootPath(key);
    return s.openHandles.value(key);
}

bool keyExists(const Store &s, const QString &path)
{
    if (!path.contains(QLatin1Char('\\')) || s.keys.contains(path))
        return true;
    const QString below = path + QLatin1Char('\\');
    for (auto it = s.keys.cbegin(); it != s.keys.cend(); ++it)
        if (it.key().startsWith(below))
            return true;
    return false;
}

KeyEntry &entry(Store &s, Key root, const QString &keyName)
{
    return s.keys[pathOf(rootPath(root), keyName)];
}

void setValueIn(Store &s, Key root, const QString &keyName, const QString &valueName, quint32 type,
                const QByteArray &data)
{
    entry(s, root, keyName).values.insert(valueName.toLower(), Value{type, data});
}

// The desktops' own system information programs, the fullest first.
void fillWithSystemEntries(Store &s)
{
    static const char *const programs[] = {"hardinfo2", "hardinfo", "kinfocenter", "gnome-system-monitor"};
    for (const char *program : programs) {
        const QString found = QStandardPaths::findExecutable(QLatin1String(program));
        if (found.isEmpty())
            continue;
        setValueIn(s, LocalMachine, QStringLiteral("SOFTWARE\\Microsoft\\Shared Tools\\MSINFO"),
                   QStringLiteral("PATH"), Text, textData(found));
        setValueIn(s, LocalMachine, QStringLiteral("SOFTWARE\\Microsoft\\Shared Tools Location"),
                   QStringLiteral("MSINFO"), Text, textData(QFileInfo(found).path()));
        return;
    }
}

} // namespace

qint32 openKey(Key root, const QString &keyName, quint32 options, quint32 access, Key *opened)
{
    if (!opened)
        return InvalidParameter;
    *opened = 0;
    if (options != 0)
        return InvalidParameter;
    Store &s = store();
    const QString base = basePath(s, root);
    if (base.isEmpty())
        return InvalidHandle;
    const QString path = pathOf(base, keyName);
    if (!keyExists(s, path))
        return FileNotFound;
    const quint32 allowed = s.keys.contains(path) ? s.keys.value(path).allowed : quint32(AllAccess);
    if ((access & ~allowed) != 0)
        return AccessDenied;
    const Key handle = s.nextHandle++;
    s.openHandles.insert(handle, path);
    *opened = handle;
    return Success;
}

qint32 queryValue(Key key, const QString &valueName, quint32 reserved, quint32 *type, char *buffer,
                  quint32 *size)
{
    if (reserved != 0 || (buffer && !size))
        return InvalidParameter;
    const Store &s = store();
    const QString path = basePath(s, key);
    if (path.isEmpty())
        return InvalidHandle;
    const auto keyIt = s.keys.constFind(path);
    if (keyIt == s.keys.cend())
        return FileNotFound;
    const auto valueIt = keyIt->values.constFind(valueName.toLower());
    if (valueIt == keyIt->values.cend())
        return FileNotFound;
    const Value &value = *valueIt;
    if (type)
        *type = value.type;
    const auto length = quint32(value.data.size());
    if (buffer && length > *size) {
        *size = length;
        return MoreData;
    }
    if (buffer)
        std::memcpy(buffer, value.data.constData(), length);
    if (size)
        *size = length;
    return Success;
}

qint32 closeKey(Key key)
{
    return store().openHandles.remove(key) ? Success : InvalidHandle;
}

void setValue(Key root, const QString &keyName, const QString &valueName, quint32 type, const QByteArray &data)
{
    setValueIn(store(), root, keyName, valueName, type, data);
}

void setKeyAccess(Key root, const QString &keyName, quint32 allowed)
{
    entry(store(), root, keyName).allowed = allowed;
}

QByteArray textData(const QString &text)
{
    QByteArray bytes = text.toLocal8Bit();
    bytes.append('\0');
    return bytes;
}

void clear()
{
    Store &s = store();
    s.keys.clear();
    s.openHandles.clear();
}

int openKeyCount()
{
    return int(store().openHandles.size());
}

void loadSystemEntries()
{
    clear();
    fillWithSystemEntries(store());
}

} // namespace Registry

// File questions over QFileInfo.
#include "platform/system/FileAccess.h"

#include <QFileInfo>

bool isReadOnlyFile(const QString &path)
{
    const QFileInfo info(path);
    constexpr auto anyWrite = QFileDevice::WriteOwner | QFileDevice::WriteGroup | QFileDevice::WriteOther;
    return !info.isWritable() || !(info.permissions() & anyWrite);
}

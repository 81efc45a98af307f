// A picture encoded in memory, as a file of that format would hold it.
#pragma once

#include <QBuffer>
#include <QByteArray>
#include <QImage>

inline QByteArray encoded(const QImage &image, const char *format)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    return bytes;
}

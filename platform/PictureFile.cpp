// Picture reading through Qt's image readers, format decided from the bytes.
#include "platform/PictureFile.h"

#include <QFile>
#include <QImageReader>

std::optional<QImage> loadPicture(QIODevice *device)
{
    QImageReader reader(device);
    reader.setDecideFormatFromContent(true);
    reader.setAutoTransform(true);
    QImage picture;
    if (!reader.read(&picture) || picture.isNull())
        return std::nullopt;
    return picture;
}

std::optional<QImage> loadPicture(const QString &path)
{
    if (path.isEmpty())
        return QImage();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    return loadPicture(&file);
}

// Picture reading through Qt's image readers, format decided from the bytes.
#include "platform/PictureFile.h"

#include <QFile>
#include <QImageReader>
#include <QImageWriter>
#include <QSaveFile>

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

bool savePictureAsBmp(const QImage &picture, const QString &path, QString *error)
{
    QSaveFile file(path);
    bool ok = file.open(QIODevice::WriteOnly);
    if (ok) {
        QImageWriter writer(&file, "bmp");
        ok = writer.write(picture.convertToFormat(QImage::Format_RGB888));
        if (!ok && error)
            *error = writer.errorString();
        ok = ok && file.commit();
    }
    if (!ok && error && error->isEmpty())
        *error = file.errorString();
    return ok;
}

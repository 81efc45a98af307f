// Picture reading through Qt's image readers, format decided from the bytes.
#include "platform/picture/PictureFile.h"

#include "platform/picture/TruncatedPicture.h"
#include "platform/system/FileAccess.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QImageWriter>
#include <QSaveFile>
#include <QtEndian>
#include <climits>

namespace {

// Qt's bitmap reader turns down some headers with very large sides as damaged and
// tells no size; the header's own width and height say whether it was too large.
QSize bitmapHeaderSize(QIODevice *device)
{
    const QByteArray head = device->peek(26);
    if (head.size() < 26 || !head.startsWith("BM") || qFromLittleEndian<quint32>(head.constData() + 14) < 40)
        return {};
    const qint64 width = qFromLittleEndian<qint32>(head.constData() + 18);
    const qint64 height = qAbs(qint64(qFromLittleEndian<qint32>(head.constData() + 22)));
    if (width <= 0 || height <= 0 || width > INT_MAX || height > INT_MAX)
        return {};
    return QSize(int(width), int(height));
}

std::optional<QImage> refuse(PictureFailure why, PictureFailure *failure)
{
    if (failure)
        *failure = why;
    return std::nullopt;
}

} // namespace

bool isTooLargeForTheSheet(const QSize &size)
{
    constexpr int MaxSide = 32767;
    if (!size.isValid())
        return false;
    // The sheet keeps every picture as 32-bit pixels, so a picture is measured at
    // four bytes a pixel whatever its file stores. Sides reach 2^31 each, so
    // their product still fits; times four would not.
    return size.width() > MaxSide || size.height() > MaxSide
        || qint64(size.width()) * size.height() > MaxPictureBytes / 4;
}

std::optional<QImage> loadPicture(QIODevice *device, PictureFailure *failure)
{
    // Qt's readers refuse to decode past a limit of their own, which differs
    // between Qt versions and counts the bytes of what they decode into (eight a
    // pixel for a 16-bit PNG): set high enough, it never refuses a picture the
    // sheet takes, so the rule above is the only one on every Qt.
    QImageReader::setAllocationLimit(int(2 * MaxPictureBytes / (1024 * 1024)));
    const qint64 start = device->pos();
    const QSize bitmapSize = bitmapHeaderSize(device);
    QImageReader reader(device);
    reader.setDecideFormatFromContent(true);
    reader.setAutoTransform(true);
    // The header's size is known before any pixel is read: a picture claiming
    // 60000 x 60000 pixels is turned down without trying to hold it, and
    // before anything walks the rest of a file that may be gigabytes long.
    if (isTooLargeForTheSheet(reader.size()) || isTooLargeForTheSheet(bitmapSize))
        return refuse(PictureFailure::TooLarge, failure);
    // A file that ends before its pixels do, half downloaded for instance, is
    // no picture: Qt's readers would leave the missing part as the memory was.
    if (isTruncatedPicture(device, reader.format(), start))
        return refuse(PictureFailure::Unreadable, failure);
    // The bitmap reader writes into a picture of the right size and format when
    // given one, and leaves the pixels its runs skip (a run-length bitmap may
    // end early or jump ahead) as they were: zero, the palette's first colour,
    // as such a bitmap shows its gaps.
    QImage picture;
    if (reader.format() == "bmp" && reader.imageFormat() != QImage::Format_Invalid) {
        picture = QImage(reader.size(), reader.imageFormat());
        picture.fill(0);
    }
    if (!reader.read(&picture) || picture.isNull())
        return refuse(PictureFailure::Unreadable, failure);
    if (isTooLargeForTheSheet(picture.size()))
        return refuse(PictureFailure::TooLarge, failure);
    return picture;
}

QString pictureTooLargeMessage()
{
    return QStringLiteral("Questa immagine è troppo grande per essere aperta in Pintavo. "
                          "Il foglio resta com'era: scegli un disegno più piccolo.");
}

std::optional<QImage> loadPicture(const QString &path, PictureFailure *failure)
{
    if (path.isEmpty())
        return QImage();
    // Only plain files: a named pipe would wait for a writer for ever, and a
    // device may never end.
    if (!QFileInfo(path).isFile())
        return refuse(PictureFailure::Unreadable, failure);
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return refuse(PictureFailure::Unreadable, failure);
    return loadPicture(&file, failure);
}

std::optional<QImage> loadNativePicture(const QByteArray &nativePath, PictureFailure *failure)
{
    if (nativePath.isEmpty())
        return QImage();
    QFile file;
    if (!openPlainFile(nativePath, &file))
        return refuse(PictureFailure::Unreadable, failure);
    return loadPicture(&file, failure);
}

SaveOutcome savePictureAsBmp(const QImage &picture, const QString &path)
{
    // A file made read-only is protected, as the chooser's delete treats it: the
    // copy written aside would otherwise be put in its place by a rename, which
    // only asks the folder.
    if (QFileInfo::exists(path) && isReadOnlyFile(path))
        return SaveOutcome::NotSaved;
    // The whole bitmap is known before anything is written.
    QByteArray bitmap;
    QBuffer buffer(&bitmap);
    buffer.open(QIODevice::WriteOnly);
    if (!QImageWriter(&buffer, "bmp").write(picture.convertToFormat(QImage::Format_RGB888)))
        return SaveOutcome::NotSaved;
    QSaveFile file(path);
    if (file.open(QIODevice::WriteOnly))
        return file.write(bitmap) == bitmap.size() && file.commit() ? SaveOutcome::Saved : SaveOutcome::NotSaved;
    if (!QFileInfo(path).isFile())
        return SaveOutcome::NotSaved;
    switch (writeInPlace(QFile::encodeName(path), bitmap)) {
    case InPlaceWrite::Written:
        return SaveOutcome::Saved;
    case InPlaceWrite::Unchanged:
        return SaveOutcome::NotSaved;
    case InPlaceWrite::Damaged:
        break;
    }
    return SaveOutcome::EarlierFileDamaged;
}

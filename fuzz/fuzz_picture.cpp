// Fuzzer of picture reading as the sheet, the chooser's preview and a drop use it.
//
// Bytes go in through loadPicture(QIODevice*), the way a web drop arrives; a
// picture that comes out is then given to a sheet set up like the main window's
// (auto-size, border, white background), filled at a point taken from the bytes,
// and shown in a preview control placed as the chooser places it. A refusal
// must say why. A picture must not depend on memory its reader never wrote:
// read twice over a stack left full of different bytes, it comes out the same;
// and the pixels that Qt's reader leaves unwritten (those where its decodes
// into pictures filled with two different bytes disagree) are zero, the
// loader's own fill. Anything else (a crash, a sanitizer report, a wrong size,
// a picture that depends on memory) stops the run.
#include "chooser/PreviewGeometry.h"
#include "platform/picture/ColorValue.h"
#include "platform/picture/ImageBox.h"
#include "platform/picture/PictureBox.h"
#include "platform/picture/PictureFile.h"
#include "platform/controls/Twips.h"

#include <QApplication>
#include <QBuffer>
#include <QImageReader>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <optional>

namespace {

// Leaves the stack below the caller full of `value`, as earlier calls leave it
// full of their own bytes.
Q_NEVER_INLINE void dirtyStack(char value)
{
    volatile char stack[64 * 1024];
    for (volatile char &byte : stack)
        byte = value;
}

std::optional<QImage> loadedOverStack(const QByteArray &bytes, char value, PictureFailure *failure)
{
    QByteArray copy = bytes;
    QBuffer buffer(&copy);
    buffer.open(QIODevice::ReadOnly);
    dirtyStack(value);
    return loadPicture(&buffer, failure);
}

// The bytes read by Qt's reader as the loader sets it up, into a picture of the
// size and format the header gives whose every byte is `fill`. A reader that
// takes such a picture writes over it; one that does not makes its own.
QImage decodedOver(QByteArray bytes, char fill)
{
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    reader.setDecideFormatFromContent(true);
    reader.setAutoTransform(true);
    QImage picture(reader.size(), reader.imageFormat());
    if (!picture.isNull())
        std::memset(picture.bits(), fill, size_t(picture.sizeInBytes()));
    dirtyStack(0);
    if (!reader.read(&picture))
        return {};
    return picture;
}

// Whether pixel x of row y differs between a and b (of one size and format).
bool differ(const QImage &a, const QImage &b, int x, int y)
{
    if (a.depth() < 8)
        return a.pixelIndex(x, y) != b.pixelIndex(x, y);
    const int bytes = a.depth() / 8;
    return std::memcmp(a.constScanLine(y) + x * bytes, b.constScanLine(y) + x * bytes, size_t(bytes)) != 0;
}

// Whether row y differs between a and b; the padding at its end is no pixel.
bool rowsDiffer(const QImage &a, const QImage &b, int y)
{
    if (a.depth() >= 8)
        return std::memcmp(a.constScanLine(y), b.constScanLine(y), size_t(a.width()) * size_t(a.depth() / 8)) != 0;
    for (int x = 0; x < a.width(); ++x)
        if (differ(a, b, x, y))
            return true;
    return false;
}

bool samePixels(const QImage &a, const QImage &b)
{
    if (a.size() != b.size() || a.format() != b.format() || a.colorTable() != b.colorTable())
        return false;
    for (int y = 0; y < a.height(); ++y)
        if (rowsDiffer(a, b, y))
            return false;
    return true;
}

// Whether `picture` is zero wherever the two decodes disagree.
bool zeroWhereUnwritten(const QImage &picture, const QImage &overZeros, const QImage &overOther)
{
    if (overZeros.size() != overOther.size() || overZeros.format() != overOther.format())
        return true;
    if (picture.size() != overZeros.size() || picture.format() != overZeros.format())
        return samePixels(overZeros, overOther);
    QImage zero(picture.size(), picture.format());
    zero.fill(0);
    for (int y = 0; y < picture.height(); ++y) {
        if (!rowsDiffer(overZeros, overOther, y))
            continue;
        for (int x = 0; x < picture.width(); ++x)
            if (differ(overZeros, overOther, x, y) && differ(picture, zero, x, y))
                return false;
    }
    return true;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // Qt's readers warn about every damaged file; millions of lines would only slow the run.
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext &, const QString &) {});
    static int qtArgc = 1;
    static char *qtArgv[] = {(*argv)[0], nullptr};
    new QApplication(qtArgc, qtArgv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char *>(data), qsizetype(size));
    auto failure = PictureFailure(-1);
    const auto picture = loadedOverStack(bytes, 0, &failure);
    if (!picture) {
        if (failure != PictureFailure::Unreadable && failure != PictureFailure::TooLarge)
            std::abort();
        return 0;
    }
    if (picture->isNull())
        std::abort();
    const auto again = loadedOverStack(bytes, char(0x77), &failure);
    if (!again || !samePixels(*picture, *again))
        std::abort();
    if (!zeroWhereUnwritten(*picture, decodedOver(bytes, 0), decodedOver(bytes, char(0xA5))))
        std::abort();

    PictureBox sheet;
    sheet.setBorderWidth(2);
    sheet.setAutoSize(true);
    sheet.setBackColor(ColorValue(0xFFFFFF));
    sheet.setPicture(*picture);
    if (sheet.image().width() < qMin(picture->width(), QWIDGETSIZE_MAX - 4)
        || sheet.image().height() < qMin(picture->height(), QWIDGETSIZE_MAX - 4))
        std::abort();
    const int x = size > 0 ? int(data[0]) * sheet.scaleWidth() / 256 : 0;
    const int y = size > 1 ? int(data[1]) * sheet.scaleHeight() / 256 : 0;
    sheet.setFillStyle(PictureBox::Solid);
    sheet.setFillColor(ColorValue(0x0000FF));
    sheet.extFloodFill(x, y, sheet.point(x, y), FloodFillType::Surface);

    ImageBox preview;
    preview.setPicture(*picture);
    const QRectF place = previewGeometry(QSize(265, 265), preview.twipsRect().size(),
                                         Twips::PerPixel, Twips::PerPixel);
    preview.setStretch(true);
    if (!place.isEmpty())
        preview.setTwipsRect(place);
    preview.grab();
    return 0;
}

// Fuzzer of picture reading as the sheet, the chooser's preview and a drop use it.
//
// Bytes go in through loadPicture(QIODevice*), the way a web drop arrives; a
// picture that comes out is then given to a sheet set up like the main window's
// (auto-size, border, white background), filled at a point taken from the bytes,
// and shown in a preview control placed as the chooser places it. A refusal
// must say why. Anything else (a crash, a sanitizer report, a wrong size) stops
// the run.
#include "chooser/PreviewGeometry.h"
#include "platform/picture/ColorValue.h"
#include "platform/picture/ImageBox.h"
#include "platform/picture/PictureBox.h"
#include "platform/picture/PictureFile.h"
#include "platform/controls/Twips.h"

#include <QApplication>
#include <QBuffer>
#include <cstdint>
#include <cstdlib>

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
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    auto failure = PictureFailure(-1);
    const auto picture = loadPicture(&buffer, &failure);
    if (!picture) {
        if (failure != PictureFailure::Unreadable && failure != PictureFailure::TooLarge)
            std::abort();
        return 0;
    }
    if (picture->isNull())
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

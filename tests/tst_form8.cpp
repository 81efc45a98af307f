// The print preview window: layout, zoom, redraws, closing, and printing into a PDF.
#include "app/Environment.h"
#include "app/Module1.h"
#include "platform/dialogs/MessageBox.h"
#include "platform/picture/PictureBox.h"
#include "platform/dialogs/PrintDialog.h"
#include "platform/controls/TwipsGeometry.h"
#include "print/Form8.h"
#include "print/Form8Layout.h"
#include "print/PageGeometry.h"
#include "support/Quarters.h"
#include "support/TestMain.h"

#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QSlider>
#include <QStandardPaths>
#include <QTimer>
#include <memory>

namespace {

using namespace Quarters;

QImage quarters(int width, int height)
{
    return Quarters::sheet(width, height);
}

// Where the picture's colours are, ignoring white paper, grey blends at the
// edges and the black credit line.
QRect colouredBounds(const QImage &page)
{
    QRect bounds;
    for (int y = 0; y < page.height(); ++y)
        for (int x = 0; x < page.width(); ++x) {
            const QColor c = QColor::fromRgb(page.pixel(x, y));
            if (c.hsvSaturation() > 200 && c.value() > 200)
                bounds |= QRect(x, y, 1, 1);
        }
    return bounds;
}

bool near(const QRectF &actual, const QRectF &expected, double tolerance)
{
    return qAbs(actual.left() - expected.left()) <= tolerance && qAbs(actual.top() - expected.top()) <= tolerance
        && qAbs(actual.right() - expected.right()) <= tolerance
        && qAbs(actual.bottom() - expected.bottom()) <= tolerance;
}

QString describe(const QRectF &r)
{
    return QStringLiteral("(%1, %2) %3 x %4").arg(r.x()).arg(r.y()).arg(r.width()).arg(r.height());
}

// Where the picture should be on a page image that spans an A4 paper.
QRectF expectedOnPage(const QSize &page, int zoom, const QSizeF &sheet)
{
    const QRectF inches = *PageGeometry::pictureRect(zoom, sheet);
    const double sx = page.width() / PageGeometry::PageWidth;
    const double sy = page.height() / PageGeometry::PageHeight;
    return QRectF(inches.x() * sx, inches.y() * sy, inches.width() * sx, inches.height() * sy)
        .intersected(QRectF(QPointF(0, 0), QSizeF(page)));
}

// Runs one of the PDF tools and gives its output; empty when it failed.
QString runTool(const QString &program, const QStringList &arguments)
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0)
        return {};
    return QString::fromUtf8(process.readAllStandardOutput());
}

} // namespace

class TestForm8 : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();

    void opensMaximisedModalAtZoom20();
    void emptySheetGivesOnlyTheCreditLine();
    void pageShowsTheSheetCentred_data();
    void pageShowsTheSheetCentred();
    void sheetIsCopiedOnceAtLoad();
    void sheetSizeIsReadAtEveryDrawing();
    void layoutFollowsTheWindowHeight();
    void shortWindowKeepsTheLayout();
    void clicksOnThePageZoom_data();
    void clicksOnThePageZoom();
    void sliderRedrawsThePage();
    void minimisedDrawsNothingAndRestoreLaysOut();
    void pageKeepsItsDrawingWhenRepainted();
    void closes_data();
    void closes();
    void escapeDoesNotClose();
    void execReturnsWhenClosed();

    void printsOnePortraitA4Page_data();
    void printsOnePortraitA4Page();
    void printedCreditLine();
    void printJobIsNamedAfterTheDrawing_data();
    void printJobIsNamedAfterTheDrawing();
    void cancelledDialogPrintsNothing();
    void failedPrintIsReportedAndPreviewStaysUsable();

private:
    std::unique_ptr<Form8> openPreview();

    std::unique_ptr<PictureBox> m_sheet;
    std::unique_ptr<QTemporaryDir> m_dir;
    MessageBox::Recorder m_messages;
    PrintDialog::Recorder m_printDialog;
};

void TestForm8::initTestCase()
{
    for (const char *tool : {"pdfinfo", "pdftoppm", "pdftotext", "pdffonts"})
        QVERIFY2(!QStandardPaths::findExecutable(QLatin1String(tool)).isEmpty(),
                 "the PDF tools of poppler-utils are needed (tools/setup installs them)");
}

void TestForm8::init()
{
    Module1::reset();
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    m_sheet = std::make_unique<PictureBox>();
    m_sheet->setAutoSize(true);
    m_sheet->setPicture(quarters(400, 400));
    m_messages = {};
    m_printDialog = {};
    MessageBox::recordForTests(&m_messages);
    PrintDialog::recordForTests(&m_printDialog);
}

void TestForm8::cleanup()
{
    MessageBox::recordForTests(nullptr);
    PrintDialog::recordForTests(nullptr);
    m_sheet.reset();
    m_dir.reset();
}

std::unique_ptr<Form8> TestForm8::openPreview()
{
    auto form = std::make_unique<Form8>(m_sheet.get());
    form->show();
    if (!QTest::qWaitForWindowExposed(form.get()))
        return nullptr;
    return form;
}

void TestForm8::opensMaximisedModalAtZoom20()
{
    const auto form = openPreview();
    QVERIFY(form);
    QCOMPARE(form->windowTitle(), QStringLiteral("Pintavo - Anteprima di stampa"));
    QVERIFY(form->isMaximized());
    QCOMPARE(form->windowModality(), Qt::ApplicationModal);
    QVERIFY(!form->parentWidget());
    QCOMPARE(form->Slider1->value(), 20);
    QCOMPARE(form->Slider1->minimum(), 1);
    QCOMPARE(form->Slider1->maximum(), 100);
    QVERIFY(form->Image1->isHidden());
    QCOMPARE(form->Image1->picture(), m_sheet->image());
    QCOMPARE(form->Frame1->title(), QStringLiteral("Pannello comandi"));
    QCOMPARE(form->Label1->text(), QStringLiteral("Zoom di stampa"));
    for (const char *name : {"Picture1", "Frame1", "Command1", "Command2", "Label1", "Slider1", "Image1"})
        QVERIFY2(form->findChild<QWidget *>(QLatin1String(name)), name);
}

void TestForm8::emptySheetGivesOnlyTheCreditLine()
{
    m_sheet->setAutoSize(false);
    m_sheet->setPicture(QImage());
    m_sheet->resize(0, 0);
    const auto form = openPreview();
    QVERIFY(form);
    const QImage page = form->Picture1->picture();
    QVERIFY(colouredBounds(page).isEmpty());
    bool ink = false;
    for (int y = 0; y < page.height() / 10 && !ink; ++y)
        for (int x = 0; x < page.width() && !ink; ++x)
            ink = qGray(page.pixel(x, y)) < 100;
    QVERIFY(ink);
}

void TestForm8::pageShowsTheSheetCentred_data()
{
    QTest::addColumn<int>("zoom");
    QTest::newRow("zoom 20: 10 cm") << 20;
    QTest::newRow("zoom 5: 2.5 cm") << 5;
    QTest::newRow("zoom 42: as wide as the page") << 42;
}

void TestForm8::pageShowsTheSheetCentred()
{
    QFETCH(int, zoom);
    const auto form = openPreview();
    QVERIFY(form);
    form->Slider1->setValue(zoom);
    const QImage page = form->Picture1->picture();
    QCOMPARE(page.size(), QSize(form->Picture1->scaleWidth(), form->Picture1->scaleHeight()));
    const QRect actual = colouredBounds(page);
    const QRectF expected = expectedOnPage(page.size(), zoom, QSizeF(400, 400));
    QVERIFY2(near(QRectF(actual).adjusted(0, 0, 1, 1), expected, 1.5),
             qPrintable(describe(actual) + QStringLiteral(" instead of ") + describe(expected)));
    // The credit line near the top edge, in black on the white page.
    bool ink = false;
    const int textTop = int(0.1 * page.height() / PageGeometry::PageHeight);
    for (int y = textTop; y < textTop + 20 && !ink; ++y)
        for (int x = page.width() / 4; x < page.width() && !ink; ++x)
            ink = qGray(page.pixel(x, y)) < 100;
    QVERIFY(ink);
    QCOMPARE(page.pixel(2, page.height() - 3), qRgb(255, 255, 255));
}

// Colouring done on the sheet after the preview opened does not reach it.
void TestForm8::sheetIsCopiedOnceAtLoad()
{
    const auto form = openPreview();
    QVERIFY(form);
    m_sheet->fillBox(0, 0, 399, 399, ColorValue(0x000000));
    form->Slider1->setValue(30);
    const QImage page = form->Picture1->picture();
    const QRectF expected = expectedOnPage(page.size(), 30, QSizeF(400, 400));
    QCOMPARE(page.pixel(expected.center().toPoint() - QPoint(4, 4)), Red);
    QCOMPARE(form->Image1->picture(), quarters(400, 400));
}

// The copy keeps its pixels while the picture takes the sheet's proportions now.
void TestForm8::sheetSizeIsReadAtEveryDrawing()
{
    const auto form = openPreview();
    QVERIFY(form);
    m_sheet->setPicture(quarters(400, 200));
    form->Slider1->setValue(30);
    const QImage page = form->Picture1->picture();
    const QRect actual = colouredBounds(page);
    const QRectF expected = expectedOnPage(page.size(), 30, QSizeF(400, 200));
    QVERIFY2(near(QRectF(actual).adjusted(0, 0, 1, 1), expected, 1.5),
             qPrintable(describe(actual) + QStringLiteral(" instead of ") + describe(expected)));
}

void TestForm8::layoutFollowsTheWindowHeight()
{
    const auto form = openPreview();
    QVERIFY(form);
    for (const QSize size : {QSize(0, 0), QSize(700, 500), QSize(900, 1000)}) {
        if (!size.isEmpty()) {
            form->showNormal();
            form->resize(size);
            QTRY_COMPARE(form->size(), size);
        }
        const int height = windowTwipsSize(form.get()).height();
        Form8Geometry expected{QRect(30, 60, 4676, 6615), QRect(4800, -30, 1845, 2805)};
        QVERIFY(layoutForm8(expected, height));
        QCOMPARE(twipsRect(form->Picture1), expected.picture1);
        QCOMPARE(twipsRect(form->Frame1), expected.frame1);
        QCOMPARE(twipsRect(form->Picture1).height(), height - 1400);
        QCOMPARE(twipsRect(form->Frame1).left(),
                 twipsRect(form->Picture1).left() + twipsRect(form->Picture1).width() + 50);
        QCOMPARE(form->Picture1->picture().size(),
                 QSize(form->Picture1->scaleWidth(), form->Picture1->scaleHeight()));
    }
}

void TestForm8::shortWindowKeepsTheLayout()
{
    const auto form = openPreview();
    QVERIFY(form);
    form->showNormal();
    form->resize(600, 500);
    QTRY_COMPARE(form->size(), QSize(600, 500));
    const QRect page = twipsRect(form->Picture1);
    const QRect panel = twipsRect(form->Frame1);
    const QImage drawn = form->Picture1->picture();
    form->resize(600, 80);
    QTRY_COMPARE(form->size(), QSize(600, 80));
    QVERIFY(windowTwipsSize(form.get()).height() < 1400);
    form->Slider1->setValue(40);
    QCOMPARE(twipsRect(form->Picture1), page);
    QCOMPARE(twipsRect(form->Frame1), panel);
    QCOMPARE(form->Picture1->picture(), drawn);
}

void TestForm8::clicksOnThePageZoom_data()
{
    QTest::addColumn<int>("zoom");
    QTest::addColumn<Qt::MouseButton>("button");
    QTest::addColumn<int>("expected");
    QTest::newRow("left widens") << 20 << Qt::LeftButton << 25;
    QTest::newRow("right narrows") << 20 << Qt::RightButton << 15;
    QTest::newRow("middle narrows") << 20 << Qt::MiddleButton << 15;
    QTest::newRow("left at 100 stays") << 100 << Qt::LeftButton << 100;
    QTest::newRow("right at 3 gives 1") << 3 << Qt::RightButton << 1;
    QTest::newRow("back button does nothing") << 20 << Qt::BackButton << 20;
    QTest::newRow("forward button does nothing") << 20 << Qt::ForwardButton << 20;
}

void TestForm8::clicksOnThePageZoom()
{
    QFETCH(int, zoom);
    QFETCH(Qt::MouseButton, button);
    QFETCH(int, expected);
    const auto form = openPreview();
    QVERIFY(form);
    form->Slider1->setValue(zoom);
    QTest::mouseClick(form->Picture1, button, {}, QPoint(40, 40));
    QCOMPARE(form->Slider1->value(), expected);
    const QImage page = form->Picture1->picture();
    const QRect actual = colouredBounds(page);
    const QRectF wanted = expectedOnPage(page.size(), expected, QSizeF(400, 400));
    QVERIFY2(near(QRectF(actual).adjusted(0, 0, 1, 1), wanted, 1.5),
             qPrintable(describe(actual) + QStringLiteral(" instead of ") + describe(wanted)));
}

void TestForm8::sliderRedrawsThePage()
{
    const auto form = openPreview();
    QVERIFY(form);
    const int before = colouredBounds(form->Picture1->picture()).width();
    QTest::keyClick(form->Slider1, Qt::Key_PageUp);
    QCOMPARE(form->Slider1->value(), 25);
    const int after = colouredBounds(form->Picture1->picture()).width();
    QVERIFY2(qAbs(after - before * 25.0 / 20.0) <= 2, qPrintable(QStringLiteral("%1 -> %2").arg(before).arg(after)));
}

void TestForm8::minimisedDrawsNothingAndRestoreLaysOut()
{
    const auto form = openPreview();
    QVERIFY(form);
    const QImage atTwenty = form->Picture1->picture();
    const QRect page = twipsRect(form->Picture1);
    form->showMinimized();
    QTRY_VERIFY(form->isMinimized());
    form->Slider1->setValue(30);
    QCOMPARE(form->Picture1->picture(), atTwenty);
    QCOMPARE(twipsRect(form->Picture1), page);

    form->showMaximized();
    QTRY_VERIFY(!form->isMinimized());
    const QImage restored = form->Picture1->picture();
    QVERIFY(restored != atTwenty);
    const QRectF expected = expectedOnPage(restored.size(), 30, QSizeF(400, 400));
    QVERIFY(near(QRectF(colouredBounds(restored)).adjusted(0, 0, 1, 1), expected, 1.5));
    QCOMPARE(twipsRect(form->Picture1).height(), windowTwipsSize(form.get()).height() - 1400);
}

// Covering and uncovering the window repaints the page from its kept image.
void TestForm8::pageKeepsItsDrawingWhenRepainted()
{
    const auto form = openPreview();
    QVERIFY(form);
    const QImage page = form->Picture1->picture();
    form->Picture1->repaint();
    const QImage shown = form->Picture1->grab().toImage().convertToFormat(QImage::Format_RGB32);
    const int b = form->Picture1->borderWidth();
    QCOMPARE(shown.copy(b, b, page.width(), page.height()), page);
}

void TestForm8::closes_data()
{
    QTest::addColumn<QString>("how");
    QTest::newRow("&Chiudi") << "Command1";
    QTest::newRow("&Esci") << "menuesci";
    QTest::newRow("close box") << "close";
}

void TestForm8::closes()
{
    QFETCH(QString, how);
    const auto form = openPreview();
    QVERIFY(form);
    if (how == QLatin1String("Command1"))
        QTest::mouseClick(form->Command1, Qt::LeftButton);
    else if (how == QLatin1String("menuesci"))
        form->menuesci->trigger();
    else
        QVERIFY(form->close());
    QVERIFY(!form->isVisible());
    QCOMPARE(m_printDialog.shown, 0);
}

void TestForm8::escapeDoesNotClose()
{
    const auto form = openPreview();
    QVERIFY(form);
    QTest::keyClick(form.get(), Qt::Key_Escape);
    QVERIFY(form->isVisible());
}

void TestForm8::execReturnsWhenClosed()
{
    Form8 form(m_sheet.get());
    QTimer::singleShot(0, &form, [&form] {
        QVERIFY(form.isVisible());
        QVERIFY(form.isMaximized());
        QTest::mouseClick(form.Command1, Qt::LeftButton);
    });
    form.exec();
    QVERIFY(!form.isVisible());
}

void TestForm8::printsOnePortraitA4Page_data()
{
    QTest::addColumn<QPageLayout::Orientation>("chosen");
    QTest::addColumn<int>("zoom");
    QTest::addColumn<QRectF>("millimetres"); // the picture on the paper
    QTest::addColumn<QMarginsF>("printerMargins"); // left by a printer chosen before the file
    QTest::newRow("portrait, zoom 20") << QPageLayout::Portrait << 20 << QRectF(55, 98.5, 100, 100) << QMarginsF();
    QTest::newRow("landscape chosen, zoom 20")
        << QPageLayout::Landscape << 20 << QRectF(55, 98.5, 100, 100) << QMarginsF();
    QTest::newRow("portrait, zoom 42") << QPageLayout::Portrait << 42 << QRectF(0, 43.5, 210, 210) << QMarginsF();
    QTest::newRow("after a printer with margins")
        << QPageLayout::Portrait << 20 << QRectF(55, 98.5, 100, 100) << QMarginsF(18, 36, 18, 36);
}

void TestForm8::printsOnePortraitA4Page()
{
    QFETCH(QPageLayout::Orientation, chosen);
    QFETCH(int, zoom);
    QFETCH(QRectF, millimetres);
    QFETCH(QMarginsF, printerMargins);
    const auto form = openPreview();
    QVERIFY(form);
    form->Slider1->setValue(zoom);
    const QString pdf = m_dir->filePath(QStringLiteral("foglio.pdf"));
    m_printDialog.answers = {{true, pdf, chosen, printerMargins}};
    QTest::mouseClick(form->Command2, Qt::LeftButton);
    QCOMPARE(m_printDialog.shown, 1);
    QCOMPARE(m_messages.texts, QStringList());
    QVERIFY(form->isVisible());

    const QString info = runTool(QStringLiteral("pdfinfo"), {pdf});
    QVERIFY2(info.contains(QRegularExpression(QStringLiteral("^Pages:\\s+1$"), QRegularExpression::MultilineOption)),
             qPrintable(info));
    const QRegularExpressionMatch size =
        QRegularExpression(QStringLiteral("Page size:\\s+([\\d.]+) x ([\\d.]+) pts")).match(info);
    QVERIFY2(size.hasMatch(), qPrintable(info));
    // A4 is 595.3 x 841.9 points; PDF pages are given to the whole point.
    QVERIFY2(qAbs(size.captured(1).toDouble() - 595.3) < 1, qPrintable(size.captured(0)));
    QVERIFY2(qAbs(size.captured(2).toDouble() - 841.9) < 1, qPrintable(size.captured(0)));

    // Rasterised at 2 dots per millimetre.
    const QString prefix = m_dir->filePath(QStringLiteral("pagina"));
    runTool(QStringLiteral("pdftoppm"), {QStringLiteral("-r"), QStringLiteral("50.8"), QStringLiteral("-png"),
                                         QStringLiteral("-singlefile"), pdf, prefix});
    const QImage page(prefix + QStringLiteral(".png"));
    QVERIFY(!page.isNull());
    QVERIFY(qAbs(page.width() - 420) <= 1);
    QVERIFY(qAbs(page.height() - 594) <= 1);
    const QRectF expected(millimetres.x() * 2, millimetres.y() * 2, millimetres.width() * 2, millimetres.height() * 2);
    const QRect actual = colouredBounds(page);
    QVERIFY2(near(QRectF(actual).adjusted(0, 0, 1, 1), expected, 1),
             qPrintable(describe(actual) + QStringLiteral(" instead of ") + describe(expected)));
    // The sheet's middle is the page's middle.
    const QPoint middle(210, 297);
    QCOMPARE(page.pixel(middle + QPoint(-3, -3)), Red);
    QCOMPARE(page.pixel(middle + QPoint(3, -3)), Green);
    QCOMPARE(page.pixel(middle + QPoint(-3, 3)), Blue);
    QCOMPARE(page.pixel(middle + QPoint(3, 3)), Yellow);
}

// The credit line is real text on paper: its words, its font, 8 points, near the top.
void TestForm8::printedCreditLine()
{
    const auto form = openPreview();
    QVERIFY(form);
    form->Slider1->setValue(77);
    const QString pdf = m_dir->filePath(QStringLiteral("foglio.pdf"));
    m_printDialog.answers = {{true, pdf, QPageLayout::Portrait}};
    form->Stampa();
    QVERIFY(QFile::exists(pdf));

    const QString text = runTool(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")});
    QCOMPARE(text.trimmed(), QStringLiteral("Stampato con 'Pintavo freeware' - http://www.pintavo.example/"));
    const QString fonts = runTool(QStringLiteral("pdffonts"), {pdf});
    QVERIFY2(fonts.contains(QStringLiteral("LiberationSans")), qPrintable(fonts));

    // Word boxes in points: the line starts 2.4 inches from the left, its top
    // 0.1 inch from the top, and is as tall as an 8-point line.
    const QString boxes = runTool(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), pdf, QStringLiteral("-")});
    const QRegularExpressionMatch first = QRegularExpression(
        QStringLiteral("<word xMin=\"([\\d.]+)\" yMin=\"([\\d.]+)\" xMax=\"[\\d.]+\" yMax=\"([\\d.]+)\">Stampato<"))
                                              .match(boxes);
    QVERIFY2(first.hasMatch(), qPrintable(boxes));
    QVERIFY2(qAbs(first.captured(1).toDouble() - 2.4 * 72) < 1, qPrintable(first.captured(0)));
    const double top = first.captured(2).toDouble();
    const double height = first.captured(3).toDouble() - top;
    QVERIFY2(top >= 0.1 * 72 - 1 && top <= 0.1 * 72 + 2, qPrintable(QString::number(top)));
    QVERIFY2(height >= 8 && height <= 10, qPrintable(QString::number(height)));
}

void TestForm8::printJobIsNamedAfterTheDrawing_data()
{
    QTest::addColumn<QString>("sheet");
    QTest::addColumn<QString>("title");
    QTest::newRow("drawing read from a file") << "file" << "Pintavo - gatto e cane.bmp";
    QTest::newRow("the same picture given again, as undo all does") << "same" << "Pintavo - gatto e cane.bmp";
    QTest::newRow("another picture since, as a drop gives") << "new" << "Pintavo - disegno";
    QTest::newRow("picture of no file") << "none" << "Pintavo - disegno";
    QTest::newRow("blank sheet drawn over the drawing") << "blank" << "Pintavo - disegno";
    QTest::newRow("blank sheet, then the drawing given again") << "blank, same" << "Pintavo - gatto e cane.bmp";
}

void TestForm8::printJobIsNamedAfterTheDrawing()
{
    QFETCH(QString, sheet);
    if (sheet != QLatin1String("none"))
        m_sheet->setPicture(m_sheet->picture(), QStringLiteral("/home/bimbo/Immagini/gatto e cane.bmp"));
    if (sheet.startsWith(QLatin1String("blank")))
        m_sheet->forgetFileName();
    if (sheet.endsWith(QLatin1String("same")))
        m_sheet->setPicture(QImage(m_sheet->picture()));
    if (sheet == QLatin1String("new"))
        m_sheet->setPicture(quarters(40, 40));
    const auto form = openPreview();
    QVERIFY(form);
    const QString pdf = m_dir->filePath(QStringLiteral("foglio.pdf"));
    m_printDialog.answers = {{true, pdf, QPageLayout::Portrait}};
    form->Stampa();
    const QString info = runTool(QStringLiteral("pdfinfo"), {pdf});
    const QRegularExpressionMatch title =
        QRegularExpression(QStringLiteral("^Title: +(.*)$"), QRegularExpression::MultilineOption).match(info);
    QVERIFY2(title.hasMatch(), qPrintable(info));
    QTEST(title.captured(1), "title");
}

void TestForm8::cancelledDialogPrintsNothing()
{
    const auto form = openPreview();
    QVERIFY(form);
    const QImage page = form->Picture1->picture();
    const QString pdf = m_dir->filePath(QStringLiteral("foglio.pdf"));
    m_printDialog.answers = {{false, pdf, QPageLayout::Portrait}};
    QTest::mouseClick(form->Command2, Qt::LeftButton);
    QCOMPARE(m_printDialog.shown, 1);
    QVERIFY(!QFile::exists(pdf));
    QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files), QStringList());
    QCOMPARE(m_messages.texts, QStringList());
    QVERIFY(form->isVisible());
    QCOMPARE(form->Picture1->picture(), page);
}

// A PDF that cannot be written: the user is told, and can go on and print again.
void TestForm8::failedPrintIsReportedAndPreviewStaysUsable()
{
    const auto form = openPreview();
    QVERIFY(form);
    const QString unwritable = m_dir->filePath(QStringLiteral("manca/foglio.pdf"));
    const QString pdf = m_dir->filePath(QStringLiteral("foglio.pdf"));
    m_printDialog.answers = {{true, unwritable, QPageLayout::Portrait}, {true, pdf, QPageLayout::Portrait}};
    QTest::ignoreMessage(QtWarningMsg, "QPainter::begin(): Returned false");
    QTest::mouseClick(form->Command2, Qt::LeftButton);
    QCOMPARE(m_messages.texts.size(), 1);
    QVERIFY(m_messages.texts.first().contains(QStringLiteral("stampa")));
    QVERIFY(form->isVisible());

    QTest::mouseClick(form->Picture1, Qt::LeftButton, {}, QPoint(30, 30));
    QCOMPARE(form->Slider1->value(), 25);
    QTest::mouseClick(form->Command2, Qt::LeftButton);
    QCOMPARE(m_messages.texts.size(), 1);
    QVERIFY(QFileInfo(pdf).size() > 0);
}

PINTAVO_GUI_TEST_MAIN(TestForm8)
#include "tst_form8.moc"

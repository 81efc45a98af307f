// Choosing the painting colour and closing gaps with the retouch pen, on the real window.
#include "app/Environment.h"
#include "app/Module1.h"
#include "platform/controls/ClickLabel.h"
#include "platform/dialogs/CommonDialog.h"
#include "platform/controls/MousePointer.h"
#include "platform/picture/PictureBox.h"
#include "platform/controls/TwipsGeometry.h"
#include "sheet/Form1.h"
#include "sheet/Spectrum.h"
#include "support/PixelArt.h"
#include "support/TestMain.h"

#include <QGroupBox>
#include <QMetaType>
#include <QPushButton>
#include <QScreen>
#include <QSlider>
#include <QToolButton>
#include <QTemporaryDir>
#include <memory>

namespace {

enum class Choice { PaletteCell12, PaletteCell0, SpectrumAfterHover, SpectrumWithoutHover, Dialog, KeysToCell9, KeysAtEdges };

// Keys typed in the palette, where its focus is.
void typeInPalette(Form1 &form, std::initializer_list<Qt::Key> keys)
{
    form.Label1[0]->setFocus(Qt::TabFocusReason);
    for (const Qt::Key key : keys)
        QTest::keyClick(form.focusWidget(), key);
}

QImage white(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::white);
    return image;
}

int blackPixels(const QImage &image)
{
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            n += image.pixel(x, y) == qRgb(0, 0, 0);
    return n;
}

void sendMouse(QWidget *widget, QEvent::Type type, QPointF pos, Qt::MouseButton button, Qt::MouseButtons held)
{
    QMouseEvent event(type, pos, widget->mapToGlobal(pos), button, held, Qt::NoModifier);
    QCoreApplication::sendEvent(widget, &event);
}

} // namespace

Q_DECLARE_METATYPE(Choice)

class TestPalette : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void choosingAColourPaintsTheNextFill_data();
    void choosingAColourPaintsTheNextFill();
    void hoveringThePreviewsWithoutChoosing();
    void dialogColourRules_data();
    void dialogColourRules();
    void cancellingTheDialogAgainReappliesItsColour();
    void penStateTable_data();
    void penStateTable();
    void penSquareSizes_data();
    void penSquareSizes();
    void dragDrawsOnlyWithTheLeftButtonAlone_data();
    void dragDrawsOnlyWithTheLeftButtonAlone();
    void fastStrokeLeavesSeparateSquares();
    void mouseDownDrawsOneSquareWhateverTheButton_data();
    void mouseDownDrawsOneSquareWhateverTheButton();
    void fillStopsAtAPenLine();
    void frameMouseDownMovesAndHidesTheSpectrum_data();
    void frameMouseDownMovesAndHidesTheSpectrum();
    void strayPressesLeaveTheSpectrum_data();
    void strayPressesLeaveTheSpectrum();
    void sideButtonsDoNothingOnTheSheet_data();
    void sideButtonsDoNothingOnTheSheet();
    void pointerFollowsThePen();
    void sliderSteps();
    void scaledScreens_data();
    void scaledScreens();

private:
    std::unique_ptr<Form1> makeForm();
    QTemporaryDir m_program;
    CommonDialog::Recorder m_dialog;
};

void TestPalette::init()
{
    Module1::reset();
    m_dialog = {};
    CommonDialog::recordForTests(&m_dialog);
    MousePointer::set(MousePointer::Default);
}

void TestPalette::cleanup()
{
    CommonDialog::recordForTests(nullptr);
    MousePointer::set(MousePointer::Default);
}

std::unique_ptr<Form1> TestPalette::makeForm()
{
    Form1::Options options;
    options.programFolder = m_program.path();
    options.random = [] { return 0.0; };
    auto form = std::make_unique<Form1>(options);
    form->show();
    form->Picture1->setPicture(white(40, 30));
    return form;
}

void TestPalette::choosingAColourPaintsTheNextFill_data()
{
    QTest::addColumn<Choice>("choice");
    QTest::addColumn<QRgb>("painted");
    QTest::newRow("palette cell 12, light red") << Choice::PaletteCell12 << qRgb(255, 0, 0);
    QTest::newRow("palette cell 0, black") << Choice::PaletteCell0 << qRgb(0, 0, 0);
    QTest::newRow("spectrum after hovering") << Choice::SpectrumAfterHover << makeSpectrum().pixel(10, 50);
    QTest::newRow("spectrum without hovering: light yellow") << Choice::SpectrumWithoutHover << qRgb(255, 255, 192);
    QTest::newRow("colour dialog") << Choice::Dialog << qRgb(0x12, 0x34, 0x56);
    QTest::newRow("keys: Right, Down, Down, Space to cell 9") << Choice::KeysToCell9 << qRgb(0, 0, 255);
    QTest::newRow("keys: Down past the last row, Left at the edge, Enter") << Choice::KeysAtEdges << qRgb(255, 0, 0);
}

void TestPalette::choosingAColourPaintsTheNextFill()
{
    QFETCH(Choice, choice);
    QFETCH(QRgb, painted);
    const auto form = makeForm();
    const int b = form->Picture6->borderWidth();
    switch (choice) {
    case Choice::PaletteCell12:
        QTest::mouseClick(form->Label1[12], Qt::LeftButton);
        break;
    case Choice::PaletteCell0:
        QTest::mouseClick(form->Label1[0], Qt::LeftButton);
        break;
    case Choice::SpectrumAfterHover:
        sendMouse(form->Picture6, QEvent::MouseMove, QPoint(10 + b, 50 + b), Qt::NoButton, Qt::NoButton);
        QTest::mouseClick(form->Picture6, Qt::LeftButton, {}, QPoint(10 + b, 50 + b));
        break;
    case Choice::SpectrumWithoutHover:
        form->Picture6_Click();
        break;
    case Choice::Dialog:
        m_dialog.colors = {ColorValue::fromRgb(0x12, 0x34, 0x56)};
        QTest::mouseClick(form->Label2, Qt::LeftButton);
        QCOMPARE(m_dialog.shown, 1);
        break;
    case Choice::KeysToCell9:
        typeInPalette(*form, {Qt::Key_Right, Qt::Key_Down, Qt::Key_Down, Qt::Key_Space});
        break;
    case Choice::KeysAtEdges:
        typeInPalette(*form, {Qt::Key_Down, Qt::Key_Down, Qt::Key_Down, Qt::Key_Down, Qt::Key_Left, Qt::Key_Enter});
        break;
    }
    QCOMPARE(form->Picture2->backColor().resolved().rgb(), painted);
    QCOMPARE(Module1::ColoreAttuale, form->Picture2->backColor());
    form->Picture1_MouseDown(1, 0, 5, 5);
    QCOMPARE(form->Picture1->image().pixel(39, 29), painted);
}

// The bar shows exactly the spectrum's pixel under the pointer; the painting
// colour does not change until a click.
void TestPalette::hoveringThePreviewsWithoutChoosing()
{
    const auto form = makeForm();
    const QImage spectrum = makeSpectrum();
    QCOMPARE(spectrum.size(), QSize(77, 117));
    QCOMPARE(form->Picture6->image().size(), QSize(77, 117));
    const ColorValue before = form->Picture2->backColor();
    for (const QPoint p : {QPoint(0, 0), QPoint(76, 116), QPoint(38, 58), QPoint(74, 10)}) {
        form->Picture6_MouseMove(0, 0, float(p.x()), float(p.y()));
        QCOMPARE(form->Label2->backColor(), ColorValue::fromQRgb(spectrum.pixel(p)));
    }
    QCOMPARE(form->Picture2->backColor(), before);
    const ColorValue shown = form->Label2->backColor();
    form->Picture6_MouseMove(0, 0, -1.0f, 5.0f);
    QCOMPARE(form->Label2->backColor(), shown);
}

void TestPalette::dialogColourRules_data()
{
    QTest::addColumn<bool>("answered");
    QTest::addColumn<quint32>("answer");
    QTest::addColumn<bool>("changes");
    QTest::newRow("a colour switches the pen off") << true << 0x00FF8800u << true;
    QTest::newRow("black (0) changes nothing") << true << 0u << false;
    QTest::newRow("cancel before any choice changes nothing") << false << 0u << false;
}

void TestPalette::dialogColourRules()
{
    QFETCH(bool, answered);
    QFETCH(quint32, answer);
    QFETCH(bool, changes);
    const auto form = makeForm();
    form->Command6_Click();
    const ColorValue before = form->Picture2->backColor();
    if (answered)
        m_dialog.colors = {ColorValue(answer)};
    form->Label2_Click();
    QCOMPARE(form->Picture2->backColor(), changes ? ColorValue(answer) : before);
    QCOMPARE(Module1::ModoRitocco, qint16(changes ? 0 : 1));
}

void TestPalette::cancellingTheDialogAgainReappliesItsColour()
{
    const auto form = makeForm();
    m_dialog.colors = {ColorValue(0x00336699)};
    form->Label2_Click();
    form->Label1_Click(3);
    QCOMPARE(form->Picture2->backColor(), ColorValue(0x808000));
    form->Command6_Click();
    form->Label2_Click(); // cancelled: the dialog keeps its earlier colour
    QCOMPARE(m_dialog.shown, 2);
    QCOMPARE(form->Picture2->backColor(), ColorValue(0x00336699));
    QCOMPARE(Module1::ModoRitocco, qint16(0));
}

void TestPalette::penStateTable_data()
{
    QTest::addColumn<QString>("steps");
    QTest::addColumn<int>("pen");
    QTest::newRow("pen button") << "pen" << 1;
    QTest::newRow("pen button twice does not toggle") << "pen pen" << 1;
    QTest::newRow("palette cell puts it away") << "pen cell" << 0;
    QTest::newRow("black cell puts it away though the pen is black") << "pen cell0" << 0;
    QTest::newRow("spectrum click puts it away") << "pen spectrum" << 0;
    QTest::newRow("dialog colour puts it away") << "pen dialog" << 0;
    QTest::newRow("cancelled dialog keeps it") << "pen cancel" << 1;
    QTest::newRow("colour pick-up keeps it on: the click draws") << "pen pick" << 1;
    QTest::newRow("on again after a colour") << "pen cell pen" << 1;
    QTest::newRow("a cell chosen with Space puts it away") << "pen key" << 0;
}

void TestPalette::penStateTable()
{
    QFETCH(QString, steps);
    const auto form = makeForm();
    QCOMPARE(Module1::ModoRitocco, qint16(0));
    for (const QString &step : steps.split(QLatin1Char(' '))) {
        if (step == QLatin1String("pen"))
            QTest::mouseClick(form->Command6, Qt::LeftButton);
        else if (step == QLatin1String("cell"))
            QTest::mouseClick(form->Label1[9], Qt::LeftButton);
        else if (step == QLatin1String("cell0"))
            QTest::mouseClick(form->Label1[0], Qt::LeftButton);
        else if (step == QLatin1String("spectrum"))
            QTest::mouseClick(form->Picture6, Qt::LeftButton, {}, QPoint(20, 20));
        else if (step == QLatin1String("dialog")) {
            m_dialog.colors = {ColorValue(0x0000AA00)};
            form->Label2_Click();
        } else if (step == QLatin1String("cancel"))
            form->Label2_Click();
        else if (step == QLatin1String("pick"))
            form->Picture1_MouseDown(2, 0, 5, 5);
        else if (step == QLatin1String("key"))
            typeInPalette(*form, {Qt::Key_Right, Qt::Key_Space});
    }
    QTEST(int(Module1::ModoRitocco), "pen");
}

void TestPalette::penSquareSizes_data()
{
    QTest::addColumn<int>("t");
    QTest::addColumn<QPoint>("at");
    QTest::addColumn<int>("pixels");
    QTest::addColumn<QRect>("box");
    QTest::newRow("t = 0: one point") << 0 << QPoint(10, 10) << 1 << QRect(10, 10, 1, 1);
    QTest::newRow("t = 2 (start)") << 2 << QPoint(10, 10) << 25 << QRect(8, 8, 5, 5);
    QTest::newRow("t = 8: 17 x 17") << 8 << QPoint(20, 15) << 289 << QRect(12, 7, 17, 17);
    QTest::newRow("cut by the top-left corner") << 8 << QPoint(0, 0) << 81 << QRect(0, 0, 9, 9);
    QTest::newRow("cut by the bottom-right corner") << 8 << QPoint(39, 29) << 81 << QRect(31, 21, 9, 9);
}

void TestPalette::penSquareSizes()
{
    QFETCH(int, t);
    QFETCH(QPoint, at);
    QFETCH(int, pixels);
    QFETCH(QRect, box);
    const auto form = makeForm();
    form->Slider4->setValue(t);
    form->Command6_Click();
    form->Picture1_MouseDown(1, 0, float(at.x()), float(at.y()));
    const QImage image = form->Picture1->image();
    QCOMPARE(blackPixels(image), pixels);
    QCOMPARE(blackPixels(image.copy(box)), pixels);
    QCOMPARE(form->Picture1->picture().pixel(at), qRgb(255, 255, 255));
}

void TestPalette::dragDrawsOnlyWithTheLeftButtonAlone_data()
{
    QTest::addColumn<Qt::MouseButtons>("held");
    QTest::addColumn<int>("pixels");
    QTest::newRow("left") << Qt::MouseButtons(Qt::LeftButton) << 25;
    QTest::newRow("right") << Qt::MouseButtons(Qt::RightButton) << 0;
    QTest::newRow("middle") << Qt::MouseButtons(Qt::MiddleButton) << 0;
    QTest::newRow("left and right") << (Qt::LeftButton | Qt::RightButton) << 0;
    QTest::newRow("no button") << Qt::MouseButtons() << 0;
}

void TestPalette::dragDrawsOnlyWithTheLeftButtonAlone()
{
    QFETCH(Qt::MouseButtons, held);
    const auto form = makeForm();
    form->Command6_Click();
    const int b = form->Picture1->borderWidth();
    sendMouse(form->Picture1, QEvent::MouseMove, QPoint(20 + b, 15 + b), Qt::NoButton, held);
    QTEST(blackPixels(form->Picture1->image()), "pixels");
}

void TestPalette::fastStrokeLeavesSeparateSquares()
{
    const auto form = makeForm();
    form->Slider4->setValue(1);
    form->Command6_Click();
    form->Picture1_MouseMove(1, 0, 5, 5);
    form->Picture1_MouseMove(1, 0, 30, 5);
    const QImage image = form->Picture1->image();
    QCOMPARE(blackPixels(image), 18);
    for (int x = 7; x < 29; ++x)
        QCOMPARE(image.pixel(x, 5), qRgb(255, 255, 255));
}

void TestPalette::mouseDownDrawsOneSquareWhateverTheButton_data()
{
    QTest::addColumn<Qt::MouseButton>("button");
    QTest::newRow("left") << Qt::LeftButton;
    QTest::newRow("right") << Qt::RightButton;
    QTest::newRow("middle") << Qt::MiddleButton;
}

void TestPalette::mouseDownDrawsOneSquareWhateverTheButton()
{
    QFETCH(Qt::MouseButton, button);
    const auto form = makeForm();
    form->Command6_Click();
    const ColorValue strip = form->Picture2->backColor();
    const int b = form->Picture1->borderWidth();
    QTest::mousePress(form->Picture1, button, {}, QPoint(20 + b, 15 + b));
    QCOMPARE(blackPixels(form->Picture1->image()), 25);
    QCOMPARE(form->Picture2->backColor(), strip);
}

// A gap in an outline lets a fill leak; the pen closes it and the fill stops.
void TestPalette::fillStopsAtAPenLine()
{
    const auto form = makeForm();
    const QImage gapped = pixelArt({
        "...#....",
        "...#....",
        "........",
        "...#....",
        "...#....",
    });
    form->Picture1->setPicture(gapped);
    form->Label1_Click(12);
    form->Picture1_MouseDown(1, 0, 0, 0);
    QCOMPARE(form->Picture1->image().pixel(7, 4), qRgb(255, 0, 0));

    form->Picture1->setPicture(gapped);
    form->Slider4->setValue(0);
    form->Command6_Click();
    form->Picture1_MouseDown(1, 0, 3, 2);
    form->Label1_Click(12);
    form->Picture1_MouseDown(1, 0, 0, 0);
    QCOMPARE(form->Picture1->image(), pixelArt({
                                          "rrr#....",
                                          "rrr#....",
                                          "rrr#....",
                                          "rrr#....",
                                          "rrr#....",
                                      }));
}

void TestPalette::frameMouseDownMovesAndHidesTheSpectrum_data()
{
    QTest::addColumn<Qt::MouseButton>("button");
    QTest::addColumn<int>("moved");
    QTest::newRow("left moves 10 twips") << Qt::LeftButton << 10;
    QTest::newRow("right only hides") << Qt::RightButton << 0;
}

void TestPalette::frameMouseDownMovesAndHidesTheSpectrum()
{
    QFETCH(Qt::MouseButton, button);
    QFETCH(int, moved);
    const auto form = makeForm();
    form->Form_Resize();
    const QRect before = twipsRect(form->Frame1);
    QVERIFY(form->Picture6->isVisible());
    // An empty spot of the frame, below the last button.
    QTest::mouseClick(form->Frame1, button, {}, QPoint(20, form->Frame1->height() - 4));
    QCOMPARE(twipsRect(form->Frame1), before.translated(moved, 0));
    QVERIFY(!form->Picture6->isVisible());
    form->Form_Resize();
    QCOMPARE(twipsRect(form->Frame1).left(), twipsRect(form->Picture1).right() + 1 + 20);
    QVERIFY(!form->Picture6->isVisible());
}

// Presses the column's controls ignore reach the frame, which must not take them
// for its own; and the side buttons mean nothing, even on the frame itself.
void TestPalette::strayPressesLeaveTheSpectrum_data()
{
    QTest::addColumn<QString>("control");
    QTest::addColumn<Qt::MouseButton>("button");
    const std::pair<const char *, Qt::MouseButton> buttons[] = {
        {"right", Qt::RightButton}, {"middle", Qt::MiddleButton},
        {"back", Qt::BackButton}, {"forward", Qt::ForwardButton}};
    for (const char *control : {"Command1", "Command2", "Command3", "Command4", "Command5", "Command6",
                                "Command7", "Slider4", "Label1", "Label2", "Picture6"}) {
        for (const auto &[name, button] : buttons)
            QTest::addRow("%s %s", name, control) << QString::fromLatin1(control) << button;
    }
    QTest::newRow("back on the frame") << "Frame1" << Qt::BackButton;
    QTest::newRow("forward on the frame") << "Frame1" << Qt::ForwardButton;
}

void TestPalette::strayPressesLeaveTheSpectrum()
{
    QFETCH(QString, control);
    QFETCH(Qt::MouseButton, button);
    const auto form = makeForm();
    form->Form_Resize();
    const QRect frame = twipsRect(form->Frame1);
    const ColorValue painting = form->Picture2->backColor();
    auto *target = control == QLatin1String("Frame1") ? form->Frame1 : form->Frame1->findChild<QWidget *>(control);
    QVERIFY(target);
    const QPoint at = target == form->Frame1 ? QPoint(20, form->Frame1->height() - 4) : target->rect().center();
    QTest::mouseClick(target, button, {}, at);
    QTest::mouseDClick(target, button, {}, at);
    QVERIFY(form->Picture6->isVisible());
    QCOMPARE(twipsRect(form->Frame1), frame);
    QCOMPARE(form->Picture2->backColor(), painting);
    QCOMPARE(Module1::ModoRitocco, qint16(0));
}

void TestPalette::sideButtonsDoNothingOnTheSheet_data()
{
    QTest::addColumn<bool>("pen");
    QTest::addColumn<Qt::MouseButton>("button");
    QTest::newRow("back, pen off: no colour picked up") << false << Qt::BackButton;
    QTest::newRow("forward, pen off: no colour picked up") << false << Qt::ForwardButton;
    QTest::newRow("back, pen on: no square") << true << Qt::BackButton;
    QTest::newRow("forward, pen on: no square") << true << Qt::ForwardButton;
}

void TestPalette::sideButtonsDoNothingOnTheSheet()
{
    QFETCH(bool, pen);
    QFETCH(Qt::MouseButton, button);
    const auto form = makeForm();
    form->Label1_Click(12);
    if (pen)
        form->Command6_Click();
    const QImage before = form->Picture1->image();
    const int b = form->Picture1->borderWidth();
    QTest::mouseClick(form->Picture1, button, {}, QPoint(10 + b, 10 + b));
    QTest::mouseDClick(form->Picture1, button, {}, QPoint(12 + b, 10 + b));
    QCOMPARE(form->Picture1->image(), before);
    QCOMPARE(form->Picture2->backColor(), ColorValue(0x0000FF));
    QCOMPARE(int(Module1::ModoRitocco), pen ? 1 : 0);
}

void TestPalette::pointerFollowsThePen()
{
    const auto form = makeForm();
    const int b = form->Picture1->borderWidth();
    sendMouse(form->Picture1, QEvent::MouseMove, QPoint(10 + b, 10 + b), Qt::NoButton, Qt::NoButton);
    QCOMPARE(MousePointer::current(), int(MousePointer::Default));
    form->Command6_Click();
    sendMouse(form->Picture1, QEvent::MouseMove, QPoint(11 + b, 10 + b), Qt::NoButton, Qt::NoButton);
    QCOMPARE(MousePointer::current(), int(MousePointer::Crosshair));
    QCOMPARE(QGuiApplication::overrideCursor()->shape(), Qt::CrossCursor);
    // Over a button the crosshair stays until the frame, strip or window is crossed.
    sendMouse(form->Command4, QEvent::MouseMove, QPoint(5, 5), Qt::NoButton, Qt::NoButton);
    QCOMPARE(MousePointer::current(), int(MousePointer::Crosshair));
    sendMouse(form->Frame1, QEvent::MouseMove, QPoint(20, form->Frame1->height() - 4), Qt::NoButton, Qt::NoButton);
    QCOMPARE(MousePointer::current(), int(MousePointer::Default));
    QVERIFY(!QGuiApplication::overrideCursor());
    sendMouse(form->Picture1, QEvent::MouseMove, QPoint(12 + b, 10 + b), Qt::NoButton, Qt::NoButton);
    sendMouse(form->Picture2, QEvent::MouseMove, QPoint(3, 3), Qt::NoButton, Qt::NoButton);
    QCOMPARE(MousePointer::current(), int(MousePointer::Default));
    sendMouse(form->Picture1, QEvent::MouseMove, QPoint(12 + b, 11 + b), Qt::NoButton, Qt::NoButton);
    sendMouse(form->centralWidget(), QEvent::MouseMove, QPoint(3, form->centralWidget()->height() - 3), Qt::NoButton, Qt::NoButton);
    QCOMPARE(MousePointer::current(), int(MousePointer::Default));
}

void TestPalette::sliderSteps()
{
    const auto form = makeForm();
    QCOMPARE(form->Slider4->value(), 2);
    form->Slider4->setFocus();
    QTest::keyClick(form->Slider4, Qt::Key_Right);
    QCOMPARE(form->Slider4->value(), 3);
    QTest::keyClick(form->Slider4, Qt::Key_PageUp);
    QCOMPARE(form->Slider4->value(), 8);
    QTest::keyClick(form->Slider4, Qt::Key_PageDown);
    QCOMPARE(form->Slider4->value(), 3);
    QTest::keyClick(form->Slider4, Qt::Key_PageDown);
    QCOMPARE(form->Slider4->value(), 0);
}

// On the screens scaled by 1.25, 1.5 and 2 of tests/data/scaledscreens.json, pen
// squares a device pixel apart: after each the screen shows what a whole repaint
// shows, centred on the picture pixel the screen showed under the pointer.
void TestPalette::scaledScreens_data()
{
    QTest::addColumn<qreal>("scale");
    QTest::newRow("1.25") << 1.25;
    QTest::newRow("1.5") << 1.5;
    QTest::newRow("2") << 2.0;
}

void TestPalette::scaledScreens()
{
    QFETCH(qreal, scale);
    QScreen *screen = nullptr;
    for (QScreen *each : QGuiApplication::screens())
        screen = each->devicePixelRatio() == scale ? each : screen;
    QVERIFY2(screen, "QT_QPA_PLATFORM names no configfile with scaled screens");
    const auto form = makeForm();
    form->setScreen(screen);
    QVERIFY(QTest::qWaitForWindowExposed(form.get()));
    PictureBox *sheet = form->Picture1;
    const auto shot = [&] { return screen->grabWindow(form->winId()).toImage(); };
    QImage drawing = white(60, 60); // each pixel tells where it lies
    for (int i = 0; i < 3600; ++i)
        drawing.setPixel(i % 60, i / 60, qRgb(1 + i % 60 * 4, 1 + i / 60 * 4, 77));
    form->Command6_Click();
    const QPoint corner = sheet->mapTo(form.get(), QPoint());
    for (int k = 0; k < 9; ++k) {
        sheet->setPicture(drawing);
        QCoreApplication::processEvents();
        const QPoint under = QPoint(20 + k, 20 + k) + (QPointF(corner) * scale).toPoint();
        const QRgb shown = shot().pixel(under);
        const QPointF at = QPointF(under) / scale - QPointF(corner);
        sendMouse(sheet, QEvent::MouseButtonPress, at, Qt::LeftButton, Qt::LeftButton);
        sendMouse(sheet, QEvent::MouseButtonRelease, at, Qt::LeftButton, Qt::NoButton);
        QCoreApplication::processEvents();
        const QImage changed = shot();
        sheet->repaint();
        QCOMPARE(changed, shot());
        const QPoint centre((qRed(shown) - 1) / 4, (qGreen(shown) - 1) / 4);
        QCOMPARE(blackPixels(sheet->image().copy(QRect(centre, QSize(5, 5)).translated(-2, -2))), 25);
    }
}

PINTAVO_GUI_TEST_MAIN(TestPalette)
#include "tst_palette.moc"

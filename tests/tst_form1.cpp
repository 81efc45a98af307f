// The main window: start-up, layout, and what clicks on the sheet do.
#include "app/Environment.h"
#include "app/Module1.h"
#include "platform/picture/PictureBox.h"
#include "platform/picture/SvgPicture.h"
#include "platform/controls/TwipsGeometry.h"
#include "sheet/Form1.h"
#include "sheet/Form1Layout.h"
#include "support/PixelArt.h"
#include "support/SeamRecorders.h"
#include "support/TestMain.h"

#include "platform/browser/WebBrowser.h"

#include <QGroupBox>
#include <QKeySequence>
#include <QSlider>
#include <QStyle>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QToolButton>
#include <memory>

namespace {

QImage solid(int width, int height, QRgb rgb)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(rgb);
    return image;
}

// A square ring, an inner area and a green dot outside it.
QImage ringDrawing()
{
    return pixelArt({
        "..........",
        ".######...",
        ".#....#...",
        ".#....#.g.",
        ".#....#...",
        ".######...",
        "..........",
    });
}

// Widget position of a pixel of the sheet (its border lies around the image).
QPoint onSheet(const Form1 &form, int x, int y)
{
    return QPoint(x + form.Picture1->borderWidth(), y + form.Picture1->borderWidth());
}

} // namespace

class TestForm1 : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void startupPicksTheRthFile_data();
    void startupPicksTheRthFile();
    void startupSkipsAFileThatIsNoPicture();
    void startupWithoutDrawingsFolder();
    void startupOnThePictureAskedFor_data();
    void startupOnThePictureAskedFor();
    void programFolderEndsInOneSlash_data();
    void programFolderEndsInOneSlash();
    void startsMaximisedWithTheLayoutApplied();
    void layoutFollowsAWiderDrawing();
    void pictureButtonsShowSharpPictures_data();
    void pictureButtonsShowSharpPictures();

    void leftClickFillsWithTheStripColour();
    void otherButtonsPickUpTheColour_data();
    void otherButtonsPickUpTheColour();
    void pickUpOffTheDrawingKeepsTheColour();
    void fillRestoresFillSettings();
    void firstFillUsesTheWindowBackground();
    void sheetKeysActAtTheKeyboardPoint_data();
    void sheetKeysActAtTheKeyboardPoint();
    void clickPositionRoundsHalfToEven_data();
    void clickPositionRoundsHalfToEven();
    void fillRepaintsOnlyTheChangedArea();

private:
    std::unique_ptr<Form1> makeForm(double random = 0.0, const QString &pictureFile = {});
    void writeDrawing(const QString &name, const QImage &image);

    std::unique_ptr<QTemporaryDir> m_program;
};

void TestForm1::init()
{
    Module1::reset();
    m_program = std::make_unique<QTemporaryDir>();
    QVERIFY(m_program->isValid());
    QApplication::setPalette(QApplication::style()->standardPalette());
}

void TestForm1::cleanup()
{
    m_program.reset();
}

std::unique_ptr<Form1> TestForm1::makeForm(double random, const QString &pictureFile)
{
    Form1::Options options;
    options.programFolder = m_program->path();
    options.random = [random] { return random; };
    options.pictureFile = pictureFile;
    return std::make_unique<Form1>(options);
}

void TestForm1::writeDrawing(const QString &name, const QImage &image)
{
    QDir(m_program->path()).mkpath(QStringLiteral("Immagini"));
    QVERIFY(image.save(m_program->filePath(QStringLiteral("Immagini/") + name), "BMP"));
}

void TestForm1::startupPicksTheRthFile_data()
{
    QTest::addColumn<double>("random");
    QTest::addColumn<int>("expectedWidth"); // 0: the sheet stays empty
    QTest::addColumn<QString>("file"); // the sheet's file in Immagini
    QTest::newRow("r = 1") << 0.0 << 10 << "a.bmp";
    QTest::newRow("r = 2") << 0.15 << 20 << "b.bmp";
    QTest::newRow("r = 3") << 0.2999 << 30 << "c.bmp";
    for (int r = 4; r <= 10; ++r)
        QTest::newRow(qPrintable(QStringLiteral("r = %1").arg(r))) << (r - 1) / 10.0 + 0.05 << 0 << QString();
    QTest::newRow("largest random gives r = 10") << 0.99999 << 0 << QString();
}

// Three drawings, told apart by their widths; files are taken in name order.
void TestForm1::startupPicksTheRthFile()
{
    QFETCH(double, random);
    QFETCH(int, expectedWidth);
    QFETCH(QString, file);
    writeDrawing(QStringLiteral("a.bmp"), solid(10, 8, qRgb(255, 0, 0)));
    writeDrawing(QStringLiteral("b.bmp"), solid(20, 8, qRgb(0, 255, 0)));
    writeDrawing(QStringLiteral("c.bmp"), solid(30, 8, qRgb(0, 0, 255)));
    const auto form = makeForm(random);
    if (expectedWidth == 0) {
        QVERIFY(form->Picture1->picture().isNull());
        QCOMPARE(form->Picture1->image().size(), QSize(452, 589));
        QCOMPARE(form->Picture1->image().pixel(100, 100), qRgb(255, 255, 255));
        QCOMPARE(twipsRect(form->Picture1), QRect(60, 150, 6840, 8895));
    } else {
        QCOMPARE(form->Picture1->picture().width(), expectedWidth);
        QCOMPARE(form->Picture1->image().size(), QSize(expectedWidth, 8));
        QCOMPARE(form->Picture1->size(), QSize(expectedWidth + 4, 12));
        QCOMPARE(twipsRect(form->Picture1).topLeft(), QPoint(60, 150));
    }
    // What a print of the sheet is named after.
    QCOMPARE(form->Picture1->fileName(),
             file.isEmpty() ? QString() : m_program->filePath(QStringLiteral("Immagini/") + file));
}

void TestForm1::startupSkipsAFileThatIsNoPicture()
{
    writeDrawing(QStringLiteral("a.bmp"), solid(10, 8, qRgb(255, 0, 0)));
    QFile note(m_program->filePath(QStringLiteral("Immagini/b.bmp")));
    QVERIFY(note.open(QIODevice::WriteOnly));
    note.write("leggimi: non sono un disegno");
    note.close();
    writeDrawing(QStringLiteral("c.bmp"), solid(30, 8, qRgb(0, 0, 255)));
    const auto form = makeForm(0.1);
    QVERIFY(form->Picture1->picture().isNull());
    QCOMPARE(form->Text1->text(), Module1::Percorso + QStringLiteral("menu/menu.htm"));
    QVERIFY(form->windowState() & Qt::WindowMaximized);
}

void TestForm1::startupWithoutDrawingsFolder()
{
    const auto form = makeForm(0.0);
    QVERIFY(form->Picture1->picture().isNull());
    QCOMPARE(Module1::Percorso, m_program->path() + QStringLiteral("/"));
    QCOMPARE(form->Text1->text(), m_program->path() + QStringLiteral("/menu/menu.htm"));
}

void TestForm1::startupOnThePictureAskedFor_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("expectedWidth");
    QTest::addColumn<QString>("toldEnd"); // empty: nothing is told
    QTest::newRow("a picture") << "foto.bmp" << 40 << QString();
    QTest::newRow("no picture") << "nota.bmp" << 10 << ": non è un'immagine che Pintavo sa leggere.";
    QTest::newRow("missing") << "manca.bmp" << 10 << ": il file non esiste.";
}

// The picture asked for replaces the random drawing (a.bmp here); one that
// cannot be opened leaves it, and says why once the window is up, not before.
void TestForm1::startupOnThePictureAskedFor()
{
    QFETCH(QString, name);
    QFETCH(int, expectedWidth);
    QFETCH(QString, toldEnd);
    SeamRecorders seams;
    seams.start();
    writeDrawing(QStringLiteral("a.bmp"), solid(10, 8, qRgb(255, 0, 0)));
    QVERIFY(solid(40, 30, qRgb(0, 0, 255)).save(m_program->filePath(QStringLiteral("foto.bmp")), "BMP"));
    QFile note(m_program->filePath(QStringLiteral("nota.bmp")));
    QVERIFY(note.open(QIODevice::WriteOnly) && note.write("non sono un disegno") > 0);
    note.close();
    const QString path = m_program->filePath(name);

    const auto form = makeForm(0.0, path);
    QCOMPARE(form->Picture1->image().width(), expectedWidth);
    QVERIFY(seams.messages.texts.isEmpty());
    QCOMPARE(form->Text1->text(), m_program->path() + QStringLiteral("/menu/menu.htm"));
    form->show();
    if (toldEnd.isEmpty()) {
        QTest::qWait(50);
        QVERIFY(seams.messages.texts.isEmpty());
    } else {
        QTRY_COMPARE(seams.messages.texts.size(), 1);
        QCOMPARE(seams.messages.texts.constFirst(), QStringLiteral("Impossibile aprire il file \"%1\"").arg(path) + toldEnd);
        QTest::qWait(50);
        QCOMPARE(seams.messages.texts.size(), 1);
    }
}

void TestForm1::programFolderEndsInOneSlash_data()
{
    QTest::addColumn<QString>("folder");
    QTest::addColumn<QString>("percorso");
    QTest::newRow("root folder") << "/" << "/";
    QTest::newRow("no slash at the end") << "/opt/pintavo" << "/opt/pintavo/";
    QTest::newRow("slash at the end") << "/opt/pintavo/" << "/opt/pintavo/";
}

void TestForm1::programFolderEndsInOneSlash()
{
    QFETCH(QString, folder);
    Form1::Options options;
    options.programFolder = folder;
    options.random = [] { return 0.0; };
    Form1 form(options);
    QTEST(Module1::Percorso, "percorso");
}

void TestForm1::startsMaximisedWithTheLayoutApplied()
{
    writeDrawing(QStringLiteral("a.bmp"), solid(452, 589, qRgb(255, 255, 255)));
    const auto form = makeForm(0.0);
    form->show();
    QVERIFY(QTest::qWaitForWindowExposed(form.get()));
    QVERIFY(form->windowState() & Qt::WindowMaximized);
    QCOMPARE(form->frameGeometry().size(), form->screen()->availableGeometry().size());

    Form1Geometry expected{twipsRect(form->Picture1), QRect(90, 0, 6825, 135), QRect(6930, 60, 1545, 7815),
                           QRect(8550, 600, 10575, 5160), QRect(8550, 60, 4515, 525), QRect(1740, 150, 2265, 315)};
    layoutForm1(expected, windowTwipsSize(form.get()));
    QCOMPARE(twipsRect(form->Frame1), expected.frame1);
    QCOMPARE(twipsRect(form->Picture2), expected.picture2);
    QCOMPARE(twipsRect(form->WebBrowser1), expected.webBrowser1);
    QCOMPARE(twipsRect(form->Frame2), expected.frame2);
    QCOMPARE(twipsRect(form->Text1), expected.text1);
    QCOMPARE(twipsRect(form->Frame1).left(), 60 + 6840 + 20);
}

void TestForm1::layoutFollowsAWiderDrawing()
{
    const auto form = makeForm();
    form->show();
    QVERIFY(QTest::qWaitForWindowExposed(form.get()));
    form->Picture1->setPicture(solid(700, 300, qRgb(255, 255, 255)));
    form->Form_Resize();
    const int sheetRight = 60 + (700 + 4) * 15;
    QCOMPARE(twipsRect(form->Frame1).left(), sheetRight + 20);
    QCOMPARE(twipsRect(form->WebBrowser1).left(), sheetRight + 20 + 1545 + 20);
    QCOMPARE(twipsRect(form->Frame2).left(), twipsRect(form->WebBrowser1).left());
    QCOMPARE(twipsRect(form->Picture2).width(), (700 + 4) * 15);
}

void TestForm1::pictureButtonsShowSharpPictures_data()
{
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("toolTip");
    QTest::addColumn<QString>("picture");
    QTest::newRow("Command1") << "Fine" << "Chiude il programma e torna a Windows" << "door.svg";
    QTest::newRow("Command2") << "Carica Immagine" << "Carica una immagine presente sul disco fisso."
                              << "folder-drawing.svg";
    QTest::newRow("Command3") << "Anteprima stampa" << "Anteprima di stampa del disegno ..."
                              << "printer-preview.svg";
    QTest::newRow("Command4") << "Annulla tutto" << "Annulla tutte le colorazioni eseguite" << "rubber.svg";
    QTest::newRow("Command5") << "Salva Lavoro" << "Salva il disegno colorato in un file immagine" << "floppy.svg";
}

void TestForm1::pictureButtonsShowSharpPictures()
{
    QFETCH(QString, caption);
    QFETCH(QString, toolTip);
    QFETCH(QString, picture);
    const auto form = makeForm();
    const auto *button = form->findChild<QToolButton *>(QString::fromLatin1(QTest::currentDataTag()));
    QVERIFY(button);
    QCOMPARE(button->text(), caption);
    QCOMPARE(button->toolTip(), toolTip);
    QCOMPARE(button->toolButtonStyle(), Qt::ToolButtonTextUnderIcon);
    QCOMPARE(button->iconSize(), QSize(32, 32));
    // On a screen scaled 2x the picture is drawn from the SVG at 64 x 64, not enlarged.
    const QPixmap sharp = button->icon().pixmap(QSize(32, 32), 2.0);
    QCOMPARE(sharp.size(), QSize(64, 64));
    QCOMPARE(sharp.devicePixelRatio(), 2.0);
    QImage drawn = sharp.toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied);
    drawn.setDevicePixelRatio(1.0);
    QCOMPARE(drawn, svgPicture(QStringLiteral(":/sheet/") + picture, QSize(64, 64)));
}

void TestForm1::leftClickFillsWithTheStripColour()
{
    const auto form = makeForm();
    form->show();
    form->Picture1->setPicture(ringDrawing());
    form->Picture2->setBackColor(ColorValue(0x0000FF));
    QTest::mouseClick(form->Picture1, Qt::LeftButton, {}, onSheet(*form, 3, 3));
    QImage expected = pixelArt({
        "..........",
        ".######...",
        ".#rrrr#...",
        ".#rrrr#.g.",
        ".#rrrr#...",
        ".######...",
        "..........",
    });
    QCOMPARE(form->Picture1->image(), expected);
    QCOMPARE(form->Picture1->picture(), ringDrawing());
}

void TestForm1::otherButtonsPickUpTheColour_data()
{
    QTest::addColumn<Qt::MouseButton>("button");
    QTest::newRow("right") << Qt::RightButton;
    QTest::newRow("middle") << Qt::MiddleButton;
}

void TestForm1::otherButtonsPickUpTheColour()
{
    QFETCH(Qt::MouseButton, button);
    const auto form = makeForm();
    form->show();
    form->Picture1->setPicture(ringDrawing());
    QTest::mouseClick(form->Picture1, button, {}, onSheet(*form, 8, 3));
    QCOMPARE(form->Picture2->backColor(), ColorValue(0x00FF00));
    QCOMPARE(Module1::ColoreAttuale, ColorValue(0x00FF00));
    QCOMPARE(Module1::ModoRitocco, qint16(0));
    QCOMPARE(form->Picture1->image(), ringDrawing());

    QTest::mouseClick(form->Picture1, Qt::LeftButton, {}, onSheet(*form, 0, 0));
    QCOMPARE(form->Picture1->image().pixel(9, 6), qRgb(0, 255, 0));
    QCOMPARE(form->Picture1->image().pixel(3, 3), qRgb(255, 255, 255));
}

// The sheet's border is no part of the drawing: there is no colour to take there.
void TestForm1::pickUpOffTheDrawingKeepsTheColour()
{
    const auto form = makeForm();
    form->show();
    form->Picture1->setPicture(ringDrawing());
    form->Picture2->setBackColor(ColorValue(0x0000FF));
    form->Picture1_MouseDown(2, 0, -2.0f, 3.0f);
    form->Picture1_MouseDown(4, 0, 3.0f, 7.6f);
    QCOMPARE(form->Picture2->backColor(), ColorValue(0x0000FF));
}

void TestForm1::fillRestoresFillSettings()
{
    const auto form = makeForm();
    form->show();
    form->Picture1->setPicture(ringDrawing());
    form->Picture1->setFillStyle(PictureBox::Transparent);
    form->Picture1->setFillColor(ColorValue(0x123456));
    form->Picture2->setBackColor(ColorValue(0xFF0000));
    QTest::mouseClick(form->Picture1, Qt::LeftButton, {}, onSheet(*form, 3, 3));
    QCOMPARE(form->Picture1->image().pixel(3, 3), qRgb(0, 0, 255));
    QCOMPARE(form->Picture1->fillStyle(), int(PictureBox::Transparent));
    QCOMPARE(form->Picture1->fillColor(), ColorValue(0x123456));
}

void TestForm1::firstFillUsesTheWindowBackground()
{
    QPalette palette = QApplication::palette();
    palette.setColor(QPalette::Base, QColor(200, 230, 210));
    QApplication::setPalette(palette);
    const auto form = makeForm();
    form->show();
    form->Picture1->setPicture(ringDrawing());
    QCOMPARE(form->Picture2->backColor(), ColorValue(ColorValue::WindowBackground));
    QTest::mouseClick(form->Picture1, Qt::LeftButton, {}, onSheet(*form, 3, 3));
    QCOMPARE(form->Picture1->image().pixel(3, 3), qRgb(200, 230, 210));
    QCOMPARE(form->Picture1->image().pixel(0, 0), qRgb(255, 255, 255));
}

void TestForm1::sheetKeysActAtTheKeyboardPoint_data()
{
    QTest::addColumn<QString>("keys");
    QTest::addColumn<bool>("pen");
    QTest::addColumn<QStringList>("expected");
    QTest::addColumn<quint32>("strip");
    const QStringList ring{"..........", ".######...", ".#....#...", ".#....#.g.", ".#....#...", ".######...", ".........."};
    const QStringList square{"..........", ".######...", ".#.####...", ".#.####.g.", ".#.####...", ".######...", ".........."};
    QTest::newRow("Space fills at the centre of the visible part") << "Space" << false
        << QStringList{"..........", ".######...", ".#rrrr#...", ".#rrrr#.g.", ".#rrrr#...", ".######...", ".........."} << 0x0000FFu;
    QTest::newRow("an arrow steps one pixel: Enter on the ring") << "Right Right Enter" << false
        << QStringList{"..........", ".rrrrrr...", ".r....r...", ".r....r.g.", ".r....r...", ".rrrrrr...", ".........."} << 0x0000FFu;
    QTest::newRow("Shift+arrow steps ten, kept on the drawing") << "S+Right Space" << false
        << QStringList{"rrrrrrrrrr", "r######rrr", "r#....#rrr", "r#....#rgr", "r#....#rrr", "r######rrr", "rrrrrrrrrr"} << 0x0000FFu;
    QTest::newRow("Shift+Space picks up the colour") << "Right Right Right Right S+Space" << false << ring << 0x00FF00u;
    QTest::newRow("Enter with the pen draws a square") << "Enter" << true << square << 0x0000FFu;
    QTest::newRow("Shift+Enter with the pen draws a square") << "S+Enter" << true << square << 0x0000FFu;
    QTest::newRow("Ctrl+Space is not the sheet's") << "Right C+Space" << false << ring << 0x0000FFu;
}

void TestForm1::sheetKeysActAtTheKeyboardPoint()
{
    QFETCH(QString, keys);
    QFETCH(bool, pen);
    QFETCH(QStringList, expected);
    QFETCH(quint32, strip);
    const auto form = makeForm();
    form->show();
    form->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(form.get()));
    form->Picture1->setPicture(ringDrawing());
    form->Picture2->setBackColor(ColorValue(0x0000FF));
    form->Slider4->setValue(1);
    if (pen)
        form->Command6_Click();
    form->Picture1->setFocus(Qt::TabFocusReason);
    for (const QString &key : keys.split(QLatin1Char(' '))) {
        const QString name = key.section(QLatin1Char('+'), -1);
        const Qt::KeyboardModifiers modifiers = key.startsWith(QLatin1String("S+")) ? Qt::ShiftModifier
            : key.startsWith(QLatin1String("C+"))                                  ? Qt::ControlModifier
                                                                                   : Qt::NoModifier;
        QTest::keyClick(form->Picture1, Qt::Key(QKeySequence::fromString(name)[0].key()), modifiers);
    }
    QCOMPARE(form->Picture1->image(), pixelArt(expected));
    QCOMPARE(form->Picture2->backColor(), ColorValue(strip));
    // The crosshair is the keyboard's: the next mouse press hides it.
    QVERIFY(form->Picture1->keyPointShown());
    QTest::mouseClick(form->Picture2, Qt::LeftButton);
    QVERIFY(!form->Picture1->keyPointShown());
}

void TestForm1::clickPositionRoundsHalfToEven_data()
{
    QTest::addColumn<float>("x");
    QTest::addColumn<QString>("expected");
    QTest::newRow("2.5 goes to 2") << 2.5f << "rrr#...";
    QTest::newRow("3.5 goes to 4") << 3.5f << "...#rrr";
    QTest::newRow("0.5 goes to 0") << 0.5f << "rrr#...";
    QTest::newRow("2.6 goes to 3, the outline") << 2.6f << "...r...";
    QTest::newRow("4.5 goes to 4") << 4.5f << "...#rrr";
}

void TestForm1::clickPositionRoundsHalfToEven()
{
    QFETCH(float, x);
    QFETCH(QString, expected);
    const auto form = makeForm();
    form->Picture1->setPicture(pixelArt({"...#..."}));
    form->Picture2->setBackColor(ColorValue(0x0000FF));
    form->Picture1_MouseDown(1, 0, x, 0.5f);
    QCOMPARE(form->Picture1->image(), pixelArt({expected}));
}

// A fill on a large sheet asks to repaint its own area, not the whole sheet.
void TestForm1::fillRepaintsOnlyTheChangedArea()
{
    class PaintSpy : public QObject
    {
    public:
        QRegion painted;
        bool eventFilter(QObject *, QEvent *event) override
        {
            if (event->type() == QEvent::Paint)
                painted += static_cast<QPaintEvent *>(event)->region();
            return false;
        }
    };
    const auto form = makeForm();
    form->show();
    QVERIFY(QTest::qWaitForWindowExposed(form.get()));
    QImage drawing = solid(400, 400, qRgb(255, 255, 255));
    for (int i = 0; i < 12; ++i) {
        drawing.setPixel(10 + i, 10, qRgb(0, 0, 0));
        drawing.setPixel(10 + i, 21, qRgb(0, 0, 0));
        drawing.setPixel(10, 10 + i, qRgb(0, 0, 0));
        drawing.setPixel(21, 10 + i, qRgb(0, 0, 0));
    }
    form->Picture1->setPicture(drawing);
    QCoreApplication::processEvents();
    PaintSpy spy;
    form->Picture1->installEventFilter(&spy);
    form->Picture2->setBackColor(ColorValue(0x0000FF));
    QCoreApplication::processEvents();
    spy.painted = QRegion();
    form->Picture1_MouseDown(1, 0, 15, 15);
    QCoreApplication::processEvents();
    QCOMPARE(form->Picture1->image().pixel(15, 15), qRgb(255, 0, 0));
    QVERIFY(!spy.painted.isEmpty());
    QVERIFY(onSheet(*form, 11, 11) == spy.painted.boundingRect().topLeft());
    QCOMPARE(spy.painted.boundingRect().size(), QSize(10, 10));
}

PINTAVO_GUI_TEST_MAIN(TestForm1)
#include "tst_form1.moc"

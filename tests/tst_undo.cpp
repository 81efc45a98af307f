// Undo and redo of the sheet's changes through the keys, on the real main window.
#include "app/Environment.h"
#include "app/Module1.h"
#include "chooser/FrmColScegli.h"
#include "platform/picture/PictureBox.h"
#include "platform/browser/WebBrowser.h"
#include "sheet/Form1.h"
#include "support/PixelArt.h"
#include "support/SeamRecorders.h"
#include "support/KeyPresses.h"
#include "support/TestMain.h"

#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <QRandomGenerator>
#include <QSlider>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolButton>
#include <QWebEngineView>
#include <memory>

namespace {

const QKeyCombination Undo(Qt::ControlModifier, Qt::Key_Z);
const QKeyCombination Redo(Qt::ControlModifier, Qt::Key_Y);
const QKeyCombination RedoShift(Qt::ControlModifier | Qt::ShiftModifier, Qt::Key_Z);

QImage drawing()
{
    return pixelArt({
        "..........",
        ".####.....",
        ".#..#.###.",
        ".####.#.#.",
        "......###.",
        "..........",
    });
}

// What a change may touch: the picture, the drawing on it and the sheet's size.
struct Sheet
{
    QImage picture;
    QImage image;
    QSize size;
    bool operator==(const Sheet &o) const
    {
        return picture.convertToFormat(QImage::Format_RGB32) == o.picture.convertToFormat(QImage::Format_RGB32)
               && image == o.image && size == o.size;
    }
};

Sheet sheetOf(const Form1 &form)
{
    return {form.Picture1->picture(), form.Picture1->image(), form.Picture1->size()};
}

QImage noise(int size)
{
    QImage image(size, size, QImage::Format_RGB32);
    QRandomGenerator random(7);
    for (int y = 0; y < size; ++y) {
        auto *row = reinterpret_cast<quint32 *>(image.scanLine(y));
        random.fillRange(row, size);
        for (int x = 0; x < size; ++x)
            row[x] |= 0xFF000000u;
    }
    return image;
}

} // namespace

class TestUndo : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void eachChangeUndoneAndRedone_data();
    void eachChangeUndoneAndRedone();
    void undoPastTheOldestStep_data();
    void undoPastTheOldestStep();
    void newChangeDropsTheRedo();
    void undoInTheMiddleOfAStroke();
    void strokeEndsWithTheLeftButton_data();
    void strokeEndsWithTheLeftButton();
    void memoryBoundOnALargeSheet_data();
    void memoryBoundOnALargeSheet();
    void typingPlacesKeepTheirKeys_data();
    void typingPlacesKeepTheirKeys();

private:
    std::unique_ptr<Form1> makeForm();
    void press(Form1 &form, QKeyCombination keys);
    void fill(Form1 &form, int colourIndex, QPoint at);

    std::unique_ptr<QTemporaryDir> m_dir;
    SeamRecorders m_seams;
};

void TestUndo::init()
{
    Module1::reset();
    m_dir = std::make_unique<QTemporaryDir>();
    m_seams.start();
}

std::unique_ptr<Form1> TestUndo::makeForm()
{
    Form1::Options options;
    options.programFolder = m_dir->path();
    options.random = [] { return 0.0; };
    auto form = std::make_unique<Form1>(options);
    form->show();
    form->activateWindow();
    if (!QTest::qWaitForWindowActive(form.get()))
        qWarning("the window did not become active");
    form->Picture1->setPicture(drawing());
    fill(*form, 12, {2, 2});
    return form;
}

// Keys go where the keyboard focus is, as typed.
void TestUndo::press(Form1 &form, QKeyCombination keys)
{
    QWidget *target = QApplication::focusWidget() ? QApplication::focusWidget() : &form;
    QTest::keyClick(target, keys.key(), keys.keyboardModifiers());
}

void TestUndo::fill(Form1 &form, int colourIndex, QPoint at)
{
    form.Label1_Click(colourIndex);
    const int b = form.Picture1->borderWidth();
    QTest::mouseClick(form.Picture1, Qt::LeftButton, {}, at + QPoint(b, b));
}

void TestUndo::eachChangeUndoneAndRedone_data()
{
    QTest::addColumn<QString>("change");
    QTest::newRow("fill") << "fill";
    QTest::newRow("pen stroke, press to release") << "pen";
    QTest::newRow("Annulla tutto") << "undoAll";
    QTest::newRow("Foglio Bianco") << "blank";
    QTest::newRow("picture loaded through the chooser") << "chooser";
    QTest::newRow("picture dropped on the sheet") << "drop";
    QTest::newRow("fill by keyboard") << "keyFill";
    QTest::newRow("pen square by keyboard") << "keyPen";
}

void TestUndo::eachChangeUndoneAndRedone()
{
    QFETCH(QString, change);
    const auto form = makeForm();
    const Sheet before = sheetOf(*form);
    QImage wide(30, 12, QImage::Format_RGB32);
    wide.fill(Qt::yellow);
    if (change == QLatin1String("fill")) {
        fill(*form, 9, {7, 3});
    } else if (change == QLatin1String("pen")) {
        form->Command6_Click();
        form->Slider4->setValue(1);
        const QPoint b(form->Picture1->borderWidth(), form->Picture1->borderWidth());
        QTest::mousePress(form->Picture1, Qt::LeftButton, {}, b + QPoint(1, 1));
        QTest::mouseMove(form->Picture1, b + QPoint(4, 2));
        QTest::mouseMove(form->Picture1, b + QPoint(8, 4));
        QTest::mouseRelease(form->Picture1, Qt::LeftButton, {}, b + QPoint(8, 4));
    } else if (change.startsWith(QLatin1String("key"))) {
        // The keyboard point starts at (4, 2), the drawing's centre: the fill
        // goes into the small square, the pen's square onto white below.
        const bool pen = change == QLatin1String("keyPen");
        form->Label1_Click(9);
        form->Slider4->setValue(1);
        if (pen)
            form->Command6_Click();
        form->Picture1->setFocus(Qt::TabFocusReason);
        const auto keys = pen ? std::vector{Qt::Key_Down, Qt::Key_Down, Qt::Key_Space}
                              : std::vector{Qt::Key_Right, Qt::Key_Right, Qt::Key_Right, Qt::Key_Down, Qt::Key_Space};
        for (const Qt::Key key : keys)
            QTest::keyClick(form->Picture1, key);
    } else if (change == QLatin1String("undoAll")) {
        QTest::mouseClick(form->Command4, Qt::LeftButton);
    } else if (change == QLatin1String("blank")) {
        QTest::mouseClick(form->Command7, Qt::LeftButton);
    } else if (change == QLatin1String("chooser")) {
        QVERIFY(QDir(m_dir->path()).mkpath(QStringLiteral("Immagini")));
        QVERIFY(wide.save(m_dir->filePath(QStringLiteral("Immagini/largo.bmp")), "BMP"));
        QTimer poll;
        connect(&poll, &QTimer::timeout, this, [&poll] {
            auto *chooser = qobject_cast<FrmColScegli *>(QApplication::activeModalWidget());
            if (chooser && chooser->isVisible()) {
                poll.stop();
                chooser->Command1_Click();
            }
        });
        poll.start(20);
        QTest::mouseClick(form->Command2, Qt::LeftButton);
    } else {
        QMimeData data;
        data.setImageData(wide);
        QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(form->Picture1, &enter);
        QDropEvent dropped(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(form->Picture1, &dropped);
    }
    const Sheet after = sheetOf(*form);
    QVERIFY(!(after == before));

    form->activateWindow();
    // The chooser stands over the window as its transient, so the window counts
    // as active while the hidden chooser still has the focus: wait for the
    // window itself, which the shortcuts need.
    QTRY_COMPARE(QApplication::activeWindow(), form.get());
    press(*form, Undo);
    QVERIFY(sheetOf(*form) == before);
    press(*form, Redo);
    QVERIFY(sheetOf(*form) == after);
    press(*form, Undo);
    QVERIFY(sheetOf(*form) == before);
    press(*form, RedoShift);
    QVERIFY(sheetOf(*form) == after);

    // Back before the change, "Annulla tutto" gives the earlier drawing again.
    press(*form, Undo);
    QTest::mouseClick(form->Command4, Qt::LeftButton);
    QCOMPARE(form->Picture1->image(), drawing());
    press(*form, Undo);
    QVERIFY(sheetOf(*form) == before);
}

void TestUndo::undoPastTheOldestStep_data()
{
    QTest::addColumn<int>("fills");
    QTest::newRow("nothing done") << 0;
    QTest::newRow("one fill") << 1;
    QTest::newRow("a hundred and twenty fills") << 120;
}

void TestUndo::undoPastTheOldestStep()
{
    QFETCH(int, fills);
    const auto form = makeForm();
    form->Picture1->history()->clear();
    const Sheet start = sheetOf(*form);
    for (int i = 0; i < fills; ++i)
        fill(*form, 1 + i % 14, {0, 0});
    const Sheet done = sheetOf(*form);
    for (int i = 0; i < fills + 3; ++i)
        press(*form, Undo);
    QVERIFY(sheetOf(*form) == start);
    for (int i = 0; i < fills + 3; ++i)
        press(*form, Redo);
    QVERIFY(sheetOf(*form) == done);
}

void TestUndo::newChangeDropsTheRedo()
{
    const auto form = makeForm();
    fill(*form, 9, {0, 0});
    const Sheet first = sheetOf(*form);
    fill(*form, 10, {0, 0});
    press(*form, Undo);
    fill(*form, 11, {7, 3});
    const Sheet last = sheetOf(*form);
    press(*form, Redo);
    press(*form, RedoShift);
    QVERIFY(sheetOf(*form) == last);
    press(*form, Undo);
    QVERIFY(sheetOf(*form) == first);
}

// Ctrl+Z with the button still held takes back the stroke so far; what the pen
// draws after it is a step of its own.
void TestUndo::undoInTheMiddleOfAStroke()
{
    const auto form = makeForm();
    const Sheet before = sheetOf(*form);
    form->Command6_Click();
    form->Slider4->setValue(0);
    const QPoint b(form->Picture1->borderWidth(), form->Picture1->borderWidth());
    QTest::mousePress(form->Picture1, Qt::LeftButton, {}, b + QPoint(7, 0));
    QTest::mouseMove(form->Picture1, b + QPoint(8, 0));
    press(*form, Undo);
    QVERIFY(sheetOf(*form) == before);
    QTest::mouseMove(form->Picture1, b + QPoint(9, 4));
    QTest::mouseMove(form->Picture1, b + QPoint(9, 5));
    QTest::mouseRelease(form->Picture1, Qt::LeftButton, {}, b + QPoint(9, 5));
    const Sheet after = sheetOf(*form);
    QCOMPARE(after.image.pixel(9, 5), qRgb(0, 0, 0));
    QCOMPARE(after.image.pixel(8, 0), qRgb(255, 255, 255));
    press(*form, Undo);
    QVERIFY(sheetOf(*form) == before);
    press(*form, Redo);
    QVERIFY(sheetOf(*form) == after);
}

void TestUndo::strokeEndsWithTheLeftButton_data()
{
    QTest::addColumn<Qt::MouseButton>("held");
    QTest::newRow("back button") << Qt::BackButton;
    QTest::newRow("forward button") << Qt::ForwardButton;
    QTest::newRow("right button") << Qt::RightButton;
    QTest::newRow("middle button") << Qt::MiddleButton;
}

// Another button pressed during a stroke and still held when the left one is
// released: the next stroke is a step of its own all the same.
void TestUndo::strokeEndsWithTheLeftButton()
{
    QFETCH(Qt::MouseButton, held);
    const auto form = makeForm();
    form->Command6_Click();
    form->Slider4->setValue(0);
    const QPoint b(form->Picture1->borderWidth(), form->Picture1->borderWidth());
    QTest::mousePress(form->Picture1, Qt::LeftButton, {}, b + QPoint(6, 0));
    QTest::mousePress(form->Picture1, held, {}, b + QPoint(6, 0));
    QTest::mouseRelease(form->Picture1, Qt::LeftButton, {}, b + QPoint(6, 0));
    const Sheet first = sheetOf(*form);
    QTest::mousePress(form->Picture1, Qt::LeftButton, {}, b + QPoint(8, 5));
    QTest::mouseRelease(form->Picture1, Qt::LeftButton, {}, b + QPoint(8, 5));
    QTest::mouseRelease(form->Picture1, held, {}, b + QPoint(8, 5));
    QCOMPARE(form->Picture1->image().pixel(8, 5), qRgb(0, 0, 0));
    press(*form, Undo);
    QVERIFY(sheetOf(*form) == first);
}

void TestUndo::memoryBoundOnALargeSheet_data()
{
    QTest::addColumn<int>("size");
    QTest::addColumn<int>("blanks");
    // A sheet of noise packs into nothing: every blank sheet keeps about 36 MB.
    QTest::newRow("3000 x 3000, the oldest go first") << 3000 << 3;
    QTest::newRow("4096 x 4096, one step beyond the bound") << 4096 << 1;
}

void TestUndo::memoryBoundOnALargeSheet()
{
    QFETCH(int, size);
    QFETCH(int, blanks);
    const auto form = makeForm();
    const ImageHistory &history = *form->Picture1->history();
    form->Picture1->setPicture(noise(size));
    const QImage coloured = form->Picture1->image();
    for (int i = 0; i < blanks; ++i) {
        QTest::mouseClick(form->Command7, Qt::LeftButton);
        QVERIFY(history.bytes() <= history.limit());
        QTest::mouseClick(form->Command4, Qt::LeftButton);
        QVERIFY(history.bytes() <= history.limit());
    }
    fill(*form, 9, {0, 0});
    const QImage last = form->Picture1->image();
    // Whatever was dropped, undoing all that is left ends on a state the sheet
    // really had, and redoing all of it ends where the child stopped.
    const int kept = history.undoCount();
    QVERIFY(kept >= 1);
    for (int i = 0; i < kept; ++i)
        press(*form, Undo);
    QCOMPARE(history.undoCount(), 0);
    // The sheet went drawing, noise, then white and noise again for each blank
    // sheet and "Annulla tutto", then the fill: the oldest kept step started on
    // one of those.
    const int first = 2 * blanks + 2 - kept;
    QVERIFY(first >= 1);
    QImage white(coloured.size(), QImage::Format_RGB32);
    white.fill(Qt::white);
    QCOMPARE(form->Picture1->image(), first % 2 == 1 ? coloured : white);
    for (int i = 0; i < kept; ++i)
        press(*form, Redo);
    QCOMPARE(form->Picture1->image(), last);
    QVERIFY(history.bytes() <= history.limit());
}

void TestUndo::typingPlacesKeepTheirKeys_data()
{
    QTest::addColumn<bool>("webPane");
    QTest::addColumn<QKeyCombination>("keys");
    QTest::newRow("Ctrl+Z in the address bar") << false << Undo;
    QTest::newRow("Ctrl+Y in the address bar") << false << Redo;
    QTest::newRow("Ctrl+Shift+Z in the address bar") << false << RedoShift;
    QTest::newRow("Ctrl+Z in the web pane") << true << Undo;
    QTest::newRow("Ctrl+Y in the web pane") << true << Redo;
    QTest::newRow("Ctrl+Shift+Z in the web pane") << true << RedoShift;
}

void TestUndo::typingPlacesKeepTheirKeys()
{
    QFETCH(bool, webPane);
    QFETCH(QKeyCombination, keys);
    const auto form = makeForm();
    fill(*form, 9, {0, 0});
    press(*form, Undo);
    const Sheet sheet = sheetOf(*form);
    QWidget *place = form->Text1;
    if (webPane) {
        // The pane makes its web view once the window has been painted.
        QTRY_VERIFY(form->WebBrowser1->view());
        place = form->WebBrowser1->view()->focusProxy();
    }
    QVERIFY(place);
    place->setFocus();
    QCOMPARE(QApplication::focusWidget(), place);
    const QString typed = form->Text1->text() + QStringLiteral("gatto");
    if (!webPane) {
        QTest::keyClicks(form->Text1, QStringLiteral("gatto"));
        QCOMPARE(form->Text1->text(), typed);
    }
    KeyPresses reached(place, keys.key());
    press(*form, keys);
    QVERIFY(sheetOf(*form) == sheet);
    QCOMPARE(reached.count, 1);
    if (!webPane && keys == Undo)
        QVERIFY(form->Text1->text() != typed);

    // Clicking the sheet takes the keys back to it.
    fill(*form, 10, {7, 3});
    QVERIFY(QApplication::focusWidget() != place);
    press(*form, Undo);
    QVERIFY(sheetOf(*form) == sheet);
}

PINTAVO_GUI_TEST_MAIN(TestUndo)
#include "tst_undo.moc"

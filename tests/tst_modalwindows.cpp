// Windows opened over the main window: transients of it, and brought back from minimised by a touch on it.
#include "app/Environment.h"
#include "app/Module1.h"
#include "platform/dialogs/ModalWindows.h"
#include "sheet/Form1.h"
#include "support/SeamRecorders.h"
#include "support/TestMain.h"

#include <QDialog>
#include <QTemporaryDir>
#include <QTimer>
#include <QWindow>
#include <QtEndian>
#include <memory>

class TestModalWindows : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void minimisedWindowComesBack_data();
    void minimisedWindowComesBack();

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    SeamRecorders m_seams;
};

void TestModalWindows::init()
{
    Module1::reset();
    m_dir = std::make_unique<QTemporaryDir>();
    m_seams.start();
}

void TestModalWindows::minimisedWindowComesBack_data()
{
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("touch");
    for (const char *window : {"FrmColScegli", "Form8", "frmAbout"}) {
        QTest::addRow("%s, main window activated", window) << window << "activation";
        QTest::addRow("%s, X press on the main window", window) << window << "press";
    }
}

void TestModalWindows::minimisedWindowComesBack()
{
    QFETCH(QString, window);
    QFETCH(QString, touch);
#if !PINTAVO_HAVE_XCB
    if (touch == QLatin1String("press"))
        QSKIP("built without XCB");
#endif
    Form1::Options options;
    options.programFolder = m_dir->path();
    options.random = [] { return 0.0; };
    Form1 form(options);
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    void (Form1::*open)() = window == QLatin1String("FrmColScegli") ? &Form1::Command2_Click
                            : window == QLatin1String("Form8")       ? &Form1::Command3_Click
                                                                     : &Form1::MenuAbo_Click;

    // Worked through while the window is up, one step a tick; looked at once it is closed.
    QWindow *transientParent = nullptr;
    bool minimised = false;
    bool back = false;
    bool maximised = false;
    int step = 0;
    QTimer poll;
    connect(&poll, &QTimer::timeout, this, [&] {
        QWidget *front = QApplication::activeModalWidget();
        if (!front || front->objectName() != window || !front->isVisible())
            return;
        if (step == 0) {
            transientParent = front->windowHandle()->transientParent();
            front->showMinimized();
            minimised = front->isMinimized();
        } else if (step == 1) {
            if (touch == QLatin1String("activation")) {
                form.activateWindow();
            } else {
                // A core X button press, as the X server sends it, on the main window.
                quint8 press[32] = {4, 1};
                qToUnaligned(quint32(form.windowHandle()->winId()), press + 12);
                if (QAbstractNativeEventFilter *watcher = form.findChild<ModalWindows *>())
                    watcher->nativeEventFilter("xcb_generic_event_t", press, nullptr);
            }
        } else if ((!front->isMinimized() && QApplication::activeWindow() == front) || step > 50) {
            back = !front->isMinimized() && QApplication::activeWindow() == front;
            maximised = front->isMaximized();
            poll.stop();
            front->close();
        }
        ++step;
    });
    poll.start(20);
    (form.*open)();

    QCOMPARE(transientParent, form.windowHandle());
    QVERIFY(minimised);
    QVERIFY(back);
    QCOMPARE(maximised, window == QLatin1String("Form8"));
}

PINTAVO_GUI_TEST_MAIN(TestModalWindows)
#include "tst_modalwindows.moc"

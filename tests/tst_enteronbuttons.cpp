// Enter and the keypad's Enter press the focused button of every window, as Space does.
#include "about/frmAbout.h"
#include "app/Environment.h"
#include "app/Module1.h"
#include "chooser/FrmColScegli.h"
#include "platform/picture/PictureBox.h"
#include "print/Form8.h"
#include "sheet/Form1.h"
#include "support/TestMain.h"

#include <QAbstractButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <functional>
#include <memory>

class TestEnterOnButtons : public QObject
{
    Q_OBJECT
private slots:
    void enterPressesTheFocusedButton_data();
    void enterPressesTheFocusedButton();
};

void TestEnterOnButtons::enterPressesTheFocusedButton_data()
{
    QTest::addColumn<QString>("window");
    QTest::addColumn<int>("key");
    for (const char *window : {"Form1", "Form8", "frmAbout", "FrmColScegli"}) {
        QTest::addRow("Enter in %s", window) << QString::fromLatin1(window) << int(Qt::Key_Return);
        QTest::addRow("keypad Enter in %s", window) << QString::fromLatin1(window) << int(Qt::Key_Enter);
    }
}

// Every button a child can reach with Tab: Enter on it is one click, and the
// window stays as it was otherwise (the buttons' own commands are not run here).
void TestEnterOnButtons::enterPressesTheFocusedButton()
{
    QFETCH(QString, window);
    QFETCH(int, key);
    Module1::reset();
    QTemporaryDir program;
    PictureBox sheet;
    sheet.setPicture(QImage(40, 30, QImage::Format_RGB32));
    std::unique_ptr<QWidget> shown;
    if (window == QLatin1String("Form1")) {
        Form1::Options options;
        options.programFolder = program.path();
        options.random = [] { return 0.0; };
        shown = std::make_unique<Form1>(options);
    } else if (window == QLatin1String("Form8")) {
        shown = std::make_unique<Form8>(&sheet);
    } else if (window == QLatin1String("frmAbout")) {
        shown = std::make_unique<frmAbout>();
    } else {
        shown = std::make_unique<FrmColScegli>(&sheet);
    }
    shown->show();
    shown->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(shown.get()));
    int tried = 0;
    for (QAbstractButton *button : shown->findChildren<QAbstractButton *>()) {
        if (!button->isVisibleTo(shown.get()) || !button->isEnabled() || !(button->focusPolicy() & Qt::TabFocus))
            continue;
        QObject::disconnect(button, &QAbstractButton::clicked, nullptr, nullptr);
        QSignalSpy clicked(button, &QAbstractButton::clicked);
        button->setFocus();
        QTRY_VERIFY(button->hasFocus());
        QTest::keyClick(button, Qt::Key(key), key == Qt::Key_Enter ? Qt::KeypadModifier : Qt::NoModifier);
        QVERIFY2(clicked.count() == 1, qPrintable(button->objectName()));
        ++tried;
    }
    QVERIFY(tried >= 2);
}

PINTAVO_GUI_TEST_MAIN(TestEnterOnButtons)
#include "tst_enteronbuttons.moc"

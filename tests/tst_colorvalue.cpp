// Colour values: the 0x00BBGGRR layout and system colours resolved when drawn.
#include "app/Environment.h"
#include "platform/picture/ColorValue.h"
#include "support/TestMain.h"

class TestColorValue : public QObject
{
    Q_OBJECT
private slots:
    void plainColours_data();
    void plainColours();
    void systemColoursFollowThePalette();
};

void TestColorValue::plainColours_data()
{
    QTest::addColumn<quint32>("value");
    QTest::addColumn<QColor>("color");
    QTest::newRow("black") << 0x000000u << QColor(0, 0, 0);
    QTest::newRow("light red is the low byte") << 0x0000FFu << QColor(255, 0, 0);
    QTest::newRow("light blue is the high byte") << 0xFF0000u << QColor(0, 0, 255);
    QTest::newRow("light yellow") << 0x00C0FFFFu << QColor(255, 255, 192);
    QTest::newRow("grey") << 0x808080u << QColor(128, 128, 128);
}

void TestColorValue::plainColours()
{
    QFETCH(quint32, value);
    QFETCH(QColor, color);
    const ColorValue c(value);
    QVERIFY(!c.isSystem());
    QCOMPARE(c.resolved(), color);
    QCOMPARE(ColorValue::fromQColor(color), c);
}

void TestColorValue::systemColoursFollowThePalette()
{
    QPalette palette;
    palette.setColor(QPalette::Base, QColor(10, 20, 30));
    palette.setColor(QPalette::Text, QColor(40, 50, 60));
    const ColorValue background(ColorValue::WindowBackground);
    const ColorValue text(ColorValue::WindowText);
    QVERIFY(background.isSystem());
    QVERIFY(background.signedValue() < 0);
    QCOMPARE(background.resolved(palette), QColor(10, 20, 30));
    QCOMPARE(text.resolved(palette), QColor(40, 50, 60));
    palette.setColor(QPalette::Base, QColor(1, 2, 3));
    QCOMPARE(background.resolved(palette), QColor(1, 2, 3));
}

PINTAVO_GUI_TEST_MAIN(TestColorValue)
#include "tst_colorvalue.moc"

// GetKeyValue: reading registry values as text, over the registry stand-in.
#include "about/GetKeyValue.h"
#include "platform/system/Registry.h"

#include <QTest>

namespace {

const QString ToolKey = QStringLiteral("SOFTWARE\\Microsoft\\Shared Tools\\MSINFO");

QByteArray number32(quint32 value)
{
    QByteArray bytes(4, '\0');
    for (int i = 0; i < 4; ++i)
        bytes[i] = char(value >> (8 * i) & 0xFF);
    return bytes;
}

} // namespace

class TestGetKeyValue : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void readsAValue_data();
    void readsAValue();
    void failsWithoutTheKeyOrValue_data();
    void failsWithoutTheKeyOrValue();
};

void TestGetKeyValue::init()
{
    Registry::clear();
}

void TestGetKeyValue::readsAValue_data()
{
    QTest::addColumn<quint32>("type");
    QTest::addColumn<QByteArray>("data");
    QTest::addColumn<QString>("expected");

    const quint32 text = Registry::Text;
    QTest::newRow("text with its terminating zero") << text << QByteArray("/usr/bin/hardinfo\0", 18)
                                                    << QStringLiteral("/usr/bin/hardinfo");
    QTest::newRow("text without its terminating zero") << text << QByteArray("/usr/bin/hardinfo")
                                                       << QStringLiteral("/usr/bin/hardinfo");
    const QByteArray full = QByteArray(1023, 'a') + 'z';
    QTest::newRow("1024 bytes, the last one no zero, read whole") << text << full << QString::fromLatin1(full);
    QTest::newRow("1024 bytes ending in zero") << text << QByteArray(1023, 'b') + '\0'
                                               << QString(1023, QLatin1Char('b'));
    QTest::newRow("only the terminating zero") << text << QByteArray(1, '\0') << QString();
    QTest::newRow("empty value") << text << QByteArray() << QString();
    QTest::newRow("zero inside the text is kept")
        << text << QByteArray("ab\0cd\0", 6) << QString::fromLatin1(QByteArray("ab\0cd", 5));
    QTest::newRow("accented text") << text << Registry::textData(QStringLiteral("/opt/Pittura e Però"))
                                   << QStringLiteral("/opt/Pittura e Però");

    const quint32 number = Registry::Number32;
    QTest::newRow("32-bit number") << number << number32(0x12345678) << QStringLiteral("305419896");
    QTest::newRow("32-bit number with zero high bytes") << number << number32(5) << QStringLiteral("5");
    QTest::newRow("32-bit zero") << number << number32(0) << QStringLiteral("0");
    QTest::newRow("largest 32-bit number") << number << number32(0xFFFFFFFF) << QStringLiteral("4294967295");

    // Other types count as read and leave the caller's text alone.
    QTest::newRow("binary value") << quint32(Registry::Binary) << QByteArray("\x01\x02\x03", 3)
                                  << QStringLiteral("prima");
    QTest::newRow("expandable text") << quint32(Registry::ExpandText) << Registry::textData(QStringLiteral("%X%"))
                                     << QStringLiteral("prima");
    QTest::newRow("list of texts") << quint32(Registry::MultiText) << QByteArray("a\0b\0\0", 5)
                                   << QStringLiteral("prima");
}

void TestGetKeyValue::readsAValue()
{
    QFETCH(quint32, type);
    QFETCH(QByteArray, data);
    QFETCH(QString, expected);
    Registry::setValue(Registry::LocalMachine, ToolKey, QStringLiteral("PATH"), type, data);

    QString KeyVal = QStringLiteral("prima");
    QVERIFY(GetKeyValue(Registry::LocalMachine, ToolKey, QStringLiteral("PATH"), KeyVal));
    QCOMPARE(KeyVal, expected);
    QCOMPARE(Registry::openKeyCount(), 0);
}

void TestGetKeyValue::failsWithoutTheKeyOrValue_data()
{
    QTest::addColumn<quint32>("root");
    QTest::addColumn<QString>("keyName");
    QTest::addColumn<QString>("valueName");
    QTest::addColumn<quint32>("allowed");
    QTest::addColumn<QByteArray>("data");

    const quint32 machine = Registry::LocalMachine;
    const quint32 all = Registry::AllAccess;
    const QByteArray text = Registry::textData(QStringLiteral("/usr/bin/hardinfo"));
    QTest::newRow("absent key") << machine << QStringLiteral("SOFTWARE\\Nessuno") << QStringLiteral("PATH") << all
                                << text;
    QTest::newRow("key under another root") << quint32(Registry::CurrentUser) << ToolKey << QStringLiteral("PATH")
                                            << all << text;
    QTest::newRow("absent value") << machine << ToolKey << QStringLiteral("NOME") << all << text;
    QTest::newRow("key that may only be read")
        << machine << ToolKey << QStringLiteral("PATH") << quint32(Registry::ReadAccess) << text;
    QTest::newRow("key that may be read and written but not more")
        << machine << ToolKey << QStringLiteral("PATH") << quint32(Registry::ReadAccess | Registry::SetValue) << text;
    QTest::newRow("1025 bytes do not fit the buffer") << machine << ToolKey << QStringLiteral("PATH") << all
                                                      << QByteArray(1025, 'a');
    QTest::newRow("root that is no key") << quint32(0x1234) << ToolKey << QStringLiteral("PATH") << all << text;
}

void TestGetKeyValue::failsWithoutTheKeyOrValue()
{
    QFETCH(quint32, root);
    QFETCH(QString, keyName);
    QFETCH(QString, valueName);
    QFETCH(quint32, allowed);
    QFETCH(QByteArray, data);
    Registry::setValue(Registry::LocalMachine, ToolKey, QStringLiteral("PATH"), Registry::Text, data);
    Registry::setKeyAccess(Registry::LocalMachine, ToolKey, allowed);

    QString KeyVal = QStringLiteral("prima");
    QVERIFY(!GetKeyValue(root, keyName, valueName, KeyVal));
    QCOMPARE(KeyVal, QString());
    QCOMPARE(Registry::openKeyCount(), 0);
}

QTEST_GUILESS_MAIN(TestGetKeyValue)
#include "tst_getkeyvalue.moc"

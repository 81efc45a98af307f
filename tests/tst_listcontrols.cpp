// The list controls under the chooser: file list selection events, folder list paths, drive list volumes.
#include "app/Environment.h"
#include "platform/controls/DriveList.h"
#include "platform/controls/FolderList.h"
#include "platform/controls/ListBox.h"
#include "support/TestMain.h"

#include <QSignalSpy>

class TestListControls : public QObject
{
    Q_OBJECT
private slots:
    void settingTheIndexRaisesClick();
    void listChangesOfItsOwnRaiseNothing();
    void rightSideButtonsAndFocusDoNotSelect();
    void enterAndEscapeStopAtTheList();
    void arrowKeysSelectAndRaiseClick();

    void folderPathIsCleanAndChecked();
    void volumeOfAPathByWholeFolderNames_data();
    void volumeOfAPathByWholeFolderNames();
    void settingTheShownVolumeRaisesNothing();
    void followingAFolderRaisesNothing();

private:
    static ListBox *threeEntries(ListBox &list);
};

ListBox *TestListControls::threeEntries(ListBox &list)
{
    list.addItems({QStringLiteral("a.bmp"), QStringLiteral("b.bmp"), QStringLiteral("c.bmp")});
    return &list;
}

void TestListControls::settingTheIndexRaisesClick()
{
    ListBox list;
    threeEntries(list);
    QSignalSpy clicks(&list, &ListBox::Click);
    QCOMPARE(list.listIndex(), -1);
    list.setListIndex(1);
    QCOMPARE(clicks.count(), 1);
    QCOMPARE(list.listIndex(), 1);
    list.setListIndex(1); // the entry already selected: raised again
    QCOMPARE(clicks.count(), 2);
    list.setListIndex(-1);
    QCOMPARE(list.listIndex(), -1);
    list.setListIndex(3);
    list.setListIndex(-2);
    QCOMPARE(clicks.count(), 2);
    QCOMPARE(list.listIndex(), -1);
}

void TestListControls::listChangesOfItsOwnRaiseNothing()
{
    ListBox list;
    threeEntries(list);
    list.setListIndex(1);
    QSignalSpy clicks(&list, &ListBox::Click);
    list.removeItem(2);
    QCOMPARE(list.listIndex(), 1);
    list.removeItem(1);
    QCOMPARE(list.listIndex(), -1);
    QCOMPARE(list.listCount(), 1);
    list.setListIndex(0);
    list.clearList();
    QCOMPARE(list.listIndex(), -1);
    QCOMPARE(clicks.count(), 1);
    QCOMPARE(list.list(0), QString());
}

void TestListControls::rightSideButtonsAndFocusDoNotSelect()
{
    ListBox list;
    threeEntries(list);
    list.show();
    QVERIFY(QTest::qWaitForWindowExposed(&list));
    QSignalSpy clicks(&list, &ListBox::Click);
    QSignalSpy downs(&list, &ListBox::MouseDown);
    list.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&list));
    list.setFocus();
    QTRY_VERIFY(list.hasFocus());
    QCOMPARE(list.currentRow(), 0); // focus makes an entry current, which is no selection
    const QPoint second = list.visualItemRect(list.item(1)).center();
    QTest::mouseClick(list.viewport(), Qt::RightButton, {}, second);
    QCOMPARE(list.listIndex(), -1);
    QCOMPARE(clicks.count(), 0);
    QCOMPARE(downs.count(), 1);
    QCOMPARE(downs.first().at(0).toInt(), 2);
    // The side buttons neither select nor reach the list's handlers.
    for (Qt::MouseButton side : {Qt::BackButton, Qt::ForwardButton}) {
        QTest::mouseClick(list.viewport(), side, {}, second);
        QTest::mouseDClick(list.viewport(), side, {}, second);
    }
    QCOMPARE(list.listIndex(), -1);
    QCOMPARE(clicks.count(), 0);
    QCOMPARE(downs.count(), 1);
    QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, second);
    QCOMPARE(list.listIndex(), 1);
    QCOMPARE(clicks.count(), 1);
    // A click on the entry already selected is a click all the same; below the entries it is none.
    QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, second);
    QCOMPARE(clicks.count(), 2);
    QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, QPoint(second.x(), list.viewport()->height() - 2));
    QCOMPARE(clicks.count(), 2);
}

void TestListControls::enterAndEscapeStopAtTheList()
{
    ListBox list;
    threeEntries(list);
    QSignalSpy keys(&list, &ListBox::KeyDown);
    for (Qt::Key key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape}) {
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
        press.ignore();
        QApplication::sendEvent(&list, &press);
        QVERIFY(press.isAccepted());
    }
    QCOMPARE(keys.count(), 3);
    QCOMPARE(keys.at(0).at(0).toInt(), 13);
    QCOMPARE(keys.at(1).at(0).toInt(), 13);
    QCOMPARE(keys.at(2).at(0).toInt(), 27);
}

void TestListControls::arrowKeysSelectAndRaiseClick()
{
    ListBox list;
    threeEntries(list);
    list.setListIndex(0);
    QSignalSpy clicks(&list, &ListBox::Click);
    QTest::keyClick(&list, Qt::Key_Down);
    QCOMPARE(list.listIndex(), 1);
    QCOMPARE(clicks.count(), 1);
}

void TestListControls::folderPathIsCleanAndChecked()
{
    QTemporaryDir dir;
    QVERIFY(QDir(dir.path()).mkpath(QStringLiteral("a/b")));
    QFile file(dir.filePath(QStringLiteral("a/file.bmp")));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.close();
    FolderList folders;
    QSignalSpy changes(&folders, &FolderList::Change);
    QVERIFY(folders.setPath(dir.filePath(QStringLiteral("a/b/../b/"))));
    QCOMPARE(folders.path(), dir.filePath(QStringLiteral("a/b")));
    QCOMPARE(changes.count(), 1);
    QVERIFY(folders.setPath(dir.filePath(QStringLiteral("a/b"))));
    QCOMPARE(changes.count(), 1);
    QVERIFY(!folders.setPath(file.fileName()));
    QVERIFY(!folders.setPath(dir.filePath(QStringLiteral("missing"))));
    QVERIFY(!folders.setPath(QString()));
    QCOMPARE(folders.path(), dir.filePath(QStringLiteral("a/b")));
    QCOMPARE(changes.count(), 1);
    QCOMPARE(folders.entryPath(folders.listIndex()), folders.path());
}

void TestListControls::volumeOfAPathByWholeFolderNames_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("volume");
    QTest::newRow("on the root volume") << "/home/bimbo/Immagini" << "/";
    QTest::newRow("on the stick") << "/media/usb/disegni" << "/media/usb";
    QTest::newRow("the stick's own root") << "/media/usb" << "/media/usb";
    QTest::newRow("a longer name is another folder") << "/media/usb2/disegni" << "/";
    QTest::newRow("nested mount wins") << "/media/usb/cd/x.bmp" << "/media/usb/cd";
    QTest::newRow("unclean path") << "/media/usb/../usb/cd/" << "/media/usb/cd";
    QTest::newRow("relative path: none") << "disegni" << "";
}

void TestListControls::volumeOfAPathByWholeFolderNames()
{
    QFETCH(QString, path);
    DriveList drives;
    drives.setVolumes({{QStringLiteral("/"), QString()}, {QStringLiteral("/media/usb"), QStringLiteral("CHIAVETTA")},
                       {QStringLiteral("/media/usb/cd"), QStringLiteral("CD")}});
    QTEST(drives.volumeOf(path), "volume");
}

void TestListControls::settingTheShownVolumeRaisesNothing()
{
    DriveList drives;
    drives.setVolumes({{QStringLiteral("/"), QString()}, {QStringLiteral("/media/usb"), QStringLiteral("CHIAVETTA")}});
    QSignalSpy changes(&drives, &DriveList::Change);
    drives.setDrive(QStringLiteral("/media/usb/disegni"));
    QCOMPARE(drives.drive(), QStringLiteral("/media/usb"));
    QCOMPARE(drives.currentText(), QStringLiteral("/media/usb  [CHIAVETTA]"));
    QCOMPARE(changes.count(), 1);
    drives.setDrive(QStringLiteral("/media/usb"));
    QCOMPARE(changes.count(), 1);
    drives.setDrive(QStringLiteral("relativo"));
    QCOMPARE(changes.count(), 1);
    drives.setCurrentIndex(0);
    QCOMPARE(drives.drive(), QStringLiteral("/"));
    QCOMPARE(changes.count(), 2);
}

void TestListControls::followingAFolderRaisesNothing()
{
    DriveList drives;
    drives.setVolumes({{QStringLiteral("/"), QString()}});
    QSignalSpy changes(&drives, &DriveList::Change);
    drives.follow(QStringLiteral("/media/usb/disegni"));
    QCOMPARE(drives.drive(), QStringLiteral("/"));
    // A stick found when the list is opened again is the volume of the folder followed.
    drives.setVolumes({{QStringLiteral("/"), QString()}, {QStringLiteral("/media/usb"), QStringLiteral("CHIAVETTA")}});
    QCOMPARE(drives.drive(), QStringLiteral("/media/usb"));
    QCOMPARE(drives.currentIndex(), 1);
    drives.follow(QStringLiteral("relativo"));
    QCOMPARE(drives.drive(), QString());
    QCOMPARE(drives.currentIndex(), -1);
    QCOMPARE(changes.count(), 0);
    drives.setCurrentIndex(0);
    QCOMPARE(changes.count(), 1);
}

PINTAVO_GUI_TEST_MAIN(TestListControls)
#include "tst_listcontrols.moc"

// A drive list: the mounted volumes, one of them shown; Linux has volumes where others have drive letters.
#pragma once

#include "platform/controls/DrivePlaces.h"

#include <QComboBox>
#include <QList>

// A volume is named by the folder it is mounted on (its root path). Choosing
// another volume, or setDrive() with a path on another volume, raises Change at
// once, nested in the code that set it; showing the volume already shown raises
// nothing. Enter and Escape are reported through KeyDown and stop here.
class DriveList : public QComboBox
{
    Q_OBJECT
public:
    using Volume = DriveVolume;

    // Lists the mounted volumes and shows the one holding the process's current folder.
    explicit DriveList(QWidget *parent = nullptr);

    // The volumes a person picks among, as drivePlaces() chooses them from the
    // system's mounts and the user's home folder.
    static QList<Volume> mountedVolumes();
    // Replaces the list; the volume shown stays shown when it is still listed, or,
    // after follow(), the volume now listed that holds the folder followed is shown.
    void setVolumes(const QList<Volume> &volumes);
    QList<Volume> volumes() const { return m_volumes; }

    // The root path of the volume shown; empty when none is listed.
    QString drive() const { return m_drive; }
    // Shows the volume holding `path` (the listed root that is the longest prefix
    // of it, by whole folder names). Nothing happens when no listed volume holds it.
    void setDrive(const QString &path);
    // Shows the volume holding `path` without raising Change: the list follows a
    // folder opened elsewhere, so that choosing another volume afterwards is a
    // change. None is shown when no listed volume holds it.
    void follow(const QString &path);
    // The root of the listed volume holding `path`; empty when none holds it.
    QString volumeOf(const QString &path) const;

signals:
    void Change();
    void KeyDown(int keyCode, int shift);

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void showPopup() override;

private:
    void chosen(int index);
    void fill();
    // Shows m_drive, or none when it is not listed, raising nothing.
    void showDrive();

    QList<Volume> m_volumes;
    QString m_drive;
    QString m_followed;
};

// FrmColScegli, the image chooser: a folder's pictures, a preview, and the choice for the sheet.
#pragma once

#include <QDialog>
#include <array>

class ClickLabel;
class DriveList;
class FolderList;
class ImageBox;
class ListBox;
class PictureBox;
class QAction;
class QFrame;
class QGroupBox;
class QLabel;
class QMenu;
class QPushButton;

// Opened modally with exec() and no owner window. Accepting puts the previewed
// picture on the sheet and hides the chooser; cancelling only hides it. Hidden, it
// keeps its folder, list, selection and preview for the next exec(). Closing it with
// the close box discards it (deleteLater): an opener keeps it in a QPointer and
// makes a new one when that has gone.
class FrmColScegli : public QDialog
{
    Q_OBJECT
public:
    // `sheet` is the main window's sheet, which receives the chosen picture.
    explicit FrmColScegli(PictureBox *sheet);
    ~FrmColScegli() override;

    // Rebuilds List1 and the count label from the folder Dir1 shows, then selects
    // (and so previews) the first entry.
    void PrendiLeFoto();

    void Form_Load();
    void Dir1_Change();
    void Drive1_Change();
    void Command4_Click();
    void List1_Click();
    void Command1_Click();
    void Command2_Click();
    void List1_KeyDown(int KeyCode, int Shift);
    void List1_MouseDown(int Button, int Shift, float X, float Y);
    void Label4_Click();
    void MenuRinomina_Click();
    void menuCancellaFile_Click();

    // Full path of the picture previewed last; empty at first and after a cancel.
    QString FileScelto;

    // The controls, named as designed.
    QLabel *lblTitle = nullptr;
    QLabel *Label5 = nullptr;
    ClickLabel *Label4 = nullptr;
    QLabel *Label14 = nullptr;
    QPushButton *Command4 = nullptr;
    QLabel *Label17 = nullptr;
    FolderList *Dir1 = nullptr;
    QLabel *Label15 = nullptr;
    DriveList *Drive1 = nullptr;
    QGroupBox *Frame1 = nullptr;
    PictureBox *Picture1 = nullptr;
    ImageBox *Image1 = nullptr;
    ListBox *List1 = nullptr;
    QPushButton *Command1 = nullptr;
    QPushButton *Command2 = nullptr;
    std::array<QFrame *, 3> Line1{}; // indexes 2, 3 and 4
    QMenu *Menudestro = nullptr;
    QAction *menusele = nullptr;
    QAction *menumeno = nullptr;
    QAction *MenuRinomina = nullptr;
    QAction *menuCancellaFile = nullptr;

public slots:
    // Escape, wherever the focus is, cancels.
    void reject() override;

protected:
    void closeEvent(QCloseEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void createControls();
    // The names, in Italian, that a screen reader says for the controls.
    void nameControls();
    void createMenu();
    void connectHandlers();

    PictureBox *m_sheet;
    // FileScelto as the system names the file.
    QByteArray m_chosenFile;
    // Set by a popup item that failed, so that the popup's handler reports it.
    bool m_menuFailed = false;
    bool m_placed = false;
};

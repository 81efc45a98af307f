// frmAbout, the about box: title, version, description, the maker's links and the system information button.
#pragma once

#include <QDialog>
#include <array>

class LineControl;
class PictureBox;
class QLabel;
class QPushButton;

// Shown modally with exec() and owned by no window; each showing builds a new
// one and it is gone once closed. Every way out (OK, Enter, Esc, "ZNF", the
// maker's picture) closes it; "&System Info..." leaves it open.
class frmAbout : public QDialog
{
    Q_OBJECT
public:
    frmAbout();
    ~frmAbout() override;

    // Starts the system information program the registry points at, or tells
    // the user it is not available.
    void StartSysInfo();

    // The controls, named as designed.
    PictureBox *picIcon = nullptr;
    QLabel *lblTitle = nullptr;
    QLabel *lblVersion = nullptr;
    QLabel *lblDescription = nullptr;
    PictureBox *Picture2 = nullptr;
    // The three coloured lines have the indexes 0, 3 and 2; index 1 is unused.
    std::array<LineControl *, 4> Line1{};
    QLabel *lblDisclaimer = nullptr;
    PictureBox *Picture1 = nullptr;
    QPushButton *Command10 = nullptr;
    QPushButton *cmdOK = nullptr;
    QPushButton *cmdSysInfo = nullptr;

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    void createControls();
    // The names, in Italian, that a screen reader says for the controls.
    void nameControls();
    void Form_Load();
    void cmdOK_Click();
    void cmdSysInfo_Click();
    void Command10_Click();
    void Picture1_Click();
};

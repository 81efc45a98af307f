// Form8, the print preview: the sheet on an A4 page as it will be printed, with a zoom.
#pragma once

#include "print/DisegnaPagina.h"

#include <QDialog>
#include <QPointer>
#include <memory>

class PictureBox;
class QAction;
class QGroupBox;
class QLabel;
class QMenu;
class QPainter;
class QPrinter;
class QPushButton;
class QSlider;

class Form8 : public QDialog
{
    Q_OBJECT
public:
    // Copies the sheet's current image once, here; the sheet's inner size is read
    // again at every drawing. The sheet is not owned and nothing is written to
    // it. The window has no owner: exec() shows it maximised and modal to the
    // whole program and returns when it is closed; the caller then discards it.
    explicit Form8(PictureBox *sheet);
    ~Form8() override;

    // Lays the page and the panel out for the window's height and redraws the page.
    void Form_Resize();
    // Gives the page's painter inch coordinates over the printer's paper (axes
    // scaled apart), clears it to white and returns the preview ratio.
    double ScalaAnteprima(QPainter &page);
    // The print command: the printer dialog, then one portrait page.
    void Stampa();

    void Picture1_MouseDown(int Button, int Shift, float X, float Y);
    void Command1_Click();
    void Command2_Click();
    void menuesci_Click();

    // The controls, named as designed.
    PictureBox *Picture1 = nullptr;
    QGroupBox *Frame1 = nullptr;
    QPushButton *Command2 = nullptr;
    QPushButton *Command1 = nullptr;
    QLabel *Label1 = nullptr;
    QSlider *Slider1 = nullptr;
    PictureBox *Image1 = nullptr;
    QMenu *menuf = nullptr;
    QAction *menuesci = nullptr;

protected:
    void resizeEvent(QResizeEvent *event) override;
    void changeEvent(QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void createControls();
    void Form_Load();
    // The paper of the current printer in inches; A4 when the printer cannot tell.
    QSizeF paperSize() const;
    PageContent pageContent() const;

    QPointer<PictureBox> m_sheet;
    std::unique_ptr<QPrinter> m_printer;
};

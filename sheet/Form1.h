// Form1, the main window: the sheet, the palette column and the browser pane.
#pragma once

#include "platform/picture/ColorValue.h"
#include "platform/dialogs/CommonDialog.h"

#include <QMainWindow>
#include <QPointer>
#include <array>
#include <functional>
#include <optional>

class ClickLabel;
class FrmColScegli;
class PictureBox;
class QGroupBox;
class QKeyEvent;
class QLineEdit;
class QPushButton;
class QShortcut;
class QSlider;
class QToolButton;
class WebBrowser;

class Form1 : public QMainWindow
{
    Q_OBJECT
public:
    struct Options
    {
        // The folder the program runs from; its Immagini/ and menu/ are used.
        QString programFolder;
        // A number in [0, 1) that picks the first drawing.
        std::function<double()> random;
        // A picture to start on in place of the random drawing (the command line's).
        QString pictureFile;

        // The executable's folder and a generator seeded from the clock.
        static Options forProgram();
    };

    explicit Form1(const Options &options, QWidget *parent = nullptr);
    ~Form1() override;

    // Fills the area at (X, Y), in obj's scale units, with colorCode. Without a
    // border colour it repaints the connected patch of the colour found there;
    // with one it spreads until that colour. obj's fill settings are restored.
    void AreaFill(PictureBox *obj, int X, int Y, ColorValue colorCode,
                  std::optional<ColorValue> borderColor = std::nullopt);

    // Lays the palette column and the browser pane out after the sheet and the window.
    void Form_Resize();

    // The web search for drawings to colour, on the Virgilio portal.
    static const QString WebSearchAddress;

    // Commands on the whole sheet.
    void Command2_Click(); // load a drawing through the chooser
    void menuc_Click();
    void Command4_Click(); // undo all
    void Command7_Click(); // blank sheet
    void Command5_Click(); // save as BMP
    void Command3_Click(); // print preview
    void Command1_Click(); // end the program
    void MenuE_Click();
    // Something dragged over the window or the palette only lays the window out again.
    void Form_OLEDragOver();
    void Form_OLEDragDrop();
    void Frame1_DragOver();

    // The browser pane, its address bar and the maker's links.
    void Command8_Click();
    void Command9_Click();
    void Command10_Click();
    void Text1_KeyDown(int KeyCode, int Shift);
    void menuvirg_Click();
    void menuhelp_Click();
    void menusit_Click();
    void menuscr_Click();
    void menuznf_Click();
    void MenuAbo_Click();

    void Picture1_MouseDown(int Button, int Shift, float X, float Y);
    void Picture1_MouseMove(int Button, int Shift, float X, float Y);

    // Choosing the painting colour; every choice also puts the retouch pen away.
    void Label1_Click(int Index);
    void Picture6_MouseMove(int Button, int Shift, float X, float Y);
    void Picture6_Click();
    void Label2_Click();
    // The arrows move the palette's focus among the cells, as they stand.
    void Label1_KeyDown(int Index, int KeyCode);
    void Frame1_MouseDown(int Button, int Shift, float X, float Y);
    // The retouch pen on (pressing again keeps it on).
    void Command6_Click();
    // Moving over the window, the palette frame or the colour strip gives the
    // normal pointer back.
    void Form_MouseMove(int Button, int Shift, float X, float Y);
    void Frame1_MouseMove(int Button, int Shift, float X, float Y);
    void Picture2_MouseMove(int Button, int Shift, float X, float Y);

    // The controls, named as designed; other windows reach the sheet through Picture1.
    PictureBox *Picture1 = nullptr;
    PictureBox *Picture2 = nullptr;
    QGroupBox *Frame1 = nullptr;
    std::array<ClickLabel *, 16> Label1{};
    PictureBox *Picture6 = nullptr;
    ClickLabel *Label2 = nullptr;
    QToolButton *Command1 = nullptr;
    QToolButton *Command2 = nullptr;
    QToolButton *Command3 = nullptr;
    QToolButton *Command4 = nullptr;
    QToolButton *Command5 = nullptr;
    QPushButton *Command6 = nullptr;
    QPushButton *Command7 = nullptr;
    QSlider *Slider4 = nullptr;
    QGroupBox *Frame2 = nullptr;
    QPushButton *Command8 = nullptr;
    QPushButton *Command9 = nullptr;
    QPushButton *Command10 = nullptr;
    QLineEdit *Text1 = nullptr;
    WebBrowser *WebBrowser1 = nullptr;
    PictureBox *Picture4 = nullptr;
    CommonDialog CommonDialog1;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void createControls();
    void connectPalette();
    void connectCommands();
    void createMenus();
    // The names, in Italian, that a screen reader says for the controls.
    void nameControls();
    void nameThePaintingColour();
    // Colouring by keyboard: the palette and the sheet take the focus by Tab.
    void connectKeyboard();
    // The sheet's keys act at its keyboard point, which starts at the centre of
    // the sheet's visible part and stays within it. True when the key was the sheet's.
    bool keyOnSheet(const QKeyEvent *key);
    QRect keyPointBounds() const;
    void placeKeyPoint();
    // Sends the pane to the address and shows it in the address bar.
    void openAddress(const QString &address);
    void Form_Load(const Options &options);
    // One black square of the retouch pen, (2t + 1) pixels wide, centred on (X, Y).
    void DisegnaPenna(float X, float Y, int t);
    // The sheet keeps the history of its changes; the undo and redo keys walk it.
    void connectHistory();
    void stepHistory(bool back);
    // Ctrl+V and Shift+Insert put the clipboard's picture on the sheet, as a drop would.
    void connectPaste();
    void pastePicture();
    // The address bar and the web pane keep the sheet's keys for their own
    // meaning while either has the focus: the shortcuts are off meanwhile.
    bool isTypingPlace(const QWidget *widget) const;
    void standAsideWhileTyping(const QList<QShortcut *> &shortcuts);

    bool m_firstShow = true;
    bool m_pasting = false;
    // Why the picture asked for at start-up was not opened, told once the window is up.
    QString m_startMessage;
    // The chooser stays loaded while hidden, so it reopens as it was left; its
    // close box discards it and the next opening makes a new one.
    QPointer<FrmColScegli> m_chooser;
};

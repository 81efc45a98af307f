// Form1: the commands on the whole sheet (undo all, blank sheet, save, exit) and drops.
#include "sheet/Form1.h"

#include "chooser/FrmColScegli.h"
#include "platform/system/LaunchArguments.h"
#include "platform/system/Launcher.h"
#include "print/Form8.h"
#include "platform/dialogs/MessageBox.h"
#include "platform/picture/PictureBox.h"
#include "platform/picture/PictureFile.h"
#include "platform/controls/TwipsGeometry.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QFileInfo>

void Form1::Command2_Click()
{
    if (!m_chooser)
        m_chooser = new FrmColScegli(Picture1);
    m_chooser->exec();
    // Whatever happened there, the columns follow the sheet's right edge.
    Form_Resize();
}

void Form1::menuc_Click()
{
    Command2_Click();
}

void Form1::Command4_Click()
{
    // Giving the sheet its own picture again rebuilds its image: all colouring goes.
    Picture4->setPicture(Picture1->picture());
    Picture1->setPicture(Picture4->picture());
}

void Form1::Command7_Click()
{
    // The box is measured in the sheet's twips but drawn in its pixels, so it
    // reaches well past the edges and covers the whole sheet.
    const QRect sheet = twipsRect(Picture1);
    Picture1->fillBox(0, 0, sheet.width(), sheet.height(), ColorValue(0xFFFFFF));
    const QRect spare = twipsRect(Picture4);
    Picture4->fillBox(0, 0, spare.width(), spare.height(), ColorValue(0xFFFFFF));
    // What is drawn from now on is no longer the drawing of that file.
    Picture1->forgetFileName();
    QCoreApplication::processEvents();
}

void Form1::Command5_Click()
{
    CommonDialog1.setFilter(QStringLiteral("BMP Files (*.bmp)|*.bmp|"));
    // A cancelled dialog must not leave the name of an earlier save behind, or
    // the sheet would be written over that file.
    CommonDialog1.setFileName(QString());
    CommonDialog1.ShowSave(this);
    const QString name = CommonDialog1.fileName();
    if (name.trimmed().isEmpty() || QFileInfo(name).fileName().trimmed().isEmpty())
        return;
    const SaveOutcome saved = savePictureAsBmp(Picture1->image(), name);
    if (saved != SaveOutcome::Saved) {
        const QString what = saved == SaveOutcome::EarlierFileDamaged
            ? QStringLiteral("Il salvataggio del disegno nel file \"%1\" si è interrotto a metà: quel file ora è "
                             "incompleto. Controlla il disco e salva di nuovo.")
            : QStringLiteral("Non è stato possibile salvare il disegno nel file \"%1\". "
                             "Controlla che la cartella esista e si possa scrivere, "
                             "e che sul disco ci sia spazio.");
        MessageBox::show(what.arg(name) + QStringLiteral(" Il disegno sul foglio è ancora qui."), MessageBox::OkOnly,
                         this);
        return;
    }
    QCoreApplication::processEvents();
    Launcher::start(LaunchArguments::savedFile(name));
}

void Form1::Command3_Click()
{
    // The preview copies the sheet when it opens and is gone when it closes.
    Form8 preview(Picture1);
    preview.exec();
}

void Form1::Command1_Click()
{
    // Ends the whole run at once: nothing is asked and no window is asked to close.
    QCoreApplication::exit(0);
}

void Form1::MenuE_Click()
{
    Command1_Click();
}

void Form1::closeEvent(QCloseEvent *event)
{
    event->accept();
    Command1_Click();
}

void Form1::Form_OLEDragOver()
{
    Form_Resize();
}

void Form1::Form_OLEDragDrop()
{
    Form_Resize();
}

void Form1::Frame1_DragOver()
{
    Form_Resize();
}

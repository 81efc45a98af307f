// Form8: the printer's paper and the print command.
#include "print/Form8.h"

#include "platform/dialogs/MessageBox.h"
#include "platform/dialogs/PrintDialog.h"
#include "print/PageGeometry.h"

#include "platform/picture/PictureBox.h"

#include <QFileInfo>
#include <QPainter>
#include <QPrinter>

namespace {

// The title of the print job, which the print queue lists and a PDF printer
// names its file after: the drawing's file name, or a plain word for a sheet
// that came from no file.
QString documentName(const PictureBox *sheet)
{
    const QString file = sheet ? QFileInfo(sheet->fileName()).fileName() : QString();
    return QStringLiteral("Pintavo - ") + (file.isEmpty() ? QStringLiteral("disegno") : file);
}

} // namespace

QSizeF Form8::paperSize() const
{
    const QPageLayout layout = m_printer->pageLayout();
    const QSizeF millimetres = layout.isValid() ? layout.fullRect(QPageLayout::Millimeter).size() : QSizeF();
    if (millimetres.width() > 0 && millimetres.height() > 0)
        return millimetres / PageGeometry::MillimetresPerInch;
    return PageGeometry::pageSize();
}

void Form8::Stampa()
{
    // A cancelled dialog prints nothing and says nothing.
    if (!PrintDialog::show(*m_printer, this))
        return;

    QPrinter &printer = *m_printer;
    // One portrait page, whatever the dialog chose.
    printer.setPageOrientation(QPageLayout::Portrait);
    printer.setCopyCount(1);
    printer.setPrintRange(QPrinter::AllPages);
    printer.setDocName(documentName(m_sheet));
    // The page's inches start at the printable area's corner. A printer that
    // cannot print to its edges refuses margins below its own and keeps them. A
    // PDF file has no such edge, so there the corner is the paper's, whatever
    // minimum margins a printer chosen before in the dialog left on the layout.
    if (printer.outputFormat() == QPrinter::PdfFormat)
        printer.setPageLayout(QPageLayout(printer.pageLayout().pageSize(), QPageLayout::Portrait, QMarginsF()));
    else
        printer.setPageMargins(QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter);

    if (!printer.isValid()) {
        MessageBox::show(QStringLiteral("Nessuna stampante disponibile: il disegno non è stato stampato."),
                         MessageBox::OkOnly, this);
        return;
    }
    QPainter painter;
    if (!painter.begin(&printer)) {
        MessageBox::show(QStringLiteral("Impossibile avviare la stampa: controllare la stampante "
                                        "o la cartella del file scelto."),
                         MessageBox::OkOnly, this);
        return;
    }
    // Line drawings print with clean edges: no lossy compression of the sheet in a PDF.
    painter.setRenderHint(QPainter::LosslessImageRendering);
    painter.scale(printer.logicalDpiX(), printer.logicalDpiY());
    painter.setPen(Qt::black);
    DisegnaPagina(painter, 1, pageContent());
    if (!painter.end() || printer.printerState() == QPrinter::Error)
        MessageBox::show(QStringLiteral("La stampante ha segnalato un errore: "
                                        "la pagina potrebbe non essere stata stampata."),
                         MessageBox::OkOnly, this);
}

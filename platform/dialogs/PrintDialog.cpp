// PrintDialog over QPrintDialog.
#include "platform/dialogs/PrintDialog.h"

#include "platform/dialogs/ModalWindows.h"

#include <QPrintDialog>
#include <QPrinter>

namespace PrintDialog {

namespace {
Recorder *g_recorder = nullptr;

bool answer(QPrinter &printer)
{
    ++g_recorder->shown;
    if (g_recorder->answers.isEmpty())
        return false;
    const Answer a = g_recorder->answers.takeFirst();
    if (!a.accept)
        return false;
    if (!a.printerMargins.isNull()) {
        const QPageLayout layout = printer.pageLayout();
        printer.setPageLayout(QPageLayout(layout.pageSize(), layout.orientation(), a.printerMargins,
                                          QPageLayout::Point, a.printerMargins));
    }
    if (!a.outputFile.isEmpty()) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(a.outputFile);
    }
    printer.setPageOrientation(a.orientation);
    return true;
}
} // namespace

bool show(QPrinter &printer, QWidget *parent)
{
    ModalWindows::announceOpening();
    if (g_recorder)
        return answer(printer);
    // Qt's own texts are Italian once the program installed its translation.
    QPrintDialog dialog(&printer, parent);
    dialog.setOptions(QAbstractPrintDialog::PrintToFile | QAbstractPrintDialog::PrintShowPageSize);
    return dialog.exec() == QDialog::Accepted;
}

void recordForTests(Recorder *recorder)
{
    g_recorder = recorder;
}

} // namespace PrintDialog

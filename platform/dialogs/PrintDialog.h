// The printer dialog, where the user confirms the printer (or a PDF file) before printing.
#pragma once

#include <QList>
#include <QPageLayout>
#include <QString>

class QPrinter;
class QWidget;

namespace PrintDialog {

// Shows the system's printer dialog for `printer`, modally and in Italian. True
// when the user confirmed: the choices made there are then on `printer`. False
// when the user cancelled: `printer` is left as it was.
bool show(QPrinter &printer, QWidget *parent = nullptr);

// What a test answers in place of the user.
struct Answer
{
    bool accept = true;
    // Printing into this PDF file; empty keeps the printer's own output.
    QString outputFile;
    QPageLayout::Orientation orientation = QPageLayout::Portrait;
    // Minimum margins in points, as a printer's driver reports them, left on the
    // layout by a printer chosen before: the dialog carries them over to a PDF
    // file chosen afterwards.
    QMarginsF printerMargins;
};

// Tests answer the dialog instead of showing it: while a recorder is set, each
// dialog counts itself in `shown` and takes the first of `answers`, applying it
// to the printer as the dialog would. With no answer left it is cancelled.
struct Recorder
{
    int shown = 0;
    QList<Answer> answers;
};
void recordForTests(Recorder *recorder);

} // namespace PrintDialog

// MessageBox over QMessageBox.
#include "platform/dialogs/MessageBox.h"

#include "platform/dialogs/ModalWindows.h"

#include <QCoreApplication>
#include <QMessageBox>

namespace MessageBox {

namespace {
Recorder *g_recorder = nullptr;
}

int show(const QString &text, Buttons buttons, QWidget *parent)
{
    ModalWindows::announceOpening();
    if (g_recorder) {
        g_recorder->texts.append(text);
        if (g_recorder->whileShown)
            g_recorder->whileShown();
        return g_recorder->answers.isEmpty() ? Ok : g_recorder->answers.takeFirst();
    }
    QMessageBox box(QMessageBox::NoIcon, QCoreApplication::applicationName(), text,
                    buttons == OkCancel ? QMessageBox::Ok | QMessageBox::Cancel : QMessageBox::Ok, parent);
    const int pressed = box.exec();
    if (pressed == QMessageBox::Ok)
        return Ok;
    return buttons == OkCancel ? Cancel : Ok;
}

void recordForTests(Recorder *recorder)
{
    g_recorder = recorder;
}

} // namespace MessageBox

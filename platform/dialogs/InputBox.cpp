// InputBox over QInputDialog.
#include "platform/dialogs/InputBox.h"

#include "platform/controls/Twips.h"
#include "platform/dialogs/ModalWindows.h"

#include <QGuiApplication>
#include <QInputDialog>
#include <QLabel>
#include <QScreen>

namespace InputBox {

namespace {
Recorder *g_recorder = nullptr;
// Wide enough for a long file name and for the caption in the title bar.
constexpr int MinimumTextWidth = 360;
}

QString ask(const QString &prompt, const QString &caption, const QString &defaultText, int leftTwips,
            QWidget *parent)
{
    ModalWindows::announceOpening();
    if (g_recorder) {
        g_recorder->prompts.append(prompt);
        g_recorder->captions.append(caption);
        g_recorder->defaultTexts.append(defaultText);
        return g_recorder->answers.isEmpty() ? QString() : g_recorder->answers.takeFirst();
    }
    QInputDialog box(parent);
    box.setWindowTitle(caption);
    box.setLabelText(prompt);
    box.setTextValue(defaultText);
    box.setOkButtonText(QStringLiteral("OK"));
    box.setCancelButtonText(QStringLiteral("Annulla"));
    // Prompts are sentences: let them wrap instead of widening the box off the screen.
    for (QLabel *label : box.findChildren<QLabel *>()) {
        label->setWordWrap(true);
        label->setMinimumWidth(MinimumTextWidth);
    }
    box.adjustSize();
    const QScreen *screen = parent ? parent->screen() : QGuiApplication::primaryScreen();
    if (screen) {
        const QRect area = screen->availableGeometry();
        box.move(area.left() + Twips::toPixels(leftTwips), area.top() + (area.height() - box.height()) / 2);
    }
    if (box.exec() != QDialog::Accepted)
        return QString();
    return box.textValue();
}

void recordForTests(Recorder *recorder)
{
    g_recorder = recorder;
}

} // namespace InputBox

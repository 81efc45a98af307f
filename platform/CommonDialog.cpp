// CommonDialog over QColorDialog.
#include "platform/CommonDialog.h"

#include <QColorDialog>

namespace {
CommonDialog::Recorder *g_recorder = nullptr;
}

void CommonDialog::ShowColor(QWidget *parent)
{
    std::optional<ColorValue> chosen;
    if (g_recorder) {
        ++g_recorder->shown;
        if (!g_recorder->colors.isEmpty())
            chosen = g_recorder->colors.takeFirst();
    } else {
        QColorDialog dialog(m_color.resolved(), parent);
        if (dialog.exec() == QDialog::Accepted)
            chosen = ColorValue::fromQColor(dialog.selectedColor());
    }
    if (chosen)
        m_color = *chosen;
}

void CommonDialog::recordForTests(Recorder *recorder)
{
    g_recorder = recorder;
}

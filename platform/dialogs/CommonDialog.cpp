// CommonDialog over QColorDialog and QFileDialog.
#include "platform/dialogs/CommonDialog.h"

#include "platform/dialogs/ModalWindows.h"

#include <QColorDialog>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QStandardPaths>

namespace {
CommonDialog::Recorder *g_recorder = nullptr;
}

void CommonDialog::ShowColor(QWidget *parent)
{
    ModalWindows::announceOpening();
    std::optional<ColorValue> chosen;
    if (g_recorder) {
        ++g_recorder->shown;
        if (g_recorder->whileShown)
            g_recorder->whileShown();
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

QStringList CommonDialog::nameFilters(const QString &filter)
{
    const QStringList parts = filter.split(QLatin1Char('|'));
    QStringList filters;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        const QString &description = parts[i];
        const QString pattern = QString(parts[i + 1]).replace(QLatin1Char(';'), QLatin1Char(' '));
        filters.append(description.contains(QLatin1Char('(') + pattern + QLatin1Char(')'))
                           ? description
                           : description + QStringLiteral(" (") + pattern + QLatin1Char(')'));
    }
    return filters;
}

void CommonDialog::ShowSave(QWidget *parent)
{
    ModalWindows::announceOpening();
    if (g_recorder) {
        ++g_recorder->saveShown;
        if (g_recorder->whileShown)
            g_recorder->whileShown();
        g_recorder->fileNameWhenShown = m_fileName;
        g_recorder->filterWhenShown = m_filter;
        const std::optional<QString> answer =
            g_recorder->fileNames.isEmpty() ? std::nullopt : g_recorder->fileNames.takeFirst();
        m_fileName = answer.value_or(QString());
        return;
    }
    QFileDialog dialog(parent);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    // Qt's own dialog deletes a file, or a folder with all it holds, for good at
    // the Delete key and a "Sì": here it only chooses where the sheet goes.
    dialog.setOption(QFileDialog::ReadOnly);
    dialog.setNameFilters(nameFilters(m_filter));
    if (!m_fileName.isEmpty()) {
        dialog.selectFile(m_fileName);
    } else if (!QFileInfo(QDir::currentPath()).isWritable()) {
        // The dialog opens in the current folder, which after the chooser or the
        // print preview may be the program's own, read-only where it is installed:
        // offer the user's pictures instead of a folder a drawing cannot be saved in.
        const QString pictures = QStandardPaths::writableLocation(QStandardPaths::PicturesLocation);
        dialog.setDirectory(QFileInfo(pictures).isDir() ? pictures : QDir::homePath());
    }
    m_fileName = dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty()
        ? dialog.selectedFiles().constFirst()
        : QString();
}

// The common dialog control: a colour dialog and a Save As dialog that keep their choice between uses.
#pragma once

#include "platform/picture/ColorValue.h"

#include <QList>
#include <QString>
#include <functional>
#include <optional>

class QWidget;

class CommonDialog
{
public:
    // Shows the colour dialog modally. Choosing a colour makes it the control's
    // colour; cancelling leaves the colour the control had (0 before any choice).
    void ShowColor(QWidget *parent = nullptr);
    ColorValue color() const { return m_color; }

    // The file types offered by the Save As dialog, as "Description|pattern|"
    // pairs, for example "BMP Files (*.bmp)|*.bmp|".
    void setFilter(const QString &filter) { m_filter = filter; }
    QString filter() const { return m_filter; }
    void setFileName(const QString &name) { m_fileName = name; }
    QString fileName() const { return m_fileName; }
    // Shows the Save As dialog modally. The file name becomes the path chosen,
    // exactly as typed (no extension added), or empty when the user cancels.
    void ShowSave(QWidget *parent = nullptr);

    // The dialog's own filter text for the file types of a filter.
    static QStringList nameFilters(const QString &filter);

    // Tests answer the dialog instead of showing it: each use takes the first of
    // `colors`, a missing value being a cancel (also when none is left).
    struct Recorder
    {
        QList<std::optional<ColorValue>> colors;
        int shown = 0;
        // Save As answers: a path, or a missing value for a cancel.
        QList<std::optional<QString>> fileNames;
        int saveShown = 0;
        QString fileNameWhenShown; // what the dialog was opened with, last time
        QString filterWhenShown;
        // Run where the user would be looking at the dialog, before it answers.
        std::function<void()> whileShown;
    };
    static void recordForTests(Recorder *recorder);

private:
    ColorValue m_color{0};
    QString m_filter;
    QString m_fileName;
};

// The common dialog control: a colour dialog that keeps its colour between uses.
#pragma once

#include "platform/ColorValue.h"

#include <QList>
#include <optional>

class QWidget;

class CommonDialog
{
public:
    // Shows the colour dialog modally. Choosing a colour makes it the control's
    // colour; cancelling leaves the colour the control had (0 before any choice).
    void ShowColor(QWidget *parent = nullptr);
    ColorValue color() const { return m_color; }

    // Tests answer the dialog instead of showing it: each use takes the first of
    // `colors`, a missing value being a cancel (also when none is left).
    struct Recorder
    {
        QList<std::optional<ColorValue>> colors;
        int shown = 0;
    };
    static void recordForTests(Recorder *recorder);

private:
    ColorValue m_color{0};
};

// A line control: a straight line between two points of its parent, drawn in a colour and thickness.
#pragma once

#include "platform/picture/ColorValue.h"

#include <QLine>
#include <QWidget>

// The line lies over its parent like any control but takes no mouse events.
// Its widget is the line's bounding box widened by the thickness, so the
// thick line is never cut; the rest of the box is transparent.
class LineControl : public QWidget
{
    Q_OBJECT
public:
    explicit LineControl(QWidget *parent = nullptr);

    // The two ends in twips, in the parent's coordinates.
    void setLine(const QLine &twips);
    QLine line() const { return m_line; }

    // Thickness in pixels.
    void setBorderWidth(int pixels);
    int borderWidth() const { return m_borderWidth; }

    void setBorderColor(ColorValue color);
    ColorValue borderColor() const { return m_borderColor; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void place();

    QLine m_line;
    int m_borderWidth = 1;
    ColorValue m_borderColor{ColorValue::WindowText};
};

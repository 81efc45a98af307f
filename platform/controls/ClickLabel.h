// A label with a background colour value and click and mouse events.
#pragma once

#include "platform/picture/ColorValue.h"

#include <QLabel>

class ClickLabel : public QLabel
{
    Q_OBJECT
public:
    explicit ClickLabel(QWidget *parent = nullptr);

    ColorValue backColor() const { return m_backColor; }
    void setBackColor(ColorValue color);

signals:
    void Click();
    void MouseMove(int button, int shift, float x, float y);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;

private:
    ColorValue m_backColor{ColorValue::WindowBackground};
    bool m_pressed = false;
};

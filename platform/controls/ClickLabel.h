// A label with a background colour value and click, mouse and key events.
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
    // A left click, or Space or Enter while the label has the focus (a label
    // takes the focus only when given a focus policy).
    void Click();
    void MouseMove(int button, int shift, float x, float y);
    // Any other key pressed while the label has the focus.
    void KeyDown(int keyCode, int shift);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;

private:
    ColorValue m_backColor{ColorValue::WindowBackground};
    bool m_pressed = false;
};

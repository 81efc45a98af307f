// A ring around a control that has the focus, for controls whose style shows it faintly or not at all.
#pragma once

#include <QFocusFrame>

// Drawn in the style's highlight colour just outside the control, while the
// focus is in it (or in one of its children) and the keyboard is in use (see
// KeyboardMarks). A focus frame, which screen readers pass over.
class FocusRing : public QFocusFrame
{
    Q_OBJECT
public:
    static void watch(QWidget *control);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    using QFocusFrame::QFocusFrame;
};

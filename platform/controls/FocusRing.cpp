// FocusRing: a focus frame shown and hidden as the focus and the keyboard come and go.
#include "platform/controls/FocusRing.h"

#include "platform/controls/KeyboardMarks.h"

#include <QApplication>
#include <QPainter>
#include <QPointer>

void FocusRing::watch(QWidget *control)
{
    auto *ring = new FocusRing(control);
    const auto follow = [ring, control = QPointer<QWidget>(control)] {
        QWidget *focus = QApplication::focusWidget();
        const bool on = control && focus && (focus == control || control->isAncestorOf(focus)) && KeyboardMarks::shown();
        ring->setWidget(on ? control.data() : nullptr);
        if (!on)
            ring->hide();
    };
    connect(qApp, &QApplication::focusChanged, ring, follow);
    connect(KeyboardMarks::instance(), &KeyboardMarks::changed, ring, follow);
}

void FocusRing::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setPen(QPen(palette().color(QPalette::Highlight), 2));
    painter.drawRect(QRectF(rect()).adjusted(1, 1, -1, -1));
}

// Counts the presses of one key that reach a widget.
#pragma once

#include <QEvent>
#include <QKeyEvent>
#include <QObject>
#include <QWidget>

class KeyPresses : public QObject
{
public:
    KeyPresses(QWidget *widget, Qt::Key key) : m_key(key) { widget->installEventFilter(this); }
    int count = 0;

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent *>(event)->key() == m_key)
            ++count;
        return false;
    }

private:
    Qt::Key m_key;
};

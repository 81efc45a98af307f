// Whether the keyboard is in use, so that marks meant for it show only then.
#pragma once

#include <QObject>

// The keyboard is in use from a key that moves the focus or acts on it (Tab,
// the arrows, Space, Enter) until the next mouse press anywhere in the
// program. Widgets that draw a mark for keyboard users (a focus mark, the
// sheet's crosshair) draw it only meanwhile, and repaint on `changed`.
class KeyboardMarks : public QObject
{
    Q_OBJECT
public:
    // The one watcher of the program, installed on the application at first use.
    static KeyboardMarks *instance();
    static bool shown() { return instance()->m_inUse; }

    // Marks the keyboard in use, as its keys do.
    void keyboardUsed() { setInUse(true); }

signals:
    void changed();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    using QObject::QObject;
    void setInUse(bool inUse);

    bool m_inUse = false;
};

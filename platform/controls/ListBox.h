// A list box of text entries with one selected entry and VB-style events.
#pragma once

#include <QListWidget>

// Click is raised whenever an entry becomes selected, by the user or by code
// setting listIndex() (even to the entry already selected), and on every click
// on an entry, the one already selected included; it runs at once, nested in the
// code or the event that raised it. The right button never changes the selection.
// Enter and Escape are reported through KeyDown and stop here: the list's owner
// decides what they do. Mouse buttons and shift keys are given as codes (see
// MouseCodes), positions in pixels. A ring inside the frame shows that the list
// has the focus.
class ListBox : public QListWidget
{
    Q_OBJECT
public:
    explicit ListBox(QWidget *parent = nullptr);

    // The selected entry, -1 when none. Setting -1 selects nothing and raises nothing;
    // an index past the entries is ignored.
    int listIndex() const;
    void setListIndex(int index);
    // The entry's text; an empty text for an index that is not an entry.
    QString list(int index) const;
    void setList(int index, const QString &text);
    // A value each entry keeps out of sight; an invalid one for an index that is
    // not an entry.
    QVariant itemData(int index) const;
    void setItemData(int index, const QVariant &value);
    int listCount() const { return count(); }
    // Removes the entry; when it was selected, no entry is selected afterwards.
    void removeItem(int index);
    void clearList();

signals:
    void Click();
    void DblClick();
    void KeyDown(int keyCode, int shift);
    void MouseDown(int button, int shift, float x, float y);
    void MouseMove(int button, int shift, float x, float y);

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void scrollContentsBy(int dx, int dy) override;

private:
    void selectionChanged();
    void pressEntry(QMouseEvent *event);

    // Changes made by the list itself (clearing, removing) select nothing new
    // and raise no Click.
    bool m_quiet = false;
};

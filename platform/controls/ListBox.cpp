// ListBox over QListWidget: selection as one index, events as the program's handlers expect.
#include "platform/controls/ListBox.h"

#include "platform/controls/KeyCodes.h"
#include "platform/controls/MouseCodes.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScopedValueRollback>

namespace {
// Past the role FolderList keeps its paths in.
constexpr int ItemDataRole = Qt::UserRole + 1;
}

ListBox::ListBox(QWidget *parent) : QListWidget(parent)
{
    setSelectionMode(QAbstractItemView::SingleSelection);
    setMouseTracking(true);
    setUniformItemSizes(true);
    viewport()->setMouseTracking(true);
    // The selection, not the current item, says which entry is chosen: a list that
    // gets the focus makes its first entry current without selecting it.
    connect(this, &QListWidget::itemSelectionChanged, this, &ListBox::selectionChanged);
}

void ListBox::selectionChanged()
{
    if (!m_quiet && listIndex() >= 0)
        emit Click();
}

int ListBox::listIndex() const
{
    const QList<QListWidgetItem *> selected = selectedItems();
    return selected.isEmpty() ? -1 : row(selected.first());
}

void ListBox::setListIndex(int index)
{
    if (index < -1 || index >= count())
        return;
    if (index == -1) {
        QScopedValueRollback quiet(m_quiet, true);
        setCurrentRow(-1);
        clearSelection();
        return;
    }
    if (listIndex() == index) {
        emit Click();
        return;
    }
    setCurrentRow(index);
}

QString ListBox::list(int index) const
{
    const QListWidgetItem *entry = item(index);
    return entry ? entry->text() : QString();
}

void ListBox::setList(int index, const QString &text)
{
    if (QListWidgetItem *entry = item(index))
        entry->setText(text);
}

QVariant ListBox::itemData(int index) const
{
    const QListWidgetItem *entry = item(index);
    return entry ? entry->data(ItemDataRole) : QVariant();
}

void ListBox::setItemData(int index, const QVariant &value)
{
    if (QListWidgetItem *entry = item(index))
        entry->setData(ItemDataRole, value);
}

void ListBox::removeItem(int index)
{
    if (index < 0 || index >= count())
        return;
    QScopedValueRollback quiet(m_quiet, true);
    const bool wasSelected = index == listIndex();
    delete takeItem(index);
    if (wasSelected) {
        setCurrentRow(-1);
        clearSelection();
    }
}

void ListBox::clearList()
{
    QScopedValueRollback quiet(m_quiet, true);
    clear();
}

void ListBox::keyPressEvent(QKeyEvent *event)
{
    const int code = KeyCodes::keyCode(event);
    emit KeyDown(code, MouseCodes::shift(event->modifiers()));
    if (code == KeyCodes::Enter || code == KeyCodes::Escape) {
        event->accept();
        return;
    }
    QListWidget::keyPressEvent(event);
}

void ListBox::mousePressEvent(QMouseEvent *event)
{
    // A side button neither selects an entry nor reaches a handler.
    if (!MouseCodes::known(event->button()))
        return;
    const QPointF p = event->position();
    if (event->button() != Qt::RightButton)
        pressEntry(event);
    emit MouseDown(MouseCodes::buttons(event->button()), MouseCodes::shift(event->modifiers()),
                   float(p.x()), float(p.y()));
}

void ListBox::pressEntry(QMouseEvent *event)
{
    const int before = listIndex();
    QListWidget::mousePressEvent(event);
    // A click on the entry already selected changes no selection but is a click
    // all the same: after a cancel the chooser forgets its choice while the entry
    // stays highlighted, and this click is how the child takes it again.
    const QListWidgetItem *pressed = itemAt(event->position().toPoint());
    if (!m_quiet && pressed && row(pressed) == before && listIndex() == before)
        emit Click();
}

void ListBox::mouseMoveEvent(QMouseEvent *event)
{
    const QPointF p = event->position();
    emit MouseMove(MouseCodes::buttons(event->buttons()), MouseCodes::shift(event->modifiers()),
                   float(p.x()), float(p.y()));
    QListWidget::mouseMoveEvent(event);
}

void ListBox::mouseReleaseEvent(QMouseEvent *event)
{
    if (MouseCodes::known(event->button()))
        QListWidget::mouseReleaseEvent(event);
}

void ListBox::mouseDoubleClickEvent(QMouseEvent *event)
{
    if (!MouseCodes::known(event->button()))
        return;
    QListWidget::mouseDoubleClickEvent(event);
    if (event->button() == Qt::LeftButton)
        emit DblClick();
}

void ListBox::paintEvent(QPaintEvent *event)
{
    QListWidget::paintEvent(event);
    // The style marks only the current entry, faintly, and nothing at all in an
    // empty list: the ring shows where the keys go.
    if (!hasFocus())
        return;
    QPainter painter(viewport());
    painter.setPen(QPen(palette().color(QPalette::Highlight), 2));
    painter.drawRect(QRectF(viewport()->rect()).adjusted(1, 1, -1, -1));
}

void ListBox::focusInEvent(QFocusEvent *event)
{
    QListWidget::focusInEvent(event);
    viewport()->update();
}

void ListBox::focusOutEvent(QFocusEvent *event)
{
    QListWidget::focusOutEvent(event);
    viewport()->update();
}

void ListBox::scrollContentsBy(int dx, int dy)
{
    QListWidget::scrollContentsBy(dx, dy);
    // Scrolling moves the pixels drawn, the ring with them: it is drawn afresh.
    if (hasFocus())
        viewport()->update();
}

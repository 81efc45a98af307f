// The picture box widget: image keeping, drawing primitives and mouse events.
#include "platform/picture/PictureBox.h"

#include "platform/picture/DroppedPicture.h"
#include "platform/dialogs/MessageBox.h"
#include "platform/picture/PictureFile.h"
#include "platform/controls/KeyboardMarks.h"
#include "platform/controls/MouseCodes.h"
#include "platform/controls/Rounding.h"
#include "platform/controls/Twips.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <qdrawutil.h>
#include <algorithm>
#include <cmath>
#include <optional>
#include <vector>

#if PINTAVO_HAVE_XCB && QT_CONFIG(xcb)
#include <QGuiApplication>
#include <xcb/xcb.h>
#include <cstdlib>
#endif

PictureBox::PictureBox(QWidget *parent) : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
    connect(KeyboardMarks::instance(), &KeyboardMarks::changed, this, [this] {
        if (m_keyPoint && hasFocus())
            update(keyMarkRect());
    });
}

void PictureBox::setBorderWidth(int pixels)
{
    m_borderWidth = pixels;
    update();
}

void PictureBox::setBackColor(ColorValue color)
{
    m_backColor = color;
    rebuildImage();
    changed();
    update();
    emit BackColorChanged();
}

void PictureBox::setPicture(const QImage &picture)
{
    m_fileNameForgotten = false;
    const QImage oldPicture = m_picture;
    const QImage oldImage = m_image;
    m_picture = picture;
    if (m_autoSize && !picture.isNull())
        resize(picture.width() + 2 * borderWidth(), picture.height() + 2 * borderWidth());
    rebuildImage();
    changed();
    update();
    if (m_history && !m_redoing)
        m_history->recordSheet(oldPicture, oldImage, m_picture, m_image);
}

namespace {

const QString FileNameKey = QStringLiteral("Pintavo-File");

// Where the X server has the pointer, in device pixels of `window`; nothing
// on other window systems.
std::optional<QPointF> nativePointer(const QWidget *window)
{
#if PINTAVO_HAVE_XCB && QT_CONFIG(xcb)
    auto *x11 = qApp->nativeInterface<QNativeInterface::QX11Application>();
    if (x11 && QGuiApplication::platformName() == QLatin1String("xcb") && window->windowHandle()) {
        xcb_connection_t *connection = x11->connection();
        xcb_query_pointer_reply_t *reply = xcb_query_pointer_reply(
            connection, xcb_query_pointer(connection, xcb_window_t(window->winId())), nullptr);
        std::optional<QPointF> at;
        if (reply && reply->same_screen)
            at = QPointF(reply->win_x, reply->win_y);
        std::free(reply);
        return at;
    }
#else
    Q_UNUSED(window);
#endif
    return std::nullopt;
}

} // namespace

void PictureBox::setPicture(const QImage &picture, const QString &fileName)
{
    QImage named = picture;
    named.setText(FileNameKey, fileName);
    setPicture(named);
}

QString PictureBox::fileName() const
{
    return m_fileNameForgotten ? QString() : m_picture.text(FileNameKey);
}

void PictureBox::changed()
{
    ++m_changeCount;
    // A web picture still on its way was dropped on what has just changed: it
    // must not wipe the newer work out when it arrives.
    if (m_drop)
        m_drop->abandon();
}

void PictureBox::rebuildImage()
{
    const QSize inner(qMax(scaleWidth(), 0), qMax(scaleHeight(), 0));
    m_image = QImage(inner, QImage::Format_RGB32);
    m_image.fill(m_backColor.resolved());
    if (!m_picture.isNull()) {
        QPainter painter(&m_image);
        painter.drawImage(0, 0, m_picture);
    }
}

void PictureBox::resizeEvent(QResizeEvent *)
{
    // The image keeps what was drawn; a larger box extends it with background.
    const QSize inner(qMax(scaleWidth(), 0), qMax(scaleHeight(), 0));
    if (m_image.isNull()) {
        rebuildImage();
    } else if (inner.width() > m_image.width() || inner.height() > m_image.height()) {
        QImage grown(inner.expandedTo(m_image.size()), QImage::Format_RGB32);
        grown.fill(m_backColor.resolved());
        QPainter painter(&grown);
        painter.drawImage(0, 0, m_image);
        painter.end();
        m_image = grown;
    }
}

double PictureBox::scaleX(double value, int fromMode, int toMode) const
{
    const auto toPixels = [](double v, int mode) { return mode == Twips ? v / Twips::PerPixel : v; };
    const double pixels = toPixels(value, fromMode);
    return toMode == Twips ? Twips::fromPixelsF(pixels) : pixels;
}

bool PictureBox::onImage(double x, double y) const
{
    return m_image.valid(roundHalfToEven(x), roundHalfToEven(y));
}

ColorValue PictureBox::point(double x, double y) const
{
    if (!onImage(x, y))
        return ColorValue(0xFFFFFFFFu);
    return ColorValue::fromQRgb(m_image.pixel(roundHalfToEven(x), roundHalfToEven(y)));
}

void PictureBox::pset(double x, double y, ColorValue color)
{
    const int px = roundHalfToEven(x);
    const int py = roundHalfToEven(y);
    if (!m_image.valid(px, py))
        return;
    if (m_history)
        m_history->recordPaint(m_image, QRect(px, py, 1, 1), color.toQRgb());
    m_image.setPixel(px, py, color.toQRgb());
    changed();
    updateImageRect(QRect(px, py, 1, 1));
}

void PictureBox::fillBox(double x1, double y1, double x2, double y2, ColorValue color)
{
    const QRect box = QRect(QPoint(roundHalfToEven(qMin(x1, x2)), roundHalfToEven(qMin(y1, y2))),
                            QPoint(roundHalfToEven(qMax(x1, x2)), roundHalfToEven(qMax(y1, y2))))
                          .intersected(m_image.rect());
    if (box.isEmpty())
        return;
    if (m_history)
        m_history->recordPaint(m_image, box, color.resolved().rgb());
    QPainter painter(&m_image);
    painter.fillRect(box, color.resolved());
    painter.end();
    changed();
    updateImageRect(box);
}

bool PictureBox::extFloodFill(int x, int y, ColorValue color, FloodFillType type)
{
    if (m_fillStyle != Solid || !m_image.valid(x, y))
        return false;
    const quint32 target = 0xFF000000u | color.resolved().rgb();
    const quint32 fill = 0xFF000000u | m_fillColor.resolved().rgb();
    auto *bits = reinterpret_cast<quint32 *>(m_image.bits());
    // The history keeps only the runs painted, so a small fill stays small.
    std::vector<FloodFillRun> runs;
    const FloodFillResult result = floodFill(bits, m_image.width(), m_image.height(),
                                             m_image.bytesPerLine() / 4, QPoint(x, y), target, fill, type,
                                             m_history ? &runs : nullptr);
    if (result.pixels > 0)
        changed();
    if (m_history && result.pixels > 0) {
        // A border fill paints over pixels of many colours, which the runs do not
        // tell: what came before it can no longer be put back exactly.
        if (type == FloodFillType::Surface)
            m_history->recordFill(runs, target, fill);
        else
            m_history->clear();
    }
    updateImageRect(result.changed);
    return result.pixels > 0;
}

void PictureBox::updateImageRect(const QRect &imageRect)
{
    if (imageRect.isEmpty())
        return;
    const QRect area = imageRect.translated(borderWidth(), borderWidth());
    // On a scaled screen an edge of the area falls inside a device pixel, and
    // Qt repaints only the device pixels the area covers whole: the one cut
    // in two would keep its old colour until the next repaint.
    update(devicePixelRatioF() == 1.0 ? area : area.adjusted(-1, -1, 1, 1));
}

void PictureBox::paintEvent(QPaintEvent *event)
{
    QPainter painter(this);
    const int b = borderWidth();
    const QRect inner = rect().adjusted(b, b, -b, -b);
    const QRect dirty = event->rect();
    // Only what was asked for is painted: a fill updates just its bounding box.
    const QRect fromImage = dirty.intersected(QRect(inner.topLeft(), m_image.size())).intersected(inner);
    if (!fromImage.isEmpty() && devicePixelRatioF() == 1.0)
        painter.drawImage(fromImage, m_image, fromImage.translated(-b, -b));
    else if (!fromImage.isEmpty())
        paintScaled(painter, fromImage);
    const QRegion rest = QRegion(dirty.intersected(inner)) - QRegion(fromImage);
    for (const QRect &r : rest)
        painter.fillRect(r, m_backColor.resolved());
    if (b > 0 && !inner.contains(dirty))
        qDrawShadePanel(&painter, rect(), palette(), true, b);
    if (keyPointShown())
        paintKeyMark(painter);
}

namespace {
// The picture pixel a device pixel shows on a scaled screen: the one its centre
// falls in (the one before it, when the centre lies on their edge). Device pixels
// count from the window's corner; corner is the picture's, in logical pixels.
int shownPixel(qreal device, qreal corner, qreal ratio)
{
    return int(std::ceil((device + 0.5) / ratio - corner - 1e-6)) - 1;
}
} // namespace

void PictureBox::paintScaled(QPainter &painter, const QRect &area) const
{
    // The area is laid out device pixel by device pixel by the rule the pointer is
    // read with, and handed to Qt on a whole device pixel. Qt's own scaling puts
    // an image's corner on a whole device pixel in some releases and not in
    // others, and a part drawn on its own could then stand off the rest.
    const qreal ratio = devicePixelRatioF();
    const QPointF origin = mapTo(window(), QPointF(0, 0));
    const QPointF corner = origin + QPointF(borderWidth(), borderWidth());
    const int left = int(std::floor((origin.x() + area.left()) * ratio));
    const int top = int(std::floor((origin.y() + area.top()) * ratio));
    QImage device(int(std::ceil((origin.x() + area.right() + 1) * ratio)) - left,
                  int(std::ceil((origin.y() + area.bottom() + 1) * ratio)) - top, QImage::Format_RGB32);
    std::vector<int> columns(size_t(device.width()));
    for (int i = 0; i < device.width(); ++i)
        columns[size_t(i)] = std::clamp(shownPixel(left + i, corner.x(), ratio), 0, m_image.width() - 1);
    for (int j = 0; j < device.height(); ++j) {
        const int row = std::clamp(shownPixel(top + j, corner.y(), ratio), 0, m_image.height() - 1);
        const auto *from = reinterpret_cast<const QRgb *>(m_image.constScanLine(row));
        auto *to = reinterpret_cast<QRgb *>(device.scanLine(j));
        for (int i = 0; i < device.width(); ++i)
            to[i] = from[columns[size_t(i)]];
    }
    device.setDevicePixelRatio(ratio);
    painter.save();
    painter.setClipRect(area);
    painter.drawImage(QPointF(left / ratio - origin.x(), top / ratio - origin.y()), device);
    painter.restore();
}

void PictureBox::setKeyPoint(QPoint imagePoint)
{
    if (m_keyPoint == imagePoint)
        return;
    if (m_keyPoint)
        update(keyMarkRect());
    m_keyPoint = imagePoint;
    update(keyMarkRect());
}

void PictureBox::forgetKeyPoint()
{
    if (m_keyPoint)
        update(keyMarkRect());
    m_keyPoint.reset();
}

bool PictureBox::keyPointShown() const
{
    return m_keyPoint && hasFocus() && KeyboardMarks::shown();
}

QRect PictureBox::visibleImageRect() const
{
    const int b = borderWidth();
    return visibleRegion().boundingRect().translated(-b, -b).intersected(m_image.rect());
}

namespace {
// The crosshair's arms reach this far from the marked pixel and leave it and
// its next neighbours free, so that the colour under the point stays in sight.
constexpr int MarkReach = 12;
constexpr int MarkGap = 3;
} // namespace

QRect PictureBox::keyMarkRect() const
{
    if (!m_keyPoint)
        return {};
    // One more pixel each way for the white edge.
    const QPoint centre = *m_keyPoint + QPoint(borderWidth(), borderWidth());
    const int reach = MarkReach + 1;
    return QRect(centre - QPoint(reach, reach), QSize(2 * reach + 1, 2 * reach + 1));
}

void PictureBox::paintKeyMark(QPainter &painter) const
{
    const int b = borderWidth();
    const QPoint c = *m_keyPoint + QPoint(b, b);
    painter.setClipRect(rect().adjusted(b, b, -b, -b));
    // Black arms edged in white show on any colour of the drawing.
    const int arm = MarkReach - MarkGap + 1;
    for (const auto &[colour, edge] : {std::pair{QColor(Qt::white), 1}, std::pair{QColor(Qt::black), 0}}) {
        const int w = 2 * edge + 1;
        painter.fillRect(c.x() - MarkReach - edge, c.y() - edge, arm + edge, w, colour);
        painter.fillRect(c.x() + MarkGap, c.y() - edge, arm + edge, w, colour);
        painter.fillRect(c.x() - edge, c.y() - MarkReach - edge, w, arm + edge, colour);
        painter.fillRect(c.x() - edge, c.y() + MarkGap, w, arm + edge, colour);
    }
}

void PictureBox::focusInEvent(QFocusEvent *event)
{
    QWidget::focusInEvent(event);
    if (m_keyPoint)
        update(keyMarkRect());
}

void PictureBox::focusOutEvent(QFocusEvent *event)
{
    QWidget::focusOutEvent(event);
    if (m_keyPoint)
        update(keyMarkRect());
}

QPointF PictureBox::innerPosition(const QPointF &widgetPosition) const
{
    const QPointF inner = widgetPosition - QPointF(borderWidth(), borderWidth());
    const qreal ratio = devicePixelRatioF();
    if (ratio == 1.0)
        return inner;
    // On a scaled screen a picture pixel spans a fraction of device pixels, and
    // each device pixel shows the picture pixel paintScaled() puts there. The pointer stands on one
    // device pixel: it is over the picture pixel shown there, and the pen, the
    // fill and the colour pick-up take that one.
    const QPointF origin = mapTo(window(), QPointF(borderWidth(), borderWidth()));
    const QPointF logical = inner + origin;
    QPointF device(std::round(logical.x() * ratio), std::round(logical.y() * ratio));
    // Qt's X11 events round the pointer to whole logical pixels, which leaves
    // two device pixels to choose from at some places; the X server's own
    // position settles it while it still agrees with the event.
    if (const auto native = nativePointer(window()); native && qAbs(native->x() / ratio - logical.x()) <= 0.5
        && qAbs(native->y() / ratio - logical.y()) <= 0.5)
        device = *native;
    return {qreal(shownPixel(device.x(), origin.x(), ratio)), qreal(shownPixel(device.y(), origin.y(), ratio))};
}

void PictureBox::mousePressEvent(QMouseEvent *event)
{
    // Taken and dropped here, so it does not go on to the box's parent either.
    if (!MouseCodes::known(event->button()))
        return;
    const QPointF p = innerPosition(event->position());
    m_pressedInside = event->button() == Qt::LeftButton;
    if (m_history)
        m_history->beginStroke();
    emit MouseDown(MouseCodes::buttons(event->button()), MouseCodes::shift(event->modifiers()),
                   float(p.x()), float(p.y()));
}

void PictureBox::mouseMoveEvent(QMouseEvent *event)
{
    const QPointF p = innerPosition(event->position());
    emit MouseMove(MouseCodes::buttons(event->buttons()), MouseCodes::shift(event->modifiers()),
                   float(p.x()), float(p.y()));
}

void PictureBox::mouseReleaseEvent(QMouseEvent *event)
{
    if (!MouseCodes::known(event->button()))
        return;
    const QPointF p = innerPosition(event->position());
    emit MouseUp(MouseCodes::buttons(event->button()), MouseCodes::shift(event->modifiers()),
                 float(p.x()), float(p.y()));
    const bool click = m_pressedInside && event->button() == Qt::LeftButton && rect().contains(event->pos());
    m_pressedInside = false;
    // The left button's release ends a stroke even while another button is
    // held (a side button, say), or the child's next stroke would join this
    // one's step; a stroke begun by another button ends when none is held.
    if (m_history && (event->button() == Qt::LeftButton || MouseCodes::buttons(event->buttons()) == 0))
        m_history->endStroke();
    if (click)
        emit Click();
}

void PictureBox::setAutomaticDrop(bool on)
{
    setAcceptDrops(on);
    if (on && !m_drop) {
        m_drop = new DroppedPicture(this);
        connect(m_drop, &DroppedPicture::ready, this, qOverload<const QImage &>(&PictureBox::setPicture));
        connect(m_drop, &DroppedPicture::fetchingChanged, this, [this](bool fetching) {
            if (fetching)
                setCursor(Qt::BusyCursor);
            else
                unsetCursor();
        });
        // Told once the drop is over: a modal box inside the drop would keep the
        // source of the drag waiting for its answer.
        connect(m_drop, &DroppedPicture::tooLarge, this, [this] {
            MessageBox::show(pictureTooLargeMessage(), MessageBox::OkOnly, window());
        }, Qt::QueuedConnection);
    }
}

void PictureBox::abandonDrop()
{
    if (m_drop)
        m_drop->abandon();
}

void PictureBox::dragEnterEvent(QDragEnterEvent *event)
{
    if (DroppedPicture::mayHoldPicture(event->mimeData()))
        event->acceptProposedAction();
}

void PictureBox::dragMoveEvent(QDragMoveEvent *event)
{
    if (DroppedPicture::mayHoldPicture(event->mimeData()))
        event->acceptProposedAction();
}

void PictureBox::dropEvent(QDropEvent *event)
{
    if (!m_drop || !DroppedPicture::mayHoldPicture(event->mimeData()))
        return;
    event->acceptProposedAction();
    m_drop->read(event->mimeData());
}

void PictureBox::paste(const QMimeData *data)
{
    // Checked first, so that a clipboard of plain words does not give up a web
    // picture still on its way.
    if (m_drop && DroppedPicture::mayHoldPicture(data))
        m_drop->read(data);
}

void PictureBox::setKeepsHistory(bool on)
{
    if (!on)
        m_history.reset();
    else if (!m_history)
        m_history = std::make_unique<ImageHistory>();
}

bool PictureBox::undo()
{
    return m_history && m_history->undo([this](const HistoryStep &step) {
        if (!step.replacesSheet()) {
            updateImageRect(step.restore(m_image));
            changed();
            return;
        }
        // The earlier picture comes back with the drawing that was on it, at its size.
        QImage image(step.imageSize(), QImage::Format_RGB32);
        step.restore(image);
        m_picture = step.pictureBefore();
        m_fileNameForgotten = false;
        m_image = image; // first, so that the resize finds nothing to grow
        if (m_autoSize)
            resize(image.width() + 2 * borderWidth(), image.height() + 2 * borderWidth());
        changed();
        update();
    });
}

bool PictureBox::redo()
{
    return m_history && m_history->redo([this](const HistoryStep &step) {
        if (!step.replacesSheet()) {
            updateImageRect(step.reapply(m_image));
            changed();
            return;
        }
        // Giving the picture again rebuilds the very image it made the first time.
        m_redoing = true;
        setPicture(step.pictureAfter());
        m_redoing = false;
    });
}

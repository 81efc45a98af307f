// ImageBox: twips geometry, a cached scaled picture and a click on left release.
#include "platform/picture/ImageBox.h"

#include "platform/controls/MouseCodes.h"
#include "platform/controls/Twips.h"

#include <QMouseEvent>
#include <QPainter>

ImageBox::ImageBox(QWidget *parent) : QWidget(parent) {}

void ImageBox::setPicture(const QImage &picture)
{
    m_picture = picture;
    m_shown = QPixmap();
    if (!m_stretch)
        takePictureSize();
    update();
}

void ImageBox::setStretch(bool on)
{
    m_stretch = on;
    if (!on)
        takePictureSize();
    update();
}

void ImageBox::takePictureSize()
{
    if (m_picture.isNull())
        return;
    setTwipsRect(QRectF(m_twips.topLeft(), QSizeF(Twips::fromPixelsF(m_picture.width()),
                                                  Twips::fromPixelsF(m_picture.height()))));
}

void ImageBox::setTwipsRect(const QRectF &twips)
{
    m_twips = twips;
    place();
}

void ImageBox::setOrigin(const QPoint &pixels)
{
    m_origin = pixels;
    place();
}

void ImageBox::place()
{
    const QRect pixels(Twips::toPixels(m_twips.left()), Twips::toPixels(m_twips.top()),
                       Twips::toPixels(m_twips.width()), Twips::toPixels(m_twips.height()));
    setGeometry(pixels.translated(m_origin));
}

void ImageBox::paintEvent(QPaintEvent *)
{
    if (m_picture.isNull() || width() <= 0 || height() <= 0)
        return;
    QPainter painter(this);
    if (!m_stretch) {
        painter.drawImage(0, 0, m_picture);
        return;
    }
    if (m_shown.isNull() || m_shown.deviceIndependentSize().toSize() != size()) {
        const qreal ratio = devicePixelRatioF();
        // Smooth scaling needs true colour: a one-bit drawing scaled as it is loses
        // its thin outlines to dots.
        const QImage source = m_picture.depth() < 32 ? m_picture.convertToFormat(QImage::Format_ARGB32) : m_picture;
        m_shown = QPixmap::fromImage(source.scaled(size() * ratio, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
        m_shown.setDevicePixelRatio(ratio);
    }
    painter.drawPixmap(0, 0, m_shown);
}

void ImageBox::mousePressEvent(QMouseEvent *event)
{
    // A side button pressed meanwhile must not cancel a left click under way.
    if (!MouseCodes::known(event->button()))
        return;
    m_pressed = event->button() == Qt::LeftButton;
}

void ImageBox::mouseReleaseEvent(QMouseEvent *event)
{
    if (!MouseCodes::known(event->button()))
        return;
    const bool click = m_pressed && event->button() == Qt::LeftButton && rect().contains(event->pos());
    m_pressed = false;
    if (click)
        emit Click();
}

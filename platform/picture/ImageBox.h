// An image control: shows a picture at its own size, or stretched to the control's size.
#pragma once

#include <QImage>
#include <QPixmap>
#include <QRectF>
#include <QWidget>

// Positions and sizes are in twips of the parent, kept as given (fractions
// included) and turned into pixels only to place the widget.
class ImageBox : public QWidget
{
    Q_OBJECT
public:
    explicit ImageBox(QWidget *parent = nullptr);

    // With stretch off, giving a picture (or switching stretch off) sizes the
    // control to the picture's own size; an empty picture leaves the size alone.
    void setPicture(const QImage &picture);
    const QImage &picture() const { return m_picture; }
    bool stretch() const { return m_stretch; }
    void setStretch(bool on);

    QRectF twipsRect() const { return m_twips; }
    void setTwipsRect(const QRectF &twips);
    // Where the parent's twips begin, in its pixels (inside a border, say).
    void setOrigin(const QPoint &pixels);

signals:
    void Click();

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    void takePictureSize();
    void place();

    QImage m_picture;
    // The picture scaled once to the control's size: a camera photo is too large
    // to scale again at every paint.
    QPixmap m_shown;
    QRectF m_twips;
    QPoint m_origin;
    bool m_stretch = false;
    bool m_pressed = false;
};

// A picture box: a picture, a persistent image drawn over it, and VB-style mouse events.
#pragma once

#include "platform/picture/ColorValue.h"
#include "platform/picture/FloodFill.h"
#include "platform/picture/ImageHistory.h"

#include <QImage>
#include <QWidget>
#include <memory>
#include <optional>

// Mouse buttons and shift keys are reported as codes: buttons 1 left, 2 right,
// 4 middle (added together in move events); shift 1, control 2, alt 4.
// Positions are in the box's inner pixels, as single-precision numbers; on a
// scaled screen, the whole pixel of the picture shown under the pointer.
class DroppedPicture;
class QMimeData;

class PictureBox : public QWidget
{
    Q_OBJECT
public:
    enum ScaleMode { Twips = 1, Pixels = 3 };
    enum FillStyle { Solid = 0, Transparent = 1 };

    explicit PictureBox(QWidget *parent = nullptr);

    // The picture is what was given last (a null image is the empty picture);
    // drawing never changes it. Giving a picture, even the same one, rebuilds the
    // image from it and so discards everything drawn since.
    void setPicture(const QImage &picture);
    // A picture read from a file carries the file's name with it, so whatever
    // gives that picture back (undo all, undo, redo) brings its name back too.
    void setPicture(const QImage &picture, const QString &fileName);
    const QImage &picture() const { return m_picture; }

    // The file the sheet's drawing was read from; empty for a picture of no file
    // (dropped, or none) and once a blank sheet has been drawn over the picture,
    // until a picture is given again.
    QString fileName() const;
    void forgetFileName() { m_fileNameForgotten = true; }

    // The persistent image: the picture over the background, plus everything drawn
    // since, in 32-bit RGB. It is at least as large as the inner area.
    const QImage &image() const { return m_image; }

    // With auto-size on, the box takes the size of each picture it is given
    // (borders added); its top-left corner stays.
    void setAutoSize(bool on) { m_autoSize = on; }
    bool autoSize() const { return m_autoSize; }
    // A sunken border of this many pixels around the inner area (0: none).
    void setBorderWidth(int pixels);
    int borderWidth() const { return m_borderWidth; }

    // A new background colour clears the drawing: the image is rebuilt from the
    // picture over the new colour.
    ColorValue backColor() const { return m_backColor; }
    void setBackColor(ColorValue color);
    int fillStyle() const { return m_fillStyle; }
    void setFillStyle(int style) { m_fillStyle = style; }
    ColorValue fillColor() const { return m_fillColor; }
    void setFillColor(ColorValue color) { m_fillColor = color; }

    int scaleMode() const { return m_scaleMode; }
    void setScaleMode(int mode) { m_scaleMode = mode; }
    double scaleX(double value, int fromMode, int toMode) const;
    double scaleY(double value, int fromMode, int toMode) const { return scaleX(value, fromMode, toMode); }
    // The inner area in pixels.
    int scaleWidth() const { return width() - 2 * borderWidth(); }
    int scaleHeight() const { return height() - 2 * borderWidth(); }

    // The colour of the image at a position; -1 (0xFFFFFFFF) outside the image.
    ColorValue point(double x, double y) const;
    bool onImage(double x, double y) const;
    void pset(double x, double y, ColorValue color);
    // A box filled with one colour, corners included, clipped to the image.
    void fillBox(double x1, double y1, double x2, double y2, ColorValue color);
    // Flood fill with the box's fill colour as a solid brush; nothing is painted
    // with a transparent fill style. True when pixels changed.
    bool extFloodFill(int x, int y, ColorValue color, FloodFillType type);

    // Counts the changes of the picture and the image: every method that gives a
    // picture or writes pixels adds one. Two readings tell whether anything
    // changed in between.
    quint64 changeCount() const { return m_changeCount; }

    // With automatic drop on, a picture dropped on the box (picture data, a local
    // picture file, or the web address of one) becomes its picture; anything
    // that is not a readable picture changes nothing, and a picture too large to
    // open is told in a message once the drop is over. A web picture is fetched
    // in the background with a busy pointer over the box, and given up as soon
    // as the box changes meanwhile: it never replaces newer work.
    void setAutomaticDrop(bool on);
    // Takes what the clipboard holds as a drop on the box takes what it carries:
    // the same pictures, the same message for one too large, one step of the
    // history. Nothing happens without automatic drop, or for data that holds
    // no picture.
    void paste(const QMimeData *data);
    // Gives up a web picture still on its way, busy pointer and all.
    void abandonDrop();

    // With a history kept, every change of the image is a step that undo() takes
    // back and redo() makes again: a fill, a box, the points set from a mouse
    // press to the release (a stroke, which ends when the left button is
    // released or no button is held any more), and each picture given,
    // dropped ones too.
    void setKeepsHistory(bool on);
    ImageHistory *history() const { return m_history.get(); }
    // False when there was nothing to undo or redo.
    bool undo();
    bool redo();

    // The keyboard point: a pixel of the image that the keys act on, marked
    // with a crosshair while the box has the focus and the keyboard is in use
    // (see KeyboardMarks), so never for the mouse. None until one is given.
    void setKeyPoint(QPoint imagePoint);
    void forgetKeyPoint();
    std::optional<QPoint> keyPoint() const { return m_keyPoint; }
    bool keyPointShown() const;
    // The part of the image inside the box's visible part: a box larger than
    // its window shows only some of its picture.
    QRect visibleImageRect() const;

signals:
    void MouseDown(int button, int shift, float x, float y);
    void MouseMove(int button, int shift, float x, float y);
    void MouseUp(int button, int shift, float x, float y);
    void Click();
    void BackColorChanged();

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dragMoveEvent(QDragMoveEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private:
    // Every change of the picture or the image goes through here.
    void changed();
    void rebuildImage();
    void updateImageRect(const QRect &imageRect);
    QPointF innerPosition(const QPointF &widgetPosition) const;
    // Where the crosshair of the keyboard point is drawn, in the box's pixels.
    QRect keyMarkRect() const;
    void paintKeyMark(QPainter &painter) const;
    void paintScaled(QPainter &painter, const QRect &area) const;

    QImage m_picture;
    bool m_fileNameForgotten = false;
    QImage m_image;
    ColorValue m_backColor{ColorValue::WindowBackground};
    ColorValue m_fillColor{0};
    int m_fillStyle = Transparent;
    int m_scaleMode = Pixels;
    bool m_autoSize = false;
    int m_borderWidth = 0;
    bool m_pressedInside = false;
    quint64 m_changeCount = 0;
    DroppedPicture *m_drop = nullptr;
    std::unique_ptr<ImageHistory> m_history;
    bool m_redoing = false;
    std::optional<QPoint> m_keyPoint;
};

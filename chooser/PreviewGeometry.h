// Where the chooser's preview goes: the picture scaled into the preview frame, proportions kept.
#pragma once

#include <QRectF>
#include <QSize>
#include <QSizeF>

// The frame's inner margin, in pixels, taken off each of its sides together.
inline constexpr int PreviewMargin = 18;
// The preview is pulled up and to the left of the frame's centre by these twips,
// as the frame's caption and border take room at the top and left.
inline constexpr int PreviewOffsetLeft = 70;
inline constexpr int PreviewOffsetTop = 150;

// `frame` is the preview frame's size in pixels; `picture` the picture's own size
// in twips; tx and ty the twips per pixel. The result, in twips of the picture box
// inside the frame, fills exactly the largest width or height the frame allows
// (the height when the proportions tie), so small pictures grow and large ones
// shrink. Single precision, as the control sizes are. Empty for an empty picture.
QRectF previewGeometry(const QSize &frame, const QSizeF &picture, int tx, int ty);

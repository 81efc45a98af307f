// The flood fill over a raw 32-bit pixel buffer: 4-connected, iterative, by spans.
#pragma once

#include <QPoint>
#include <QRect>
#include <QtGlobal>

#include <vector>

enum class FloodFillType {
    Border = 0,  // spread from the start until pixels of the given colour
    Surface = 1, // repaint the connected patch of exactly the given colour
};

struct FloodFillResult
{
    QRect changed;     // bounding box of the painted pixels; empty when nothing was painted
    qint64 pixels = 0; // how many pixels were painted
};

// One run of pixels the fill painted: row y, columns x1 to x2, both included.
struct FloodFillRun
{
    int y;
    int x1;
    int x2;
};

// Fills on `bits` (`width` x `height` pixels, `stride` pixels from one row to the
// next). Pixels are compared as whole 32-bit words, so the caller passes colours
// in the buffer's own pixel format. Connectivity is 4-way: a pixel touching the
// area only at a corner is not part of it. Nothing is painted when the start lies
// outside the buffer, when in Surface mode the start pixel is not `color` or
// already is `fill`, or when in Border mode the start pixel is the border colour.
// Uses a stack of spans: memory grows with the shape of the area, never with the
// image, and there is no recursion. A Border fill also keeps one bit for each pixel
// of the area's bounding box, to know where it has been.
//
// When `painted` is given, the fill appends runs to it that together hold exactly
// the pixels whose value it changed, each pixel in one run only, in no particular
// order; nothing is removed from it. In Border mode a crossed pixel that already
// had the fill colour is counted in the result but is in no run, since it did not
// change.
FloodFillResult floodFill(quint32 *bits, int width, int height, qsizetype stride,
                          QPoint start, quint32 color, quint32 fill, FloodFillType type,
                          std::vector<FloodFillRun> *painted = nullptr);

// A plain breadth-first flood fill, obviously correct, to check the real fill against.
#pragma once

#include "platform/picture/FloodFill.h"

#include <QPoint>
#include <deque>
#include <vector>

// Same contract as floodFill(), one pixel at a time through a queue.
inline FloodFillResult referenceFloodFill(quint32 *bits, int width, int height, qsizetype stride,
                                          QPoint start, quint32 color, quint32 fill, FloodFillType type)
{
    FloodFillResult result;
    if (!bits || start.x() < 0 || start.y() < 0 || start.x() >= width || start.y() >= height)
        return result;
    const auto at = [&](int x, int y) -> quint32 & { return bits[qsizetype(y) * stride + x]; };
    std::vector<char> seen(size_t(width) * size_t(height), 0);
    const auto wanted = [&](int x, int y) {
        if (seen[size_t(y) * size_t(width) + size_t(x)])
            return false;
        return type == FloodFillType::Surface ? at(x, y) == color : at(x, y) != color;
    };
    if (type == FloodFillType::Surface && color == fill)
        return result;
    if (!wanted(start.x(), start.y()))
        return result;

    std::deque<QPoint> queue{start};
    seen[size_t(start.y()) * size_t(width) + size_t(start.x())] = 1;
    QRect changed;
    while (!queue.empty()) {
        const QPoint p = queue.front();
        queue.pop_front();
        at(p.x(), p.y()) = fill;
        ++result.pixels;
        changed |= QRect(p, QSize(1, 1));
        const QPoint next[4] = {{p.x() + 1, p.y()}, {p.x() - 1, p.y()}, {p.x(), p.y() + 1}, {p.x(), p.y() - 1}};
        for (const QPoint &n : next) {
            if (n.x() < 0 || n.y() < 0 || n.x() >= width || n.y() >= height || !wanted(n.x(), n.y()))
                continue;
            seen[size_t(n.y()) * size_t(width) + size_t(n.x())] = 1;
            queue.push_back(n);
        }
    }
    result.changed = changed;
    return result;
}

// The plain breadth-first fill the span fill is measured against: one pixel at a
// time, a queue allocated once for the whole picture and a visited bitmap.
#pragma once

#include <QPoint>
#include <QtGlobal>

#include <cstdint>
#include <cstring>
#include <vector>

class BreadthFirstFill
{
public:
    // The queue holds every pixel at most once, so the picture's size is enough and
    // it never grows during a fill. Sides up to 65536 pixels.
    BreadthFirstFill(int width, int height)
        : m_width(width), m_height(height), m_queue(size_t(width) * size_t(height)),
          m_visited((size_t(width) * size_t(height) + 63) / 64)
    {
    }

    // Surface fill: repaints the 4-connected patch of `color` around `start`.
    // Returns how many pixels it painted.
    qint64 fill(quint32 *bits, qsizetype stride, QPoint start, quint32 color, quint32 fill)
    {
        std::memset(m_visited.data(), 0, m_visited.size() * sizeof(quint64));
        if (start.x() < 0 || start.y() < 0 || start.x() >= m_width || start.y() >= m_height || color == fill)
            return 0;
        // A queue entry is x in the low half and y in the high half: no division to
        // get a pixel's position back.
        size_t head = 0, tail = 0;
        const auto visit = [&](quint32 x, quint32 y) {
            const size_t v = size_t(y) * size_t(m_width) + x;
            if (m_visited[v / 64] & (quint64(1) << (v % 64)) || bits[qsizetype(y) * stride + x] != color)
                return;
            m_visited[v / 64] |= quint64(1) << (v % 64);
            m_queue[tail++] = y << 16 | x;
        };
        visit(quint32(start.x()), quint32(start.y()));
        while (head < tail) {
            const quint32 x = m_queue[head] & 0xFFFF;
            const quint32 y = m_queue[head] >> 16;
            ++head;
            bits[qsizetype(y) * stride + x] = fill;
            if (x > 0)
                visit(x - 1, y);
            if (x + 1 < quint32(m_width))
                visit(x + 1, y);
            if (y > 0)
                visit(x, y - 1);
            if (y + 1 < quint32(m_height))
                visit(x, y + 1);
        }
        return qint64(tail);
    }

private:
    int m_width;
    int m_height;
    std::vector<quint32> m_queue;
    std::vector<quint64> m_visited;
};

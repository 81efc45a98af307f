// The span fill as it stood before it learnt runs and narrow-area shortcuts.
#include "PreviousFloodFill.h"

#include <algorithm>
#include <vector>

namespace {

struct Span
{
    int y;
    int xl;
    int xr;
    int dy;
};

// Repaints pixels of one exact colour; a painted pixel no longer matches, so the
// image itself records what has been visited.
struct SurfaceRule
{
    quint32 target;
    quint32 fill;
    bool inside(const quint32 *row, int x, int) const { return row[x] == target; }
    void paint(quint32 *row, int x1, int x2, int) const { std::fill(row + x1, row + x2 + 1, fill); }
    // Paints the run of inside pixels from x on and returns where it ends. Sixteen
    // pixels at a time while all match (the compiler makes vector compares of
    // it), painted while they are still in the cache.
    int paintRun(quint32 *row, int x, int end, int) const
    {
        while (x + 16 <= end) {
            unsigned same = 0;
            for (int k = 0; k < 16; ++k)
                same += row[x + k] == target;
            if (same != 16)
                break;
            for (int k = 0; k < 16; ++k)
                row[x + k] = fill;
            x += 16;
        }
        for (; x < end && row[x] == target; ++x)
            row[x] = fill;
        return x;
    }
};

// Spreads through everything but the border colour. Pixels that already have the
// fill colour must still be crossed, so visits are recorded apart from the image.
struct BorderRule
{
    quint32 border;
    quint32 fill;
    int width;
    std::vector<bool> *visited;
    bool inside(const quint32 *row, int x, int y) const
    {
        return row[x] != border && !(*visited)[size_t(y) * size_t(width) + size_t(x)];
    }
    void paint(quint32 *row, int x1, int x2, int y) const
    {
        std::fill(row + x1, row + x2 + 1, fill);
        const size_t base = size_t(y) * size_t(width);
        for (int x = x1; x <= x2; ++x)
            (*visited)[base + size_t(x)] = true;
    }
    int paintRun(quint32 *row, int x, int end, int y) const
    {
        const int from = x;
        while (x < end && inside(row, x, y))
            ++x;
        if (x > from)
            paint(row, from, x - 1, y);
        return x;
    }
};

template<typename Rule>
FloodFillResult spanFill(quint32 *bits, int width, int height, qsizetype stride, QPoint start, const Rule &rule)
{
    FloodFillResult result;
    const auto rowAt = [&](int y) { return bits + qsizetype(y) * stride; };
    if (!rule.inside(rowAt(start.y()), start.x(), start.y()))
        return result;

    int minX = start.x(), maxX = start.x(), minY = start.y(), maxY = start.y();
    // Counts a painted span and widens the changed box.
    const auto painted = [&](int x1, int x2, int y) {
        result.pixels += x2 - x1 + 1;
        minX = std::min(minX, x1);
        maxX = std::max(maxX, x2);
        minY = std::min(minY, y);
        maxY = std::max(maxY, y);
    };

    // Each span says: row y was painted from xl to xr; look at row y + dy.
    std::vector<Span> stack;
    stack.reserve(64);
    const auto push = [&](int y, int xl, int xr, int dy) {
        if (y + dy >= 0 && y + dy < height)
            stack.push_back({y, xl, xr, dy});
    };
    push(start.y(), start.x(), start.x(), 1);
    push(start.y() + 1, start.x(), start.x(), -1);

    while (!stack.empty()) {
        const Span s = stack.back();
        stack.pop_back();
        const int y = s.y + s.dy;
        const int x1 = s.xl;
        const int x2 = s.xr;
        quint32 *row = rowAt(y);

        int x = x1;
        int l = x1;
        while (x >= 0 && rule.inside(row, x, y))
            --x;
        // When x1 itself is outside, the first pass only looks for the next inside
        // pixel up to x2.
        bool seeking = x >= x1;
        if (!seeking) {
            rule.paint(row, x + 1, x1, y);
            painted(x + 1, x1, y);
            l = x + 1;
            if (l < x1)
                push(y, l, x1 - 1, -s.dy); // leaked out on the left
            x = x1 + 1;
        }
        do {
            if (!seeking) {
                const int from = x;
                x = rule.paintRun(row, x, width, y);
                if (x > from)
                    painted(from, x - 1, y);
                push(y, l, x - 1, s.dy);
                if (x > x2 + 1)
                    push(y, x2 + 1, x - 1, -s.dy); // leaked out on the right
            }
            seeking = false;
            for (++x; x <= x2 && !rule.inside(row, x, y); ++x) {}
            l = x;
        } while (x <= x2);
    }
    result.changed = QRect(QPoint(minX, minY), QPoint(maxX, maxY));
    return result;
}

} // namespace

FloodFillResult previous::floodFill(quint32 *bits, int width, int height, qsizetype stride,
                                     QPoint start, quint32 color, quint32 fill, FloodFillType type)
{
    if (!bits || start.x() < 0 || start.y() < 0 || start.x() >= width || start.y() >= height)
        return {};
    if (type == FloodFillType::Surface) {
        if (color == fill)
            return {};
        return spanFill(bits, width, height, stride, start, SurfaceRule{color, fill});
    }
    std::vector<bool> visited(size_t(width) * size_t(height));
    return spanFill(bits, width, height, stride, start, BorderRule{color, fill, width, &visited});
}

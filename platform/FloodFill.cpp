// Span (scanline) seed fill after Heckbert's "A Seed Fill Algorithm" (Graphics Gems I).
#include "platform/FloodFill.h"

#include <algorithm>
#include <vector>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace {

// Paints sixteen pixels at a time from `x` on while all sixteen are `target`, and
// returns where it stopped. Open areas are mostly spent here, so it compares four
// pixels per instruction and tests a block with a single branch; without SSE2 a
// plain loop does the same.
int paintBlocks(quint32 *row, int x, int end, quint32 target, quint32 fill)
{
#if defined(__SSE2__)
    const __m128i t = _mm_set1_epi32(int(target));
    const __m128i f = _mm_set1_epi32(int(fill));
    for (; x + 16 <= end; x += 16) {
        auto *p = reinterpret_cast<__m128i *>(row + x);
        const __m128i a = _mm_cmpeq_epi32(_mm_loadu_si128(p), t);
        const __m128i b = _mm_cmpeq_epi32(_mm_loadu_si128(p + 1), t);
        const __m128i c = _mm_cmpeq_epi32(_mm_loadu_si128(p + 2), t);
        const __m128i d = _mm_cmpeq_epi32(_mm_loadu_si128(p + 3), t);
        if (_mm_movemask_epi8(_mm_and_si128(_mm_and_si128(a, b), _mm_and_si128(c, d))) != 0xFFFF)
            break;
        _mm_storeu_si128(p, f);
        _mm_storeu_si128(p + 1, f);
        _mm_storeu_si128(p + 2, f);
        _mm_storeu_si128(p + 3, f);
    }
#else
    for (; x + 16 <= end; x += 16) {
        quint32 differ = 0;
        for (int k = 0; k < 16; ++k)
            differ |= row[x + k] ^ target;
        if (differ)
            break;
        std::fill(row + x, row + x + 16, fill);
    }
#endif
    return x;
}

// Row y was painted from xl to xr; row y + dy is still to be looked at there.
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
    std::vector<FloodFillRun> *runs;

    bool inside(const quint32 *row, int x, int) const { return row[x] == target; }

    // Paints `from` up to `x` (already known to be inside), then on to the end of
    // the run; returns one past its last pixel.
    int paintRun(quint32 *row, int from, int x, int end, int y) const
    {
        std::fill(row + from, row + x, fill);
        // One pixel alone first: in a narrow area that ends the run, and a whole
        // block would read cache lines the area never reaches.
        if (x < end && row[x] == target) {
            row[x++] = fill;
            // Blocks start on a cache line, so that none straddles two.
            for (; x < end && (quintptr(row + x) & 63) != 0 && row[x] == target; ++x)
                row[x] = fill;
            if (x < end && row[x] == target)
                x = paintBlocks(row, x, end, target, fill);
            for (; x < end && row[x] == target; ++x)
                row[x] = fill;
        }
        // Every pixel of the target colour changes, since the fill colour differs.
        if (runs)
            runs->push_back({y, from, x - 1});
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
    std::vector<FloodFillRun> *runs;

    bool inside(const quint32 *row, int x, int y) const
    {
        return row[x] != border && !(*visited)[size_t(y) * size_t(width) + size_t(x)];
    }

    int paintRun(quint32 *row, int from, int x, int end, int y) const
    {
        while (x < end && inside(row, x, y))
            ++x;
        // Crossed pixels that already had the fill colour did not change, so they
        // split the runs handed back.
        if (runs) {
            for (int a = from; a < x; ++a) {
                if (row[a] == fill)
                    continue;
                int b = a;
                while (b + 1 < x && row[b + 1] != fill)
                    ++b;
                runs->push_back({y, a, b});
                a = b;
            }
        }
        std::fill(row + from, row + x, fill);
        const size_t base = size_t(y) * size_t(width);
        for (int i = from; i < x; ++i)
            (*visited)[base + size_t(i)] = true;
        return x;
    }
};

template<typename Rule>
FloodFillResult spanFill(quint32 *bits, int width, int height, qsizetype stride, QPoint start, const Rule &rule)
{
    FloodFillResult result;
    const auto rowAt = [&](int y) { return bits + qsizetype(y) * stride; };
    quint32 *row = rowAt(start.y());
    if (!rule.inside(row, start.x(), start.y()))
        return result;

    int minX = start.x(), maxX = start.x(), minY = start.y(), maxY = start.y();
    // Counts a painted run and widens the changed box.
    const auto painted = [&](int y, int x1, int x2) {
        result.pixels += x2 - x1 + 1;
        minX = std::min(minX, x1);
        maxX = std::max(maxX, x2);
        minY = std::min(minY, y);
        maxY = std::max(maxY, y);
    };

    // The span pushed last is the one looked at next, so it waits in `next` and
    // only the others go on the stack: down a one-pixel corridor that saves a push
    // and a pop for every pixel.
    std::vector<Span> stack;
    Span next{};
    bool hasNext = false;
    const auto push = [&](int y, int xl, int xr, int dy) {
        if (unsigned(y + dy) >= unsigned(height))
            return;
        if (hasNext)
            stack.push_back(next);
        next = {y, xl, xr, dy};
        hasNext = true;
    };

    // The start's own run, then the rows above and below it.
    int l = start.x();
    while (l > 0 && rule.inside(row, l - 1, start.y()))
        --l;
    const int r = rule.paintRun(row, l, start.x() + 1, width, start.y()) - 1;
    painted(start.y(), l, r);
    push(start.y(), l, r, -1);
    push(start.y(), l, r, 1);

    while (hasNext || !stack.empty()) {
        Span s;
        if (hasNext) {
            s = next;
            hasNext = false;
        } else {
            s = stack.back();
            stack.pop_back();
        }
        const int y = s.y + s.dy;
        row = rowAt(y);
        // Every run of row y that touches xl..xr, each painted whole.
        for (int x = s.xl; x <= s.xr;) {
            int a = x;
            if (!rule.inside(row, x, y)) {
                for (++x; x <= s.xr && !rule.inside(row, x, y); ++x) {}
                if (x > s.xr)
                    break;
                a = x;
            } else if (x == s.xl) {
                // Only the first run can reach left of the span.
                while (a > 0 && rule.inside(row, a - 1, y))
                    --a;
            }
            const int end = rule.paintRun(row, a, x + 1, width, y);
            painted(y, a, end - 1);
            // Parts of the run beyond the span may leak back into the row it came from.
            if (a < s.xl)
                push(y, a, s.xl - 1, -s.dy);
            if (end - 1 > s.xr)
                push(y, s.xr + 1, end - 1, -s.dy);
            push(y, a, end - 1, s.dy);
            x = end + 1;
        }
    }
    result.changed = QRect(QPoint(minX, minY), QPoint(maxX, maxY));
    return result;
}

} // namespace

FloodFillResult floodFill(quint32 *bits, int width, int height, qsizetype stride,
                          QPoint start, quint32 color, quint32 fill, FloodFillType type,
                          std::vector<FloodFillRun> *painted)
{
    if (!bits || start.x() < 0 || start.y() < 0 || start.x() >= width || start.y() >= height)
        return {};
    if (type == FloodFillType::Surface) {
        if (color == fill)
            return {}; // the area already has the colour: the result would be identical
        return spanFill(bits, width, height, stride, start, SurfaceRule{color, fill, painted});
    }
    std::vector<bool> visited(size_t(width) * size_t(height));
    return spanFill(bits, width, height, stride, start, BorderRule{color, fill, width, &visited, painted});
}

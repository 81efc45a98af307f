// Span (scanline) seed fill after Heckbert's "A Seed Fill Algorithm" (Graphics Gems I).
#include "platform/picture/FloodFill.h"

#include "platform/picture/VisitedBox.h"

#include <algorithm>
#include <type_traits>
#include <vector>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace {

// Paints sixteen pixels at a time from `x` on, in the direction `D` (1: right,
// -1: left), while all sixteen are `target`, and returns where it stopped short of
// `end`. Open areas are mostly spent here, so it compares four pixels per
// instruction and tests a block with a single branch; without SSE2 a plain loop
// does the same.
template<int D>
int paintBlocks(quint32 *row, int x, int end, quint32 target, quint32 fill)
{
#if defined(__SSE2__)
    const __m128i t = _mm_set1_epi32(int(target));
    const __m128i f = _mm_set1_epi32(int(fill));
#endif
    for (; D > 0 ? x + 16 <= end : x - 16 >= end; x += 16 * D) {
        quint32 *block = D > 0 ? row + x : row + x - 15;
#if defined(__SSE2__)
        auto *p = reinterpret_cast<__m128i *>(block);
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
#else
        quint32 differ = 0;
        for (int k = 0; k < 16; ++k)
            differ |= block[k] ^ target;
        if (differ)
            break;
        std::fill(block, block + 16, fill);
#endif
    }
    return x;
}

// Whether a block of sixteen pixels taken from `x` in the direction `D` fills one
// cache line exactly.
template<int D>
bool onCacheLine(const quint32 *row, int x)
{
    return (quintptr(D > 0 ? row + x : row + x + 1) & 63) == 0;
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
    int width;
    std::vector<FloodFillRun> *runs;

    bool inside(const quint32 *row, int x, int) const { return row[x] == target; }

    // Paints from `from` (included) to `x` (excluded), already known to be inside,
    // then on from `x` in the direction `D` to the end of the run; returns the
    // first pixel past it.
    template<int D>
    int paintRun(quint32 *row, int from, int x, int y) const
    {
        std::fill(row + (D > 0 ? from : x + 1), row + (D > 0 ? x : from + 1), fill);
        const int end = D > 0 ? width : -1;
        // One pixel alone first: in a narrow area that ends the run, and a whole
        // block would read cache lines the area never reaches.
        if (x != end && row[x] == target) {
            row[x] = fill;
            x += D;
            // Blocks start on a cache line, so that none straddles two.
            for (; x != end && !onCacheLine<D>(row, x) && row[x] == target; x += D)
                row[x] = fill;
            if (x != end && row[x] == target)
                x = paintBlocks<D>(row, x, end, target, fill);
            for (; x != end && row[x] == target; x += D)
                row[x] = fill;
        }
        // Every pixel of the target colour changes, since the fill colour differs.
        if (runs)
            runs->push_back(D > 0 ? FloodFillRun{y, from, x - 1} : FloodFillRun{y, x + 1, from});
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
    VisitedBox *visited;
    std::vector<FloodFillRun> *runs;

    bool inside(const quint32 *row, int x, int y) const
    {
        return row[x] != border && !visited->contains(x, y);
    }

    template<int D>
    int paintRun(quint32 *row, int from, int x, int y) const
    {
        const int end = D > 0 ? width : -1;
        while (x != end && inside(row, x, y))
            x += D;
        const int first = D > 0 ? from : x + 1;
        const int last = D > 0 ? x - 1 : from;
        // Crossed pixels that already had the fill colour did not change, so they
        // split the runs handed back.
        if (runs) {
            for (int a = first; a <= last; ++a) {
                if (row[a] == fill)
                    continue;
                int b = a;
                while (b < last && row[b + 1] != fill)
                    ++b;
                runs->push_back({y, a, b});
                a = b;
            }
        }
        std::fill(row + first, row + last + 1, fill);
        visited->mark(y, first, last);
        return x;
    }
};

// The state of a fill lives in local variables of this one function, not in an
// object: pixels are written through a quint32 pointer, which the compiler must
// assume may point at any int member, so members would be read back from memory
// after every pixel painted.
template<typename Rule>
FloodFillResult spanFill(quint32 *bits, int width, int height, qsizetype stride, QPoint start, const Rule &rule)
{
    FloodFillResult result;
    if (!rule.inside(bits + qsizetype(start.y()) * stride, start.x(), start.y()))
        return result;

    qint64 pixels = 0;
    int minX = start.x(), maxX = start.x(), minY = start.y(), maxY = start.y();

    std::vector<Span> stack;
    const auto push = [&](int y, int xl, int xr, int dy) {
        if (unsigned(y + dy) < unsigned(height))
            stack.push_back({y, xl, xr, dy});
    };

    // Paints every run of row s.y + s.dy that touches s.xl..s.xr, each whole,
    // walking the row in the direction D (1: left to right, -1: right to left).
    // The last run found is followed straight on to the next row without going
    // through the stack: down a one-pixel corridor that is every step, and the
    // span then stays in registers.
    const auto spread = [&](Span s, auto direction) {
        constexpr int D = decltype(direction)::value;
        for (;;) {
            const int y = s.y + s.dy;
            quint32 *row = bits + qsizetype(y) * stride;
            const int nearEnd = D > 0 ? s.xl : s.xr;
            const int farEnd = D > 0 ? s.xr : s.xl;
            const auto within = [&](int x) { return D > 0 ? x <= farEnd : x >= farEnd; };
            bool onward = false;
            int onwardX1 = 0, onwardX2 = 0;
            for (int x = nearEnd; within(x);) {
                int from = x;
                if (!rule.inside(row, x, y)) {
                    for (x += D; within(x) && !rule.inside(row, x, y); x += D) {}
                    if (!within(x))
                        break;
                    from = x;
                } else if (x == nearEnd) {
                    // Only the first run can reach back beyond the span's end.
                    while ((D > 0 ? from > 0 : from + 1 < width) && rule.inside(row, from - D, y))
                        from -= D;
                }
                const int past = rule.template paintRun<D>(row, from, x + D, y);
                const int x1 = D > 0 ? from : past + 1;
                const int x2 = D > 0 ? past - 1 : from;
                pixels += x2 - x1 + 1;
                minX = std::min(minX, x1);
                maxX = std::max(maxX, x2);
                // Parts of the run beyond the span may leak back into the row it came from.
                if (x1 < s.xl)
                    push(y, x1, s.xl - 1, -s.dy);
                if (x2 > s.xr)
                    push(y, s.xr + 1, x2, -s.dy);
                if (onward)
                    push(y, onwardX1, onwardX2, s.dy);
                onward = true;
                onwardX1 = x1;
                onwardX2 = x2;
                x = past + D;
            }
            if (!onward)
                return;
            minY = std::min(minY, y);
            maxY = std::max(maxY, y);
            if (unsigned(y + s.dy) >= unsigned(height))
                return;
            s = {y, onwardX1, onwardX2, s.dy};
        }
    };

    // Two seeds, as if the start had been reached from the row above and from the
    // row below. The one pushed last, taken first, paints the start's run, spreads
    // down from all of it and up from its parts left and right of the start; the
    // other then looks up from the start itself.
    push(start.y(), start.x(), start.x(), -1);
    push(start.y() - 1, start.x(), start.x(), 1);
    while (!stack.empty()) {
        const Span s = stack.back();
        stack.pop_back();
        // Rows are walked in the direction the fill goes through memory: going
        // up, right to left. The processor's prefetch follows a steady stream
        // either way, but not a row read left to right after the one below it;
        // on a 4096-wide sheet that alone made filling upwards several times
        // slower than filling downwards.
        if (s.dy > 0)
            spread(s, std::integral_constant<int, 1>());
        else
            spread(s, std::integral_constant<int, -1>());
    }
    result.pixels = pixels;
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
        return spanFill(bits, width, height, stride, start, SurfaceRule{color, fill, width, painted});
    }
    VisitedBox visited(width, height, start);
    return spanFill(bits, width, height, stride, start, BorderRule{color, fill, width, &visited, painted});
}

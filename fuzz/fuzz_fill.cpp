// Fuzzer of the area fill against the plain breadth-first fill on arbitrary pixels.
//
// The first bytes give the width, height, row padding, start point, the fill
// colour and the mode; the rest are pixels, drawn from a small set of colours so
// that areas form. Both fills run on copies of the same pixels and must leave
// the same pixels, count and changed box; the padding past each row must stay
// as it was.
#include "support/ReferenceFill.h"

#include "platform/picture/FloodFill.h"

#include <cstdint>
#include <cstdlib>
#include <vector>

namespace {

constexpr quint32 Palette[4] = {0xFFFFFFFFu, 0xFF000000u, 0xFFFF0000u, 0xFF00FF00u};
constexpr quint32 Padding = 0x12345678u;

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 7)
        return 0;
    const int width = data[0] % 64 + 1;
    const int height = data[1] % 64 + 1;
    const int pad = data[2] % 4;
    // Starts may fall outside the pixels by a few steps on every side.
    const int startX = int(data[3] % (width + 4)) - 2;
    const int startY = int(data[4] % (height + 4)) - 2;
    const quint32 fill = Palette[data[5] % 4];
    const auto type = (data[6] & 1) ? FloodFillType::Surface : FloodFillType::Border;
    const quint32 color = Palette[(data[6] >> 1) % 4];
    data += 7;
    size -= 7;

    const qsizetype stride = width + pad;
    std::vector<quint32> pixels(size_t(stride) * size_t(height), Padding);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const size_t i = size_t(y) * size_t(width) + size_t(x);
            // Pixels past the input repeat it, so short inputs still make pictures.
            pixels[size_t(y) * size_t(stride) + size_t(x)] = size ? Palette[(data[(i / 4) % size] >> (2 * (i % 4))) & 3] : Palette[0];
        }
    std::vector<quint32> expected = pixels;

    const QPoint start(startX, startY);
    const FloodFillResult got = floodFill(pixels.data(), width, height, stride, start, color, fill, type);
    const FloodFillResult want = referenceFloodFill(expected.data(), width, height, stride, start, color, fill, type);
    if (pixels != expected || got.pixels != want.pixels || got.changed != want.changed)
        std::abort();
    return 0;
}

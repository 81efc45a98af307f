// Speed of the flood fill per filled pixel, beside a plain breadth-first fill and
// a bare read-and-write pass over the same pixels; ratios are printed at the end.
#include "platform/FloodFill.h"
#include "support/ReferenceFill.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <string>
#include <vector>

namespace {

constexpr quint32 White = 0xFFFFFFFF;
constexpr quint32 Black = 0xFF000000;
constexpr quint32 Red = 0xFFFF0000;

struct Picture
{
    int size = 0;
    std::vector<quint32> pixels;
    QPoint start;
    quint32 *bits() { return pixels.data(); }
};

Picture blank(int size)
{
    return {size, std::vector<quint32>(size_t(size) * size_t(size), White), {size / 2, size / 2}};
}

// Closed rings of several sizes scattered over the page, as in a line drawing;
// the fill starts in the background around them.
Picture lineDrawing(int size)
{
    Picture p = blank(size);
    p.start = {0, 0};
    const auto set = [&](int x, int y) {
        if (x >= 0 && y >= 0 && x < size && y < size)
            p.pixels[size_t(y) * size_t(size) + size_t(x)] = Black;
    };
    const int cell = size / 8;
    for (int cy = 0; cy < 8; ++cy)
        for (int cx = 0; cx < 8; ++cx) {
            const int r = cell / 4 + (cx * 7 + cy * 3) % (cell / 6 + 1);
            const int ox = cx * cell + cell / 2, oy = cy * cell + cell / 2;
            for (int a = -r; a <= r; ++a)
                for (int t = 0; t < 3; ++t) { // a square ring 3 pixels thick
                    set(ox + a, oy - r + t);
                    set(ox + a, oy + r - t);
                    set(ox - r + t, oy + a);
                    set(ox + r - t, oy + a);
                }
        }
    return p;
}

// One-pixel corridor winding through the whole picture.
Picture corridor(int size)
{
    Picture p{size, std::vector<quint32>(size_t(size) * size_t(size), Black), {0, 0}};
    for (int y = 0; y < size; y += 2) {
        std::fill_n(p.pixels.begin() + qsizetype(y) * size, size, White);
        if (y + 1 < size)
            p.pixels[size_t(y + 1) * size_t(size) + size_t((y / 2) % 2 ? 0 : size - 1)] = White;
    }
    return p;
}

// A closed 10 x 10 square (about a hundred pixels inside) in the middle of a huge picture.
Picture tinyArea(int size)
{
    Picture p = blank(size);
    const int o = size / 2 - 6;
    for (int i = 0; i < 12; ++i) {
        p.pixels[size_t(o) * size_t(size) + size_t(o + i)] = Black;
        p.pixels[size_t(o + 11) * size_t(size) + size_t(o + i)] = Black;
        p.pixels[size_t(o + i) * size_t(size) + size_t(o)] = Black;
        p.pixels[size_t(o + i) * size_t(size) + size_t(o + 11)] = Black;
    }
    p.start = {o + 5, o + 5};
    return p;
}

using Maker = Picture (*)(int);
using Filler = FloodFillResult (*)(quint32 *, int, int, qsizetype, QPoint, quint32, quint32, FloodFillType);

// Fills back and forth between white and red, so no copy of the picture is needed
// between iterations.
void runFill(benchmark::State &state, Maker make, Filler fill)
{
    Picture p = make(int(state.range(0)));
    quint32 from = White, to = Red;
    qint64 filled = 0;
    for (auto _ : state) {
        const FloodFillResult r = fill(p.bits(), p.size, p.size, p.size, p.start, from, to, FloodFillType::Surface);
        filled = r.pixels;
        std::swap(from, to);
        benchmark::ClobberMemory();
    }
    state.counters["filled"] = double(filled);
    // Seconds per filled pixel (shown with an SI prefix: 2.5n is 2.5 ns).
    state.counters["s/pixel"] = benchmark::Counter(double(filled) * double(state.iterations()),
                                                   benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

// The bound no fill can beat: read each pixel once and write it once.
void readWritePass(benchmark::State &state)
{
    Picture p = blank(int(state.range(0)));
    quint32 *bits = p.bits();
    const size_t count = p.pixels.size();
    for (auto _ : state) {
        for (size_t i = 0; i < count; ++i)
            bits[i] ^= 0x00FF00FF;
        benchmark::ClobberMemory();
    }
    state.counters["s/pixel"] = benchmark::Counter(double(count) * double(state.iterations()),
                                                   benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

// The fill as a sheet without a history calls it: no runs are handed back.
FloodFillResult span(quint32 *bits, int width, int height, qsizetype stride, QPoint start, quint32 color,
                     quint32 fill, FloodFillType type)
{
    return floodFill(bits, width, height, stride, start, color, fill, type);
}

void spanBlank(benchmark::State &s) { runFill(s, blank, span); }
void plainBlank(benchmark::State &s) { runFill(s, blank, referenceFloodFill); }
void spanDrawing(benchmark::State &s) { runFill(s, lineDrawing, span); }
void plainDrawing(benchmark::State &s) { runFill(s, lineDrawing, referenceFloodFill); }
void spanCorridor(benchmark::State &s) { runFill(s, corridor, span); }
void plainCorridor(benchmark::State &s) { runFill(s, corridor, referenceFloodFill); }
void spanTiny(benchmark::State &s) { runFill(s, tinyArea, span); }

BENCHMARK(readWritePass)->Arg(1024)->Arg(4096)->Arg(8192)->Unit(benchmark::kMillisecond);
BENCHMARK(spanBlank)->Arg(1024)->Arg(4096)->Arg(8192)->Unit(benchmark::kMillisecond);
BENCHMARK(plainBlank)->Arg(1024)->Arg(4096)->Arg(8192)->Unit(benchmark::kMillisecond);
BENCHMARK(spanDrawing)->Arg(1024)->Arg(4096)->Arg(8192)->Unit(benchmark::kMillisecond);
BENCHMARK(plainDrawing)->Arg(1024)->Arg(4096)->Arg(8192)->Unit(benchmark::kMillisecond);
BENCHMARK(spanCorridor)->Arg(1024)->Arg(4096)->Arg(8192)->Unit(benchmark::kMillisecond);
BENCHMARK(plainCorridor)->Arg(1024)->Arg(4096)->Arg(8192)->Unit(benchmark::kMillisecond);
BENCHMARK(spanTiny)->Arg(1024)->Arg(4096)->Arg(8192)->Unit(benchmark::kMicrosecond);

// Keeps each run's time per iteration so that the ratios can be printed after the table.
class RatioReporter : public benchmark::ConsoleReporter
{
public:
    void ReportRuns(const std::vector<Run> &runs) override
    {
        for (const Run &run : runs)
            if (run.run_type == Run::RT_Iteration)
                m_seconds[run.benchmark_name()] = run.GetAdjustedRealTime()
                    / benchmark::GetTimeUnitMultiplier(run.time_unit);
        ConsoleReporter::ReportRuns(runs);
    }

    void Finalize() override
    {
        ConsoleReporter::Finalize();
        std::printf("\nRatios (lower is better for the fill):\n");
        for (const char *size : {"1024", "4096", "8192"}) {
            const std::string n = std::string("/") + size;
            ratio("blank sheet, span fill / read-write pass", "spanBlank" + n, "readWritePass" + n);
            ratio("line drawing, span fill / read-write pass", "spanDrawing" + n, "readWritePass" + n);
            ratio("corridor, plain fill / span fill (speed-up)", "plainCorridor" + n, "spanCorridor" + n);
            ratio("blank sheet, plain fill / span fill (speed-up)", "plainBlank" + n, "spanBlank" + n);
        }
        ratio("tiny area, 8192 / 1024 picture", "spanTiny/8192", "spanTiny/1024");
    }

private:
    void ratio(const std::string &what, const std::string &a, const std::string &b)
    {
        if (m_seconds.count(a) && m_seconds.count(b) && m_seconds[b] > 0)
            std::printf("  %-48s %-22s %8.2f\n", what.c_str(), a.c_str(), m_seconds[a] / m_seconds[b]);
    }
    std::map<std::string, double> m_seconds;
};

} // namespace

int main(int argc, char **argv)
{
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}

// Speed of the flood fill per filled pixel, beside the fill as it was before, a
// plain breadth-first fill and a bare read-and-write pass over the same pixels;
// ratios are printed at the end.
#include "BreadthFirstFill.h"
#include "PreviousFloodFill.h"
#include "platform/picture/FloodFill.h"

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

// One-pixel corridor winding through the whole picture along its rows: long spans.
Picture rowSerpentine(int size)
{
    Picture p{size, std::vector<quint32>(size_t(size) * size_t(size), Black), {0, 0}};
    for (int y = 0; y < size; y += 2) {
        std::fill_n(p.pixels.begin() + qsizetype(y) * size, size, White);
        if (y + 1 < size)
            p.pixels[size_t(y + 1) * size_t(size) + size_t((y / 2) % 2 ? 0 : size - 1)] = White;
    }
    return p;
}

// One-pixel corridor winding through the whole picture along its columns: every
// span is a single pixel, the hardest shape for a span fill.
Picture columnSerpentine(int size)
{
    Picture p{size, std::vector<quint32>(size_t(size) * size_t(size), Black), {0, 0}};
    for (int x = 0; x < size; x += 2) {
        for (int y = 0; y < size; ++y)
            p.pixels[size_t(y) * size_t(size) + size_t(x)] = White;
        if (x + 1 < size)
            p.pixels[size_t((x / 2) % 2 ? 0 : size - 1) * size_t(size) + size_t(x + 1)] = White;
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

enum class Filler { Span, Previous, BreadthFirst };

// Fills back and forth between white and red, so no copy of the picture is needed
// between iterations. A border fill spreads up to black, painting red and white
// in turn.
void runFill(benchmark::State &state, Picture (*make)(int), Filler filler, FloodFillType type)
{
    Picture p = make(int(state.range(0)));
    BreadthFirstFill plain(filler == Filler::BreadthFirst ? p.size : 0, filler == Filler::BreadthFirst ? p.size : 0);
    quint32 from = White, to = Red;
    qint64 filled = 0;
    for (auto _ : state) {
        const quint32 color = type == FloodFillType::Border ? Black : from;
        switch (filler) {
        case Filler::Span:
            filled = floodFill(p.bits(), p.size, p.size, p.size, p.start, color, to, type).pixels;
            break;
        case Filler::Previous:
            filled = previous::floodFill(p.bits(), p.size, p.size, p.size, p.start, color, to, type).pixels;
            break;
        case Filler::BreadthFirst:
            filled = plain.fill(p.bits(), p.size, p.start, from, to);
            break;
        }
        std::swap(from, to);
        benchmark::ClobberMemory();
    }
    state.counters["filled"] = double(filled);
    // Seconds per filled pixel (shown with an SI prefix: 2.5n is 2.5 ns).
    state.counters["s/pixel"] = benchmark::Counter(double(filled) * double(state.iterations()),
                                                   benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

// The bound no fill can beat: read each pixel once and write it once. The buffer's
// address escapes and memory is clobbered after every pass, so the compiler has
// to do every load and store.
void readWritePass(benchmark::State &state)
{
    Picture p = blank(int(state.range(0)));
    quint32 *bits = p.bits();
    benchmark::DoNotOptimize(bits);
    const size_t count = p.pixels.size();
    for (auto _ : state) {
        for (size_t i = 0; i < count; ++i)
            bits[i] ^= 0x00FF00FF;
        benchmark::ClobberMemory();
    }
    state.counters["s/pixel"] = benchmark::Counter(double(count) * double(state.iterations()),
                                                   benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

const std::pair<const char *, Picture (*)(int)> Pictures[] = {
    {"blank", blank},
    {"drawing", lineDrawing},
    {"rowSerpentine", rowSerpentine},
    {"columnSerpentine", columnSerpentine},
    {"tiny", tinyArea},
};
const std::pair<const char *, Filler> Fillers[] = {
    {"span", Filler::Span},
    {"previous", Filler::Previous},
    {"plain", Filler::BreadthFirst},
};
const char *const Sizes[] = {"1024", "4096", "8192"};

void registerAll()
{
    benchmark::RegisterBenchmark("pass", readWritePass)->Arg(1024)->Arg(4096)->Arg(8192)->Unit(benchmark::kMillisecond);
    for (const auto &[pictureName, make] : Pictures)
        for (const auto &[fillerName, filler] : Fillers) {
            // The tiny area is about the cost of a click, not of the pixels: the
            // breadth-first fill clears its whole bitmap and says nothing there.
            if (make == tinyArea && filler == Filler::BreadthFirst)
                continue;
            const std::string name = std::string(fillerName) + "/" + pictureName;
            benchmark::RegisterBenchmark(name.c_str(), runFill, make, filler, FloodFillType::Surface)
                ->Arg(1024)->Arg(4096)->Arg(8192)
                ->Unit(make == tinyArea ? benchmark::kMicrosecond : benchmark::kMillisecond);
        }
    // A border fill keeps its own record of the pixels it visited: its cost must
    // not grow with the picture either.
    for (const auto &[fillerName, filler] : Fillers)
        if (filler != Filler::BreadthFirst)
            benchmark::RegisterBenchmark((std::string(fillerName) + "/tinyBorder").c_str(), runFill, tinyArea, filler,
                                         FloodFillType::Border)
                ->Arg(1024)->Arg(4096)->Arg(8192)->Unit(benchmark::kMicrosecond);
}

// Keeps each run's CPU time per iteration (the median when runs are repeated) so
// that the ratios can be printed after the table. CPU time, because the machine
// may be busy with other work while the benchmark runs.
class RatioReporter : public benchmark::ConsoleReporter
{
public:
    void ReportRuns(const std::vector<Run> &runs) override
    {
        for (const Run &run : runs) {
            const bool single = run.run_type == Run::RT_Iteration && run.repetitions <= 1;
            const bool median = run.run_type == Run::RT_Aggregate && run.aggregate_name == "median";
            if (single || median)
                m_seconds[run.run_name.str()] = run.GetAdjustedCPUTime()
                    / benchmark::GetTimeUnitMultiplier(run.time_unit);
        }
        ConsoleReporter::ReportRuns(runs);
    }

    void Finalize() override
    {
        ConsoleReporter::Finalize();
        std::printf("\nRatios of CPU time (below 1: the first is faster):\n");
        for (const char *size : Sizes) {
            const std::string n = std::string("/") + size;
            for (const char *filler : {"span", "previous"}) {
                ratio(std::string("blank sheet, ") + filler + " / read-write pass", filler + ("/blank" + n), "pass" + n);
                ratio(std::string("line drawing, ") + filler + " / read-write pass", filler + ("/drawing" + n),
                      "pass" + n);
            }
            for (const auto &picture : Pictures) {
                const std::string what = std::string(picture.first) + n;
                ratio(std::string(picture.first) + ", span / previous span", "span/" + what, "previous/" + what);
                ratio(std::string(picture.first) + ", span / plain", "span/" + what, "plain/" + what);
                ratio(std::string(picture.first) + ", previous / plain", "previous/" + what, "plain/" + what);
            }
        }
        for (const char *tiny : {"tiny", "tinyBorder"})
            for (const char *filler : {"span", "previous"}) {
                const std::string name = std::string(filler) + "/" + tiny;
                ratio(std::string(tiny) + ", " + filler + " 8192 / " + filler + " 1024", name + "/8192", name + "/1024");
            }
    }

private:
    void ratio(const std::string &what, const std::string &a, const std::string &b)
    {
        if (m_seconds.count(a) && m_seconds.count(b) && m_seconds[b] > 0)
            std::printf("  %-46s %-32s %6.2f\n", what.c_str(), a.c_str(), m_seconds[a] / m_seconds[b]);
    }
    std::map<std::string, double> m_seconds;
};

} // namespace

int main(int argc, char **argv)
{
    registerAll();
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}

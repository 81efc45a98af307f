// The history of the sheet: 100 fills on a 4096 x 4096 sheet, the memory they
// take in the history, and one undo timed against the fill it takes back; then
// "Annulla tutto" on the coloured sheet, likewise.
// A timed run: each figure is the best of a few rounds, printed with its ratio.
#include "platform/picture/FloodFill.h"
#include "platform/picture/ImageHistory.h"

#include <QImage>
#include <QPainter>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

namespace {

constexpr int Size = 4096;
constexpr int Rooms = 10; // 10 x 10 rooms: a hundred fills
constexpr int Rounds = 5;
constexpr quint32 White = 0xFFFFFFFF;
constexpr quint32 Black = 0xFF000000;

using Clock = std::chrono::steady_clock;

// Every fill, undo and redo is timed from cold caches: the order of the undos
// (last fill first) must not give them warmer or colder memory than the fills had.
void evictCaches()
{
    static std::vector<quint32> other(size_t(64) << 20 >> 2);
    static quint32 value = 0;
    std::fill(other.begin(), other.end(), ++value);
}

double microseconds(Clock::duration d)
{
    return std::chrono::duration<double, std::micro>(d).count();
}

// A grid of rooms between walls three pixels thick, a ring in each room, so
// that every fill is a shape with a hole and rows broken in two.
QImage drawing()
{
    QImage image(Size, Size, QImage::Format_RGB32);
    image.fill(White);
    QPainter painter(&image);
    const int cell = Size / Rooms;
    for (int i = 0; i <= Rooms; ++i) {
        painter.fillRect(qMin(i * cell, Size - 3), 0, 3, Size, Qt::black);
        painter.fillRect(0, qMin(i * cell, Size - 3), Size, 3, Qt::black);
    }
    painter.setPen(QPen(Qt::black, 3));
    for (int ry = 0; ry < Rooms; ++ry)
        for (int rx = 0; rx < Rooms; ++rx)
            painter.drawEllipse(QPoint(rx * cell + cell / 2, ry * cell + cell / 2), cell / 4, cell / 3);
    return image;
}

quint32 colour(int i)
{
    static constexpr quint32 palette[] = {0xFFFF0000, 0xFF00FF00, 0xFF0000FF, 0xFFFFFF00, 0xFFFF00FF, 0xFF00FFFF};
    return palette[i % 6];
}

QPoint roomCorner(int i)
{
    const int cell = Size / Rooms;
    return {(i % Rooms) * cell + 10, (i / Rooms) * cell + 10};
}

struct Times
{
    std::vector<double> bare, fill, undo, redo;
    qint64 historyBytes = 0;
    qint64 rectBytes = 0;
    double undoAll = 0, undoAllUndo = 0; // "Annulla tutto" on the coloured sheet, and its undo
    qint64 undoAllBytes = 0;
};

Times round(const QImage &start)
{
    Times t;
    QImage image = start.copy();
    auto *bits = reinterpret_cast<quint32 *>(image.bits());
    const qsizetype stride = image.bytesPerLine() / 4;
    ImageHistory history;

    // Room by room, the fill as it was before there was a history (on a copy, for
    // reference), then the fill as the sheet makes it now: with its runs,
    // recorded as one step.
    QImage bareImage = start.copy();
    auto *bareBits = reinterpret_cast<quint32 *>(bareImage.bits());
    for (int i = 0; i < Rooms * Rooms; ++i) {
        evictCaches();
        auto t0 = Clock::now();
        floodFill(bareBits, Size, Size, stride, roomCorner(i), White, colour(i), FloodFillType::Surface);
        t.bare.push_back(microseconds(Clock::now() - t0));

        evictCaches();
        t0 = Clock::now();
        std::vector<FloodFillRun> runs;
        const FloodFillResult r = floodFill(bits, Size, Size, stride, roomCorner(i), White, colour(i),
                                            FloodFillType::Surface, &runs);
        history.recordFill(runs, White, colour(i));
        t.fill.push_back(microseconds(Clock::now() - t0));
        t.rectBytes += qint64(r.changed.width()) * r.changed.height() * 4;
    }
    t.historyBytes = history.bytes();
    if (image != bareImage)
        std::fprintf(stderr, "the recorded fills painted something else than the bare ones\n");

    const auto restore = [&image](const HistoryStep &step) { step.restore(image); };
    const auto reapply = [&image](const HistoryStep &step) { step.reapply(image); };
    for (int i = Rooms * Rooms - 1; i >= 0; --i) {
        evictCaches();
        const auto t0 = Clock::now();
        history.undo(restore);
        t.undo.push_back(microseconds(Clock::now() - t0));
    }
    std::reverse(t.undo.begin(), t.undo.end());
    if (image != start)
        std::fprintf(stderr, "undoing every fill did not give the drawing back\n");
    for (int i = 0; i < Rooms * Rooms; ++i) {
        evictCaches();
        const auto t0 = Clock::now();
        history.redo(reapply);
        t.redo.push_back(microseconds(Clock::now() - t0));
    }
    if (image != bareImage)
        std::fprintf(stderr, "redoing every fill did not give the coloured sheet back\n");

    // "Annulla tutto" on the coloured sheet: the image rebuilt from the picture,
    // the whole coloured image kept, then taken back.
    ImageHistory sheetHistory;
    auto t0 = Clock::now();
    QImage rebuilt(Size, Size, QImage::Format_RGB32);
    rebuilt.fill(White);
    QPainter(&rebuilt).drawImage(0, 0, start);
    sheetHistory.recordSheet(start, image, start, rebuilt);
    t.undoAll = microseconds(Clock::now() - t0);
    t.undoAllBytes = sheetHistory.bytes();
    t0 = Clock::now();
    sheetHistory.undo([&rebuilt](const HistoryStep &step) { step.restore(rebuilt); });
    t.undoAllUndo = microseconds(Clock::now() - t0);
    if (rebuilt != image)
        std::fprintf(stderr, "undoing \"Annulla tutto\" did not give the colouring back\n");
    return t;
}

double sum(const std::vector<double> &v)
{
    double s = 0;
    for (double x : v)
        s += x;
    return s;
}

} // namespace

int main()
{
    const QImage start = drawing();
    Times best;
    for (int r = 0; r < Rounds; ++r) {
        const Times t = round(start);
        if (r == 0) {
            best = t;
            continue;
        }
        for (size_t i = 0; i < t.fill.size(); ++i) {
            best.bare[i] = std::min(best.bare[i], t.bare[i]);
            best.fill[i] = std::min(best.fill[i], t.fill[i]);
            best.undo[i] = std::min(best.undo[i], t.undo[i]);
            best.redo[i] = std::min(best.redo[i], t.redo[i]);
        }
        best.undoAll = std::min(best.undoAll, t.undoAll);
        best.undoAllUndo = std::min(best.undoAllUndo, t.undoAllUndo);
    }

    double worst = 0;
    for (size_t i = 0; i < best.fill.size(); ++i) {
        worst = std::max(worst, best.undo[i] / best.fill[i]);
    }
    std::printf("%d fills on a %d x %d sheet (best of %d rounds)\n", Rooms * Rooms, Size, Size, Rounds);
    std::printf("  history after them:      %8.2f MB (limit %lld MB; the changed rectangles hold %.1f MB)\n",
                best.historyBytes / 1048576.0, ImageHistory::DefaultLimit / 1048576, best.rectBytes / 1048576.0);
    std::printf("  one fill without history: %8.1f us on average\n", sum(best.bare) / best.bare.size());
    std::printf("  one fill, recorded:       %8.1f us on average  (%.2f x the bare fill)\n",
                sum(best.fill) / best.fill.size(), sum(best.fill) / sum(best.bare));
    std::printf("  one undo:                 %8.1f us on average  (%.3f x the fill it undoes; worst %.3f x)\n",
                sum(best.undo) / best.undo.size(), sum(best.undo) / sum(best.fill), worst);
    std::printf("  one redo:                 %8.1f us on average  (%.3f x the fill)\n",
                sum(best.redo) / best.redo.size(), sum(best.redo) / sum(best.fill));
    std::printf("\"Annulla tutto\" on the coloured sheet\n");
    std::printf("  history of it:           %8.2f MB (the whole sheet raw: %.0f MB)\n",
                best.undoAllBytes / 1048576.0, Size * double(Size) * 4 / 1048576.0);
    std::printf("  the change, recorded:     %8.1f us\n", best.undoAll);
    std::printf("  its undo:                 %8.1f us  (%.3f x the change)\n", best.undoAllUndo,
                best.undoAllUndo / best.undoAll);
    return 0;
}

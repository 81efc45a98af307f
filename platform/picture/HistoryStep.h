// One change of a 32-bit image, kept as the pixels it replaced, in runs along the rows.
#pragma once

#include "platform/picture/FloodFill.h"

#include <QImage>
#include <QRect>
#include <vector>

// The pixels are kept run by run: a run of one colour costs a few words whatever
// its length, and only where neighbours differ are pixels kept one by one. So a
// fill keeps its runs and the colour they had, and a coloured drawing, mostly
// broad areas, packs into a small part of its raw size.
//
// Painting steps (fill, pen, box) paint one colour: redoing one paints its runs
// again. A sheet step, a picture given to the image, keeps the whole image it
// replaced and both pictures; redoing it means giving the new picture again.
class HistoryStep
{
public:
    // A fill that painted `runs` with `after`; all of them had the colour `before`.
    static HistoryStep fill(const std::vector<FloodFillRun> &runs, quint32 before, quint32 after);
    // `rect` of `image` is about to be painted with `color`: keeps the pixels that
    // will change (those that already have the colour will not).
    static HistoryStep paint(const QImage &image, const QRect &rect, quint32 color);
    // The same, added to this painting step; false when no pixel will change.
    bool addPaint(const QImage &image, const QRect &rect);
    // `oldPicture` and `oldImage` replaced by `newPicture`.
    static HistoryStep sheet(const QImage &oldPicture, const QImage &oldImage, const QImage &newPicture);

    // A painting step that changes no pixel.
    bool isEmpty() const { return !m_sheet && m_runs.empty(); }
    bool replacesSheet() const { return m_sheet; }
    quint32 color() const { return m_color; }
    const QImage &pictureBefore() const { return m_pictureBefore; }
    const QImage &pictureAfter() const { return m_pictureAfter; }
    // For a sheet step, the size of the image it replaced.
    QSize imageSize() const { return m_imageSize; }

    // Puts back the pixels the change replaced and returns the area touched. The
    // image is 32-bit; for a sheet step it has imageSize(). Runs outside it are skipped.
    QRect restore(QImage &image) const;
    // Paints a painting step again and returns the area touched.
    QRect reapply(QImage &image) const;

    // Every byte the step holds, the step itself included, its pictures apart
    // (they may be shared with other steps and with the image).
    qint64 bytes() const;
    // Gives back the room reserved for growing.
    void squeeze();

private:
    struct Run
    {
        qint32 y;
        qint32 x1;
        qint32 x2;
        quint32 value; // the colour, or where its pixels start in m_pixels
        bool literal;
    };

    void keepRow(const quint32 *row, int y, int x1, int x2, bool skipColor);
    // Calls paint(row, x1, x2, run) for the part of each run inside the image,
    // and returns the area touched.
    template<typename Paint>
    QRect paintRuns(QImage &image, Paint paint) const;

    std::vector<Run> m_runs;
    std::vector<quint32> m_pixels;
    QRect m_changed;
    quint32 m_color = 0;
    bool m_sheet = false;
    QImage m_pictureBefore;
    QImage m_pictureAfter;
    QSize m_imageSize;
};

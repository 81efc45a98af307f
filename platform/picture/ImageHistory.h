// The history of an image's changes, for undo and redo, within a memory bound.
#pragma once

#include "platform/picture/HistoryStep.h"

#include <QHash>
#include <deque>
#include <functional>
#include <optional>

// Each change is recorded just before or just after it is made, as one step.
// Undo hands back the latest step and moves it to the redo side; a new change
// drops what could be redone. Steps never change once recorded, so a step is
// undone by putting back its pixels and redone by making its change again.
//
// Every stored byte counts against the bound; the oldest steps go first. A step
// larger than the whole bound cannot be kept, and then nothing older can be
// either: the history starts again from the image as it is. Pictures are counted
// once however many steps hold them, and not while the image shows them: that
// memory is the image's own.
class ImageHistory
{
public:
    static constexpr qint64 DefaultLimit = qint64(64) * 1024 * 1024;

    explicit ImageHistory(qint64 limitBytes = DefaultLimit) : m_limit(limitBytes) {}

    // A fill has painted `runs` with `after`; they all had the colour `before`.
    void recordFill(const std::vector<FloodFillRun> &runs, quint32 before, quint32 after);
    // `rect` of `image` is about to be painted with `color`. Inside a stroke it
    // joins the stroke's step.
    void recordPaint(const QImage &image, const QRect &rect, quint32 color);
    // A picture has been given: `oldPicture` and `oldImage` were replaced by
    // `newPicture` and `newImage`. Nothing is recorded when nothing changed.
    void recordSheet(const QImage &oldPicture, const QImage &oldImage, const QImage &newPicture,
                     const QImage &newImage);
    // What is painted between these two is one step, even when an undo comes
    // in between: what follows the undo is a step of its own.
    void beginStroke() { m_strokeOpen = true; }
    void endStroke();

    // Hands the latest step to `apply`, which takes it back on the image, and
    // makes it the next one to redo. False when there is nothing to undo.
    bool undo(const std::function<void(const HistoryStep &)> &apply);
    // Hands the next step to redo to `apply`, which makes it again. False when
    // there is nothing to redo.
    bool redo(const std::function<void(const HistoryStep &)> &apply);
    // Forgets everything, as when a change cannot be kept.
    void clear();

    int undoCount() const { return int(m_undo.size()) + (m_stroke && !m_stroke->isEmpty() ? 1 : 0); }
    int redoCount() const { return int(m_redo.size()); }
    qint64 bytes() const;
    qint64 limit() const { return m_limit; }

private:
    void push(HistoryStep &&step);
    void commitStroke();
    // Moves the newest step of `from` onto `to` and applies it: back to the
    // picture before it when undoing, on to the one after it when redoing.
    bool step(std::deque<HistoryStep> &from, std::deque<HistoryStep> &to, bool back,
              const std::function<void(const HistoryStep &)> &apply);
    void dropRedo();
    void forget(const HistoryStep &step);
    void trim();

    struct PictureUse
    {
        qint64 bytes;
        int steps;
    };

    qint64 m_limit;
    qint64 m_bytes = 0; // of the steps in m_undo and m_redo, pictures apart
    QHash<qint64, PictureUse> m_pictures; // by cache key
    qint64 m_shown = 0; // the cache key of the picture the image shows
    std::deque<HistoryStep> m_undo; // oldest first
    std::deque<HistoryStep> m_redo; // the next to redo last
    std::optional<HistoryStep> m_stroke; // the stroke under way
    bool m_strokeOpen = false;
};

// The history of an image's changes: recording, undo and redo, and the memory bound.
#include "platform/picture/ImageHistory.h"

void ImageHistory::recordFill(const std::vector<FloodFillRun> &runs, quint32 before, quint32 after)
{
    commitStroke();
    push(HistoryStep::fill(runs, before, after));
}

void ImageHistory::recordPaint(const QImage &image, const QRect &rect, quint32 color)
{
    if (!m_strokeOpen) {
        commitStroke();
        push(HistoryStep::paint(image, rect, color));
        return;
    }
    if (m_stroke && m_stroke->color() != color)
        commitStroke();
    bool changes = false;
    if (m_stroke) {
        changes = m_stroke->addPaint(image, rect);
    } else {
        m_stroke = HistoryStep::paint(image, rect, color);
        changes = !m_stroke->isEmpty();
    }
    if (changes) {
        dropRedo();
        trim();
    }
}

void ImageHistory::recordSheet(const QImage &oldPicture, const QImage &oldImage, const QImage &newPicture,
                               const QImage &newImage)
{
    // Undo all right after loading gives back the same sheet: no step to undo.
    if (oldPicture == newPicture && oldImage == newImage)
        return;
    commitStroke();
    m_shown = newPicture.cacheKey();
    push(HistoryStep::sheet(oldPicture, oldImage, newPicture));
}

void ImageHistory::endStroke()
{
    commitStroke();
    m_strokeOpen = false;
}

bool ImageHistory::undo(const std::function<void(const HistoryStep &)> &apply)
{
    return step(m_undo, m_redo, true, apply);
}

bool ImageHistory::redo(const std::function<void(const HistoryStep &)> &apply)
{
    return step(m_redo, m_undo, false, apply);
}

bool ImageHistory::step(std::deque<HistoryStep> &from, std::deque<HistoryStep> &to, bool back,
                        const std::function<void(const HistoryStep &)> &apply)
{
    commitStroke();
    if (from.empty())
        return false;
    to.push_back(std::move(from.back()));
    from.pop_back();
    const HistoryStep &moved = to.back();
    apply(moved);
    if (moved.replacesSheet()) {
        m_shown = (back ? moved.pictureBefore() : moved.pictureAfter()).cacheKey();
        trim();
    }
    return true;
}

void ImageHistory::clear()
{
    m_undo.clear();
    m_redo.clear();
    m_stroke.reset();
    m_pictures.clear();
    m_bytes = 0;
}

qint64 ImageHistory::bytes() const
{
    qint64 total = m_bytes + (m_stroke ? m_stroke->bytes() : 0);
    for (auto it = m_pictures.cbegin(); it != m_pictures.cend(); ++it) {
        if (it.key() != m_shown)
            total += it->bytes;
    }
    return total;
}

void ImageHistory::push(HistoryStep &&step)
{
    if (step.isEmpty())
        return;
    dropRedo();
    step.squeeze();
    m_bytes += step.bytes();
    if (step.replacesSheet()) {
        for (const QImage *picture : {&step.pictureBefore(), &step.pictureAfter()}) {
            auto use = m_pictures.find(picture->cacheKey());
            if (use == m_pictures.end())
                use = m_pictures.insert(picture->cacheKey(), {picture->sizeInBytes(), 0});
            ++use->steps;
        }
    }
    m_undo.push_back(std::move(step));
    trim();
}

void ImageHistory::forget(const HistoryStep &step)
{
    m_bytes -= step.bytes();
    if (!step.replacesSheet())
        return;
    for (const QImage *picture : {&step.pictureBefore(), &step.pictureAfter()}) {
        const auto use = m_pictures.find(picture->cacheKey());
        if (use != m_pictures.end() && --use->steps == 0)
            m_pictures.erase(use);
    }
}

void ImageHistory::commitStroke()
{
    if (!m_stroke)
        return;
    HistoryStep step = std::move(*m_stroke);
    m_stroke.reset();
    push(std::move(step));
}

void ImageHistory::dropRedo()
{
    for (const HistoryStep &step : m_redo)
        forget(step);
    m_redo.clear();
}

void ImageHistory::trim()
{
    while (bytes() > m_limit && !m_undo.empty()) {
        forget(m_undo.front());
        m_undo.pop_front();
    }
    // After an undo, what stands to be redone may weigh more: the farthest goes.
    while (bytes() > m_limit && !m_redo.empty()) {
        forget(m_redo.front());
        m_redo.pop_front();
    }
    // A stroke too large by itself: what it has painted stays painted, and the
    // rest of it is recorded from here.
    if (bytes() > m_limit)
        m_stroke.reset();
}

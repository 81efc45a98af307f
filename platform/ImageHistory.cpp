// The history of an image's changes: recording, undo and redo, and the memory bound.
#include "platform/ImageHistory.h"

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
    push(HistoryStep::sheet(oldPicture, oldImage, newPicture));
}

void ImageHistory::endStroke()
{
    commitStroke();
    m_strokeOpen = false;
}

const HistoryStep *ImageHistory::undo()
{
    commitStroke();
    if (m_undo.empty())
        return nullptr;
    m_redo.push_back(std::move(m_undo.back()));
    m_undo.pop_back();
    return &m_redo.back();
}

const HistoryStep *ImageHistory::redo()
{
    commitStroke();
    if (m_redo.empty())
        return nullptr;
    m_undo.push_back(std::move(m_redo.back()));
    m_redo.pop_back();
    return &m_undo.back();
}

void ImageHistory::clear()
{
    m_undo.clear();
    m_redo.clear();
    m_stroke.reset();
    m_bytes = 0;
}

void ImageHistory::push(HistoryStep &&step)
{
    if (step.isEmpty())
        return;
    dropRedo();
    step.squeeze();
    m_bytes += step.bytes();
    m_undo.push_back(std::move(step));
    trim();
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
        m_bytes -= step.bytes();
    m_redo.clear();
}

void ImageHistory::trim()
{
    while (bytes() > m_limit && !m_undo.empty()) {
        m_bytes -= m_undo.front().bytes();
        m_undo.pop_front();
    }
    // A stroke too large by itself: what it has painted stays painted, and the
    // rest of it is recorded from here.
    if (bytes() > m_limit)
        m_stroke.reset();
}

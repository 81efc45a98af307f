// One change of an image: its replaced pixels packed into runs, and putting them back.
#include "platform/picture/HistoryStep.h"

#include <algorithm>

namespace {

// A run costs five words: a stretch of one colour shorter than five pixels is
// cheaper kept pixel by pixel.
constexpr int MinColorRun = 5;

bool is32Bit(const QImage &image)
{
    return image.format() == QImage::Format_RGB32 || image.format() == QImage::Format_ARGB32
           || image.format() == QImage::Format_ARGB32_Premultiplied;
}

} // namespace

HistoryStep HistoryStep::fill(const std::vector<FloodFillRun> &runs, quint32 before, quint32 after)
{
    HistoryStep step;
    step.m_color = after;
    if (runs.empty())
        return step;
    step.m_runs.reserve(runs.size());
    int left = runs.front().x1, right = runs.front().x2, top = runs.front().y, bottom = top;
    for (const FloodFillRun &r : runs) {
        step.m_runs.push_back({r.y, r.x1, r.x2, before, false});
        left = std::min(left, r.x1);
        right = std::max(right, r.x2);
        top = std::min(top, r.y);
        bottom = std::max(bottom, r.y);
    }
    step.m_changed = QRect(QPoint(left, top), QPoint(right, bottom));
    return step;
}

HistoryStep HistoryStep::paint(const QImage &image, const QRect &rect, quint32 color)
{
    HistoryStep step;
    step.m_color = color;
    step.addPaint(image, rect);
    return step;
}

bool HistoryStep::addPaint(const QImage &image, const QRect &rect)
{
    const QRect area = rect.intersected(image.rect());
    if (area.isEmpty() || !is32Bit(image))
        return false;
    const size_t before = m_runs.size();
    for (int y = area.top(); y <= area.bottom(); ++y)
        keepRow(reinterpret_cast<const quint32 *>(image.constScanLine(y)), y, area.left(), area.right(), true);
    return m_runs.size() != before;
}

HistoryStep HistoryStep::sheet(const QImage &oldPicture, const QImage &oldImage, const QImage &newPicture)
{
    HistoryStep step;
    step.m_sheet = true;
    step.m_pictureBefore = oldPicture;
    step.m_pictureAfter = newPicture;
    step.m_imageSize = oldImage.size();
    const QImage image = is32Bit(oldImage) ? oldImage : oldImage.convertToFormat(QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y)
        step.keepRow(reinterpret_cast<const quint32 *>(image.constScanLine(y)), y, 0, image.width() - 1, false);
    step.m_changed = image.rect();
    step.squeeze();
    return step;
}

// Keeps row[x1..x2] as runs of one colour where the colour holds long enough,
// and pixel by pixel elsewhere. With skipColor, pixels that already have the
// step's colour are left out: painting will not change them.
void HistoryStep::keepRow(const quint32 *row, int y, int x1, int x2, bool skipColor)
{
    int x = x1;
    while (x <= x2) {
        if (skipColor && row[x] == m_color) {
            ++x;
            continue;
        }
        int end = x + 1;
        while (end <= x2 && row[end] == row[x])
            ++end;
        Run *last = m_runs.empty() ? nullptr : &m_runs.back();
        const bool follows = last && last->y == y && last->x2 == x - 1;
        if (follows && !last->literal && last->value == row[x]) {
            last->x2 = end - 1;
        } else if (end - x >= MinColorRun) {
            m_runs.push_back({y, x, end - 1, row[x], false});
        } else {
            if (follows && last->literal)
                last->x2 = end - 1;
            else
                m_runs.push_back({y, x, end - 1, quint32(m_pixels.size()), true});
            m_pixels.insert(m_pixels.end(), row + x, row + end);
        }
        m_changed |= QRect(QPoint(x, y), QPoint(end - 1, y));
        x = end;
    }
}

template<typename Paint>
QRect HistoryStep::paintRuns(QImage &image, Paint paint) const
{
    if (!is32Bit(image))
        return {};
    auto *bits = reinterpret_cast<quint32 *>(image.bits());
    const qsizetype stride = image.bytesPerLine() / 4;
    for (const Run &r : m_runs) {
        if (r.y < 0 || r.y >= image.height())
            continue;
        const int x1 = std::max(r.x1, 0);
        const int x2 = std::min(r.x2, image.width() - 1);
        if (x1 <= x2)
            paint(bits + qsizetype(r.y) * stride, x1, x2, r);
    }
    return m_changed.intersected(image.rect());
}

QRect HistoryStep::restore(QImage &image) const
{
    return paintRuns(image, [this](quint32 *row, int x1, int x2, const Run &r) {
        if (r.literal) {
            const quint32 *from = m_pixels.data() + r.value + (x1 - r.x1);
            std::copy(from, from + (x2 - x1 + 1), row + x1);
        } else {
            std::fill(row + x1, row + x2 + 1, r.value);
        }
    });
}

QRect HistoryStep::reapply(QImage &image) const
{
    if (m_sheet)
        return {};
    return paintRuns(image, [this](quint32 *row, int x1, int x2, const Run &) {
        std::fill(row + x1, row + x2 + 1, m_color);
    });
}

qint64 HistoryStep::bytes() const
{
    return qint64(sizeof(HistoryStep)) + qint64(m_runs.capacity() * sizeof(Run))
           + qint64(m_pixels.capacity() * sizeof(quint32));
}

void HistoryStep::squeeze()
{
    m_runs.shrink_to_fit();
    m_pixels.shrink_to_fit();
}

// The pixels a fill has visited, as a bitmap over a box that grows with the fill.
#include "platform/picture/VisitedBox.h"

#include <algorithm>

VisitedBox::VisitedBox(int width, int height, QPoint start)
    : m_pictureWords((width + 63) / 64), m_pictureRows(height), m_leftWord(start.x() >> 6),
      m_top(start.y()), m_bits(1, 0)
{
}

void VisitedBox::mark(int y, int x1, int x2)
{
    if ((x1 >> 6) < m_leftWord || (x2 >> 6) >= m_leftWord + m_words || y < m_top || y >= m_top + m_rows)
        grow(y, x1, x2);
    const size_t row = size_t(y - m_top) * size_t(m_words);
    for (int word = x1 >> 6; word <= x2 >> 6; ++word) {
        const int from = std::max(x1, word * 64) & 63;
        const int to = std::min(x2, word * 64 + 63) & 63;
        m_bits[row + size_t(word - m_leftWord)] |= (~quint64(0) >> (63 - to)) & (~quint64(0) << from);
    }
}

void VisitedBox::grow(int y, int x1, int x2)
{
    // Each side that must move goes at least as far again as the box is wide or
    // tall, so the copies below add up to a constant times the final box.
    int left = m_leftWord, right = m_leftWord + m_words - 1;
    int top = m_top, bottom = m_top + m_rows - 1;
    if ((x1 >> 6) < left)
        left = std::max(0, std::min(x1 >> 6, left - m_words));
    if ((x2 >> 6) > right)
        right = std::min(m_pictureWords - 1, std::max(x2 >> 6, right + m_words));
    if (y < top)
        top = std::max(0, std::min(y, top - m_rows));
    if (y > bottom)
        bottom = std::min(m_pictureRows - 1, std::max(y, bottom + m_rows));

    const int words = right - left + 1;
    const int rows = bottom - top + 1;
    std::vector<quint64> bits(size_t(words) * size_t(rows), 0);
    for (int r = 0; r < m_rows; ++r)
        std::copy_n(m_bits.begin() + qsizetype(r) * m_words, m_words,
                    bits.begin() + qsizetype(r + m_top - top) * words + (m_leftWord - left));
    m_bits.swap(bits);
    m_leftWord = left;
    m_top = top;
    m_words = words;
    m_rows = rows;
}

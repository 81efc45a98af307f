// The pixels a fill has visited, as a bitmap over a box that grows with the fill.
#pragma once

#include <QPoint>
#include <QtGlobal>

#include <vector>

// Starts as one 64-pixel word around `start` and grows, at least doubling, to
// take in every run marked, never past the `width` x `height` picture. So a fill
// of a few pixels on a huge picture costs a few words, and a fill of the whole
// picture at most one bit per pixel. Pixels outside the box were never visited.
class VisitedBox
{
public:
    VisitedBox(int width, int height, QPoint start);

    bool contains(int x, int y) const
    {
        const int word = (x >> 6) - m_leftWord;
        const int row = y - m_top;
        if (unsigned(word) >= unsigned(m_words) || unsigned(row) >= unsigned(m_rows))
            return false;
        return (m_bits[size_t(row) * size_t(m_words) + size_t(word)] >> (x & 63)) & 1;
    }

    // Marks x1 to x2 (both included) of row y as visited.
    void mark(int y, int x1, int x2);

private:
    void grow(int y, int x1, int x2);

    int m_pictureWords;
    int m_pictureRows;
    int m_leftWord;
    int m_top;
    int m_words = 1;
    int m_rows = 1;
    std::vector<quint64> m_bits;
};

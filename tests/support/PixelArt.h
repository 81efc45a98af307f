// Tiny test pictures written as rows of characters.
#pragma once

#include <QImage>
#include <QStringList>

// '#' black, '.' white, 'r' red, 'g' green, 'b' blue, 'y' yellow, 'k' near-black
// (0x010101), 'w' near-white (0xFEFEFE). Returns a 32-bit RGB image.
inline QRgb pixelArtColor(QChar c)
{
    switch (c.toLatin1()) {
    case '#': return qRgb(0, 0, 0);
    case 'r': return qRgb(255, 0, 0);
    case 'g': return qRgb(0, 255, 0);
    case 'b': return qRgb(0, 0, 255);
    case 'y': return qRgb(255, 255, 0);
    case 'k': return qRgb(1, 1, 1);
    case 'w': return qRgb(254, 254, 254);
    default: return qRgb(255, 255, 255);
    }
}

inline QImage pixelArt(const QStringList &rows)
{
    QImage image(rows.isEmpty() ? 0 : int(rows.first().size()), int(rows.size()), QImage::Format_RGB32);
    for (int y = 0; y < rows.size(); ++y)
        for (int x = 0; x < rows[y].size(); ++x)
            image.setPixel(x, y, pixelArtColor(rows[y][x]));
    return image;
}

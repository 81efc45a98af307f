// A test sheet in four coloured quarters, so that its centre can be found on paper.
#pragma once

#include <QImage>

namespace Quarters {

inline const QRgb Red = qRgb(255, 0, 0);
inline const QRgb Green = qRgb(0, 255, 0);
inline const QRgb Blue = qRgb(0, 0, 255);
inline const QRgb Yellow = qRgb(255, 255, 0);

// Red top left, green top right, blue bottom left, yellow bottom right.
inline QImage sheet(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y, y < height / 2 ? (x < width / 2 ? Red : Green) : (x < width / 2 ? Blue : Yellow));
    return image;
}

} // namespace Quarters

// Builds the spectrum picture pixel by pixel.
#include "sheet/Spectrum.h"

#include <QColor>

QImage makeSpectrum()
{
    constexpr int Width = 77;
    constexpr int Height = 117;
    constexpr int GreyColumns = 5;
    QImage spectrum(Width, Height, QImage::Format_RGB32);
    for (int y = 0; y < Height; ++y) {
        // Lightness from almost white to almost black, full colour in the middle.
        const double lightness = 0.95 - 0.9 * y / (Height - 1);
        for (int x = 0; x < Width; ++x) {
            QColor c;
            if (x >= Width - GreyColumns) {
                const int grey = qRound(255.0 * (Height - 1 - y) / (Height - 1));
                c = QColor(grey, grey, grey);
            } else {
                const double hue = double(x) / (Width - GreyColumns);
                c = QColor::fromHslF(float(hue), 1.0f, float(lightness));
            }
            spectrum.setPixel(x, y, c.rgb());
        }
    }
    return spectrum;
}

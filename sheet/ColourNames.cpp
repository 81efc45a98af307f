// Colour names: the sixteen palette names and the nearest of them for any other colour.
#include "sheet/ColourNames.h"

#include "sheet/ClassicPalette.h"

#include <array>

namespace {

// In cell order, as ClassicPalette holds the colours.
const std::array<const char *, 16> Names = {
    "Nero", "Blu scuro", "Verde scuro", "Verde acqua",
    "Rosso scuro", "Viola", "Verde oliva", "Grigio chiaro",
    "Grigio", "Blu", "Verde", "Azzurro",
    "Rosso", "Fucsia", "Giallo", "Bianco",
};

int distance(QRgb a, QRgb b)
{
    const int r = qRed(a) - qRed(b);
    const int g = qGreen(a) - qGreen(b);
    const int bl = qBlue(a) - qBlue(b);
    return r * r + g * g + bl * bl;
}

} // namespace

QString paletteColourName(int index)
{
    return index >= 0 && index < int(Names.size()) ? QString::fromUtf8(Names[size_t(index)]) : QString();
}

QString colourDescription(ColorValue color)
{
    const QRgb rgb = color.resolved().rgb();
    int nearest = 0;
    for (int i = 1; i < int(ClassicPalette.size()); ++i) {
        if (distance(rgb, ClassicPalette[size_t(i)].toQRgb()) < distance(rgb, ClassicPalette[size_t(nearest)].toQRgb()))
            nearest = i;
    }
    if (distance(rgb, ClassicPalette[size_t(nearest)].toQRgb()) == 0)
        return paletteColourName(nearest);
    return QStringLiteral("simile a %1 (rosso %2, verde %3, blu %4)")
        .arg(paletteColourName(nearest).toLower())
        .arg(qRed(rgb))
        .arg(qGreen(rgb))
        .arg(qBlue(rgb));
}

// The sixteen colours of the palette cells, in cell order.
#pragma once

#include "platform/picture/ColorValue.h"

#include <array>

inline constexpr std::array<ColorValue, 16> ClassicPalette = {
    ColorValue(0x000000), // black
    ColorValue(0x800000), // blue
    ColorValue(0x008000), // green
    ColorValue(0x808000), // cyan
    ColorValue(0x000080), // red
    ColorValue(0x800080), // magenta
    ColorValue(0x008080), // yellow
    ColorValue(0xC0C0C0), // light grey
    ColorValue(0x808080), // grey
    ColorValue(0xFF0000), // light blue
    ColorValue(0x00FF00), // light green
    ColorValue(0xFFFF00), // light cyan
    ColorValue(0x0000FF), // light red
    ColorValue(0xFF00FF), // light magenta
    ColorValue(0x00FFFF), // light yellow
    ColorValue(0xFFFFFF), // white
};

// The Italian names of the palette's colours, and how any painting colour is told in words.
#pragma once

#include "platform/picture/ColorValue.h"

#include <QString>

// The name of palette cell `index` (0 to 15), as a screen reader says it.
QString paletteColourName(int index);

// A palette colour by its name; any other (a spectrum or dialog colour, or one
// picked up from a drawing) by the nearest palette colour and its red, green
// and blue. System colours are told as they show now.
QString colourDescription(ColorValue color);

// The colour spectrum offered beside the palette cells.
#pragma once

#include <QImage>

// 77 x 117 pixels, 32-bit RGB: hues from red round to red across, from light at
// the top through the full colour to dark at the bottom, with a column of greys
// at the right edge from white to black.
QImage makeSpectrum();

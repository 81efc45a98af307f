// Where the print preview's page and command panel go when the window changes size.
#pragma once

#include <QRect>

// The controls the layout moves, in twips relative to the window's client area.
struct Form8Geometry
{
    QRect picture1; // the preview page
    QRect frame1;   // the command panel
};

// The page takes the window's outer height less 1400 twips (title bar, menu and
// bottom margin), in A4 portrait proportions, keeping its top-left corner; the
// panel stands 50 twips right of it at its own top. A window shorter than 1400
// twips would give the page a negative height: then nothing moves and the
// result is false.
bool layoutForm8(Form8Geometry &g, int windowHeight);

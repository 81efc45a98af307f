// Where the main window's columns go when the window or the sheet changes size.
#pragma once

#include <QRect>
#include <QSize>

// The controls the layout moves, in twips relative to the window's client area.
struct Form1Geometry
{
    QRect picture1;    // the sheet (read only)
    QRect picture2;    // the colour strip above the sheet
    QRect frame1;      // the palette column
    QRect webBrowser1; // the browser pane
    QRect frame2;      // the browser toolbar
    QRect text1;       // the address bar, inside frame2
};

// Left edge of the palette column: 20 twips right of the sheet.
int palette1Left(const QRect &picture1);

// Runs the layout statements in order for a window of `windowTwips` (its outer
// size). Each statement reads what the earlier ones wrote. A statement that would
// give a negative width or height is skipped, as a control refuses such a size,
// and the following ones still run. Tops, heights and the address bar's left edge
// keep their values except the browser pane's height.
void layoutForm1(Form1Geometry &g, const QSize &windowTwips);

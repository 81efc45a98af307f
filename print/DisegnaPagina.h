// Composing the printed page, the same for the preview and the printer.
#pragma once

#include "print/PageGeometry.h"

#include <QImage>
#include <QSizeF>

class QPainter;

// What goes on the page.
struct PageContent
{
    // The copy of the sheet that is painted (a null image paints nothing).
    QImage picture;
    // The sheet's inner size, in any unit: only its proportions are used.
    QSizeF sheetSize;
    // The printed width of the sheet in half centimetres, 1 to 100.
    int zoom = PageGeometry::FirstZoom;
};

// Draws the page on `surface`, whose user coordinates must be inches from the
// paper's top-left corner (the printable area's on a printer): the picture
// stretched to PageGeometry::pictureRect, then the credit line. The credit
// line's font size is 8 points times `ratio` in the device's own points,
// whatever the scale of the inch coordinates, so it is 8 points on paper when
// printing (ratio 1) and in proportion on a preview (the preview ratio); its
// position is the top of the text line. The text takes the surface's pen.
// The painter's state is left as it was found.
void DisegnaPagina(QPainter &surface, double ratio, const PageContent &content);

// The print preview's layout arithmetic, in twips.
#include "print/Form8Layout.h"

#include "platform/controls/Rounding.h"

bool layoutForm8(Form8Geometry &g, int windowHeight)
{
    const int height = windowHeight - 1400;
    if (height < 0)
        return false;
    g.picture1.setHeight(height);
    g.picture1.setWidth(roundHalfToEven(height / 297.0 * 210));
    g.frame1.moveLeft(g.picture1.left() + g.picture1.width() + 50);
    return true;
}

// The main window's layout arithmetic, in twips.
#include "sheet/Form1Layout.h"

namespace {

void setWidth(QRect &r, int width)
{
    if (width >= 0)
        r.setWidth(width);
}

void setHeight(QRect &r, int height)
{
    if (height >= 0)
        r.setHeight(height);
}

} // namespace

int palette1Left(const QRect &picture1)
{
    return picture1.left() + picture1.width() + 20;
}

void layoutForm1(Form1Geometry &g, const QSize &windowTwips)
{
    g.frame1.moveLeft(palette1Left(g.picture1));
    g.picture2.moveLeft(g.picture1.left());
    setWidth(g.picture2, g.picture1.width());
    g.webBrowser1.moveLeft(g.frame1.left() + g.frame1.width() + 20);
    setWidth(g.webBrowser1, windowTwips.width() - g.webBrowser1.left() - 60);
    g.frame2.moveLeft(g.webBrowser1.left());
    setWidth(g.frame2, g.webBrowser1.width());
    setWidth(g.text1, g.frame2.width() - g.text1.left() - 250);
    setHeight(g.webBrowser1, windowTwips.height() - g.webBrowser1.top());
}

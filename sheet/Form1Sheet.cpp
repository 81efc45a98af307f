// Form1: what a click on the sheet does (fill, colour pick-up, pen square).
#include "sheet/Form1.h"

#include "app/Module1.h"
#include "platform/picture/PictureBox.h"
#include "platform/controls/Rounding.h"

#include <QCoreApplication>
#include <QSlider>

void Form1::Picture1_MouseDown(int Button, int, float X, float Y)
{
    const int t = Slider4->value();
    if (Module1::ModoRitocco == 1) {
        DisegnaPenna(X, Y, t);
        return;
    }
    if (Button != 1) {
        // Pick up the colour under the pointer. Off the drawing (on the sheet's
        // border) there is no colour to take, and the painting colour stays.
        if (!Picture1->onImage(X, Y))
            return;
        Picture2->setBackColor(Picture1->point(X, Y));
        Module1::ColoreAttuale = Picture2->backColor();
        return;
    }
    AreaFill(Picture1, roundHalfToEven(X), roundHalfToEven(Y), Picture2->backColor());
    QCoreApplication::processEvents();
}

void Form1::AreaFill(PictureBox *obj, int X, int Y, ColorValue colorCode, std::optional<ColorValue> borderColor)
{
    const int px = roundHalfToEven(obj->scaleX(X, obj->scaleMode(), PictureBox::Pixels));
    const int py = roundHalfToEven(obj->scaleY(Y, obj->scaleMode(), PictureBox::Pixels));
    const int oldFillStyle = obj->fillStyle();
    const ColorValue oldFillColor = obj->fillColor();
    obj->setFillStyle(PictureBox::Solid);
    obj->setFillColor(colorCode);
    if (!borderColor)
        obj->extFloodFill(px, py, obj->point(X, Y), FloodFillType::Surface);
    else
        obj->extFloodFill(px, py, *borderColor, FloodFillType::Border);
    obj->setFillStyle(oldFillStyle);
    obj->setFillColor(oldFillColor);
}

void Form1::DisegnaPenna(float X, float Y, int t)
{
    const int cx = roundHalfToEven(X);
    const int cy = roundHalfToEven(Y);
    for (int i = cx - t; i <= cx + t; ++i)
        for (int j = cy - t; j <= cy + t; ++j)
            Picture1->pset(i, j, ColorValue(0x000000));
}

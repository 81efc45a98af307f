// Rendering SVG files into images with QSvgRenderer.
#include "platform/picture/SvgPicture.h"

#include <QPainter>
#include <QSvgRenderer>

QImage svgPicture(const QString &fileName, const QSize &size)
{
    QSvgRenderer renderer(fileName);
    if (!renderer.isValid() || size.isEmpty())
        return QImage();
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    renderer.render(&painter);
    return image;
}

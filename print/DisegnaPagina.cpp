// The page composition: the sheet centred at the zoomed width and the credit line.
#include "print/DisegnaPagina.h"

#include <QFontMetricsF>
#include <QPainter>

void DisegnaPagina(QPainter &surface, double ratio, const PageContent &content)
{
    // A sheet with no proportions, or no picture, still gets its credit line.
    const std::optional<QRectF> picture = PageGeometry::pictureRect(content.zoom, content.sheetSize);
    if (picture && !content.picture.isNull())
        surface.drawImage(*picture, content.picture);

    // A font size is absolute on its device while the inch coordinates may scale
    // the two axes differently, so the text is set in device coordinates at the
    // point where the inch position lands.
    surface.save();
    const QPointF top = surface.worldTransform().map(QPointF(PageGeometry::CreditLeft, PageGeometry::CreditTop));
    surface.resetTransform();
    QFont font(PageGeometry::CreditFont);
    font.setPointSizeF(PageGeometry::CreditPoints * ratio);
    surface.setFont(font);
    const QFontMetricsF metrics(surface.font(), surface.device());
    surface.drawText(top + QPointF(0, metrics.ascent()), PageGeometry::creditLine());
    surface.restore();
}

// The printed page's arithmetic, in inches.
#include "print/PageGeometry.h"

#include "app/AppInfo.h"
#include "platform/controls/MouseCodes.h"

#include <algorithm>

namespace PageGeometry {

QString creditLine()
{
    return QStringLiteral("Stampato con 'Pintavo freeware' - ") + AppInfo::MakerSite;
}

std::optional<QRectF> pictureRect(int zoom, const QSizeF &sheetSize)
{
    if (!(sheetSize.width() > 0) || sheetSize.height() < 0)
        return std::nullopt;
    const double widthCm = zoom / 2.0;
    const double heightCm = widthCm * sheetSize.height() / sheetSize.width();
    const double width = widthCm / CentimetresPerInch;
    const double height = heightCm / CentimetresPerInch;
    // The fixed A4 size, not the printer's paper, places the picture.
    return QRectF(PageWidth / 2 - width / 2, PageHeight / 2 - height / 2, width, height);
}

double previewRatio(const QSizeF &page, const QSizeF &paper)
{
    const QSizeF p = paper.width() > 0 && paper.height() > 0 ? paper : pageSize();
    const double heightRatio = page.height() / p.height();
    const double widthRatio = page.width() / p.width();
    const double ratio = heightRatio < widthRatio ? heightRatio : widthRatio;
    // The credit line's font size is scaled by the ratio and must stay a size.
    return ratio >= 0.01 ? ratio : 0.01;
}

int zoomAfterClick(int zoom, int button)
{
    if (button == MouseCodes::Left)
        return std::min(zoom + ClickStep, MaxZoom);
    return std::max(zoom - ClickStep, MinZoom);
}

} // namespace PageGeometry

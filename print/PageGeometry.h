// The printed page's arithmetic: page size, where the sheet lands, the zoom and the preview ratio.
#pragma once

#include <QRectF>
#include <QSizeF>
#include <QString>
#include <optional>

namespace PageGeometry {

// The page is a portrait A4 sheet, measured in inches.
inline constexpr double MillimetresPerInch = 25.4;
inline constexpr double CentimetresPerInch = 2.54;
inline constexpr double PageWidth = 210 / MillimetresPerInch;
inline constexpr double PageHeight = 297 / MillimetresPerInch;
inline QSizeF pageSize() { return QSizeF(PageWidth, PageHeight); }

// The zoom is the printed width of the sheet in half centimetres.
inline constexpr int MinZoom = 1;
inline constexpr int MaxZoom = 100;
inline constexpr int FirstZoom = 20;
// One click on the preview page: 5 half centimetres, so 2.5 cm wider or narrower.
inline constexpr int ClickStep = 5;

// The credit line: its line's top-left corner in inches, its font and its size
// in points on paper.
inline constexpr double CreditLeft = 2.4;
inline constexpr double CreditTop = 0.1;
inline constexpr double CreditPoints = 8;
inline const QString CreditFont = QStringLiteral("Arial");
QString creditLine();

// The rectangle, in inches from the page's top-left corner, where the sheet is
// printed: `zoom` / 2 cm wide, as tall as the sheet's proportions give, centred
// on the A4 page (it may reach beyond the page's edges). Only the quotient of
// the sheet's inner height and width counts; nullopt when the sheet has no
// width, as there are then no proportions to print it with.
std::optional<QRectF> pictureRect(int zoom, const QSizeF &sheetSize);

// How long one paper inch is on a preview page `page` inches large: the smaller
// of the two axes' ratios, never below 0.01. A paper of no size (a printer that
// could not tell it) counts as A4.
double previewRatio(const QSizeF &page, const QSizeF &paper);

// The zoom after a mouse button went down on the preview page: exactly the left
// button widens, any other button or combination narrows; kept within 1 to 100.
int zoomAfterClick(int zoom, int button);

} // namespace PageGeometry

// The preview's scale and centring.
#include "chooser/PreviewGeometry.h"

#include "platform/controls/Rounding.h"

QRectF previewGeometry(const QSize &frame, const QSizeF &picture, int tx, int ty)
{
    const auto maxH = qint16(roundHalfToEven(double(frame.height() - PreviewMargin) * ty));
    const auto maxW = qint16(roundHalfToEven(double(frame.width() - PreviewMargin) * tx));
    const float width = float(picture.width());
    const float height = float(picture.height());
    if (width <= 0.0f || height <= 0.0f || maxW <= 0 || maxH <= 0)
        return {};
    const float rw = width / float(maxW);
    const float rh = height / float(maxH);
    const float ratio = rw > rh ? rw : rh;
    const float newHeight = height / ratio;
    const float newWidth = width / ratio;
    const float left = (float(frame.width() * tx) - newWidth) / 2.0f - float(PreviewOffsetLeft);
    const float top = (float(frame.height() * ty) - newHeight) / 2.0f - float(PreviewOffsetTop);
    return QRectF(left, top, newWidth, newHeight);
}

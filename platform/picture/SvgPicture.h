// Pictures drawn as SVG, made into images of the size a control shows them at.
#pragma once

#include <QImage>
#include <QSize>
#include <QString>

// The SVG file (a resource path such as ":/about/emblem.svg" or a file) drawn
// over a transparent background at exactly `size` pixels. A null image when it
// cannot be read.
QImage svgPicture(const QString &fileName, const QSize &size);

// Reading picture files for the sheet, the chooser's preview and drops.
#pragma once

#include <QImage>
#include <QString>
#include <optional>

class QIODevice;

// An empty path gives the empty picture (a null QImage). A file that cannot be
// read as a picture, whatever its name says, gives no value. The format is
// decided from the content, so a BMP named .dib or a GIF named .bmp still loads.
// Pictures beyond the reader's memory limit count as unreadable.
std::optional<QImage> loadPicture(const QString &path);
std::optional<QImage> loadPicture(QIODevice *device);

// Reading picture files for the sheet, the chooser's preview and drops, and saving the sheet.
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

// Writes the picture as a 24-bit Windows bitmap under exactly `path`, whatever its
// extension. The file is written aside and put in place only when complete, so a
// failure (a folder that cannot be written, a full disk, a name that is a folder)
// leaves an earlier file of that name as it was. On failure returns false and,
// when `error` is given, a short reason.
bool savePictureAsBmp(const QImage &picture, const QString &path, QString *error = nullptr);

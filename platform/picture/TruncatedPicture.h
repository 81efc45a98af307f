// Whether a picture file ends before the data its own structure declares.
#pragma once

#include <QByteArray>

class QIODevice;

// Whether the picture on `device` ends before the data it declares: the pixels
// a bitmap's header measures (for a run-length bitmap, the size it gives its
// runs, and the last of the runs themselves), the images an icon's or cursor's
// directory lists, the data of an image of a GIF, or the end marker of a JPEG. `format` is the picture reader's name
// for the content ("bmp", "gif", "jpeg"; icons and cursors have none). Other
// formats answer false: their readers refuse a cut file themselves, or nothing
// in them says where they end. The picture begins at `start` on the device; a
// reader that has already read its header may have moved on, and the device
// is left where it was found.
bool isTruncatedPicture(QIODevice *device, const QByteArray &format, qint64 start);

// Reading picture files for the sheet, the chooser's preview and drops, and saving the sheet.
#pragma once

#include <QImage>
#include <QString>
#include <optional>

class QIODevice;

// The most memory a picture may take on the sheet, at 32 bits a pixel: 128 MB,
// 33554432 pixels (a square of 5792), on every Qt whatever its readers' own limit.
constexpr qint64 MaxPictureBytes = 128 * 1024 * 1024;

// Whether a picture of this size is too large for the sheet: past
// MaxPictureBytes, or wider or taller than 32767 pixels, where Qt's painter
// (whose coordinates are 16.16 fixed-point numbers in places) and X11 windows
// stop working.
bool isTooLargeForTheSheet(const QSize &size);

// Why a picture gave no value.
enum class PictureFailure {
    Unreadable, // not a picture, damaged, or a file that cannot be opened
    TooLarge,   // isTooLargeForTheSheet()
};

// An empty path gives the empty picture (a null QImage). A file that cannot be
// read as a picture, whatever its name says, gives no value. The format is
// decided from the content, so a BMP named .dib or a GIF named .bmp still loads.
// A file that ends before its pixels do (isTruncatedPicture()) is unreadable,
// and pixels that a whole file leaves out are zero. Pictures too large for the
// sheet count as unreadable; `failure`, when given, tells them apart so that a
// user who asked for one can be told why. Their size is judged from the header
// first, before anything reads on through the file.
std::optional<QImage> loadPicture(const QString &path, PictureFailure *failure = nullptr);
std::optional<QImage> loadPicture(QIODevice *device, PictureFailure *failure = nullptr);
// The same for a file named by its native path (see FileAccess.h).
std::optional<QImage> loadNativePicture(const QByteArray &nativePath, PictureFailure *failure = nullptr);

// What the user is told when a picture they asked for (chosen or dropped) is too large.
QString pictureTooLargeMessage();

enum class SaveOutcome {
    Saved,
    NotSaved,           // an earlier file of that name is as it was
    EarlierFileDamaged, // the write over an earlier file broke off half way
};

// Writes the picture as a 24-bit Windows bitmap under exactly `path`, whatever its
// extension. The file is written aside and put in place only when complete, so a
// failure (a folder that cannot be written, a full disk, a name that is a folder,
// an earlier file made read-only) leaves an earlier file of that name as it was.
// A folder that lets no file be made in it may still let its files be written:
// an earlier, writable file there is written over in place, once the disk has
// made room for all of the new bitmap; only a write that breaks off after that
// (a failing disk) damages it.
SaveOutcome savePictureAsBmp(const QImage &picture, const QString &path);

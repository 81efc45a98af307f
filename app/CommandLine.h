// The command line: a picture to start on, --help and --version.
#pragma once

#include <QImage>
#include <QString>
#include <QStringList>
#include <optional>

namespace CommandLine {

enum class Request { Start, Help, Version };

struct Arguments
{
    Request request = Request::Start;
    // The picture to start on, as given; empty for the random drawing of Immagini.
    QString pictureFile;
};

// `arguments` as the process got them, the program's name first. The first
// argument that is not an option names the picture and the later ones are
// ignored, as are options other than --help and --version and empty
// arguments. After "--" every argument is a name, so a file called "--help"
// can still be opened.
Arguments parse(const QStringList &arguments);

// What --help and --version print, in Italian and English.
QString helpText();
QString versionText();

// Answers --help and --version on standard output, before any window system is
// needed, and gives the exit code; no value when the program should start.
std::optional<int> answer(int argc, char *argv[]);

// Opens the picture named on the command line, by the same rules as a picture
// chosen in the chooser. Without a value, `message` tells in Italian why,
// naming the file: it does not exist, cannot be read, is no picture, or is too
// large for the sheet.
std::optional<QImage> openPicture(const QString &path, QString *message);

} // namespace CommandLine

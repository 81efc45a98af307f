// Build tool: the start page's small pictures of the drawings, made at the size the page shows them.
//
//   pintavo_miniature OUTPUT_FOLDER DRAWING...
//
// Each drawing becomes OUTPUT_FOLDER/NAME.png, 100 x 130 pixels as the page
// draws it, so that the page's renderer decodes a few kilobytes
// for each instead of the whole drawing. A drag from the page still hands over
// the drawing itself (see menu.htm).
#include <QDir>
#include <QFileInfo>
#include <QCoreApplication>
#include <QImage>

#include <cstdio>

int main(int argc, char *argv[])
{
    // The GIF reader is a plugin, found through the application's library paths.
    QCoreApplication app(argc, argv);
    if (argc < 3) {
        std::fprintf(stderr, "use: pintavo_miniature OUTPUT_FOLDER DRAWING...\n");
        return 2;
    }
    const QDir out(QString::fromLocal8Bit(argv[1]));
    QDir().mkpath(out.path());
    int failures = 0;
    for (int i = 2; i < argc; ++i) {
        const QString path = QString::fromLocal8Bit(argv[i]);
        const QImage drawing(path);
        const QString target = out.filePath(QFileInfo(path).completeBaseName() + QStringLiteral(".png"));
        if (drawing.isNull()
            || !drawing.convertToFormat(QImage::Format_RGB32)
                    .scaled(100, 130, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                    .save(target, "PNG")) {
            std::fprintf(stderr, "cannot make %s from %s\n", qPrintable(target), qPrintable(path));
            ++failures;
        }
    }
    return failures == 0 ? 0 : 1;
}

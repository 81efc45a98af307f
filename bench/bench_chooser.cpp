// Speed of the chooser's two costly steps: scanning a large folder and previewing a camera-sized JPEG.
#include "chooser/PictureScan.h"
#include "chooser/PreviewGeometry.h"
#include "platform/picture/PictureFile.h"
#include "platform/controls/Twips.h"

#include <QFile>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

constexpr int FolderFiles = 20000;

// 20,000 empty files, one in four with a picture extension, the rest documents.
const QTemporaryDir &bigFolder()
{
    static QTemporaryDir dir;
    static bool made = false;
    if (!made) {
        static const char *const others[] = {".txt", ".png", ".pdf"};
        for (int i = 0; i < FolderFiles; ++i) {
            const QString name = i % 4 == 0 ? QStringLiteral("Disegno %1.jpg").arg(i)
                                            : QStringLiteral("documento %1%2").arg(i).arg(QLatin1String(others[i % 3]));
            QFile file(dir.filePath(name));
            if (!file.open(QIODevice::WriteOnly))
                qFatal("cannot make %s", qPrintable(file.fileName()));
        }
        made = true;
    }
    return dir;
}

// A 4000 x 3000 photo-like JPEG: gradients and shapes, so that it compresses as photos do.
const QString &cameraJpeg()
{
    static QTemporaryDir dir;
    static QString path;
    if (path.isEmpty()) {
        QImage image(4000, 3000, QImage::Format_RGB32);
        for (int y = 0; y < image.height(); ++y) {
            auto *line = reinterpret_cast<QRgb *>(image.scanLine(y));
            for (int x = 0; x < image.width(); ++x)
                line[x] = qRgb((x * 255) / 4000, (y * 255) / 3000, ((x ^ y) * 7) & 0xFF);
        }
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        for (int i = 0; i < 60; ++i) {
            painter.setPen(QPen(QColor::fromHsv((i * 37) % 360, 200, 200), 12));
            painter.drawEllipse(QPoint((i * 613) % 4000, (i * 401) % 3000), 200 + i * 7, 150 + i * 5);
        }
        painter.end();
        path = dir.filePath(QStringLiteral("foto.jpg"));
        image.save(path, "JPEG", 90);
    }
    return path;
}

void scanFolder(benchmark::State &state)
{
    const QString folder = bigFolder().path();
    int count = 0;
    for (auto _ : state) {
        const PictureScan scan = scanPictures(folder);
        count = scan.count;
        benchmark::DoNotOptimize(scan.NomiFoto.size());
    }
    state.counters["pictures"] = count;
    state.counters["files"] = FolderFiles;
}

// What one selection costs: read the file, place it, scale it for the frame.
void previewJpeg(benchmark::State &state)
{
    const QString path = cameraJpeg();
    for (auto _ : state) {
        const auto picture = loadPicture(path);
        const QRectF place = previewGeometry(QSize(261, 273),
                                             QSizeF(Twips::fromPixelsF(picture->width()), Twips::fromPixelsF(picture->height())),
                                             Twips::PerPixel, Twips::PerPixel);
        const QImage shown = picture->scaled(Twips::toPixels(place.width()), Twips::toPixels(place.height()),
                                             Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        benchmark::DoNotOptimize(shown.constBits());
    }
}

// The read alone, without placing and scaling.
void loadJpeg(benchmark::State &state)
{
    const QString path = cameraJpeg();
    for (auto _ : state) {
        const auto picture = loadPicture(path);
        benchmark::DoNotOptimize(picture->constBits());
    }
}

} // namespace

BENCHMARK(scanFolder)->Unit(benchmark::kMillisecond);
BENCHMARK(previewJpeg)->Unit(benchmark::kMillisecond);
BENCHMARK(loadJpeg)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();

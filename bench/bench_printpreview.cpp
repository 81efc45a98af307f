// Time of one print preview redraw (layout, page composition, hand-over to the page
// box) for a 600 x 800 coloured sheet on a 1280 x 1024 screen, at several zooms:
// the slider redraws while its thumb is dragged, so this must stay well under the
// time between two mouse moves.
#include "platform/picture/PictureBox.h"
#include "print/Form8.h"

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QSlider>
#include <benchmark/benchmark.h>

namespace {

// Rings of colour and black outlines, so that scaling has edges to work on.
QImage colouredDrawing(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setPen(QPen(Qt::black, 3));
    for (int i = 0; i < 12; ++i) {
        painter.setBrush(QColor::fromHsv(i * 30, 200, 255));
        painter.drawEllipse(QPoint(width / 2, height / 2), width / 2 - i * 24, height / 2 - i * 32);
    }
    return image;
}

void previewRedraw(benchmark::State &state)
{
    PictureBox sheet;
    sheet.setAutoSize(true);
    sheet.setPicture(colouredDrawing(600, 800));
    Form8 form(&sheet);
    form.show();
    form.showNormal();
    form.resize(1280, 1024);
    QCoreApplication::processEvents();
    form.Slider1->setValue(int(state.range(0)));
    for (auto _ : state)
        form.Form_Resize();
    state.counters["page_pixels"] = double(form.Picture1->picture().width()) * form.Picture1->picture().height();
}

} // namespace

BENCHMARK(previewRedraw)->Arg(1)->Arg(20)->Arg(42)->Arg(100)->Unit(benchmark::kMillisecond);

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

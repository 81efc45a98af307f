// disegni: renders Pintavo's line drawings and checks the results.
//
//   disegni render IN.svg OUT.bmp     draw IN.svg on a white 452 x 589 page and
//                                     keep only pure black and pure white pixels
//   disegni check FILE...             verify finished pictures (BMP or GIF)
//   disegni regions FILE OUT.png      colour each white area, to look for leaks
//
// The program's flood fill replaces one exact colour, 4-connected, so a picture
// must have no grey edge pixels and every area must be closed by black pixels.
//
// "check" fails a picture unless it is a 24-bit BMP or a GIF of 452 x 589
// pixels, every pixel is pure black or pure white, the lines are 2 or 3 pixels
// thick (median of the shorter of each black pixel's horizontal and vertical
// run, with few 1-pixel spots and few solid blobs), it has at least 3 white
// areas of more than 500 pixels, and no area splits in two when all lines are
// thickened by 2 pixels on each side (that finds gaps in outlines and passages
// too narrow to colour). Set DISEGNI_VERBOSE=1 to list where tiny areas are.

#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

constexpr int kWidth = 452;
constexpr int kHeight = 589;
constexpr QRgb kBlack = 0xff000000;
constexpr QRgb kWhite = 0xffffffff;

// Darker than this (0..255 luminance) becomes black, the rest white.
constexpr int kThreshold = 140;

// A white area counts as colourable from this many pixels on.
constexpr int kBigRegion = 500;

// Labels the 4-connected components of the cells where free[i] is true.
// Returns the size of each label; labels[i] is -1 on blocked cells.
std::vector<int> label4(const std::vector<char> &free, int w, int h, std::vector<int> &labels)
{
    labels.assign(free.size(), -1);
    std::vector<int> sizes;
    std::vector<int> stack;
    for (int start = 0; start < w * h; ++start) {
        if (!free[start] || labels[start] >= 0)
            continue;
        const int id = int(sizes.size());
        int count = 0;
        labels[start] = id;
        stack.push_back(start);
        while (!stack.empty()) {
            const int i = stack.back();
            stack.pop_back();
            ++count;
            const int x = i % w, y = i / w;
            const int next[4] = {x > 0 ? i - 1 : -1, x < w - 1 ? i + 1 : -1,
                                 y > 0 ? i - w : -1, y < h - 1 ? i + w : -1};
            for (int n : next) {
                if (n >= 0 && free[n] && labels[n] < 0) {
                    labels[n] = id;
                    stack.push_back(n);
                }
            }
        }
        sizes.push_back(count);
    }
    return sizes;
}

// White spots of a few pixels shut in by ink (where two lines run close
// together) cannot be coloured and would stay as white dots inside the
// outline: they become ink.
constexpr int kPinhole = 20;

void fillPinholes(QImage &img)
{
    const int w = img.width(), h = img.height();
    std::vector<char> paper(size_t(w) * h);
    for (int y = 0; y < h; ++y) {
        const auto *line = reinterpret_cast<const QRgb *>(img.constScanLine(y));
        for (int x = 0; x < w; ++x)
            paper[size_t(y) * w + x] = line[x] == kWhite;
    }
    std::vector<int> labels;
    const std::vector<int> sizes = label4(paper, w, h, labels);
    for (int y = 0; y < h; ++y) {
        auto *line = reinterpret_cast<QRgb *>(img.scanLine(y));
        for (int x = 0; x < w; ++x) {
            const int l = labels[size_t(y) * w + x];
            if (l >= 0 && sizes[l] < kPinhole)
                line[x] = kBlack;
        }
    }
}

int render(const QString &in, const QString &out)
{
    QSvgRenderer svg(in);
    if (!svg.isValid()) {
        std::fprintf(stderr, "%s: not a valid SVG\n", qPrintable(in));
        return 1;
    }

    QImage img(kWidth, kHeight, QImage::Format_RGB32);
    img.fill(Qt::white);
    {
        QPainter p(&img);
        p.setRenderHint(QPainter::Antialiasing, true);
        p.setRenderHint(QPainter::SmoothPixmapTransform, true);
        svg.render(&p, QRectF(0, 0, kWidth, kHeight));
    }

    for (int y = 0; y < kHeight; ++y) {
        auto *line = reinterpret_cast<QRgb *>(img.scanLine(y));
        for (int x = 0; x < kWidth; ++x)
            line[x] = qGray(line[x]) < kThreshold ? kBlack : kWhite;
    }

    fillPinholes(img);

    if (!img.save(out, "BMP")) {
        std::fprintf(stderr, "%s: cannot write\n", qPrintable(out));
        return 1;
    }
    return 0;
}

QString fileKind(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return QStringLiteral("unreadable");
    const QByteArray head = f.read(32);
    if (head.startsWith("GIF87a") || head.startsWith("GIF89a"))
        return QStringLiteral("GIF");
    if (head.startsWith("BM") && head.size() >= 30) {
        const int bits = uchar(head[28]) | (uchar(head[29]) << 8);
        return QStringLiteral("BMP%1").arg(bits);
    }
    return QStringLiteral("other");
}

struct Report {
    bool ok = true;
    QStringList problems;
    int regionsBig = 0;
    int regionsSmall = 0;   // closed areas under kBigRegion pixels
    int tiny = 0;           // areas under 30 pixels: hard to hit with a click
    int narrow = 0;         // areas that fall apart when the lines get 2 px thicker
    QStringList narrowAt;   // where the second piece of such an area starts
    QStringList tinyAt;     // where each tiny area starts
    int medianThickness = 0;
    double thinShare = 0;   // black pixels whose thinnest run is 1 pixel
    double blobShare = 0;   // black pixels inside runs of 6 or more both ways
    double inkShare = 0;
};

void fail(Report &r, const QString &why)
{
    r.ok = false;
    r.problems << why;
}

Report check(const QString &path)
{
    Report r;
    const QString kind = fileKind(path);
    if (kind != QLatin1String("BMP1") && kind != QLatin1String("BMP24") && kind != QLatin1String("GIF"))
        fail(r, QStringLiteral("file type %1, wanted a 1-bit or 24-bit BMP or a GIF").arg(kind));

    QImage img(path);
    if (img.isNull()) {
        fail(r, QStringLiteral("cannot load"));
        return r;
    }
    if (img.width() != kWidth || img.height() != kHeight)
        fail(r, QStringLiteral("size %1 x %2").arg(img.width()).arg(img.height()));
    img = img.convertToFormat(QImage::Format_ARGB32);
    const int w = img.width(), h = img.height();

    std::vector<char> ink(size_t(w) * h, 0);
    int other = 0, black = 0;
    for (int y = 0; y < h; ++y) {
        const auto *line = reinterpret_cast<const QRgb *>(img.constScanLine(y));
        for (int x = 0; x < w; ++x) {
            if (line[x] == kBlack) {
                ink[size_t(y) * w + x] = 1;
                ++black;
            } else if (line[x] != kWhite) {
                ++other;
            }
        }
    }
    if (other)
        fail(r, QStringLiteral("%1 pixels neither pure black nor pure white").arg(other));
    r.inkShare = double(black) / (w * h);

    // Line thickness: for each black pixel, the shorter of its horizontal and
    // vertical black run.
    std::vector<int> hrun(ink.size(), 0), vrun(ink.size(), 0);
    for (int y = 0; y < h; ++y) {
        int x = 0;
        while (x < w) {
            if (!ink[y * w + x]) { ++x; continue; }
            int e = x;
            while (e < w && ink[y * w + e]) ++e;
            for (int k = x; k < e; ++k) hrun[y * w + k] = e - x;
            x = e;
        }
    }
    for (int x = 0; x < w; ++x) {
        int y = 0;
        while (y < h) {
            if (!ink[y * w + x]) { ++y; continue; }
            int e = y;
            while (e < h && ink[e * w + x]) ++e;
            for (int k = y; k < e; ++k) vrun[k * w + x] = e - y;
            y = e;
        }
    }
    std::vector<int> thick;
    thick.reserve(black);
    int thin = 0, blob = 0;
    for (size_t i = 0; i < ink.size(); ++i) {
        if (!ink[i]) continue;
        const int t = std::min(hrun[i], vrun[i]);
        thick.push_back(t);
        if (t <= 1) ++thin;
        if (t >= 6) ++blob;
    }
    if (!thick.empty()) {
        std::nth_element(thick.begin(), thick.begin() + thick.size() / 2, thick.end());
        r.medianThickness = thick[thick.size() / 2];
        r.thinShare = double(thin) / black;
        r.blobShare = double(blob) / black;
    }
    if (r.medianThickness < 2 || r.medianThickness > 3)
        fail(r, QStringLiteral("median line thickness %1 px").arg(r.medianThickness));
    if (r.thinShare > 0.02)
        fail(r, QStringLiteral("%1% of the ink is 1 px thin").arg(r.thinShare * 100, 0, 'f', 1));
    if (r.blobShare > 0.15)
        fail(r, QStringLiteral("%1% of the ink is in thick blobs").arg(r.blobShare * 100, 0, 'f', 1));

    // White areas, 4-connected as the program's flood fill sees them.
    std::vector<char> paper(ink.size());
    for (size_t i = 0; i < ink.size(); ++i) paper[i] = !ink[i];
    std::vector<int> labels;
    const std::vector<int> sizes = label4(paper, w, h, labels);
    std::vector<char> tinySeen(sizes.size(), 0);
    for (size_t i = 0; i < labels.size(); ++i) {
        const int l = labels[i];
        if (l < 0 || tinySeen[l]) continue;
        tinySeen[l] = 1;
        if (sizes[l] > kBigRegion) ++r.regionsBig;
        else ++r.regionsSmall;
        if (sizes[l] < 30) {
            ++r.tiny;
            r.tinyAt << QStringLiteral("%1,%2").arg(int(i) % w).arg(int(i) / w);
        }
    }
    if (r.regionsBig < 3)
        fail(r, QStringLiteral("only %1 white areas over %2 px").arg(r.regionsBig).arg(kBigRegion));

    // Gaps and necks: thicken the lines by 2 px on every side. An area that
    // then falls into two good-sized pieces was joined through an opening of
    // at most 4 px, which is either a gap in an outline or a passage too
    // narrow to colour.
    std::vector<char> core(ink.size(), 0);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            bool clear = true;
            for (int dy = -2; dy <= 2 && clear; ++dy)
                for (int dx = -2; dx <= 2 && clear; ++dx) {
                    const int xx = x + dx, yy = y + dy;
                    if (xx >= 0 && xx < w && yy >= 0 && yy < h && ink[yy * w + xx]) clear = false;
                }
            core[y * w + x] = clear;
        }
    }
    std::vector<int> coreLabels;
    const std::vector<int> coreSizes = label4(core, w, h, coreLabels);
    std::vector<int> piecesPerRegion(sizes.size(), 0);
    std::vector<char> seen(coreSizes.size(), 0);
    for (size_t i = 0; i < core.size(); ++i) {
        const int c = coreLabels[i];
        if (c < 0 || seen[c]) continue;
        seen[c] = 1;
        if (coreSizes[c] >= 150 && ++piecesPerRegion[labels[i]] > 1)
            r.narrowAt << QStringLiteral("%1,%2").arg(i % w).arg(i / w);
    }
    for (int n : piecesPerRegion)
        if (n > 1) r.narrow += n - 1;
    if (r.narrow)
        fail(r, QStringLiteral("%1 narrow opening(s) or gap(s) of 4 px or less, near %2")
                    .arg(r.narrow)
                    .arg(r.narrowAt.join(QLatin1Char(' '))));
    return r;
}

int checkAll(const QStringList &files)
{
    const bool verbose = !qEnvironmentVariableIsEmpty("DISEGNI_VERBOSE");
    int bad = 0;
    std::printf("%-24s %-6s %7s %6s %6s %6s %6s %6s %6s %6s  %s\n", "file", "type", "areas", "small",
                "tiny", "narrow", "line", "thin%", "blob%", "ink%", "result");
    for (const QString &f : files) {
        const Report r = check(f);
        std::printf("%-24s %-6s %7d %6d %6d %6d %6d %6.2f %6.2f %6.1f  %s\n",
                    qPrintable(QFileInfo(f).fileName()), qPrintable(fileKind(f)), r.regionsBig,
                    r.regionsSmall, r.tiny, r.narrow, r.medianThickness, r.thinShare * 100,
                    r.blobShare * 100, r.inkShare * 100,
                    r.ok ? "ok" : qPrintable(QStringLiteral("FAIL: ") + r.problems.join(QStringLiteral("; "))));
        if (!r.ok) ++bad;
        if (verbose && !r.tinyAt.isEmpty())
            std::printf("    tiny areas at %s\n", qPrintable(r.tinyAt.join(QLatin1Char(' '))));
    }
    std::printf("%lld picture(s) checked, %d failed\n", qlonglong(files.size()), bad);
    return bad ? 1 : 0;
}

int regions(const QString &in, const QString &out)
{
    QImage img(in);
    if (img.isNull()) return 1;
    img = img.convertToFormat(QImage::Format_RGB32);
    const int w = img.width(), h = img.height();
    std::vector<char> paper(size_t(w) * h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            paper[y * w + x] = img.pixel(x, y) != kBlack;
    std::vector<int> labels;
    const std::vector<int> sizes = label4(paper, w, h, labels);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const int l = labels[y * w + x];
            if (l < 0) continue;
            const unsigned k = unsigned(l) * 2654435761u;
            QColor c = QColor::fromHsv(int(k % 360), sizes[l] > kBigRegion ? 120 : 255,
                                       sizes[l] > kBigRegion ? 250 : 200);
            img.setPixel(x, y, c.rgb());
        }
    return img.save(out, "PNG") ? 0 : 1;
}

int usage()
{
    std::fprintf(stderr, "usage: disegni render IN.svg OUT.bmp\n"
                         "       disegni check FILE...\n"
                         "       disegni regions FILE OUT.png\n");
    return 2;
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    if (args.isEmpty()) return usage();
    const QString cmd = args.first();
    if (cmd == QLatin1String("render") && args.size() == 3) return render(args[1], args[2]);
    if (cmd == QLatin1String("check") && args.size() >= 2) return checkAll(args.mid(1));
    if (cmd == QLatin1String("regions") && args.size() == 3) return regions(args[1], args[2]);
    return usage();
}

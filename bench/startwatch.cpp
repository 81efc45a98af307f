// Starts a program and watches its window from the X server: when it maps and how its pixels change.
//
//   bench_startwatch [--left PX] [--seconds S] [--still S] [--dump DIR] -- PROGRAM [ARGS...]
//
// The program's window is the managed top-level window whose _NET_WM_PID is the
// child's. From the moment it is viewable its client area is read every few
// milliseconds and split at --left pixels: the left part (sheet and palette) and
// the right part (the web pane). Each read is one line "frame T LEFTHASH
// RIGHTHASH HEADER", T in seconds from exec, HEADER 1 when the right part shows
// the start page's coral header. The watch ends after --seconds, or once both
// parts have been still for --still seconds after the first frame with a
// header (or after any frame, with --no-header). Then it prints "done PID" and
// leaves the program running, for the caller to measure and end it.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

double now()
{
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return double(ts.tv_sec) + double(ts.tv_nsec) / 1e9;
}

// Windows come and go under the watch (the program may recreate its own); a
// request on a vanished window is simply a miss.
int ignoreErrors(Display *, XErrorEvent *)
{
    return 0;
}

std::vector<unsigned long> longProperty(Display *dpy, Window w, Atom property)
{
    Atom type = None;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char *data = nullptr;
    std::vector<unsigned long> values;
    if (XGetWindowProperty(dpy, w, property, 0, 4096, False, AnyPropertyType, &type, &format, &count, &after, &data)
            == Success
        && data && format == 32) {
        const auto *longs = reinterpret_cast<const unsigned long *>(data);
        values.assign(longs, longs + count);
    }
    if (data)
        XFree(data);
    return values;
}

Window programWindow(Display *dpy, pid_t pid, Atom clientList, Atom wmPid)
{
    for (unsigned long w : longProperty(dpy, DefaultRootWindow(dpy), clientList)) {
        const auto pids = longProperty(dpy, Window(w), wmPid);
        if (pids.empty() || pid_t(pids[0]) != pid)
            continue;
        XWindowAttributes a{};
        if (XGetWindowAttributes(dpy, Window(w), &a) && a.map_state == IsViewable)
            return Window(w);
    }
    return None;
}

struct Frame
{
    uint64_t left = 0;
    uint64_t right = 0;
    bool header = false;
};

// FNV-1a over the pixels of a rectangle of the image.
uint64_t hashPart(XImage *image, int x0, int x1)
{
    uint64_t h = 1469598103934665603ull;
    for (int y = 0; y < image->height; ++y) {
        const auto *row = reinterpret_cast<const uint32_t *>(image->data + size_t(y) * size_t(image->bytes_per_line));
        for (int x = x0; x < x1; ++x) {
            h ^= row[x] & 0xFFFFFFu;
            h *= 1099511628211ull;
        }
    }
    return h;
}

bool close(int a, int b)
{
    return std::abs(a - b) <= 12;
}

// The start page's header begins in coral, #ff6b6b.
bool hasHeader(XImage *image, int x0)
{
    for (int y = 0; y < image->height; y += 2) {
        const auto *row = reinterpret_cast<const uint32_t *>(image->data + size_t(y) * size_t(image->bytes_per_line));
        for (int x = x0; x < image->width; x += 2) {
            const uint32_t p = row[x];
            if (close(int(p >> 16 & 0xFF), 0xFF) && close(int(p >> 8 & 0xFF), 0x6B) && close(int(p & 0xFF), 0x6B))
                return true;
        }
    }
    return false;
}

// With --dump DIR, every new look of the window is written there as a PPM
// picture named after its time, to see what changed.
void dump(XImage *image, const std::string &folder, double t)
{
    char name[64];
    std::snprintf(name, sizeof name, "/%08.4f.ppm", t);
    FILE *f = std::fopen((folder + name).c_str(), "wb");
    if (!f)
        return;
    std::fprintf(f, "P6\n%d %d\n255\n", image->width, image->height);
    for (int y = 0; y < image->height; ++y) {
        const auto *row = reinterpret_cast<const uint32_t *>(image->data + size_t(y) * size_t(image->bytes_per_line));
        for (int x = 0; x < image->width; ++x) {
            const unsigned char rgb[3] = {(unsigned char)(row[x] >> 16), (unsigned char)(row[x] >> 8),
                                          (unsigned char)row[x]};
            std::fwrite(rgb, 1, 3, f);
        }
    }
    std::fclose(f);
}

bool readFrame(Display *dpy, Window w, int split, Frame &frame, const Frame &last, const std::string &dumpFolder,
               double t)
{
    XWindowAttributes a{};
    if (!XGetWindowAttributes(dpy, w, &a) || a.map_state != IsViewable)
        return false;
    XImage *image = XGetImage(dpy, w, 0, 0, unsigned(a.width), unsigned(a.height), AllPlanes, ZPixmap);
    if (!image)
        return false;
    bool ok = image->bits_per_pixel == 32;
    if (ok) {
        const int cut = std::min(split, image->width);
        frame.left = hashPart(image, 0, cut);
        frame.right = hashPart(image, cut, image->width);
        frame.header = hasHeader(image, cut);
        if (!dumpFolder.empty() && (frame.left != last.left || frame.right != last.right))
            dump(image, dumpFolder, t);
    }
    XDestroyImage(image);
    return ok;
}

} // namespace

int main(int argc, char *argv[])
{
    int split = 565;
    double seconds = 10.0;
    double still = 1.5;
    bool needHeader = true;
    std::string dumpFolder;
    int i = 1;
    for (; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--") {
            ++i;
            break;
        }
        if (arg == "--left" && i + 1 < argc)
            split = std::atoi(argv[++i]);
        else if (arg == "--seconds" && i + 1 < argc)
            seconds = std::atof(argv[++i]);
        else if (arg == "--still" && i + 1 < argc)
            still = std::atof(argv[++i]);
        else if (arg == "--dump" && i + 1 < argc)
            dumpFolder = argv[++i];
        else if (arg == "--no-header")
            needHeader = false;
        else {
            std::fprintf(stderr, "unknown option %s\n", arg.c_str());
            return 2;
        }
    }
    if (i >= argc) {
        std::fprintf(stderr, "use: bench_startwatch [--left PX] [--seconds S] [--still S] [--no-header] [--dump DIR] -- PROGRAM [ARGS...]\n");
        return 2;
    }

    setvbuf(stdout, nullptr, _IOLBF, 0);
    Display *dpy = XOpenDisplay(nullptr);
    if (!dpy) {
        std::fprintf(stderr, "no X display\n");
        return 1;
    }
    XSetErrorHandler(ignoreErrors);
    const Atom clientList = XInternAtom(dpy, "_NET_CLIENT_LIST", False);
    const Atom wmPid = XInternAtom(dpy, "_NET_WM_PID", False);

    const double start = now();
    const pid_t child = fork();
    if (child == 0) {
        setpgid(0, 0);
        execvp(argv[i], argv + i);
        std::fprintf(stderr, "cannot start %s: %s\n", argv[i], std::strerror(errno));
        _exit(127);
    }
    if (child < 0)
        return 1;
    std::printf("pid %d\n", int(child));

    bool mapped = false;
    Window shown = None;
    Frame last;
    double lastChange = 0;
    double firstHeader = -1;
    while (now() - start < seconds) {
        if (waitpid(child, nullptr, WNOHANG) == child) {
            std::printf("ended %.4f\n", now() - start);
            return 1;
        }
        const Window w = programWindow(dpy, child, clientList, wmPid);
        Frame frame;
        const double t = now() - start;
        if (w != None && readFrame(dpy, w, split, frame, last, dumpFolder, t)) {
            if (!mapped) {
                std::printf("mapped %.4f\n", t);
                mapped = true;
            }
            if (w != shown) {
                // A window made anew (for OpenGL, say) is mapped again: worth seeing.
                std::printf("window %.4f %lx\n", t, (unsigned long)w);
                shown = w;
            }
            std::printf("frame %.4f %016llx %016llx %d\n", t, (unsigned long long)frame.left,
                        (unsigned long long)frame.right, frame.header ? 1 : 0);
            if (frame.left != last.left || frame.right != last.right || lastChange == 0)
                lastChange = t;
            if (frame.header && firstHeader < 0)
                firstHeader = t;
            last = frame;
            const bool ready = needHeader ? firstHeader >= 0 : true;
            if (ready && t - lastChange >= still)
                break;
            usleep(15000);
        } else {
            usleep(mapped ? 15000 : 5000);
        }
    }
    std::printf("done %d\n", int(child));
    std::fflush(stdout);
    // The caller measures the program and ends its process group; the watch
    // reaps it so that no zombie is left.
    waitpid(child, nullptr, 0);
    XCloseDisplay(dpy);
    return 0;
}

// The window manager's view of a frozen program, and clipboard owners to freeze it with.
//
//   bench_freezewatch ping WINDOW SECONDS  sends _NET_WM_PING to WINDOW every 100 ms and
//                                          prints each wait over 0.2 s, then the total
//   bench_freezewatch silent               holds the clipboard and never answers
//   bench_freezewatch offer TEXT           holds the clipboard and answers with TEXT
//
// The owners print "owner" once they hold the clipboard, then one line per question
// asked ("question N at T s: TARGET").
#include <X11/Xatom.h>
#include <X11/Xlib.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <sys/select.h>

namespace {

double now()
{
    timespec t{};
    clock_gettime(CLOCK_MONOTONIC, &t);
    return double(t.tv_sec) + double(t.tv_nsec) / 1e9;
}

int own(Display *display, const char *text)
{
    const Window window = XCreateSimpleWindow(display, DefaultRootWindow(display), 0, 0, 1, 1, 0, 0, 0);
    const Atom clipboard = XInternAtom(display, "CLIPBOARD", False);
    const Atom utf8 = XInternAtom(display, "UTF8_STRING", False);
    const Atom targets = XInternAtom(display, "TARGETS", False);
    XSetSelectionOwner(display, clipboard, window, CurrentTime);
    if (XGetSelectionOwner(display, clipboard) != window)
        return 1;
    std::printf("owner\n");
    std::fflush(stdout);
    const double start = now();
    for (int asked = 1;; ++asked) {
        XEvent event;
        XNextEvent(display, &event);
        if (event.type != SelectionRequest)
            continue;
        const XSelectionRequestEvent &request = event.xselectionrequest;
        char *name = XGetAtomName(display, request.target);
        std::printf("question %d at %.2f s: %s\n", asked, now() - start, name);
        std::fflush(stdout);
        XFree(name);
        if (!text)
            continue;
        XEvent answer{};
        answer.xselection = {SelectionNotify, 0, False, display, request.requestor, request.selection,
                             request.target, request.property, request.time};
        if (request.target == targets) {
            Atom offered[] = {targets, utf8};
            XChangeProperty(display, request.requestor, request.property, XA_ATOM, 32, PropModeReplace,
                            reinterpret_cast<unsigned char *>(offered), 2);
        } else if (request.target == utf8) {
            XChangeProperty(display, request.requestor, request.property, utf8, 8, PropModeReplace,
                            reinterpret_cast<const unsigned char *>(text), int(std::strlen(text)));
        } else {
            answer.xselection.property = None;
        }
        XSendEvent(display, request.requestor, False, NoEventMask, &answer);
        XFlush(display);
    }
}

// The answer comes to the root window, where the window manager listens.
int ping(Display *display, Window window, double seconds)
{
    const Window root = DefaultRootWindow(display);
    const Atom protocols = XInternAtom(display, "WM_PROTOCOLS", False);
    const Atom pingAtom = XInternAtom(display, "_NET_WM_PING", False);
    XSelectInput(display, root, SubstructureNotifyMask | StructureNotifyMask);
    const double start = now();
    double total = 0;
    double longest = 0;
    for (long sent = 1; now() - start < seconds; ++sent) {
        XEvent event{};
        event.xclient.type = ClientMessage;
        event.xclient.window = window;
        event.xclient.message_type = protocols;
        event.xclient.format = 32;
        event.xclient.data.l[0] = long(pingAtom);
        event.xclient.data.l[1] = sent;
        event.xclient.data.l[2] = long(window);
        XSendEvent(display, window, False, NoEventMask, &event);
        XFlush(display);
        const double at = now();
        for (bool answered = false; !answered;) {
            while (!answered && XPending(display)) {
                XEvent reply;
                XNextEvent(display, &reply);
                answered = reply.type == ClientMessage && Atom(reply.xclient.data.l[0]) == pingAtom
                    && reply.xclient.data.l[1] == sent;
            }
            fd_set ready;
            FD_ZERO(&ready);
            FD_SET(ConnectionNumber(display), &ready);
            timeval wait{0, 20000};
            if (!answered)
                select(ConnectionNumber(display) + 1, &ready, nullptr, nullptr, &wait);
        }
        const double waited = now() - at;
        if (waited > 0.2) {
            total += waited;
            std::printf("unanswered %.2f s from %.2f s\n", waited, at - start);
        }
        longest = waited > longest ? waited : longest;
        const timespec pause{0, 100000000};
        nanosleep(&pause, nullptr);
    }
    std::printf("total unanswered %.2f s, longest %.2f s\n", total, longest);
    return 0;
}

} // namespace

int main(int argc, char **argv)
{
    Display *display = XOpenDisplay(nullptr);
    if (!display || argc < 2)
        return 2;
    if (!std::strcmp(argv[1], "ping") && argc == 4)
        return ping(display, Window(std::strtoul(argv[2], nullptr, 0)), std::atof(argv[3]));
    if (!std::strcmp(argv[1], "silent"))
        return own(display, nullptr);
    if (!std::strcmp(argv[1], "offer") && argc == 3)
        return own(display, argv[2]);
    return 2;
}

#!/usr/bin/env python3
# Monkey test: a seeded stream of random clicks, drags, keys and resizes over every window of Pintavo under Xvfb.
"""Drives the real program with xdotool and watches that it neither crashes nor hangs.

The program runs on its own Xvfb display with openbox, from a copy of its folder
inside a temporary folder that is also its HOME. As root it runs in a private
mount namespace where every other file system is read-only, so whatever the
monkey renames, deletes or saves through the program's dialogs stays in that
folder, and in a network namespace of its own where only the loopback answers,
so that no click on a link of the start page reaches a real site; without root,
or where such namespaces cannot be made, the test is skipped (exit code 77)
rather than let random clicks loose on real files or the network.

Now and then, and more often as the end of the run nears, the monkey leads the
program to a window it has not met yet (the chooser, the rename input box, the
delete confirmation, a message box, the save, colour and print dialogs, the
print preview, the about box), then goes on at random from there. At the end
it prints the windows it reached; a run of LONG_RUN seconds or more that
missed one, even after ROUND_GRACE seconds more of leading, fails. A lead that
fails prints what the monkey sees; leads failing for long start the program
afresh, and then give up (see RESTART_AFTER, GIVE_UP).

A crash is the program ending by a signal or with a failure code (a sanitizer
report included); a hang is the program's main thread not getting back to
its event loop (waiting in poll) within the time limit. A normal exit ("Fine", "&Esci", the close box) starts the
program again. The seed is printed first: --seed SEED --actions N replays the
same stream of actions.
"""

import argparse
import ctypes
import os
import random
import shutil
import signal
import subprocess
import sys
import tempfile
import time

SKIP = 77
HANG_TIMEOUT = 30.0
START_TIMEOUT = 90.0
# Runs at least this long must reach every window: CTest's shortest run (60 s)
# leaves the monkey some 40 s after the program's start, and leading it to all
# of them takes about 30 s. On a busy machine (slow starts, a random "Fine")
# the time may run out first: such a run goes on leading for at most
# ROUND_GRACE seconds more, and fails only when even that misses one.
LONG_RUN = 60.0
ROUND_GRACE = 150.0
# About what leading the program to one window takes, wait included.
LEAD_SECONDS = 5.0
WINDOW_TIMEOUT = 8.0
# How many times a run says what it sees when leads fail.
MAX_DIAGNOSES = 6
# Leads failing this long in a row start the program afresh, and this long give up;
# so does a program without a main window for NO_MAIN_LIMIT seconds.
RESTART_AFTER = 45.0
GIVE_UP = 100.0
NO_MAIN_LIMIT = 20.0

KEYS = [
    "Return", "Escape", "Tab", "shift+Tab", "space", "Up", "Down", "Left", "Right", "Home", "End",
    "Page_Up", "Page_Down", "BackSpace", "Delete", "F1", "F5", "alt+f", "alt+a", "alt+o", "alt+i",
    "ctrl+a", "ctrl+c", "ctrl+v", "ctrl+z", "a", "z", "1", "9", "minus", "semicolon", "dollar",
    "quotedbl", "apostrophe", "slash", "period", "agrave", "egrave", "shift+F10", "Menu",
    "alt+question", "alt+c",
]
# The palette column with the command buttons, in the main window's own pixels,
# where it stands beside the drawings shipped with the program: uniform clicks
# over the whole window would rarely hit a button.
COMMANDS = (440, 20, 140, 540)
MAIN_TITLE = "Pintavo - "
# What the monkey types into text fields: blanks, quotes, shell characters, accents.
TYPED = "ab z09-_.;$`'\"&|<>*?/\\%àèé"

# Every window of the program, by its title; the delete confirmation is a
# message box too, told apart by what led to it.
WINDOWS = ["main window", "chooser", "rename input box", "delete confirmation", "message box",
           "save dialog", "colour dialog", "print preview", "print dialog", "about box"]
TITLES = {
    "Scelta immagine": "chooser",
    "Rinomina un file di immagine": "rename input box",
    "Pintavo": "message box",
    "Salva come": "save dialog",
    "Seleziona colore": "colour dialog",
    "Pintavo - Anteprima di stampa": "print preview",
    "Stampa": "print dialog",
    "Informazioni su Pintavo": "about box",
}
# Where the monkey clicks to lead the program on, in pixels from the top left of
# a window's inner area: the main window's two menus ("File", "?"); the
# chooser's first entry; and, from the palette column's top left, the buttons
# "Salva Lavoro" and "Anteprima stampa" and the bar that opens the colour dialog.
FILE_MENU = (18, 8)
HELP_MENU = (45, 8)
FIRST_ENTRY = (312, 52)
SAVE_BUTTON = (52, 369)
PREVIEW_BUTTON = (52, 264)
COLOUR_BAR = (90, 121)
# The palette column beside the drawings shipped with the program, where the
# screen cannot be read.
PALETTE = (461, 22)
# The first pixel of the palette's light magenta cell, from the column's top left;
# light red and light yellow stand one cell (24 pixels) either side of it.
MAGENTA_CELL = (29, 51)


def kind_of(title):
    if title in TITLES:
        return TITLES[title]
    return "main window" if title.startswith(MAIN_TITLE) else None


# System calls in which an idle Qt event loop waits (poll, ppoll on x86-64).
WAITING_IN_EVENT_LOOP = {"7", "271"}


def event_loop_waits(pid, timeout):
    """True when the program's main thread is seen waiting for events within `timeout` seconds.

    An answering program spends most of its time in poll(); one that hangs (a
    blocking call, an endless loop) never gets back there. Window-system
    round trips cannot tell this: the X server answers for windows whose
    program has stopped.
    """
    deadline = time.monotonic() + timeout
    while time.monotonic() < deadline:
        try:
            with open("/proc/%d/syscall" % pid) as f:
                if f.read().split(" ", 1)[0].strip() in WAITING_IN_EVENT_LOOP:
                    return True
        except OSError:
            return True  # gone: the exit is looked at by the caller
        time.sleep(0.05)
    return False


def main_thread_state(pid):
    parts = []
    for name in ("syscall", "wchan", "stack"):
        try:
            with open("/proc/%d/%s" % (pid, name)) as f:
                parts.append("%s: %s" % (name, f.read().strip()))
        except OSError:
            pass
    return "\n".join(parts)


def grabs_held(display):
    """Which of the pointer and the keyboard another client holds grabbed (an open
    popup menu holds both): a grab of our own on them is refused as AlreadyGrabbed."""
    try:
        x11 = ctypes.CDLL("libX11.so.6")
    except OSError:
        return ["(libX11 not found: grabs unknown)"]
    x11.XOpenDisplay.restype = ctypes.c_void_p
    x11.XOpenDisplay.argtypes = [ctypes.c_char_p]
    x11.XDefaultRootWindow.restype = ctypes.c_ulong
    x11.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
    x11.XGrabPointer.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_uint, ctypes.c_int,
                                 ctypes.c_int, ctypes.c_ulong, ctypes.c_ulong, ctypes.c_ulong]
    x11.XGrabKeyboard.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_int, ctypes.c_int,
                                  ctypes.c_ulong]
    for name in ("XUngrabPointer", "XUngrabKeyboard"):
        getattr(x11, name).argtypes = [ctypes.c_void_p, ctypes.c_ulong]
    x11.XCloseDisplay.argtypes = [ctypes.c_void_p]
    connection = x11.XOpenDisplay(display.encode())
    if not connection:
        return ["(display %s cannot be opened: grabs unknown)" % display]
    root = x11.XDefaultRootWindow(connection)
    # GrabModeAsync is 1; None and CurrentTime are 0; GrabSuccess 0, AlreadyGrabbed 1.
    answers = {"pointer": x11.XGrabPointer(connection, root, 0, 0, 1, 1, 0, 0, 0),
               "keyboard": x11.XGrabKeyboard(connection, root, 0, 1, 1, 0)}
    x11.XUngrabPointer(connection, 0)
    x11.XUngrabKeyboard(connection, 0)
    x11.XCloseDisplay(connection)
    meaning = {1: "grabbed by another client", 2: "grab refused: invalid time", 3: "grab refused: not viewable",
               4: "frozen by another client's grab"}
    return ["%s %s" % (device, meaning.get(code, "code %d" % code)) for device, code in answers.items() if code]


def processes_in_group(group):
    """The processes of a process group still alive: pid and command name."""
    found = []
    for entry in os.listdir("/proc"):
        if entry.isdigit():
            try:
                with open("/proc/%s/stat" % entry) as f:
                    stat = f.read()
            except OSError:
                continue
            name, fields = stat[stat.index("(") + 1:stat.rindex(")")], stat[stat.rindex(")") + 2:].split()
            if int(fields[2]) == group:
                found.append("%s %s (%s)" % (entry, name, fields[0]))
    return found


def run(command, text=True, **kwargs):
    return subprocess.run(command, stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, text=text, **kwargs)


class Monkey:
    def __init__(self, args):
        self.args = args
        self.rng = random.Random(args.seed)
        self.history = []
        self.actions = 0
        self.starts = 0
        self.program = None
        self.boxes = {}
        self.names = {}
        self.seen = set()
        self.reached = {}
        self.leads = 0
        self.failed_leads = 0
        self.streak = 0
        self.failing_since = None
        self.no_main_since = None
        self.active = None
        self.groups = []
        self.last_diagnosis = None
        self.diagnoses = []

    # --- the display -------------------------------------------------------

    def start_display(self):
        read, write = os.pipe()
        wanted = [":%d" % self.args.display] if self.args.display is not None else []
        self.xvfb = subprocess.Popen(["Xvfb", *wanted, "-displayfd", str(write), "-screen", "0", "1280x1024x24",
                                      "-nolisten", "tcp"],
                                     pass_fds=[write], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        os.close(write)
        number = b""
        while not number.endswith(b"\n"):
            chunk = os.read(read, 16)
            if not chunk:
                raise RuntimeError("Xvfb did not start" + (" on display %s: is it taken?" % wanted[0] if wanted else ""))
            number += chunk
        os.close(read)
        self.display = ":" + number.decode().strip()
        self.env["DISPLAY"] = self.display
        self.wm = subprocess.Popen(["openbox", "--sm-disable"], env=self.env,
                                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        # A window mapped before openbox has taken over the screen may end up
        # unmapped for good (seen on a busy machine: the program waited for ever
        # for its window to be shown). openbox is up once it has published its
        # desktops.
        deadline = time.monotonic() + 20
        while self.xdotool("get_num_desktops").returncode != 0:
            if self.wm.poll() is not None or time.monotonic() > deadline:
                raise RuntimeError("openbox did not start")
            time.sleep(0.1)

    def xdotool(self, *words):
        return run(["xdotool", *words], env=self.env)

    # --- the program -------------------------------------------------------

    def prepare_home(self):
        self.home = tempfile.mkdtemp(prefix="pintavo-monkey-")
        self.folder = os.path.join(self.home, "Pintavo")
        self.furnish_folder()
        # Files and addresses the program hands to the desktop go nowhere.
        stubs = os.path.join(self.home, "bin")
        os.makedirs(stubs)
        for name in ("xdg-open", "gio", "kde-open", "gnome-open", "firefox", "x-www-browser"):
            path = os.path.join(stubs, name)
            with open(path, "w") as f:
                f.write("#!/bin/sh\necho \"$@\" >> \"$HOME/aperti.txt\"\n")
            os.chmod(path, 0o755)
        runtime = os.path.join(self.home, "runtime")
        os.makedirs(runtime, mode=0o700)
        self.env = dict(os.environ)
        for key in ("XDG_CURRENT_DESKTOP", "QT_QPA_PLATFORM", "WAYLAND_DISPLAY"):
            self.env.pop(key, None)
        self.env.update({
            "HOME": self.home, "TMPDIR": self.home, "XDG_RUNTIME_DIR": runtime,
            "XDG_CONFIG_HOME": os.path.join(self.home, ".config"), "XDG_CACHE_HOME": os.path.join(self.home, ".cache"),
            "XDG_DATA_HOME": os.path.join(self.home, ".local/share"), "PATH": stubs + ":" + os.environ.get("PATH", ""),
            "QTWEBENGINE_DISABLE_SANDBOX": "1", "QT_QPA_PLATFORM": "xcb",
        })
        # In the sanitizer build, memory errors end the program with a report
        # (a crash here); leaks are left to the unit tests. At a normal exit the
        # GL driver is unloaded before the leak check, so what it keeps shows
        # up as leaks of an "<unknown module>" that no suppression can name.
        self.env["ASAN_OPTIONS"] = ":".join(filter(None, [os.environ.get("ASAN_OPTIONS"), "detect_leaks=0"]))

    def furnish_folder(self):
        """Copies the program and what it ships beside it to its folder, where any of
        it is missing: the save dialog's own menu can delete or rename what is there."""
        source = os.path.dirname(os.path.abspath(self.args.program))
        os.makedirs(self.folder, exist_ok=True)
        for name in (os.path.basename(self.args.program), "znf.htm"):
            if os.path.isfile(os.path.join(source, name)) and not os.path.exists(os.path.join(self.folder, name)):
                shutil.copy2(os.path.join(source, name), self.folder)
        for name in ("Immagini", "menu"):
            if os.path.isdir(os.path.join(source, name)) and not os.path.isdir(os.path.join(self.folder, name)):
                shutil.copytree(os.path.join(source, name), os.path.join(self.folder, name))

    def sandbox_command(self):
        """The command that runs the program with only its temporary folder writable and
        only the loopback to talk to; or None and the reason why it cannot be made."""
        if os.geteuid() != 0:
            return None, "a private view of the disk and of the network needs root"
        for tool in ("unshare", "ip"):
            if not shutil.which(tool):
                return None, "%s is not installed" % tool
        script = ('ip link set lo up && [ "$(ip -o link show | wc -l)" -eq 1 ] || exit 96\n'
                  'mount --bind "$HOME" "$HOME" || exit 97\n'
                  'awk \'{print $5}\' /proc/self/mountinfo | while read -r m; do\n'
                  '  case "$m" in /proc|/proc/*|/sys|/sys/*|/dev|/dev/*|"$HOME") ;;\n'
                  '    *) mount -o remount,bind,ro "$m" 2>/dev/null ;;\n'
                  '  esac\n'
                  'done\n'
                  'if touch /pintavo-monkey-probe 2>/dev/null; then rm -f /pintavo-monkey-probe; exit 97; fi\n'
                  'exec "$@"\n')
        command = ["unshare", "--mount", "--propagation", "private", "--net", "--", "sh", "-c", script, "sh"]
        probe = subprocess.run(command + ["true"], env=self.env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        if probe.returncode == 96:
            return None, "no network namespace with only the loopback can be made here"
        if probe.returncode != 0:
            return None, "no private read-only view of the disk can be made here"
        return command, None

    def start_program(self):
        self.starts += 1
        self.furnish_folder()
        self.log = open(os.path.join(self.home, "programma-%d.log" % self.starts), "w+")
        self.program = subprocess.Popen(self.sandbox + [os.path.join(self.folder, os.path.basename(self.args.program))],
                                        env=self.env, cwd=self.home, stdout=self.log, stderr=subprocess.STDOUT,
                                        process_group=0)
        self.groups.append(self.program.pid)
        self.started_at = time.monotonic()
        # The X server gives a new client the number, and so the window ids, of
        # one that has gone: the windows of the last start are forgotten, or the
        # new chooser may pass for the old start's message box.
        self.names, self.boxes, self.active = {}, {}, None
        deadline = time.monotonic() + START_TIMEOUT
        while time.monotonic() < deadline:
            if self.program.poll() is not None:
                self.fail("the program ended while starting, code %s" % self.program.returncode)
            if self.windows():
                return
            time.sleep(0.5)
        self.fail("no window appeared in %d s" % START_TIMEOUT)

    def windows(self):
        found = self.xdotool("search", "--onlyvisible", "--pid", str(self.program.pid)).stdout.split()
        return [int(w) for w in found]

    def geometry(self, window):
        """The window's inner area on the screen: x, y, width, height."""
        values = {}
        for line in run(["xwininfo", "-id", str(window)], env=self.env).stdout.splitlines():
            key, _, value = line.strip().partition(":")
            values[key] = value.strip()
        try:
            return (int(values["Absolute upper-left X"]), int(values["Absolute upper-left Y"]),
                    int(values["Width"]), int(values["Height"]))
        except (KeyError, ValueError):
            return None

    def name(self, window):
        """The window's title; none for popup menus and tooltips, which carry the program's
        name ("Pintavo", a message box's title) and stand over windows unmanaged."""
        if window not in self.names:
            answer = self.xdotool("getwindowname", str(window))
            if answer.returncode != 0:
                return ""  # gone already: not remembered, as its id may serve again
            popup = "Override Redirect State: yes" in run(["xwininfo", "-id", str(window)], env=self.env).stdout
            self.names[window] = "" if popup else answer.stdout.strip()
            self.seen.add(self.names[window])
            kind = kind_of(self.names[window])
            if kind is not None and kind not in self.reached:
                self.reached[kind] = self.actions
        return self.names[window]

    # --- what the monkey sees, said when a lead fails ------------------------

    def window_line(self, window):
        info = {}
        for line in run(["xwininfo", "-id", str(window)], env=self.env).stdout.splitlines():
            key, _, value = line.strip().partition(":")
            info[key] = value.strip()
        props = run(["xprop", "-id", str(window), "WM_CLASS", "_NET_WM_PID", "_NET_WM_NAME"], env=self.env).stdout
        props = " ".join(line.split(" = ", 1)[1] for line in props.splitlines() if " = " in line)
        title = self.xdotool("getwindowname", str(window)).stdout.strip()
        popup = info.get("Override Redirect State") == "yes"
        line = "0x%x %r %s%s %sx%s+%s+%s [%s]" % (
            window, title, info.get("Map State", "gone"),
            ", override-redirect" if popup else "",
            info.get("Width"), info.get("Height"), info.get("Absolute upper-left X"),
            info.get("Absolute upper-left Y"), props)
        if self.names.get(window, title) not in (title, "" if popup else title):
            line += "; the monkey takes it for %r" % self.names[window]
        return line

    def diagnosis(self):
        """The program's state, its windows, the others on the screen, and the grabs held."""
        lines = []
        code = self.program.poll()
        state = "running" if code is None else "ended with code %s" % code
        if code is None:
            try:
                with open("/proc/%d/stat" % self.program.pid) as f:
                    state += ", state " + f.read().rsplit(")", 1)[1].split()[0]
            except OSError:
                pass
            state += ", main thread " + main_thread_state(self.program.pid).split("\n", 1)[0]
        lines.append("program: start %d, pid %d, %s" % (self.starts, self.program.pid, state))
        for group in self.groups:
            alive = processes_in_group(group)
            if alive:
                lines.append("processes of start pid %d: %s" % (group, "; ".join(alive)))
        ours = [int(w) for w in self.xdotool("search", "--pid", str(self.program.pid)).stdout.split()]
        details = [self.window_line(w) for w in ours]
        lines.append("its windows (%d), mapped first:" % len(ours))
        lines += ["    " + d for d in sorted(details, key=lambda d: "IsViewable" not in d)]
        others = [int(w) for w in self.xdotool("search", "--onlyvisible", "--name", ".").stdout.split()]
        others = [w for w in others if w not in ours]
        lines.append("other named windows shown (%d):" % len(others))
        lines += ["    " + self.window_line(w) for w in others]
        lines.append("active window: %s; focus: %s; pointer: %s" % (
            self.xdotool("getactivewindow").stdout.strip() or "none",
            self.xdotool("getwindowfocus").stdout.strip() or "none",
            self.xdotool("getmouselocation").stdout.strip()))
        grabs = grabs_held(self.display)
        lines.append("grabs: " + ("; ".join(grabs) if grabs else "none held"))
        return lines

    def explain_failed_lead(self, kind):
        """Says once per streak of failed leads (and again when what it sees changes) why a lead failed."""
        lines = self.diagnosis()
        summary = [line for line in lines if not line.startswith("active window")]
        if (self.streak > 1 and summary == self.last_diagnosis) or len(self.diagnoses) >= MAX_DIAGNOSES:
            return
        self.last_diagnosis = summary
        text = "monkey: the lead to the %s failed (action %d, %d failed in a row); what it sees:\n    %s" % (
            kind, self.actions, self.streak, "\n    ".join(lines))
        self.diagnoses.append(text)
        print(text, flush=True)

    # --- checks --------------------------------------------------------------

    def check_alive(self):
        """Restarts after a normal exit; fails on a crash."""
        code = self.program.poll()
        if code is None:
            return True
        if code == 0:
            self.note("the program ended normally; starting it again")
            self.start_program()
            return False
        reason = ("signal %s" % signal.Signals(-code).name) if code < 0 else ("exit code %d" % code)
        self.fail("the program crashed: " + reason)

    def check_answers(self):
        if not event_loop_waits(self.program.pid, HANG_TIMEOUT):
            if self.program.poll() is not None:
                self.check_alive()
                return
            self.fail("the program did not get back to its event loop within %d s: it hangs\n%s"
                      % (HANG_TIMEOUT, main_thread_state(self.program.pid)))

    def note(self, text):
        self.history.append("%6d  %s" % (self.actions, text))
        del self.history[:-30]

    def fail(self, reason):
        print("FAILED: " + reason)
        print("seed %d, after %d actions (replay: --seed %d --actions %d)" %
              (self.args.seed, self.actions, self.args.seed, self.actions))
        print("last actions:")
        print("\n".join(self.history))
        if self.program is not None and getattr(self, "display", None):
            try:
                print("what the monkey sees now:\n    " + "\n    ".join(self.diagnosis()))
            except (OSError, ValueError) as error:
                print("what the monkey sees now cannot be told: %s" % error)
        if self.program is not None:
            self.log.flush()
            self.log.seek(0)
            tail = self.log.read()[-6000:]
            print("program output (end):\n" + tail)
        self.stop()
        sys.exit(1)

    # --- actions ---------------------------------------------------------------

    def target(self):
        # The window list is read again every few actions, and at once when the
        # window picked last has gone: each look-up costs a round of xdotool.
        if self.actions % 4 == 0 or not self.boxes:
            windows = self.windows()
            self.boxes = {w: self.geometry(w) for w in windows}
            self.boxes = {w: box for w, box in self.boxes.items() if box is not None}
            for w in self.boxes:
                self.name(w)
            active = self.xdotool("getactivewindow").stdout.strip()
            self.active = int(active) if active.isdigit() else None
        if not self.boxes:
            return None, None
        window = self.active if self.active in self.boxes and self.rng.random() < 0.7 \
            else self.rng.choice(sorted(self.boxes))
        return window, self.boxes[window]

    def point(self, box, window=None):
        x, y, w, h = box
        if window is not None and self.names.get(window, "").startswith(MAIN_TITLE) and self.rng.random() < 0.3:
            cx, cy, cw, ch = COMMANDS
            return x + min(cx + self.rng.randrange(cw), w - 1), y + min(cy + self.rng.randrange(ch), h - 1)
        return x + self.rng.randrange(max(w, 1)), y + self.rng.randrange(max(h, 1))

    def act(self):
        window, box = self.target()
        if box is None:
            time.sleep(0.1)
            return
        kind = self.rng.choices(["click", "double", "drag", "key", "type", "resize", "move"],
                                [45, 8, 10, 22, 6, 6, 3])[0]
        if kind in ("click", "double"):
            x, y = self.point(box, window)
            button = self.rng.choices(["1", "3", "2"], [70, 25, 5])[0]
            repeat = "2" if kind == "double" else "1"
            self.note("%s button %s at %d,%d on window %d" % (kind, button, x, y, window))
            self.xdotool("mousemove", str(x), str(y), "click", "--repeat", repeat, button)
        elif kind == "drag":
            (x1, y1), (x2, y2) = self.point(box), self.point(box)
            button = self.rng.choice(["1", "1", "3"])
            self.note("drag button %s from %d,%d to %d,%d" % (button, x1, y1, x2, y2))
            self.xdotool("mousemove", str(x1), str(y1), "mousedown", button,
                         "mousemove", str((x1 + x2) // 2), str((y1 + y2) // 2),
                         "mousemove", str(x2), str(y2), "mouseup", button)
        elif kind == "key":
            key = self.rng.choice(KEYS)
            self.note("key " + key)
            self.xdotool("key", "--clearmodifiers", key)
        elif kind == "type":
            text = "".join(self.rng.choice(TYPED) for _ in range(self.rng.randint(1, 12)))
            self.note("type %r" % text)
            self.xdotool("type", "--delay", "5", text)
        elif kind == "resize":
            w, h = self.rng.randint(1, 1280), self.rng.randint(1, 1024)
            self.note("resize window %d to %dx%d" % (window, w, h))
            self.xdotool("windowsize", str(window), str(w), str(h))
            self.boxes = {}
        else:
            x, y = self.rng.randint(-200, 1200), self.rng.randint(-100, 900)
            self.note("move window %d to %d,%d" % (window, x, y))
            self.xdotool("windowmove", str(window), str(x), str(y))
            self.boxes = {}

    # --- leading the program to a window ------------------------------------------

    def find(self, kind):
        for w in self.windows():
            if kind_of(self.name(w)) == kind:
                return w
        return None

    def wait_for(self, kind):
        deadline = time.monotonic() + WINDOW_TIMEOUT
        while time.monotonic() < deadline:
            window = self.find(kind)
            if window is not None:
                return window
            if self.program.poll() is not None:
                return None
            time.sleep(0.2)
        return None

    def click(self, corner, offset, button="1"):
        self.xdotool("mousemove", str(corner[0] + offset[0]), str(corner[1] + offset[1]), "click", button)

    def click_in(self, window, offset, button="1"):
        box = self.geometry(window)
        if box is not None:
            self.click(box, offset, button)
        return box is not None

    def choose(self, window, menu, key):
        if self.click_in(window, menu):
            time.sleep(0.4)
            self.xdotool("key", key)

    def to_main_window(self):
        """Closes what stands over the main window; its id, or None when that fails."""
        for _ in range(8):
            windows = self.windows()
            main = [w for w in windows if kind_of(self.name(w)) == "main window"]
            if not main:
                return None
            # An open popup menu, nameless, takes the next click to close it.
            above = [w for w in windows if w not in main]
            if not above:
                # Back on the screen at its full size, if the monkey moved it away or shrank it.
                box = self.geometry(main[0])
                if box is None or box[0] < 0 or box[1] < 0 or box[2] < 900 or box[3] < 700:
                    self.xdotool("windowmove", str(main[0]), "0", "0", "windowsize", str(main[0]), "1280", "1000")
                    time.sleep(1.0)
                self.xdotool("windowactivate", str(main[0]))
                time.sleep(0.3)
                return main[0]
            active = self.xdotool("getactivewindow").stdout.strip()
            window = int(active) if active.isdigit() and int(active) in above else above[-1]
            self.xdotool("windowactivate", str(window))
            time.sleep(0.2)
            # The print preview closes with "&Chiudi"; everything else with Escape.
            self.xdotool("key", "--clearmodifiers", "alt+c" if kind_of(self.name(window)) == "print preview" else "Escape")
            time.sleep(0.4)
        return None

    def palette(self, main):
        """The palette column's top left on the screen, read from the screen where it can be."""
        box = self.geometry(main)
        if box is None:
            return None
        if not shutil.which("import"):
            return box[0] + PALETTE[0], box[1] + PALETTE[1]
        screen = run(["import", "-window", "root", "-depth", "8", "rgb:-"], env=self.env, text=False).stdout
        width = 1280
        magenta, red, yellow = b"\xff\x00\xff", b"\xff\x00\x00", b"\xff\xff\x00"
        for y in range(max(box[1], 0), min(box[1] + box[3], len(screen) // (3 * width))):
            row = screen[y * width * 3:(y + 1) * width * 3]
            at = row.find(magenta * 6)
            while at >= 0:
                x = at // 3
                if at % 3 == 0 and row[(x + 24) * 3:(x + 25) * 3] == yellow and row[(x - 24) * 3:(x - 23) * 3] == red:
                    return x - MAGENTA_CELL[0], y - MAGENTA_CELL[1]
                at = row.find(magenta * 6, at + 1)
        return None

    def refill_drawings(self):
        """Puts the shipped drawings back when the monkey has deleted most of them."""
        self.furnish_folder()
        drawings = os.path.join(self.folder, "Immagini")
        source = os.path.join(os.path.dirname(os.path.abspath(self.args.program)), "Immagini")
        if os.path.isdir(source) and len(os.listdir(drawings)) < 3:
            for name in os.listdir(source):
                shutil.copy2(os.path.join(source, name), drawings)

    def lead_to(self, kind):
        main = self.to_main_window()
        if main is None:
            time.sleep(0.5)  # the program is ending or starting again
            return False
        if kind == "main window":
            return True
        if kind in ("chooser", "rename input box", "delete confirmation"):
            self.refill_drawings()
            self.choose(main, FILE_MENU, "a")
            chooser = self.wait_for("chooser")
            if chooser is None or kind == "chooser":
                return chooser is not None
            self.xdotool("windowmove", str(chooser), "100", "100")
            time.sleep(0.3)
            # The first entry is selected, then its popup menu gives the item.
            self.click_in(chooser, FIRST_ENTRY)
            self.click_in(chooser, FIRST_ENTRY, "3")
            time.sleep(0.4)
            self.xdotool("key", "r" if kind == "rename input box" else "c")
            if kind == "rename input box":
                return self.wait_for(kind) is not None
            if self.wait_for("message box") is None:
                return False
            self.reached.setdefault("delete confirmation", self.actions)
            self.xdotool("key", "Escape")
            return True
        if kind in ("message box", "about box"):
            self.choose(main, HELP_MENU, "h" if kind == "message box" else "a")
            return self.wait_for(kind) is not None
        corner = self.palette(main)
        if corner is None:
            return False
        if kind in ("save dialog", "colour dialog"):
            self.click(corner, SAVE_BUTTON if kind == "save dialog" else COLOUR_BAR)
            return self.wait_for(kind) is not None
        self.click(corner, PREVIEW_BUTTON)
        preview = self.wait_for("print preview")
        if preview is None or kind == "print preview":
            return preview is not None
        self.xdotool("key", "--clearmodifiers", "alt+s")
        return self.wait_for(kind) is not None

    def missing(self):
        return [kind for kind in WINDOWS if kind not in self.reached]

    def time_to_lead(self, deadline):
        missing = self.missing()
        if not missing:
            return False
        # Towards the end only leading is left, so that the run meets them all.
        return deadline - time.monotonic() < LEAD_SECONDS * (len(missing) + 1) or self.rng.random() < 0.02

    def lead(self):
        missing = self.missing()
        kind = missing[self.leads % len(missing)]
        self.leads += 1
        self.note("lead the program to the %s" % kind)
        self.boxes = {}
        if self.lead_to(kind) and kind in self.reached:
            self.failed_leads = 0
            self.streak = 0
            self.failing_since = None
            return
        if self.program.poll() is not None:
            return  # ended by the last lead ("Fine", "&Esci"): the loop starts it again
        self.failed_leads += 1
        self.streak += 1
        self.failing_since = self.failing_since or time.monotonic()
        self.explain_failed_lead(kind)
        self.check_answers()
        now = time.monotonic()
        if now - self.failing_since > GIVE_UP:
            self.fail("every lead for %d s (%d in a row, %d program start(s)) failed"
                      % (now - self.failing_since, self.streak, self.starts))
        main = self.to_main_window()
        if main is not None:
            self.no_main_since = None
        else:
            self.no_main_since = self.no_main_since or now
        # A program that shows no main window, or that leads have failed on for
        # long, is stopped and started again rather than led on blindly.
        if now - (self.no_main_since or now) > NO_MAIN_LIMIT or \
                min(now - self.failing_since, now - self.started_at) > RESTART_AFTER:
            self.note("the program has been lost: stopped and started afresh")
            print("monkey: the program has been lost at action %d: stopped and started afresh" % self.actions,
                  flush=True)
            os.killpg(self.program.pid, signal.SIGKILL)
            self.program.wait()
            self.no_main_since = None
            self.start_program()
            return
        # A chooser left in a folder without pictures (whose popup items then do
        # nothing), a sheet so wide that the palette is off the screen: a new
        # start of the program sets them right.
        in_chooser = kind in ("rename input box", "delete confirmation")
        if (in_chooser or self.failed_leads >= 3) and main is not None:
            self.failed_leads = 0
            self.note("end the program to start it afresh")
            self.choose(main, FILE_MENU, "e")

    # --- the run -------------------------------------------------------------

    def stop(self):
        if self.program is not None and self.program.poll() is None:
            os.killpg(self.program.pid, signal.SIGKILL)
            self.program.wait()
        for process in (getattr(self, "wm", None), getattr(self, "xvfb", None)):
            if process is not None and process.poll() is None:
                process.terminate()
                process.wait()
        if not self.args.keep and getattr(self, "home", None):
            shutil.rmtree(self.home, ignore_errors=True)

    def main(self):
        print("monkey seed %d" % self.args.seed, flush=True)
        self.prepare_home()
        self.sandbox, reason = self.sandbox_command()
        if self.sandbox is None:
            print("SKIPPED: %s; random clicks are not let loose on real files or the network" % reason)
            shutil.rmtree(self.home, ignore_errors=True)
            return SKIP
        self.start_display()
        try:
            self.start_program()
            deadline = time.monotonic() + self.args.seconds
            while time.monotonic() < deadline and (self.args.actions is None or self.actions < self.args.actions):
                if not self.check_alive():
                    continue
                if self.time_to_lead(deadline):
                    self.lead()
                else:
                    self.act()
                self.actions += 1
                if self.actions % 25 == 0:
                    self.check_alive()
                    self.check_answers()
                time.sleep(self.args.pause)
            long_run = self.args.seconds >= LONG_RUN and self.args.actions is None
            while long_run and self.missing() and time.monotonic() < deadline + ROUND_GRACE:
                if self.check_alive():
                    self.lead()
                    self.actions += 1
            overtime = max(0.0, time.monotonic() - deadline)
            self.check_alive()
            self.check_answers()
            print("monkey: %d actions (%d of them leading the program to a window) over %d program start(s) "
                  "in %d s%s, seed %d" % (self.actions, self.leads, self.starts, self.args.seconds,
                                         " and %d s more to finish the round of the windows" % overtime
                                         if overtime >= 1 else "", self.args.seed))
            print("monkey: windows reached: " + "; ".join(
                "%s (action %d)" % (kind, self.reached[kind]) for kind in WINDOWS if kind in self.reached))
            print("monkey: every title met: " + "; ".join(sorted(repr(n) for n in self.seen if n)))
            missing = self.missing()
            if missing and long_run:
                self.fail("a run of %d s did not reach: %s" % (self.args.seconds, ", ".join(missing)))
            if missing:
                print("monkey: not reached in this short run: " + ", ".join(missing))
            return 0
        finally:
            self.stop()


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--program", required=True, help="the pintavo executable, with its data folders beside it")
    parser.add_argument("--seconds", type=float, default=150, help="how long to run")
    parser.add_argument("--actions", type=int, default=None, help="stop after this many actions")
    parser.add_argument("--seed", type=int, default=None, help="seed of the random stream (default: from the clock)")
    parser.add_argument("--pause", type=float, default=0.01, help="seconds between actions")
    parser.add_argument("--keep", action="store_true", help="keep the temporary folder")
    parser.add_argument("--display", type=int, default=None, help="X display number to use (default: a free one)")
    args = parser.parse_args()
    if args.seed is None:
        args.seed = int(os.environ.get("PINTAVO_MONKEY_SEED", "0")) or int(time.time() * 1000) % 1000000007
    for tool in ("Xvfb", "openbox", "xdotool", "xwininfo"):
        if not shutil.which(tool):
            print("SKIPPED: %s is not installed" % tool)
            return SKIP
    return Monkey(args).main()


if __name__ == "__main__":
    sys.exit(main())

#!/usr/bin/env python3
# Monkey test: a seeded stream of random clicks, drags, keys and resizes over every window of Pintavo under Xvfb.
"""Drives the real program with xdotool and watches that it neither crashes nor hangs.

The program runs on its own Xvfb display with openbox, from a copy of its folder
inside a temporary folder that is also its HOME. As root it runs in a private
mount namespace where every other file system is read-only, so whatever the
monkey renames, deletes or saves through the program's dialogs stays in that
folder; without root, or where no such namespace can be made, the test is
skipped (exit code 77) rather than let random clicks loose on real files.

A crash is the program ending by a signal or with a failure code (a sanitizer
report included); a hang is the program's main thread not getting back to
its event loop (waiting in poll) within the time limit. A normal exit ("Fine", "&Esci", the close box) starts the
program again. The seed is printed first: --seed SEED --actions N replays the
same stream of actions.
"""

import argparse
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
COMMANDS = (440, 40, 140, 540)
MAIN_TITLE = "Pintavo - "
# What the monkey types into text fields: blanks, quotes, shell characters, accents.
TYPED = "ab z09-_.;$`'\"&|<>*?/\\%àèé"


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


def run(command, **kwargs):
    return subprocess.run(command, stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, text=True, **kwargs)


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
        self.active = None

    # --- the display -------------------------------------------------------

    def start_display(self):
        read, write = os.pipe()
        self.xvfb = subprocess.Popen(["Xvfb", "-displayfd", str(write), "-screen", "0", "1280x1024x24", "-nolisten", "tcp"],
                                     pass_fds=[write], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        os.close(write)
        number = b""
        while not number.endswith(b"\n"):
            chunk = os.read(read, 16)
            if not chunk:
                raise RuntimeError("Xvfb did not start")
            number += chunk
        os.close(read)
        self.display = ":" + number.decode().strip()
        self.env["DISPLAY"] = self.display
        self.wm = subprocess.Popen(["openbox", "--sm-disable"], env=self.env,
                                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)

    def xdotool(self, *words):
        return run(["xdotool", *words], env=self.env)

    # --- the program -------------------------------------------------------

    def prepare_home(self):
        self.home = tempfile.mkdtemp(prefix="pintavo-monkey-")
        self.folder = os.path.join(self.home, "Pintavo")
        source = os.path.dirname(os.path.abspath(self.args.program))
        os.makedirs(self.folder)
        shutil.copy2(self.args.program, self.folder)
        for name in ("Immagini", "menu"):
            if os.path.isdir(os.path.join(source, name)):
                shutil.copytree(os.path.join(source, name), os.path.join(self.folder, name))
        if os.path.exists(os.path.join(source, "znf.htm")):
            shutil.copy2(os.path.join(source, "znf.htm"), self.folder)
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

    def sandbox_command(self):
        """The command that runs the program with only its temporary folder writable."""
        if os.geteuid() != 0:
            return None
        if not shutil.which("unshare"):
            return None
        script = ('mount --bind "$HOME" "$HOME" || exit 97\n'
                  'awk \'{print $5}\' /proc/self/mountinfo | while read -r m; do\n'
                  '  case "$m" in /proc|/proc/*|/sys|/sys/*|/dev|/dev/*|"$HOME") ;;\n'
                  '    *) mount -o remount,bind,ro "$m" 2>/dev/null ;;\n'
                  '  esac\n'
                  'done\n'
                  'if touch /pintavo-monkey-probe 2>/dev/null; then rm -f /pintavo-monkey-probe; exit 97; fi\n'
                  'exec "$@"\n')
        probe = subprocess.run(["unshare", "--mount", "--propagation", "private", "--", "sh", "-c", script, "sh", "true"],
                               env=self.env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        if probe.returncode != 0:
            return None
        return ["unshare", "--mount", "--propagation", "private", "--", "sh", "-c", script, "sh"]

    def start_program(self):
        self.starts += 1
        self.log = open(os.path.join(self.home, "programma-%d.log" % self.starts), "w+")
        self.program = subprocess.Popen(self.sandbox + [os.path.join(self.folder, os.path.basename(self.args.program))],
                                        env=self.env, cwd=self.home, stdout=self.log, stderr=subprocess.STDOUT,
                                        process_group=0)
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
        values = {}
        for line in self.xdotool("getwindowgeometry", "--shell", str(window)).stdout.splitlines():
            key, _, value = line.partition("=")
            values[key] = value
        try:
            return int(values["X"]), int(values["Y"]), int(values["WIDTH"]), int(values["HEIGHT"])
        except (KeyError, ValueError):
            return None

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
                if w not in self.names:
                    self.names[w] = self.xdotool("getwindowname", str(w)).stdout.strip()
                    self.seen.add(self.names[w])
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
        self.sandbox = self.sandbox_command()
        if self.sandbox is None:
            print("SKIPPED: no private read-only view of the disk can be made here (needs root and unshare); "
                  "random clicks are not let loose on real files")
            shutil.rmtree(self.home, ignore_errors=True)
            return SKIP
        self.start_display()
        try:
            self.start_program()
            deadline = time.monotonic() + self.args.seconds
            while time.monotonic() < deadline and (self.args.actions is None or self.actions < self.args.actions):
                if not self.check_alive():
                    continue
                self.act()
                self.actions += 1
                if self.actions % 25 == 0:
                    self.check_alive()
                    self.check_answers()
                time.sleep(self.args.pause)
            self.check_alive()
            self.check_answers()
            print("passed: %d actions over %d program start(s), seed %d" % (self.actions, self.starts, self.args.seed))
            print("windows met: " + "; ".join(sorted(repr(n) for n in self.seen)))
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
    args = parser.parse_args()
    if args.seed is None:
        args.seed = int(os.environ.get("PINTAVO_MONKEY_SEED", "0")) or int(time.time() * 1000) % 1000000007
    for tool in ("Xvfb", "openbox", "xdotool"):
        if not shutil.which(tool):
            print("SKIPPED: %s is not installed" % tool)
            return SKIP
    return Monkey(args).main()


if __name__ == "__main__":
    sys.exit(main())

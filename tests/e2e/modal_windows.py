#!/usr/bin/env python3
# End-to-end: every window opened over the main window stays with it. Each is
# the main window's transient, so that the window manager minimises and brings
# them back together: a window minimised by mistake is in front again once the
# main window is back (from a task bar, here xdotool) and clicked.
#
#   modal_windows.py PROGRAM MENU_FOLDER SHOTS_FOLDER
import os
import re
import sys
import time

from child_colouring import INSIDE_A, SheetOnScreen, run_on_test_drawing
from xdisplay import wait_until

# Controls inside the palette frame, in the design's twips (left, top, width, height).
ANTEPRIMA_STAMPA = (90, 3570, 1395, 795)
CARICA_IMMAGINE = (90, 4380, 1395, 765)
SALVA_LAVORO = (90, 5160, 1395, 765)
LABEL2 = (1260, 930, 195, 1785)
# The "&?" menu's title on the menu bar, in pixels from the client area's corner.
HELP_MENU = (45, -9)


def through_help_menu(key):
    """Opens the "&?" menu with the mouse and takes its first (Down) or last (Up) item."""
    def open_it(x, sheet):
        x.click(sheet.left - 6 + HELP_MENU[0], sheet.top - 12 + HELP_MENU[1])
        x.key(key, "Return")
    return open_it


def button(control):
    return lambda x, sheet: x.click(*sheet.at(control))


# name, how it opens, the keys that close it, whether it is shown maximised.
WINDOWS = [
    ("the chooser", button(CARICA_IMMAGINE), ["Escape"], False),
    ("the print preview", button(ANTEPRIMA_STAMPA), ["alt+c"], True),
    ("the about box", through_help_menu("Up"), ["Escape"], False),
    ("the help message", through_help_menu("Down"), ["Escape"], False),
    ("the save dialog", button(SALVA_LAVORO), ["Escape"], False),
    ("the colour dialog", button(LABEL2), ["Escape"], False),
]


class Windows:
    """What the X server and the window manager say about the program's windows."""

    def __init__(self, x):
        self.x = x

    def shown(self):
        found = self.x.run("xdotool", "search", "--onlyvisible", "--name", ".", check=False)
        return set(found.split())

    def viewable(self, window):
        return "IsViewable" in self.x.run("xwininfo", "-id", window, check=False)

    def states(self, window):
        return self.x.run("xprop", "-id", window, "_NET_WM_STATE", check=False)

    def transient_for(self, window):
        found = re.search(r"window id # (0x[0-9a-f]+)", self.x.run("xprop", "-id", window, "WM_TRANSIENT_FOR",
                                                                   check=False))
        return int(found.group(1), 16) if found else None

    def active(self):
        return self.x.run("xdotool", "getactivewindow", check=False)

    def stacking(self):
        listed = self.x.run("xprop", "-root", "_NET_CLIENT_LIST_STACKING", check=False)
        return [int(w, 16) for w in re.findall(r"0x[0-9a-f]+", listed)]

    def back_in_front(self, window, main):
        """Why `window` is not back in front of the main window, or None when it is."""
        if not self.viewable(window) or "_NET_WM_STATE_HIDDEN" in self.states(window):
            return "still minimised"
        if self.active() != window:
            return f"not the active window ({self.active()} is)"
        order = self.stacking()
        if int(window) in order and int(main) in order and order.index(int(window)) < order.index(int(main)):
            return "behind the main window"
        return None


def settle(probe, timeout):
    """probe() returns None once things are as wanted; its last complaint, or None."""
    try:
        wait_until("the windows to settle", lambda: probe() is None, timeout)
        return None
    except TimeoutError:
        return probe()


def one_window(x, sheet, main, name, open_it, close_keys, maximised, shots):
    """Opens, minimises and brings back one window; its failure as row name -> complaint."""
    w = Windows(x)
    failures = {}
    before = w.shown()
    open_it(x, sheet)
    new = wait_until(f"{name} on the screen", lambda: (w.shown() - before) or None, 20)
    assert len(new) == 1, f"{name}: {len(new)} windows came up"
    modal = new.pop()
    time.sleep(1.0)

    def rescue():
        # Whatever a failed row left, the window is brought back to be closed.
        if not w.viewable(main):
            x.xdotool("windowactivate", main)
        if not w.viewable(modal):
            x.xdotool("windowactivate", modal)
        wait_until(f"{name} restored by hand", lambda: w.viewable(modal), 10)
        time.sleep(0.5)

    # openbox minimises a transient together with its main window; one that is
    # no transient goes alone and leaves the main window up, blocked. Either
    # way the main window back on the screen and clicked shows it in front.
    row = f"{name}, minimised"
    complaints = []
    if w.transient_for(modal) != int(main):
        complaints.append(f"transient for {w.transient_for(modal)}, not for the main window {int(main)}")
    x.xdotool("windowminimize", modal)
    wait_until(f"{name} minimised", lambda: not w.viewable(modal), 10)
    time.sleep(0.5)
    if not w.viewable(main):
        x.xdotool("windowactivate", main)
        wait_until("the main window back", lambda: w.viewable(main), 10)
        time.sleep(0.5)
    x.click(*sheet.point(*INSIDE_A))
    problem = settle(lambda: w.back_in_front(modal, main), 5)
    if problem:
        complaints.append(problem)
    if maximised and "_NET_WM_STATE_MAXIMIZED_VERT" not in w.states(modal):
        complaints.append("no longer maximised")
    if complaints:
        failures[row] = "; ".join(complaints)
        rescue()
    elif name == "the chooser":
        x.save_screenshot(os.path.join(shots, "modal_restored.png"))

    x.key(*close_keys)
    wait_until(f"{name} closed", lambda: not w.viewable(modal), 10)
    wait_until("the main window active again", lambda: w.active() == main, 10)
    return failures


def every_window(x, app, shots):
    sheet = SheetOnScreen(x, app)
    main = Windows(x).active()
    failures = {}
    for name, open_it, close_keys, maximised in WINDOWS:
        failures.update(one_window(x, sheet, main, name, open_it, close_keys, maximised, shots))
    rows = len(WINDOWS)
    for row, problem in failures.items():
        print(f"FAILED {row}: {problem}")
    print(f"{rows - len(failures)} of {rows} rows passed")
    assert not failures, f"{len(failures)} of {rows} rows failed"
    sheet.end_with_fine()


def main(program, menu, shots):
    return run_on_test_drawing(program, menu, os.path.join(shots, "modal_windows_failed.png"),
                               lambda root, env: lambda x, app: every_window(x, app, shots))


if __name__ == "__main__":
    if len(sys.argv) != 4:
        print("use: modal_windows.py PROGRAM MENU_FOLDER SHOTS_FOLDER")
        sys.exit(2)
    sys.exit(main(*sys.argv[1:]))

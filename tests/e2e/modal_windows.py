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
from xdisplay import require_tools, wait_until

# Controls inside the palette frame, in the design's twips (left, top, width, height).
ANTEPRIMA_STAMPA = (90, 3570, 1395, 795)
CARICA_IMMAGINE = (90, 4380, 1395, 765)
SALVA_LAVORO = (90, 5160, 1395, 765)
LABEL2 = (1260, 930, 195, 1785)


def button(control):
    return lambda x, sheet: x.click(*sheet.at(control))


def help_menu(key):
    """The "&?" menu opened with the mouse (its title on the menu bar, over the
    client area's corner), then its first (Down) or last (Up) item."""
    def open_it(x, sheet):
        x.click(sheet.left - 6 + 45, sheet.top - 12 - 9)
        x.key(key, "Return")
    return open_it


# name, how it opens, the keys that close it, whether it is shown maximised.
WINDOWS = [
    ("the chooser", button(CARICA_IMMAGINE), ["Escape"], False),
    ("the print preview", button(ANTEPRIMA_STAMPA), ["alt+c"], True),
    ("the about box", help_menu("Up"), ["Escape"], False),
    ("the help message", help_menu("Down"), ["Escape"], False),
    ("the save dialog", button(SALVA_LAVORO), ["Escape"], False),
    ("the colour dialog", button(LABEL2), ["Escape"], False),
]


def shown(x):
    return set(x.run("xdotool", "search", "--onlyvisible", "--name", ".", check=False).split())


def viewable(x, window):
    return "IsViewable" in x.run("xwininfo", "-id", window, check=False)


def transient_for(x, window):
    found = re.search(r"# (0x[0-9a-f]+)", x.run("xprop", "-id", window, "WM_TRANSIENT_FOR", check=False))
    return int(found.group(1), 16) if found else None


def not_in_front(x, window, main, maximised):
    """Why `window` is not back in front of the main window, or None when it is."""
    states = x.run("xprop", "-id", window, "_NET_WM_STATE", check=False)
    if not viewable(x, window) or "_NET_WM_STATE_HIDDEN" in states:
        return "still minimised"
    active = x.run("xdotool", "getactivewindow", check=False)
    if active != window:
        return f"not the active window ({active} is)"
    order = [int(w, 16) for w in re.findall(r"0x[0-9a-f]+", x.run("xprop", "-root", "_NET_CLIENT_LIST_STACKING"))]
    if int(main) in order and order.index(int(window)) < order.index(int(main)):
        return "behind the main window"
    if maximised and "_NET_WM_STATE_MAXIMIZED_VERT" not in states:
        return "no longer maximised"
    return None


def one_window(x, sheet, main, name, open_it, close_keys, maximised, shot):
    """Opens, minimises and brings back one window, taking the screen into `shot`
    once it is back in front; what went wrong, or None."""
    before = shown(x)
    open_it(x, sheet)
    new = wait_until(f"{name} on the screen", lambda: (shown(x) - before) or None, 20)
    assert len(new) == 1, f"{name}: {len(new)} windows came up"
    modal = new.pop()
    time.sleep(1.0)
    complaints = []
    if transient_for(x, modal) != int(main):
        complaints.append(f"transient for {transient_for(x, modal)}, not for the main window {int(main)}")
    x.xdotool("windowminimize", modal)
    wait_until(f"{name} minimised", lambda: not viewable(x, modal), 10)
    time.sleep(0.5)
    # openbox minimises a transient together with its main window; one that is
    # no transient goes alone and leaves the main window up, blocked.
    if not viewable(x, main):
        x.xdotool("windowactivate", main)
        wait_until("the main window back", lambda: viewable(x, main), 10)
        time.sleep(0.5)
    x.click(*sheet.point(*INSIDE_A))
    try:
        wait_until(f"{name} in front", lambda: not not_in_front(x, modal, main, maximised), 5)
        x.save_screenshot(shot)
    except TimeoutError:
        complaints.append(not_in_front(x, modal, main, maximised))
        # Brought back by hand, to be closed.
        x.xdotool("windowactivate", modal)
        wait_until(f"{name} restored by hand", lambda: viewable(x, modal), 10)
        time.sleep(0.5)
    x.key(*close_keys)
    wait_until(f"{name} closed", lambda: not viewable(x, modal), 10)
    wait_until("the main window active again", lambda: x.run("xdotool", "getactivewindow") == main, 10)
    return "; ".join(complaints) or None


def every_window(x, app, shots):
    sheet = SheetOnScreen(x, app)
    main = x.run("xdotool", "getactivewindow")
    failures = 0
    for name, open_it, close_keys, maximised in WINDOWS:
        shot = os.path.join(shots, "modal_restored_" + name[4:].replace(" ", "_") + ".png")
        problem = one_window(x, sheet, main, name, open_it, close_keys, maximised, shot)
        if problem:
            failures += 1
            print(f"FAILED {name}, minimised: {problem}")
    print(f"{len(WINDOWS) - failures} of {len(WINDOWS)} rows passed")
    assert not failures, f"{failures} of {len(WINDOWS)} rows failed"
    sheet.end_with_fine()


def main(program, menu, shots):
    require_tools("xwininfo", "xprop")
    return run_on_test_drawing(program, menu, os.path.join(shots, "modal_windows_failed.png"),
                               lambda root, env: lambda x, app: every_window(x, app, shots))


if __name__ == "__main__":
    if len(sys.argv) != 4:
        print("use: modal_windows.py PROGRAM MENU_FOLDER SHOTS_FOLDER")
        sys.exit(2)
    sys.exit(main(*sys.argv[1:]))

#!/usr/bin/env python3
# End-to-end: a drawing dragged from the start page in the web pane onto the
# sheet, with the real mouse (xdotool), replaces the sheet's drawing with the
# whole drawing, not with the page's small copy of it.
#
#   pane_drag.py PROGRAM SHOTS_FOLDER
import glob
import os
import sys

from pictures import find_on_screen, load_with_imagemagick
from xdisplay import (VirtualDisplay, check_on_screen, program_environment, require_tools, scratch_folder,
                      wait_for_main_window, wait_until)

# Start-up shows one of the first ten drawings: this one, 28th by name and in
# the page's fourth row, is never already on the sheet.
DRAGGED = "pupazzo_di_neve"


def main(program, shots):
    require_tools(*VirtualDisplay.TOOLS)
    folder = os.path.dirname(os.path.realpath(program))
    drawings = [load_with_imagemagick(p) for p in sorted(glob.glob(os.path.join(folder, "Immagini", "*")))]
    whole = load_with_imagemagick(glob.glob(os.path.join(folder, "Immagini", DRAGGED + ".*"))[0])
    small = load_with_imagemagick(os.path.join(folder, "menu", "miniature", DRAGGED + ".png"))
    with scratch_folder("pintavo-drag-") as root:
        with VirtualDisplay(root, 1600, 1000) as x:
            app = x.start_offline([program], program_environment(x.env, os.path.join(root, "home")), "pintavo")
            check_on_screen(x, lambda: drag(x, app, drawings, whole, small, shots),
                            os.path.join(shots, "pane_drag_failed.png"))
    return 0


def drag(x, app, drawings, whole, small, shots):
    wait_for_main_window(x, app)

    def sheet():
        screen = x.screenshot()
        places = [p for d in drawings for p in find_on_screen(screen, d)]
        return places[0] if len(places) == 1 else None

    left, top = wait_until("a drawing on the sheet", sheet, 60, 0.5)

    def small_shown():
        places = find_on_screen(x.screenshot(), small)
        return places[0] if len(places) == 1 else None

    sx, sy = wait_until("the drawing's small copy on the start page", small_shown, 60, 0.5)
    start = (sx + small.width // 2, sy + small.height // 2)
    end = (left + 200, top + 250)
    steps = 12
    x.drag([(start[0] + (end[0] - start[0]) * i // steps, start[1] + (end[1] - start[1]) * i // steps)
            for i in range(steps + 1)], pause=0.1)

    def whole_on_sheet():
        return (left, top) in find_on_screen(x.screenshot(), whole)

    wait_until("the whole dragged drawing on the sheet", whole_on_sheet, 30, 0.5)
    x.save_screenshot(os.path.join(shots, "pane_drag.png"))
    print(f"{DRAGGED} dragged from ({start[0]}, {start[1]}) onto the sheet at ({left}, {top}), whole")


if __name__ == "__main__":
    if len(sys.argv) != 3:
        print("use: pane_drag.py PROGRAM SHOTS_FOLDER")
        sys.exit(2)
    sys.exit(main(*sys.argv[1:]))

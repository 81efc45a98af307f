#!/usr/bin/env python3
# End-to-end: undo and redo on the real program under Xvfb, driven with xdotool:
# two fills, Ctrl+Z twice, Ctrl+Y, then "Annulla tutto" taken back with Ctrl+Z,
# each checked on the screen.
#
#   child_undo.py PROGRAM MENU_FOLDER SHOTS_FOLDER
import os
import sys

from child_colouring import BLUE, CELL_12, CELL_9, INSIDE_A, INSIDE_C, RED, SheetOnScreen, run_on_test_drawing
from pictures import flood_fill

ANNULLA_TUTTO = (90, 2760, 1395, 795)


def main(program, menu, shots):
    return run_on_test_drawing(program, menu, os.path.join(shots, "child_undo_failed.png"),
                               lambda root, env: lambda x, app: undo_and_redo(x, app, shots))


def undo_and_redo(x, app, shots):
    sheet = SheetOnScreen(x, app)
    at = sheet.at
    drawing = sheet.drawing
    shows = sheet.shows

    red = drawing.copy()
    flood_fill(red, *INSIDE_A, RED)
    red_and_blue = red.copy()
    flood_fill(red_and_blue, *INSIDE_C, BLUE)

    x.click(*at(CELL_12))
    x.click(*sheet.point(*INSIDE_A))
    shows("the first fill", red)
    x.click(*at(CELL_9))
    x.click(*sheet.point(*INSIDE_C))
    shows("the second fill", red_and_blue)

    x.key("ctrl+z")
    shows("the second fill undone", red)
    x.key("ctrl+z")
    shows("the first fill undone", drawing)
    x.key("ctrl+y")
    shows("the first fill redone", red)

    x.click(*at(ANNULLA_TUTTO))
    shows("\"Annulla tutto\"", drawing)
    x.key("ctrl+z")
    shows("\"Annulla tutto\" undone", red)
    x.save_screenshot(os.path.join(shots, "e2e_undo.png"))

    sheet.end_with_fine()
    print("fills, undo, redo and \"Annulla tutto\" taken back: every step as expected on the screen")


if __name__ == "__main__":
    if len(sys.argv) != 4:
        print("use: child_undo.py PROGRAM MENU_FOLDER SHOTS_FOLDER")
        sys.exit(2)
    sys.exit(main(*sys.argv[1:]))

#!/usr/bin/env python3
# End-to-end: undo and redo on the real program under Xvfb, driven with xdotool:
# two fills, Ctrl+Z twice, Ctrl+Y, then "Annulla tutto" taken back with Ctrl+Z,
# each checked on the screen.
#
#   child_undo.py PROGRAM MENU_FOLDER SHOTS_FOLDER
import os
import shutil
import sys
import tempfile
import time

from child_colouring import (BLUE, CELL_12, CELL_9, FINE, FRAME1_TOP, HEIGHT, INSIDE_A, INSIDE_C, MAIN_TITLE,
                             RED, SHEET_BORDER, SHEET_LEFT, SHEET_TOP, WIDTH, make_program_folder, test_drawing)
from pictures import find_on_screen, flood_fill
from xdisplay import VirtualDisplay, check_on_screen, program_environment, require_tools, twips, twips_centre, wait_until

ANNULLA_TUTTO = (90, 2760, 1395, 795)


def main(program, menu, shots):
    require_tools(*VirtualDisplay.TOOLS)
    root = tempfile.mkdtemp(prefix="pintavo-e2e-")
    ok = False
    try:
        folder = make_program_folder(root, program, menu)
        with VirtualDisplay(root) as x:
            env = program_environment(x.env, os.path.join(root, "home"))
            app = x.start([os.path.join(folder, "pintavo")], env, "pintavo")
            check_on_screen(x, lambda: undo_and_redo(x, app, shots),
                            os.path.join(shots, "child_undo_failed.png"))
            ok = True
    finally:
        if ok:
            shutil.rmtree(root, ignore_errors=True)
        else:
            print(f"kept to look at: {root}")
    return 0


def undo_and_redo(x, app, shots):
    wait_until("the main window", lambda: x.find_window(MAIN_TITLE) or app.poll() is not None, 60)
    assert app.poll() is None, f"the program ended at start-up with code {app.returncode}"
    drawing = test_drawing()

    def settled_sheet():
        first = find_on_screen(x.screenshot(), drawing)
        time.sleep(1.0)
        again = find_on_screen(x.screenshot(), drawing)
        return again[0] if len(first) == 1 and first == again else None

    sheet_x, sheet_y = wait_until("the test drawing on the sheet", settled_sheet, 60, 0.5)
    client_x = sheet_x - twips(SHEET_LEFT) - SHEET_BORDER
    client_y = sheet_y - twips(SHEET_TOP) - SHEET_BORDER
    frame_x = client_x + twips(SHEET_LEFT + (WIDTH + 2 * SHEET_BORDER) * 15 + 20)
    frame_y = client_y + twips(FRAME1_TOP)

    def at(control):
        cx, cy = twips_centre(*control)
        return frame_x + cx, frame_y + cy

    def sheet(px, py):
        return sheet_x + px, sheet_y + py

    def shows(what, expected):
        def differences():
            return expected.differences(x.screenshot().region(sheet_x, sheet_y, WIDTH, HEIGHT))
        try:
            wait_until(what, lambda: not differences(), 20)
        except TimeoutError:
            raise AssertionError(f"{what}: the sheet differs (x, y, expected, shown): {differences()}")

    red = drawing.copy()
    flood_fill(red, *INSIDE_A, RED)
    red_and_blue = red.copy()
    flood_fill(red_and_blue, *INSIDE_C, BLUE)

    x.click(*at(CELL_12))
    x.click(*sheet(*INSIDE_A))
    shows("the first fill", red)
    x.click(*at(CELL_9))
    x.click(*sheet(*INSIDE_C))
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

    x.click(*at(FINE))
    try:
        code = app.wait(20)
    except Exception:
        raise AssertionError("the program did not end after \"Fine\"")
    assert code == 0, f"the program ended with code {code}"
    print("fills, undo, redo and \"Annulla tutto\" taken back: every step as expected on the screen")


if __name__ == "__main__":
    if len(sys.argv) != 4:
        print("use: child_undo.py PROGRAM MENU_FOLDER SHOTS_FOLDER")
        sys.exit(2)
    sys.exit(main(*sys.argv[1:]))

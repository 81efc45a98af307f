#!/usr/bin/env python3
# End-to-end: a child's colouring, driven with xdotool on the real program under
# Xvfb, and the saved BMP checked pixel by pixel against a picture worked out here.
#
#   child_colouring.py PROGRAM MENU_FOLDER SHOTS_FOLDER
import os
import shutil
import sys
import time

from pictures import BLACK, Raster, find_on_screen, flood_fill, read_bmp, write_bmp
from xdisplay import (VirtualDisplay, check_on_screen, program_environment, require_tools, scratch_folder, twips,
                      twips_centre, wait_for_main_window, wait_until)

RED = (255, 0, 0)     # palette cell 12, light red 0x0000FF
BLUE = (0, 0, 255)    # palette cell 9, light blue 0xFF0000

# Controls inside the palette frame, in the design's twips (left, top, width, height).
CELL_12 = (60, 750, 315, 165)
CELL_9 = (420, 570, 315, 165)
RITOCCA_CONTORNI = (90, 6240, 1395, 285)
SLIDER4 = (60, 6540, 1455, 225)
SALVA_LAVORO = (90, 5160, 1395, 765)
FINE = (90, 6930, 1395, 765)
# The sheet's place in the window and its border, and the palette frame's top.
SHEET_LEFT, SHEET_TOP, SHEET_BORDER = 60, 150, 2
FRAME1_TOP = 60

# The test drawing: three rooms between black walls; the wall between the two
# right-hand rooms has a gap that the pen must close.
WIDTH, HEIGHT = 240, 160
WALL_A = (80, 82)
WALL_B = (160, 162)
GAP = (70, 77)
INSIDE_A, INSIDE_B, INSIDE_C = (40, 80), (120, 80), (200, 80)
PEN_X, PEN_FROM, PEN_TO = 161, 64, 83
PEN_HALF_SIZE = 3


def test_drawing():
    d = Raster(WIDTH, HEIGHT)
    for t in range(3):
        d.box(4 + t, 4, 4 + t, HEIGHT - 5, BLACK)
        d.box(WIDTH - 5 - t, 4, WIDTH - 5 - t, HEIGHT - 5, BLACK)
        d.box(4, 4 + t, WIDTH - 5, 4 + t, BLACK)
        d.box(4, HEIGHT - 5 - t, WIDTH - 5, HEIGHT - 5 - t, BLACK)
    d.box(WALL_A[0], 4, WALL_A[1], HEIGHT - 5, BLACK)
    d.box(WALL_B[0], 4, WALL_B[1], GAP[0] - 1, BLACK)
    d.box(WALL_B[0], GAP[1] + 1, WALL_B[1], HEIGHT - 5, BLACK)
    return d


def expected_picture(drawing):
    """What the sheet must hold after the colouring, worked out without the program."""
    e = drawing.copy()
    flood_fill(e, *INSIDE_A, RED)
    t = PEN_HALF_SIZE
    e.box(PEN_X - t, PEN_FROM - t, PEN_X + t, PEN_TO + t, BLACK)
    flood_fill(e, *INSIDE_C, BLUE)
    return e


def make_program_folder(root, program, menu):
    """The program beside a drawings folder holding only the test drawing and the start page."""
    folder = os.path.join(root, "programma")
    os.makedirs(os.path.join(folder, "Immagini"))
    shutil.copy2(program, os.path.join(folder, "pintavo"))
    shutil.copytree(menu, os.path.join(folder, "menu"))
    # Start-up shows the r-th file of the folder with r from 1 to 10 at random:
    # ten copies of the one drawing make every start show it.
    for n in range(1, 11):
        write_bmp(test_drawing(), os.path.join(folder, "Immagini", f"stanze{n:02}.bmp"))
    return folder


def fake_opener(root):
    """An xdg-open that only writes down what the program asked it to open."""
    folder = os.path.join(root, "opener")
    os.makedirs(folder)
    record = os.path.join(root, "opened.txt")
    script = os.path.join(folder, "xdg-open")
    with open(script, "w") as f:
        f.write(f'#!/bin/sh\nprintf "%s\\n" "$1" >> "{record}"\n')
    os.chmod(script, 0o755)
    return folder, record


def run_on_test_drawing(program, menu, failure_shot, prepare):
    """Starts the program beside the test drawing on a display of its own and runs
    the scenario that prepare(root, env) returns, as scenario(x, app); the
    temporary folder is kept to look at when the scenario fails."""
    require_tools(*VirtualDisplay.TOOLS)
    with scratch_folder("pintavo-e2e-") as root:
        folder = make_program_folder(root, program, menu)
        with VirtualDisplay(root) as x:
            env = program_environment(x.env, os.path.join(root, "home"))
            scenario = prepare(root, env)
            app = x.start_offline([os.path.join(folder, "pintavo")], env, "pintavo")
            check_on_screen(x, lambda: scenario(x, app), failure_shot)
    return 0


def palette_frame(left, top, width):
    """Where the controls of the palette frame are on the screen, for a sheet whose
    drawing, `width` pixels wide, shows at (left, top): a function from a control's
    place in twips to its centre on the screen."""
    # Everything is placed from the design: the client area's corner is the
    # sheet's corner less the sheet's place and border; the palette frame stands
    # 20 twips right of the sheet, which has taken the drawing's size.
    client_x = left - twips(SHEET_LEFT) - SHEET_BORDER
    client_y = top - twips(SHEET_TOP) - SHEET_BORDER
    frame_x = client_x + twips(SHEET_LEFT + (width + 2 * SHEET_BORDER) * 15 + 20)
    frame_y = client_y + twips(FRAME1_TOP)

    def at(control):
        cx, cy = twips_centre(*control)
        return frame_x + cx, frame_y + cy
    return at


class SheetOnScreen:
    """The test drawing on the sheet and the palette column beside it, found on
    the screen once the window has settled (maximised, laid out)."""

    def __init__(self, x, app):
        wait_for_main_window(x, app)
        self.x = x
        self.app = app
        self.drawing = test_drawing()

        # The sheet is where the drawing shows, unscaled.
        def settled_sheet():
            first = find_on_screen(x.screenshot(), self.drawing)
            time.sleep(1.0)
            again = find_on_screen(x.screenshot(), self.drawing)
            return again[0] if len(first) == 1 and first == again else None

        self.left, self.top = wait_until("the test drawing on the sheet", settled_sheet, 60, 0.5)
        self.at = palette_frame(self.left, self.top, WIDTH)

    def point(self, px, py):
        return self.left + px, self.top + py

    def differences(self, expected):
        return expected.differences(self.x.screenshot().region(self.left, self.top, WIDTH, HEIGHT))

    def shows(self, what, expected):
        try:
            wait_until(what, lambda: not self.differences(expected), 20)
        except TimeoutError:
            raise AssertionError(f"{what}: the sheet on screen differs (x, y, expected, shown): "
                                 f"{self.differences(expected)}")

    def end_with_fine(self):
        self.x.click(*self.at(FINE))
        try:
            code = self.app.wait(20)
        except Exception:
            raise AssertionError("the program did not end after \"Fine\"")
        assert code == 0, f"the program ended with code {code}"


def main(program, menu, shots):
    def prepare(root, env):
        opener, opened = fake_opener(root)
        env["PATH"] = opener + os.pathsep + env.get("PATH", "")
        saved = os.path.join(root, "lavori", "colorato.bmp")
        os.makedirs(os.path.dirname(saved))
        return lambda x, app: colour_and_save(x, app, saved, opened, shots)

    return run_on_test_drawing(program, menu, os.path.join(shots, "child_colouring_failed.png"), prepare)


def colour_and_save(x, app, saved, opened, shots):
    screen_sheet = SheetOnScreen(x, app)
    at = screen_sheet.at
    sheet = screen_sheet.point

    screen = x.screenshot()
    assert screen.pixel(*at(CELL_12)) == RED, f"palette cell 12 not found at {at(CELL_12)}"
    assert screen.pixel(*at(CELL_9)) == BLUE, f"palette cell 9 not found at {at(CELL_9)}"

    # Light red, then a click in the left room.
    x.click(*at(CELL_12))
    x.click(*sheet(*INSIDE_A))
    # The pen, three pixels from the centre: a click gives the slider the keyboard.
    x.click(*at(RITOCCA_CONTORNI))
    x.click(*at(SLIDER4))
    x.key("Home", *["Right"] * PEN_HALF_SIZE)
    # Down the gap in the right wall, one pixel at a time.
    x.drag([sheet(PEN_X, y) for y in range(PEN_FROM, PEN_TO + 1)])
    # Light blue puts the pen away; a click in the right-hand room fills it alone.
    x.click(*at(CELL_9))
    x.click(*sheet(*INSIDE_C))

    expected = expected_picture(screen_sheet.drawing)
    screen_sheet.shows("the coloured drawing on the sheet", expected)
    x.save_screenshot(os.path.join(shots, "e2e_colouring.png"))

    # Save through the real dialog: the full path in the file name field, Enter.
    main_name = x.active_window_name()
    x.click(*at(SALVA_LAVORO))
    wait_until("the Save dialog", lambda: x.active_window_name() not in ("", main_name), 20)
    time.sleep(0.5)
    x.key("ctrl+a")
    x.type_text(saved)
    x.key("Return")
    wait_until("the saved file", lambda: os.path.exists(saved) and os.path.getsize(saved) > 0, 20)
    wait_until("the saved picture handed to the desktop opener", lambda: os.path.exists(opened), 20)
    with open(opened) as f:
        handed = f.read().split()
    assert handed and handed[-1] in (saved, "file://" + saved), f"opener was given {handed}"
    wait_until("the main window active again", lambda: x.active_window_name() == main_name, 20)

    screen_sheet.end_with_fine()

    got = read_bmp(saved)
    diff = expected.differences(got)
    assert not diff, f"saved picture differs from the expected one (x, y, expected, saved): {diff}"
    print(f"saved {saved}: {got.width}x{got.height}, every pixel as expected")


if __name__ == "__main__":
    if len(sys.argv) != 4:
        print("use: child_colouring.py PROGRAM MENU_FOLDER SHOTS_FOLDER")
        sys.exit(2)
    sys.exit(main(*sys.argv[1:]))

#!/usr/bin/env python3
# End-to-end on Wayland: the program under weston (headless, drawing in
# software) on Qt's Wayland platform shows, maximised, the drawing it was
# started on, the palette beside it and the start page in the pane, read from
# weston's own screenshot. The program has a network namespace of its own.
#
#   wayland.py PROGRAM SHOTS_FOLDER
import glob
import os
import shutil
import subprocess
import sys
import time

from child_colouring import HEIGHT, WIDTH, palette_frame, test_drawing
from pictures import Screen, find_on_screen, find_start_page_header, write_bmp
from xdisplay import (VirtualDisplay, network_isolated, program_environment, require_tools, scratch_folder,
                      wait_until)

SCREEN = (1366, 768)
# The sixteen palette cells, left to right and top to bottom, in twips inside
# the palette frame, and their colours.
CELLS = [(60 + 360 * (i % 4), (210, 390, 570, 750)[i // 4], 315, 165) for i in range(16)]
PALETTE = [(0, 0, 0), (0, 0, 128), (0, 128, 0), (0, 128, 128), (128, 0, 0), (128, 0, 128), (128, 128, 0),
           (192, 192, 192), (128, 128, 128), (0, 0, 255), (0, 255, 0), (0, 255, 255), (255, 0, 0),
           (255, 0, 255), (255, 255, 0), (255, 255, 255)]


class Weston(VirtualDisplay):
    """weston with its headless back end in place of Xvfb and openbox: the same
    starting and ending of programs, screenshots through its debugging protocol."""

    TOOLS = ("weston", "weston-screenshooter", "convert")

    def _start_display(self):
        runtime = os.path.join(self.workdir, "weston-runtime")
        os.makedirs(runtime, mode=0o700)
        name = f"pintavo-e2e-{os.getpid()}"
        self.env = {k: v for k, v in os.environ.items() if k not in ("DISPLAY", "WAYLAND_DISPLAY")}
        self.env["XDG_RUNTIME_DIR"] = runtime
        weston = self.start(["weston", "--backend=headless-backend.so", "--use-pixman", "--debug",
                             f"--socket={name}", f"--width={self.size[0]}", f"--height={self.size[1]}",
                             "--idle-time=0"], self.env, "weston")
        self.socket = os.path.join(runtime, name)
        wait_until("weston's socket", lambda: os.path.exists(self.socket) or weston.poll() is not None, 30)
        if weston.poll() is not None:
            raise RuntimeError("weston ended at start: " + self.log_text("weston"))
        self.env["WAYLAND_DISPLAY"] = name

    def save_screenshot(self, path):
        folder = os.path.join(self.workdir, "screenshots")
        os.makedirs(folder, exist_ok=True)
        subprocess.run(["weston-screenshooter"], env=self.env, cwd=folder, check=True, capture_output=True,
                       timeout=30)
        shot, = glob.glob(os.path.join(folder, "*.png"))
        os.makedirs(os.path.dirname(path), exist_ok=True)
        shutil.move(shot, path)

    def screenshot(self):
        path = os.path.join(self.workdir, "screen.png")
        self.save_screenshot(path)
        ppm = subprocess.run(["convert", path, "-depth", "8", "ppm:-"], capture_output=True, check=True,
                             timeout=30).stdout
        return Screen.from_ppm(ppm)


def wayland_plugin():
    # libqwayland-generic.so on Qt 6.4 and 6.8, libqwayland.so on Qt 6.11.
    return glob.glob("/usr/lib/*/qt6/plugins/platforms/libqwayland*.so")


def main(program, shots):
    require_tools(*Weston.TOOLS)
    if not wayland_plugin():
        print("missing Qt's Wayland platform, qt6-wayland (tools/setup installs it): skipped")
        return 77
    with scratch_folder("pintavo-wayland-") as root:
        drawing = test_drawing()
        picture = os.path.join(root, "stanze.bmp")
        write_bmp(drawing, picture)
        argv, why = network_isolated([program, picture])
        if argv is None:
            print(f"SKIPPED: {why}")
            return 77
        with Weston(root, *SCREEN) as w:
            env = program_environment(w.env, os.path.join(root, "home"))
            env.pop("DISPLAY", None)
            env.update(QT_QPA_PLATFORM="wayland", WAYLAND_DISPLAY=w.socket)
            app = w.start(argv, env, "pintavo")
            try:
                first_screen(w, app, drawing, shots)
            except BaseException:
                w.save_screenshot(os.path.join(shots, "wayland_failed.png"))
                print("program output:\n" + w.log_text("pintavo"))
                raise
    return 0


def first_screen(w, app, drawing, shots):
    def shown():
        assert app.poll() is None, f"the program ended with code {app.returncode}"
        screen = w.screenshot()
        places = find_on_screen(screen, drawing)
        header = places and find_start_page_header(screen, places[0][0] + WIDTH)
        return (screen, places[0], header) if len(places) == 1 and header else None

    screen, (left, top), (header_y, header_end) = wait_until("the drawing and the start page", shown, 60, 1.0)
    at = palette_frame(left, top, WIDTH)
    wrong = [(i, screen.pixel(*at(cell)), colour) for i, (cell, colour) in enumerate(zip(CELLS, PALETTE))
             if screen.pixel(*at(cell)) != colour]
    assert not wrong, f"palette cells (index, shown, expected): {wrong}"
    # Maximised, the pane reaches the screen's right edge but for its scroll bar.
    assert header_end > SCREEN[0] - 40, f"the start page's header ends at x = {header_end}"
    time.sleep(1.0)
    w.save_screenshot(os.path.join(shots, "wayland.png"))
    print(f"on Wayland: the {WIDTH} x {HEIGHT} drawing at ({left}, {top}), the sixteen palette cells, "
          f"the start page's header at y = {header_y} up to x = {header_end}")


if __name__ == "__main__":
    if len(sys.argv) != 3:
        print("use: wayland.py PROGRAM SHOTS_FOLDER")
        sys.exit(2)
    sys.exit(main(*sys.argv[1:]))

#!/usr/bin/env python3
# End-to-end: a drawing coloured by keyboard alone (Tab, arrows, Space, Enter),
# and the names a screen reader hears, read through AT-SPI on a private D-Bus
# with the accessibility bus started on it.
#
#   keyboard_colouring.py PROGRAM MENU_FOLDER SHOTS_FOLDER
import os
import shutil
import subprocess
import sys
import time

from child_colouring import BLUE, INSIDE_A, INSIDE_C, RED, SheetOnScreen, run_on_test_drawing
from pictures import BLACK, flood_fill
from xdisplay import wait_until

BUS_LAUNCHER = "/usr/libexec/at-spi-bus-launcher"
PRIVATE_BUS = "dbus-run-session"  # D-Bus's own tool: runs a command on a bus of its own
PALETTE = ["Nero", "Blu scuro", "Verde scuro", "Verde acqua", "Rosso scuro", "Viola", "Verde oliva",
           "Grigio chiaro", "Grigio", "Blu", "Verde", "Azzurro", "Rosso", "Fucsia", "Giallo", "Bianco"]


def reader_python():
    """A Python that has pyatspi: this one, or the system's (pyatspi is a Debian package)."""
    for python in (sys.executable, "/usr/bin/python3"):
        if os.path.exists(python) and subprocess.run([python, "-c", "import pyatspi"],
                                                     capture_output=True).returncode == 0:
            return python
    return None


def on_private_bus(argv):
    """Runs this script again on a private D-Bus, with a Python that reads AT-SPI."""
    python = reader_python()
    missing = [why for why, ok in ((PRIVATE_BUS, shutil.which(PRIVATE_BUS)),
                                   ("at-spi2-core", os.path.exists(BUS_LAUNCHER)), ("python3-pyatspi", python)) if not ok]
    if missing:
        print("missing " + ", ".join(missing) + " (tools/setup installs them): skipped")
        return 77
    env = dict(os.environ, PINTAVO_E2E_PRIVATE_BUS="1")
    return subprocess.run([PRIVATE_BUS, "--", python, os.path.abspath(__file__), *argv], env=env).returncode


def walk(node):
    import pyatspi
    yield node
    for i in range(node.childCount):
        child = node.getChildAtIndex(i)
        # The web page's own tree is the engine's and large: only its node counts.
        if child is not None and child.getRole() != pyatspi.ROLE_DOCUMENT_WEB:
            yield from walk(child)


class Reader:
    def __init__(self, pyatspi):
        self.at = pyatspi

    def window(self, title):
        desktop = self.at.Registry.getDesktop(0)
        for app in (desktop.getChildAtIndex(i) for i in range(desktop.childCount)):
            for frame in (app.getChildAtIndex(j) for j in range(app.childCount if app else 0)):
                if frame is not None and frame.name.startswith(title):
                    return frame
        return None

    # Roles by their constants: at-spi2-core renamed some ("push button" is "button" from Debian 13 on).
    def named(self, window, role):
        return [n.name for n in walk(window) if n.getRole() == getattr(self.at, "ROLE_" + role)]

    def focused(self, window):
        return next((n.name for n in walk(window) if n.getRole() != self.at.ROLE_FRAME
                     and n.getState().contains(self.at.STATE_FOCUSED)), None)


def main(program, menu, shots):
    if not os.environ.get("PINTAVO_E2E_PRIVATE_BUS"):
        return on_private_bus([program, menu, shots])
    import pyatspi
    launcher = subprocess.Popen([BUS_LAUNCHER, "--launch-immediately"])
    try:
        def prepare(root, env):
            env["QT_LINUX_ACCESSIBILITY_ALWAYS_ON"] = "1"
            return lambda x, app: colour_by_keyboard(x, app, Reader(pyatspi), shots)
        return run_on_test_drawing(program, menu, os.path.join(shots, "keyboard_colouring_failed.png"), prepare)
    finally:
        launcher.terminate()
        launcher.wait(10)


def colour_by_keyboard(x, app, reader, shots):
    sheet = SheetOnScreen(x, app)
    main = wait_until("the main window on the accessibility bus", lambda: reader.window("Pintavo - Freeware"), 30)
    buttons = reader.named(main, "PUSH_BUTTON")
    assert [n for n in buttons if n in PALETTE] == PALETTE, f"palette cells named {buttons}"
    for role, name in (("CANVAS", "Foglio da colorare"), ("SLIDER", "Spessore della penna"), ("TEXT", "Indirizzo"),
                       ("PANEL", "Tavolozza")):
        assert name in reader.named(main, role), f"no {role} named {name}: {reader.named(main, role)}"

    def go_to(name, key="Tab"):
        for _ in range(40):
            if reader.focused(main) == name:
                return
            x.key(key)
        raise AssertionError(f"{key} never reached {name}; the focus is on {reader.focused(main)}")

    def strip_says(colour):
        wait_until(f"the colour strip named {colour}",
                   lambda: f"Colore per la pittura: {colour}" in reader.named(main, "LABEL"), 10)

    # Light red: four rows down the palette from black. The point starts at the
    # centre of the drawing, in the middle room; eight big steps left lead into
    # the left one.
    go_to("Nero")
    x.key("Down", "Down", "Down", "space")
    strip_says("Rosso")
    go_to("Foglio da colorare", "shift+Tab")
    x.key(*["shift+Left"] * 8, "space")
    x.save_screenshot(os.path.join(shots, "e2e_keyboard_point.png"))
    # The pen closes the gap in the right wall (y 70 to 77) with two squares.
    go_to("Ritocca contorni")
    x.key("space")
    go_to("Foglio da colorare", "shift+Tab")
    x.key(*["shift+Right"] * 12, "Right", "Right", *["Up"] * 7, "Return", *["Down"] * 4, "Return")
    # Light blue, one up and one right of light red; it puts the pen away.
    go_to("Rosso")
    x.key("Up", "Right")
    x.save_screenshot(os.path.join(shots, "e2e_keyboard_palette.png"))
    x.key("Return")
    strip_says("Blu")
    go_to("Foglio da colorare")
    x.key(*["shift+Right"] * 4, "space")
    # The crosshair goes with the focus, and the whole sheet shows.
    x.key("Tab")

    expected = sheet.drawing.copy()
    flood_fill(expected, *INSIDE_A, RED)
    expected.box(159, 70, 163, 78, BLACK)
    flood_fill(expected, *INSIDE_C, BLUE)
    sheet.shows("the drawing coloured by keyboard", expected)

    go_to("Carica Immagine")
    x.key("space")
    chooser = wait_until("the chooser on the accessibility bus", lambda: reader.window("Scelta immagine"), 30)
    lists = reader.named(chooser, "LIST") + reader.named(chooser, "COMBO_BOX")
    assert {"Cartelle", "Unità", "Immagini"} <= set(lists), f"the chooser's lists are named {lists}"
    folders = [n.name for n in walk(chooser) if n.getRole() == reader.at.ROLE_LIST_ITEM and n.parent.name == "Cartelle"]
    assert folders and not [f for f in folders if f != f.strip()], f"folders named {folders}"
    x.key("Escape")
    go_to("Fine")
    x.key("space")
    assert app.wait(20) == 0, "the program did not end well after \"Fine\""
    print("coloured by keyboard alone; palette, sheet, pen, strip and chooser named as a screen reader says them")


if __name__ == "__main__":
    if len(sys.argv) != 4:
        print("use: keyboard_colouring.py PROGRAM MENU_FOLDER SHOTS_FOLDER")
        sys.exit(2)
    sys.exit(main(*sys.argv[1:]))

#!/usr/bin/env python3
# End-to-end: the Debian package made by CPack passes lintian without an error
# or a warning and, unpacked into a clean folder, starts through its /usr/bin
# link and shows a drawing and the start page: as the user running the test,
# and as an ordinary user (made for the test when it runs as root), whose web
# engine runs in its sandbox as on a family's computer. The program has a
# network namespace of its own where only loopback answers.
#
#   installed_package.py BUILD_FOLDER SHOTS_FOLDER
import glob
import os
import pwd
import shutil
import signal
import subprocess
import sys
import time

from pictures import find_on_screen, find_start_page_header, load_with_imagemagick
from xdisplay import (VirtualDisplay, check_on_screen, network_isolated, program_environment, require_tools,
                      scratch_folder, wait_for_main_window, wait_until, web_engine_helpers)

ICON_SIZES = (16, 22, 24, 32, 48, 64, 128, 256)
# The ordinary user the test starts the program as when it runs as root.
TEST_USER = "pintavo-test"


def build_package(build, out):
    subprocess.run(["cpack", "-G", "DEB", "-B", out, "--config", os.path.join(build, "CPackConfig.cmake")],
                   check=True, timeout=300)
    debs = glob.glob(os.path.join(out, "pintavo_*.deb"))
    assert len(debs) == 1, f"expected one pintavo_*.deb in {out}, found {debs}"
    return debs[0]


def check_control(deb):
    fields = {}
    for line in subprocess.run(["dpkg-deb", "-f", deb], check=True, capture_output=True,
                               text=True).stdout.splitlines():
        if line and not line.startswith(" ") and ":" in line:
            key, value = line.split(":", 1)
            fields[key] = value.strip()
    depends = fields.get("Depends", "")
    # Worked out by dpkg-shlibdeps from the executable's libraries.
    for library in ("libqt6widgets6", "libqt6webenginewidgets6", "libc6"):
        assert library in depends, f"Depends lacks {library}: {depends}"
    assert "libqt6webenginecore6-bin" in depends, f"Depends lacks the web engine's helper: {depends}"
    assert fields.get("Package") == "pintavo" and fields.get("Section") == "graphics", fields
    assert "@" in fields.get("Maintainer", ""), f"no maintainer address: {fields.get('Maintainer')}"
    print(f"{os.path.basename(deb)}: Depends: {depends}")


def check_lintian(deb):
    # Information and pedantic notes (I:, P:) are allowed; anything Debian counts
    # as a warning or an error fails the test, overrides shipped in the package
    # included.
    run = subprocess.run(["lintian", "--tag-display-limit", "0", deb], capture_output=True, text=True,
                         timeout=180)
    print(f"lintian {os.path.basename(deb)} (exit {run.returncode}):\n{run.stdout}", end="")
    complaints = [line for line in run.stdout.splitlines() if line.startswith(("E:", "W:"))]
    assert not complaints, "lintian complains:\n" + "\n".join(complaints)
    assert run.returncode == 0, f"lintian failed: {run.stderr}"


def check_files(root):
    link = os.path.join(root, "usr/bin/pintavo")
    assert os.path.islink(link), "usr/bin/pintavo is not a symbolic link"
    program = os.path.realpath(link)
    folder = os.path.dirname(program)
    assert program.startswith(os.path.join(root, "usr/lib")), f"the link leads to {program}"
    assert os.access(program, os.X_OK), f"{program} is not executable"
    for name in ("Immagini", "menu/menu.htm", "znf.htm"):
        assert os.path.exists(os.path.join(folder, name)), f"{name} missing beside the program"
    share = os.path.join(root, "usr/share")
    wanted = ["applications/pintavo.desktop", "metainfo/org.example.pintavo.metainfo.xml",
              "icons/hicolor/scalable/apps/pintavo.svg", "doc/pintavo/changelog.gz",
              "man/man1/pintavo.1.gz", "man/it/man1/pintavo.1.gz"]
    wanted += [f"icons/hicolor/{s}x{s}/apps/pintavo.png" for s in ICON_SIZES]
    for name in wanted:
        assert os.path.isfile(os.path.join(share, name)), f"usr/share/{name} missing"
    for s in ICON_SIZES:
        with open(os.path.join(share, f"icons/hicolor/{s}x{s}/apps/pintavo.png"), "rb") as f:
            head = f.read(24)
        assert head[:8] == b"\x89PNG\r\n\x1a\n", f"{s}x{s} icon is no PNG"
        size = (int.from_bytes(head[16:20], "big"), int.from_bytes(head[20:24], "big"))
        assert size == (s, s), f"{s}x{s} icon is {size}"
    return link, folder


def ordinary_user():
    """The user for a second run, with the sandbox on, made if need be; None and the
    reason where it cannot be. A test that is not root already runs as one."""
    if os.geteuid() != 0:
        return None, None
    try:
        pwd.getpwnam(TEST_USER)
    except KeyError:
        if not shutil.which("useradd"):
            return None, f"useradd is missing (passwd, which tools/setup installs), so {TEST_USER} cannot be made"
        made = subprocess.run(["useradd", "--system", "--user-group", "--no-create-home", "--home-dir",
                               "/nonexistent", "--shell", "/usr/sbin/nologin", TEST_USER],
                              capture_output=True, text=True, timeout=60)
        if made.returncode != 0:
            return None, f"useradd {TEST_USER} failed: {made.stderr.strip()}"
    return TEST_USER, None


def main(build, shots):
    require_tools("cpack", "dpkg-deb", "dpkg-shlibdeps", "lintian", *VirtualDisplay.TOOLS)
    with scratch_folder("pintavo-deb-") as root:
        # The ordinary user reads the unpacked program and owns a home below.
        os.chmod(root, 0o755)
        deb = build_package(build, os.path.join(root, "package"))
        check_control(deb)
        check_lintian(deb)
        installed = os.path.join(root, "installed")
        subprocess.run(["dpkg", "-x", deb, installed], check=True, timeout=120)
        link, folder = check_files(installed)
        drawings = [load_with_imagemagick(p)
                    for p in sorted(glob.glob(os.path.join(folder, "Immagini", "*")))]
        user, no_user = ordinary_user()
        with VirtualDisplay(root) as x:
            for who in [None] + ([user] if user else []):
                # Started through the link, as the desktop entry's Exec starts it.
                argv, why = network_isolated([link], who)
                if argv is None:
                    print(f"SKIPPED: {why}")
                    return 77
                name = "installed_package" + (f"_{who}" if who else "")
                app = x.start(argv, environment(x, root, who), "pintavo")
                check_on_screen(x, lambda: first_screen(x, app, drawings, who, os.path.join(shots, name + ".png")),
                                os.path.join(shots, name + "_failed.png"))
                os.killpg(app.pid, signal.SIGTERM)
                app.wait(20)
    if no_user:
        print(f"SKIPPED: no run as an ordinary user: {no_user}")
        return 77
    return 0


def environment(x, root, user):
    """A fresh home for the run, owned by whoever runs the program."""
    home = os.path.join(root, "home-" + (user or "self"))
    env = program_environment(x.env, home)
    if user:
        account = pwd.getpwnam(user)
        env.update(USER=user, LOGNAME=user)
        for folder, _, files in os.walk(home):
            for path in [folder] + [os.path.join(folder, f) for f in files]:
                os.chown(path, account.pw_uid, account.pw_gid)
    return env


def first_screen(x, app, drawings, user, shot):
    wait_for_main_window(x, app)

    def drawing_shown():
        screen = x.screenshot()
        places = [(i, p) for i, d in enumerate(drawings) for p in find_on_screen(screen, d)]
        return places if len(places) == 1 else None

    # One of the package's drawings, whole and unscaled, on the sheet.
    (index, (left, top)), = wait_until("one of the package's drawings on the sheet", drawing_shown, 60, 0.5)
    drawing = drawings[index]
    sheet_right = left + drawing.width

    # The start page in the web pane, right of the sheet.
    wait_until("the start page's header in the web pane", lambda: find_start_page_header(x.screenshot(), sheet_right),
               60, 1.0)
    time.sleep(1.0)
    x.save_screenshot(shot)
    # Root's engine runs without its sandbox and starts its renderers directly;
    # anybody else's keeps the sandbox and its two zygotes.
    helpers = web_engine_helpers(app.pid)
    zygotes = sum("--type=zygote" in argv for argv in helpers)
    unsandboxed = any("--no-sandbox" in argv for argv in helpers)
    as_root = user is None and os.geteuid() == 0
    assert helpers and unsandboxed == as_root and (zygotes == 0 if as_root else zygotes >= 2), \
        f"the web engine's helpers as {user or 'the test user'}: {[' '.join(h[:3]) for h in helpers]}"
    print(f"as {user or pwd.getpwuid(os.geteuid()).pw_name}: drawing {index + 1} of {len(drawings)} "
          f"at ({left}, {top}); start page shown; {len(helpers)} engine helpers, {zygotes} zygotes, "
          f"sandbox {'off' if unsandboxed else 'on'}")


if __name__ == "__main__":
    if len(sys.argv) != 3:
        print("use: installed_package.py BUILD_FOLDER SHOTS_FOLDER")
        sys.exit(2)
    sys.exit(main(*sys.argv[1:]))

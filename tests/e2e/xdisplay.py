# A private X display for the end-to-end tests: Xvfb on a free display number,
# openbox as the window manager, and the program driven with xdotool only.
import contextlib
import ctypes
import glob
import os
import select
import shutil
import signal
import subprocess
import tempfile
import time
import traceback

from pictures import Screen

# Twips of the window's design: 15 to a pixel, rounded as the program rounds.
TWIPS_PER_PIXEL = 15


def twips(value):
    return int(value / TWIPS_PER_PIXEL + 0.5)


def twips_centre(left, top, width, height):
    """The pixel centre, inside its parent, of a control placed in twips."""
    return twips(left) + twips(width) // 2, twips(top) + twips(height) // 2


def wait_until(what, probe, timeout, interval=0.2):
    """Calls probe until it returns something true, and returns that; fails after timeout seconds."""
    deadline = time.monotonic() + timeout
    while True:
        value = probe()
        if value:
            return value
        if time.monotonic() > deadline:
            raise TimeoutError(f"waited {timeout} s for {what}")
        time.sleep(interval)


MAIN_TITLE = "^Pintavo - Freeware da "


@contextlib.contextmanager
def scratch_folder(prefix):
    """A temporary folder for one test: removed when the test passes, kept (and
    named) to look at when it fails."""
    root = tempfile.mkdtemp(prefix=prefix)
    try:
        yield root
    except BaseException:
        print(f"kept to look at: {root}")
        raise
    shutil.rmtree(root, ignore_errors=True)


def wait_for_main_window(x, app):
    """Waits for Pintavo's main window; fails at once if the program ended instead."""
    wait_until("the main window", lambda: x.find_window(MAIN_TITLE) or app.poll() is not None, 60)
    assert app.poll() is None, f"the program ended at start-up with code {app.returncode}"


def require_tools(*names):
    missing = [n for n in names if shutil.which(n) is None]
    if missing:
        # CTest counts exit code 77 as skipped; tools/setup installs these.
        print("missing " + ", ".join(missing) + " (tools/setup installs them): skipped")
        raise SystemExit(77)


def as_user(argv, user):
    """argv run as the ordinary `user` (by root), with the environment it is given;
    argv itself when no user is named."""
    return ["setpriv", f"--reuid={user}", f"--regid={user}", "--clear-groups", "--", *argv] if user else list(argv)


def network_isolated(argv, user=None):
    """argv run in a network namespace of its own where only loopback answers, so
    that the program's web pane can follow no link out of the machine; as the
    ordinary `user` when named (which takes root). Returns the command, or None
    and the reason where no such namespace can be made here."""
    if os.geteuid() == 0:
        prefix = ["unshare", "--net", "--", "sh", "-c", 'ip link set lo up && exec "$@"', "sh", *as_user([], user)]
    elif user is None:
        # The network namespace takes a user namespace whose root we are; the
        # program itself is back under its own user id inside it, as the web
        # engine's sandbox must see it.
        prefix = ["unshare", "--map-root-user", "--net", "--", "sh", "-c",
                  f'ip link set lo up && exec unshare --map-user={os.getuid()} --map-group={os.getgid()} -- "$@"',
                  "sh"]
    else:
        return None, f"starting the program as {user} takes root"
    missing = [n for n in ("unshare", "ip", "setpriv") if shutil.which(n) is None]
    if missing:
        return None, "missing " + ", ".join(missing) + " (tools/setup installs them)"
    probe = subprocess.run(prefix + ["true"], capture_output=True, text=True, timeout=30)
    if probe.returncode != 0:
        return None, f"no network namespace can be made here: {probe.stderr.strip()}"
    return prefix + list(argv), None


def process_tree(pid):
    """pid and every process below it."""
    children = {}
    for stat in glob.glob("/proc/[0-9]*/stat"):
        try:
            with open(stat) as f:
                text = f.read()
        except OSError:
            continue
        fields = text[text.rindex(")") + 2:].split()
        children.setdefault(int(fields[1]), []).append(int(stat.split("/")[2]))
    tree, todo = [], [pid]
    while todo:
        p = todo.pop()
        tree.append(p)
        todo.extend(children.get(p, []))
    return tree


def web_engine_helpers(pid):
    """The command lines of the web engine's helper processes below pid."""
    helpers = []
    for p in process_tree(pid):
        try:
            with open(f"/proc/{p}/cmdline", "rb") as f:
                argv = f.read().decode(errors="replace").split("\0")
        except OSError:
            continue
        if os.path.basename(argv[0]) == "QtWebEngineProcess":
            helpers.append(argv)
    return helpers


class VirtualDisplay:
    def __init__(self, workdir, width=1280, height=1024):
        self.workdir = workdir
        self.size = (width, height)
        self.display = None
        self.processes = []

    # What the display needs; a test checks for them before it makes anything.
    TOOLS = ("Xvfb", "openbox", "xdotool", "import", "convert")

    def __enter__(self):
        # A test stopped from outside (CTest's timeout sends SIGTERM) still
        # takes its X server and programs down on the way out.
        signal.signal(signal.SIGTERM, _stop)
        try:
            self._start_display()
        except BaseException:
            self.__exit__(None, None, None)
            raise
        return self

    def _start_display(self):
        # PINTAVO_X_DISPLAYS=40-49 keeps the X servers to those display numbers,
        # for machines where several runs share the numbers; otherwise Xvfb
        # takes the first free one.
        first, _, last = os.environ.get("PINTAVO_X_DISPLAYS", "").partition("-")
        wanted = [f":{n}" for n in range(int(first), int(last or first) + 1)] if first else [None]
        for display in wanted:
            xvfb, number = self._start_xvfb(display, last_try=display == wanted[-1])
            if xvfb:
                break
        self.display = ":" + number
        self.env = dict(os.environ, DISPLAY=self.display)
        openbox = self.start(["openbox", "--sm-disable"], self.env, "openbox")
        # openbox is up once it has published its desktops on the root window.
        wait_until("openbox", lambda: self.run("xdotool", "get_num_desktops", check=False)
                   or openbox.poll() is not None, 20)
        if openbox.poll() is not None:
            raise RuntimeError("openbox ended at start: " + self.log_text("openbox"))
        assert xvfb.poll() is None, "Xvfb ended at start"

    def _start_xvfb(self, display, last_try):
        """Xvfb on `display` (a free one when None) and the number it took; None
        for both when that display is taken and other numbers remain to try."""
        read_end, write_end = os.pipe()
        xvfb = self._popen(
            ["Xvfb", *([display] if display else []), "-displayfd", str(write_end), "-screen", "0",
             f"{self.size[0]}x{self.size[1]}x24", "-nolisten", "tcp", "-noreset"],
            None, "xvfb", pass_fds=[write_end])
        os.close(write_end)
        number = b""
        deadline = time.monotonic() + 30
        try:
            while not number.endswith(b"\n"):
                ready, _, _ = select.select([read_end], [], [], max(0.0, deadline - time.monotonic()))
                if not ready:
                    raise TimeoutError("Xvfb did not report its display number in 30 s")
                chunk = os.read(read_end, 16)
                if not chunk:
                    if not last_try:
                        xvfb.wait(10)
                        self.processes.remove(xvfb)
                        return None, None
                    raise RuntimeError("Xvfb ended before it was ready: " + self.log_text("xvfb"))
                number += chunk
        finally:
            os.close(read_end)
        return xvfb, number.decode().strip()

    def __exit__(self, *exc):
        for process in reversed(self.processes):
            if process.poll() is None:
                try:
                    os.killpg(process.pid, signal.SIGTERM)
                except ProcessLookupError:
                    pass
                try:
                    process.wait(10)
                except subprocess.TimeoutExpired:
                    os.killpg(process.pid, signal.SIGKILL)
                    process.wait(10)
        self.processes.clear()
        return False

    def _log(self, name):
        return open(os.path.join(self.workdir, name + ".log"), "ab")

    def log_text(self, name):
        path = os.path.join(self.workdir, name + ".log")
        if not os.path.exists(path):
            return ""
        with open(path, "rb") as f:
            return f.read().decode(errors="replace")

    def start(self, argv, env, log):
        """Starts a program on this display in its own process group, output to LOG.log."""
        return self._popen(argv, env, log)

    def start_offline(self, argv, env, log):
        """As start(), in a network namespace where only loopback answers: the
        program's web pane shows pages whose links lead out of the machine. The
        test is skipped where no such namespace can be made."""
        isolated, why = network_isolated(argv)
        if isolated is None:
            print(f"SKIPPED: {why}")
            raise SystemExit(77)
        return self._popen(isolated, env, log)

    def _popen(self, argv, env, log, **options):
        process = subprocess.Popen(argv, env=env, stdout=self._log(log), stderr=subprocess.STDOUT,
                                   stdin=subprocess.DEVNULL, process_group=0,
                                   preexec_fn=_die_with_parent, **options)
        self.processes.append(process)
        return process

    def run(self, *argv, check=True):
        result = subprocess.run(argv, env=self.env, capture_output=True, timeout=30)
        if check and result.returncode != 0:
            raise RuntimeError(f"{' '.join(argv)}: {result.stderr.decode(errors='replace')}")
        return result.stdout.decode(errors="replace").strip() if result.returncode == 0 else ""

    def xdotool(self, *args):
        return self.run("xdotool", *[str(a) for a in args])

    def find_window(self, name_pattern):
        found = self.run("xdotool", "search", "--onlyvisible", "--name", name_pattern, check=False)
        return found.split()[0] if found else None

    def active_window_name(self):
        return self.run("xdotool", "getactivewindow", "getwindowname", check=False)

    def screenshot(self):
        ppm = subprocess.run(["import", "-window", "root", "-depth", "8", "ppm:-"], env=self.env,
                             capture_output=True, check=True, timeout=30).stdout
        return Screen.from_ppm(ppm)

    def save_screenshot(self, path):
        os.makedirs(os.path.dirname(path), exist_ok=True)
        subprocess.run(["import", "-window", "root", path], env=self.env, check=True, timeout=30)

    def click(self, x, y, button=1):
        self.xdotool("mousemove", "--sync", x, y)
        time.sleep(0.1)
        self.xdotool("click", button)
        time.sleep(0.3)

    def drag(self, points, button=1, pause=0.03):
        """Presses at the first point, moves through the others one by one, releases at the last."""
        self.xdotool("mousemove", "--sync", *points[0])
        time.sleep(0.1)
        self.xdotool("mousedown", button)
        for x, y in points[1:]:
            time.sleep(pause)
            self.xdotool("mousemove", "--sync", x, y)
        time.sleep(0.1)
        self.xdotool("mouseup", button)
        time.sleep(0.3)

    def key(self, *keys):
        self.xdotool("key", "--delay", 50, *keys)
        time.sleep(0.2)

    def type_text(self, text):
        self.xdotool("type", "--delay", 30, text)
        time.sleep(0.3)


def _stop(signum, frame):
    raise SystemExit(f"stopped by signal {signum}")


_libc = ctypes.CDLL(None, use_errno=True)
_PR_SET_PDEATHSIG = 1


def _die_with_parent():
    """In the child before exec: a SIGKILL when the test itself goes, however it goes."""
    _libc.prctl(_PR_SET_PDEATHSIG, signal.SIGKILL)


def program_environment(base, home):
    """What the program sees: a private home, X11, and no desktop of the host."""
    env = {k: v for k, v in base.items()
           if k not in ("QT_QPA_PLATFORMTHEME", "XDG_CURRENT_DESKTOP",
                        "QT_STYLE_OVERRIDE", "WAYLAND_DISPLAY")}
    runtime = os.path.join(home, "runtime")
    os.makedirs(runtime, mode=0o700, exist_ok=True)
    env.update(HOME=home, XDG_RUNTIME_DIR=runtime, XDG_CONFIG_HOME=os.path.join(home, ".config"),
               XDG_CACHE_HOME=os.path.join(home, ".cache"), XDG_DATA_HOME=os.path.join(home, ".local/share"),
               QT_QPA_PLATFORM="xcb", LANG="C.UTF-8")
    return env


def check_on_screen(x, check, failure_shot):
    """Runs the check; when it fails, keeps a screenshot and the program's output."""
    try:
        check()
    except BaseException:
        traceback.print_exc()
        x.save_screenshot(failure_shot)
        print("program output:\n" + x.log_text("pintavo"))
        raise

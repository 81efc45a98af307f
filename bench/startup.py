#!/usr/bin/env python3
# Start-up benchmark: the installed program started N times on its own Xvfb
# (1600 x 1000) with openbox, beside the plainest Qt program showing a drawing
# maximised (and Tux Paint, when it is installed). Prints the medians of:
#   mapped   the program's window is viewable
#   painted  the window's left part (sheet and palette column) shows what it
#            shows at the end, and keeps showing it: read from the screen's pixels
#   page     the web pane shows the start page (its coral header) as it does at
#            the end, and keeps showing it
#   PSS      proportional memory of the program and every process under it,
#            read from /proc once the start page is shown
# All times in seconds from exec. Each start gets a fresh home folder, as a new
# user's would; one unmeasured start first warms the disk cache. With --user,
# root also starts Pintavo as that ordinary user, whose web engine keeps its
# sandbox and starts its two zygotes, as on a family's computer.
#
#   bench/startup.py [--build build] [--installed PREFIX] [--runs 5] [--display N] [--user NAME]
import argparse
import glob
import os
import shutil
import signal
import statistics
import subprocess
import sys
import tempfile
import time

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.dirname(HERE)
sys.path.insert(0, os.path.join(ROOT, "tests", "e2e"))
from xdisplay import as_user, process_tree, program_environment, wait_until  # noqa: E402

SCREEN = (1600, 1000)
# The sheet and the palette column end left of this many pixels of the window.
LEFT_PART = 565


def start_display(workdir, number):
    log = open(os.path.join(workdir, "x.log"), "ab")
    if number is None:
        read_end, write_end = os.pipe()
        xvfb = subprocess.Popen(["Xvfb", "-displayfd", str(write_end), "-screen", "0",
                                 f"{SCREEN[0]}x{SCREEN[1]}x24", "-nolisten", "tcp", "-noreset"],
                                stdout=log, stderr=log, pass_fds=[write_end], process_group=0)
        os.close(write_end)
        # Xvfb may write the number and its newline apart, and fails when the
        # pipe is closed in between.
        told = b""
        while not told.endswith(b"\n"):
            chunk = os.read(read_end, 16)
            if not chunk:
                sys.exit("Xvfb ended before it told its display number: see " + log.name)
            told += chunk
        display = ":" + told.decode().strip()
        os.close(read_end)
    else:
        display = f":{number}"
        xvfb = subprocess.Popen(["Xvfb", display, "-screen", "0", f"{SCREEN[0]}x{SCREEN[1]}x24",
                                 "-nolisten", "tcp", "-noreset"], stdout=log, stderr=log, process_group=0)
    env = dict(os.environ, DISPLAY=display)
    wait_until("Xvfb", lambda: subprocess.run(["xdotool", "getmouselocation"], env=env,
                                              capture_output=True).returncode == 0, 20, 0.1)
    openbox = subprocess.Popen(["openbox", "--sm-disable"], env=env, stdout=log, stderr=log, process_group=0)
    wait_until("openbox", lambda: subprocess.run(["xdotool", "get_num_desktops"], env=env,
                                                 capture_output=True).returncode == 0, 20, 0.1)
    time.sleep(0.5)
    return env, [openbox, xvfb]


def pss_mb(pid):
    total = 0
    for p in process_tree(pid):
        try:
            with open(f"/proc/{p}/smaps_rollup") as f:
                for line in f:
                    if line.startswith("Pss:"):
                        total += int(line.split()[1])
        except OSError:
            pass
    return total / 1024


def first_still(frames, key):
    """The time from which the frames' key keeps the value of the last frame."""
    if not frames:
        return None
    final = key(frames[-1])
    t = None
    for frame in frames:
        if key(frame) == final:
            if t is None:
                t = frame[0]
        else:
            t = None
    return t


def watch(watcher, argv, env, header, seconds):
    options = ["--left", str(LEFT_PART), "--seconds", str(seconds)]
    if not header:
        options.append("--no-header")
    proc = subprocess.Popen([watcher, *options, "--", *argv], env=env, stdout=subprocess.PIPE,
                            stderr=subprocess.DEVNULL, text=True)
    result = {"mapped": None, "painted": None, "page": None, "pss": None}
    frames, pid = [], None
    for line in proc.stdout:
        word, *rest = line.split()
        if word == "pid":
            pid = int(rest[0])
        elif word == "mapped":
            result["mapped"] = float(rest[0])
        elif word == "frame":
            frames.append((float(rest[0]), rest[1], rest[2], rest[3] == "1"))
        elif word in ("done", "ended"):
            break
    if pid is not None and word == "done":
        time.sleep(1.0)
        result["pss"] = pss_mb(pid)
    if pid is not None:
        try:
            os.killpg(pid, signal.SIGTERM)
        except ProcessLookupError:
            pass
    try:
        proc.wait(15)
    except subprocess.TimeoutExpired:
        os.killpg(pid, signal.SIGKILL)
        proc.wait(15)
    result["painted"] = first_still(frames, lambda f: f[1])
    if header and frames and frames[-1][3]:
        result["page"] = first_still(frames, lambda f: (f[2], f[3]))
    return result


def median(values):
    values = [v for v in values if v is not None]
    return statistics.median(values) if values else None


def show(value, unit=" s"):
    if value is None:
        return "-"
    return f"{value:.0f} MB" if unit == " MB" else f"{value:.2f}{unit}"


def main():
    parser = argparse.ArgumentParser(description="Start-up benchmark of the installed program.")
    parser.add_argument("--build", default=os.path.join(ROOT, "build"))
    parser.add_argument("--installed", help="an installed prefix to start instead of installing --build")
    parser.add_argument("--runs", type=int, default=5)
    parser.add_argument("--display", type=int, help="X display number to use (default: a free one)")
    parser.add_argument("--seconds", type=float, default=12.0, help="longest watch of one start")
    parser.add_argument("--user", help="also start Pintavo as this ordinary user (run the benchmark as root)")
    args = parser.parse_args()
    if args.user and os.geteuid() != 0:
        sys.exit("--user: only root can start the program as another user")

    watcher = os.path.join(args.build, "bench", "bench_startwatch")
    plain = os.path.join(args.build, "bench", "bench_startup_plain")
    for tool in (watcher, plain):
        if not os.access(tool, os.X_OK):
            sys.exit(f"{tool} is missing: build the project first")
    work = tempfile.mkdtemp(prefix="pintavo-startup-")
    # Another user reads the installed copy and owns a home below.
    os.chmod(work, 0o755)
    try:
        prefix = args.installed
        if not prefix:
            prefix = os.path.join(work, "usr")
            subprocess.run(["cmake", "--install", args.build, "--prefix", prefix],
                           check=True, stdout=subprocess.DEVNULL)
        program = os.path.join(prefix, "bin", "pintavo")
        drawing = sorted(glob.glob(os.path.join(prefix, "lib", "pintavo", "Immagini", "*.bmp")))[0]
        env, servers = start_display(work, args.display)
        subjects = [("Pintavo", [program], True, None)]
        if args.user:
            subjects.append((f"Pintavo as {args.user}", as_user([program], args.user), True, args.user))
        subjects.append(("plain Qt", [plain, drawing], False, None))
        if shutil.which("tuxpaint"):
            subjects.append(("Tux Paint", ["tuxpaint", "--windowed", "--nosound"], False, None))
        results = {name: [] for name, _, _, _ in subjects}
        try:
            for run in range(args.runs + 1):
                for name, argv, header, user in subjects:
                    home = os.path.join(work, f"home-{run}-{len(results[name])}")
                    subject_env = program_environment(env, home)
                    if user:
                        subprocess.run(["chown", "-R", f"{user}:", home], check=True)
                    r = watch(watcher, argv, subject_env, header, args.seconds)
                    if run > 0:
                        results[name].append(r)
                        print(f"{name} {run}: " + ", ".join(f"{k} {show(v, ' MB' if k == 'pss' else ' s')}"
                                                            for k, v in r.items()), flush=True)
                    shutil.rmtree(home, ignore_errors=True)
                    time.sleep(1.0)
        finally:
            for server in servers:
                server.terminate()
                server.wait(10)

        print(f"\nmedians of {args.runs} starts, {os.cpu_count()} cores, load {os.getloadavg()[0]:.1f}")
        print("| program | window mapped | window painted | start page rendered | PSS, page shown |")
        print("|---|---|---|---|---|")
        med = {}
        for name, _, _, _ in subjects:
            med[name] = {k: median([r[k] for r in results[name]]) for k in ("mapped", "painted", "page", "pss")}
            m = med[name]
            print(f"| {name} | {show(m['mapped'])} | {show(m['painted'])} | {show(m['page'])} | "
                  f"{show(m['pss'], ' MB')} |")
        b = med["plain Qt"]["painted"]
        print()
        for name in [n for n, _, header, _ in subjects if header]:
            a = med[name]["painted"]
            if a and b:
                print(f"window painted, {name} / plain Qt: {a / b:.2f}")
    finally:
        shutil.rmtree(work, ignore_errors=True)


if __name__ == "__main__":
    main()

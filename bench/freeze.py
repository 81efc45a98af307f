#!/usr/bin/env python3
# Freeze benchmark: how long the main window leaves the window manager's
# _NET_WM_PING unanswered, as a family's desktop sees a program that hangs.
# Pintavo runs on its own Xvfb with openbox, in a network namespace of its own.
#   silent    a clipboard owner that never answers; Ctrl+V pressed --presses
#             times, 0.15 s apart
#   paste     a clipboard owner that offers FILE's file:// address; one Ctrl+V
#   start     `pintavo FILE`: seconds from exec to the main window shown
# Prints the total and longest unanswered waits (or the start time) and, for
# the clipboard, how many questions its owner was asked.
#
#   bench/freeze.py [--build build] [--program PATH] [--presses 1] [--seconds 30] silent|paste|start [FILE]
import argparse
import os
import subprocess
import sys
import tempfile
import time

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.dirname(HERE)
sys.path.insert(0, os.path.join(ROOT, "tests", "e2e"))
from xdisplay import MAIN_TITLE, VirtualDisplay, program_environment, wait_until  # noqa: E402


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("what", choices=("silent", "paste", "start"))
    parser.add_argument("file", nargs="?")
    parser.add_argument("--build", default=os.path.join(ROOT, "build"))
    parser.add_argument("--program")
    parser.add_argument("--presses", type=int, default=1)
    parser.add_argument("--seconds", type=float, default=30)
    args = parser.parse_args()
    program = args.program or os.path.join(args.build, "bin", "pintavo")
    watch = os.path.join(args.build, "bench", "bench_freezewatch")
    with tempfile.TemporaryDirectory(prefix="pintavo-freeze-") as work, VirtualDisplay(work) as x:
        env = program_environment(x.env, os.path.join(work, "home"))
        argv = [program] + ([os.path.abspath(args.file)] if args.what == "start" else [])
        began = time.monotonic()
        app = x.start_offline(argv, env, "pintavo")
        window = wait_until("the main window", lambda: x.find_window(MAIN_TITLE) or app.poll() is not None, 600)
        if args.what == "start":
            print(f"window shown after {time.monotonic() - began:.2f} s")
            return
        time.sleep(5)  # the web pane starts once the window has been left alone
        owner_argv = [watch, "silent"] if args.what == "silent" else \
            [watch, "offer", "file://" + os.path.abspath(args.file)]
        owner = x.start(owner_argv, x.env, "owner")
        wait_until("the clipboard's owner", lambda: "owner" in x.log_text("owner"), 10)
        x.xdotool("windowactivate", "--sync", window)
        pinger = subprocess.Popen([watch, "ping", window, str(args.seconds)], env=x.env,
                                  stdout=subprocess.PIPE, text=True)
        time.sleep(1)
        for _ in range(args.presses):
            x.xdotool("key", "ctrl+v")
            time.sleep(0.15)
        print(pinger.communicate()[0].strip().splitlines()[-1])
        owner.terminate()
        print(f"owner asked {x.log_text('owner').count('question')} times")


if __name__ == "__main__":
    main()

#!/usr/bin/env python3
# The built program answers --help and --version on standard output and exits 0,
# with no display at all: it must not need a window system to answer.
#
#   command_line.py PROGRAM VERSION
import os
import subprocess
import sys
import tempfile

# Arguments, then lines the answer must hold.
CASES = [
    (["--help"], ["Uso: pintavo [FILE]", "Usage: pintavo [FILE]",
                  "  --help     mostra questo aiuto ed esce / shows this help and exits",
                  "  --version  mostra la versione ed esce / shows the version and exits"]),
    (["gatto.bmp", "--help", "altro"], ["Uso: pintavo [FILE]", "Usage: pintavo [FILE]"]),
    (["--version"], ["Pintavo {version}", "Licenza / Licence: GPL-3.0-or-later"]),
]


def main(program, version):
    failures = []
    with tempfile.TemporaryDirectory(prefix="pintavo-cli-") as home:
        env = {k: v for k, v in os.environ.items()
               if k not in ("DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM", "XAUTHORITY")}
        env.update(HOME=home, XDG_RUNTIME_DIR=home, LANG="C.UTF-8")
        for arguments, wanted in CASES:
            run = subprocess.run([program, *arguments], env=env, capture_output=True, text=True, timeout=30)
            lines = run.stdout.splitlines()
            missing = [w.format(version=version) for w in wanted if w.format(version=version) not in lines]
            if run.returncode != 0 or missing or run.stderr:
                failures.append(f"pintavo {' '.join(arguments)}: exit {run.returncode}, "
                                f"lines missing {missing}, stderr {run.stderr!r}, stdout {run.stdout!r}")
            else:
                print(f"pintavo {' '.join(arguments)}: exit 0, {len(lines)} lines")
    for failure in failures:
        print(failure)
    return 1 if failures else 0


if __name__ == "__main__":
    if len(sys.argv) != 3:
        print("use: command_line.py PROGRAM VERSION")
        sys.exit(2)
    sys.exit(main(*sys.argv[1:]))

"""Start-up of the Windows program under Wine, against a bare Qt window under Wine, in the same run.

Both programs start from one folder with the same Qt libraries, on a private X server with a
window manager and a Wine server that is already running; each round starts each program once,
in turns, and measures the time from the start until its window is on the screen. The program
starts as a teacher meets it the first time: no settings, an empty data folder. Prints the
median of the rounds and the ratio; the goal is at most 1.5.

    python3 bench/windows/bench_wine_startup.py --windows-build build-windows
"""

import argparse
import os
import shutil
import statistics
import subprocess
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "tests", "support"))
from atspisession import Session  # noqa: E402


def window_shown(env, title):
    found = subprocess.run(["xdotool", "search", "--onlyvisible", "--name", title], env=env,
                           capture_output=True)
    return found.returncode == 0


def start_time(session, env, program, title):
    """Seconds from the start until the window titled so is shown; the program is then ended."""
    started = time.monotonic()
    process = session.start(["wine", program], env, stdout=subprocess.DEVNULL,
                            stderr=subprocess.DEVNULL)
    while not window_shown(env, title):
        if time.monotonic() - started > 60:
            raise RuntimeError("%s showed no window" % program)
        time.sleep(0.005)
    elapsed = time.monotonic() - started
    process.kill()
    process.wait()
    # The window goes with its process; the next start must not find it.
    while window_shown(env, title):
        time.sleep(0.05)
    return elapsed


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--windows-build", required=True)
    parser.add_argument("--rounds", type=int, default=7)
    args = parser.parse_args()
    build = os.path.abspath(args.windows_build)

    session = Session()
    try:
        session.start_desktop()
        folder = os.path.join(session.tmp, "Tessaro")
        shutil.copytree(os.path.join(build, "stage", "Tessaro"), folder)
        shutil.copy(os.path.join(build, "bench", "windows", "barewindow.exe"), folder)
        env = dict(session.env, WINEPREFIX=os.path.join(session.tmp, "wine"), WINEDEBUG="-all",
                   WINEDLLOVERRIDES="mscoree=;mshtml=;winemenubuilder.exe=d", LANG="de_DE.UTF-8")
        subprocess.run(["wineboot", "-i"], env=env, check=True, stdout=subprocess.DEVNULL,
                       stderr=subprocess.DEVNULL)
        session.start(["wineserver", "-f", "-p"], env)
        programs = [("bare Qt window", os.path.join(folder, "barewindow.exe"), "Bare Qt window"),
                    ("Tessaro", os.path.join(folder, "Tessaro.exe"), "Tessaro V1.01")]
        for _, program, title in programs:
            start_time(session, env, program, title)
        times = {name: [] for name, _, _ in programs}
        for _ in range(args.rounds):
            for name, program, title in programs:
                times[name].append(start_time(session, env, program, title))
        medians = {name: statistics.median(values) for name, values in times.items()}
        for name, values in times.items():
            print("%-15s median %.3f s  (%s)" % (name, medians[name], " ".join("%.3f" % v for v in values)))
        ratio = medians["Tessaro"] / medians["bare Qt window"]
        print("Tessaro / bare Qt window: %.2f (goal: at most 1.5)" % ratio)
        return 0 if ratio <= 1.5 else 1
    finally:
        session.stop()


if __name__ == "__main__":
    sys.exit(main())

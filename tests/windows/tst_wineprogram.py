"""Tessaro for Windows under Wine, as a teacher's computer meets it, driven by real keys.

On a private X server with a window manager and a Wine prefix of its own: the installer runs
silently; the program starts from its Start menu entry; a participant is created and a new day
with a remark stored, and the participant file must be byte for byte what the Linux program writes
for the same keys. A second start hands over to the first and leaves one program. With
stand-ins of NVDA's controller client, JAWS's automation object and the screen readers' windows
(built here with MinGW), a day change and a field's announcement reach the screen reader that
runs, JAWS before NVDA, and nothing reaches either while neither runs. Screenshots at 12 and 36
points go to <windows build>/screenshots, to be looked at. The uninstall leaves the participant
files and the settings.
"""

import argparse
import glob
import os
import shutil
import subprocess
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "support"))
from atspisession import Session  # noqa: E402

STANDINS = os.path.join(os.path.dirname(os.path.abspath(__file__)), "standins")
TITLE_END = "Tessaro V1.01"
PARTICIPANT = "Anna Müller"
PARTICIPANT_LIST = "Wählen Sie einen neuen Teilnehmer"
# Escape closes the participant list of the first start; a participant is created; a new day is
# made and given a remark; Alt+F4 stores and closes.
WALK = ["Escape", "ctrl+e", "type:" + PARTICIPANT, "Tab", "type:4A", "Tab", "type:Zwilling",
        "Return", "Return", "ctrl+n", "Return", "Tab", "type:Ausflug", "alt+F4"]
JAWS_CLASS = "{CCE5B1E5-B2ED-45D5-B09F-8EC54B75ABF4}"
UNINSTALL_KEY = r"HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Tessaro"


class Run:
    def __init__(self, session, build):
        self.session = session
        self.build = build
        self.failures = []
        self.tmp = session.tmp
        self.log = os.path.join(self.tmp, "standins.log")

    def check(self, name, ok, detail=""):
        print("%s - %s%s" % ("ok" if ok else "FAIL", name, "" if ok else ": %s" % detail), flush=True)
        if not ok:
            self.failures.append(name)
        return ok

    # ------------------------------------------------------------------ keys and windows

    def play(self, env, keys):
        for key in keys:
            if key.startswith("type:"):
                subprocess.run(["xdotool", "type", "--delay", "60", key[5:]], env=env, check=True)
            else:
                subprocess.run(["xdotool", "key", key], env=env, check=True)
            time.sleep(0.6)

    def windows(self, env, title=TITLE_END + "$"):
        found = subprocess.run(["xdotool", "search", "--onlyvisible", "--name", title], env=env,
                               capture_output=True, text=True)
        return found.stdout.split()

    def wait(self, what, condition, timeout=60):
        deadline = time.monotonic() + timeout
        while not condition():
            if time.monotonic() > deadline:
                raise RuntimeError("waited in vain for " + what)
            time.sleep(0.1)

    def screenshot(self, env, name):
        folder = os.path.join(self.build, "screenshots")
        os.makedirs(folder, exist_ok=True)
        subprocess.run(["import", "-window", "root", os.path.join(folder, name + ".png")], env=env,
                       check=True)

    # ------------------------------------------------------------------ the Linux program

    def linux_file(self, program):
        home = os.path.join(self.tmp, "linux")
        config = os.path.join(home, ".config", "Tessaro")
        os.makedirs(config)
        os.makedirs(os.path.join(home, "Documents"))
        os.makedirs(os.path.join(home, "runtime"), mode=0o700)
        with open(os.path.join(config, "Tessaro.ini"), "w") as file:
            file.write("[General]\nAktOrdner=1\n")
        env = dict(self.session.env, HOME=home, XDG_CONFIG_HOME=os.path.dirname(config),
                   XDG_RUNTIME_DIR=os.path.join(home, "runtime"), LANG="de_DE.UTF-8",
                   LC_ALL="de_DE.UTF-8", QT_QPA_PLATFORM="xcb")
        process = self.session.start([program], env)
        self.wait("the Linux program's window", lambda: self.windows(env))
        time.sleep(1)
        self.play(env, WALK)
        process.wait(30)
        return read_participant(os.path.join(home, "Documents", "Tessaro"))

    # ------------------------------------------------------------------ Wine

    def wine_env(self):
        home = os.path.join(self.tmp, "wine-home")
        os.makedirs(os.path.join(home, "Documents"), exist_ok=True)
        return dict(self.session.env, HOME=home, WINEPREFIX=os.path.join(self.tmp, "wine"),
                    WINEDEBUG="-all", WINEDLLOVERRIDES="mscoree=;mshtml=;winemenubuilder.exe=d",
                    LANG="de_DE.UTF-8", LC_ALL="de_DE.UTF-8",
                    TESSARO_STANDIN_LOG=windows_path(self.log))

    def wine(self, env, *args, check=True):
        # Not through pipes: Wine's own services inherit them and would keep them open.
        return subprocess.run(["wine"] + list(args), env=env, stdout=subprocess.DEVNULL,
                              stderr=subprocess.DEVNULL, check=check, timeout=120)

    def build_standins(self):
        folder = os.path.join(self.tmp, "standins")
        os.makedirs(folder)
        compile_ = ["-O2", "-static", "-I", STANDINS]
        subprocess.run(["x86_64-w64-mingw32-gcc-posix", "-shared", *compile_, "-o",
                        os.path.join(folder, "nvdaControllerClient64.dll"),
                        os.path.join(STANDINS, "nvdacontroller.c")], check=True)
        subprocess.run(["x86_64-w64-mingw32-g++-posix", "-shared", *compile_, "-o",
                        os.path.join(folder, "jawsapi.dll"), os.path.join(STANDINS, "jawsapi.cpp"),
                        "-loleaut32", "-luuid"], check=True)
        subprocess.run(["x86_64-w64-mingw32-gcc-posix", "-municode", "-mwindows", *compile_, "-o",
                        os.path.join(folder, "screenreaderwindows.exe"),
                        os.path.join(STANDINS, "screenreaderwindows.c")], check=True)
        return folder

    def start_program(self, env, shortcut):
        self.wine(env, "start", "/unix", shortcut)

    def program_closed(self, env):
        self.wait("the program to end", lambda: not self.windows(env) and not tessaro_processes(), 30)

    def log_lines(self):
        try:
            with open(self.log, encoding="utf-8") as file:
                return file.read().splitlines()
        except FileNotFoundError:
            return []

    def expect_log(self, name, expected):
        deadline = time.monotonic() + 5
        while self.log_lines() != expected and time.monotonic() < deadline:
            time.sleep(0.1)
        self.check(name, self.log_lines() == expected, self.log_lines())


def windows_path(path):
    """The path as a Windows program sees it: Wine's drive Z: is the root folder."""
    return "Z:" + os.path.abspath(path).replace("/", "\\")


def tessaro_processes():
    found = subprocess.run(["pgrep", "-f", "Tessaro.exe"], capture_output=True, text=True)
    return found.stdout.split()


def read_participant(folder):
    files = {}
    for path in sorted(glob.glob(os.path.join(folder, "*"))):
        with open(path, "rb") as file:
            files[os.path.basename(path)] = file.read()
    return files


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--windows-build", required=True)
    parser.add_argument("--linux-program", required=True)
    args = parser.parse_args()
    build = os.path.abspath(args.windows_build)
    session = Session()
    run = Run(session, build)
    try:
        session.start_desktop()
        expected = run.linux_file(args.linux_program)
        run.check("the Linux program wrote the participant", PARTICIPANT + ".dat" in expected, expected)

        env = run.wine_env()
        subprocess.run(["wineboot", "-i"], env=env, check=True, stdout=subprocess.DEVNULL,
                       stderr=subprocess.DEVNULL, timeout=300)
        session.start(["wineserver", "-f", "-p"], env)
        standins = run.build_standins()

        # The silent install, per user.
        installer = os.path.join(build, "tessaro-1.01-setup.exe")
        run.check("silent install", run.wine(env, installer, "/S", check=False).returncode == 0)
        users = os.path.join(env["WINEPREFIX"], "drive_c", "users")
        program = glob.glob(os.path.join(users, "*", "AppData", "Local", "Programs", "Tessaro"))
        shortcut = glob.glob(os.path.join(users, "*", "AppData", "Roaming", "Microsoft", "Windows",
                                          "Start Menu", "Programs", "Tessaro.lnk"))
        if not (run.check("installed below the user's programs", len(program) == 1, program)
                and run.check("Start menu entry", len(shortcut) == 1, shortcut)):
            return 1
        program, shortcut = program[0], shortcut[0]
        run.check("listed among the system's programs",
                  run.wine(env, "reg", "query", UNINSTALL_KEY, check=False).returncode == 0)
        # The screen readers' stand-ins: the NVDA client beside the program, JAWS's object
        # registered in the class root (Wine's COM does not read the user's own classes below
        # HKCU\Software\Classes, where Windows finds them too); neither screen reader's window
        # exists yet.
        shutil.copy(os.path.join(standins, "nvdaControllerClient64.dll"), program)
        key = r"HKCR\CLSID\%s\InprocServer32" % JAWS_CLASS
        run.wine(env, "reg", "add", key, "/ve", "/d", windows_path(os.path.join(standins, "jawsapi.dll")), "/f")
        run.wine(env, "reg", "add", key, "/v", "ThreadingModel", "/d", "Both", "/f")

        # The walk, started from the Start menu entry.
        run.start_program(env, shortcut)
        run.wait("the main window", lambda: run.windows(env))
        run.wait("the question for a first participant", lambda: run.windows(env, "Bestätigen"), 10)
        run.screenshot(env, "question-12pt")
        run.play(env, WALK)
        run.program_closed(env)
        data = os.path.join(env["HOME"], "Documents", "Tessaro")
        written = read_participant(data)
        run.check("the files are byte for byte the Linux program's", written == expected,
                  "%r != %r" % (written, expected))
        run.check("no screen reader ran, nothing was said", run.log_lines() == [], run.log_lines())

        # A second start hands over to the running copy.
        run.start_program(env, shortcut)
        run.wait("the participant list", lambda: run.windows(env, PARTICIPANT_LIST))
        run.screenshot(env, "participant-list-12pt")
        run.play(env, ["Escape"])
        run.screenshot(env, "main-window-12pt")
        run.start_program(env, shortcut)
        time.sleep(3)
        run.check("a second start leaves one program", len(tessaro_processes()) == 1,
                  tessaro_processes())
        run.check("the hand-over key was consumed",
                  run.wine(env, "reg", "query", r"HKCU\Tessaro", check=False).returncode != 0)

        # The screen readers: NVDA runs, then JAWS too, which comes first.
        nvda = session.start(["wine", os.path.join(standins, "screenreaderwindows.exe"), "nvda"], env)
        time.sleep(2)
        run.play(env, ["ctrl+Right", "Tab"])
        # The second day, dated today as the first.
        day = expected[PARTICIPANT + ".dat"].split(b"\r\n")[1].split(b"|")[0].decode("cp1252")
        day += ", Nummer: 2/2"
        # The focus comes to the date field from elsewhere: the day's announcement queues, and
        # the field's caption follows, as no screen reader reads Qt's UI Automation under Wine.
        run.expect_log("NVDA hears the day change and the fields", [
            "NVDA speakText " + day, "NVDA brailleMessage " + day, "NVDA speakText Datum:",
            "NVDA brailleMessage Datum:", "NVDA speakText Anmerkung:",
            "NVDA brailleMessage Anmerkung:"])
        os.remove(run.log)
        session.start(["wine", os.path.join(standins, "screenreaderwindows.exe"), "jaws"], env)
        time.sleep(2)
        run.play(env, ["shift+Tab"])
        run.expect_log("JAWS, running too, hears the field instead of NVDA", [
            "JAWS SayString Datum:", 'JAWS RunFunction BrailleString("Datum:")'])
        nvda.kill()
        run.play(env, ["alt+F4"])
        run.program_closed(env)

        # Large print: the participant list and the main window at 36 points.
        run.wine(env, "reg", "add", r"HKCU\Software\Tessaro", "/v", "FontSize", "/t", "REG_DWORD",
                 "/d", "36", "/f")
        run.start_program(env, shortcut)
        run.wait("the participant list", lambda: run.windows(env, PARTICIPANT_LIST))
        run.screenshot(env, "participant-list-36pt")
        run.play(env, ["Escape"])
        run.screenshot(env, "main-window-36pt")
        run.play(env, ["alt+F4"])
        run.program_closed(env)

        # The uninstall leaves the teacher's files and settings.
        before = read_participant(data)
        uninstall = run.wine(env, os.path.join(program, "Uninstall.exe"), "/S",
                             "_?=" + windows_path(program), check=False)
        run.check("silent uninstall", uninstall.returncode == 0)
        # What the school put there stays, and the uninstaller itself, which ran in place.
        left = sorted(os.listdir(program)) if os.path.isdir(program) else []
        run.check("the program's files are gone, the NVDA client stays",
                  left == ["Uninstall.exe", "nvdaControllerClient64.dll"], left)
        run.check("the Start menu entry is gone", not os.path.exists(shortcut))
        run.check("no longer listed among the programs",
                  run.wine(env, "reg", "query", UNINSTALL_KEY, check=False).returncode != 0)
        run.check("the participant files stay as they were", read_participant(data) == before)
        run.check("the settings stay",
                  run.wine(env, "reg", "query", r"HKCU\Software\Tessaro", check=False).returncode == 0)
    finally:
        session.stop()
    return 1 if run.failures else 0


if __name__ == "__main__":
    sys.exit(main())

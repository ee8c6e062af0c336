"""The real Orca in a private desktop (atspisession.Session), with what it says
and shows written down.

- Speech Dispatcher runs privately with one output module that writes nothing
  to a sound card: it takes what it is given and throws it away. Orca and the
  program speak to it; its log (every request with its client) tells what the
  program itself asked to be said and in which language.
- Orca 43 is started through this file ("orcasession.py --orca PREFIX ARGS"),
  which adds a file handler to Orca's own "speech" and "braille" loggers: one
  line per utterance, written at once. Orca's settings come from a fresh
  folder: key echo off, Braille on or off.
- Optionally BRLTTY 6.5 with its virtual driver ("vr"), which connects to a
  socket this module listens on and reports every change of the display as a
  line `Visual "text"`; lines written back are display keys. Orca and the
  program reach it through BrlAPI on a port of its own.

Orca allows one copy per user at a time, so two such sessions must not run at
once (CTest keeps them apart with a resource lock).
"""

import json
import os
import random
import re
import shutil
import socket
import subprocess
import sys
import threading
import time

# Orca's settings: its defaults, with what the test needs changed.
ORCA_SETTINGS = {"enableKeyEcho": False, "enableEchoByCharacter": False, "enableEchoByWord": False,
                 "brailleFlashTime": 5000}
# One utterance in Orca's speech log; a voice other than the default one is named after it.
SPEECH_LOG_LINE = re.compile(r"^SPEECH OUTPUT: '(.*)'(?: voice=\w+)?$")
BRAILLE_CELLS = 40


class Transcript:
    """Lines appended to a file by another process, read as they come."""

    def __init__(self, path):
        self.path = path
        self.offset = 0
        self.partial = b""

    def new_lines(self):
        try:
            with open(self.path, "rb") as file:
                file.seek(self.offset)
                data = file.read()
        except FileNotFoundError:
            return []
        self.offset += len(data)
        data = self.partial + data
        lines = data.split(b"\n")
        self.partial = lines.pop()
        return [line.decode("utf-8", errors="replace") for line in lines]


class ProgramSpeech:
    """What the program asked Speech Dispatcher to say, read from the server's
    log: the client of each request is known by its connection, and the server
    takes one request at a time, so a queued message belongs to the connection
    that last said "speak"."""

    CLIENT_NAME = re.compile(r'speechd:\s+(\d+):DATA:\|SET SELF CLIENT_NAME "([^"]*)"')
    LANGUAGE = re.compile(r"speechd:\s+(\d+):DATA:\|SET SELF LANGUAGE (\S+)")
    SPEAK = re.compile(r"speechd:\s+(\d+):DATA:\|speak\b")
    QUEUED = re.compile(r"Queueing message \|(.*)\| with priority")

    def __init__(self, path, client):
        self.transcript = Transcript(path)
        self.client = client
        self.names = {}
        self.languages = {}
        self.speaking = None

    def new_messages(self):
        """(language, text) of each message of the client queued since the last call."""
        messages = []
        for line in self.transcript.new_lines():
            if match := self.CLIENT_NAME.search(line):
                self.names[match[1]] = match[2]
            elif match := self.LANGUAGE.search(line):
                self.languages[match[1]] = match[2]
            elif match := self.SPEAK.search(line):
                self.speaking = match[1]
            elif (match := self.QUEUED.search(line)) and self.speaking is not None:
                if (":%s:" % self.client) in self.names.get(self.speaking, ""):
                    messages.append((self.languages.get(self.speaking, "default"), match[1]))
                self.speaking = None
        return messages


class BrailleDisplay:
    """The display BRLTTY's virtual driver shows: a listening socket BRLTTY
    connects to. Keeps every text shown, with the time it came."""

    def __init__(self, path):
        self.server = socket.socket(socket.AF_UNIX, socket.SOCK_STREAM)
        self.server.bind(path)
        self.server.listen(1)
        self.connection = None
        self.shown = []  # (monotonic time, text)
        self.lock = threading.Lock()

    def accept(self, timeout):
        self.server.settimeout(timeout)
        self.connection, _ = self.server.accept()
        self.connection.sendall(b"cells %d\n" % BRAILLE_CELLS)
        threading.Thread(target=self._read, daemon=True).start()

    def _read(self):
        buffer = b""
        while True:
            try:
                chunk = self.connection.recv(4096)
            except OSError:
                return
            if not chunk:
                return
            buffer += chunk
            while b"\n" in buffer:
                line, buffer = buffer.split(b"\n", 1)
                text = line.decode("utf-8", errors="replace")
                if text.startswith('Visual "') and text.endswith('"'):
                    with self.lock:
                        self.shown.append((time.monotonic(), text[8:-1].rstrip()))

    def press(self, command):
        """A display key: a BRLTTY command name without its prefix, "ROUTE 5"."""
        self.connection.sendall(command.encode() + b"\n")

    def current(self):
        with self.lock:
            return self.shown[-1][1] if self.shown else None

    def since(self, moment):
        with self.lock:
            return [(at, text) for at, text in self.shown if at >= moment]

    def close(self):
        for end in (self.connection, self.server):
            if end is not None:
                end.close()


class OrcaSession:
    """Speech Dispatcher, optionally BRLTTY, and Orca in a started desktop."""

    def __init__(self, session, locale, braille):
        self.session = session
        self.locale = locale
        self.folder = os.path.join(session.tmp, "orca-session")
        os.makedirs(self.folder)
        self.env = {}
        self.braille = None
        self._start_speech_dispatcher()
        if braille:
            self._start_brltty()
        self._start_orca(braille)

    def _start_speech_dispatcher(self):
        config = os.path.join(self.folder, "speechd")
        os.makedirs(os.path.join(config, "modules"))
        with open(os.path.join(config, "speechd.conf"), "w") as file:
            file.write('AudioOutputMethod "alsa"\nAudioALSADevice "null"\nLogLevel 5\n'
                       'AddModule "silent" "sd_generic" "silent.conf"\nDefaultModule silent\n')
        with open(os.path.join(config, "modules", "silent.conf"), "w") as file:
            file.write('GenericExecuteSynth "true"\n'
                       'AddVoice "en" "MALE1" "en"\nAddVoice "de" "MALE1" "de"\n'
                       'GenericLanguage "en" "en" "utf-8"\nGenericLanguage "de" "de" "utf-8"\n')
        logs = os.path.join(self.folder, "speechd-logs")
        os.makedirs(logs)
        self.speechd_log = os.path.join(logs, "speech-dispatcher.log")
        address = os.path.join(self.folder, "speechd.sock")
        self.session.start(["speech-dispatcher", "-s", "-t", "0", "-l", "5", "-L", logs, "-C", config,
                            "-c", "unix_socket", "-S", address], self.session.env,
                           stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        self.session.poll("speech-dispatcher", lambda: os.path.exists(address))
        self.env["SPEECHD_ADDRESS"] = "unix_socket:" + address

    def _start_brltty(self):
        display_socket = os.path.join(self.folder, "display.sock")
        self.braille = BrailleDisplay(display_socket)
        # A port of BrlAPI's own for this run; BRLTTY's default authentication needs polkit.
        port = random.randrange(40, 90)
        self.session.start(["brltty", "-n", "-q", "-f", "/dev/null", "-U", self.folder, "-W", self.folder,
                            "-P", os.path.join(self.folder, "brltty.pid"), "-x", "no", "-s", "no",
                            "-b", "vr", "-d", "client:" + display_socket, "-t", "de",
                            "-A", "host=:%d,auth=none" % port, "-L", os.path.join(self.folder, "brltty.log"),
                            "-l", "info,server"],
                           self.session.env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        self.braille.accept(10)
        self.env["BRLAPI_HOST"] = ":%d" % port

    def _start_orca(self, braille):
        data = os.path.join(self.folder, "orca-data")
        os.makedirs(os.path.join(data, "orca"))
        general = dict(ORCA_SETTINGS, enableBraille=braille, firstStart=False)
        profile = dict(general, profile=["Default", "default"])
        with open(os.path.join(data, "orca", "user-settings.conf"), "w") as file:
            json.dump({"general": general, "profiles": {"default": profile},
                       "pronunciations": {}, "keybindings": {}}, file)
        prefix = os.path.join(self.folder, "orca")
        env = dict(self.session.env, XDG_DATA_HOME=data, LANG=self.locale, LC_ALL=self.locale, LANGUAGE="",
                   **self.env)
        with open(prefix + ".out", "wb") as out:
            self.session.start([sys.executable, os.path.abspath(__file__), "--orca", prefix,
                                "--disable", "main-window", "--disable", "splash-window"],
                               env, stdout=out, stderr=subprocess.STDOUT)
        self.speech = Transcript(prefix + ".speech")
        # The start of an utterance whose text goes on in the next log line.
        self.unfinished = None
        self.program_speech = ProgramSpeech(self.speechd_log, "tessaro")

    def wait_until_ready(self, timeout=60):
        """Waits until Orca says it runs and has been quiet for a moment."""
        said = []
        deadline = time.monotonic() + timeout
        while time.monotonic() < deadline:
            said += self.utterances()
            if said:
                break
            time.sleep(0.1)
        if not said:
            raise RuntimeError("Orca did not start")
        self.listen(quiet=1.0, timeout=20)
        return said

    def program_env(self):
        return dict(self.env, LANG=self.locale, LC_ALL=self.locale)

    def utterances(self):
        """Orca's utterances since the last call. A text with line breaks, a message box's, spans
        several lines of the log; its lines are joined with blanks."""
        found = []
        for line in self.speech.new_lines():
            # A text with line breaks (a message of several lines) is logged over several lines:
            # they are one utterance, its lines joined by a blank.
            if self.unfinished is not None:
                line = self.unfinished + " " + line
                self.unfinished = None
            match = SPEECH_LOG_LINE.search(line)
            if match:
                found.append(match[1])
            elif line.startswith("SPEECH OUTPUT: '"):
                self.unfinished = line
        return found

    def listen(self, quiet=1.0, expected=None, quiet_when_expected=0.3, timeout=8.0):
        """What Orca and the program say from now until both have been quiet for
        quiet seconds, or for quiet_when_expected once expected lines have come:
        Orca's utterances, and the program's messages as (language, text). What
        comes later is heard by the next call."""
        orca, program = [], []
        deadline = time.monotonic() + timeout
        last = time.monotonic()
        while time.monotonic() < deadline:
            new_orca, new_program = self.utterances(), self.program_speech.new_messages()
            if new_orca or new_program:
                orca += new_orca
                program += new_program
                last = time.monotonic()
            else:
                enough = expected is not None and len(orca) + len(program) >= expected
                if time.monotonic() - last >= (quiet_when_expected if enough else quiet):
                    break
            time.sleep(0.02)
        return orca, program

    def close(self):
        if self.braille is not None:
            self.braille.close()
        keep = os.environ.get("TESSARO_ORCA_KEEP")
        if keep:
            # For a look at the logs after the run; the session removes its folder.
            shutil.copytree(self.folder, keep, dirs_exist_ok=True, ignore=shutil.ignore_patterns("*.sock"),
                            ignore_dangling_symlinks=True)


def run_with_orca(locale, braille, verbose, play):
    """Starts a private desktop (atspisession.Session) with Orca speaking in locale, with BRLTTY's
    virtual display if braille is true, and calls play(session, orca); ends everything it started,
    also when play fails. Returns what failed, as checks (name, False, detail)."""
    import atspisession
    session = atspisession.Session(verbose)
    orca = None
    failures = []
    try:
        session.start_desktop()
        orca = OrcaSession(session, locale, braille)
        orca.wait_until_ready()
        play(session, orca)
    except (RuntimeError, OSError) as error:
        failures.append(("session", False, str(error)))
    finally:
        if orca is not None:
            orca.close()
        try:
            session.stop()
        except RuntimeError as error:
            failures.append(("cleanup", False, str(error)))
    return failures


def press_key(env, key):
    """Presses a key ("ctrl+t") with xdotool as a person does: a modifier goes down a moment
    before its key. Pressed within a few milliseconds of each other, Alt and a letter sometimes
    reach the menu bar in the wrong order once Qt has passed them through the accessibility bus
    to Orca and back. Returns the moment the key itself went down."""
    *modifiers, name = key.split("+")
    if modifiers:
        subprocess.run(["xdotool", "keydown", "+".join(modifiers)], env=env, check=True)
        time.sleep(0.08)
    pressed = time.monotonic()
    subprocess.run(["xdotool", "key", name], env=env, check=True)
    if modifiers:
        subprocess.run(["xdotool", "keyup", "+".join(modifiers)], env=env, check=True)
    return pressed


def run_orca(prefix, arguments):
    """Runs Orca in this process with one line per utterance in PREFIX.speech
    and PREFIX.braille."""
    import logging
    for name in ("speech", "braille"):
        handler = logging.FileHandler(prefix + "." + name, encoding="utf-8")
        handler.setFormatter(logging.Formatter("%(message)s"))
        logger = logging.getLogger(name)
        logger.addHandler(handler)
        logger.setLevel(logging.INFO)
    if os.environ.get("TESSARO_ORCA_DEBUG"):
        # Orca's own debug output, every event it handles, written line by line.
        from orca import debug
        debug.debugLevel = debug.LEVEL_INFO
        debug.eventDebugLevel = debug.LEVEL_INFO
        debug.debugFile = open(prefix + ".debug", "w", buffering=1)
    sys.argv = ["/usr/bin/orca"] + arguments
    import runpy
    runpy.run_path("/usr/bin/orca", run_name="__main__")


if __name__ == "__main__" and sys.argv[1:2] == ["--orca"]:
    run_orca(sys.argv[2], sys.argv[3:])

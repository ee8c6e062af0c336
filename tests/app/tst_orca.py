#!/usr/bin/python3
"""Tessaro with the real Orca 43: the main path played with real keys, and
what Orca and the program said at each step compared with the transcript that
docs/screen-readers.md writes down, in English or in German.

  tst_orca.py --program build/src/app/tessaro --language en|de [--braille]
              [--runs 20] [--record] [--verbose]

Each step presses its keys and collects what is said until Orca and the
program have been quiet for a moment: Orca's utterances from its own speech
log, the program's announcements from Speech Dispatcher's log, with the
language they were spoken in. The message box steps (a new day, a deleted day,
a renamed participant) are played --runs times, after the participant list has
been opened once more with 1,000 participants. The program sees only the
Liberation fonts, so that the font dialog lists the same families on every
machine. With --braille, BRLTTY's
virtual display runs too, and the day message is checked on it: it appears, it
goes when its time is up and the display shows Orca's line again within a
second, and a routing key pressed while it shows takes it away without moving
the caret. --record prints what was said in the transcript's own format.
"""

import argparse
import datetime
import os
import re
import subprocess
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "support"))
import atspisession  # noqa: E402
import orcasession  # noqa: E402
# The same participants as the AT-SPI test: three days of Anton Berger's, two more in the list.
from tst_atspi import PARTICIPANT, PARTICIPANTS  # noqa: E402

TRANSCRIPT_FILE = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "docs",
                               "screen-readers.md")
LOCALES = {"en": "C.UTF-8", "de": "de_DE.UTF-8"}
# The program speaks German whatever Orca speaks.
PROGRAM_LANGUAGE = "de"

# The main path: (step, keys). A key is pressed alone and followed by a short pause; the step's
# transcript is everything said after its first key until all is quiet. A menu is walked one key
# a step: under load Orca skips a menu item whose focus has moved on before it speaks.
MAIN_PATH = [
    ("start", []),
    ("Enter in the participant list", ["Return"]),
    ("Tab to Klasse", ["Tab"]),
    ("Tab to Kommentar", ["Tab"]),
    ("Tab to Datum", ["Tab"]),
    ("Tab to Anmerkung", ["Tab"]),
    ("Tab to Anwesend", ["Tab"]),
    ("Left in Anwesend", ["Left"]),
    ("Right in Anwesend", ["Right"]),
    ("Tab to Infos", ["Tab"]),
    ("Ctrl+Right in Infos", ["ctrl+Right"]),
    ("Ctrl+Right in Datum", ["ctrl+Right"]),
    ("Ctrl+Left in Datum", ["ctrl+Left"]),
    ("report: F4", ["F4"]),
    ("report: Escape", ["Escape"]),
    ("go to day: Ctrl+G", ["ctrl+g"]),
    ("go to day: 3 and Enter", ["3", "Return"]),
    ("backup window: F8", ["F8"]),
    ("backup window: Tab", ["Tab"]),
    ("backup window: Escape", ["Escape"]),
    ("creation dialog: Ctrl+E", ["ctrl+e"]),
    ("creation dialog: Tab to Klasse", ["Tab"]),
    ("creation dialog: Tab to Kommentar", ["Tab"]),
    ("creation dialog: Tab to the buttons", ["Tab"]),
    ("creation dialog: Escape", ["Escape"]),
    ("search: Ctrl+F", ["ctrl+f"]),
    ("search: Escape", ["Escape"]),
    ("participant list: Ctrl+T", ["ctrl+t"]),
    ("participant list: Tab to Klassen", ["Tab"]),
    ("class filter: Space", ["space"]),
    ("class filter: Down", ["Down"]),
    ("class filter: Escape", ["Escape"]),
    ("participant list: Escape", ["Escape"]),
    ("colour chooser: Alt+A", ["alt+a"]),
    ("colour chooser: H", ["h"]),
    ("colour chooser: Down", ["Down"]),
    ("colour chooser: Tab", ["Tab"]),
    ("colour chooser: Escape", ["Escape"]),
    ("font dialog: Alt+A", ["alt+a"]),
    ("font dialog: Enter", ["Return"]),
    ("font dialog: Tab", ["Tab"]),
    ("font dialog: Tab again", ["Tab"]),
    ("font dialog: Escape", ["Escape"]),
    ("roll: F7", ["F7"]),
    ("roll: Space", ["space"]),
    ("roll: Down", ["Down"]),
    ("roll: Escape", ["Escape"]),
    ("roll: Escape on the question", ["Escape"]),
    ("absence summary: Shift+F7", ["shift+F7"]),
    ("absence summary: Tab", ["Tab"]),
    ("absence summary: Escape", ["Escape"]),
    ("guide: F1", ["F1"]),
    ("guide: Escape", ["Escape"]),
]
# Importing a class list and the new school year, played once after the main path. The list
# holds two new names and one that exists; in the year change the class 3b leaves and 4A becomes
# 5A, which leaves the later steps' participant open.
CLASS_LIST = "Name;Klasse\r\nDora Dorn;4A\r\nEmil Eck;4A\r\nAnton Berger;4A\r\n"
SCHOOL_YEAR_STEPS = [
    ("import: Alt+K", ["alt+k"]),
    ("import: I", ["i"]),
    ("import: the list's name and Enter", list("klasse") + ["period"] + list("csv") + ["Return"]),
    ("import: Enter on Ja", ["Return"]),
    ("import: Enter on OK", ["Return"]),
    ("import: Down in the rows left out", ["Down"]),
    ("import: Escape", ["Escape"]),
    ("school year: Alt+K", ["alt+k"]),
    ("school year: N", ["n"]),
    ("school year: N again", ["n"]),
    ("school year: Enter on Neues Schuljahr", ["Return"]),
    ("school year: Tab to Neuer Name", ["Tab"]),
    ("school year: Delete", ["Delete"]),
    ("school year: Shift+Tab", ["shift+Tab"]),
    ("school year: Down", ["Down"]),
    ("school year: Enter", ["Return"]),
    ("school year: Enter on Ja", ["Return"]),
    ("school year: Enter on OK", ["Return"]),
]
# The message box steps, played --runs times: a new day and its deletion, a participant renamed
# and renamed back.
MESSAGE_BOX_STEPS = [
    ("new day: Ctrl+N", ["ctrl+n"]),
    ("new day: Enter on Ja", ["Return"]),
    ("delete the day: F9", ["F9"]),
    ("delete the day: Enter on Ja", ["Return"]),
    ("rename: Alt+B", ["alt+b"]),
    ("rename: U", ["u"]),
    ("rename: End and 2", ["End", "2"]),
    ("rename: Enter", ["Return"]),
    ("rename: Enter on OK", ["Return"]),
    ("rename back: Alt+B", ["alt+b"]),
    ("rename back: U", ["u"]),
    ("rename back: End and BackSpace", ["End", "BackSpace"]),
    ("rename back: Enter", ["Return"]),
    ("rename back: Enter on OK", ["Return"]),
]
# The question what to do where a restore would lose days. The stick is a folder mounted
# read-only below /media for the program alone (so that only a restore lists it); its backup of
# Berta Blau lacks the day the data folder holds.
LOSS_QUESTION_STEPS = [
    ("loss question: F5", ["F5"]),
    ("loss question: Enter on the stick", ["Return"]),
    ("loss question: Escape cancels", ["Escape"]),
    ("loss question: Enter again", ["Return"]),
    ("loss question: Alt+Z merges", ["alt+z"]),
    ("loss question: Enter on OK", ["Return"]),
    ("loss question: Escape closes the window", ["Escape"]),
]
STICK_BACKUP = ("Berta Blau", "3b|", [("09.03.2026", "", 1, [])])
# The participant list once more with 1,000 participants, the added ones removed afterwards: Orca
# says what it says with three, but for the number.
MANY_PARTICIPANTS = 1000
MANY_PARTICIPANTS_STEPS = [
    ("participant list with 1,000: Ctrl+T", ["ctrl+t"]),
    ("participant list with 1,000: Escape", ["Escape"]),
]
# The program sees only the fonts of Debian's fonts-liberation, which it needs anyway, so that the
# font dialog lists the same families on every machine.
FONT_FOLDER = "/usr/share/fonts/truetype/liberation"
# BRLTTY's virtual display: after Ctrl+Right the day message shows, and the display goes back to
# Orca's line within a second of the message's end.
BRAILLE_MESSAGE_TIME = 5.0
BRAILLE_RETURN_TIME = 1.0


def date_text(day):
    """A date as the program writes a new day's date: "Mi., 9. Dezember 2026"."""
    weekdays = ["Mo.", "Di.", "Mi.", "Do.", "Fr.", "Sa.", "So."]
    months = ["Jänner", "Februar", "März", "April", "Mai", "Juni", "Juli", "August", "September",
              "Oktober", "November", "Dezember"]
    return "%s, %d. %s %d" % (weekdays[day.weekday()], day.day, months[day.month - 1], day.year)


def focused_caret(env):
    """The caret offset of the program's focused text field, asked through AT-SPI in a process
    of its own; None when it cannot be told within a few seconds."""
    script = ("import pyatspi\n"
              "def walk(n):\n"
              "    yield n\n"
              "    for c in n:\n"
              "        if c is not None: yield from walk(c)\n"
              "for app in pyatspi.Registry.getDesktop(0):\n"
              "    if app is not None and app.name == 'Tessaro':\n"
              "        for n in walk(app):\n"
              "            if n.getState().contains(pyatspi.STATE_FOCUSED) and n.getRole() == pyatspi.ROLE_TEXT:\n"
              "                print(n.queryText().caretOffset)\n")
    try:
        reply = subprocess.run(["/usr/bin/python3", "-c", script], env=env, capture_output=True, text=True,
                               timeout=5)
    except subprocess.TimeoutExpired:
        return None
    return reply.stdout.strip() or None


def fixed_fonts(folder):
    """The environment that shows the program only the fonts of FONT_FOLDER, with the system's
    font rules and Liberation Sans as the sans-serif font; folder takes the configuration and
    fontconfig's cache."""
    config = os.path.join(folder, "fonts.conf")
    with open(config, "w", encoding="utf-8") as file:
        file.write('<?xml version="1.0"?>\n<!DOCTYPE fontconfig SYSTEM "urn:fontconfig:fonts.dtd">\n'
                   '<fontconfig>\n  <include ignore_missing="yes">/etc/fonts/conf.d</include>\n'
                   '  <reset-dirs/>\n  <dir>%s</dir>\n  <cachedir>%s</cachedir>\n'
                   '  <alias><family>sans-serif</family><prefer><family>Liberation Sans</family></prefer>'
                   '</alias>\n</fontconfig>\n'
                   % (FONT_FOLDER, os.path.join(folder, "fontconfig-cache")))
    return {"FONTCONFIG_FILE": config}


def read_transcripts(path, language):
    """The expected transcript of one language from the documentation: the fenced block
    "orca-transcript LANGUAGE", steps headed "## step", one utterance a line, the program's own
    as "Tessaro: text"."""
    with open(path, encoding="utf-8") as file:
        text = file.read()
    match = re.search(r"```orca-transcript %s\n(.*?)```" % language, text, re.S)
    if not match:
        raise RuntimeError("no transcript for %r in %s" % (language, path))
    steps, current = {}, None
    for line in match[1].splitlines():
        if line.startswith("## "):
            current = steps.setdefault(line[3:].strip(), [])
        elif line.strip() and current is not None:
            current.append(line.strip())
    return steps


def format_said(orca, program):
    return list(orca) + ["Tessaro: %s" % text for _language, text in program]


def matches(expected, said, values):
    """Whether each said line is the expected one. A {placeholder} stands for its value, or for
    any text where its value is None. A line that begins "(maybe) " may be missing: of log lines
    that come faster than the backup window announces them, only the newest is sure to be said."""
    maybe = [line for line in expected if line.startswith("(maybe) ")]
    if maybe:
        return any(matches([line for line in expected if line != left], said, values) for left in maybe) \
            or matches([line[8:] if line in maybe else line for line in expected], said, values)
    if len(expected) != len(said):
        return False
    def pattern(line):
        parts = re.split(r"\{(\w+)\}", line)
        return "".join(re.escape(part) if index % 2 == 0 else
                        (".+" if values[part] is None else re.escape(values[part]))
                        for index, part in enumerate(parts))
    return all(re.fullmatch(pattern(line), got) for line, got in zip(expected, said))


class Walk:
    def __init__(self, orca, transcript, record, verbose):
        self.orca = orca
        self.transcript = transcript
        self.record = record
        self.verbose = verbose
        self.checks = []
        self.recorded = []
        today = datetime.date.today()
        # The absence summary's period starts on the first of August before today.
        august = datetime.date(today.year if today > datetime.date(today.year, 8, 1) else today.year - 1, 8, 1)
        # The volumes of the backup window are the machine's own.
        self.values = {"today": date_text(today), "august": date_text(august), "volume": None}

    def check(self, name, ok, detail=""):
        self.checks.append((name, bool(ok), str(detail)))
        return ok

    def press(self, keys):
        """Presses each key as a person does: a modifier goes down a moment before its key."""
        for key in keys:
            orcasession.press_key(self.orca.session.env, key)
            time.sleep(0.15)

    def step(self, name, keys, run=None):
        expected = self.transcript.get(name)
        self.press(keys)
        orca, program = self.orca.listen(quiet=3.0, expected=None if expected is None else len(expected))
        said = format_said(orca, program)
        label = name if run is None else "%s (run %d)" % (name, run)
        if self.record and run in (None, 1):
            self.recorded.append((name, said))
        if self.verbose:
            print("# %s: %s" % (label, " · ".join(said)), flush=True)
        wrong_language = [text for language, text in program if language != PROGRAM_LANGUAGE]
        self.check("%s: the program speaks German" % label, not wrong_language, wrong_language)
        if expected is None:
            return self.check("%s: in the transcript" % label, self.record, "no step of this name")
        return self.check(label, matches(expected, said, self.values),
                          "expected %s, said %s" % (" · ".join(expected), " · ".join(said)))

    def braille_day_message(self, display):
        """Ctrl+Left and Ctrl+Right on the display: the day message comes, goes in time, and a
        routing key during it takes it away without reaching Orca's line. Ends on the day it
        began with."""
        for key, number in (("ctrl+Left", 1), ("ctrl+Right", 2)):
            pressed = time.monotonic()
            self.press([key])
            message = self.wait_for_display(display, pressed, lambda text: "Nummer: %d/" % number in text, 2)
            if not self.check("Braille: %s shows the day message" % key, message, display.current()):
                return
            back = self.wait_for_display(display, message[0] + 0.01,
                                         lambda text: text.startswith("Datum:"), BRAILLE_MESSAGE_TIME + 3)
            self.check("Braille: after %s Orca's line is back within %.0f s of the message's end"
                       % (key, BRAILLE_RETURN_TIME),
                       back and back[0] - message[0] <= BRAILLE_MESSAGE_TIME + BRAILLE_RETURN_TIME,
                       "back after %.2f s" % (back[0] - message[0]) if back else display.current())
        caret = focused_caret(self.orca.session.env)
        pressed = time.monotonic()
        self.press(["ctrl+Left"])
        message = self.wait_for_display(display, pressed, lambda text: "Nummer: 1/" in text, 2)
        if self.check("Braille: the day message shows again", message, display.current()):
            routed = time.monotonic()
            display.press("ROUTE 5")
            back = self.wait_for_display(display, routed, lambda text: text.startswith("Datum:"), 2)
            self.check("Braille: a routing key during the message brings Orca's line back", back,
                       display.current())
            time.sleep(0.5)
            self.check("Braille: the routing key did not move the caret", focused_caret(self.orca.session.env) == caret,
                       "caret %r, before %r" % (focused_caret(self.orca.session.env), caret))
        self.press(["ctrl+Right"])
        self.orca.listen(quiet=0.5)

    def many_participants(self, folder):
        """The participant list with MANY_PARTICIPANTS participants in the data folder."""
        added = [os.path.join(folder, "Teilnehmer %04d.dat" % number)
                 for number in range(MANY_PARTICIPANTS - len(PARTICIPANTS))]
        for path in added:
            atspisession.write_participant_file(folder, os.path.basename(path)[:-4], "5A|",
                                                [("10.03.2026", "", 1, [])])
        for name, keys in MANY_PARTICIPANTS_STEPS:
            self.step(name, keys)
        for path in added:
            os.remove(path)

    @staticmethod
    def wait_for_display(display, since, condition, timeout):
        deadline = time.monotonic() + timeout
        while time.monotonic() < deadline:
            for at, text in display.since(since):
                if condition(text):
                    return at, text
            time.sleep(0.02)
        return None


def school_year_steps(walk, home):
    """The import of a class list from the documents folder and the year change."""
    with open(os.path.join(home["HOME"], "Documents", "klasse.csv"), "w", encoding="utf-8",
              newline="") as file:
        file.write(CLASS_LIST)
    # The folder the leaving class moves to is named after the school year that ends this year.
    year = datetime.date.today().year
    walk.values["schoolyear"] = "Schuljahr %d-%02d" % (year - 1, year % 100)
    for name, keys in SCHOOL_YEAR_STEPS:
        walk.step(name, keys)


def with_private_stick(stick, argv):
    """The command that starts the program in a mount namespace of its own with the stick folder
    mounted read-only at /media/STICK; None where the system allows no such namespace."""
    mount = ('mount -t tmpfs tessaro /media && mkdir /media/STICK && mount --bind -o ro "$1" '
             '/media/STICK && shift && exec "$@"')
    unshare = ["unshare", "--user", "--map-current-user", "--mount", "--propagation", "private",
               "sh", "-c", mount, "sh", stick]
    probe = subprocess.run(unshare + ["true"], capture_output=True)
    return unshare + argv if probe.returncode == 0 else None


def walk_loss_question(walk, data_folder):
    """Restores from the stick: the question is read, cancelled, asked again and answered
    "Zusammenführen"; Berta Blau then holds her own day and the stick's."""
    for name, keys in LOSS_QUESTION_STEPS:
        walk.step(name, keys)
    with open(os.path.join(data_folder, STICK_BACKUP[0] + ".dat"), "rb") as file:
        held = file.read().decode("cp1252")
    walk.check("loss question: the merged file holds both days", "10.03.2026|" in held and "09.03.2026|" in held, held)


def run(args):
    walks = []

    def play(session, orca):
        transcript = {} if args.record else read_transcripts(TRANSCRIPT_FILE, args.language)
        walk = Walk(orca, transcript, args.record, args.verbose)
        walks.append(walk)
        home = atspisession.make_home(os.path.join(session.tmp, "tessaro"),
                                      {"AktOrdner": 1, "Teilnehmer": PARTICIPANT}, PARTICIPANTS)
        env = dict(session.program_env(home), **orca.program_env(), **fixed_fonts(session.tmp))
        log = open(os.environ.get("TESSARO_PROGRAM_LOG", os.devnull), "wb")
        stick = os.path.join(session.tmp, "stick")
        atspisession.write_participant_file(os.path.join(stick, "TsDaten"), *STICK_BACKUP)
        program = with_private_stick(stick, [os.path.abspath(args.program)])
        if program is None:
            print("# no mount namespace for the stick: the loss question is not walked")
        session.start(program or [os.path.abspath(args.program)], env, stdout=log, stderr=log)
        for name, keys in MAIN_PATH:
            walk.step(name, keys)
            if name == "Ctrl+Left in Datum" and orca.braille is not None:
                walk.braille_day_message(orca.braille)
        walk.many_participants(os.path.join(home["HOME"], "Documents", "Tessaro"))
        # Before the year change, which moves Berta Blau's class away.
        if program is not None:
            walk_loss_question(walk, os.path.join(env["HOME"], "Documents", "Tessaro"))
        school_year_steps(walk, home)
        for run_number in range(1, args.runs + 1):
            for name, keys in MESSAGE_BOX_STEPS:
                walk.step(name, keys, run_number)

    failures = orcasession.run_with_orca(LOCALES[args.language], args.braille, args.verbose, play)
    if not walks:
        return failures, []
    walks[0].checks.extend(failures)
    return walks[0].checks, walks[0].recorded


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--program", required=True, help="path of the tessaro executable")
    parser.add_argument("--language", choices=sorted(LOCALES), default="en")
    parser.add_argument("--braille", action="store_true", help="run BRLTTY's virtual display too")
    parser.add_argument("--runs", type=int, default=20, help="how often the message box steps are played")
    parser.add_argument("--record", action="store_true", help="print what was said as a transcript")
    parser.add_argument("--verbose", action="store_true")
    args = parser.parse_args()
    started = time.monotonic()
    checks, recorded = run(args)
    if args.record:
        print("```orca-transcript %s" % args.language)
        for name, said in recorded:
            print("## %s" % name)
            for line in said:
                print(line)
        print("```")
    result = atspisession.report(checks, args.verbose)
    print("# %.1f s" % (time.monotonic() - started))
    return result


if __name__ == "__main__":
    sys.exit(main())

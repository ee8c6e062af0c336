#!/usr/bin/python3
"""How long the real Orca 43 takes to say the participant list, and what the
program spends for it, with 1 participant and with 1,000, in the same run.

  bench_participantlist_orca.py --program build/src/app/tessaro [--rounds 7]
                                [--language en|de]

Orca runs as in the real-Orca test (tests/support/orcasession.py): headless,
with Speech Dispatcher and its speech log, key echo off. The program starts
once with a data folder of 1 participant and once with one of 1,000 (20 days
each, five classes) and opens its list by itself. Each round, from the main
window:

- Ctrl+T: from the key until Orca says the list's size ("List with 1000
  items.", "Liste mit 1000 Einträgen."), and the processor time the program
  spent until all was quiet again;
- Tab to "Klassen...", Space, then Escape in the class chooser, back to the
  filled list: from Escape until Orca says "Klassen...", and the processor
  time likewise.

What Orca said at each measured key is compared with what it must say, so a
faster reading that says something else fails. Prints the medians and their
ratio. Goal: 1,000 within 1.5 times 1 on every measure.
"""

import argparse
import glob
import os
import statistics
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests", "support"))
import atspisession  # noqa: E402
import orcasession  # noqa: E402
from bench_participantlist_atspi import participants  # noqa: E402

FOLDER_SIZES = [1, 1000]
LOCALES = {"en": "C.UTF-8", "de": "de_DE.UTF-8"}
# What Orca says when the list opens, and when the class chooser closes, in both languages.
LIST_WORDS = {
    "en": ["Wählen Sie einen neuen Teilnehmer dialog.", "Aktuelle Klasse: (Alle)", "{count}",
           "Teilnehmer 0000."],
    "de": ["Wählen Sie einen neuen Teilnehmer Dialog.", "Aktuelle Klasse: (Alle)", "{count}",
           "Teilnehmer 0000."],
}
CHOOSER_ESCAPE_WORDS = {
    "en": ["Wählen Sie einen neuen Teilnehmer dialog.", "Klassen... push button."],
    "de": ["Wählen Sie einen neuen Teilnehmer Dialog.", "Klassen... Druckknopf."],
}
MEASURES = [
    ("ctrl+t words", "Ctrl+T until Orca says the list's size"),
    ("ctrl+t cpu", "the program's processor time per Ctrl+T"),
    ("escape words", "Escape in the class chooser until Orca says \"Klassen...\""),
    ("escape cpu", "the program's processor time per Escape"),
]
# Nothing said for this long ends a key's reading.
QUIET = 1.5


def count_words(language, count):
    if language == "en":
        return "List with %d item%s." % (count, "" if count == 1 else "s")
    return "Liste mit %d %s." % (count, "Eintrag" if count == 1 else "Einträgen")


def processor_time(pid):
    """Seconds of processor time all of the process's threads have had so far."""
    total = 0
    for path in glob.glob("/proc/%d/task/*/schedstat" % pid):
        try:
            with open(path) as file:
                total += int(file.read().split()[0])
        except (OSError, IndexError, ValueError):
            continue
    return total / 1e9


class Bench:
    def __init__(self, session, orca, language):
        self.session = session
        self.orca = orca
        self.language = language
        self.checks = []

    def check(self, name, ok, detail=""):
        self.checks.append((name, bool(ok), str(detail)))
        return ok

    def press(self, key):
        """Presses a key as a person does; the moment the key itself went down."""
        return orcasession.press_key(self.session.env, key)

    def said_until(self, pressed, last_line, timeout=30.0):
        """What Orca says from now on until last_line and then quiet: (lines, when last_line
        was said), or (lines, None) when it was not said."""
        lines, said_at = [], None
        deadline = time.monotonic() + timeout
        while said_at is None and time.monotonic() < deadline:
            for text in self.orca.utterances():
                lines.append(text)
                if text == last_line and said_at is None:
                    said_at = time.monotonic()
            time.sleep(0.005)
        more, _program = self.orca.listen(quiet=QUIET)
        return lines + more, None if said_at is None else said_at - pressed

    def measured_key(self, name, pid, key, expected, last_line):
        """Presses key and returns (seconds until last_line, processor seconds), or None when
        Orca said something else."""
        before = processor_time(pid)
        pressed = self.press(key)
        lines, seconds = self.said_until(pressed, last_line)
        used = processor_time(pid) - before
        if not self.check(name, seconds is not None and lines == expected,
                          "expected %s, said %s" % (" · ".join(expected), " · ".join(lines))):
            return None
        return seconds, used

    def measure(self, program, count, rounds):
        """Medians of every measure in seconds, or None."""
        label = "%d participant%s" % (count, "" if count == 1 else "s")
        home = atspisession.make_home(os.path.join(self.session.tmp, str(count)), {"AktOrdner": 1},
                                      participants(count))
        env = dict(self.session.program_env(home), **self.orca.program_env())
        # As in the real-Orca test, the program's output can be kept for a look.
        with open(os.environ.get("TESSARO_PROGRAM_LOG", os.devnull), "ab") as log:
            process = self.session.start([program], env, stdout=log, stderr=log)
        words = [count_words(self.language, count) if line == "{count}" else line
                 for line in LIST_WORDS[self.language]]
        # At the start the program opens the list by itself.
        _lines, started = self.said_until(time.monotonic(), words[-1], timeout=60)
        times = {name: [] for name, _ in MEASURES}
        if self.check("%s: the list opens at the start" % label, started is not None):
            for run in range(1, rounds + 1):
                self.press("Escape")
                self.orca.listen(quiet=QUIET)
                opened = self.measured_key("%s, round %d: Ctrl+T" % (label, run), process.pid, "ctrl+t",
                                           words, words[2])
                if opened is None:
                    break
                for key in ("Tab", "space"):
                    self.press(key)
                    self.orca.listen(quiet=QUIET)
                back = self.measured_key("%s, round %d: Escape in the class chooser" % (label, run),
                                         process.pid, "Escape", CHOOSER_ESCAPE_WORDS[self.language],
                                         CHOOSER_ESCAPE_WORDS[self.language][-1])
                if back is None:
                    break
                for name, value in zip(["ctrl+t words", "ctrl+t cpu", "escape words", "escape cpu"],
                                       opened + back):
                    times[name].append(value)
        process.terminate()
        process.wait(10)
        if not self.check("%s: every round measured" % label, len(times["escape cpu"]) == rounds):
            return None
        return {name: statistics.median(values) for name, values in times.items()}


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--program", required=True, help="path of the tessaro executable")
    parser.add_argument("--rounds", type=int, default=7, help="rounds per folder")
    parser.add_argument("--language", choices=sorted(LOCALES), default="en")
    parser.add_argument("--verbose", action="store_true")
    args = parser.parse_args()

    benches, medians = [], {}

    def play(session, orca):
        bench = Bench(session, orca, args.language)
        benches.append(bench)
        for count in FOLDER_SIZES:
            medians[count] = bench.measure(os.path.abspath(args.program), count, args.rounds)

    failures = orcasession.run_with_orca(LOCALES[args.language], False, args.verbose, play)
    one, thousand = medians.get(FOLDER_SIZES[0]), medians.get(FOLDER_SIZES[1])
    if one and thousand:
        print("median of %d rounds   1 participant   1,000   ratio (goal: at most 1.5)" % args.rounds)
        for name, description in MEASURES:
            print("%-16s %10.1f ms %8.1f ms %7.2f   %s" % (name, one[name] * 1000, thousand[name] * 1000,
                                                        thousand[name] / one[name], description))
    return atspisession.report((benches[0].checks if benches else []) + failures, args.verbose)


if __name__ == "__main__":
    sys.exit(main())

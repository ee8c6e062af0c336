#!/usr/bin/python3
"""How long Ctrl+T takes until the participant list holds its entries, with
accessibility active and measured from outside through AT-SPI, for a data
folder of 1 participant and one of 1,000, in the same run.

  bench_participantlist_atspi.py --program build/src/app/tessaro [--rounds 10]

The real program runs on a private desktop (Xvfb, session bus, accessibility
bus, openbox) while a client listens to every event Orca 43 listens to, so the
bridge does what it does with Orca running. Each round presses Ctrl+T with
xdotool, polls until the list's dialog is active and the list reports all its
entries, and closes it with Escape. A stand-in for Orca reads along as
Orca 43 reads (atspisession.OrcaReading): the benchmark also measures until it
has read everything the key made the program report, and the way back into the
list with Tab and Shift+Tab; then, in rounds of their own, until a client has
counted the entries by role, as Orca 43 does to say "list with N items".
Prints the medians and their ratio. Goal: 1,000 within 1.5 times 1.
"""

import argparse
import os
import statistics
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests", "support"))
import atspisession  # noqa: E402

LIST_TITLE = "Wählen Sie einen neuen Teilnehmer"
FOLDER_SIZES = [1, 1000]
DAYS = [("Mo., 16. März 2026", "Bemerkung", 1, ["Erste Zeile", "Zweite Zeile"])] * 20


def participants(count):
    """Names in five classes, each file with 20 days."""
    return {"Teilnehmer %04d" % i: ("%dA|Kommentar" % (i % 5 + 1), DAYS) for i in range(count)}


def program_name(count):
    return "tessaro with %d" % count


# ---------------------------------------------------------------- worker side

MEASURES = [
    ("list", "Ctrl+T until the list holds its entries"),
    ("read", "Ctrl+T until the screen reader has read everything"),
    ("back", "Tab, Shift+Tab: back in the list until the screen reader has read everything"),
    ("count", "Ctrl+T until a client has counted the entries by role, as Orca 43 does"),
]


def measure(client, count, rounds):
    """The times of each measure in seconds, by measure, or None."""
    client.phase(program_name(count))
    if client.start_program(program_name(count)) is None:
        client.check("%s registers on the accessibility bus" % program_name(count), False)
        return None
    spi = client.pyatspi

    def list_dialog_active():
        window = client.active_window()
        return window if window is not None and window.name == LIST_TITLE else None

    # At the start the program opens the list by itself.
    dialog = client.wait_until(list_dialog_active, 15)
    entries = client.find(dialog, spi.ROLE_LIST)[0] if dialog is not None else None
    if entries is None or not client.wait_until(lambda: entries.childCount == count, 15):
        client.check("%s shows the participant list" % program_name(count), False)
        return None
    def reopen():
        """Closes the list, waits until all is read, presses Ctrl+T and waits until the list
        holds its entries; the time of the key press, or None."""
        client.key("Escape")
        if not client.wait_until(lambda: list_dialog_active() is None and client.active_window() is not None):
            return None
        client.wait_until_read(time.monotonic())
        started = time.monotonic()
        client.key("ctrl+t")
        # The dialog's list is the same object at every showing; it is
        # emptied when the dialog shows and filled 25 ms later.
        if not client.wait_until(lambda: entries.childCount == count and list_dialog_active(), 10):
            return None
        return started

    times = {name: [] for name, _ in MEASURES}
    for _ in range(rounds):
        started = reopen()
        if started is None:
            break
        times["list"].append(time.monotonic() - started)
        read = client.wait_until_read(started)
        client.key("Tab")
        client.wait_until_read(time.monotonic())
        back_started = time.monotonic()
        client.key("shift+Tab")
        back = client.wait_until_read(back_started)
        if read is None or back is None:
            client.check("%s: the screen reader finishes reading" % program_name(count), False)
            break
        times["read"].append(read - started)
        times["back"].append(back - back_started)
        last = client.readings[-1] if client.readings else {}
        if not client.check("%s: the screen reader read the selected participant last" % program_name(count),
                            last.get("role") == "list item" and last.get("name") == "Teilnehmer 0000", last):
            break
    # Orca 43 says "list with N items" when the focus comes into the list from outside, and
    # counts the entries for it by asking for every child and its role.
    for _ in range(rounds):
        started = reopen()
        if started is None:
            break
        counted = client.call("counting the entries", lambda: len(
            [entry for entry in entries if entry.getRole() == spi.ROLE_LIST_ITEM]))
        times["count"].append(time.monotonic() - started)
        client.check("%s: the entries counted" % program_name(count), counted == count, counted)
    client.stop_program(program_name(count))
    if not client.check("%s: every round measured" % program_name(count),
                        all(len(values) == rounds for values in times.values()),
                        {name: len(values) for name, values in times.items()}):
        return None
    return {name: statistics.median(values) for name, values in times.items()}


def worker_main(rounds):
    client = atspisession.ScreenReaderClient()
    if not client.check("a screen reader reads along", client.start_reading_along()):
        client.emit("done")
        return
    for count in FOLDER_SIZES:
        client.observe(str(count), measure(client, count, rounds))
    client.emit("done")


# ---------------------------------------------------------------- parent side

def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--program", help="path of the tessaro executable")
    parser.add_argument("--rounds", type=int, default=10, help="rounds per folder")
    parser.add_argument("--verbose", action="store_true")
    parser.add_argument("--worker", action="store_true", help=argparse.SUPPRESS)
    args = parser.parse_args()
    if args.worker:
        worker_main(args.rounds)
        return 0
    if not args.program:
        parser.error("--program is required")

    session = atspisession.Session(args.verbose)
    checks, observed = [], {}
    try:
        session.start_desktop()
        programs = {}
        for count in FOLDER_SIZES:
            home = atspisession.make_home(os.path.join(session.tmp, str(count)), {"AktOrdner": 1},
                                          participants(count))
            programs[program_name(count)] = ([os.path.abspath(args.program)], session.program_env(home))
        checks, observed, _complete = session.supervise(__file__, programs, call_timeout=10.0, stall_timeout=60.0,
                                                        worker_args=["--rounds", str(args.rounds)])
    except (RuntimeError, OSError) as error:
        checks.append(("session setup", False, str(error)))
    finally:
        try:
            session.stop()
        except RuntimeError as error:
            checks.append(("cleanup", False, str(error)))

    one, thousand = observed.get(str(FOLDER_SIZES[0])), observed.get(str(FOLDER_SIZES[1]))
    if one and thousand:
        print("median of %d rounds          1 participant   1,000   ratio (goal: at most 1.5)" % args.rounds)
        for name, description in MEASURES:
            print("%-28s %8.1f ms %8.1f ms %7.2f   %s" % (name, one[name] * 1000, thousand[name] * 1000,
                                                        thousand[name] / one[name], description))
    return atspisession.report(checks, args.verbose)


if __name__ == "__main__":
    sys.exit(main())

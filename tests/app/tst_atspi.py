#!/usr/bin/python3
"""Tessaro as a screen reader meets it: the real program on a private desktop
(Xvfb, session bus, accessibility bus, openbox), driven by real key presses,
asked through the real AT-SPI bridge what Orca asks.

  tst_atspi.py --program build/src/app/tessaro [--verbose]

Checks, in the order of a session: the participant list's name, the selected
participant reported as focused when Tab comes back to the list, and the list
itself never reported as focused; the
full value of a focused field as Orca reads it (the name after opening, the
date after each day change); the accessible names of every field, list and
group; Tab entering the "Anwesend" group on its checked choice and the arrows
moving and checking; a window of the program active after every dialog and
message box closes, and the main window with its name field after opening an
existing participant from the creation dialog, several times; every line edit
of the main window and of the dialogs answering getTextAtOffset,
getTextBeforeOffset and getTextAfterOffset for every boundary at every offset
up to one past the end, each within a second, with the right text; the
word queries Orca makes after Ctrl+Left and Ctrl+Right move by word where the
day cannot change. Then the windows opened from the main window: the report
view (F4), its text read by line and by word and its caret moves reported, its
buttons reached with Tab, the date field focused again after Escape; the go-to
dialog (Ctrl+G) and the search dialog (Ctrl+F) like the other dialogs, and the
date of the day each of them shows read in full; the restore window (F5), its
list, log and buttons named and reached with Tab, never started. Last the roll
(F7): its controls named, every entry read with its state, Space reported as a
change of the focused entry's name, Enter storing, the main window showing the
new day; the absence summary (Shift+F7) from its period dialog to the text
view; and the guide (F1) over the roll window and over the main window, each
active again afterwards.
"""

import argparse
import bisect
import os
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "support"))
import atspisession  # noqa: E402
import atspi_classwindows  # noqa: E402

PARTICIPANT = "Anton Berger"
MAIN_TITLE = PARTICIPANT + " - Tessaro V1.01"
LIST_TITLE = "Wählen Sie einen neuen Teilnehmer"
CREATION_TITLE = "Geben Sie einen neuen Teilnehmer ein"
RENAME_TITLE = "Teilnehmer umbenennen"
QUESTION_TITLE = "Bestätigen"
# Day 1 is the newest. On day 1 "Rückwärts" is disabled, on the last day "Vorwärts".
DAYS = [("Mo., 16. März 2026", "Jäger Jürgen kommt.", 1, ["Erste Stunde."]),
        ("Fr., 13. März 2026", "", 0, []),
        ("12.03.2026", "Krank", 1, [])]
PARTICIPANTS = {
    PARTICIPANT: ("4A|Mag Äpfel und Birnen.", DAYS),
    "Berta Blau": ("3b|", [("10.03.2026", "", 1, [])]),
    "Carla Christ": ("4A|", [("10.03.2026", "", 1, [])]),
}
# Typed into the creation dialog: an existing participant in other letter case.
TYPED_NAME = PARTICIPANT.upper()
TYPED_CLASS = "4A"
TYPED_COMMENT = "Neu hier."
# Without the program's own activation about one try in five left no window active.
CREATION_TRIES = 20
# F4: the attendance report of the open participant.
REPORT_TITLE = "Ab-/Anwesenheitsauswertung des aktuellen Teilnehmers"
REPORT_BUTTONS = ["Drucken...", "Speichern...", "Schließen"]
GO_TO_TITLE = "Gehe zu Tag"
GO_TO_PROMPT = "Gehe zu Tag (1-%d)" % len(DAYS)
SEARCH_TITLE = "Geben Sie das zu suchende Datum ein"
# Typed in lower case; the search field upper-cases what is typed. Found on day 2.
# (xdotool cannot type characters the X keymap of the test session lacks, umlauts.)
TYPED_SEARCH = "fr., 13"
SEARCHED = "FR., 13"
RESTORE_TITLE = "Datendateien wiederherstellen von"
INFORMATION_TITLE = "Informationen"
# Where words and sentences start or end inside each text the test reads: the
# items of Qt's QTextBoundaryFinder (a word item is a word or the blanks and
# punctuation between two words), worked out once with QTextBoundaryFinder.
ITEM_BOUNDS = {
    "Anton Berger": {"words": [5, 6], "sentences": []},
    "ANTON BERGER": {"words": [5, 6], "sentences": []},
    "4A": {"words": [], "sentences": []},
    "Mag Äpfel und Birnen.": {"words": [3, 4, 9, 10, 13, 14, 20], "sentences": []},
    "Mo., 16. März 2026": {"words": [2, 5, 7, 9, 13, 14], "sentences": [5, 9]},
    "Jäger Jürgen kommt.": {"words": [5, 6, 12, 13, 18], "sentences": []},
    "12.03.2026": {"words": [], "sentences": []},
    "Neu hier.": {"words": [3, 4, 8], "sentences": []},
    "3": {"words": [], "sentences": []},
    "FR., 13": {"words": [2, 5], "sentences": [5]},
}
BOUNDARIES = ["CHAR", "WORD_START", "WORD_END", "SENTENCE_START", "SENTENCE_END", "LINE_START", "LINE_END"]
RELATIONS = ["Before", "At", "After"]


def expected_item(value, boundary, relation, offset):
    """The answer of getText{Before,At,After}Offset for a line edit: the item
    holding offset; at the end (offset == count) the last word, sentence or
    line, for characters the empty item there; the item before or after that
    one; ("", -1, -1) for none and for offsets past the end."""
    count = len(value)
    if offset > count:
        return ("", -1, -1)
    if boundary == "CHAR":
        bounds = list(range(count + 1))
    elif boundary.startswith("LINE"):
        bounds = [0, count]
    else:
        interior = ITEM_BOUNDS[value]["words" if boundary.startswith("WORD") else "sentences"]
        bounds = [0] + interior + [count]
    bounds = sorted(set(bounds))
    items = len(bounds) - 1
    if offset < count:
        index = bisect.bisect_right(bounds, offset) - 1
    elif boundary == "CHAR" or items == 0:
        index = items
    else:
        index = items - 1
    target = index + {"Before": -1, "At": 0, "After": 1}[relation]
    if relation == "At" and target == items:
        return ("", count, count)
    if target < 0 or target >= items:
        return ("", -1, -1)
    return (value[bounds[target]:bounds[target + 1]], bounds[target], bounds[target + 1])


# ---------------------------------------------------------------- worker side

class Walkthrough(atspi_classwindows.ClassWindowSteps):
    """One session with the program, step by step, as a blind teacher goes."""

    participant_names = sorted(PARTICIPANTS)
    classes = ["3b", "4A"]
    main_title = MAIN_TITLE

    def __init__(self, client):
        self.client = client
        self.spi = client.pyatspi
        self.window = None  # the main window
        self.fields = {}  # its line edits by name

    def role_is(self, node, role, name):
        try:
            return node.getRole() == role and node.name == name
        except self.client.glib.Error:
            return False  # Gone since it was reported.

    def focused_field(self, name):
        return lambda node: node.getRole() == self.spi.ROLE_TEXT and node.name == name

    def check_program_window_active(self, after):
        window = self.client.wait_until(self.client.active_window)
        return self.client.check("a window of the program is active after %s" % after, window is not None,
                                 "window manager: %r" % self.client.window_manager_active_window())

    def check_reading(self, what, field, expected):
        read_in_full = self.client.wait_until(lambda: self.client.orca_reading(field) == expected, 2)
        return self.client.check("%s: Orca reads the full value" % what, read_in_full,
                                 "reads %r, expected %r" % (self.client.orca_reading(field), expected))

    def check_names(self, what, root, fields, others):
        found = sorted(self.client.text_fields(root))
        self.client.check("%s: line edits named by their labels" % what, found == sorted(fields), found)
        nodes = [(n.getRoleName(), n.name) for n in self.client.walk(root)]
        for role_and_name in others:
            self.client.check("%s: %s %r named" % ((what,) + role_and_name), role_and_name in nodes, "not found")

    def sweep(self, what, field):
        """Item queries at every offset up to one past the end, every boundary."""
        text = field.queryText()
        value = self.client.call("getText", text.getText, 0, -1)
        functions = {"Before": text.getTextBeforeOffset, "At": text.getTextAtOffset,
                     "After": text.getTextAfterOffset}
        wrong = []
        for offset in range(len(value) + 2):
            for boundary in BOUNDARIES:
                for relation in RELATIONS:
                    query = "%s getText%sOffset(%d, %s)" % (what, relation, offset, boundary)
                    answer = tuple(self.client.call(query, functions[relation], offset,
                                                    getattr(self.spi, "TEXT_BOUNDARY_" + boundary)))
                    wanted = expected_item(value, boundary, relation, offset)
                    if answer != wanted:
                        wrong.append("%s: %r, expected %r" % (query, answer, wanted))
        self.client.check("%s %r: every item query answers with the right text" % (what, value), not wrong,
                          "; ".join(wrong[:4]) + (" (%d wrong)" % len(wrong) if wrong else ""))

    def move_by_word(self, what, field, key):
        """Ctrl+Left or Ctrl+Right where the program does not take the key:
        the edit moves by word, and Orca asks for the word and sentence at the
        old and the new caret."""
        text = field.queryText()
        caret = lambda: self.client.call("caretOffset", lambda: text.caretOffset)
        old = caret()
        self.client.key(key)
        new = caret() if self.client.wait_until(lambda: caret() != old, 2) else None
        self.client.check("%s: %s moves the caret by word" % (what, key), new is not None, "caret stays at %d" % old)
        value = self.client.call("getText", text.getText, 0, -1)
        wrong = []
        for offset in sorted({old, new if new is not None else old}):
            for boundary in ("WORD_START", "WORD_END", "SENTENCE_START"):
                query = "getTextAtOffset(%d, %s)" % (offset, boundary)
                answer = tuple(self.client.call("%s after %s: %s" % (what, key, query), text.getTextAtOffset,
                                                offset, getattr(self.spi, "TEXT_BOUNDARY_" + boundary)))
                if answer != expected_item(value, boundary, "At", offset):
                    wrong.append("%s: %r" % (query, answer))
        self.client.check("%s: the word and sentence at the caret before and after %s (%d, %s)"
                          % (what, key, old, new), not wrong, "; ".join(wrong))
        return new

    def tab_to(self, key, name, matches):
        self.client.key(key)
        return self.client.wait_for_focus(name, matches)

    def button(self, name):
        return lambda node: self.role_is(node, self.spi.ROLE_PUSH_BUTTON, name)

    def read_by_line_and_word(self, what, field, places):
        """The line and the word a screen reader asks for at each offset of a
        multi-line text; places maps an offset to the expected line and word
        as (text, start, end)."""
        text = field.queryText()
        wrong = []
        for offset, expected in sorted(places.items()):
            for boundary, wanted in zip(("LINE_START", "WORD_START"), expected):
                query = "getTextAtOffset(%d, %s)" % (offset, boundary)
                answer = tuple(self.client.call("%s %s" % (what, query), text.getTextAtOffset, offset,
                                                getattr(self.spi, "TEXT_BOUNDARY_" + boundary)))
                if answer != wanted:
                    wrong.append("%s: %r, expected %r" % (query, answer, wanted))
        self.client.check("%s: every line and word query answers with the right text" % what, not wrong,
                          "; ".join(wrong))

    def move_caret(self, what, field, key, offset):
        self.client.key(key)
        self.client.wait_for_caret("%s after %s" % (what, key), field, offset)

    # The steps. Each tells whether the session can go on: without an
    # active window, keys reach nothing and every later step would fail.

    def steps(self):
        creation_tries = [lambda attempt=attempt: self.creation_dialog(attempt)
                          for attempt in range(1, CREATION_TRIES + 1)]
        return ([self.start, self.participant_list, self.main_window, self.present_group, self.day_changes]
                + creation_tries + [self.rename_dialog, self.creation_dialog_texts, self.main_window_texts,
                                    self.report_view, self.go_to_dialog, self.search_dialog, self.restore_window,
                                    self.class_roll, self.absence_summary])

    def start(self):
        return self.client.check("the program registers on the accessibility bus",
                                 self.client.start_program("tessaro") is not None)

    def participant_list(self):
        self.client.phase("participant list")
        dialog = self.client.wait_for_active_window(LIST_TITLE)
        if dialog is None:
            return False
        def filled_lists():
            return [n for n in self.client.find(dialog, self.spi.ROLE_LIST) if n.childCount == len(PARTICIPANTS)]
        participants = self.client.wait_until(filled_lists)
        if not self.client.check("the participant list holds every participant", participants):
            return False
        self.client.check("participant list named by its class label",
                          participants[0].name == "Aktuelle Klasse: (Alle)", participants[0].name)
        self.tab_to("Tab", "Klassen...", lambda n: self.role_is(n, self.spi.ROLE_PUSH_BUTTON, "Klassen..."))
        # Back in the list, the screen reader must hear the selected participant, not only the list.
        item = self.tab_to("shift+Tab", "the selected participant after Shift+Tab",
                           lambda n: n.getRole() == self.spi.ROLE_LIST_ITEM and n.name == PARTICIPANT
                           and self.client.has_state(n, self.spi.STATE_SELECTED))
        if item is not None:
            self.client.settle(0.2)
            self.client.check("the selected participant stays the focus reported",
                              self.client.last_focus() == item, atspisession.describe(self.client.last_focus()))
        # Told that a list has the focus, Orca counts its entries one call at a time.
        lists = [n for n in self.client.focus_events if self.role_is(n, self.spi.ROLE_LIST, participants[0].name)]
        self.client.check("the list itself is never reported as focused, neither at the start nor after Shift+Tab",
                          not lists, "%d reports of the list" % len(lists))
        self.client.key("Return")
        return self.check_program_window_active("the participant list closed")

    def main_window(self):
        self.client.phase("main window")
        self.window = self.client.wait_for_active_window(MAIN_TITLE)
        if self.window is None:
            return False
        self.fields = self.client.text_fields(self.window)
        name = self.client.wait_for_focus("the name field after opening", self.focused_field("Name:"))
        if name is not None:
            self.check_reading("name field after opening", name, PARTICIPANT)
        self.check_names("main window", self.window, ["Name:", "Klasse:", "Kommentar:", "Datum:", "Anmerkung:"],
                         [("text", "Infos:"), ("panel", "Anwesend"), ("radio button", "Nein"),
                          ("radio button", "Ja")])
        return True

    def present_group(self):
        self.client.phase("Anwesend")
        for name in ("Klasse:", "Kommentar:", "Datum:", "Anmerkung:"):
            self.tab_to("Tab", name, self.focused_field(name))
        radio = lambda name: lambda n: (self.role_is(n, self.spi.ROLE_RADIO_BUTTON, name)
                                        and self.client.has_state(n, self.spi.STATE_CHECKED))
        # Day 1 is present: "Ja", the second choice, is checked.
        self.tab_to("Tab", "the checked choice 'Ja' when Tab enters the group", radio("Ja"))
        self.tab_to("Left", "'Nein', checked by Left", radio("Nein"))
        self.tab_to("Right", "'Ja', checked by Right", radio("Ja"))
        return True

    def day_changes(self):
        self.client.phase("day changes")
        date = self.tab_to("ctrl+Right", "the date field after Ctrl+Right", self.focused_field("Datum:"))
        if date is None:
            return False
        self.check_reading("date field after Ctrl+Right", date, DAYS[1][0])
        self.client.key("ctrl+Right")
        self.check_reading("date field after a second Ctrl+Right", date, DAYS[2][0])
        return True

    def creation_dialog(self, attempt):
        """Ctrl+E, an existing name in other letter case, a class, Enter, "Ja":
        the participant opens and the main window has the keys. On the first
        try "Nein" is answered first: the dialog then keeps the keys."""
        self.client.phase("creation dialog %d" % attempt)
        self.client.key("ctrl+e")
        dialog = self.client.wait_for_active_window(CREATION_TITLE)
        if dialog is None or self.client.wait_for_focus("the creation dialog's name field",
                                                        self.focused_field("Name:")) is None:
            return False
        if attempt == 1:
            self.check_names("creation dialog", dialog, ["Name:", "Klasse:", "Kommentar:"], [])
        self.client.type(TYPED_NAME)
        self.tab_to("Tab", "the creation dialog's class field", self.focused_field("Klasse:"))
        self.client.type(TYPED_CLASS)
        self.client.key("Return")
        if attempt == 1:
            self.client.wait_for_active_window(QUESTION_TITLE)
            self.client.key("Escape")
            self.check_program_window_active("the question closed with \"Nein\"")
            self.client.wait_for_active_window(CREATION_TITLE)
            self.client.wait_for_focus("the name field after \"Nein\"", self.focused_field("Name:"))
            self.client.key("Return")
        if self.client.wait_for_active_window(QUESTION_TITLE) is None:
            return False
        self.client.key("Return")
        self.check_program_window_active("the question and the creation dialog closed")
        window = self.client.wait_for_active_window(MAIN_TITLE)
        name = self.client.wait_for_focus("the main window's name field after \"Ja\"", self.focused_field("Name:"))
        self.client.check("try %d: the window manager has the main window active" % attempt,
                          self.client.window_manager_active_window() == MAIN_TITLE,
                          repr(self.client.window_manager_active_window()))
        return window is not None and name is not None

    def rename_dialog(self):
        self.client.phase("rename dialog")
        self.client.key("alt+b", "u")
        dialog = self.client.wait_for_active_window(RENAME_TITLE)
        if dialog is None:
            return False
        self.check_names("rename dialog", dialog, ["Name:"], [])
        field = self.client.wait_for_focus("the rename dialog's field", self.focused_field("Name:"))
        if field is not None:
            self.sweep("rename dialog Name:", field)
            # The whole name is selected, the caret at its end.
            self.move_by_word("rename dialog Name:", field, "ctrl+Left")
        self.client.key("Escape")
        return self.check_program_window_active("the rename dialog closed")

    def creation_dialog_texts(self):
        self.client.phase("creation dialog texts")
        self.client.key("ctrl+e")
        dialog = self.client.wait_for_active_window(CREATION_TITLE)
        if dialog is None:
            return False
        fields = self.client.text_fields(dialog)
        for key, name, typed in (("", "Name:", TYPED_NAME), ("Tab", "Klasse:", TYPED_CLASS),
                                 ("Tab", "Kommentar:", TYPED_COMMENT)):
            if key:
                self.client.key(key)
            self.client.wait_for_focus("the creation dialog's %s" % name, self.focused_field(name))
            self.client.key("ctrl+a", "BackSpace")
            self.client.type(typed)
            self.client.wait_until(lambda: fields[name].queryText().getText(0, -1) == typed)
        for name, field in fields.items():
            self.sweep("creation dialog %s" % name, field)
        # Typing left the caret at the end of the comment.
        self.move_by_word("creation dialog Kommentar:", fields["Kommentar:"], "ctrl+Left")
        self.client.key("Escape")
        return self.check_program_window_active("the creation dialog closed with Escape")

    def main_window_texts(self):
        """On day 1, where "Rückwärts" is disabled, and on the last day, where
        "Vorwärts" is."""
        self.client.phase("main window texts")
        # Opening the participant from the creation dialog showed day 1 and
        # put the focus on the name.
        self.check_reading("date field on day 1", self.fields["Datum:"], DAYS[0][0])
        for name in ("Name:", "Klasse:", "Kommentar:", "Datum:", "Anmerkung:"):
            self.sweep("main window %s" % name, self.fields[name])
        # Tab selects the whole text and puts the caret at its end.
        for name in ("Klasse:", "Kommentar:", "Datum:", "Anmerkung:"):
            self.tab_to("Tab", name, self.focused_field(name))
        self.move_by_word("day 1 Anmerkung:", self.fields["Anmerkung:"], "ctrl+Left")
        self.tab_to("shift+Tab", "Datum:", self.focused_field("Datum:"))
        self.move_by_word("day 1 Datum:", self.fields["Datum:"], "ctrl+Left")
        self.client.key("ctrl+Right", "ctrl+Right")
        self.check_reading("date field on the last day", self.fields["Datum:"], DAYS[2][0])
        # A day change puts the caret at the start; word by word to the end.
        caret = 0
        while caret is not None and caret < len(DAYS[2][0]):
            caret = self.move_by_word("last day Datum:", self.fields["Datum:"], "ctrl+Right")
        value = self.client.call("getText", self.fields["Datum:"].queryText().getText, 0, -1)
        return self.client.check("the program still answers after the last word query", value == DAYS[2][0],
                                 repr(value))

    def report_view(self):
        """F4 in the date field on the last day: the attendance report, a
        multi-line text read by line and by word."""
        self.client.phase("report view")
        self.client.key("F4")
        view = self.client.wait_for_active_window(REPORT_TITLE)
        if view is None:
            return False
        self.check_names("report view", view, [], [("push button", name) for name in REPORT_BUTTONS])
        editor = self.client.wait_for_focus(
            "the report text, multi-line, named by the report",
            lambda n: self.role_is(n, self.spi.ROLE_TEXT, REPORT_TITLE)
            and self.client.has_state(n, self.spi.STATE_MULTI_LINE))
        if editor is not None:
            text = editor.queryText()
            value = self.client.call("getText", text.getText, 0, -1)
            count = self.client.call("characterCount", lambda: text.characterCount)
            name_line = "Name: " + PARTICIPANT
            comment_line = "Kommentar: " + PARTICIPANTS[PARTICIPANT][0].split("|")[1]
            line = value.find("\n" + comment_line + "\n") + 1
            word = value.find("Äpfel")
            if self.client.check("the report starts with the name and holds the comment",
                                 value.startswith(name_line + "\n") and line > 0 and word > line, repr(value)):
                # After the comment comes an empty line; the text ends with a line break.
                empty = line + len(comment_line) + 1
                self.read_by_line_and_word("report text", editor, {
                    0: ((name_line, 0, len(name_line)), ("Name", 0, 4)),
                    word + 2: ((comment_line, line, empty - 1), ("Äpfel", word, word + 5)),
                    empty: (("", empty, empty),) * 2,
                    count: (("", count, count),) * 2})
                # The caret is at the start.
                self.move_caret("report text", editor, "Down", len(name_line) + 1)
                self.move_caret("report text", editor, "ctrl+End", count)
                self.move_caret("report text", editor, "ctrl+Home", 0)
        for name in REPORT_BUTTONS:
            self.tab_to("Tab", name, self.button(name))
        self.client.key("Escape")
        if not self.check_program_window_active("the report view closed"):
            return False
        window = self.client.wait_for_active_window(MAIN_TITLE)
        self.client.wait_for_focus("the date field after the report view", self.focused_field("Datum:"))
        return window is not None

    def go_to_dialog(self):
        """Ctrl+G in "Anmerkung:" on the last day: its number is proposed,
        selected, the caret at its end; day 1 is typed."""
        self.client.phase("go-to dialog")
        self.tab_to("Tab", "Anmerkung:", self.focused_field("Anmerkung:"))
        self.client.key("ctrl+g")
        dialog = self.client.wait_for_active_window(GO_TO_TITLE)
        if dialog is None:
            return False
        self.check_names("go-to dialog", dialog, [GO_TO_PROMPT],
                         [("push button", "Höher"), ("push button", "Niedriger")])
        field = self.client.wait_for_focus("the go-to field", self.focused_field(GO_TO_PROMPT))
        if field is None:
            return False
        self.check_reading("go-to field", field, str(len(DAYS)))
        self.sweep("go-to field", field)
        self.move_by_word("go-to field", field, "ctrl+Left")
        self.move_by_word("go-to field", field, "ctrl+Right")
        self.client.key("BackSpace")
        self.client.type("1")
        self.client.key("Return")
        if not self.check_program_window_active("the go-to dialog closed"):
            return False
        self.client.wait_for_active_window(MAIN_TITLE)
        self.client.wait_for_focus("the date field after going to day 1", self.focused_field("Datum:"))
        self.check_reading("date field after going to day 1", self.fields["Datum:"], DAYS[0][0])
        return True

    def search_dialog(self):
        """Ctrl+F on day 1: the search from day 2 on finds the typed date there."""
        self.client.phase("search dialog")
        self.client.key("ctrl+f")
        dialog = self.client.wait_for_active_window(SEARCH_TITLE)
        if dialog is None:
            return False
        self.check_names("search dialog", dialog, ["Suchdatum:"], [])
        field = self.client.wait_for_focus("the search field", self.focused_field("Suchdatum:"))
        if field is None:
            return False
        self.client.type(TYPED_SEARCH)
        if self.check_reading("search field", field, SEARCHED):
            self.sweep("search field", field)
            self.move_by_word("search field", field, "ctrl+Left")
        self.client.key("Return")
        if not self.check_program_window_active("the search dialog closed"):
            return False
        self.client.wait_for_active_window(MAIN_TITLE)
        self.client.wait_for_focus("the date field after the search", self.focused_field("Datum:"))
        self.check_reading("date field after the search", self.fields["Datum:"], DAYS[1][0])
        return True

    def restore_window(self):
        """F5 opens the restore window: no real volume of the test session is
        written to, and pressing its start button is left out. Without a
        volume holding a backup folder the window says so first."""
        self.client.phase("restore window")
        self.client.key("F5")
        list_entry = lambda n: n.getRole() == self.spi.ROLE_LIST_ITEM and n.parent.name == "Laufwerke"
        first = self.client.wait_for_focus("the first volume, or the message that there is none",
                                           lambda n: self.button("OK")(n) or list_entry(n))
        window = next((w for w in self.client.windows() if w.name == RESTORE_TITLE), None)
        if not self.client.check("the restore window is open", window is not None) or first is None:
            return False
        self.check_names("restore window", window, [],
                         [("list", "Laufwerke"), ("text", "Kopierverlauf"), ("push button", "Wiederherstellen"),
                          ("push button", "Aktualisieren"), ("push button", "Schließen")])
        log = ("Kopierverlauf", lambda n: self.role_is(n, self.spi.ROLE_TEXT, "Kopierverlauf"))
        refresh = ("Aktualisieren", self.button("Aktualisieren"))
        close = ("Schließen", self.button("Schließen"))
        if self.button("OK")(first):
            self.client.wait_for_active_window(INFORMATION_TITLE)
            self.client.key("Return")
            self.client.wait_for_focus("Aktualisieren after the message", refresh[1])
            # The button works from the keyboard: it looks again and says so again.
            self.client.key("space")
            self.client.wait_for_focus("the message again after Space on Aktualisieren", self.button("OK"))
            self.client.key("Return")
            self.client.wait_for_focus("Aktualisieren after the second message", refresh[1])
            # The empty list is reported as the list; the start button is disabled.
            cycle = [close, ("Laufwerke", lambda n: self.role_is(n, self.spi.ROLE_LIST, "Laufwerke")), log, refresh]
        else:
            cycle = [log, ("Wiederherstellen", self.button("Wiederherstellen")), refresh, close,
                     ("the volume list", list_entry)]
        for name, matches in cycle:
            self.tab_to("Tab", name, matches)
        self.client.key("Escape")
        if not self.check_program_window_active("the restore window closed"):
            return False
        return self.client.wait_for_active_window(MAIN_TITLE) is not None


def worker_main():
    client = atspisession.ScreenReaderClient()
    for step in Walkthrough(client).steps():
        if not step():
            client.check("the session goes on", False, "stopped: the later steps need the one that failed")
            break
    client.emit("done")


# ---------------------------------------------------------------- parent side

def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--program", help="path of the tessaro executable")
    parser.add_argument("--verbose", action="store_true", help="print every check and each step")
    parser.add_argument("--worker", action="store_true", help=argparse.SUPPRESS)
    args = parser.parse_args()
    if args.worker:
        worker_main()
        return 0
    if not args.program:
        parser.error("--program is required")

    started = time.monotonic()
    session = atspisession.Session(args.verbose)
    checks = []
    try:
        session.start_desktop()
        home = atspisession.make_home(os.path.join(session.tmp, "tessaro"),
                                      {"AktOrdner": 1, "Teilnehmer": PARTICIPANT}, PARTICIPANTS)
        programs = {"tessaro": ([os.path.abspath(args.program)], session.program_env(home))}
        checks, _observed, complete = session.supervise(__file__, programs, call_timeout=1.0, stall_timeout=15.0)
        if not complete:
            print("stopped early: the checks after the last one were not run")
    except (RuntimeError, OSError) as error:
        checks.append(("session setup", False, str(error)))
    finally:
        try:
            session.stop()
        except RuntimeError as error:
            checks.append(("cleanup", False, str(error)))
    result = atspisession.report(checks, args.verbose)
    print("# %.1f s" % (time.monotonic() - started))
    return result


if __name__ == "__main__":
    sys.exit(main())

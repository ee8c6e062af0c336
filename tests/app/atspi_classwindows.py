"""The steps of tst_atspi.py for the roll of a class (F7), the absence summary
(Shift+F7) and the guide (F1). The walkthrough that uses them names the
participants (participant_names, in the list's order, the first one open),
their classes and the main window's title.
"""

import datetime

ROLL_TITLE = "Anwesenheit erfassen"
PERIOD_TITLE = "Wählen Sie Klasse und Zeitraum"
SUMMARY_TITLE = "Fehlzeiten der Klasse"
GUIDE_TITLE = "Bedienungsanleitung"


def date_text(day):
    """The program's date text of a day with the German names of the C locale."""
    weekdays = ["Mo", "Di", "Mi", "Do", "Fr", "Sa", "So"]
    months = ["Jänner", "Februar", "März", "April", "Mai", "Juni", "Juli", "August", "September",
              "Oktober", "November", "Dezember"]
    return "%s., %d. %s %d" % (weekdays[day.weekday()], day.day, months[day.month - 1], day.year)


class ClassWindowSteps:
    """Steps of a walkthrough that has client, spi, fields and the helpers of tst_atspi.Walkthrough."""

    participant_names = []
    classes = []
    main_title = ""

    def check_class_list(self, what, window):
        lists = self.client.find(window, self.spi.ROLE_LIST, "Klasse:")
        classes = [n.name for n in self.client.find(lists[0], self.spi.ROLE_LIST_ITEM)] if lists else []
        self.client.check("%s: the class list offers \"(Alle)\" and every class" % what,
                          classes == ["(Alle)"] + self.classes, classes)

    def guide_over(self, title, back):
        """F1 opens the guide, read-only, over the active window; Escape brings that window back."""
        self.client.key("F1")
        guide = self.client.wait_for_active_window(GUIDE_TITLE)
        text = self.client.wait_for_focus("the guide's text", lambda n: self.role_is(n, self.spi.ROLE_TEXT, GUIDE_TITLE))
        if guide is None or text is None:
            return False
        value = self.client.call("getText", text.queryText().getText, 0, 30)
        self.client.check("the guide over %r is read-only and starts with its title" % title,
                          value.startswith("Tessaro Bedienungsanleitung")
                          and not self.client.has_state(text, self.spi.STATE_EDITABLE), repr(value))
        self.client.key("Escape")
        return self.client.wait_for_active_window(title) is not None and back() is not None

    def class_roll(self):
        """F7 in the date field: every entry read with its state, Space toggles
        the first one and the change is reported on it, the remark of the second
        is typed, Enter stores and the main window shows the new day 1."""
        self.client.phase("class roll")
        focused = self.client.last_focus()
        self.client.key("F7")
        dialog = self.client.wait_for_active_window(ROLL_TITLE)
        if dialog is None:
            return False
        self.check_names("roll window", dialog, ["Datum:", "Anmerkung:"],
                         [("list", "Teilnehmer"), ("push button", "Speichern"), ("push button", "Abbrechen")])
        self.check_class_list("roll window", dialog)
        today = date_text(datetime.date.today())
        self.check_reading("the roll's date field", self.client.text_fields(dialog)["Datum:"], today)
        entry = lambda name: lambda n: self.role_is(n, self.spi.ROLE_LIST_ITEM, name)
        first = self.client.wait_for_focus("the first entry with its state", entry(self.participant_names[0] + ": anwesend"))
        if first is None:
            return False
        entries = self.client.find(dialog, self.spi.ROLE_LIST, "Teilnehmer")
        names = [n.name for n in self.client.find(entries[0], self.spi.ROLE_LIST_ITEM)] if entries else []
        self.client.check("every entry is read with its state", names == [n + ": anwesend" for n in self.participant_names],
                          names)
        if not self.guide_over(ROLL_TITLE, lambda: self.client.wait_for_focus(
                "the first entry after the guide", entry(self.participant_names[0] + ": anwesend"))):
            return False
        self.client.key("space")
        self.client.wait_for_name_change("the focused entry after Space", first, self.participant_names[0] + ": abwesend")
        self.tab_to("Down", "the second entry", entry(self.participant_names[1] + ": anwesend"))
        remark = self.tab_to("Tab", "Anmerkung:", self.focused_field("Anmerkung:"))
        if remark is not None:
            self.client.type("Bus")
            self.check_reading("the remark typed", remark, "Bus")
        self.client.key("Return")
        if self.client.wait_for_active_window("Informationen") is None:
            return False
        self.client.key("Return")
        if not self.check_program_window_active("the roll and its message closed"):
            return False
        self.client.wait_for_active_window(self.main_title)
        self.client.wait_for_focus("the field focused before the roll", lambda n: n == focused)
        self.check_reading("the shown participant's new day 1", self.fields["Datum:"], today)
        return True

    def absence_summary(self):
        """Shift+F7: the period dialog's fields, then the summary in the text view."""
        self.client.phase("absence summary")
        self.client.key("shift+F7")
        dialog = self.client.wait_for_active_window(PERIOD_TITLE)
        if dialog is None:
            return False
        self.check_names("period dialog", dialog, ["Von:", "Bis:"],
                         [("push button", "OK"), ("push button", "Abbrechen")])
        self.check_class_list("period dialog", dialog)
        self.client.wait_for_focus("the class chosen", lambda n: self.role_is(n, self.spi.ROLE_LIST_ITEM, "(Alle)"))
        self.client.key("Return")
        if self.client.wait_for_active_window(SUMMARY_TITLE) is None:
            return False
        text = self.client.wait_for_focus("the summary's text", lambda n: self.role_is(n, self.spi.ROLE_TEXT, SUMMARY_TITLE))
        if text is not None:
            value = self.client.call("getText", text.queryText().getText, 0, -1)
            self.client.check("the summary names the class and counts today's absence",
                              value.startswith("Klasse: (Alle)\n") and "\n%s\nAnwesend: " % self.participant_names[0] in value
                              and "- %s\n" % date_text(datetime.date.today()) in value, repr(value[:400]))
        self.client.key("Escape")
        if not self.check_program_window_active("the summary closed"):
            return False
        focused = self.client.wait_for_focus("a field of the main window after the summary",
                                             lambda n: n in self.fields.values())
        return self.guide_over(self.main_title, lambda: self.client.wait_for_focus(
            "the same field after the guide", lambda n: n == focused))

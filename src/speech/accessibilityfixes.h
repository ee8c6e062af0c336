#ifndef TESSARO_SPEECH_ACCESSIBILITYFIXES_H
#define TESSARO_SPEECH_ACCESSIBILITYFIXES_H

#include <QLineEdit>
#include <QPointer>

// Mends what Qt 6.4 tells a screen reader wrongly, for every window of the program, present and
// future. To be called once, after the application object exists and before any window.
//
// - Every line edit gets an accessible interface of its own (see lineeditaccessible.h): Qt's
//   hangs the program when a screen reader asks for the word at the end of the text, and makes
//   Orca read the value without its last character.
// - A list that takes the focus is reported as its current entry, never as the list itself: told
//   that a list has the focus, Orca says "list with 3 items" without the entry the user is on and
//   counts the entries one call at a time, half a second for 1,000.
// - A line edit's selection and caret are reported only while the focus is in it and has been
//   reported, and text the program writes into the focused edit is not read as typed (see
//   ProgramTextChange): Orca read the value twice on entering a field and after a command.
// - Before an event goes to the platform bridge, what the screen reader keeps of the program's
//   lists is brought up to date with it (see listcache.h): on Linux the shown lists and their
//   entries are handed to Orca's AT-SPI library, which then counts them without asking.
void installAccessibilityFixes();

// Marks what happens to a line edit's text while it lives as the program's own doing, such as
// the fields of a day that is shown. While the edit holds the focus, the screen reader is told
// that its text changed, so that a Braille display shows the new text, but not what changed:
// Orca would read it as typed and say it a second time next to the focus report or the
// program's own announcement of the change.
class ProgramTextChange
{
public:
    explicit ProgramTextChange(QLineEdit *edit);
    ~ProgramTextChange();

    ProgramTextChange(const ProgramTextChange &) = delete;
    ProgramTextChange &operator=(const ProgramTextChange &) = delete;

private:
    QPointer<QLineEdit> m_previous;
};

class QListView;

// Tells a screen reader that the text of a list's entry has changed. Qt 6.4 reports a changed
// entry only as changed visible data, to which no screen reader listens; as a new name of the
// entry, the screen reader reads the focused entry again ("Meier: abwesend").
void reportEntryTextChanged(QListView *list, int row);

#endif

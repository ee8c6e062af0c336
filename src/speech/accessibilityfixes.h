#ifndef TESSARO_SPEECH_ACCESSIBILITYFIXES_H
#define TESSARO_SPEECH_ACCESSIBILITYFIXES_H

// Mends what Qt 6.4 tells a screen reader wrongly, for every window of the program, present and
// future. To be called once, after the application object exists and before any window.
//
// - Every line edit gets an accessible interface of its own (see lineeditaccessible.h): Qt's
//   hangs the program when a screen reader asks for the word at the end of the text, and makes
//   Orca read the value without its last character.
// - A list that takes the focus is reported as its current entry, never as the list itself: told
//   that a list has the focus, Orca says "list with 3 items" without the entry the user is on and
//   counts the entries one call at a time, half a second for 1,000.
void installAccessibilityFixes();

class QListView;

// Tells a screen reader that the text of a list's entry has changed. Qt 6.4 reports a changed
// entry only as changed visible data, to which no screen reader listens; as a new name of the
// entry, the screen reader reads the focused entry again ("Meier: abwesend").
void reportEntryTextChanged(QListView *list, int row);

#endif

#ifndef TESSARO_SPEECH_ANNOUNCEFIELD_H
#define TESSARO_SPEECH_ANNOUNCEFIELD_H

#include <optional>

class QGroupBox;
class QLabel;
class QWidget;
class ScreenReaderFront;

// Whether the running screen reader reads the focused control's accessible name itself: true
// while a screen reader reads the program through the accessibility bridge. A field's accessible
// name is its label, so announcing the label as well would make it heard twice.
bool screenReaderReadsNames();
// Overrides that answer, for tests: the offscreen platform has no accessibility bridge.
void setScreenReaderReadsNamesForTesting(std::optional<bool> answer);

// Makes a field's separate label its caption for every screen reader and announces it.
//
// The label becomes the field's buddy (its accelerator moves the focus there) and its text,
// without ampersands, the field's accessible name, which a screen reader reads natively; the name
// follows when the label is rewritten later. Each time the focus enters the field and still holds
// it once the event that moved it is handled, the label's text without ampersands goes to
// front->output, queued behind the current speech, unless screenReaderReadsNames().
// The front has to live as long as the field; a label deleted before the field leaves the field
// without caption.
void announceField(QWidget *field, QLabel *label, ScreenReaderFront *front);

// The same for a group of controls that carries its caption as its own title, such as a group of
// radio buttons: its title is announced, by the same rule, when the focus enters the group from
// outside. Moving between the group's own controls announces nothing. The group box reports its
// title as its accessible name itself.
void announceGroup(QGroupBox *group, ScreenReaderFront *front);

#endif

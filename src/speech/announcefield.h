#ifndef TESSARO_SPEECH_ANNOUNCEFIELD_H
#define TESSARO_SPEECH_ANNOUNCEFIELD_H

class QGroupBox;
class QLabel;
class QWidget;
class ScreenReaderFront;

// Makes a field's separate label its caption for every screen reader and announces it.
//
// The label becomes the field's buddy (its accelerator moves the focus there) and its text,
// without ampersands, the field's accessible name, which a screen reader reads natively; the name
// follows when the label is rewritten later. Each time the focus enters the field, the label's
// text without ampersands goes to front->Output, queued behind the current speech; the result is
// ignored. The front has to live as long as the field; a label deleted before the field leaves the
// field without caption.
void announceField(QWidget *field, QLabel *label, ScreenReaderFront *front);

// The same for a group of controls that carries its caption as its own title, such as a group of
// radio buttons: its title is announced when the focus enters the group from outside. Moving
// between the group's own controls announces nothing. The group box reports its title as its
// accessible name itself.
void announceGroup(QGroupBox *group, ScreenReaderFront *front);

#endif

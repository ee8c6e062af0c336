#ifndef TESSARO_UI_RADIOGROUP_H
#define TESSARO_UI_RADIOGROUP_H

class QButtonGroup;
class QGroupBox;
class QWidget;

// Makes a group of radio buttons behave for keyboard users as a radio group does elsewhere: Tab
// and Shift+Tab enter the group on its checked choice, and the arrow keys move to the previous
// (Left, Up) or next (Right, Down) choice and check it, wrapping at the ends. Qt alone keeps
// whichever choice last had the focus in the tab chain, so a screen reader hears "not selected"
// on entering, and it moves by geometry only, so Left and Right do nothing in a column.
void makeKeyboardRadioGroup(QButtonGroup *group);

// A widget to hold the choices of the group box, filling it. Qt names a group box as the label of
// every control that lies on it directly, so Orca said the group's title once for the group and
// once more for the choice, at every arrow key too. The choices' area is nameless and a
// screen reader passes over it; the group box alone names the group.
QWidget *addChoicesArea(QGroupBox *group);

#endif

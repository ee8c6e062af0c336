#ifndef TESSARO_UI_DIALOGGEOMETRY_H
#define TESSARO_UI_DIALOGGEOMETRY_H

#include <QPoint>
#include <QRect>
#include <QSize>

// The layout of every dialog window as pure functions of measured sizes. Each function takes
// the button height (a line of the font + 12) and the natural sizes of the labels and edits,
// and returns the controls' rectangles in client coordinates and the client size.

inline constexpr int kDialogMargin = 10;
inline constexpr int kDialogButtonWidth = 187;
inline constexpr int kBackupButtonWidth = 125;

// Single-line edits of the input dialogs never become narrower than four button heights. With
// a font so large that the label column leaves less, the window grows to the right instead.
int minimumEditWidth(int buttonHeight);

// The participant list: class label, list of five button heights, "Klassen...", "O&K",
// "&Abbrechen" with gaps of half a button width.
struct ParticipantListGeometry
{
    QRect label;
    QRect list;
    QRect classesButton;
    QRect okButton;
    QRect cancelButton;
    QSize client;
};
ParticipantListGeometry layoutParticipantList(int buttonHeight, QSize label);
// The class label is centred again whenever its text changes.
int centredLeft(int clientWidth, int width);

struct ClassChooserGeometry
{
    QRect list;
    QRect okButton;
    QRect cancelButton;
    QSize client;
};
ClassChooserGeometry layoutClassChooser(int buttonHeight);

// The participant creation dialog: three labelled edits above "O&K" and "&Abbrechen".
struct CreationDialogGeometry
{
    QRect labels[3];
    QRect edits[3];
    QRect okButton;
    QRect cancelButton;
    QSize client;
};
CreationDialogGeometry layoutCreationDialog(
    int buttonHeight, const QSize (&labels)[3], int editHeight);

// The one-line input dialog.
struct InputDialogGeometry
{
    QRect label;
    QRect edit;
    QRect okButton;
    QRect cancelButton;
    QSize client;
};
InputDialogGeometry layoutInputDialog(int buttonHeight, QSize label, int editHeight);

// The text view: the text over the whole width, ten button heights high, and three buttons
// with gaps of one button height.
struct TextViewGeometry
{
    QRect text;
    QRect printButton; // "&Drucken..."
    QRect saveButton; // "&Speichern..."
    QRect closeButton; // "S&chließen"
    QSize client;
};
TextViewGeometry layoutTextView(int buttonHeight);

// The backup window: as high as the screen, list and log sharing the space above the buttons.
struct BackupWindowGeometry
{
    QRect volumeList;
    QRect log;
    QRect startButton;
    QRect refreshButton;
    QRect closeButton;
    QSize client;
};
BackupWindowGeometry layoutBackupWindow(int buttonHeight, int screenClientHeight);

// The number dialog: label and a three-button-heights edit; the buttons spread in thirds.
struct NumberDialogGeometry
{
    QRect label;
    QRect edit;
    QRect okButton;
    QRect cancelButton;
    QSize client;
};
NumberDialogGeometry layoutNumberDialog(int buttonHeight, QSize label, int editHeight);

// The background colour chooser: buttons as wide as their longest caption plus "MM" and a
// blank, the list twenty lines of its font high.
struct ColourChooserGeometry
{
    QRect list;
    QRect okButton;
    QRect cancelButton;
    QSize client;
};
ColourChooserGeometry layoutColourChooser(
    int buttonHeight, int buttonWidth, int listLineHeight, int margin);

// A dialog's place on the primary screen: centred, one pixel up and left, never above or left
// of the screen's corner. Sizes include the window frame.
QPoint dialogPosition(QSize screen, QSize window);

// Centred over the main window, but never above or left of its work area's corner.
QPoint centredOver(const QRect &mainWindow, QSize window, QPoint workAreaTopLeft);

#endif

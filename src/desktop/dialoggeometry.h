#ifndef TESSARO_DESKTOP_DIALOGGEOMETRY_H
#define TESSARO_DESKTOP_DIALOGGEOMETRY_H

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
    QRect label1;
    QRect listBox1;
    QRect button3;
    QRect button1;
    QRect button2;
    QSize client;
};
ParticipantListGeometry layoutParticipantList(int buttonHeight, QSize label1);
// The class label is centred again whenever its text changes.
int centredLeft(int clientWidth, int width);

struct ClassChooserGeometry
{
    QRect listBox1;
    QRect button1;
    QRect button2;
    QSize client;
};
ClassChooserGeometry layoutClassChooser(int buttonHeight);

// The participant creation dialog: three labelled edits above "O&K" and "&Abbrechen".
struct CreationDialogGeometry
{
    QRect labels[3];
    QRect edits[3];
    QRect button1;
    QRect button2;
    QSize client;
};
CreationDialogGeometry layoutCreationDialog(
    int buttonHeight, const QSize (&labels)[3], int editHeight);

// The one-line input dialog.
struct InputDialogGeometry
{
    QRect label1;
    QRect edit1;
    QRect button1;
    QRect button2;
    QSize client;
};
InputDialogGeometry layoutInputDialog(int buttonHeight, QSize label1, int editHeight);

// The text view: the text over the whole width, ten button heights high, and three buttons
// with gaps of one button height.
struct TextViewGeometry
{
    QRect richEdit1;
    QRect button1; // "&Drucken..."
    QRect button3; // "&Speichern..."
    QRect button2; // "S&chließen"
    QSize client;
};
TextViewGeometry layoutTextView(int buttonHeight);

// The backup window: as high as the screen, list and log sharing the space above the buttons.
struct BackupWindowGeometry
{
    QRect listBox1;
    QRect richEdit1;
    QRect button1;
    QRect button2;
    QRect button3;
    QSize client;
};
BackupWindowGeometry layoutBackupWindow(int buttonHeight, int screenClientHeight);

// The number dialog: label and a three-button-heights edit; the buttons spread in thirds.
struct NumberDialogGeometry
{
    QRect label1;
    QRect edit1;
    QRect button1;
    QRect button2;
    QSize client;
};
NumberDialogGeometry layoutNumberDialog(int buttonHeight, QSize label1, int editHeight);

// The background colour chooser: buttons as wide as their longest caption plus "MM" and a
// blank, the list twenty lines of its font high.
struct ColourChooserGeometry
{
    QRect listBox1;
    QRect button1;
    QRect button2;
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

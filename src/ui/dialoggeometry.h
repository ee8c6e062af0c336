#ifndef TESSARO_UI_DIALOGGEOMETRY_H
#define TESSARO_UI_DIALOGGEOMETRY_H

#include <QList>
#include <QPoint>
#include <QRect>
#include <QSize>

// The layout of every dialog window as pure functions of measured sizes. Each function takes
// the window's buttons, the natural sizes of the labels and edits and the largest client area
// the screen's work area leaves, and returns the controls' rectangles in client coordinates
// and the client size.
//
// Large fonts: where the rules' button width (187, 125 in the backup window) cannot show a
// caption, every button of the row grows to the widest caption, and the window widens with
// them. Where that would pass the work area, the window stays as wide as the work area and its
// buttons are spread over it, at their own widths if need be, or in more than one row. At sizes
// where the rules' widths suffice, every window is laid out exactly by the rules.

inline constexpr int kDialogMargin = 10;
inline constexpr int kDialogButtonWidth = 187;
inline constexpr int kBackupButtonWidth = 125;
// No limit on the client area.
inline constexpr QSize kUnlimitedClient(1 << 24, 1 << 24);

// A window's buttons as its layout needs them: the button height B (a line of the buttons' font
// + 12) and, in the row's order, the width each button needs to show its caption whole: the
// text and the style's margins. Missing widths count as fitting the rules.
struct ButtonMeasures
{
    int height = 0;
    QList<int> captionWidths;
};

// The width the buttons of a row share: the rules' width, or the widest caption's.
int sharedButtonWidth(int designWidth, const ButtonMeasures &buttons);

// A row of count buttons placed within a client area of the given width, for when the rules'
// positions do not fit: at the shared width with equal gaps, or else each at its caption's
// width with equal gaps, or else as many as fit in each row, from the left. The rows start at
// top; height is that of all rows together.
struct ButtonRows
{
    QList<QRect> buttons;
    int height = 0;
};
ButtonRows fitButtonRow(
    const ButtonMeasures &buttons, int count, int sharedWidth, int width, int top);

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
// The list is at least as wide as widestEntry (its widest entry with the list's own margins),
// up to the client area's limit; the label is at most as wide as the limit allows.
ParticipantListGeometry layoutParticipantList(const ButtonMeasures &buttons, QSize label,
    int widestEntry = 0, QSize maxClient = kUnlimitedClient);
// The class label is centred again whenever its text changes.
int centredLeft(int clientWidth, int width);

struct ClassChooserGeometry
{
    QRect list;
    QRect okButton;
    QRect cancelButton;
    QSize client;
};
ClassChooserGeometry layoutClassChooser(
    const ButtonMeasures &buttons, int widestEntry = 0, QSize maxClient = kUnlimitedClient);

// The participant creation dialog: three labelled edits above "O&K" and "&Abbrechen".
struct CreationDialogGeometry
{
    QRect labels[3];
    QRect edits[3];
    QRect okButton;
    QRect cancelButton;
    QSize client;
};
CreationDialogGeometry layoutCreationDialog(const ButtonMeasures &buttons, const QSize (&labels)[3],
    int editHeight, QSize maxClient = kUnlimitedClient);

// The one-line input dialog.
struct InputDialogGeometry
{
    QRect label;
    QRect edit;
    QRect okButton;
    QRect cancelButton;
    QSize client;
};
InputDialogGeometry layoutInputDialog(
    const ButtonMeasures &buttons, QSize label, int editHeight, QSize maxClient = kUnlimitedClient);

// The roll of a class and the period of the absence summary. Each label stands beside its field,
// on the field's first line; the fields reach from the labels' column to the right margin, at
// least four button heights wide. The class list is three button heights high. The two buttons
// are placed as in the creation dialog. The window widens for the widest list entry.

// "Klasse:", "Datum:", the participant list's label above the list of eight button heights
// (less where the work area is lower, three at least), "Anmerkung:", "&Speichern", "Abbrechen".
struct ClassRollGeometry
{
    QRect classLabel;
    QRect classList;
    QRect dateLabel;
    QRect dateEdit;
    QRect listLabel;
    QRect list;
    QRect remarkLabel;
    QRect remarkEdit;
    QRect saveButton;
    QRect cancelButton;
    QSize client;
};
// labels: those of the class, the date, the list and the remark, in this order.
ClassRollGeometry layoutClassRoll(const ButtonMeasures &buttons, const QSize (&labels)[4],
    int editHeight, int widestEntry = 0, QSize maxClient = kUnlimitedClient);

// "Klasse:", "Von:", "Bis:", "O&K", "&Abbrechen".
struct AbsencePeriodGeometry
{
    QRect classLabel;
    QRect classList;
    QRect fromLabel;
    QRect fromEdit;
    QRect toLabel;
    QRect toEdit;
    QRect okButton;
    QRect cancelButton;
    QSize client;
};
AbsencePeriodGeometry layoutAbsencePeriod(const ButtonMeasures &buttons, const QSize (&labels)[3],
    int editHeight, int widestEntry = 0, QSize maxClient = kUnlimitedClient);

// The year change: "Klassen:" beside the list of the classes with their new names, eight button
// heights high (less where the work area is lower, three at least), "Neuer Name:" beside its
// edit, "O&K" and "&Abbrechen".
struct SchoolYearGeometry
{
    QRect classesLabel;
    QRect classList;
    QRect newNameLabel;
    QRect newNameEdit;
    QRect okButton;
    QRect cancelButton;
    QSize client;
};
SchoolYearGeometry layoutSchoolYear(const ButtonMeasures &buttons, const QSize (&labels)[2],
    int editHeight, int widestEntry = 0, QSize maxClient = kUnlimitedClient);

// The text view: the text over the whole width, ten button heights high (less where the work
// area is lower), and three buttons with gaps of one button height.
struct TextViewGeometry
{
    QRect text;
    QRect printButton; // "&Drucken..."
    QRect saveButton; // "&Speichern..."
    QRect closeButton; // "S&chließen"
    QSize client;
};
TextViewGeometry layoutTextView(const ButtonMeasures &buttons, QSize maxClient = kUnlimitedClient);

// The backup window: as high as the screen, list and log sharing the space above the buttons.
// screenClientHeight is the client height of a screen-high window.
struct BackupWindowGeometry
{
    QRect volumeList;
    QRect log;
    QRect startButton;
    QRect refreshButton;
    QRect closeButton;
    QSize client;
};
BackupWindowGeometry layoutBackupWindow(const ButtonMeasures &buttons, int screenClientHeight,
    int maxClientWidth = kUnlimitedClient.width());

// The number dialog: label and a three-button-heights edit; the buttons spread in thirds. The
// window is at least wide enough for both buttons with a margin left, between and right.
struct NumberDialogGeometry
{
    QRect label;
    QRect edit;
    QRect okButton;
    QRect cancelButton;
    QSize client;
};
NumberDialogGeometry layoutNumberDialog(
    const ButtonMeasures &buttons, QSize label, int editHeight, QSize maxClient = kUnlimitedClient);

// The background colour chooser: buttons as wide as their longest caption plus "MM" and a
// blank, the list twenty lines of its font high, or as high as the work area leaves.
struct ColourChooserGeometry
{
    QRect list;
    QRect okButton;
    QRect cancelButton;
    QSize client;
};
ColourChooserGeometry layoutColourChooser(int buttonHeight, int buttonWidth, int listLineHeight,
    int margin, QSize maxClient = kUnlimitedClient);

// A dialog's place on the primary screen: centred, one pixel up and left, never above or left
// of the screen's corner. Sizes include the window frame.
QPoint dialogPosition(QSize screen, QSize window);

// Centred over the main window, but never above or left of its work area's corner.
QPoint centredOver(const QRect &mainWindow, QSize window, QPoint workAreaTopLeft);

#endif

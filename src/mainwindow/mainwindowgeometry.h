#ifndef TESSARO_MAINWINDOW_MAINWINDOWGEOMETRY_H
#define TESSARO_MAINWINDOW_MAINWINDOWGEOMETRY_H

#include <QRect>
#include <QSize>

#include <array>
#include <functional>

// The main window's layout as a pure function of measured sizes. Index 0 to 4 of the label
// and edit arrays are the name, class, date, comment and remark fields; index 5 of the labels
// is the information field's. The edits stand top to bottom in the order name, class, comment,
// date, remark.
struct MainWindowMeasures
{
    QSize client; // the area below the menu bar, status bar included
    int lineHeight = 0; // of the font, measured on "M"
    int buttonHeight = 0; // a line of the buttons' font + 12
    int statusBarHeight = 0; // a line of the status bar's font + 6
    std::array<QSize, 6> labels; // natural sizes
    int editHeight = 0; // natural height of a single-line edit
    int radioChoices = 2;
    // The width each button needs for its caption, text and margins: "Vorwärts", "Rückwärts",
    // "Teilnehmerliste...".
    std::array<int, 3> buttonCaptions{};
    // The width the status bar's first panel needs for its text.
    int dayNumberText = 0;
    // The height the second panel's text needs when wrapped to a width; none: one line.
    std::function<int(int width)> hintHeightForWidth;
};

struct MainWindowGeometry
{
    std::array<QRect, 6> labels;
    std::array<QRect, 5> edits;
    QRect presentGroup;
    QRect infoEdit;
    QRect nextDayButton;
    QRect previousDayButton;
    QRect participantListButton;
    int statusBarHeight = 0;
    int dayNumberPanelWidth = 0;
    int hintPanelWidth = 0;
    // The area the controls need. With very large fonts it exceeds the client area above the
    // status bar, and the window scrolls.
    QSize content;
};

inline constexpr int kMargin = 10;
inline constexpr int kMainButtonWidth = 187;

// However large the font, the edits keep at least four button heights of width and the
// information field three lines of height; what then no longer fits is scrolled to.
//
// A button whose caption needs more than 187 pixels grows to its caption; when the middle
// button would then overlap a neighbour it is centred between them, and when the three do not
// fit side by side they are set in rows. The first status panel grows to its text; the second
// one wraps its text and the status bar grows by its lines.
MainWindowGeometry layoutMainWindow(const MainWindowMeasures &measures);

#endif

#ifndef TESSARO_UI_APPEARANCE_H
#define TESSARO_UI_APPEARANCE_H

#include <QColor>
#include <QFont>
#include <QString>

class QWidget;

// The font and background colour every window takes its look from, and the two measuring
// functions every layout is computed with.

// Colour values as the settings store them: a plain colour is 0x00BBGGRR (red in the low
// byte); 0xFF000000 plus an index is a system colour, 0xFF000008 the colour of window text.
inline constexpr quint32 kWindowTextColor = 0xFF000008;

QColor colorFromValue(quint32 value);

// Style bits: 1 italic, 2 bold, 4 underline, 8 strike-out.
int styleBits(const QFont &font);
void applyStyleBits(QFont &font, int bits);

// The current font: what the font dialog shows and every window uses.
struct DisplayFont
{
    QFont font;
    quint32 color = kWindowTextColor;
    int charSet = 0; // kept for the settings; Qt picks scripts by itself
};

// The defaults: "Arial", 12 points, no style, window-text colour, character set 0.
DisplayFont defaultFont();

DisplayFont &currentFont();
QColor &currentBackground();

// The kinds of control the measuring and the colouring tell apart.
enum class ControlKind { Button, StatusBar, Other };

// The height of one line of text in the font, measured on "M", plus 12 for a button and 6 for
// a status bar.
int textLineHeight(const QFont &font, ControlKind kind = ControlKind::Other);
// The width of the text followed by one blank, in the font, on one line.
int textWidth(const QFont &font, const QString &text);

// Gives a text-bearing control the whole font, the font colour and the background colour.
void applyTextControlLook(QWidget *control, const DisplayFont &font, const QColor &background);
// Gives a button only the font's name, size and style; it keeps the system's colours.
void applyButtonLook(QWidget *button, const DisplayFont &font);

#endif

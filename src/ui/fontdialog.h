#ifndef TESSARO_UI_FONTDIALOG_H
#define TESSARO_UI_FONTDIALOG_H

#include "ui/appearance.h"

#include <QDialog>

class QComboBox;
class QFontDialog;

// The colours the font colour can be chosen from, in list order, with the window-text colour
// first ("Automatisch").
struct FontColour
{
    const char16_t *name;
    quint32 value; // as the settings store it
};
inline constexpr FontColour kFontColours[] = {
    {u"Automatisch", kWindowTextColor},
    {u"Schwarz", 0x000000},
    {u"Weiß", 0xFFFFFF},
    {u"Gelb", 0x00FFFF},
    {u"Hellgrün", 0x00FF00},
    {u"Aquamarin", 0xFFFF00},
    {u"Silber", 0xC0C0C0},
    {u"Grau", 0x808080},
    {u"Rot", 0x0000FF},
    {u"Kastanienbraun", 0x000080},
    {u"Grün", 0x008000},
    {u"Olivgrün", 0x008080},
    {u"Blau", 0xFF0000},
    {u"Marineblau", 0x800000},
    {u"Fuchsie", 0xFF00FF},
    {u"Lila", 0x800080},
    {u"Blaugrün", 0x808000},
};

// The font command's dialog: name, style, size, underline and strike-out from Qt's font
// dialog, and below it the font colour, all reachable with the keyboard. The character set of
// the font passes through unchanged.
class FontDialog : public QDialog
{
    Q_OBJECT

public:
    explicit FontDialog(QWidget *parent);

    void setDisplayFont(const DisplayFont &font);
    DisplayFont displayFont() const;

    QFontDialog *fontPart() const { return m_fontPart; }
    QComboBox *colourBox() const { return m_colourBox; }

private:
    QFontDialog *m_fontPart;
    QComboBox *m_colourBox;
    int m_charSet = 0;
};

#endif

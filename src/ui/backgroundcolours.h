#ifndef TESSARO_UI_BACKGROUNDCOLOURS_H
#define TESSARO_UI_BACKGROUNDCOLOURS_H

#include <QColor>
#include <QString>

// The 19 background colours the user chooses from. The settings store the position in this
// table, so the order is part of the stored format.
struct BackgroundColour
{
    const char16_t *name;
    QRgb rgb;
};

inline constexpr BackgroundColour kBackgroundColours[] = {
    {u"Schwarz", 0x000000},
    {u"Weiß", 0xFFFFFF},
    {u"Gelb", 0xFFFF00},
    {u"Blau", 0x0000FF},
    {u"Marineblau", 0x000080},
    {u"Himmelblau", 0xA6CAF0},
    {u"Blaugrün", 0x008080},
    {u"Grün", 0x008000},
    {u"Minzgrün", 0xC0DCC0},
    {u"Gelbgrün", 0x00FF00},
    {u"Olivgrün", 0x808000},
    {u"Grau", 0x808080},
    {u"Dunkelgrau", 0x808080},
    {u"Hellgrau", 0xC0C0C0},
    {u"Rot", 0xFF0000},
    {u"Purpur", 0x800080},
    {u"Lila", 0xFF00FF},
    {u"Silber", 0xC0C0C0},
    {u"Braun", 0x800000},
};

inline constexpr int kBackgroundColourCount = int(std::size(kBackgroundColours));

// A number outside the table selects entry 0, "Schwarz".
constexpr int clampedColourNumber(int number)
{
    return number < 0 || number >= kBackgroundColourCount ? 0 : number;
}

inline QColor backgroundColour(int number)
{
    return QColor::fromRgb(kBackgroundColours[clampedColourNumber(number)].rgb);
}

inline QString backgroundColourName(int number)
{
    return QString::fromUtf16(kBackgroundColours[clampedColourNumber(number)].name);
}

#endif

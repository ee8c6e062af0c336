#include "ui/appearance.h"

#include <QAbstractButton>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QPalette>
#include <QWidget>

using namespace Qt::StringLiterals;

QColor colorFromValue(quint32 value)
{
    if ((value & 0xFF000000u) == 0xFF000000u) {
        // Only the window-text system colour is used; other system colours fall back to it.
        return QGuiApplication::palette().color(QPalette::Active, QPalette::WindowText);
    }
    return QColor(int(value & 0xFF), int((value >> 8) & 0xFF), int((value >> 16) & 0xFF));
}

int styleBits(const QFont &font)
{
    return (font.italic() ? 1 : 0) | (font.bold() ? 2 : 0) | (font.underline() ? 4 : 0)
        | (font.strikeOut() ? 8 : 0);
}

void applyStyleBits(QFont &font, int bits)
{
    font.setItalic(bits & 1);
    font.setBold(bits & 2);
    font.setUnderline(bits & 4);
    font.setStrikeOut(bits & 8);
}

DisplayFont defaultFont()
{
    DisplayFont font;
    font.font = QFont(u"Arial"_s, 12);
    return font;
}

DisplayFont &currentFont()
{
    static DisplayFont font = defaultFont();
    return font;
}

QColor &currentBackground()
{
    static QColor colour(Qt::white);
    return colour;
}

int textLineHeight(const QFont &font, ControlKind kind)
{
    const int allowance = kind == ControlKind::Button ? 12 : kind == ControlKind::StatusBar ? 6 : 0;
    return QFontMetrics(font).size(Qt::TextSingleLine, u"M"_s).height() + allowance;
}

int textWidth(const QFont &font, const QString &text)
{
    return QFontMetrics(font).size(Qt::TextSingleLine, text + u' ').width();
}

void applyTextControlLook(QWidget *control, const DisplayFont &font, const QColor &background)
{
    control->setFont(font.font);
    const QColor text = colorFromValue(font.color);
    QPalette palette = control->palette();
    for (QPalette::ColorRole role :
        {QPalette::Window, QPalette::Base, QPalette::AlternateBase, QPalette::Button})
        palette.setColor(role, background);
    // A radio button fills its background from Button but draws its indicator's outline
    // darker than Window: the system's Window colour keeps that outline visible on black.
    if (qobject_cast<QAbstractButton *>(control))
        palette.setColor(QPalette::Window, QGuiApplication::palette().color(QPalette::Window));
    for (QPalette::ColorRole role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
        palette.setColor(role, text);
    control->setPalette(palette);
    control->setAutoFillBackground(true);
}

void applyButtonLook(QWidget *button, const DisplayFont &font)
{
    QFont buttonFont = button->font();
    buttonFont.setFamily(font.font.family());
    buttonFont.setPointSizeF(font.font.pointSizeF());
    buttonFont.setItalic(font.font.italic());
    buttonFont.setBold(font.font.bold());
    buttonFont.setUnderline(font.font.underline());
    buttonFont.setStrikeOut(font.font.strikeOut());
    button->setFont(buttonFont);
}

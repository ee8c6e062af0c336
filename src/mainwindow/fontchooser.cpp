#include "mainwindow/fontchooser.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFontDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

FontChooser::FontChooser(QWidget *parent)
    : QDialog(parent), m_fontPart(new QFontDialog(this)), m_colourBox(new QComboBox(this))
{
    setWindowTitle(u"Schriftart"_s);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);

    // Qt's font dialog as a part of this window, without buttons of its own.
    m_fontPart->setWindowFlags(Qt::Widget);
    m_fontPart->setOptions(QFontDialog::NoButtons | QFontDialog::DontUseNativeDialog);

    auto *colourLabel = new QLabel(u"&Farbe:"_s, this);
    colourLabel->setBuddy(m_colourBox);
    m_colourBox->setAccessibleName(u"Farbe:"_s);
    for (const FontColour &colour : kFontColours)
        m_colourBox->addItem(QString::fromUtf16(colour.name), colour.value);

    auto *buttons = new QDialogButtonBox(this);
    buttons->addButton(u"O&K"_s, QDialogButtonBox::AcceptRole)->setDefault(true);
    buttons->addButton(u"&Abbrechen"_s, QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto *colourRow = new QHBoxLayout;
    colourRow->addWidget(colourLabel);
    colourRow->addWidget(m_colourBox, 1);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_fontPart);
    layout->addLayout(colourRow);
    layout->addWidget(buttons);
}

void FontChooser::setTessaroFont(const TessaroFont &font)
{
    m_fontPart->setCurrentFont(font.font);
    m_charSet = font.charSet;
    int index = m_colourBox->findData(font.color);
    if (index < 0) {
        // A colour stored by hand that the list does not hold stays choosable.
        m_colourBox->addItem(u"Benutzerdefiniert"_s, font.color);
        index = m_colourBox->count() - 1;
    }
    m_colourBox->setCurrentIndex(index);
}

TessaroFont FontChooser::tessaroFont() const
{
    TessaroFont font;
    font.font = m_fontPart->currentFont();
    font.color = m_colourBox->currentData().toUInt();
    font.charSet = m_charSet;
    return font;
}

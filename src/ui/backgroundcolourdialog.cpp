#include "ui/backgroundcolourdialog.h"

#include "ui/backgroundcolours.h"

#include "speech/screenreaderfront.h"
#include "ui/appearance.h"
#include "ui/dialoggeometry.h"

#include <QListWidget>
#include <QPushButton>

using namespace Qt::StringLiterals;

BackgroundColourDialog::BackgroundColourDialog(QWidget *mainWindow, int margin)
    : AdaptiveDialog(mainWindow, LookKinds{true, true, true, false, false, false}, false)
    , m_margin(margin)
{
    m_ui.list = new QListWidget(this);
    m_ui.okButton = new QPushButton(this);
    m_ui.cancelButton = new QPushButton(this);
    m_ui.okButton->setDefault(true);
    m_ui.cancelButton->setAutoDefault(false);
    m_ui.list->setAccessibleName(u"Schrifthintergrund"_s);
    connect(m_ui.okButton, &QPushButton::clicked, this, [this] { done(QDialog::Accepted); });
    connect(m_ui.cancelButton, &QPushButton::clicked, this, [this] { done(QDialog::Rejected); });
    setTabOrder(m_ui.list, m_ui.okButton);
    setTabOrder(m_ui.okButton, m_ui.cancelButton);
    setCaptions(u"Schrifthintergrund wählen"_s, u"O&K"_s, u"&Abbrechen"_s);
}

void BackgroundColourDialog::setCaptions(
    const QString &caption, const QString &okCaption, const QString &cancelCaption)
{
    setWindowTitle(caption);
    m_ui.okButton->setText(okCaption);
    m_ui.cancelButton->setText(cancelCaption);
    m_ui.list->clear();
    for (int number = 0; number < kBackgroundColourCount; ++number)
        m_ui.list->addItem(backgroundColourName(number));
}

int BackgroundColourDialog::colourNumber() const
{
    return m_ui.list->currentRow();
}

void BackgroundColourDialog::setColourNumber(int number)
{
    m_ui.list->setCurrentRow(clampedColourNumber(number));
}

QColor BackgroundColourDialog::colour() const
{
    return backgroundColour(colourNumber());
}

void BackgroundColourDialog::setMargin(int margin)
{
    m_margin = margin;
    layoutControls();
}

void BackgroundColourDialog::applyAppearance(const DisplayFont &font, const QColor &background)
{
    applyLook(font, background);
}

void BackgroundColourDialog::layoutControls()
{
    // Both buttons are as wide as the longest caption plus "MM" and a blank; of captions of
    // equal length the first counts.
    QString longest;
    for (const QPushButton *button : {m_ui.okButton, m_ui.cancelButton}) {
        const QString caption = withoutAmpersands(button->text());
        if (caption.size() > longest.size())
            longest = caption;
    }
    const ColourChooserGeometry g
        = layoutColourChooser(buttonHeight(), textWidth(m_ui.okButton->font(), longest + u"MM"_s),
            textLineHeight(m_ui.list->font()), m_margin, maxClientSize());
    m_ui.list->setGeometry(g.list);
    m_ui.okButton->setGeometry(g.okButton);
    m_ui.cancelButton->setGeometry(g.cancelButton);
    setClientSize(g.client);
}

void BackgroundColourDialog::prepareToShow()
{
    layoutControls();
    m_rowAtShowing = m_ui.list->currentRow();
    m_ui.list->setFocus();
}

void BackgroundColourDialog::done(int result)
{
    // Cancel, Escape and the title bar put the selection back.
    if (result != QDialog::Accepted)
        m_ui.list->setCurrentRow(m_rowAtShowing);
    AdaptiveDialog::done(result);
}

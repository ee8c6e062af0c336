#include "mainwindow/rkhintergrund.h"

#include "mainwindow/hintergrundfarben.h"

#include "desktop/appearance.h"
#include "desktop/dialoggeometry.h"
#include "desktop/screenreaderfront.h"

#include <QListWidget>
#include <QPushButton>

using namespace Qt::StringLiterals;

THintergrundForm::THintergrundForm(QWidget *mainWindow, int aRand)
    : TessaroDialog(mainWindow, LookKinds{true, true, true, false, false, false}, false)
    , FRand(aRand)
{
    ListBox1 = new QListWidget(this);
    Button1 = new QPushButton(this);
    Button2 = new QPushButton(this);
    Button1->setDefault(true);
    Button2->setAutoDefault(false);
    ListBox1->setAccessibleName(u"Schrifthintergrund"_s);
    connect(Button1, &QPushButton::clicked, this, [this] { done(mrOk); });
    connect(Button2, &QPushButton::clicked, this, [this] { done(mrCancel); });
    setTabOrder(ListBox1, Button1);
    setTabOrder(Button1, Button2);
    CaptionZuweisen(u"Schrifthintergrund wählen"_s, u"O&K"_s, u"&Abbrechen"_s);
}

void THintergrundForm::CaptionZuweisen(
    const QString &caption, const QString &button1Caption, const QString &button2Caption)
{
    setWindowTitle(caption);
    Button1->setText(button1Caption);
    Button2->setText(button2Caption);
    ListBox1->clear();
    for (int number = 0; number < kHintergrundCount; ++number)
        ListBox1->addItem(hintergrundName(number));
}

int THintergrundForm::HintergrundNr() const
{
    return ListBox1->currentRow();
}

void THintergrundForm::setHintergrundNr(int number)
{
    ListBox1->setCurrentRow(clampedHintergrundNr(number));
}

QColor THintergrundForm::HintergrundFarbe() const
{
    return hintergrundFarbe(HintergrundNr());
}

void THintergrundForm::setRand(int margin)
{
    FRand = margin;
    SchalterEinrichten();
}

void THintergrundForm::SchriftartZuweisen(const TessaroFont &font, const QColor &background)
{
    applyLook(font, background);
}

void THintergrundForm::SchalterEinrichten()
{
    // Both buttons are as wide as the longest caption plus "MM" and a blank; of captions of
    // equal length the first counts.
    QString longest;
    for (const QPushButton *button : {Button1, Button2}) {
        const QString caption = StripAmpersands(button->text());
        if (caption.size() > longest.size())
            longest = caption;
    }
    const ColourChooserGeometry g = layoutColourChooser(buttonHeight(),
        TextBreite(Button1->font(), longest + u"MM"_s), ZeilenHoehe(ListBox1->font()), FRand);
    ListBox1->setGeometry(g.listBox1);
    Button1->setGeometry(g.button1);
    Button2->setGeometry(g.button2);
    setClientSize(g.client);
}

void THintergrundForm::FormShow()
{
    SchalterEinrichten();
    MerkItemIndex = ListBox1->currentRow();
    ListBox1->setFocus();
}

void THintergrundForm::done(int result)
{
    // Cancel, Escape and the title bar put the selection back.
    if (result != mrOk)
        ListBox1->setCurrentRow(MerkItemIndex);
    TessaroDialog::done(result);
}

#include "dialogs/klassendlg.h"

#include "dialogs/listboxtexts.h"
#include "dialogs/participantlisting.h"

#include "desktop/dialoggeometry.h"

#include <QListWidget>
#include <QPushButton>

using namespace Qt::StringLiterals;

TKlassenForm::TKlassenForm(QWidget *mainWindow) : TessaroDialog(mainWindow, LookKinds{}, true)
{
    ListBox1 = new QListWidget(this);
    Button1 = new QPushButton(u"O&K"_s, this);
    Button2 = new QPushButton(u"&Abbrechen"_s, this);
    Button1->setDefault(true);
    connect(Button1, &QPushButton::clicked, this, [this] { done(mrOk); });
    connect(Button2, &QPushButton::clicked, this, [this] { done(mrCancel); });
    setTabOrder(ListBox1, Button1);
    setTabOrder(Button1, Button2);
    setWindowTitle(u"Wählen Sie die anzuzeigende Klasse"_s);
    setKlassen({});
}

void TKlassenForm::setKlassen(const QStringList &klassen)
{
    ListBox1->clear();
    ListBox1->addItem(u"(Alle)"_s);
    ListBox1->addItems(klassen);
}

int TKlassenForm::FindItemIndex() const
{
    return int(qMax<qsizetype>(0, indexIgnoringCase(listBoxTexts(ListBox1), Klasse)));
}

void TKlassenForm::SchalterEinrichten()
{
    const ClassChooserGeometry g = layoutClassChooser(buttonHeight());
    ListBox1->setGeometry(g.listBox1);
    Button1->setGeometry(g.button1);
    Button2->setGeometry(g.button2);
    setClientSize(g.client);
}

void TKlassenForm::FormShow()
{
    SchalterEinrichten();
    ListBox1->setCurrentRow(FindItemIndex());
    ListBox1->setFocus();
}

#include "dialogs/tldlg.h"

#include "dialogs/klassendlg.h"
#include "dialogs/listboxtexts.h"
#include "dialogs/participantlisting.h"

#include "desktop/announcefield.h"
#include "desktop/dialoggeometry.h"
#include "desktop/messages.h"

#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTimer>

using namespace Qt::StringLiterals;

TTlForm::TTlForm(QWidget *mainWindow, TScreenReaderFront *front, TKlassenForm *klassenForm)
    : TessaroDialog(mainWindow, LookKinds{}, true), m_klassenForm(klassenForm)
{
    Label1 = new QLabel(this);
    ListBox1 = new QListWidget(this);
    Button3 = new QPushButton(u"Klassen..."_s, this);
    Button1 = new QPushButton(u"O&K"_s, this);
    Button2 = new QPushButton(u"&Abbrechen"_s, this);
    Button1->setDefault(true);
    Button1->setEnabled(false);
    Timer1 = new QTimer(this);
    Timer1->setSingleShot(true);
    Timer1->setInterval(25);

    connect(Timer1, &QTimer::timeout, this, &TTlForm::Timer1Timer);
    connect(Button3, &QPushButton::clicked, this, &TTlForm::Button3Click);
    connect(Button1, &QPushButton::clicked, this, [this] { done(mrOk); });
    connect(Button2, &QPushButton::clicked, this, [this] { done(mrCancel); });
    setTabOrder(ListBox1, Button3);
    setTabOrder(Button3, Button1);
    setTabOrder(Button1, Button2);
    announceField(ListBox1, Label1, front);

    setWindowTitle(u"Wählen Sie einen neuen Teilnehmer"_s);
    setKlasse(QString());
}

bool TTlForm::DateienEinlesen(const QString &pfad)
{
    KlassenSl.clear();
    ListBox1->clear();
    const QString folder = folderPart(pfad.isEmpty() ? DatFilename : pfad);
    ListBox1->addItems(listParticipants(folder, FKlasse, KlassenSl));
    const bool listed = ListBox1->count() > 0;
    Button1->setEnabled(listed);
    ListBox1->setCurrentRow(FindItemIndex());
    return listed;
}

bool TTlForm::KlasseOk(const QString &datei)
{
    return classPasses(datei, FKlasse, KlassenSl);
}

int TTlForm::FindItemIndex() const
{
    const qsizetype index = indexIgnoringCase(listBoxTexts(ListBox1), participantName(DatFilename));
    return int(qMax<qsizetype>(0, index));
}

void TTlForm::setKlasse(const QString &klasse)
{
    FKlasse = klasse;
    // The label is the list's buddy: an "&" of a class is text, not a mnemonic.
    QString shown = klasse.isEmpty() ? u"(Alle)"_s : klasse;
    shown.replace(u'&', u"&&"_s);
    Label1->setText(u"Aktuelle Klasse: %1"_s.arg(shown));
    centreLabel1();
}

void TTlForm::centreLabel1()
{
    Label1->resize(Label1->sizeHint());
    Label1->move(centredLeft(width(), Label1->width()), Label1->y());
}

void TTlForm::SchalterEinrichten()
{
    const ParticipantListGeometry g = layoutParticipantList(buttonHeight(), Label1->sizeHint());
    Label1->setGeometry(g.label1);
    ListBox1->setGeometry(g.listBox1);
    Button3->setGeometry(g.button3);
    Button1->setGeometry(g.button1);
    Button2->setGeometry(g.button2);
    setClientSize(g.client);
}

void TTlForm::FormShow()
{
    SchalterEinrichten();
    ListBox1->clear();
    ListBox1->setFocus();
    Timer1->start();
}

void TTlForm::done(int result)
{
    // A list closed within the 25 ms is not read any more.
    Timer1->stop();
    TessaroDialog::done(result);
}

void TTlForm::Timer1Timer()
{
    runCommand(this, [this] { DateienEinlesen(QString()); });
}

void TTlForm::Button3Click()
{
    m_klassenForm->SchriftartZuweisen();
    m_klassenForm->setKlassen(KlassenSl);
    m_klassenForm->Klasse = FKlasse;
    if (m_klassenForm->exec() != mrOk)
        return;
    const int row = m_klassenForm->ListBox1->currentRow();
    setKlasse(row > 0 ? m_klassenForm->ListBox1->item(row)->text() : QString());
    ListBox1->setFocus();
    runCommand(this, [this] { DateienEinlesen(QString()); });
}

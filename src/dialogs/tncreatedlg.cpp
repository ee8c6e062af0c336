#include "dialogs/tncreatedlg.h"

#include "dialogs/participantlisting.h"
#include "dialogs/participantname.h"

#include "desktop/announcefield.h"
#include "desktop/dialoggeometry.h"
#include "desktop/messages.h"
#include "records/dayformat.h"

#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

using namespace Qt::StringLiterals;

namespace {

constexpr int kMaxLength = 100;

bool isEnterKey(const QEvent *event)
{
    if (event->type() != QEvent::KeyPress)
        return false;
    const int key = static_cast<const QKeyEvent *>(event)->key();
    return key == Qt::Key_Return || key == Qt::Key_Enter;
}

} // namespace

TTnCreateForm::TTnCreateForm(QWidget *mainWindow, TScreenReaderFront *front)
    : TessaroDialog(mainWindow, LookKinds{}, true)
{
    QLabel **labels[] = {&Label1, &Label2, &Label3};
    QLineEdit **edits[] = {&Edit1, &Edit2, &Edit3};
    const QString captions[] = {u"Name:"_s, u"Klasse:"_s, u"Kommentar:"_s};
    for (int i = 0; i < 3; ++i) {
        *labels[i] = new QLabel(captions[i], this);
        *edits[i] = new QLineEdit(this);
        (*edits[i])->setMaxLength(kMaxLength);
        (*edits[i])->installEventFilter(this);
        announceField(*edits[i], *labels[i], front);
    }
    Button1 = new QPushButton(u"O&K"_s, this);
    Button2 = new QPushButton(u"&Abbrechen"_s, this);
    Button1->setDefault(true);

    connect(Edit1, &QLineEdit::textChanged, this, &TTnCreateForm::Edit1Change);
    connect(Edit2, &QLineEdit::textChanged, this, &TTnCreateForm::Edit1Change);
    connect(Button1, &QPushButton::clicked, this, &TTnCreateForm::Button1Click);
    connect(Button2, &QPushButton::clicked, this, [this] { done(mrCancel); });
    setTabOrder(Edit1, Edit2);
    setTabOrder(Edit2, Edit3);
    setTabOrder(Edit3, Button1);
    setTabOrder(Button1, Button2);

    setWindowTitle(u"Geben Sie einen neuen Teilnehmer ein"_s);
    Edit1Change();
}

void TTnCreateForm::SchalterEinrichten()
{
    const QSize labels[3] = {Label1->sizeHint(), Label2->sizeHint(), Label3->sizeHint()};
    const CreationDialogGeometry g
        = layoutCreationDialog(buttonHeight(), labels, Edit1->sizeHint().height());
    QLabel *const labelControls[] = {Label1, Label2, Label3};
    QLineEdit *const editControls[] = {Edit1, Edit2, Edit3};
    for (int i = 0; i < 3; ++i) {
        labelControls[i]->setGeometry(g.labels[i]);
        editControls[i]->setGeometry(g.edits[i]);
    }
    Button1->setGeometry(g.button1);
    Button2->setGeometry(g.button2);
    setClientSize(g.client);
}

void TTnCreateForm::FormShow()
{
    SchalterEinrichten();
    CloseS = true;
    Edit1->clear();
    Edit1->setFocus();
}

void TTnCreateForm::done(int result)
{
    const bool allowed = CloseS;
    CloseS = true;
    if (allowed)
        TessaroDialog::done(result);
}

bool TTnCreateForm::eventFilter(QObject *watched, QEvent *event)
{
    if ((watched == Edit1 || watched == Edit2 || watched == Edit3) && isEnterKey(event)) {
        Edit1KeyPress();
        return true;
    }
    return TessaroDialog::eventFilter(watched, event);
}

void TTnCreateForm::Edit1Change()
{
    Button1->setEnabled(
        !trimmedText(Edit1->text()).isEmpty() && !trimmedText(Edit2->text()).isEmpty());
}

void TTnCreateForm::Edit1KeyPress()
{
    if (Button1->isEnabled())
        Button1->click();
    else if (!trimmedText(Edit1->text()).isEmpty())
        Edit2->setFocus();
    else
        Edit1->setFocus();
}

void TTnCreateForm::Button1Click()
{
    CloseS = true;
    int result = mrOk;
    const QString name = trimmedText(Edit1->text());
    std::optional<QString> existing;
    if (const std::optional<QString> refusal = participantNameError(name)) {
        Messages::information(this, *refusal);
        CloseS = false;
    } else if (!runCommand(
                   this, [&] { existing = existingParticipant(folderPart(DatFilename), name); })) {
        // Without knowing the names taken, creating could replace another participant's file.
        CloseS = false;
    } else if (existing) {
        if (Messages::question(this,
                u"Der Teilnehmer \"%1\" existiert bereits!\r\n"
                u"Soll der Teilnehmer jetzt aufgerufen werden?"_s.arg(name))) {
            Edit1->setText(*existing);
            result = mrRetry;
        } else {
            CloseS = false;
        }
    }
    if (!CloseS) {
        Edit1->selectAll();
        Edit1->setFocus();
    }
    done(result);
}

#include "dialogs/editdlg.h"

#include "dialogs/participantlisting.h"
#include "dialogs/participantname.h"

#include "desktop/announcefield.h"
#include "desktop/dialoggeometry.h"
#include "desktop/messages.h"
#include "records/dayformat.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace {

constexpr int kRename = 1;
constexpr int kSearchDate = 3;

struct Question
{
    QString caption;
    QString label;
};

const Question &questionFor(int nr)
{
    static const Question questions[] = {
        {u"Teilnehmer umbenennen"_s, u"Name:"_s},
        {u"Geben Sie eine neue Klasse ein"_s, u"Klasse:"_s},
        {u"Geben Sie das zu suchende Datum ein"_s, u"Suchdatum:"_s},
        {u"Geben Sie einen neuen Kommentar ein"_s, u"Kommentar:"_s},
    };
    return questions[std::clamp(nr, 1, 4) - 1];
}

} // namespace

TEditForm::TEditForm(QWidget *mainWindow, TScreenReaderFront *front)
    : TessaroDialog(mainWindow, LookKinds{}, true)
{
    Label1 = new QLabel(this);
    Edit1 = new QLineEdit(this);
    Edit1->setMaxLength(100);
    Edit1->installEventFilter(this);
    Button1 = new QPushButton(this);
    Button2 = new QPushButton(this);
    Button1->setDefault(true);

    connect(Edit1, &QLineEdit::textChanged, this, &TEditForm::Edit1Change);
    connect(Button1, &QPushButton::clicked, this, &TEditForm::Button1Click);
    connect(Button2, &QPushButton::clicked, this, [this] { done(mrCancel); });
    setTabOrder(Button1, Button2);
    setTabOrder(Button2, Edit1);
    announceField(Edit1, Label1, front);
    CaptionZuweisen();
}

void TEditForm::CaptionZuweisen()
{
    const Question &question = questionFor(Nr);
    setWindowTitle(question.caption);
    Label1->setText(question.label);
    Button1->setText(u"O&K"_s);
    Button2->setText(u"&Abbrechen"_s);
}

void TEditForm::SchalterEinrichten()
{
    const InputDialogGeometry g
        = layoutInputDialog(buttonHeight(), Label1->sizeHint(), Edit1->sizeHint().height());
    Label1->setGeometry(g.label1);
    Edit1->setGeometry(g.edit1);
    Button1->setGeometry(g.button1);
    Button2->setGeometry(g.button2);
    setClientSize(g.client);
}

void TEditForm::FormShow()
{
    CaptionZuweisen();
    SchalterEinrichten();
    Edit1Change();
    Edit1->setFocus();
    Edit1->selectAll();
}

bool TEditForm::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == Edit1 && event->type() == QEvent::KeyPress
        && Edit1KeyPress(static_cast<QKeyEvent *>(event)))
        return true;
    return TessaroDialog::eventFilter(watched, event);
}

bool TEditForm::Edit1KeyPress(QKeyEvent *event)
{
    if (Nr != kSearchDate)
        return false;
    // The edit receives the key again with its text upper-cased; text that arrives otherwise,
    // pasted for instance, stays as it is.
    const QString upper = upperCased(event->text());
    if (upper == event->text())
        return false;
    QKeyEvent upperKey(QEvent::KeyPress, event->key(), event->modifiers(), upper,
        event->isAutoRepeat(), ushort(event->count()));
    QCoreApplication::sendEvent(Edit1, &upperKey);
    return true;
}

void TEditForm::Edit1Change()
{
    Button1->setEnabled(trimmedText(Edit1->text()).size() >= (NullS ? 0 : 1));
}

void TEditForm::Button1Click()
{
    if (Nr == kRename) {
        if (const std::optional<QString> refusal
            = participantNameError(trimmedText(Edit1->text()))) {
            Messages::information(this, *refusal);
            Edit1->selectAll();
            Edit1->setFocus();
            return;
        }
    }
    done(mrOk);
}

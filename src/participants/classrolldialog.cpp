#include "participants/classrolldialog.h"

#include "participants/classchoice.h"
#include "participants/participantlisting.h"

#include "speech/accessibilityfixes.h"
#include "speech/announcefield.h"
#include "speech/screenreaderfront.h"
#include "ui/dialoggeometry.h"
#include "ui/messages.h"

#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

using namespace Qt::StringLiterals;

ClassRollDialog::ClassRollDialog(QWidget *mainWindow, ScreenReaderFront *front)
    : AdaptiveDialog(mainWindow, LookKinds{}, true), m_front(front)
{
    m_ui.classLabel = new QLabel(u"&Klasse:"_s, this);
    m_ui.classList = new QListWidget(this);
    m_ui.dateLabel = new QLabel(u"&Datum:"_s, this);
    m_ui.dateEdit = new QLineEdit(this);
    m_ui.dateEdit->setMaxLength(100);
    m_ui.listLabel = new QLabel(u"&Teilnehmer"_s, this);
    m_ui.list = new QListWidget(this);
    m_ui.list->installEventFilter(this);
    m_ui.remarkLabel = new QLabel(u"A&nmerkung:"_s, this);
    m_ui.remarkEdit = new QLineEdit(this);
    m_ui.remarkEdit->setMaxLength(100);
    m_ui.saveButton = new QPushButton(u"&Speichern"_s, this);
    m_ui.cancelButton = new QPushButton(u"Abbrechen"_s, this);
    m_ui.saveButton->setDefault(true);

    connect(m_ui.classList, &QListWidget::currentRowChanged, this,
        [this] { runCommand(this, [this] { listChosenClass(); }); });
    connect(m_ui.list, &QListWidget::currentRowChanged, this, &ClassRollDialog::showCurrentRemark);
    connect(m_ui.list, &QListWidget::itemClicked, this, [this](QListWidgetItem *item) {
        m_ui.list->setCurrentItem(item);
        toggleCurrentEntry();
    });
    connect(m_ui.remarkEdit, &QLineEdit::textEdited, this, [this](const QString &text) {
        if (m_ui.list->currentRow() >= 0)
            markOf(m_ui.list->currentRow()).remark = text;
    });
    connect(m_ui.saveButton, &QPushButton::clicked, this, &ClassRollDialog::save);
    connect(m_ui.cancelButton, &QPushButton::clicked, this, &ClassRollDialog::reject);
    QWidget *order[] = {m_ui.classList, m_ui.dateEdit, m_ui.list, m_ui.remarkEdit, m_ui.saveButton,
        m_ui.cancelButton};
    for (size_t i = 0; i + 1 < std::size(order); ++i)
        setTabOrder(order[i], order[i + 1]);
    announceField(m_ui.classList, m_ui.classLabel, front);
    announceField(m_ui.dateEdit, m_ui.dateLabel, front);
    announceField(m_ui.list, m_ui.listLabel, front);
    announceField(m_ui.remarkEdit, m_ui.remarkLabel, front);
    setWindowTitle(u"Anwesenheit erfassen"_s);
}

QString ClassRollDialog::entryText(const RollMark &mark)
{
    return mark.name + (mark.present == kPresent ? u": anwesend"_s : u": abwesend"_s);
}

void ClassRollDialog::prepare(const QString &dataFolder, const QStringList &classes,
    const QString &preselectedClass, const QString &date)
{
    m_dataFolder = dataFolder;
    m_marks.clear();
    m_ui.dateEdit->setText(date);
    {
        const QSignalBlocker quiet(m_ui.classList);
        setClassChoices(m_ui.classList, classes, preselectedClass);
    }
    listChosenClass();
}

void ClassRollDialog::listChosenClass()
{
    QStringList classes;
    m_listed = listParticipants(m_dataFolder, chosenClass(m_ui.classList), classes);
    {
        const QSignalBlocker quiet(m_ui.list);
        m_ui.list->clear();
        for (const QString &name : std::as_const(m_listed))
            m_ui.list->addItem(entryText(markOf(name)));
    }
    const bool listed = !m_listed.isEmpty();
    m_ui.remarkEdit->setEnabled(listed);
    m_ui.saveButton->setEnabled(listed);
    // Only a shown list gets a current entry: a screen reader is told about it at once.
    if (isVisible()) {
        m_ui.list->setCurrentRow(listed ? 0 : -1);
        layoutControls();
    }
    showCurrentRemark();
}

QList<RollMark> ClassRollDialog::marks() const
{
    QList<RollMark> marks;
    marks.reserve(m_listed.size());
    for (const QString &name : m_listed)
        marks.append(markOf(name));
    return marks;
}

QString ClassRollDialog::date() const
{
    return trimmedText(m_ui.dateEdit->text());
}

RollMark ClassRollDialog::markOf(const QString &name) const
{
    return m_marks.value(name, RollMark{name, kPresent, QString()});
}

RollMark &ClassRollDialog::markOf(int row)
{
    const QString &name = m_listed.at(row);
    auto entry = m_marks.find(name);
    if (entry == m_marks.end())
        entry = m_marks.insert(name, markOf(name));
    return *entry;
}

void ClassRollDialog::toggleCurrentEntry()
{
    const int row = m_ui.list->currentRow();
    if (row < 0)
        return;
    RollMark &mark = markOf(row);
    mark.present = mark.present == kPresent ? kAbsent : kPresent;
    m_ui.list->item(row)->setText(entryText(mark));
    // The new text is the answer to the key just pressed, so it is said at once, interrupting
    // the key's echo. Orca 43 does not say it by itself: Qt 6.4 sends the changed name's event
    // with the entry in place of the name, which Orca cannot speak. The event still updates the
    // name a screen reader keeps of the entry.
    reportEntryTextChanged(m_ui.list, row);
    m_front->output(entryText(mark), true);
}

void ClassRollDialog::showCurrentRemark()
{
    const int row = m_ui.list->currentRow();
    m_ui.remarkEdit->setText(row < 0 ? QString() : markOf(m_listed.at(row)).remark);
}

bool ClassRollDialog::anyEntryChanged() const
{
    const QList<RollMark> entries = marks();
    return std::any_of(entries.begin(), entries.end(), [](const RollMark &mark) {
        return mark.present != kPresent || !trimmedText(mark.remark).isEmpty();
    });
}

void ClassRollDialog::save()
{
    if (date().isEmpty()) {
        Messages::information(this, u"Geben Sie bitte ein Datum ein!"_s);
        m_ui.dateEdit->setFocus();
        return;
    }
    done(QDialog::Accepted);
}

void ClassRollDialog::reject()
{
    // Escape by mistake must not throw away a whole class's roll; answered "&Nein" (also by a
    // second Escape), the entries are dropped.
    if (anyEntryChanged()
        && Messages::question(this, u"Soll die Anwesenheit gespeichert werden?"_s)) {
        save();
        return;
    }
    AdaptiveDialog::reject();
}

bool ClassRollDialog::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_ui.list && event->type() == QEvent::KeyPress) {
        const auto *key = static_cast<QKeyEvent *>(event);
        if (key->key() == Qt::Key_Space && key->modifiers() == Qt::NoModifier) {
            toggleCurrentEntry();
            return true;
        }
    }
    return AdaptiveDialog::eventFilter(watched, event);
}

void ClassRollDialog::layoutControls()
{
    const QSize labels[] = {m_ui.classLabel->sizeHint(), m_ui.dateLabel->sizeHint(),
        m_ui.listLabel->sizeHint(), m_ui.remarkLabel->sizeHint()};
    const int entriesWidth = widestEntryWidth(m_ui.list);
    const ClassRollGeometry g
        = layoutClassRoll(measureButtons({m_ui.saveButton, m_ui.cancelButton}), labels,
            m_ui.dateEdit->sizeHint().height(),
            qMax(entriesWidth, widestEntryWidth(m_ui.classList)), maxClientSize());
    m_ui.classLabel->setGeometry(g.classLabel);
    m_ui.classList->setGeometry(g.classList);
    m_ui.dateLabel->setGeometry(g.dateLabel);
    m_ui.dateEdit->setGeometry(g.dateEdit);
    m_ui.listLabel->setGeometry(g.listLabel);
    m_ui.list->setGeometry(g.list);
    m_ui.list->setWordWrap(entriesWidth > g.list.width());
    m_ui.remarkLabel->setGeometry(g.remarkLabel);
    m_ui.remarkEdit->setGeometry(g.remarkEdit);
    m_ui.saveButton->setGeometry(g.saveButton);
    m_ui.cancelButton->setGeometry(g.cancelButton);
    setClientSize(g.client);
}

void ClassRollDialog::prepareToShow()
{
    layoutControls();
    // The class and the date are proposed; the teacher starts in the list, on its first entry.
    m_ui.list->setFocus();
    if (m_ui.list->count() > 0 && m_ui.list->currentRow() < 0)
        m_ui.list->setCurrentRow(0);
}

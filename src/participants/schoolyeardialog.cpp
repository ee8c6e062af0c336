#include "participants/schoolyeardialog.h"

#include "records/dayformat.h"
#include "speech/accessibilityfixes.h"
#include "speech/announcefield.h"
#include "ui/dialoggeometry.h"
#include "ui/messages.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

using namespace Qt::StringLiterals;

SchoolYearDialog::SchoolYearDialog(QWidget *mainWindow, ScreenReaderFront *front)
    : AdaptiveDialog(mainWindow, LookKinds{}, true)
{
    m_ui.classesLabel = new QLabel(u"K&lassen:"_s, this);
    m_ui.classList = new QListWidget(this);
    m_ui.newNameLabel = new QLabel(u"&Neuer Name:"_s, this);
    m_ui.newNameEdit = new QLineEdit(this);
    m_ui.newNameEdit->setMaxLength(100);
    m_ui.okButton = new QPushButton(u"O&K"_s, this);
    m_ui.cancelButton = new QPushButton(u"&Abbrechen"_s, this);
    m_ui.okButton->setDefault(true);

    connect(
        m_ui.classList, &QListWidget::currentRowChanged, this, &SchoolYearDialog::showCurrentName);
    connect(m_ui.newNameEdit, &QLineEdit::textEdited, this, &SchoolYearDialog::setCurrentName);
    connect(m_ui.okButton, &QPushButton::clicked, this, &SchoolYearDialog::confirm);
    connect(m_ui.cancelButton, &QPushButton::clicked, this, &SchoolYearDialog::reject);
    setTabOrder(m_ui.classList, m_ui.newNameEdit);
    setTabOrder(m_ui.newNameEdit, m_ui.okButton);
    setTabOrder(m_ui.okButton, m_ui.cancelButton);
    announceField(m_ui.classList, m_ui.classesLabel, front);
    announceField(m_ui.newNameEdit, m_ui.newNameLabel, front);
    setWindowTitle(u"Neues Schuljahr"_s);
}

QString SchoolYearDialog::entryText(const ClassRenaming &renaming)
{
    if (renaming.newName.isEmpty())
        return u"%1 wird abgelegt"_s.arg(renaming.schoolClass);
    if (renaming.newName == renaming.schoolClass)
        return u"%1 bleibt %1"_s.arg(renaming.schoolClass);
    return u"%1 wird %2"_s.arg(renaming.schoolClass, renaming.newName);
}

void SchoolYearDialog::prepare(const QStringList &classes)
{
    m_renamings.clear();
    for (const QString &schoolClass : classes) {
        if (!schoolClass.isEmpty())
            m_renamings.append({schoolClass, proposedClassName(schoolClass)});
    }
    const QSignalBlocker quiet(m_ui.classList);
    m_ui.classList->clear();
    for (const ClassRenaming &renaming : std::as_const(m_renamings))
        m_ui.classList->addItem(entryText(renaming));
    m_ui.newNameEdit->clear();
}

QList<ClassRenaming> SchoolYearDialog::renamings() const
{
    QList<ClassRenaming> renamings = m_renamings;
    for (ClassRenaming &renaming : renamings)
        renaming.newName = trimmedText(renaming.newName);
    return renamings;
}

void SchoolYearDialog::showCurrentName()
{
    const int row = m_ui.classList->currentRow();
    m_ui.newNameEdit->setText(row < 0 ? QString() : m_renamings.at(row).newName);
}

void SchoolYearDialog::setCurrentName(const QString &name)
{
    const int row = m_ui.classList->currentRow();
    if (row < 0)
        return;
    ClassRenaming &renaming = m_renamings[row];
    renaming.newName = name;
    m_ui.classList->item(row)->setText(entryText({renaming.schoolClass, trimmedText(name)}));
    // The entry is read again when the focus comes back to the list.
    reportEntryTextChanged(m_ui.classList, row);
}

void SchoolYearDialog::confirm()
{
    const QList<ClassRenaming> renamings = this->renamings();
    for (int row = 0; row < renamings.size(); ++row) {
        if (const QString refusal = newClassNameError(renamings.at(row)); !refusal.isEmpty()) {
            Messages::information(this, refusal);
            m_ui.classList->setCurrentRow(row);
            m_ui.newNameEdit->setFocus();
            m_ui.newNameEdit->selectAll();
            return;
        }
    }
    done(QDialog::Accepted);
}

void SchoolYearDialog::layoutControls()
{
    const QSize labels[] = {m_ui.classesLabel->sizeHint(), m_ui.newNameLabel->sizeHint()};
    const int entriesWidth = widestEntryWidth(m_ui.classList);
    const SchoolYearGeometry g
        = layoutSchoolYear(measureButtons({m_ui.okButton, m_ui.cancelButton}), labels,
            m_ui.newNameEdit->sizeHint().height(), entriesWidth, maxClientSize());
    m_ui.classesLabel->setGeometry(g.classesLabel);
    m_ui.classList->setGeometry(g.classList);
    m_ui.classList->setWordWrap(entriesWidth > g.classList.width());
    m_ui.newNameLabel->setGeometry(g.newNameLabel);
    m_ui.newNameEdit->setGeometry(g.newNameEdit);
    m_ui.okButton->setGeometry(g.okButton);
    m_ui.cancelButton->setGeometry(g.cancelButton);
    setClientSize(g.client);
}

void SchoolYearDialog::prepareToShow()
{
    layoutControls();
    // Shown again after the question was answered "Nein", the window keeps its entry.
    m_ui.classList->setFocus();
    if (m_ui.classList->count() > 0 && m_ui.classList->currentRow() < 0)
        m_ui.classList->setCurrentRow(0);
}

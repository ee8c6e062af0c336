#include "reports/absenceperioddialog.h"

#include "participants/classchoice.h"
#include "records/dates.h"
#include "records/dayformat.h"
#include "reports/absencesummary.h"
#include "speech/announcefield.h"
#include "ui/dialoggeometry.h"
#include "ui/messages.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

using namespace Qt::StringLiterals;

AbsencePeriodDialog::AbsencePeriodDialog(QWidget *mainWindow, ScreenReaderFront *front)
    : AdaptiveDialog(mainWindow, LookKinds{}, true)
{
    m_ui.classLabel = new QLabel(u"&Klasse:"_s, this);
    m_ui.classList = new QListWidget(this);
    m_ui.fromLabel = new QLabel(u"&Von:"_s, this);
    m_ui.fromEdit = new QLineEdit(this);
    m_ui.toLabel = new QLabel(u"&Bis:"_s, this);
    m_ui.toEdit = new QLineEdit(this);
    for (QLineEdit *edit : {m_ui.fromEdit, m_ui.toEdit})
        edit->setMaxLength(100);
    m_ui.okButton = new QPushButton(u"O&K"_s, this);
    m_ui.cancelButton = new QPushButton(u"&Abbrechen"_s, this);
    m_ui.okButton->setDefault(true);
    connect(m_ui.okButton, &QPushButton::clicked, this, &AbsencePeriodDialog::confirm);
    connect(m_ui.cancelButton, &QPushButton::clicked, this, [this] { done(QDialog::Rejected); });
    QWidget *order[]
        = {m_ui.classList, m_ui.fromEdit, m_ui.toEdit, m_ui.okButton, m_ui.cancelButton};
    for (size_t i = 0; i + 1 < std::size(order); ++i)
        setTabOrder(order[i], order[i + 1]);
    announceField(m_ui.classList, m_ui.classLabel, front);
    announceField(m_ui.fromEdit, m_ui.fromLabel, front);
    announceField(m_ui.toEdit, m_ui.toLabel, front);
    setWindowTitle(u"Wählen Sie Klasse und Zeitraum"_s);
}

void AbsencePeriodDialog::prepare(
    const QStringList &classes, const QString &preselectedClass, QDate today)
{
    setClassChoices(m_ui.classList, classes, preselectedClass);
    m_ui.fromEdit->setText(dateText(schoolYearStart(today)));
    m_ui.toEdit->setText(dateText(today));
}

QString AbsencePeriodDialog::chosenClass() const
{
    return ::chosenClass(m_ui.classList);
}

std::optional<QDate> AbsencePeriodDialog::readField(QLineEdit *field)
{
    const std::optional<QDate> date = readDateText(field->text());
    if (!date) {
        const QDate example = QDate::currentDate();
        Messages::information(this,
            u"Das Datum \"%1\" kann nicht gelesen werden!\r\nGeben Sie es so ein: \"%2\" oder "
            "\"%3\"."_s.arg(
                trimmedText(field->text()), dateText(example), example.toString(u"dd.MM.yyyy"_s)));
        field->setFocus();
        field->selectAll();
    }
    return date;
}

void AbsencePeriodDialog::confirm()
{
    const std::optional<QDate> from = readField(m_ui.fromEdit);
    if (!from)
        return;
    const std::optional<QDate> to = readField(m_ui.toEdit);
    if (!to)
        return;
    if (*from > *to) {
        Messages::information(this,
            u"Das Datum \"%1\" liegt nach dem Datum \"%2\"!"_s.arg(
                trimmedText(m_ui.fromEdit->text()), trimmedText(m_ui.toEdit->text())));
        m_ui.toEdit->setFocus();
        m_ui.toEdit->selectAll();
        return;
    }
    m_from = *from;
    m_to = *to;
    done(QDialog::Accepted);
}

void AbsencePeriodDialog::layoutControls()
{
    const QSize labels[3]
        = {m_ui.classLabel->sizeHint(), m_ui.fromLabel->sizeHint(), m_ui.toLabel->sizeHint()};
    const AbsencePeriodGeometry g
        = layoutAbsencePeriod(measureButtons({m_ui.okButton, m_ui.cancelButton}), labels,
            m_ui.fromEdit->sizeHint().height(), widestEntryWidth(m_ui.classList), maxClientSize());
    m_ui.classLabel->setGeometry(g.classLabel);
    m_ui.classList->setGeometry(g.classList);
    m_ui.fromLabel->setGeometry(g.fromLabel);
    m_ui.fromEdit->setGeometry(g.fromEdit);
    m_ui.toLabel->setGeometry(g.toLabel);
    m_ui.toEdit->setGeometry(g.toEdit);
    m_ui.okButton->setGeometry(g.okButton);
    m_ui.cancelButton->setGeometry(g.cancelButton);
    setClientSize(g.client);
}

void AbsencePeriodDialog::prepareToShow()
{
    layoutControls();
    m_ui.classList->setFocus();
}

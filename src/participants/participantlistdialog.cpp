#include "participants/participantlistdialog.h"

#include "participants/classfilterdialog.h"
#include "participants/itemtexts.h"
#include "participants/participantlisting.h"

#include "speech/announcefield.h"
#include "ui/dialoggeometry.h"
#include "ui/messages.h"

#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTimer>

using namespace Qt::StringLiterals;

ParticipantListDialog::ParticipantListDialog(QWidget *mainWindow, ScreenReaderFront *front)
    : AdaptiveDialog(mainWindow, LookKinds{}, true)
{
    m_ui.classLabel = new QLabel(this);
    m_ui.list = new QListWidget(this);
    m_ui.classesButton = new QPushButton(u"Klassen..."_s, this);
    m_ui.okButton = new QPushButton(u"O&K"_s, this);
    m_ui.cancelButton = new QPushButton(u"&Abbrechen"_s, this);
    m_ui.okButton->setDefault(true);
    m_ui.okButton->setEnabled(false);
    m_ui.fillTimer = new QTimer(this);
    m_ui.fillTimer->setSingleShot(true);
    m_ui.fillTimer->setInterval(25);

    connect(m_ui.fillTimer, &QTimer::timeout, this, &ParticipantListDialog::fillList);
    connect(m_ui.classesButton, &QPushButton::clicked, this, &ParticipantListDialog::chooseClass);
    connect(m_ui.okButton, &QPushButton::clicked, this, [this] { done(QDialog::Accepted); });
    connect(m_ui.cancelButton, &QPushButton::clicked, this, [this] { done(QDialog::Rejected); });
    setTabOrder(m_ui.list, m_ui.classesButton);
    setTabOrder(m_ui.classesButton, m_ui.okButton);
    setTabOrder(m_ui.okButton, m_ui.cancelButton);
    announceField(m_ui.list, m_ui.classLabel, front);

    setWindowTitle(u"Wählen Sie einen neuen Teilnehmer"_s);
    setClassFilter(QString());
}

bool ParticipantListDialog::readParticipants(const QString &path)
{
    classes.clear();
    m_ui.list->clear();
    const QString folder = folderPart(path.isEmpty() ? participantPath : path);
    m_ui.list->addItems(listParticipants(folder, m_classFilter, classes));
    const bool listed = m_ui.list->count() > 0;
    m_ui.okButton->setEnabled(listed);
    // A hidden dialog's list is emptied when the dialog shows, so only a shown one is preselected:
    // with a screen reader running, Qt lays out every entry to report a new current one.
    if (isVisible())
        m_ui.list->setCurrentRow(openParticipantRow());
    return listed;
}

bool ParticipantListDialog::passesClassFilter(const QString &file)
{
    return classPasses(file, m_classFilter, classes);
}

int ParticipantListDialog::openParticipantRow() const
{
    const qsizetype index
        = indexIgnoringCase(itemTexts(m_ui.list), participantName(participantPath));
    return int(qMax<qsizetype>(0, index));
}

void ParticipantListDialog::setClassFilter(const QString &schoolClass)
{
    m_classFilter = schoolClass;
    // The label is the list's buddy: an "&" of a class is text, not a mnemonic.
    QString shown = schoolClass.isEmpty() ? u"(Alle)"_s : schoolClass;
    shown.replace(u'&', u"&&"_s);
    m_ui.classLabel->setText(u"Aktuelle Klasse: %1"_s.arg(shown));
    centreClassLabel();
}

void ParticipantListDialog::centreClassLabel()
{
    // A label that no longer fits the window makes it wider, or wraps.
    const QSize fitted
        = fittedLabelSize(m_ui.classLabel, maxClientSize().width() - 2 * kDialogMargin);
    if (fitted.width() > width() - 2 * kDialogMargin
        || fitted.height() != m_ui.classLabel->height()) {
        layoutControls();
        return;
    }
    m_ui.classLabel->resize(fitted);
    m_ui.classLabel->move(centredLeft(width(), m_ui.classLabel->width()), m_ui.classLabel->y());
}

void ParticipantListDialog::layoutControls()
{
    const QSize maxClient = maxClientSize();
    const int entriesWidth = widestEntryWidth(m_ui.list);
    const ParticipantListGeometry g = layoutParticipantList(
        measureButtons({m_ui.classesButton, m_ui.okButton, m_ui.cancelButton}),
        fittedLabelSize(m_ui.classLabel, maxClient.width() - 2 * kDialogMargin), entriesWidth,
        maxClient);
    m_ui.classLabel->setGeometry(g.label);
    m_ui.list->setGeometry(g.list);
    // A name wider than the work area allows is wrapped, not cut. Otherwise every entry is one
    // line of the same height, and the list lays out 1,000 entries from the first one's size.
    const bool wrapped = entriesWidth > g.list.width();
    m_ui.list->setWordWrap(wrapped);
    m_ui.list->setUniformItemSizes(!wrapped);
    m_ui.classesButton->setGeometry(g.classesButton);
    m_ui.okButton->setGeometry(g.okButton);
    m_ui.cancelButton->setGeometry(g.cancelButton);
    setClientSize(g.client);
}

void ParticipantListDialog::prepareToShow()
{
    layoutControls();
    m_ui.list->clear();
    m_ui.list->setFocus();
    m_ui.fillTimer->start();
}

void ParticipantListDialog::done(int result)
{
    // A list closed within the 25 ms is not read any more.
    m_ui.fillTimer->stop();
    AdaptiveDialog::done(result);
}

void ParticipantListDialog::fillList()
{
    runCommand(this, [this] { readParticipants(QString()); });
}

void ParticipantListDialog::chooseClass()
{
    Q_ASSERT(m_classFilterDialog);
    m_classFilterDialog->applyAppearance();
    m_classFilterDialog->setClasses(classes);
    m_classFilterDialog->preselectedClass = m_classFilter;
    if (m_classFilterDialog->exec() != QDialog::Accepted)
        return;
    const int row = m_classFilterDialog->ui().list->currentRow();
    setClassFilter(row > 0 ? m_classFilterDialog->ui().list->item(row)->text() : QString());
    m_ui.list->setFocus();
    runCommand(this, [this] { readParticipants(QString()); });
}

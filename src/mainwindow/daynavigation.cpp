#include "mainwindow/mainwindow.h"

#include "mainwindow/infolines.h"
#include "records/dates.h"
#include "records/error.h"
#include "speech/announcefield.h"
#include "speech/screenreaderfront.h"
#include "ui/messages.h"

#include <QAction>
#include <QButtonGroup>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTextEdit>

using namespace Qt::StringLiterals;

namespace {

QString captionFor(const QString &name)
{
    return u"%1 - Tessaro V1.01"_s.arg(name);
}

} // namespace

void MainWindow::openParticipant(const QString &name)
{
    setSchoolClass(QString());
    setParticipant(QString());
    setComment(QString());
    bool opened = false;
    try {
        opened = m_file.open(dataFolder(), name);
    } catch (const TessaroError &) {
        setWindowTitle(captionFor(u"KeinName"_s));
        setDayNumber(0);
        throw;
    }
    if (!opened) {
        setWindowTitle(captionFor(u"KeinName"_s));
        setDayNumber(m_dayNumber);
        return;
    }
    setWindowTitle(captionFor(m_file.displayName()));
    setParticipant(m_file.displayName());
    const Fields header = m_file.header();
    setSchoolClass(header.first);
    setComment(header.second);
    m_dayNumber = 1;
    setDayNumber(1);
    m_ui.nameEdit->setFocus();
}

void MainWindow::setDayNumber(int value)
{
    m_dayNumber = value < 0 ? 0 : qMin(value, dayCount());
    m_ui.dayNumberPanel->setText(
        u"Nummer: %1/%2"_s.arg(withThousandsDots(m_dayNumber), withThousandsDots(dayCount())));
    if (dayCount() != m_laidOutDayCount)
        layoutControls();
    showDay(m_dayNumber);
    updateMenus();
}

ShownDay MainWindow::shownValues() const
{
    return {participant(), schoolClass(), comment(), date(), remark(), presentIndex(),
        m_ui.infoEdit->toPlainText()};
}

void MainWindow::showDay(int number)
{
    m_file.clearSnapshot();
    setComment(comment());
    setDate(QString());
    setRemark(QString());
    setPresentIndex(kPresent);
    m_ui.infoEdit->clear();
    if (number == 0)
        return;
    const DayRecord day = m_file.readDay(number);
    setDate(day.date);
    setRemark(day.remark);
    setPresentIndex(day.present);
    if (!day.infoLines.isEmpty())
        m_ui.infoEdit->setPlainText(day.infoLines.join(u'\n'));
    m_file.setSnapshot(shownValues());
    m_ui.infoEdit->moveCursor(QTextCursor::Start);
}

ConflictQuestion MainWindow::conflictQuestion()
{
    return [this](const ConcurrentChange &change) {
        return Messages::mergeQuestion(this, concurrentChangeQuestion(change));
    };
}

void MainWindow::storeShownDay(StoreMode mode)
{
    const ParticipantFile::StoreOutcome stored
        = m_file.store(shownValues(), displayLines(m_ui.infoEdit->document()), m_dayNumber,
            mode == StoreMode::Always, conflictQuestion());
    // Another copy had changed the file: the day stored is shown where the file holds it now.
    if (stored.changedElsewhere)
        setDayNumber(stored.dayNumber);
    if (stored.mergedUnasked)
        Messages::information(this, concurrentChangeMessage({participant()}));
}

void MainWindow::updateMenus()
{
    const bool open = !participant().isEmpty();
    const bool days = dayCount() > 0;

    updateTextEditCommands(m_ui.infoCommands, m_ui.infoEdit);

    m_ui.nextDayButton->setEnabled(m_dayNumber < dayCount());
    m_ui.nextDayAction->setEnabled(m_ui.nextDayButton->isEnabled());
    m_ui.previousDayButton->setEnabled(m_dayNumber > 1);
    m_ui.previousDayAction->setEnabled(m_ui.previousDayButton->isEnabled());

    for (QAction *entry :
        {m_ui.newDayAction, m_ui.deleteParticipantAction, m_ui.renameAction, m_ui.changeClassAction,
            m_ui.changeCommentAction, m_ui.nameClassChangeAction, m_ui.commentMenuChangeAction})
        entry->setEnabled(open);
    m_ui.deleteDayAction->setEnabled(days);
    // The participant's reports need a day; the comment overview never does.
    for (int index = 0; index < 3; ++index) {
        m_ui.printReportActions[index]->setEnabled(days);
        m_ui.showReportActions[index]->setEnabled(days);
    }
    m_ui.goToDayAction->setEnabled(open);
    m_ui.searchDayAction->setEnabled(open);
    m_ui.dateEdit->setReadOnly(!open);
    m_ui.remarkEdit->setReadOnly(!open);
    m_ui.infoEdit->setReadOnly(!open);
    for (QAction *entry :
        {m_ui.dateMenuTodayAction, m_ui.dateMenuYesterdayAction, m_ui.dateMenuTomorrowAction,
            m_ui.insertTodayAction, m_ui.insertYesterdayAction, m_ui.insertTomorrowAction})
        entry->setEnabled(open);
    updateFileMenu();
}

void MainWindow::focusAndAnnounceShownDay(DayChange change)
{
    // A screen reader that reads the program reads the date field when the focus comes to it, and
    // again when the window becomes active after a dialog or message box; only the number is
    // added then, without cutting that reading off. When the focus stays in the field, it says
    // nothing about the day now shown: its date and number are announced, interrupting speech
    // that the key made stale.
    const bool fieldReadAgain = change == DayChange::AfterDialog || !m_ui.dateEdit->hasFocus();
    m_ui.dateEdit->setFocus();
    QStringList said{date(), m_ui.dayNumberPanel->text()};
    if (fieldReadAgain && screenReaderReadsNames())
        said.removeFirst();
    said.removeAll(QString());
    m_screenReader->output(said.join(u", "_s), !fieldReadAgain);
}

void MainWindow::updateFileMenu()
{
    m_ui.closeAction->setEnabled(m_file.isOpen());
}

void MainWindow::showNextDay()
{
    storeShownDay();
    setDayNumber(m_dayNumber + 1);
    focusAndAnnounceShownDay(DayChange::InPlace);
}

void MainWindow::showPreviousDay()
{
    storeShownDay();
    setDayNumber(m_dayNumber - 1);
    focusAndAnnounceShownDay(DayChange::InPlace);
}

void MainWindow::createDay()
{
    if (!Messages::question(this, u"Soll ein neuer Tag erstellt werden?"_s))
        return;
    storeShownDay(StoreMode::Always);
    setDate(dateText(QDate::currentDate()));
    setRemark(QString());
    setPresentIndex(kPresent);
    m_ui.infoEdit->clear();
    m_file.insertDay({date(), remark(), presentIndex(), displayLines(m_ui.infoEdit->document())});
    setDayNumber(1);
    storeShownDay(StoreMode::Always);
    focusAndAnnounceShownDay(DayChange::AfterDialog);
}

void MainWindow::deleteShownDay()
{
    if (Messages::question(this,
            u"Soll der Tag \"%1\" vom Teilnehmer \"%2\" gelöscht werden?"_s.arg(
                date(), participant())))
        deleteDay(m_dayNumber);
}

void MainWindow::deleteDay(int number)
{
    if (number > dayCount())
        return;
    const int shown = m_dayNumber;
    storeShownDay();
    // Days another copy added meanwhile may have moved the shown day.
    if (number == shown)
        number = m_dayNumber;
    m_file.removeDay(number, schoolClass());
    if (dayCount() > 0) {
        if (dayCount() < m_dayNumber)
            m_dayNumber = dayCount();
        setDayNumber(m_dayNumber);
        storeShownDay(StoreMode::Always);
        focusAndAnnounceShownDay(DayChange::AfterDialog);
        return;
    }
    if (!m_file.removeEmptiedFile(schoolClass() + u'|' + comment(), conflictQuestion())) {
        // Another copy has added days meanwhile: the file stays with them.
        setDayNumber(1);
        Messages::information(this, concurrentChangeMessage({participant()}));
        focusAndAnnounceShownDay(DayChange::AfterDialog);
        return;
    }
    Messages::information(this,
        u"Keine weiteren Tage mehr vorhanden!\r\nDer Teilnehmer \"%1\" wurde gelöscht."_s.arg(
            participant()));
    openParticipant(QString());
    m_ui.nameEdit->setFocus();
}

void MainWindow::insertDate(int daysFromToday)
{
    const QString text = dateText(QDate::currentDate().addDays(daysFromToday));
    if (!Messages::question(
            this, u"Soll der Text \"%1\" in das Datum-Eingabefeld eingefügt werden?"_s.arg(text)))
        return;
    m_ui.dateEdit->setFocus();
    setDate(text);
}

void MainWindow::closeParticipant()
{
    storeShownDay();
    m_ui.nameEdit->setFocus();
    openParticipant(QString());
}

#include "backup/backupwindow.h"

#include "backup/backuprun.h"
#include "backup/volumescan.h"
#include "speech/screenreaderfront.h"
#include "ui/dialoggeometry.h"
#include "ui/messages.h"

#include <QAction>
#include <QGuiApplication>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QScreen>
#include <QTextEdit>
#include <QThread>
#include <QTimer>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace {

struct DirectionTexts
{
    QString caption;
    QString startCaption;
    QString noVolumes;
};

const DirectionTexts &textsFor(BackupDirection direction)
{
    static const DirectionTexts backup{u"Datendateien sichern nach"_s, u"&Sichern"_s,
        u"Keine betriebsbereiten Laufwerke zum Sichern vorhanden!"_s};
    static const DirectionTexts restore{u"Datendateien wiederherstellen von"_s,
        u"&Wiederherstellen"_s,
        u"Keine betriebsbereiten Laufwerke mit Daten zum Wiederherstellen vorhanden!"_s};
    return direction == BackupDirection::Backup ? backup : restore;
}

const QString kLogStart = u"Kopierverlauf:"_s;

// Where a list entry keeps its mount root, apart from the text shown.
constexpr int kRootRole = Qt::UserRole;

} // namespace

BackupWindow::BackupWindow(
    QWidget *mainWindow, ScreenReaderFront *front, std::unique_ptr<VolumeSource> volumes)
    : AdaptiveDialog(mainWindow, LookKinds{true, true, true, false, true, false}, false)
    , m_front(front)
    , m_scan(new VolumeScan(std::move(volumes), this))
{
    m_ui.volumeList = new QListWidget(this);
    m_ui.volumeList->setAccessibleName(u"Laufwerke"_s);
    m_ui.log = new QTextEdit(this);
    m_ui.log->setAccessibleName(u"Kopierverlauf"_s);
    m_ui.log->setReadOnly(true);
    // A caret the keyboard moves, so that the log can be read line by line.
    m_ui.log->setTextInteractionFlags(Qt::TextSelectableByKeyboard | Qt::TextSelectableByMouse);
    m_ui.log->setUndoRedoEnabled(false);
    m_ui.log->setTabChangesFocus(true);
    m_ui.log->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_ui.startButton = new QPushButton(this);
    m_ui.startButton->setDefault(true);
    m_ui.startButton->setEnabled(false);
    m_ui.refreshButton = new QPushButton(u"&Aktualisieren"_s, this);
    m_ui.closeButton = new QPushButton(u"S&chließen"_s, this);
    setTabOrder(m_ui.volumeList, m_ui.log);
    setTabOrder(m_ui.log, m_ui.startButton);
    setTabOrder(m_ui.startButton, m_ui.refreshButton);
    setTabOrder(m_ui.refreshButton, m_ui.closeButton);

    m_ui.popupMenu = new QMenu(this);
    m_ui.refreshAction = m_ui.popupMenu->addAction(u"Aktualisieren"_s);
    m_ui.refreshAction->setShortcut(QKeySequence(Qt::Key_F5));
    m_ui.refreshAction->setShortcutContext(Qt::WidgetShortcut);
    for (QWidget *owner : std::initializer_list<QWidget *>{m_ui.volumeList, m_ui.log}) {
        owner->addAction(m_ui.refreshAction);
        owner->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(owner, &QWidget::customContextMenuRequested, this,
            [this, owner](QPoint at) { m_ui.popupMenu->exec(owner->mapToGlobal(at)); });
    }

    m_ui.scanTimer = new QTimer(this);
    m_ui.scanTimer->setSingleShot(true);
    m_ui.scanTimer->setInterval(5);
    m_announceTimer = new QTimer(this);
    m_announceTimer->setSingleShot(true);
    m_announceTimer->setInterval(0);

    connect(m_ui.scanTimer, &QTimer::timeout, this, &BackupWindow::refresh);
    connect(m_ui.refreshAction, &QAction::triggered, this, &BackupWindow::refresh);
    connect(m_ui.refreshButton, &QPushButton::clicked, this, &BackupWindow::refresh);
    connect(m_ui.startButton, &QPushButton::clicked, this, &BackupWindow::start);
    connect(m_ui.closeButton, &QPushButton::clicked, this, &BackupWindow::reject);
    connect(m_announceTimer, &QTimer::timeout, this,
        [this] { m_front->output(std::exchange(m_pendingAnnouncement, QString()), true); });
    connect(m_scan, &VolumeScan::entriesChanged, this, &BackupWindow::showVolumes);
    connect(m_scan, &VolumeScan::finished, this, &BackupWindow::finishRefresh);
    connect(m_ui.volumeList, &QListWidget::currentItemChanged, this, [this] {
        m_userSelected = true;
        updateStartButton();
    });

    prepare(BackupDirection::Backup, QString());
}

BackupWindow::~BackupWindow()
{
    if (m_worker) {
        m_worker->wait();
        delete m_worker;
    }
}

void BackupWindow::prepare(BackupDirection direction, const QString &dataFolder)
{
    m_direction = direction;
    m_dataFolder = dataFolder;
    setWindowTitle(textsFor(direction).caption);
    m_ui.startButton->setText(textsFor(direction).startCaption);
}

void BackupWindow::setVolumeSource(std::unique_ptr<VolumeSource> volumes)
{
    m_scan->setSource(std::move(volumes));
}

bool BackupWindow::isScanning() const
{
    return !m_scan->isFinished();
}

QString BackupWindow::selectedRoot() const
{
    const QListWidgetItem *item = m_ui.volumeList->currentItem();
    return item && (item->flags() & Qt::ItemIsSelectable) ? item->data(kRootRole).toString()
                                                          : QString();
}

void BackupWindow::refresh()
{
    // A refresh during a run would enable the start button for a second run.
    if (isRunning())
        return;
    m_ui.volumeList->clear();
    m_userSelected = false;
    m_scan->start(m_direction);
}

void BackupWindow::showVolumes()
{
    const QList<VolumeEntry> entries = m_scan->entries();
    // Changes made here are not the user's choice.
    const QSignalBlocker notByTheUser(m_ui.volumeList);
    QStringList roots;
    for (const VolumeEntry &entry : entries)
        roots.append(entry.root);
    // Changed in place, so that the entry the user is on stays the current one.
    for (int row = m_ui.volumeList->count() - 1; row >= 0; --row) {
        if (!roots.contains(m_ui.volumeList->item(row)->data(kRootRole).toString()))
            delete m_ui.volumeList->takeItem(row);
    }
    for (int row = 0; row < entries.size(); ++row) {
        QListWidgetItem *item = m_ui.volumeList->item(row);
        if (!item || item->data(kRootRole).toString() != entries.at(row).root) {
            item = new QListWidgetItem;
            item->setData(kRootRole, entries.at(row).root);
            m_ui.volumeList->insertItem(row, item);
        }
        item->setText(entries.at(row).text);
        // One that does not answer can be read, but not chosen.
        item->setFlags(entries.at(row).answered ? Qt::ItemIsEnabled | Qt::ItemIsSelectable
                                                : Qt::ItemIsEnabled);
    }
    // The first volume that answered is selected, unless the user has chosen one meanwhile.
    const auto firstAnswered = std::find_if(
        entries.cbegin(), entries.cend(), [](const VolumeEntry &entry) { return entry.answered; });
    if (!m_userSelected && firstAnswered != entries.cend())
        m_ui.volumeList->setCurrentRow(int(firstAnswered - entries.cbegin()));
    updateStartButton();
}

void BackupWindow::finishRefresh()
{
    const QList<VolumeEntry> entries = m_scan->entries();
    if (std::any_of(entries.cbegin(), entries.cend(),
            [](const VolumeEntry &entry) { return entry.answered; })) {
        m_ui.volumeList->setFocus();
        return;
    }
    Messages::information(this,
        u"%1\r\nKlicken Sie auf \"%2\" um die Laufwerke erneut zu prüfen."_s.arg(
            textsFor(m_direction).noVolumes, withoutAmpersands(m_ui.refreshButton->text())));
    m_ui.refreshButton->setFocus();
}

void BackupWindow::updateStartButton()
{
    m_ui.startButton->setEnabled(!isRunning() && !selectedRoot().isEmpty());
}

void BackupWindow::start()
{
    const QString root = selectedRoot();
    if (isRunning() || root.isEmpty())
        return;
    m_ui.startButton->setEnabled(false);
    m_ui.refreshButton->setEnabled(false);
    m_ui.log->setFocus();
    resetLog();

    // The volume may have been unmounted since the list was made.
    const QList<Volume> mounted = m_scan->source().mounts();
    const bool present = std::any_of(mounted.begin(), mounted.end(),
        [&root](const Volume &volume) { return volume.root == root; });
    auto run = std::make_shared<BackupRun>(m_direction, m_dataFolder, root, present);
    run->logSink = [this](const QString &line) {
        QMetaObject::invokeMethod(
            this, [this, line] { appendLog(line); }, Qt::QueuedConnection);
    };
    // The run waits on its thread while the question is asked here.
    run->askAboutLosses = [this](const QString &question) {
        MergeChoice choice = MergeChoice::Cancel;
        QMetaObject::invokeMethod(
            this, [&] { choice = Messages::mergeQuestion(this, question); },
            Qt::BlockingQueuedConnection);
        return choice;
    };
    if (preparingRun)
        preparingRun(*run);
    auto outcome = std::make_shared<RunOutcome>();
    m_worker = QThread::create([run, outcome] { *outcome = run->run(); });
    // Queued behind the log lines the run sent before it ended.
    connect(m_worker, &QThread::finished, this, [this, outcome] {
        m_worker->wait();
        std::exchange(m_worker, nullptr)->deleteLater();
        finishRun(*outcome);
    });
    m_worker->start();
}

void BackupWindow::finishRun(const RunOutcome &outcome)
{
    m_ui.refreshButton->setEnabled(true);
    // A run cancelled at the question ends without a message.
    if (outcome.messageKind == MessageKind::Error)
        Messages::error(this, outcome.message);
    else if (!outcome.message.isEmpty())
        Messages::information(this, outcome.message);
    if (!outcome.passedChecks) {
        m_ui.refreshButton->setFocus();
    } else {
        updateStartButton();
        m_ui.volumeList->setFocus();
    }
    if (m_closeRequested)
        done(QDialog::Rejected);
}

void BackupWindow::resetLog()
{
    m_ui.log->setPlainText(kLogStart);
    m_pendingAnnouncement.clear();
}

void BackupWindow::appendLog(const QString &line)
{
    QTextCursor cursor(m_ui.log->document());
    cursor.movePosition(QTextCursor::End);
    cursor.insertBlock();
    cursor.insertText(line);
    // The caret at the start of the newest line: the view follows it, and so does a screen
    // reader that reads the line at the caret.
    cursor.movePosition(QTextCursor::StartOfBlock);
    m_ui.log->setTextCursor(cursor);
    m_ui.log->ensureCursorVisible();
    // Each line cuts off the one before, so that what is heard keeps up with the run.
    m_pendingAnnouncement = line;
    m_announceTimer->start();
}

void BackupWindow::layoutControls()
{
    // As high as the work area and at its top, so that no panel covers the buttons at the
    // bottom.
    const QScreen *shownOn = screen() ? screen() : QGuiApplication::primaryScreen();
    const QRect workArea = shownOn ? shownOn->availableGeometry() : QRect(0, 0, 1024, 768);
    const QSize maxClient = maxClientSize();
    const BackupWindowGeometry g = layoutBackupWindow(
        measureButtons({m_ui.startButton, m_ui.refreshButton, m_ui.closeButton}),
        maxClient.height(), maxClient.width());
    m_ui.volumeList->setGeometry(g.volumeList);
    m_ui.log->setGeometry(g.log);
    m_ui.startButton->setGeometry(g.startButton);
    m_ui.refreshButton->setGeometry(g.refreshButton);
    m_ui.closeButton->setGeometry(g.closeButton);
    setClientSize(g.client);
    move(x(), workArea.top());
}

void BackupWindow::prepareToShow()
{
    layoutControls();
    resetLog();
    m_ui.startButton->setEnabled(false);
    m_ui.volumeList->clear();
    m_ui.volumeList->setFocus();
    m_ui.scanTimer->start();
}

void BackupWindow::done(int result)
{
    // The opener reopens the participant when the window closes: not while files are written.
    if (isRunning()) {
        m_closeRequested = true;
        return;
    }
    m_closeRequested = false;
    m_ui.scanTimer->stop();
    // Volumes that still have not answered are left to their threads.
    m_scan->stop();
    AdaptiveDialog::done(result);
}

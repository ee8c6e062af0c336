#include "backup/backupwindow.h"

#include "backup/backuprun.h"
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
    , m_volumes(std::move(volumes))
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
    m_volumes = std::move(volumes);
}

QString BackupWindow::selectedRoot() const
{
    const QListWidgetItem *item = m_ui.volumeList->currentItem();
    return item ? item->data(kRootRole).toString() : QString();
}

void BackupWindow::refresh()
{
    // A refresh during a run would enable the start button for a second run.
    if (isRunning())
        return;
    m_ui.startButton->setEnabled(false);
    m_ui.volumeList->clear();
    const QList<VolumeEntry> entries = qualifyingVolumes(m_volumes->volumes(), m_direction);
    for (const VolumeEntry &entry : entries) {
        auto *item = new QListWidgetItem(entry.text, m_ui.volumeList);
        item->setData(kRootRole, entry.root);
    }
    if (entries.isEmpty()) {
        Messages::information(this,
            u"%1\r\nKlicken Sie auf \"%2\" um die Laufwerke erneut zu prüfen."_s.arg(
                textsFor(m_direction).noVolumes, withoutAmpersands(m_ui.refreshButton->text())));
        m_ui.refreshButton->setFocus();
    } else {
        m_ui.volumeList->setCurrentRow(0);
        m_ui.volumeList->setFocus();
    }
    m_ui.startButton->setEnabled(!entries.isEmpty());
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
    const QList<Volume> mounted = m_volumes->volumes();
    const bool present = std::any_of(mounted.begin(), mounted.end(),
        [&root](const Volume &volume) { return volume.root == root && volume.ready; });
    auto run = std::make_shared<BackupRun>(m_direction, m_dataFolder, root, present);
    run->logSink = [this](const QString &line) {
        QMetaObject::invokeMethod(
            this, [this, line] { appendLog(line); }, Qt::QueuedConnection);
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
    if (outcome.messageKind == MessageKind::Error)
        Messages::error(this, outcome.message);
    else
        Messages::information(this, outcome.message);
    if (!outcome.passedChecks) {
        m_ui.refreshButton->setFocus();
    } else {
        m_ui.startButton->setEnabled(m_ui.volumeList->count() > 0);
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
    AdaptiveDialog::done(result);
}

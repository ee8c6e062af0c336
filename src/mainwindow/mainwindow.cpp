#include "mainwindow/mainwindow.h"

#include "mainwindow/mainwindowgeometry.h"
#include "mainwindow/settingsstore.h"
#include "records/dayformat.h"
#include "records/detachedcall.h"
#include "reports/numberdialog.h"
#include "reports/reportview.h"
#include "speech/accessibilityfixes.h"
#include "speech/announcefield.h"
#include "speech/screenreaderfront.h"
#include "ui/appearance.h"
#include "ui/backgroundcolourdialog.h"
#include "ui/fontdialog.h"
#include "ui/messages.h"
#include "ui/radiogroup.h"
#include "ui/shortcuttext.h"
#include "ui/windowactivation.h"

#include <QAction>
#include <QApplication>
#include <QButtonGroup>
#include <QDir>
#include <QFileInfo>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QStatusBar>
#include <QTextEdit>
#include <QTimer>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace {

constexpr int kMaxFieldLength = 100;

const QKeySequence kForwardKey(Qt::CTRL | Qt::Key_Right);
const QKeySequence kBackKey(Qt::CTRL | Qt::Key_Left);
const QKeySequence kParticipantListKey(Qt::CTRL | Qt::Key_T);

} // namespace

ProgramPaths ProgramPaths::forThisUser()
{
    return {::programFolder(), ::documentsFolder(), settingsLocationForThisUser()};
}

MainWindow::MainWindow(
    const ProgramPaths &paths, std::unique_ptr<ScreenReaderFront> screenReader, QWidget *parent)
    : QMainWindow(parent), m_paths(paths)
{
    m_ui.backgroundDialog = new BackgroundColourDialog(this, 10);
    m_ui.backgroundDialog->setColourNumber(1);
    currentBackground() = m_ui.backgroundDialog->colour();
    m_ui.fontDialog = new FontDialog(this);
    m_screenReader = screenReader ? std::move(screenReader) : std::make_unique<ScreenReaderFront>();
    m_screenReader->load();
    createControls();
    createMenus();
    keepAWindowActive(this);
    setCaptions();
    m_ui.folderCheckTimer = new QTimer(this);
    m_ui.folderCheckTimer->setSingleShot(true);
    m_ui.folderCheckTimer->setInterval(25);
    connect(m_ui.folderCheckTimer, &QTimer::timeout, this,
        [this] { guarded([this] { checkDataFolder(); }); });
    m_folderPatience = new QTimer(this);
    m_folderPatience->setSingleShot(true);
    m_folderPatience->setInterval(kAnswerPatience);
    connect(m_folderPatience, &QTimer::timeout, this, &MainWindow::reportDataFolderNotAnswering);
    dataFolderMaker = [](const QString &folder) {
        return QFileInfo(folder).isDir() || QDir().mkpath(folder);
    };
    openParticipant(QString());
    setStatusText(
        u"Vorw.: %1; Rückw.: %2; Teilnehmerliste: %3"_s.arg(germanShortcutText(kForwardKey),
            germanShortcutText(kBackKey), germanShortcutText(kParticipantListKey)));
    m_ui.nameEdit->setFocus();
}

void MainWindow::setDialogs(const Dialogs &dialogs)
{
    m_ui.participantListDialog = dialogs.participantList;
    m_ui.creationDialog = dialogs.creation;
    m_ui.inputDialog = dialogs.input;
    m_ui.reportView = dialogs.reportView;
    m_ui.backupWindow = dialogs.backup;
    m_ui.numberDialog = dialogs.number;
    m_ui.classFilterDialog = dialogs.classFilter;
    m_ui.classRollDialog = dialogs.classRoll;
    m_ui.absencePeriodDialog = dialogs.absencePeriod;
    m_ui.schoolYearDialog = dialogs.schoolYear;
}

MainWindow::~MainWindow()
{
    // An empty data folder does not outlive the program.
    QDir().rmdir(m_file.dataFolder());
}

void MainWindow::createControls()
{
    // The controls lie on one client widget; a font too large for the screen makes it scroll.
    m_scrollArea = new QScrollArea(this);
    m_scrollArea->setFrameShape(QFrame::NoFrame);
    m_scrollArea->setFocusPolicy(Qt::NoFocus);
    auto *client = new QWidget;
    m_scrollArea->setWidget(client);
    setCentralWidget(m_scrollArea);
    connect(qApp, &QApplication::focusChanged, this, [this, client](QWidget *, QWidget *now) {
        if (!now || !client->isAncestorOf(now))
            return;
        // The whole field is brought into view where it fits, not only its text cursor.
        const QRect field(now->mapTo(client, QPoint(0, 0)), now->size());
        m_scrollArea->ensureVisible(field.center().x(), field.center().y(),
            field.width() / 2 + kMargin, field.height() / 2 + kMargin);
    });

    auto makeEdit = [client] {
        auto *edit = new QLineEdit(client);
        edit->setMaxLength(kMaxFieldLength);
        return edit;
    };
    m_ui.nameLabel = new QLabel(client);
    m_ui.nameEdit = makeEdit();
    m_ui.classLabel = new QLabel(client);
    m_ui.classEdit = makeEdit();
    m_ui.commentLabel = new QLabel(client);
    m_ui.commentEdit = makeEdit();
    m_ui.dateLabel = new QLabel(client);
    m_ui.dateEdit = makeEdit();
    m_ui.remarkLabel = new QLabel(client);
    m_ui.remarkEdit = makeEdit();
    for (QLineEdit *edit : {m_ui.nameEdit, m_ui.classEdit, m_ui.commentEdit})
        edit->setReadOnly(true);

    m_ui.presentGroup = new QGroupBox(client);
    QWidget *choicesArea = addChoicesArea(m_ui.presentGroup);
    auto *choices = new QVBoxLayout(choicesArea);
    choices->setContentsMargins(QMargins());
    m_presentChoices = new QButtonGroup(this);
    for (int index = 0; index < 2; ++index) {
        auto *choice = new QRadioButton(choicesArea);
        choices->addWidget(choice);
        m_presentChoices->addButton(choice, index);
    }
    makeKeyboardRadioGroup(m_presentChoices);

    m_ui.infoLabel = new QLabel(client);
    m_ui.infoEdit = new QTextEdit(client);
    m_ui.infoEdit->setAcceptRichText(false);
    m_ui.infoEdit->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_ui.infoEdit->setLineWrapMode(QTextEdit::WidgetWidth);
    m_ui.infoEdit->setTabChangesFocus(true);

    m_ui.nextDayButton = new QPushButton(client);
    m_ui.previousDayButton = new QPushButton(client);
    m_ui.participantListButton = new QPushButton(client);
    for (QPushButton *button :
        {m_ui.nextDayButton, m_ui.previousDayButton, m_ui.participantListButton})
        button->setAutoDefault(false);
    connect(m_ui.nextDayButton, &QPushButton::clicked, this,
        [this] { guarded([this] { showNextDay(); }); });
    connect(m_ui.previousDayButton, &QPushButton::clicked, this,
        [this] { guarded([this] { showPreviousDay(); }); });
    connect(m_ui.participantListButton, &QPushButton::clicked, this,
        [this] { guarded([this] { openParticipantList(); }); });

    m_ui.dayNumberPanel = new QLabel;
    m_ui.hintPanel = new QLabel;
    // Too long for the width at large fonts, the hint wraps and the status bar grows.
    m_ui.hintPanel->setWordWrap(true);
    statusBar()->setSizeGripEnabled(false);
    statusBar()->addWidget(m_ui.dayNumberPanel);
    statusBar()->addWidget(m_ui.hintPanel, 1);

    // Tab order follows the fields from top to bottom.
    QWidget *order[] = {m_ui.nameEdit, m_ui.classEdit, m_ui.commentEdit, m_ui.dateEdit,
        m_ui.remarkEdit, m_presentChoices->button(0), m_presentChoices->button(1), m_ui.infoEdit,
        m_ui.nextDayButton, m_ui.previousDayButton, m_ui.participantListButton};
    for (size_t i = 0; i + 1 < std::size(order); ++i)
        setTabOrder(order[i], order[i + 1]);

    const std::pair<QLineEdit *, QLabel *> fields[] = {{m_ui.nameEdit, m_ui.nameLabel},
        {m_ui.classEdit, m_ui.classLabel}, {m_ui.dateEdit, m_ui.dateLabel},
        {m_ui.commentEdit, m_ui.commentLabel}, {m_ui.remarkEdit, m_ui.remarkLabel}};
    for (const auto &[edit, label] : fields) {
        announceField(edit, label, m_screenReader.get());
        edit->installEventFilter(this);
    }
    announceGroup(m_ui.presentGroup, m_screenReader.get());
    announceField(m_ui.infoEdit, m_ui.infoLabel, m_screenReader.get());
    m_ui.infoEdit->installEventFilter(this);

    for (QLineEdit *edit : {m_ui.nameEdit, m_ui.classEdit, m_ui.commentEdit}) {
        connect(edit, &QLineEdit::returnPressed, this,
            [this, edit] { guarded([this, edit] { editOnEnter(edit); }); });
    }
}

QAction *MainWindow::addCommand(QMenu *menu, const QString &caption, const QKeySequence &shortcut,
    void (MainWindow::*handler)())
{
    return addCommand(menu, caption, shortcut, [this, handler] { (this->*handler)(); });
}

QAction *MainWindow::addCommand(QMenu *menu, const QString &caption, const QKeySequence &shortcut,
    const std::function<void()> &command)
{
    QAction *action = menu->addAction(caption);
    action->setShortcut(shortcut);
    if (!shortcut.isEmpty())
        m_shortcutActions.append(action);
    connect(action, &QAction::triggered, this, [this, command] { guarded(command); });
    return action;
}

void MainWindow::createMenus()
{
    m_ui.fileMenu = menuBar()->addMenu(u"&Datei"_s);
    connect(m_ui.fileMenu, &QMenu::aboutToShow, this, &MainWindow::updateFileMenu);
    m_ui.closeAction = addCommand(m_ui.fileMenu, u"S&chließen"_s,
        QKeySequence(Qt::CTRL | Qt::Key_F4), &MainWindow::closeParticipant);
    m_ui.quitAction = addCommand(
        m_ui.fileMenu, u"&Beenden"_s, QKeySequence(Qt::ALT | Qt::Key_F4), &MainWindow::quit);

    QMenu *editMenu = menuBar()->addMenu(u"&Bearbeiten"_s);
    m_ui.renameAction = addCommand(
        editMenu, u"Teilnehmer &umbenennen..."_s, QKeySequence(), &MainWindow::renameParticipant);
    m_ui.changeClassAction
        = addCommand(editMenu, u"Klasse ändern..."_s, QKeySequence(), &MainWindow::changeClass);
    m_ui.changeCommentAction = addCommand(
        editMenu, u"Kommentar ändern..."_s, QKeySequence(), &MainWindow::changeComment);
    // Each date is inserted from the menu and from the date field's popup.
    struct DateEntry
    {
        QAction **menuEntry;
        QAction **popupEntry;
        QString caption;
        int daysFromToday;
    };
    m_ui.dateMenu = new QMenu(this);
    const DateEntry dateEntries[] = {
        {&m_ui.insertTodayAction, &m_ui.dateMenuTodayAction, u"Heutiges Datum einfügen"_s, 0},
        {&m_ui.insertYesterdayAction, &m_ui.dateMenuYesterdayAction, u"Gestriges Datum einfügen"_s,
            -1},
        {&m_ui.insertTomorrowAction, &m_ui.dateMenuTomorrowAction, u"Morgiges Datum einfügen"_s, 1},
    };
    for (const DateEntry &entry : dateEntries) {
        *entry.menuEntry = editMenu->addAction(entry.caption);
        *entry.popupEntry = m_ui.dateMenu->addAction(entry.caption);
        const int days = entry.daysFromToday;
        for (QAction *action : {*entry.menuEntry, *entry.popupEntry}) {
            connect(action, &QAction::triggered, this,
                [this, days] { guarded([this, days] { insertDate(days); }); });
        }
    }
    m_ui.deleteDayAction = addCommand(editMenu, u"Aktuellen Tag &löschen"_s,
        QKeySequence(Qt::Key_F9), &MainWindow::deleteShownDay);
    m_ui.deleteParticipantAction = addCommand(editMenu, u"Aktuellen Teilnehmer löschen"_s,
        QKeySequence(), &MainWindow::deleteOpenParticipant);

    QMenu *actionsMenu = menuBar()->addMenu(u"A&ktionen"_s);
    m_ui.nextDayAction
        = addCommand(actionsMenu, u"&Vorwärts"_s, kForwardKey, &MainWindow::showNextDay);
    m_ui.previousDayAction
        = addCommand(actionsMenu, u"&Rückwärts"_s, kBackKey, &MainWindow::showPreviousDay);
    m_ui.participantListAction = addCommand(actionsMenu, u"&Teilnehmerliste..."_s,
        kParticipantListKey, &MainWindow::openParticipantList);
    m_ui.newDayAction = addCommand(actionsMenu, u"&Neuen Tag erstellen"_s,
        QKeySequence(Qt::CTRL | Qt::Key_N), &MainWindow::createDay);
    m_ui.newParticipantAction = addCommand(actionsMenu, u"Neuen Teilnehmer &erstellen..."_s,
        QKeySequence(Qt::CTRL | Qt::Key_E), &MainWindow::createParticipant);

    createReportMenus(m_ui.fileMenu, editMenu, actionsMenu);
    createClassMenus(actionsMenu);
    createSchoolYearMenus(actionsMenu);
    QMenu *backupMenu = menuBar()->addMenu(u"Daten&sicherung"_s);
    m_ui.backupAction = addCommand(backupMenu, u"Datendateien &sichern nach..."_s,
        QKeySequence(Qt::Key_F8), &MainWindow::backUpDataFiles);
    m_ui.restoreAction = addCommand(backupMenu, u"Datendateien &wiederherstellen von..."_s,
        QKeySequence(Qt::Key_F5), &MainWindow::restoreDataFiles);

    QMenu *viewMenu = menuBar()->addMenu(u"&Ansicht"_s);
    m_ui.fontAction
        = addCommand(viewMenu, u"Schriftart..."_s, QKeySequence(), &MainWindow::chooseFont);
    m_ui.backgroundAction = addCommand(
        viewMenu, u"Schrift&hintergrund..."_s, QKeySequence(), &MainWindow::chooseBackground);

    // The two folder entries hold one choice; selectDataFolder sets their check marks.
    QMenu *settingsMenu = menuBar()->addMenu(u"Einstellungen"_s);
    m_ui.documentsFolderAction
        = settingsMenu->addAction(u"Datenspeicherung: &Eigene Dateien/Eigene Dokumente"_s);
    m_ui.programFolderAction = settingsMenu->addAction(u"Datenspeicherung: &Programmordner"_s);
    for (QAction *entry : {m_ui.documentsFolderAction, m_ui.programFolderAction}) {
        entry->setCheckable(true);
        const DataFolderChoice choice = entry == m_ui.documentsFolderAction
            ? DataFolderChoice::Documents
            : DataFolderChoice::ProgramFolder;
        connect(entry, &QAction::triggered, this, [this, entry, choice] {
            entry->setChecked(!entry->isChecked());
            guarded([this, choice] { selectDataFolder(choice, true); });
        });
    }

    m_ui.nameClassMenu = new QMenu(this);
    m_ui.nameClassChangeAction = m_ui.nameClassMenu->addAction(u"Ändern..."_s);
    connect(m_ui.nameClassChangeAction, &QAction::triggered, this, [this] {
        guarded([this] {
            if (m_nameClassMenuTarget == m_ui.nameEdit)
                renameParticipant();
            else
                changeClass();
        });
    });
    for (QLineEdit *owner : {m_ui.nameEdit, m_ui.classEdit}) {
        owner->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(owner, &QWidget::customContextMenuRequested, this,
            [this, owner](const QPoint &at) { showNameClassMenu(owner, at); });
    }
    m_ui.commentMenu = new QMenu(this);
    m_ui.commentMenuChangeAction = m_ui.commentMenu->addAction(u"Kommentar ändern..."_s);
    connect(m_ui.commentMenuChangeAction, &QAction::triggered, this,
        [this] { guarded([this] { changeComment(); }); });
    m_ui.commentEdit->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(m_ui.commentEdit, &QWidget::customContextMenuRequested, this,
        [this](const QPoint &at) { m_ui.commentMenu->exec(m_ui.commentEdit->mapToGlobal(at)); });

    m_ui.dateEdit->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(m_ui.dateEdit, &QWidget::customContextMenuRequested, this, [this](const QPoint &at) {
        updateMenus();
        m_ui.dateMenu->exec(m_ui.dateEdit->mapToGlobal(at));
    });

    m_ui.infoMenu = new QMenu(this);
    m_ui.infoCommands = addTextEditCommands(m_ui.infoMenu, m_ui.infoEdit);
    m_ui.infoEdit->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(m_ui.infoEdit, &QWidget::customContextMenuRequested, this, [this](const QPoint &at) {
        updateMenus();
        m_ui.infoMenu->exec(m_ui.infoEdit->viewport()->mapToGlobal(at));
    });
}

void MainWindow::setCaptions()
{
    m_ui.nameLabel->setText(u"Name:"_s);
    m_ui.classLabel->setText(u"Klasse:"_s);
    m_ui.dateLabel->setText(u"Datum:"_s);
    m_ui.commentLabel->setText(u"Kommentar:"_s);
    m_ui.remarkLabel->setText(u"Anmerkung:"_s);
    m_ui.infoLabel->setText(u"Infos:"_s);
    m_ui.presentGroup->setTitle(u"Anwesend"_s);
    m_presentChoices->button(0)->setText(u"&Nein"_s);
    m_presentChoices->button(1)->setText(u"&Ja"_s);
    setPresentIndex(kPresent);
    m_ui.nextDayButton->setText(u"Vorwärts"_s);
    m_ui.previousDayButton->setText(u"Rückwärts"_s);
    m_ui.participantListButton->setText(u"Teilnehmerliste..."_s);
}

void MainWindow::guarded(const std::function<void()> &command)
{
    runCommand(this, command);
}

void MainWindow::setFieldText(QLineEdit *edit, const QString &text)
{
    if (edit->text() == text)
        return;
    // A field entered with Tab has its whole text selected; so has the new text, and typing
    // replaces it as before. The screen reader hears the new text from the focus report or the
    // day's announcement, not as typed.
    const bool wholeTextSelected = edit->hasSelectedText() && edit->selectedText() == edit->text();
    const ProgramTextChange change(edit);
    edit->setText(text);
    if (wholeTextSelected)
        edit->selectAll();
    else
        edit->setCursorPosition(0);
}

QString MainWindow::participant() const
{
    return trimmedText(m_ui.nameEdit->text());
}

void MainWindow::setParticipant(const QString &value)
{
    setFieldText(m_ui.nameEdit, value);
    updateMenus();
}

QString MainWindow::schoolClass() const
{
    return trimmedText(m_ui.classEdit->text());
}

void MainWindow::setSchoolClass(const QString &value)
{
    setFieldText(m_ui.classEdit, value);
}

QString MainWindow::date() const
{
    return trimmedText(m_ui.dateEdit->text());
}

void MainWindow::setDate(const QString &value)
{
    setFieldText(m_ui.dateEdit, trimmedText(value));
}

QString MainWindow::comment() const
{
    return trimmedText(m_ui.commentEdit->text());
}

void MainWindow::setComment(const QString &value)
{
    setFieldText(m_ui.commentEdit, value);
}

QString MainWindow::remark() const
{
    return trimmedText(m_ui.remarkEdit->text());
}

void MainWindow::setRemark(const QString &value)
{
    setFieldText(m_ui.remarkEdit, value);
}

int MainWindow::presentIndex() const
{
    return m_presentChoices->checkedId();
}

void MainWindow::setPresentIndex(int index)
{
    m_presentChoices->button(index)->setChecked(true);
}

void MainWindow::setStatusText(const QString &text)
{
    m_ui.hintPanel->setText(text);
}

bool MainWindow::eventFilter(QObject *watched, QEvent *event)
{
    // The window's shortcuts act whichever field has the focus, as menu shortcuts do; an edit
    // must not keep Ctrl+Right or Ctrl+Left for word movement.
    if (event->type() == QEvent::ShortcutOverride) {
        const auto *key = static_cast<QKeyEvent *>(event);
        const QKeySequence pressed(key->keyCombination());
        for (const QAction *action : std::as_const(m_shortcutActions)) {
            if (action->shortcut() == pressed)
                return true;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

#ifndef TESSARO_MAINWINDOW_MAINWINDOW_H
#define TESSARO_MAINWINDOW_MAINWINDOW_H

#include "records/datafolder.h"
#include "records/participantfile.h"
#include "ui/texteditcommands.h"

#include <QMainWindow>
#include <QPointer>
#include <QScopeGuard>
#include <QString>

#include <functional>
#include <memory>

class QAction;
class QButtonGroup;
class QFileDialog;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QScrollArea;
class QTextEdit;
class QTimer;
class AbsencePeriodDialog;
class BackgroundColourDialog;
class BackupWindow;
class ClassFilterDialog;
class ClassRollDialog;
class FontDialog;
class LineInputDialog;
class NumberDialog;
class ParticipantCreationDialog;
class ParticipantListDialog;
class ReportView;
class SchoolYearDialog;
class ScreenReaderFront;
enum class BackupDirection;
enum class InputQuestion;
enum class ReportKind;

// Where the program finds its folders and its settings file. Tests give their own.
struct ProgramPaths
{
    QString programFolder; // ends in "/"
    QString documentsFolder; // ends in "/"; empty when none is known
    QString settingsFile;

    static ProgramPaths forThisUser();
};

// The main window: one day of one participant at a time.
//
// Its sources are split by concern: mainwindow.cpp builds the controls and menus and holds the
// field values; daynavigation.cpp opens participants, shows, stores and changes days;
// participantcommands.cpp holds the participant and data folder commands;
// reportcommands.cpp the reports, going to a day and the search by date; classcommands.cpp the
// roll and the absence summary of a class; schoolyearcommands.cpp the import of a class list and
// the new school year; backupcommands.cpp backup and restore;
// mainwindowsettings.cpp the settings, start and close, font, colour and layout.
class MainWindow : public QMainWindow
{
    Q_OBJECT

public:
    // The window's controls, its menu entries and the dialogs it owns.
    struct Ui
    {
        QLabel *nameLabel = nullptr;
        QLineEdit *nameEdit = nullptr;
        QLabel *classLabel = nullptr;
        QLineEdit *classEdit = nullptr;
        QLabel *commentLabel = nullptr;
        QLineEdit *commentEdit = nullptr;
        QLabel *dateLabel = nullptr;
        QLineEdit *dateEdit = nullptr;
        QLabel *remarkLabel = nullptr;
        QLineEdit *remarkEdit = nullptr;
        QGroupBox *presentGroup = nullptr;
        QLabel *infoLabel = nullptr;
        QTextEdit *infoEdit = nullptr;
        QPushButton *nextDayButton = nullptr;
        QPushButton *previousDayButton = nullptr;
        QPushButton *participantListButton = nullptr;
        QLabel *dayNumberPanel = nullptr;
        QLabel *hintPanel = nullptr;
        // Checks the data folder and opens the participant list shortly after the start.
        QTimer *folderCheckTimer = nullptr;

        QMenu *fileMenu = nullptr;
        QAction *closeAction = nullptr;
        QAction *quitAction = nullptr;
        QAction *renameAction = nullptr;
        QAction *changeClassAction = nullptr;
        QAction *changeCommentAction = nullptr;
        QAction *insertTodayAction = nullptr;
        QAction *insertYesterdayAction = nullptr;
        QAction *insertTomorrowAction = nullptr;
        QAction *deleteDayAction = nullptr;
        QAction *deleteParticipantAction = nullptr;
        QAction *nextDayAction = nullptr;
        QAction *previousDayAction = nullptr;
        QAction *participantListAction = nullptr;
        QAction *newDayAction = nullptr;
        QAction *newParticipantAction = nullptr;
        // The report entries by kind (1 to 4 at index 0 to 3): under "Drucken" in the file menu
        // and in the actions menu; both show the text view. Those of kind 4 stay hidden.
        QMenu *printMenu = nullptr;
        QAction *printReportActions[4] = {};
        QAction *showReportActions[4] = {};
        QAction *goToDayAction = nullptr;
        QAction *searchDayAction = nullptr;
        QAction *classRollAction = nullptr;
        QAction *absenceSummaryAction = nullptr;
        QAction *importAction = nullptr;
        QAction *newSchoolYearAction = nullptr;
        QAction *backupAction = nullptr;
        QAction *restoreAction = nullptr;
        QAction *fontAction = nullptr;
        QAction *backgroundAction = nullptr;
        QAction *documentsFolderAction = nullptr;
        QAction *programFolderAction = nullptr;

        // The popup menus of the date, name and class, comment and information fields.
        QMenu *dateMenu = nullptr;
        QAction *dateMenuTodayAction = nullptr;
        QAction *dateMenuYesterdayAction = nullptr;
        QAction *dateMenuTomorrowAction = nullptr;
        QMenu *nameClassMenu = nullptr;
        QAction *nameClassChangeAction = nullptr;
        QMenu *commentMenu = nullptr;
        QAction *commentMenuChangeAction = nullptr;
        QMenu *infoMenu = nullptr;
        TextEditCommands infoCommands;

        BackgroundColourDialog *backgroundDialog = nullptr;
        FontDialog *fontDialog = nullptr;
        ClassFilterDialog *classFilterDialog = nullptr;
        ParticipantListDialog *participantListDialog = nullptr;
        ParticipantCreationDialog *creationDialog = nullptr;
        LineInputDialog *inputDialog = nullptr;
        ReportView *reportView = nullptr;
        NumberDialog *numberDialog = nullptr;
        BackupWindow *backupWindow = nullptr;
        ClassRollDialog *classRollDialog = nullptr;
        AbsencePeriodDialog *absencePeriodDialog = nullptr;
        SchoolYearDialog *schoolYearDialog = nullptr;
        // Created at the first import and kept for the whole run, so that it opens in the folder
        // of the list imported last.
        QFileDialog *importDialog = nullptr;
    };

    // The dialogs the program's main routine creates after this window, in the program's order
    // of creation. They are children of this window and are given before it is first shown.
    struct Dialogs
    {
        ParticipantListDialog *participantList = nullptr;
        ParticipantCreationDialog *creation = nullptr;
        LineInputDialog *input = nullptr;
        ReportView *reportView = nullptr;
        BackupWindow *backup = nullptr;
        NumberDialog *number = nullptr;
        ClassFilterDialog *classFilter = nullptr;
        ClassRollDialog *classRoll = nullptr;
        AbsencePeriodDialog *absencePeriod = nullptr;
        SchoolYearDialog *schoolYear = nullptr;
    };

    // Whether storing the shown day writes the file only when a value changed, or always.
    enum class StoreMode { IfChanged, Always };

    // Without a screen-reader front of its own the window makes one over this platform's drivers.
    explicit MainWindow(const ProgramPaths &paths,
        std::unique_ptr<ScreenReaderFront> screenReader = nullptr, QWidget *parent = nullptr);
    ~MainWindow() override;

    const Ui &ui() const { return m_ui; }
    void setDialogs(const Dialogs &dialogs);
    // The screen-reader front every window of the program announces through.
    ScreenReaderFront *screenReader() const { return m_screenReader.get(); }

    // The field values: reading gives the trimmed text.
    QString participant() const;
    void setParticipant(const QString &value);
    QString schoolClass() const;
    void setSchoolClass(const QString &value);
    QString date() const;
    void setDate(const QString &value);
    QString comment() const;
    void setComment(const QString &value);
    QString remark() const;
    void setRemark(const QString &value);
    // The present choice: 0 "&Nein", 1 "&Ja".
    int presentIndex() const;
    void setPresentIndex(int index);
    void setStatusText(const QString &text);

    // The open file's path, or the data folder while none is open.
    QString participantPath() const { return m_file.path(); }
    // Opens the participant of that name in the data folder; the empty name leaves none open.
    // Never stores the shown day.
    void openParticipant(const QString &name);
    int dayCount() const { return m_file.isOpen() ? m_file.dayCount() : 0; }
    // The shown day, 1 for the newest; 0 when none is shown.
    int dayNumber() const { return m_dayNumber; }
    // Shows that day, clamped to the days there are.
    void setDayNumber(int value);
    bool isClosing() const { return m_isClosing; }

    // Stores the shown day. Raises TessaroError when the file cannot be written.
    void storeShownDay(StoreMode mode = StoreMode::IfChanged);
    void updateMenus();
    void deleteDay(int number);

    // The data folder the setting chooses, ending in "/".
    QString dataFolder() const;
    // Chooses the data folder. Chosen by the user, it first asks to close the open participant,
    // then checks the new folder and opens the participant list.
    void selectDataFolder(DataFolderChoice choice, bool byUser);
    // Makes sure that the data folder exists: the folder check calls it on a thread of its own,
    // since a folder on a network drive may never answer. Tests put such a folder in its place.
    std::function<bool(const QString &folder)> dataFolderMaker;
    // Whether the folder check waits for the data folder's answer, up to kAnswerPatience.
    bool isCheckingDataFolder() const { return m_checkingDataFolder; }

    void openParticipantList();
    void createParticipant();
    void renameParticipant();
    void changeClass();
    void changeComment();
    void deleteOpenParticipant();

    // Shows the report of that kind in the text view, and prints it as often as the user asks.
    void showReport(ReportKind kind);
    // Shows the view with the text it was given, and prints the text as often as the user asks.
    void showTextView(ReportView *view);
    // Prints the text on a printer the user chooses in the print dialog.
    void printReport(const QString &text);
    // Takes the roll of a class: shows "Anwesenheit erfassen" and stores the day it records into
    // every participant file of the class. The shown day is stored first; the participant shown
    // is read again afterwards when the roll wrote its file, and shows day 1.
    void takeRoll();
    // Asks for a class and a period and shows the days absent of its participants in the text
    // view, with a table to save.
    void showAbsenceSummary();
    // Asks for a class list and, once the teacher agreed to what it would do, creates a
    // participant for each new name in it; the rows left out are shown in the text view.
    void importParticipants();
    // Shows "Neues Schuljahr" and, once the teacher agreed, gives every class its new name or
    // moves its participants out of the data folder. The participant shown is read again.
    void startNewSchoolYear();
    // Asks for a day number and shows that day.
    void goToDay();
    // Asks for a piece of date text and shows the next day after the shown one whose date holds
    // it. The text is kept, upper-cased, for the next search.
    void searchDay();
    // Deletes the participant of that name without asking; false when its file stays.
    bool deleteParticipant(const QString &name);
    // Opens the backup window for a backup of the data folder or a restore into it. The shown
    // day is stored first; a restore closes the open participant while the window is open and
    // opens it again afterwards at the same day number, or at its last day.
    void backUpOrRestore(BackupDirection direction);

    void loadSettings();
    void saveSettings();

    // The background colour's number in the colour table; writing it renews the window.
    int backgroundNumber() const;
    void setBackgroundNumber(int number);

    // The class filter of the participant list, remembered between its showings and proposed
    // for a new participant.
    QString classFilter() const { return m_classFilter; }

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void changeEvent(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void createControls();
    void createMenus();
    void setCaptions();
    QAction *addCommand(QMenu *menu, const QString &caption, const QKeySequence &shortcut,
        void (MainWindow::*handler)());
    QAction *addCommand(QMenu *menu, const QString &caption, const QKeySequence &shortcut,
        const std::function<void()> &command);
    void createReportMenus(QMenu *fileMenu, QMenu *editMenu, QMenu *actionsMenu);
    void createClassMenus(QMenu *actionsMenu);
    void createSchoolYearMenus(QMenu *actionsMenu);
    // The list the teacher chooses in the file dialog; empty when none is chosen.
    QString chooseClassList();
    // Stores the shown day, so that what was typed is in its file before a class command reads
    // it, and reads the classes of the data folder; false after telling that there is no
    // participant file.
    bool readClasses(QStringList &classes);
    void guarded(const std::function<void()> &command);

    void applyAppearance();
    void layoutControls();
    void fitToWorkArea();

    ShownDay shownValues() const;
    // Asks what to do where this copy and another both changed a participant file.
    ConflictQuestion conflictQuestion();
    void setFieldText(QLineEdit *edit, const QString &text);
    void showDay(int number);
    void showNextDay();
    void showPreviousDay();
    void createDay();
    void deleteShownDay();
    void insertDate(int daysFromToday);
    // How a command changed the shown day: by a key or button in the window itself, or after a
    // dialog or message box closed, when the screen reader reads the window again.
    enum class DayChange { InPlace, AfterDialog };
    // Puts the focus on the date field and tells the screen reader the date and number of the
    // day shown, leaving out what it reads itself; every command that changes the day ends so.
    void focusAndAnnounceShownDay(DayChange change);
    void updateFileMenu();
    void closeParticipant();
    void quit();

    void editOnEnter(QLineEdit *field);
    void showNameClassMenu(QLineEdit *owner, const QPoint &at);
    // Sets up the one-line input dialog for a question before it is shown.
    void prepareInputDialog(InputQuestion question, const QString &text, bool allowsEmpty);
    // Asks for a new class or comment and shows it in its field, then confirms the change.
    void changeHeaderField(InputQuestion question, QLineEdit *field, const QString &changedMessage);
    // The name the open participant's file gives: "A.B" for A.B.dat, empty when none is open.
    QString openParticipantName() const;
    void checkDataFolder();
    void reportDataFolderNotAnswering();

    void backUpDataFiles();
    void restoreDataFiles();

    void chooseFont();
    void chooseBackground();
    void restoreRememberedFocus();
    // Remembers the field that has the focus; the guard gives it the focus back once the
    // command's windows have closed, however the command ends.
    [[nodiscard]] QScopeGuard<std::function<void()>> keepFocus();

    Ui m_ui;
    ProgramPaths m_paths;
    ParticipantFile m_file;
    int m_dayNumber = 0;
    QString m_classFilter;
    // The last confirmed search text, upper-cased.
    QString m_searchDate;
    bool m_isClosing = false;
    // The folder check: the number of the newest one, whether it waits, and how long it may.
    quint64 m_folderChecks = 0;
    bool m_checkingDataFolder = false;
    QTimer *m_folderPatience = nullptr;
    bool m_shownOnce = false;
    bool m_layingOut = false;
    // The day count the status bar's first panel was last laid out for.
    int m_laidOutDayCount = -1;
    // The field the name and class popup acts on.
    QPointer<QLineEdit> m_nameClassMenuTarget;
    QPointer<QWidget> m_rememberedFocus;
    QScrollArea *m_scrollArea = nullptr;
    // The menu commands with a shortcut; they act whichever field has the focus.
    QList<QAction *> m_shortcutActions;
    QButtonGroup *m_presentChoices = nullptr;
    std::unique_ptr<ScreenReaderFront> m_screenReader;
};

#endif

#include "mainwindow/mainwindow.h"

#include "participants/classfilterdialog.h"
#include "participants/lineinputdialog.h"
#include "participants/participantcreationdialog.h"
#include "participants/participantlistdialog.h"

#include "records/dates.h"
#include "ui/appearance.h"
#include "ui/messages.h"

#include "mainwindowtesting.h"

#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

class TestParticipantCommands : public MainWindowTest
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void firstStartWithAnEmptyFolderCreatesAParticipant();
    void listingOrderFilterAndRememberedClass();
    void listChoiceOpensTheParticipant();
    void enterInTheNameFieldOpensTheList();
    void existingNameInOtherCaseOpensThatParticipant();
    void refusedNameCreatesNothing();
    void failedCreationLeavesTheOpenParticipantAlone();
    void renameToTheSameName();
    void renameToAnotherParticipantsName();
    void renameByLetterCaseOnly();
    void refusedRenameMovesNothing();
    void classAndCommentReachTheFileAtTheNextStore();
    void enterInClassAndCommentFields();
    void popupActsOnItsField();
    void deletionKeepsTheBackup();
    void deletionOfADottedNameDeletesItsOwnFile();

private:
    void start(const QByteArray &settings = "[General]\nTeilnehmer=Anna\n");
};

void TestParticipantCommands::init()
{
    prepare();
}

void TestParticipantCommands::cleanup()
{
    tearDown();
}

void TestParticipantCommands::start(const QByteArray &settings)
{
    showPastTheList(settings);
}

void TestParticipantCommands::firstStartWithAnEmptyFolderCreatesAParticipant()
{
    QVERIFY(QDir(dataFolder()).removeRecursively());
    QVERIFY(writeBytes(m_paths.settingsFile, QByteArray()));
    m_messages->answerNext(true);
    whenModalOpens<ParticipantCreationDialog>([](ParticipantCreationDialog *dialog) {
        QCOMPARE(dialog->ui().nameEdit->text(), QString());
        QCOMPARE(dialog->ui().classEdit->text(), QString());
        QVERIFY(!dialog->ui().okButton->isEnabled());
        dialog->ui().nameEdit->setText(u"Anna"_s);
        dialog->ui().classEdit->setText(u"1a"_s);
        QVERIFY(dialog->ui().okButton->isEnabled());
        dialog->ui().okButton->click();
    });
    m_window = createProgramWindows(m_paths).mainWindow;
    m_window->show();
    QTRY_VERIFY(QFileInfo::exists(pathOf(u"Anna"_s)));
    QTRY_COMPARE(m_window->participant(), u"Anna"_s);
    QCOMPARE(shownTexts(),
        (QStringList{u"Es sind keine Teilnehmer-Dateien vorhanden!\r\nMöchten Sie jetzt einen "
                     "Teilnehmer anlegen?"_s,
            u"Der Teilnehmer \"Anna\" wurde angelegt und aufgerufen!"_s}));
    QCOMPARE(readBytes(pathOf(u"Anna"_s)),
        "1a|\r\n" + dateText(QDate::currentDate()).toLatin1() + "\r\n<--------------->\r\n");
    QCOMPARE(m_window->schoolClass(), u"1a"_s);
    QCOMPARE(m_window->date(), dateText(QDate::currentDate()));
    QCOMPARE(m_window->presentIndex(), 1);
    QCOMPARE(m_window->dayCount(), 1);
}

void TestParticipantCommands::listingOrderFilterAndRememberedClass()
{
    QVERIFY(writeParticipant(u"Berta"_s, daysFile(1, "1a|")));
    QVERIFY(writeParticipant(u"anton"_s, daysFile(1, "2b|")));
    QVERIFY(writeParticipant(u"Äpfel"_s, daysFile(1, "1A|")));
    QVERIFY(writeParticipant(u"Anna"_s, daysFile(1, "2b|")));
    start();
    whenModalOpens<ParticipantListDialog>([](ParticipantListDialog *list) {
        QTRY_COMPARE(list->ui().list->count(), 4);
        QStringList names;
        for (int row = 0; row < list->ui().list->count(); ++row)
            names.append(list->ui().list->item(row)->text());
        QCOMPARE(names, (QStringList{u"Anna"_s, u"anton"_s, u"Äpfel"_s, u"Berta"_s}));
        QCOMPARE(list->ui().list->currentRow(), 0);
        QCOMPARE(list->ui().classLabel->text(), u"Aktuelle Klasse: (Alle)"_s);
        // "1a" and "1A" are one class, spelled as in the file the folder gave first.
        whenModalOpens<ClassFilterDialog>([](ClassFilterDialog *chooser) {
            QCOMPARE(chooser->ui().list->count(), 3);
            QCOMPARE(chooser->ui().list->item(0)->text(), u"(Alle)"_s);
            chooser->ui().list->setCurrentRow(1);
            QCOMPARE(chooser->ui().list->currentItem()->text().toLower(), u"1a"_s);
            chooser->ui().okButton->click();
        });
        list->ui().classesButton->click();
        QCOMPARE(list->ui().classLabel->text().toLower(), u"aktuelle klasse: 1a"_s);
        QCOMPARE(list->ui().list->count(), 2);
        list->ui().cancelButton->click();
    });
    m_window->ui().participantListAction->trigger();
    QCOMPARE(m_window->classFilter().toLower(), u"1a"_s);
    QCOMPARE(m_window->ui().participantListDialog->classFilter(), QString());

    // The remembered filter is the class proposed for a new participant.
    whenModalOpens<ParticipantCreationDialog>([this](ParticipantCreationDialog *dialog) {
        QCOMPARE(dialog->ui().classEdit->text(), m_window->classFilter());
        QCOMPARE(dialog->ui().commentEdit->text(), QString());
    });
    m_window->ui().newParticipantAction->trigger();

    // The next showing starts with the remembered filter.
    whenModalOpens<ParticipantListDialog>([](ParticipantListDialog *list) {
        QTRY_COMPARE(list->ui().list->count(), 2);
        QCOMPARE(list->ui().classLabel->text().toLower(), u"aktuelle klasse: 1a"_s);
    });
    m_window->ui().participantListButton->click();
}

void TestParticipantCommands::listChoiceOpensTheParticipant()
{
    QVERIFY(writeParticipant(u"Anna"_s, daysFile(3)));
    QVERIFY(writeParticipant(u"Berta"_s, daysFile(2, "3c|Bemerkung")));
    start();
    m_window->setDayNumber(2);
    m_window->ui().remarkEdit->setText(u"vor dem Wechsel"_s);
    whenModalOpens<ParticipantListDialog>([](ParticipantListDialog *list) {
        QTRY_COMPARE(list->ui().list->count(), 2);
        QCOMPARE(list->ui().list->currentItem()->text(), u"Anna"_s);
        list->ui().list->setCurrentRow(1);
        QTest::keyClick(list->ui().list, Qt::Key_Return);
    });
    m_window->ui().participantListButton->click();
    QCOMPARE(m_window->participant(), u"Berta"_s);
    QCOMPARE(m_window->schoolClass(), u"3c"_s);
    QCOMPARE(m_window->dayNumber(), 1);
    QVERIFY(readBytes(pathOf(u"Anna"_s)).contains("Tag 2|vor dem Wechsel"));
}

void TestParticipantCommands::enterInTheNameFieldOpensTheList()
{
    QVERIFY(writeParticipant(u"Anna"_s, daysFile(1)));
    start();
    m_window->ui().closeAction->trigger();
    bool shown = false;
    whenModalOpens<ParticipantListDialog>([&shown](ParticipantListDialog *) { shown = true; });
    QTest::keyClick(m_window->ui().nameEdit, Qt::Key_Return);
    QVERIFY(shown);
}

void TestParticipantCommands::existingNameInOtherCaseOpensThatParticipant()
{
    QVERIFY(writeParticipant(u"Anna"_s, daysFile(1)));
    QVERIFY(writeParticipant(u"Jörg"_s, daysFile(2, "4d|")));
    start();
    m_messages->answerNext(true);
    whenModalOpens<ParticipantCreationDialog>([](ParticipantCreationDialog *dialog) {
        dialog->ui().nameEdit->setText(u"  JÖRG "_s);
        dialog->ui().classEdit->setText(u"9z"_s);
        dialog->ui().okButton->click();
    });
    m_window->ui().newParticipantAction->trigger();
    QCOMPARE(shownTexts(),
        QStringList{u"Der Teilnehmer \"JÖRG\" existiert bereits!\r\nSoll der "
                    "Teilnehmer jetzt aufgerufen werden?"_s});
    QCOMPARE(m_window->participant(), u"Jörg"_s);
    QCOMPARE(m_window->schoolClass(), u"4d"_s);
    QCOMPARE(QDir(dataFolder()).entryList(QDir::Files).size(), 2);
    // Regression: after the question and the dialog closed, no window took the keys.
    QTRY_COMPARE(QApplication::activeWindow(), m_window.get());
    QCOMPARE(QApplication::focusWidget(), m_window->ui().nameEdit);
}

void TestParticipantCommands::refusedNameCreatesNothing()
{
    QVERIFY(writeParticipant(u"Anna"_s, daysFile(1)));
    start();
    whenModalOpens<ParticipantCreationDialog>([](ParticipantCreationDialog *dialog) {
        dialog->ui().nameEdit->setText(u"../Otto"_s);
        dialog->ui().classEdit->setText(u"1a"_s);
        dialog->ui().okButton->click();
        QVERIFY(dialog->isVisible());
    });
    m_window->ui().newParticipantAction->trigger();
    QCOMPARE(m_messages->shown().size(), 1);
    QCOMPARE(QDir(dataFolder()).entryList(QDir::Files | QDir::Hidden), QStringList{u"Anna.dat"_s});
    QVERIFY(!QFileInfo::exists(m_paths.programFolder + u"Otto.dat"_s));
    QCOMPARE(m_window->participant(), u"Anna"_s);
}

void TestParticipantCommands::failedCreationLeavesTheOpenParticipantAlone()
{
    QVERIFY(writeParticipant(u"Anna"_s, daysFile(2)));
    start();
    // A folder where the new file should go makes its write fail.
    QVERIFY(QDir().mkpath(pathOf(u"Berta"_s)));
    whenModalOpens<ParticipantCreationDialog>([](ParticipantCreationDialog *dialog) {
        dialog->ui().nameEdit->setText(u"Berta"_s);
        dialog->ui().classEdit->setText(u"1a"_s);
        dialog->ui().okButton->click();
    });
    m_window->ui().newParticipantAction->trigger();
    QCOMPARE(m_messages->shown().size(), 1);
    QCOMPARE(m_messages->shown().at(0).kind, MessageKind::Error);
    QVERIFY(m_messages->shown().at(0).text.startsWith(
        u"Datei \""_s + pathOf(u"Berta"_s) + u"\" kann nicht erstellt werden. "_s));
    QCOMPARE(m_window->participant(), u"Anna"_s);
    QCOMPARE(m_window->dayCount(), 2);
    // Later stores still write Anna's own days to Anna's file.
    m_window->ui().remarkEdit->setText(u"danach"_s);
    m_window->ui().closeAction->trigger();
    QCOMPARE(readBytes(pathOf(u"Anna"_s)),
        QByteArray(daysFile(2)).replace("Tag 1|\r\n", "Tag 1|danach\r\n"));
}

void TestParticipantCommands::renameToTheSameName()
{
    QVERIFY(writeParticipant(u"Anna"_s, daysFile(1)));
    start();
    whenModalOpens<LineInputDialog>([this](LineInputDialog *dialog) {
        QCOMPARE(dialog->windowTitle(), u"Teilnehmer umbenennen"_s);
        QCOMPARE(dialog->ui().edit->text(), u"Anna"_s);
        dialog->ui().edit->setText(u"  Anna "_s);
        whenModalOpens<LineInputDialog>([](LineInputDialog *again) {
            QCOMPARE(again->ui().edit->text(), u"  Anna "_s);
            QCOMPARE(again->ui().edit->selectedText(), u"  Anna "_s);
            again->ui().cancelButton->click();
        });
        dialog->ui().okButton->click();
        Q_UNUSED(this);
    });
    m_window->ui().renameAction->trigger();
    QCOMPARE(shownTexts(), QStringList{u"Der Teilnehmer ist identisch mit \"Anna\"!"_s});
    QVERIFY(QFileInfo::exists(pathOf(u"Anna"_s)));
}

void TestParticipantCommands::renameToAnotherParticipantsName()
{
    QVERIFY(writeParticipant(u"Anna"_s, daysFile(1)));
    QVERIFY(writeParticipant(u"Berta"_s, daysFile(2)));
    start();
    whenModalOpens<LineInputDialog>([](LineInputDialog *dialog) {
        dialog->ui().edit->setText(u"Berta"_s);
        whenModalOpens<LineInputDialog>([](LineInputDialog *again) {
            QCOMPARE(again->ui().edit->text(), u"Berta"_s);
            again->reject();
        });
        dialog->ui().okButton->click();
    });
    m_window->ui().renameAction->trigger();
    QCOMPARE(shownTexts(),
        QStringList{u"Die Datei \"%1\" konnte nicht umbenannt werden!"_s.arg(pathOf(u"Anna"_s))});
    QCOMPARE(readBytes(pathOf(u"Berta"_s)), daysFile(2));
    QCOMPARE(readBytes(pathOf(u"Anna"_s)), daysFile(1));
    QCOMPARE(m_window->participant(), u"Anna"_s);
}

void TestParticipantCommands::renameByLetterCaseOnly()
{
    QVERIFY(writeParticipant(u"anna"_s, daysFile(3)));
    QVERIFY(writeBytes(pathOf(u"anna"_s) + u".bak"_s, "alt"));
    start("[General]\nTeilnehmer=anna\n");
    m_window->setDayNumber(2);
    whenModalOpens<LineInputDialog>([](LineInputDialog *dialog) {
        dialog->ui().edit->setText(u"Anna"_s);
        dialog->ui().okButton->click();
    });
    m_window->ui().renameAction->trigger();
    QCOMPARE(shownTexts(), QStringList{u"Der Teilnehmer \"anna\" wurde in \"Anna\" geändert!"_s});
    QCOMPARE(
        QDir(dataFolder()).entryList(QDir::Files), (QStringList{u"Anna.dat"_s, u"anna.dat.bak"_s}));
    QCOMPARE(m_window->participant(), u"Anna"_s);
    QCOMPARE(m_window->windowTitle(), u"Anna - Tessaro V1.01"_s);
    QCOMPARE(m_window->dayNumber(), 2);
    QCOMPARE(m_window->date(), u"Tag 2"_s);
}

void TestParticipantCommands::refusedRenameMovesNothing()
{
    QVERIFY(writeParticipant(u"Anna"_s, daysFile(1)));
    start();
    whenModalOpens<LineInputDialog>([](LineInputDialog *dialog) {
        dialog->ui().edit->setText(u"../../Anna"_s);
        dialog->ui().okButton->click();
        QVERIFY(dialog->isVisible());
        dialog->reject();
    });
    m_window->ui().renameAction->trigger();
    QCOMPARE(m_messages->shown().size(), 1);
    QCOMPARE(QDir(dataFolder()).entryList(QDir::Files), QStringList{u"Anna.dat"_s});
    QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files), QStringList{u"settings.ini"_s});
}

void TestParticipantCommands::classAndCommentReachTheFileAtTheNextStore()
{
    QVERIFY(writeParticipant(u"Anna"_s, daysFile(1)));
    start();
    whenModalOpens<LineInputDialog>([](LineInputDialog *dialog) {
        QCOMPARE(dialog->windowTitle(), u"Geben Sie eine neue Klasse ein"_s);
        QCOMPARE(dialog->ui().label->text(), u"Klasse:"_s);
        QCOMPARE(dialog->ui().edit->text(), u"1a"_s);
        dialog->ui().edit->setText(u" 2b "_s);
        dialog->ui().okButton->click();
    });
    m_window->ui().changeClassAction->trigger();
    whenModalOpens<LineInputDialog>([](LineInputDialog *dialog) {
        QCOMPARE(dialog->windowTitle(), u"Geben Sie einen neuen Kommentar ein"_s);
        dialog->ui().edit->clear();
        QVERIFY(dialog->ui().okButton->isEnabled());
        dialog->ui().okButton->click();
    });
    m_window->ui().changeCommentAction->trigger();
    QCOMPARE(shownTexts(),
        (QStringList{u"Die Klasse wurde in \"2b\" geändert!"_s,
            u"Der Kommentar wurde in \"\" geändert!"_s}));
    QCOMPARE(readBytes(pathOf(u"Anna"_s)), daysFile(1));
    m_window->ui().closeAction->trigger();
    QVERIFY(readBytes(pathOf(u"Anna"_s)).startsWith("2b|\r\n"));
}

void TestParticipantCommands::enterInClassAndCommentFields()
{
    QVERIFY(writeParticipant(u"Anna"_s, daysFile(1)));
    start();
    bool classDialog = false;
    whenModalOpens<LineInputDialog>([&classDialog](LineInputDialog *dialog) {
        classDialog = dialog->question == InputQuestion::NewClass;
    });
    QTest::keyClick(m_window->ui().classEdit, Qt::Key_Return);
    QVERIFY(classDialog);
    bool commentDialog = false;
    whenModalOpens<LineInputDialog>([&commentDialog](LineInputDialog *dialog) {
        commentDialog = dialog->question == InputQuestion::NewComment;
    });
    QTest::keyClick(m_window->ui().commentEdit, Qt::Key_Enter);
    QVERIFY(commentDialog);
    // Without a participant only the beep answers.
    m_window->ui().closeAction->trigger();
    QTest::keyClick(m_window->ui().classEdit, Qt::Key_Return);
    QTest::keyClick(m_window->ui().commentEdit, Qt::Key_Return);
    QVERIFY(!QApplication::activeModalWidget());
}

void TestParticipantCommands::popupActsOnItsField()
{
    QVERIFY(writeParticipant(u"Anna"_s, daysFile(1)));
    start();
    const auto popupCaption = [this](QLineEdit *field) {
        QString caption;
        QTimer::singleShot(0, [this, &caption] {
            caption = m_window->ui().nameClassChangeAction->text();
            m_window->ui().nameClassMenu->close();
        });
        Q_EMIT field->customContextMenuRequested(QPoint(1, 1));
        return caption;
    };
    m_window->ui().classEdit->setFocus();
    QCOMPARE(popupCaption(m_window->ui().nameEdit), u"Klasse ändern..."_s);
    m_window->ui().remarkEdit->setFocus();
    QCOMPARE(popupCaption(m_window->ui().nameEdit), u"Teilnehmer &umbenennen..."_s);
    QCOMPARE(popupCaption(m_window->ui().classEdit), u"Klasse ändern..."_s);
}

void TestParticipantCommands::deletionKeepsTheBackup()
{
    QVERIFY(writeParticipant(u"Anna"_s, daysFile(2)));
    start();
    m_window->ui().remarkEdit->setText(u"geändert"_s);
    m_window->ui().nextDayAction->trigger();
    QVERIFY(QFileInfo::exists(pathOf(u"Anna"_s) + u".bak"_s));

    m_messages->answerNext(true);
    m_messages->answerNext(false);
    m_window->ui().deleteParticipantAction->trigger();
    QVERIFY(QFileInfo::exists(pathOf(u"Anna"_s)));

    m_messages->takeShown();
    m_messages->answerNext(true);
    m_messages->answerNext(true);
    m_window->ui().deleteParticipantAction->trigger();
    QCOMPARE(shownTexts(),
        (QStringList{u"Soll der Teilnehmer \"Anna\" gelöscht werden?"_s,
            u"Soll der Teilnehmer \"Anna\" wirklich vollständig gelöscht werden?"_s,
            u"Der Teilnehmer \"Anna\" wurde gelöscht!"_s}));
    QCOMPARE(QDir(dataFolder()).entryList(QDir::Files), QStringList{u"Anna.dat.bak"_s});
    QCOMPARE(m_window->participant(), QString());
    QCOMPARE(m_window->windowTitle(), u"KeinName - Tessaro V1.01"_s);
    QVERIFY(!m_window->ui().deleteParticipantAction->isEnabled());
}

void TestParticipantCommands::deletionOfADottedNameDeletesItsOwnFile()
{
    QVERIFY(writeParticipant(u"A"_s, daysFile(1, "andere|")));
    QVERIFY(writeParticipant(u"A.B"_s, daysFile(1, "dieser|")));
    start("[General]\nTeilnehmer=A.B\n");
    QCOMPARE(m_window->participant(), u"A"_s);
    QCOMPARE(m_window->schoolClass(), u"dieser"_s);
    m_messages->answerNext(true);
    m_messages->answerNext(true);
    m_window->ui().deleteParticipantAction->trigger();
    QCOMPARE(shownTexts().value(0), u"Soll der Teilnehmer \"A.B\" gelöscht werden?"_s);
    QCOMPARE(shownTexts().value(2), u"Der Teilnehmer \"A.B\" wurde gelöscht!"_s);
    QCOMPARE(QDir(dataFolder()).entryList(QDir::Files), QStringList{u"A.dat"_s});
}

QTEST_MAIN(TestParticipantCommands)
#include "tst_participantcommands.moc"

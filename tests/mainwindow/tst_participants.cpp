#include "mainwindow/haupt.h"

#include "dialogs/editdlg.h"
#include "dialogs/klassendlg.h"
#include "dialogs/tldlg.h"
#include "dialogs/tncreatedlg.h"

#include "desktop/appearance.h"
#include "desktop/messages.h"
#include "records/dates.h"

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

class TestParticipants : public MainWindowTest
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
    void folderSwitchWithAnOpenParticipant();
    void folderSwitchWithoutParticipant();
    void checkedFolderEntryDoesNothing();
    void uncreatableDataFolderIsReported();

private:
    // Shows the window; the participant list of the start is cancelled, or the question about
    // creating a participant answered "&Nein" when the folder has none.
    void start(const QByteArray &settings = "[General]\nTeilnehmer=Anna\n");
    QString documentsDataFolder() const { return m_paths.documentsFolder + u"Tessaro/"_s; }
    QString pathOf(const QString &name) const { return dataFolder() + name + u".dat"_s; }
    bool writeParticipant(const QString &name, const QByteArray &bytes)
    {
        return writeBytes(pathOf(name), bytes);
    }
    QStringList shownTexts() const;
};

void TestParticipants::init()
{
    prepare();
}

void TestParticipants::cleanup()
{
    tearDown();
}

void TestParticipants::start(const QByteArray &settings)
{
    const bool hasParticipants = !QDir(dataFolder()).entryList({u"*.dat"_s}, QDir::Files).isEmpty();
    if (hasParticipants)
        whenModalOpens<TTlForm>([](TTlForm *list) { list->reject(); });
    showWindow(settings);
    if (hasParticipants)
        QTRY_VERIFY(!m_window->TlForm->isVisible() && !m_window->Timer1.isActive());
    else
        QTRY_COMPARE(m_messages->shown().size(), 1);
    QTest::qWait(20);
    m_messages->takeShown();
}

QStringList TestParticipants::shownTexts() const
{
    QStringList texts;
    for (const ShownMessage &message : m_messages->shown())
        texts.append(message.text);
    return texts;
}

void TestParticipants::firstStartWithAnEmptyFolderCreatesAParticipant()
{
    QVERIFY(QDir(dataFolder()).removeRecursively());
    QVERIFY(writeBytes(m_paths.settingsFile, QByteArray()));
    m_messages->answerNext(true);
    whenModalOpens<TTnCreateForm>([](TTnCreateForm *dialog) {
        QCOMPARE(dialog->Edit1->text(), QString());
        QCOMPARE(dialog->Edit2->text(), QString());
        QVERIFY(!dialog->Button1->isEnabled());
        dialog->Edit1->setText(u"Anna"_s);
        dialog->Edit2->setText(u"1a"_s);
        QVERIFY(dialog->Button1->isEnabled());
        dialog->Button1->click();
    });
    m_window = std::make_unique<TForm1>(m_paths);
    m_window->show();
    QTRY_VERIFY(QFileInfo::exists(pathOf(u"Anna"_s)));
    QTRY_COMPARE(m_window->Teilnehmer(), u"Anna"_s);
    QCOMPARE(shownTexts(),
        (QStringList{u"Es sind keine Teilnehmer-Dateien vorhanden!\r\nMöchten Sie jetzt einen "
                     "Teilnehmer anlegen?"_s,
            u"Der Teilnehmer \"Anna\" wurde angelegt und aufgerufen!"_s}));
    QCOMPARE(readBytes(pathOf(u"Anna"_s)),
        "1a|\r\n" + TagStr(QDate::currentDate()).toLatin1() + "\r\n<--------------->\r\n");
    QCOMPARE(m_window->Klasse(), u"1a"_s);
    QCOMPARE(m_window->Datum(), TagStr(QDate::currentDate()));
    QCOMPARE(m_window->presentIndex(), 1);
    QCOMPARE(m_window->MaxNummer(), 1);
}

void TestParticipants::listingOrderFilterAndRememberedClass()
{
    QVERIFY(writeParticipant(u"Berta"_s, daysFile(1, "1a|")));
    QVERIFY(writeParticipant(u"anton"_s, daysFile(1, "2b|")));
    QVERIFY(writeParticipant(u"Äpfel"_s, daysFile(1, "1A|")));
    QVERIFY(writeParticipant(u"Anna"_s, daysFile(1, "2b|")));
    start();
    whenModalOpens<TTlForm>([](TTlForm *list) {
        QTRY_COMPARE(list->ListBox1->count(), 4);
        QStringList names;
        for (int row = 0; row < list->ListBox1->count(); ++row)
            names.append(list->ListBox1->item(row)->text());
        QCOMPARE(names, (QStringList{u"Anna"_s, u"anton"_s, u"Äpfel"_s, u"Berta"_s}));
        QCOMPARE(list->ListBox1->currentRow(), 0);
        QCOMPARE(list->Label1->text(), u"Aktuelle Klasse: (Alle)"_s);
        // "1a" and "1A" are one class, spelled as in the file the folder gave first.
        whenModalOpens<TKlassenForm>([](TKlassenForm *chooser) {
            QCOMPARE(chooser->ListBox1->count(), 3);
            QCOMPARE(chooser->ListBox1->item(0)->text(), u"(Alle)"_s);
            chooser->ListBox1->setCurrentRow(1);
            QCOMPARE(chooser->ListBox1->currentItem()->text().toLower(), u"1a"_s);
            chooser->Button1->click();
        });
        list->Button3->click();
        QCOMPARE(list->Label1->text().toLower(), u"aktuelle klasse: 1a"_s);
        QCOMPARE(list->ListBox1->count(), 2);
        list->Button2->click();
    });
    m_window->MenuAktTeilnehmer->trigger();
    QCOMPARE(m_window->SortierKlasse.toLower(), u"1a"_s);
    QCOMPARE(m_window->TlForm->Klasse(), QString());

    // The remembered filter is the class proposed for a new participant.
    whenModalOpens<TTnCreateForm>([this](TTnCreateForm *dialog) {
        QCOMPARE(dialog->Edit2->text(), m_window->SortierKlasse);
        QCOMPARE(dialog->Edit3->text(), QString());
    });
    m_window->MenuAktNeuenTeilnehmer->trigger();

    // The next showing starts with the remembered filter.
    whenModalOpens<TTlForm>([](TTlForm *list) {
        QTRY_COMPARE(list->ListBox1->count(), 2);
        QCOMPARE(list->Label1->text().toLower(), u"aktuelle klasse: 1a"_s);
    });
    m_window->Button3->click();
}

void TestParticipants::listChoiceOpensTheParticipant()
{
    QVERIFY(writeParticipant(u"Anna"_s, daysFile(3)));
    QVERIFY(writeParticipant(u"Berta"_s, daysFile(2, "3c|Bemerkung")));
    start();
    m_window->setAktNummer(2);
    m_window->Edit5->setText(u"vor dem Wechsel"_s);
    whenModalOpens<TTlForm>([](TTlForm *list) {
        QTRY_COMPARE(list->ListBox1->count(), 2);
        QCOMPARE(list->ListBox1->currentItem()->text(), u"Anna"_s);
        list->ListBox1->setCurrentRow(1);
        QTest::keyClick(list->ListBox1, Qt::Key_Return);
    });
    m_window->Button3->click();
    QCOMPARE(m_window->Teilnehmer(), u"Berta"_s);
    QCOMPARE(m_window->Klasse(), u"3c"_s);
    QCOMPARE(m_window->AktNummer(), 1);
    QVERIFY(readBytes(pathOf(u"Anna"_s)).contains("Tag 2|vor dem Wechsel"));
}

void TestParticipants::enterInTheNameFieldOpensTheList()
{
    QVERIFY(writeParticipant(u"Anna"_s, daysFile(1)));
    start();
    m_window->MenuDateiClose->trigger();
    bool shown = false;
    whenModalOpens<TTlForm>([&shown](TTlForm *) { shown = true; });
    QTest::keyClick(m_window->Edit1, Qt::Key_Return);
    QVERIFY(shown);
}

void TestParticipants::existingNameInOtherCaseOpensThatParticipant()
{
    QVERIFY(writeParticipant(u"Anna"_s, daysFile(1)));
    QVERIFY(writeParticipant(u"Jörg"_s, daysFile(2, "4d|")));
    start();
    m_messages->answerNext(true);
    whenModalOpens<TTnCreateForm>([](TTnCreateForm *dialog) {
        dialog->Edit1->setText(u"  JÖRG "_s);
        dialog->Edit2->setText(u"9z"_s);
        dialog->Button1->click();
    });
    m_window->MenuAktNeuenTeilnehmer->trigger();
    QCOMPARE(shownTexts(),
        QStringList{u"Der Teilnehmer \"JÖRG\" existiert bereits!\r\nSoll der "
                    "Teilnehmer jetzt aufgerufen werden?"_s});
    QCOMPARE(m_window->Teilnehmer(), u"Jörg"_s);
    QCOMPARE(m_window->Klasse(), u"4d"_s);
    QCOMPARE(QDir(dataFolder()).entryList(QDir::Files).size(), 2);
}

void TestParticipants::refusedNameCreatesNothing()
{
    QVERIFY(writeParticipant(u"Anna"_s, daysFile(1)));
    start();
    whenModalOpens<TTnCreateForm>([](TTnCreateForm *dialog) {
        dialog->Edit1->setText(u"../Otto"_s);
        dialog->Edit2->setText(u"1a"_s);
        dialog->Button1->click();
        QVERIFY(dialog->isVisible());
    });
    m_window->MenuAktNeuenTeilnehmer->trigger();
    QCOMPARE(m_messages->shown().size(), 1);
    QCOMPARE(QDir(dataFolder()).entryList(QDir::Files | QDir::Hidden), QStringList{u"Anna.dat"_s});
    QVERIFY(!QFileInfo::exists(m_paths.programFolder + u"Otto.dat"_s));
    QCOMPARE(m_window->Teilnehmer(), u"Anna"_s);
}

void TestParticipants::failedCreationLeavesTheOpenParticipantAlone()
{
    QVERIFY(writeParticipant(u"Anna"_s, daysFile(2)));
    start();
    // A folder where the new file should go makes its write fail.
    QVERIFY(QDir().mkpath(pathOf(u"Berta"_s)));
    whenModalOpens<TTnCreateForm>([](TTnCreateForm *dialog) {
        dialog->Edit1->setText(u"Berta"_s);
        dialog->Edit2->setText(u"1a"_s);
        dialog->Button1->click();
    });
    m_window->MenuAktNeuenTeilnehmer->trigger();
    QCOMPARE(m_messages->shown().size(), 1);
    QCOMPARE(m_messages->shown().at(0).kind, MessageKind::Error);
    QVERIFY(m_messages->shown().at(0).text.startsWith(
        u"Datei \""_s + pathOf(u"Berta"_s) + u"\" kann nicht erstellt werden. "_s));
    QCOMPARE(m_window->Teilnehmer(), u"Anna"_s);
    QCOMPARE(m_window->MaxNummer(), 2);
    // Later stores still write Anna's own days to Anna's file.
    m_window->Edit5->setText(u"danach"_s);
    m_window->MenuDateiClose->trigger();
    QCOMPARE(readBytes(pathOf(u"Anna"_s)),
        QByteArray(daysFile(2)).replace("Tag 1|\r\n", "Tag 1|danach\r\n"));
}

void TestParticipants::renameToTheSameName()
{
    QVERIFY(writeParticipant(u"Anna"_s, daysFile(1)));
    start();
    whenModalOpens<TEditForm>([this](TEditForm *dialog) {
        QCOMPARE(dialog->windowTitle(), u"Teilnehmer umbenennen"_s);
        QCOMPARE(dialog->Edit1->text(), u"Anna"_s);
        dialog->Edit1->setText(u"  Anna "_s);
        whenModalOpens<TEditForm>([](TEditForm *again) {
            QCOMPARE(again->Edit1->text(), u"  Anna "_s);
            QCOMPARE(again->Edit1->selectedText(), u"  Anna "_s);
            again->Button2->click();
        });
        dialog->Button1->click();
        Q_UNUSED(this);
    });
    m_window->MenuBearbUmbenennen->trigger();
    QCOMPARE(shownTexts(), QStringList{u"Der Teilnehmer ist identisch mit \"Anna\"!"_s});
    QVERIFY(QFileInfo::exists(pathOf(u"Anna"_s)));
}

void TestParticipants::renameToAnotherParticipantsName()
{
    QVERIFY(writeParticipant(u"Anna"_s, daysFile(1)));
    QVERIFY(writeParticipant(u"Berta"_s, daysFile(2)));
    start();
    whenModalOpens<TEditForm>([](TEditForm *dialog) {
        dialog->Edit1->setText(u"Berta"_s);
        whenModalOpens<TEditForm>([](TEditForm *again) {
            QCOMPARE(again->Edit1->text(), u"Berta"_s);
            again->reject();
        });
        dialog->Button1->click();
    });
    m_window->MenuBearbUmbenennen->trigger();
    QCOMPARE(shownTexts(),
        QStringList{u"Die Datei \"%1\" konnte nicht umbenannt werden!"_s.arg(pathOf(u"Anna"_s))});
    QCOMPARE(readBytes(pathOf(u"Berta"_s)), daysFile(2));
    QCOMPARE(readBytes(pathOf(u"Anna"_s)), daysFile(1));
    QCOMPARE(m_window->Teilnehmer(), u"Anna"_s);
}

void TestParticipants::renameByLetterCaseOnly()
{
    QVERIFY(writeParticipant(u"anna"_s, daysFile(3)));
    QVERIFY(writeBytes(pathOf(u"anna"_s) + u".bak"_s, "alt"));
    start("[General]\nTeilnehmer=anna\n");
    m_window->setAktNummer(2);
    whenModalOpens<TEditForm>([](TEditForm *dialog) {
        dialog->Edit1->setText(u"Anna"_s);
        dialog->Button1->click();
    });
    m_window->MenuBearbUmbenennen->trigger();
    QCOMPARE(shownTexts(), QStringList{u"Der Teilnehmer \"anna\" wurde in \"Anna\" geändert!"_s});
    QCOMPARE(
        QDir(dataFolder()).entryList(QDir::Files), (QStringList{u"Anna.dat"_s, u"anna.dat.bak"_s}));
    QCOMPARE(m_window->Teilnehmer(), u"Anna"_s);
    QCOMPARE(m_window->windowTitle(), u"Anna - Tessaro V1.01"_s);
    QCOMPARE(m_window->AktNummer(), 2);
    QCOMPARE(m_window->Datum(), u"Tag 2"_s);
}

void TestParticipants::refusedRenameMovesNothing()
{
    QVERIFY(writeParticipant(u"Anna"_s, daysFile(1)));
    start();
    whenModalOpens<TEditForm>([](TEditForm *dialog) {
        dialog->Edit1->setText(u"../../Anna"_s);
        dialog->Button1->click();
        QVERIFY(dialog->isVisible());
        dialog->reject();
    });
    m_window->MenuBearbUmbenennen->trigger();
    QCOMPARE(m_messages->shown().size(), 1);
    QCOMPARE(QDir(dataFolder()).entryList(QDir::Files), QStringList{u"Anna.dat"_s});
    QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files), QStringList{u"settings.ini"_s});
}

void TestParticipants::classAndCommentReachTheFileAtTheNextStore()
{
    QVERIFY(writeParticipant(u"Anna"_s, daysFile(1)));
    start();
    whenModalOpens<TEditForm>([](TEditForm *dialog) {
        QCOMPARE(dialog->windowTitle(), u"Geben Sie eine neue Klasse ein"_s);
        QCOMPARE(dialog->Label1->text(), u"Klasse:"_s);
        QCOMPARE(dialog->Edit1->text(), u"1a"_s);
        dialog->Edit1->setText(u" 2b "_s);
        dialog->Button1->click();
    });
    m_window->MenuBearbAendern->trigger();
    whenModalOpens<TEditForm>([](TEditForm *dialog) {
        QCOMPARE(dialog->windowTitle(), u"Geben Sie einen neuen Kommentar ein"_s);
        dialog->Edit1->clear();
        QVERIFY(dialog->Button1->isEnabled());
        dialog->Button1->click();
    });
    m_window->MenuBearbKommentar->trigger();
    QCOMPARE(shownTexts(),
        (QStringList{u"Die Klasse wurde in \"2b\" geändert!"_s,
            u"Der Kommentar wurde in \"\" geändert!"_s}));
    QCOMPARE(readBytes(pathOf(u"Anna"_s)), daysFile(1));
    m_window->MenuDateiClose->trigger();
    QVERIFY(readBytes(pathOf(u"Anna"_s)).startsWith("2b|\r\n"));
}

void TestParticipants::enterInClassAndCommentFields()
{
    QVERIFY(writeParticipant(u"Anna"_s, daysFile(1)));
    start();
    bool classDialog = false;
    whenModalOpens<TEditForm>([&classDialog](TEditForm *dialog) { classDialog = dialog->Nr == 2; });
    QTest::keyClick(m_window->Edit2, Qt::Key_Return);
    QVERIFY(classDialog);
    bool commentDialog = false;
    whenModalOpens<TEditForm>(
        [&commentDialog](TEditForm *dialog) { commentDialog = dialog->Nr == 4; });
    QTest::keyClick(m_window->Edit4, Qt::Key_Enter);
    QVERIFY(commentDialog);
    // Without a participant only the beep answers.
    m_window->MenuDateiClose->trigger();
    QTest::keyClick(m_window->Edit2, Qt::Key_Return);
    QTest::keyClick(m_window->Edit4, Qt::Key_Return);
    QVERIFY(!QApplication::activeModalWidget());
}

void TestParticipants::popupActsOnItsField()
{
    QVERIFY(writeParticipant(u"Anna"_s, daysFile(1)));
    start();
    const auto popupCaption = [this](QLineEdit *field) {
        QString caption;
        QTimer::singleShot(0, [this, &caption] {
            caption = m_window->PuEdit12Aendern->text();
            m_window->PuEdit12Menu->close();
        });
        Q_EMIT field->customContextMenuRequested(QPoint(1, 1));
        return caption;
    };
    m_window->Edit2->setFocus();
    QCOMPARE(popupCaption(m_window->Edit1), u"Klasse ändern..."_s);
    m_window->Edit5->setFocus();
    QCOMPARE(popupCaption(m_window->Edit1), u"Teilnehmer &umbenennen..."_s);
    QCOMPARE(popupCaption(m_window->Edit2), u"Klasse ändern..."_s);
}

void TestParticipants::deletionKeepsTheBackup()
{
    QVERIFY(writeParticipant(u"Anna"_s, daysFile(2)));
    start();
    m_window->Edit5->setText(u"geändert"_s);
    m_window->MenuAktVor->trigger();
    QVERIFY(QFileInfo::exists(pathOf(u"Anna"_s) + u".bak"_s));

    m_messages->answerNext(true);
    m_messages->answerNext(false);
    m_window->MenuAktTeilnehmerLoeschen->trigger();
    QVERIFY(QFileInfo::exists(pathOf(u"Anna"_s)));

    m_messages->takeShown();
    m_messages->answerNext(true);
    m_messages->answerNext(true);
    m_window->MenuAktTeilnehmerLoeschen->trigger();
    QCOMPARE(shownTexts(),
        (QStringList{u"Soll der Teilnehmer \"Anna\" gelöscht werden?"_s,
            u"Soll der Teilnehmer \"Anna\" wirklich vollständig gelöscht werden?"_s,
            u"Der Teilnehmer \"Anna\" wurde gelöscht!"_s}));
    QCOMPARE(QDir(dataFolder()).entryList(QDir::Files), QStringList{u"Anna.dat.bak"_s});
    QCOMPARE(m_window->Teilnehmer(), QString());
    QCOMPARE(m_window->windowTitle(), u"KeinName - Tessaro V1.01"_s);
    QVERIFY(!m_window->MenuAktTeilnehmerLoeschen->isEnabled());
}

void TestParticipants::deletionOfADottedNameDeletesItsOwnFile()
{
    QVERIFY(writeParticipant(u"A"_s, daysFile(1, "andere|")));
    QVERIFY(writeParticipant(u"A.B"_s, daysFile(1, "dieser|")));
    start("[General]\nTeilnehmer=A.B\n");
    QCOMPARE(m_window->Teilnehmer(), u"A"_s);
    QCOMPARE(m_window->Klasse(), u"dieser"_s);
    m_messages->answerNext(true);
    m_messages->answerNext(true);
    m_window->MenuAktTeilnehmerLoeschen->trigger();
    QCOMPARE(shownTexts().value(0), u"Soll der Teilnehmer \"A.B\" gelöscht werden?"_s);
    QCOMPARE(shownTexts().value(2), u"Der Teilnehmer \"A.B\" wurde gelöscht!"_s);
    QCOMPARE(QDir(dataFolder()).entryList(QDir::Files), QStringList{u"A.dat"_s});
}

void TestParticipants::folderSwitchWithAnOpenParticipant()
{
    QVERIFY(writeParticipant(u"Anna"_s, daysFile(1)));
    start();
    m_window->Edit5->setText(u"beim Wechsel"_s);
    m_messages->answerNext(false);
    m_window->MenuEinstEigeneDateien->trigger();
    QVERIFY(m_window->MenuEinstProgrammordner->isChecked());
    QVERIFY(!m_window->MenuEinstEigeneDateien->isChecked());
    QCOMPARE(m_window->Teilnehmer(), u"Anna"_s);
    QCOMPARE(m_messages->shown().size(), 1);
    QCOMPARE(m_messages->takeShown().at(0).text,
        u"Wenn der aktuelle Datenordner gewechselt werden soll, muss der geöffnete Teilnehmer "
        "geschlossen werden.\r\nSoll der aktuelle Teilnehmer jetzt geschlossen und der Ordner "
        "gewechselt werden?"_s);

    m_messages->answerNext(true);
    m_messages->answerNext(false);
    m_window->MenuEinstEigeneDateien->trigger();
    QVERIFY(m_window->MenuEinstEigeneDateien->isChecked());
    QVERIFY(!m_window->MenuEinstProgrammordner->isChecked());
    QCOMPARE(m_window->Teilnehmer(), QString());
    QVERIFY(readBytes(pathOf(u"Anna"_s)).contains("beim Wechsel"));
    // The old folder holds Anna and stays; the new one was created and is empty.
    QVERIFY(QFileInfo(dataFolder()).isDir());
    QVERIFY(QFileInfo(documentsDataFolder()).isDir());
    QCOMPARE(m_window->DatFilename(), documentsDataFolder());
    QCOMPARE(m_messages->shown().size(), 2);
    QVERIFY(m_messages->shown().at(1).text.startsWith(u"Es sind keine Teilnehmer-Dateien"_s));
}

void TestParticipants::folderSwitchWithoutParticipant()
{
    QVERIFY(QDir().mkpath(documentsDataFolder()));
    QVERIFY(writeBytes(documentsDataFolder() + u"Berta.dat"_s, daysFile(1)));
    start(QByteArray());
    QCOMPARE(m_window->Teilnehmer(), QString());
    whenModalOpens<TTlForm>([](TTlForm *list) {
        QTRY_COMPARE(list->ListBox1->count(), 1);
        QCOMPARE(list->ListBox1->item(0)->text(), u"Berta"_s);
        list->Button1->click();
    });
    m_window->MenuEinstEigeneDateien->trigger();
    QVERIFY(m_messages->shown().isEmpty());
    // The empty program data folder was removed, and Berta is open.
    QVERIFY(!QFileInfo::exists(dataFolder()));
    QCOMPARE(m_window->Teilnehmer(), u"Berta"_s);
    QCOMPARE(m_window->DatFilename(), documentsDataFolder() + u"Berta.dat"_s);
}

void TestParticipants::checkedFolderEntryDoesNothing()
{
    QVERIFY(writeParticipant(u"Anna"_s, daysFile(1)));
    start();
    m_window->MenuEinstProgrammordner->trigger();
    QVERIFY(m_window->MenuEinstProgrammordner->isChecked());
    QVERIFY(m_messages->shown().isEmpty());
    QCOMPARE(m_window->Teilnehmer(), u"Anna"_s);
    QVERIFY(!QApplication::activeModalWidget());
}

void TestParticipants::uncreatableDataFolderIsReported()
{
    // A file where the data folder should be keeps it from being created.
    QVERIFY(QDir(dataFolder()).removeRecursively());
    QVERIFY(writeBytes(m_paths.programFolder + u"Tessaro"_s, "kein Ordner"));
    showWindow(QByteArray());
    QTRY_COMPARE(shownTexts(),
        QStringList{u"Der Ordner \"%1\" kann nicht angelegt werden!"_s.arg(dataFolder())});
    QVERIFY(!QApplication::activeModalWidget());
    QCOMPARE(m_window->Teilnehmer(), QString());
}

QTEST_MAIN(TestParticipants)
#include "tst_participants.moc"

#include "app/helpmenu.h"
#include "app/programwindows.h"
#include "app/texteditor.h"

#include "mainwindow/mainwindowtesting.h"

#include <QAction>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QMenu>

using namespace Qt::StringLiterals;

namespace {

// A program that writes its folder and its arguments, and then whatever it is told to copy,
// into the file "calls" beside it.
void writeRecordingProgram(const QString &path, const QString &copied = QString())
{
    QVERIFY(writeBytes(path,
        "#!/bin/sh\nprintf '%s|%s\\n' \"$PWD\" \"$*\" > \"$(dirname \"$0\")/calls.tmp\"\n"
            + (copied.isEmpty()
                    ? QByteArray()
                    : "cat \"" + copied.toUtf8() + "\" >> \"$(dirname \"$0\")/calls.tmp\"\n")
            + "mv \"$(dirname \"$0\")/calls.tmp\" \"$(dirname \"$0\")/calls\"\n"));
    QVERIFY(QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
}

} // namespace

class TestHelpMenu : public MainWindowTest
{
    Q_OBJECT

public Q_SLOTS:
    void openedUrl(const QUrl &url) { m_openedUrls.append(url.toString()); }

private Q_SLOTS:
    void init();
    void cleanup();

    void entries_data();
    void entries();
    void aboutBoxAndAddresses();
    void updateWritesTheFileAndStartsTheUpdater();
    void historyOpensInAPlainTextEditor();

private:
    void createWindows(const MakerContact &contact)
    {
        ProgramWindows windows
            = createProgramWindows(m_paths, recordingFront(&m_announced), contact);
        m_window = std::move(windows.mainWindow);
        m_help = windows.helpMenu;
    }
    const HelpMenu::Ui &help() const { return m_help->ui(); }

    HelpMenu *m_help = nullptr;
    QStringList m_openedUrls;
    QByteArray m_path;
    QByteArray m_tmpdir;
};

void TestHelpMenu::init()
{
    prepare();
    // A program folder with a blank.
    m_paths.programFolder = m_dir->path() + u"/mein Programm/"_s;
    QVERIFY(QDir().mkpath(m_paths.programFolder));
    m_path = qgetenv("PATH");
    m_tmpdir = qgetenv("TMPDIR");
}

void TestHelpMenu::cleanup()
{
    qputenv("PATH", m_path);
    qputenv("TMPDIR", m_tmpdir);
    QDesktopServices::unsetUrlHandler(u"https"_s);
    QDesktopServices::unsetUrlHandler(u"mailto"_s);
    m_openedUrls.clear();
    tearDown();
}

void TestHelpMenu::entries_data()
{
    QTest::addColumn<QStringList>("files");
    QTest::addColumn<bool>("maker");
    QTest::addColumn<bool>("update");
    QTest::addColumn<bool>("history");

    QTest::newRow("empty program folder, no maker") << QStringList() << false << false << false;
    QTest::newRow("updater for Linux") << QStringList{u"Velorun"_s} << true << true << false;
    QTest::newRow("updater for Windows") << QStringList{u"Velorun.exe"_s} << true << true << false;
    QTest::newRow("history") << QStringList{u"History.txt"_s} << true << false << true;
}

void TestHelpMenu::entries()
{
    QFETCH(QStringList, files);
    QFETCH(bool, maker);
    QFETCH(bool, update);
    QFETCH(bool, history);
    createWindows(maker ? MakerContact{{}, u"https://example.org/"_s, u"a@example.org"_s, {}}
                        : MakerContact());
    QCOMPARE(help().menu->title(), u"&Hilfe"_s);
    QStringList captions;
    for (const QAction *action : help().menu->actions())
        captions.append(action->text());
    QCOMPARE(captions,
        (QStringList{u"&Bedienungsanleitung..."_s, u"Programm-&Info"_s, u"Programm-Home&page..."_s,
            u"Programm-&Aktualisierung..."_s, u"Programm-&Änderungen..."_s,
            u"&Mail an den Programmierer..."_s, u"&Spenden..."_s}));

    // The rules follow the program folder each time the menu opens.
    for (const QString &file : files)
        QVERIFY(writeBytes(m_paths.programFolder + file, "x"));
    QVERIFY(!help().updateAction->isVisible() && !help().historyAction->isEnabled());
    Q_EMIT help().menu->aboutToShow();
    QCOMPARE(help().updateAction->isVisible(), update);
    QCOMPARE(help().historyAction->isEnabled(), history);
    QVERIFY(help().historyAction->isVisible());
    QVERIFY(help().aboutAction->isVisible() && help().aboutAction->isEnabled());
    for (QAction *address : {help().homepageAction, help().mailAction, help().donationAction})
        QCOMPARE(address->isVisible(), maker);
}

void TestHelpMenu::aboutBoxAndAddresses()
{
    const MakerContact maker{{u"Schule am Berg"_s}, u"https://example.org/tessaro/"_s,
        u"tessaro@example.org"_s, QString()};
    createWindows(maker);
    help().aboutAction->trigger();
    QCOMPARE(m_messages->takeShown(),
        (QList<ShownMessage>{{MessageKind::Information, aboutText(maker)}}));

    QDesktopServices::setUrlHandler(u"https"_s, this, "openedUrl");
    QDesktopServices::setUrlHandler(u"mailto"_s, this, "openedUrl");
    help().homepageAction->trigger();
    help().donationAction->trigger();
    help().mailAction->trigger();
    QCOMPARE(m_openedUrls,
        (QStringList{u"https://example.org/tessaro/"_s,
            u"https://example.org/tessaro/spenden.htm"_s,
            u"mailto:tessaro@example.org?subject=Tessaro V1.01"_s}));
}

void TestHelpMenu::updateWritesTheFileAndStartsTheUpdater()
{
    const QString temporary = m_dir->path() + u"/tmp"_s;
    QVERIFY(QDir().mkpath(temporary));
    qputenv("TMPDIR", QFile::encodeName(temporary));
    const QString file = temporary + u"/Tessaro.cfg"_s;
    QVERIFY(writeBytes(file, "old"));
    QVERIFY(QFile::setPermissions(file, QFile::ReadOwner));
    writeRecordingProgram(m_paths.programFolder + u"Velorun"_s, file);
    createWindows(MakerContact());

    help().updateAction->trigger();
    const QString calls = m_paths.programFolder + u"calls"_s;
    QTRY_VERIFY(QFile::exists(calls));
    QCOMPARE(readBytes(calls),
        QDir::currentPath().toUtf8() + "|Tessaro.cfg\n"
            + "Tessaro V1.01\r\nKeinName - Tessaro V1.01\r\n"
            + QCoreApplication::applicationFilePath().toUtf8() + "\r\nTessaro\r\n12 Arial\r\n");
    QCOMPARE(m_messages->shown().size(), 0);

    // A file that cannot be written: the message, and no updater.
    QVERIFY(QFile::remove(calls));
    QVERIFY(QFile::remove(file));
    QVERIFY(QDir().mkdir(file));
    help().updateAction->trigger();
    QCOMPARE(m_messages->takeShown(),
        (QList<ShownMessage>{{MessageKind::Error,
            u"Es ist ein Fehler beim Aktualisieren aufgetreten!\r\nDie Datei \"%1\" konnte "
            "nicht gespeichert werden."_s.arg(file)}}));
    QTest::qWait(300);
    QVERIFY(!QFile::exists(calls));
}

void TestHelpMenu::historyOpensInAPlainTextEditor()
{
    const QString editors = m_dir->path() + u"/bin"_s;
    QVERIFY(QDir().mkpath(editors));
    // The first editor of the list, found before any installed one.
    writeRecordingProgram(editors + u"/gnome-text-editor"_s);
    qputenv("PATH", QFile::encodeName(editors) + ":/usr/bin:/bin");
    createWindows(MakerContact());
    const QString history = m_paths.programFolder + u"History.txt"_s;
    QVERIFY(!openInEditor(history));

    QVERIFY(writeBytes(history, "1.01: neu\r\n"));
    Q_EMIT help().menu->aboutToShow();
    QVERIFY(help().historyAction->isEnabled());
    help().historyAction->trigger();
    QTRY_VERIFY(QFile::exists(editors + u"/calls"_s));
    QCOMPARE(readBytes(editors + u"/calls"_s),
        QDir::currentPath().toUtf8() + '|' + history.toUtf8() + '\n');
}

QTEST_MAIN(TestHelpMenu)
#include "tst_helpmenu.moc"

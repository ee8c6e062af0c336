#include "backup/backuprun.h"

#include "backuptesting.h"
#include "participants/participantlisting.h"
#include "support/testfiles.h"

#include <QDateTime>
#include <QDir>
#include <QDirIterator>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace {

// Three whole blocks and one byte, different in every block.
QByteArray severalBlocks()
{
    QByteArray bytes;
    for (int i = 0; i < 3 * 65536 + 1; ++i)
        bytes.append(char(i % 251));
    return bytes;
}

// The participant files of every test with their bytes, in the order of the run: the participant
// list's, which is the platform's collation.
const QList<std::pair<QString, QByteArray>> &participantFiles()
{
    static const QList<std::pair<QString, QByteArray>> files = [] {
        const QList<std::pair<QString, QByteArray>> unordered{{u".Äda.dat"_s, "versteckt\r\n"},
            {u"Anna.dat"_s, "1a|Anna\r\n"}, {u"bert.DAT"_s, severalBlocks()}, {u"Leer.dat"_s, ""}};
        QStringList names;
        for (const auto &[name, bytes] : unordered)
            names.append(name);
        QList<std::pair<QString, QByteArray>> ordered;
        for (const qsizetype index : orderIgnoringCase(names))
            ordered.append(unordered.at(index));
        return ordered;
    }();
    return files;
}

enum class Failure { HalfWay, NameRefused, Unreadable, VolumeGone };

// The message of a run that failed once copying had begun; a note instead when it did not.
ShownMessage failureAfterTheChecks(const RunOutcome &outcome)
{
    if (!outcome.passedChecks || outcome.succeeded)
        return {MessageKind::Information, u"<no failure after the checks>"_s};
    return {outcome.messageKind, outcome.message};
}

} // namespace

class TestBackupRun : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void copiesAndVerifiesEveryParticipantFile_data();
    void copiesAndVerifiesEveryParticipantFile();
    void checksBeforeCopying_data();
    void checksBeforeCopying();
    void comparisonFindsAChangedCopy_data();
    void comparisonFindsAChangedCopy();
    void failureKeepsWhatWasThere_data();
    void failureKeepsWhatWasThere();
    void unconfirmedRenamesAreToldAsSuch();
    void losingDaysIsAskedOnce_data();
    void losingDaysIsAskedOnce();

private:
    QString dataFolder() const { return m_dir->path() + u"/Daten/"_s; }
    QString root() const { return m_dir->path() + u"/Stick 1"_s; }
    QString backupFolder() const { return root() + u"/TsDaten/"_s; }
    // Writes the participant files and, beside them, files that are not participant files.
    void writeSource(const QString &folder);
    RunOutcome run(BackupRun &run);

    std::unique_ptr<QTemporaryDir> m_dir;
    QStringList m_log;
};

void TestBackupRun::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    QVERIFY(QDir().mkpath(dataFolder()));
    QVERIFY(QDir().mkpath(root()));
    m_log.clear();
}

void TestBackupRun::cleanup()
{
    // Files made unreadable or read-only must not keep the folder from being removed.
    QDirIterator entries(m_dir->path(), QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot,
        QDirIterator::Subdirectories);
    while (entries.hasNext())
        QFile::setPermissions(entries.next(),
            QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    m_dir.reset();
}

void TestBackupRun::writeSource(const QString &folder)
{
    QVERIFY(QDir().mkpath(folder));
    for (const auto &[name, bytes] : participantFiles())
        QVERIFY(writeBytes(folder + name, bytes));
    QVERIFY(QFile::setPermissions(folder + u"bert.DAT"_s, QFileDevice::ReadOwner));
    QVERIFY(writeBytes(folder + u"Anna.dat.bak"_s, "alt"));
    QVERIFY(writeBytes(folder + u"notes.txt"_s, "x"));
    QVERIFY(QDir().mkpath(folder + u"Ordner.dat"_s));
}

RunOutcome TestBackupRun::run(BackupRun &run)
{
    run.logSink = [this](const QString &line) {
        m_log.append(line);
    };
    return run.run();
}

void TestBackupRun::copiesAndVerifiesEveryParticipantFile_data()
{
    QTest::addColumn<bool>("backup");
    QTest::newRow("backup") << true;
    QTest::newRow("restore") << false;
}

void TestBackupRun::copiesAndVerifiesEveryParticipantFile()
{
    QFETCH(bool, backup);
    const QString source = backup ? dataFolder() : backupFolder();
    const QString destination = backup ? backupFolder() : dataFolder();
    writeSource(source);
    // An old read-only copy is replaced; a file the source does not hold is kept.
    QVERIFY(QDir().mkpath(destination));
    QVERIFY(writeBytes(destination + u"bert.DAT"_s, "alt"));
    QVERIFY(QFile::setPermissions(destination + u"bert.DAT"_s, QFileDevice::ReadOwner));
    QVERIFY(writeBytes(destination + u"Zora.dat"_s, "bleibt"));
    // A leftover of an interrupted run goes; a user's file named like one stays.
    for (const QString &name : {u".Anna.dat.x1.tessaro.tmp"_s, u".Anna.dat.x1.tmp"_s}) {
        QFile planted(destination + name);
        QVERIFY(planted.open(QIODevice::WriteOnly));
        QVERIFY(planted.setFileTime(
            QDateTime::currentDateTime().addSecs(-60), QFileDevice::FileModificationTime));
    }

    BackupRun backupRun(
        backup ? BackupDirection::Backup : BackupDirection::Restore, dataFolder(), root());
    const RunOutcome outcome = run(backupRun);

    QVERIFY(outcome.passedChecks);
    QVERIFY(outcome.succeeded);
    QCOMPARE(outcome.messageKind, MessageKind::Information);
    QCOMPARE(outcome.message,
        backup ? u"Die Datendateien wurden erfolgreich in \"%1\" gesichert!"_s.arg(backupFolder())
               : u"Die Datendateien wurden erfolgreich von \"%1\" wiederhergestellt!"_s.arg(
                   backupFolder()));
    QStringList expectedLog;
    for (const QString &verb : {u"Kopiere"_s, u"Vergleiche"_s}) {
        for (const auto &[name, bytes] : participantFiles()) {
            expectedLog.append(backup
                    ? u"%1: \"%2\" --> \"%3%2\" ..."_s.arg(verb, name, backupFolder())
                    : u"%1: \"%3%2\" --> \"%2\" ..."_s.arg(verb, name, backupFolder()));
        }
    }
    QCOMPARE(m_log, expectedLog);

    for (const auto &[name, bytes] : participantFiles())
        QCOMPARE(readBytes(destination + name), bytes);
    // The copy carries the bytes only: the new file is no longer read-only.
    QVERIFY(QFile::permissions(destination + u"bert.DAT"_s) & QFileDevice::WriteOwner);
    QCOMPARE(readBytes(destination + u"Zora.dat"_s), QByteArray("bleibt"));
    const QStringList left = QDir(destination)
                                 .entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot,
                                     QDir::Name | QDir::IgnoreCase);
    QCOMPARE(left,
        (QStringList{u".Anna.dat.x1.tmp"_s, u".Äda.dat"_s, u"Anna.dat"_s, u"bert.DAT"_s,
            u"Leer.dat"_s, u"Zora.dat"_s}));
}

void TestBackupRun::checksBeforeCopying_data()
{
    QTest::addColumn<bool>("backup");
    QTest::addColumn<QString>("dataFolderState"); // "there", "missing", "uncreatable"
    QTest::addColumn<bool>("sourceHoldsFiles");
    QTest::addColumn<QString>("volumeState"); // "mounted", "unmounted", "gone"
    QTest::addColumn<bool>("error");
    QTest::addColumn<QString>("message"); // %DATA% and %BACKUP% stand for the folders
    QTest::addColumn<bool>("backupFolderAfter");
    const QString noBackupFiles = u"Es sind keine Datendateien zum Sichern vorhanden!"_s;
    const QString noRestoreFiles = u"Es sind keine Datendateien zum Wiederherstellen vorhanden!"_s;
    const QString cannotCreate = u"Der Ordner \"%1\" kann nicht angelegt werden!"_s;
    QTest::newRow("backup without participant files: the backup folder stays created")
        << true << u"there"_s << false << u"mounted"_s << false << noBackupFiles << true;
    QTest::newRow("backup: a missing data folder is created")
        << true << u"missing"_s << false << u"mounted"_s << false << noBackupFiles << true;
    QTest::newRow("backup: data folder cannot be created")
        << true << u"uncreatable"_s << false << u"mounted"_s << true
        << cannotCreate.arg(u"%DATA%"_s) << false;
    QTest::newRow("backup: volume unmounted since the list was made")
        << true << u"there"_s << true << u"unmounted"_s << true << cannotCreate.arg(u"%BACKUP%"_s)
        << false;
    QTest::newRow("backup: volume root gone, not created again")
        << true << u"there"_s << true << u"gone"_s << true << cannotCreate.arg(u"%BACKUP%"_s)
        << false;
    QTest::newRow("restore without participant files in the backup")
        << false << u"there"_s << false << u"mounted"_s << false << noRestoreFiles << true;
    QTest::newRow("restore: volume unmounted since the list was made")
        << false << u"there"_s << true << u"unmounted"_s << false << noRestoreFiles << true;
    QTest::newRow("restore: data folder cannot be created")
        << false << u"uncreatable"_s << true << u"mounted"_s << true
        << cannotCreate.arg(u"%DATA%"_s) << true;
}

void TestBackupRun::checksBeforeCopying()
{
    QFETCH(bool, backup);
    QFETCH(QString, dataFolderState);
    QFETCH(bool, sourceHoldsFiles);
    QFETCH(QString, volumeState);
    QFETCH(bool, error);
    QFETCH(QString, message);
    QFETCH(bool, backupFolderAfter);
    QString data = dataFolder();
    if (dataFolderState == "missing"_L1)
        QVERIFY(QDir(data).removeRecursively());
    if (dataFolderState == "uncreatable"_L1) {
        // Below a file: not even root can create it.
        QVERIFY(writeBytes(m_dir->path() + u"/Datei"_s, "x"));
        data = m_dir->path() + u"/Datei/Daten/"_s;
    }
    const QString source = backup ? data : backupFolder();
    if (!backup)
        QVERIFY(QDir().mkpath(backupFolder()));
    if (sourceHoldsFiles && dataFolderState != "uncreatable"_L1)
        writeSource(source);
    if (!sourceHoldsFiles && !backup)
        QVERIFY(writeBytes(backupFolder() + u"notes.txt"_s, "x"));
    if (volumeState == "gone"_L1)
        QVERIFY(QDir(root()).removeRecursively());

    BackupRun backupRun(backup ? BackupDirection::Backup : BackupDirection::Restore, data, root(),
        volumeState == "mounted"_L1);
    const RunOutcome outcome = run(backupRun);

    QVERIFY(!outcome.passedChecks);
    QVERIFY(!outcome.succeeded);
    QCOMPARE(outcome.messageKind, error ? MessageKind::Error : MessageKind::Information);
    message.replace(u"%DATA%"_s, data).replace(u"%BACKUP%"_s, backupFolder());
    QCOMPARE(outcome.message, message);
    QCOMPARE(m_log, QStringList());
    QCOMPARE(QFileInfo(backupFolder()).isDir(), backupFolderAfter);
    QCOMPARE(QFileInfo::exists(root()), volumeState != "gone"_L1);
    QCOMPARE(QFileInfo(data).isDir(), dataFolderState != "uncreatable"_L1);
}

void TestBackupRun::comparisonFindsAChangedCopy_data()
{
    QTest::addColumn<QString>("change");
    QTest::newRow("a byte in the second block") << u"byte"_s;
    QTest::newRow("a byte more") << u"longer"_s;
    QTest::newRow("the last byte missing") << u"shorter"_s;
    QTest::newRow("the copy gone") << u"removed"_s;
}

void TestBackupRun::comparisonFindsAChangedCopy()
{
    QFETCH(QString, change);
    writeSource(dataFolder());
    const QString copy = backupFolder() + u"bert.DAT"_s;
    BackupRun backupRun(BackupDirection::Backup, dataFolder(), root());
    backupRun.beforeComparing = [&] {
        QByteArray bytes = readBytes(copy);
        if (change == "byte"_L1)
            bytes[70000] = char(bytes.at(70000) + 1);
        else if (change == "longer"_L1)
            bytes.append('x');
        else
            bytes.chop(1);
        QVERIFY(change == "removed"_L1 ? QFile::remove(copy) : writeBytes(copy, bytes));
    };
    const RunOutcome outcome = run(backupRun);

    QCOMPARE(failureAfterTheChecks(outcome),
        (ShownMessage{MessageKind::Error,
            u"Fehler beim Vergleichen der Datei \"%1\" mit \"%2\"!\r\nDer Vergleichvorgang wird "
            "abgebrochen."_s.arg(dataFolder() + u"bert.DAT"_s, copy)}));
    QCOMPARE(m_log.constLast(), u"Vergleiche: \"bert.DAT\" --> \"%1\" ..."_s.arg(copy));
    // The comparison stops at the changed file.
    const auto changed = std::find_if(participantFiles().begin(), participantFiles().end(),
        [](const auto &file) { return file.first == u"bert.DAT"_s; });
    QCOMPARE(m_log.filter(u"Vergleiche"_s).size(), changed - participantFiles().begin() + 1);
}

void TestBackupRun::failureKeepsWhatWasThere_data()
{
    QTest::addColumn<bool>("backup");
    QTest::addColumn<int>("failure");
    QTest::addColumn<QString>("failingName");
    QTest::newRow("a copy failing half-way (file size limit)")
        << true << int(Failure::HalfWay) << u"bert.DAT"_s;
    QTest::newRow("a restore failing half-way") << false << int(Failure::HalfWay) << u"bert.DAT"_s;
    QTest::newRow("a name the destination refuses (a folder holds it)")
        << true << int(Failure::NameRefused) << u"bert.DAT"_s;
    QTest::newRow("a participant file that cannot be read")
        << true << int(Failure::Unreadable) << u"bert.DAT"_s;
    // Gone once the first file is copied: the second one fails.
    QTest::newRow("the volume gone during a restore")
        << false << int(Failure::VolumeGone) << participantFiles().at(1).first;
}

void TestBackupRun::failureKeepsWhatWasThere()
{
    QFETCH(bool, backup);
    QFETCH(int, failure);
    QFETCH(QString, failingName);
    const QString source = backup ? dataFolder() : backupFolder();
    const QString destination = backup ? backupFolder() : dataFolder();
    writeSource(source);
    QVERIFY(QDir().mkpath(destination));
    QHash<QString, QByteArray> before;
    for (const auto &[name, bytes] : participantFiles()) {
        before.insert(name, "alt " + name.toUtf8());
        QVERIFY(writeBytes(destination + name, before.value(name)));
    }
    if (Failure(failure) == Failure::NameRefused) {
        QVERIFY(QFile::remove(destination + failingName));
        QVERIFY(QDir().mkpath(destination + failingName + u"/x"_s));
        before.insert(failingName, "<missing>");
    }

    BackupRun backupRun(
        backup ? BackupDirection::Backup : BackupDirection::Restore, dataFolder(), root());
    if (Failure(failure) == Failure::VolumeGone) {
        backupRun.afterCopyingFile = [&](const QString &) {
            QDir(backupFolder()).removeRecursively();
        };
    }
    std::optional<PermissionsObeyed> obeyed;
    if (Failure(failure) == Failure::Unreadable) {
        obeyed.emplace();
        if (!QFile::setPermissions(source + failingName, {})
            || QFile(source + failingName).open(QIODevice::ReadOnly))
            QSKIP("a file without permissions is read here: root, or Windows");
    }
    // Writes beyond 100,000 bytes fail, as on a full medium.
    std::optional<FileSizeLimit> limit;
    if (Failure(failure) == Failure::HalfWay && !limit.emplace(100000).isActive())
        QSKIP("no file size limit here");
    const RunOutcome outcome = run(backupRun);
    limit.reset();
    obeyed.reset();

    QCOMPARE(failureAfterTheChecks(outcome),
        (ShownMessage{MessageKind::Error,
            u"Fehler beim Kopieren der Datei \"%1\" nach \"%2\"!\r\nDer Kopiervorgang wird "
            "abgebrochen."_s.arg(source + failingName, destination)}));
    QVERIFY(m_log.filter(u"Vergleiche"_s).isEmpty());
    // A refused name shows only when the copies are put in place, after the last one was made.
    if (Failure(failure) != Failure::NameRefused)
        QVERIFY(m_log.constLast().contains(failingName));
    // Files copied before the failure are complete; the others are as they were.
    bool reached = false;
    for (const auto &[name, bytes] : participantFiles()) {
        reached = reached || name == failingName;
        QCOMPARE(readBytes(destination + name), reached ? before.value(name) : bytes);
    }
    const QStringList temporaries
        = QDir(destination).entryList({u"*.tmp"_s}, QDir::AllEntries | QDir::Hidden);
    QCOMPARE(temporaries, QStringList());
}

void TestBackupRun::unconfirmedRenamesAreToldAsSuch()
{
    writeSource(dataFolder());
    BackupRun backupRun(BackupDirection::Backup, dataFolder(), root());
    backupRun.flushDestination = [] {
        return false;
    };
    const RunOutcome outcome = run(backupRun);

    QCOMPARE(failureAfterTheChecks(outcome),
        (ShownMessage{MessageKind::Error,
            u"Die Datendateien wurden nach \"%1\" kopiert, aber der Datenträger hat nicht "
            "bestätigt, dass sie gespeichert sind!\r\nBitte wiederholen Sie den Vorgang."_s.arg(
                backupFolder())}));
    QVERIFY(m_log.filter(u"Vergleiche"_s).isEmpty());
    for (const auto &[name, bytes] : participantFiles())
        QCOMPARE(readBytes(backupFolder() + name), bytes);
}

void TestBackupRun::losingDaysIsAskedOnce_data()
{
    QTest::addColumn<bool>("backup");
    QTest::addColumn<MergeChoice>("answer");
    for (const bool backup : {false, true}) {
        const char *direction = backup ? "a backup" : "a restore";
        QTest::addRow("%s answered Zusammenführen", direction) << backup << MergeChoice::Merge;
        QTest::addRow("%s answered Überschreiben", direction) << backup << MergeChoice::Overwrite;
        QTest::addRow("%s answered Abbrechen", direction) << backup << MergeChoice::Cancel;
    }
}

void TestBackupRun::losingDaysIsAskedOnce()
{
    QFETCH(bool, backup);
    QFETCH(MergeChoice, answer);
    const QString source = backup ? dataFolder() : backupFolder();
    const QString destination = backup ? backupFolder() : dataFolder();
    const QByteArray day6 = "Mo., 6. J\xE4nner 2025|\r\n1\r\n<--------------->\r\n";
    const QByteArray day7 = "Di., 7. J\xE4nner 2025|\r\n1\r\n<--------------->\r\n";
    const QByteArray day8 = "Mi., 8. J\xE4nner 2025|krank\r\n0\r\n<--------------->\r\n";
    // Each file: its source, the file it replaces ("" for none), the two merged.
    const QList<std::tuple<QString, QByteArray, QByteArray, QByteArray>> files{
        {u"Anna.dat"_s, "4b|\r\n" + day7 + day6, "4b|\r\n" + day8 + day6,
            "4b|\r\n" + day8 + day7 + day6},
        {u"Emil.dat"_s, "4b|\r\n" + day7 + day6, "4b|\r\n" + day6, {}},
        {u"Schuljahr 2024-25/Dora.dat"_s, "9a|\r\n" + day6, {}, {}},
        {u"Schuljahr 2025-26/Bert.dat"_s, "9a|\r\n" + day6, "9a|alt\r\n" + day8 + day7 + day6,
            "9a|\r\n" + day8 + day7 + day6}};
    for (const QString &folder : {u"Schuljahr 2024-25/"_s, u"Schuljahr 2025-26/"_s})
        QVERIFY(QDir().mkpath(source + folder));
    QVERIFY(QDir().mkpath(destination + u"Schuljahr 2025-26/"_s));
    for (const auto &[name, incoming, replaced, merged] : files) {
        QVERIFY(writeBytes(source + name, incoming));
        QVERIFY(replaced.isEmpty() || writeBytes(destination + name, replaced));
    }

    BackupRun backupRun(
        backup ? BackupDirection::Backup : BackupDirection::Restore, dataFolder(), root());
    QStringList questions;
    backupRun.askAboutLosses = [&](const QString &question) {
        questions.append(question);
        return answer;
    };
    const RunOutcome outcome = run(backupRun);

    QCOMPARE(questions,
        QStringList{(backup ? u"Beim Sichern würden Tage verloren gehen, die nur auf dem "
                              "Datenträger stehen:"_s
                            : u"Beim Wiederherstellen würden Tage verloren gehen, die nur im "
                              "Datenordner stehen:"_s)
            + u"\r\n\"Anna\": 1 Tag\r\n\"Bert\" (Schuljahr 2025-26): 2 Tage\r\nZusammenführen: "
              "Jede dieser Dateien erhält die Tage beider Seiten.\r\nÜberschreiben: Die Dateien "
              "werden ersetzt, diese Tage gehen verloren.\r\nAbbrechen: Es wird nichts kopiert."_s});
    QCOMPARE(outcome.succeeded, answer != MergeChoice::Cancel);
    QCOMPARE(outcome.message.isEmpty(), answer == MergeChoice::Cancel);
    QCOMPARE(m_log.filter(u"Schuljahr 2024-25/Dora.dat"_s).size(),
        answer == MergeChoice::Cancel ? 0 : 2);
    for (const auto &[name, incoming, replaced, merged] : files) {
        QCOMPARE(readBytes(source + name), incoming);
        QByteArray expected = incoming;
        if (answer == MergeChoice::Cancel)
            expected = replaced.isEmpty() ? "<missing>" : replaced;
        else if (answer == MergeChoice::Merge && !merged.isEmpty())
            expected = merged;
        QCOMPARE(readBytes(destination + name), expected);
    }
}

QTEST_GUILESS_MAIN(TestBackupRun)
#include "tst_backuprun.moc"

#include "backup/backuprun.h"

#include "backup/foldercopy.h"
#include "participants/participantlisting.h"
#include "records/datafolder.h"

#include <QDir>
#include <QFileInfo>

using namespace Qt::StringLiterals;

namespace {

QString folderCannotBeCreated(const QString &folder)
{
    return u"Der Ordner \"%1\" kann nicht angelegt werden!"_s.arg(folder);
}

bool fail(RunOutcome &outcome, MessageKind kind, const QString &message)
{
    outcome.messageKind = kind;
    outcome.message = message;
    return false;
}

} // namespace

BackupRun::BackupRun(BackupDirection direction, const QString &dataFolder,
    const QString &volumeRoot, bool volumePresent)
    : m_direction(direction)
    , m_dataFolder(dataFolder)
    , m_volumeRoot(volumeRoot)
    , m_backupFolder(backupFolderOf(volumeRoot))
    , m_volumePresent(volumePresent)
{ }

QString BackupRun::sourceFolder() const
{
    return m_direction == BackupDirection::Backup ? m_dataFolder : m_backupFolder;
}

QString BackupRun::destinationFolder() const
{
    return m_direction == BackupDirection::Backup ? m_backupFolder : m_dataFolder;
}

void BackupRun::logTransfer(const QString &verb, const QString &name) const
{
    if (!logSink)
        return;
    const bool backup = m_direction == BackupDirection::Backup;
    const QString from = backup ? name : m_backupFolder + name;
    const QString to = backup ? m_backupFolder + name : name;
    logSink(u"%1: \"%2\" --> \"%3\" ..."_s.arg(verb, from, to));
}

RunOutcome BackupRun::run()
{
    RunOutcome outcome;
    if (!checkFolders(outcome))
        return outcome;
    outcome.passedChecks = true;
    if (!copyFiles(outcome))
        return outcome;
    if (beforeComparing)
        beforeComparing();
    if (!compareFiles(outcome))
        return outcome;
    outcome.succeeded = true;
    outcome.messageKind = MessageKind::Information;
    outcome.message = m_direction == BackupDirection::Backup
        ? u"Die Datendateien wurden erfolgreich in \"%1\" gesichert!"_s.arg(m_backupFolder)
        : u"Die Datendateien wurden erfolgreich von \"%1\" wiederhergestellt!"_s.arg(
            m_backupFolder);
    return outcome;
}

bool BackupRun::checkFolders(RunOutcome &outcome)
{
    if (!QFileInfo(m_dataFolder).isDir() && !QDir().mkpath(m_dataFolder))
        return fail(outcome, MessageKind::Error, folderCannotBeCreated(m_dataFolder));
    if (m_direction == BackupDirection::Backup) {
        // Only the backup folder itself is created: a volume that is gone must not be replaced
        // by the folder it was mounted on.
        const bool created = m_volumePresent
            && (QFileInfo(m_backupFolder).isDir() || QDir(m_volumeRoot).mkdir(u"TsDaten"_s));
        if (!created)
            return fail(outcome, MessageKind::Error, folderCannotBeCreated(m_backupFolder));
    }
    m_fileNames = m_volumePresent ? participantFileNames(sourceFolder()) : QStringList();
    // In the order the participant list shows them, so that the log is easy to follow.
    sortIgnoringCase(m_fileNames);
    if (m_fileNames.isEmpty()) {
        return fail(outcome, MessageKind::Information,
            m_direction == BackupDirection::Backup
                ? u"Es sind keine Datendateien zum Sichern vorhanden!"_s
                : u"Es sind keine Datendateien zum Wiederherstellen vorhanden!"_s);
    }
    return true;
}

bool BackupRun::copyFiles(RunOutcome &outcome)
{
    FolderCopy copy(destinationFolder());
    if (flushDestination)
        copy.confirmRenames = flushDestination;
    qsizetype copied = 0;
    for (const QString &name : std::as_const(m_fileNames)) {
        logTransfer(u"Kopiere"_s, name);
        if (!copy.copyIn(sourceFolder() + name, name))
            break;
        ++copied;
        if (afterCopyingFile)
            afterCopyingFile(name);
    }
    // The copies made before a failure are put in place all the same.
    const FolderCopy::Commit committed = copy.commit();
    const bool allPlaced = copied == m_fileNames.size() && committed.placed == copied;
    if (allPlaced && committed.confirmed)
        return true;
    if (allPlaced) {
        // Every copy is in place, but the medium may not hold the renames.
        return fail(outcome, MessageKind::Error,
            u"Die Datendateien wurden nach \"%1\" kopiert, aber der Datenträger hat nicht "
            "bestätigt, dass sie gespeichert sind!\r\nBitte wiederholen Sie den Vorgang."_s.arg(
                destinationFolder()));
    }
    return fail(outcome, MessageKind::Error,
        u"Fehler beim Kopieren der Datei \"%1\" nach \"%2\"!\r\nDer Kopiervorgang wird "
        "abgebrochen."_s.arg(
            sourceFolder() + m_fileNames.at(qMin(copied, committed.placed)), destinationFolder()));
}

bool BackupRun::compareFiles(RunOutcome &outcome)
{
    for (const QString &name : std::as_const(m_fileNames)) {
        logTransfer(u"Vergleiche"_s, name);
        if (!sameAsOnMedium(sourceFolder() + name, destinationFolder() + name)) {
            return fail(outcome, MessageKind::Error,
                u"Fehler beim Vergleichen der Datei \"%1\" mit \"%2\"!\r\nDer Vergleichvorgang "
                "wird abgebrochen."_s.arg(sourceFolder() + name, destinationFolder() + name));
        }
    }
    return true;
}

#include "backup/backuprun.h"

#include "backup/foldercopy.h"
#include "backup/mediumcheck.h"
#include "participants/participantlisting.h"
#include "records/atomicwrite.h"
#include "records/datafolder.h"
#include "records/dates.h"
#include "records/daymerge.h"
#include "records/error.h"
#include "records/filereading.h"
#include "records/folderwrite.h"

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

// The participant files of the folder, then those of each of its subfolders as "folder/name",
// each in the order the participant list shows them, so that the log is easy to follow.
QStringList participantFilesBelow(const QString &folder)
{
    QStringList names = participantFileNames(folder);
    sortIgnoringCase(names);
    QStringList subfolders = subfolderNames(folder);
    sortIgnoringCase(subfolders);
    for (const QString &subfolder : std::as_const(subfolders)) {
        QStringList inside = participantFileNames(folder + subfolder + u'/');
        sortIgnoringCase(inside);
        for (const QString &name : std::as_const(inside))
            names.append(subfolder + u'/' + name);
    }
    return names;
}

} // namespace

QList<DayLoss> findLosses(
    const QString &replacedFolder, const QString &incomingFolder, const QStringList &fileNames)
{
    QList<DayLoss> losses;
    for (const QString &name : fileNames) {
        if (!fileExists(replacedFolder + name))
            continue;
        try {
            const int days = countLostDays(
                readWholeFile(replacedFolder + name), readWholeFile(incomingFolder + name));
            if (days > 0)
                losses.append({name, days});
        } catch (const TessaroError &) { }
    }
    return losses;
}

QString lossQuestion(BackupDirection direction, const QList<DayLoss> &losses)
{
    QString text = direction == BackupDirection::Backup
        ? u"Beim Sichern würden Tage verloren gehen, die nur auf dem Datenträger stehen:"_s
        : u"Beim Wiederherstellen würden Tage verloren gehen, die nur im Datenordner stehen:"_s;
    for (const DayLoss &loss : losses) {
        const QString folder = folderPart(loss.fileName);
        text += u"\r\n\"%1\"%2: %3 %4"_s.arg(participantName(loss.fileName),
            folder.isEmpty() ? QString() : u" (%1)"_s.arg(folder.chopped(1)),
            withThousandsDots(loss.days), loss.days == 1 ? u"Tag"_s : u"Tage"_s);
    }
    return text
        + u"\r\nZusammenführen: Jede dieser Dateien erhält die Tage beider Seiten.\r\n"
          "Überschreiben: Die Dateien werden ersetzt, diese Tage gehen verloren.\r\n"
          "Abbrechen: Es wird nichts kopiert."_s;
}

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
    const QList<DayLoss> losses = findLosses(destinationFolder(), sourceFolder(), m_fileNames);
    if (!losses.isEmpty()) {
        const MergeChoice choice = askAboutLosses
            ? askAboutLosses(lossQuestion(m_direction, losses))
            : MergeChoice::Cancel;
        if (choice == MergeChoice::Cancel)
            return outcome;
        if (choice == MergeChoice::Merge) {
            for (const DayLoss &loss : losses)
                m_merged.insert(loss.fileName, QByteArray());
        }
    }
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
    m_fileNames = m_volumePresent ? participantFilesBelow(sourceFolder()) : QStringList();
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
    qsizetype failed = -1;
    bool confirmed = true;
    for (qsizetype first = 0; first < m_fileNames.size() && failed < 0;) {
        qsizetype end = first + 1;
        while (end < m_fileNames.size()
            && folderPart(m_fileNames.at(end)) == folderPart(m_fileNames.at(first)))
            ++end;
        copyFolder(first, end, failed, confirmed);
        first = end;
    }
    if (failed < 0 && confirmed)
        return true;
    if (failed < 0) {
        // Every copy is in place, but the medium may not hold the renames.
        return fail(outcome, MessageKind::Error,
            u"Die Datendateien wurden nach \"%1\" kopiert, aber der Datenträger hat nicht "
            "bestätigt, dass sie gespeichert sind!\r\nBitte wiederholen Sie den Vorgang."_s.arg(
                destinationFolder()));
    }
    const QString &name = m_fileNames.at(failed);
    return fail(outcome, MessageKind::Error,
        u"Fehler beim Kopieren der Datei \"%1\" nach \"%2\"!\r\nDer Kopiervorgang wird "
        "abgebrochen."_s.arg(sourceFolder() + name, destinationFolder() + folderPart(name)));
}

void BackupRun::copyFolder(qsizetype first, qsizetype end, qsizetype &failed, bool &confirmed)
{
    const QString folder = folderPart(m_fileNames.at(first));
    // Only the subfolder itself is created, so that a volume gone meanwhile is not replaced.
    if (!folder.isEmpty())
        QDir(destinationFolder()).mkdir(folder.chopped(1));
    // The merged files first: each write removes the leftovers of interrupted writes from the
    // folder, and the copies' temporary files beyond their lock budget must not be taken for such.
    QList<qsizetype> order;
    QList<qsizetype> copies;
    for (qsizetype i = first; i < end; ++i)
        (m_merged.contains(m_fileNames.at(i)) ? order : copies).append(i);
    order += copies;
    FolderWrite copy(destinationFolder() + folder);
    if (flushDestination)
        copy.confirmRenames = flushDestination;
    QList<qsizetype> copied;
    for (const qsizetype i : std::as_const(order)) {
        const QString &name = m_fileNames.at(i);
        logTransfer(u"Kopiere"_s, name);
        if (m_merged.contains(name)) {
            try {
                const QByteArray bytes = mergeLostDays(readWholeFile(destinationFolder() + name),
                    readWholeFile(sourceFolder() + name));
                writeFileAtomically(destinationFolder() + name, bytes);
                m_merged.insert(name, bytes);
            } catch (const TessaroError &) {
                failed = i;
                return;
            }
        } else if (copy.copyIn(sourceFolder() + name, name.sliced(folder.size()))) {
            copied.append(i);
        } else {
            failed = i;
            break;
        }
        if (afterCopyingFile)
            afterCopyingFile(name);
    }
    // The copies made before a failure are put in place all the same.
    const FolderWrite::Commit committed = copy.commit();
    if (committed.placedInOrder() < copied.size())
        failed = copied.at(committed.placedInOrder());
    if (!copied.isEmpty())
        confirmed = confirmed && committed.confirmed;
}

bool BackupRun::compareFiles(RunOutcome &outcome)
{
    for (const QString &name : std::as_const(m_fileNames)) {
        logTransfer(u"Vergleiche"_s, name);
        const auto merged = m_merged.constFind(name);
        if (merged != m_merged.cend()
                ? !holdsOnMedium(destinationFolder() + name, *merged)
                : !sameAsOnMedium(sourceFolder() + name, destinationFolder() + name)) {
            return fail(outcome, MessageKind::Error,
                u"Fehler beim Vergleichen der Datei \"%1\" mit \"%2\"!\r\nDer Vergleichvorgang "
                "wird abgebrochen."_s.arg(sourceFolder() + name, destinationFolder() + name));
        }
    }
    return true;
}

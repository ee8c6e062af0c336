#ifndef TESSARO_BACKUP_BACKUPRUN_H
#define TESSARO_BACKUP_BACKUPRUN_H

#include "backup/volumes.h"
#include "ui/messages.h"

#include <QByteArray>
#include <QHash>
#include <QString>
#include <QStringList>

#include <functional>

// How a run ended: the one message the user is told, and whether copying began at all.
struct RunOutcome
{
    // The folders were there and the source held participant files, so copying began.
    bool passedChecks = false;
    // Every file was copied and found equal to its source on the medium.
    bool succeeded = false;
    MessageKind messageKind = MessageKind::Information;
    // Empty when the user cancelled at the question about days that would be lost.
    QString message;
};

// A participant file that the run would replace by one that lacks some of its days.
struct DayLoss
{
    QString fileName; // below the folder, "Schuljahr 2025-26/Anna.dat" in a subfolder
    int days = 0;
};

// The files of the list (names below both folders) whose copy in replacedFolder holds days that
// the file of the same name in incomingFolder lacks, with how many. A file that is missing or
// cannot be read on either side is left out: it is copied, or fails to be, as any other.
QList<DayLoss> findLosses(
    const QString &replacedFolder, const QString &incomingFolder, const QStringList &fileNames);

// The question of a run that would lose these days, with "&Zusammenführen", "&Überschreiben"
// and "Abbrechen".
QString lossQuestion(BackupDirection direction, const QList<DayLoss> &losses);

// One backup or restore, without any widget: the checks of the folders, the copy of every
// participant file and the comparison of every copy with its source. It may run on any thread;
// it reports each log line to the log sink on the thread it runs on.
//
// Backup copies from the data folder into the volume's backup folder, restore the other way:
// the participant files of the folder and those of its subfolders, one level deep, each into
// the subfolder of the same name. Files of the destination that the source does not hold are
// kept. Every file of the destination is at every moment either as it was or completely copied
// (FolderWrite), and no copy is compared before all copies are on the medium.
//
// Before anything is copied, each file the run would replace is compared day by day with the
// one that replaces it. Where it holds days the other lacks, the run asks once: "Merge" gives
// each such file every day of both sides (mergeLostDays) and writes it atomically, "Overwrite"
// copies as always, "Cancel" copies nothing. The source is never written.
class BackupRun
{
public:
    // dataFolder ends in "/". volumePresent tells whether the chosen volume is still mounted.
    BackupRun(BackupDirection direction, const QString &dataFolder, const QString &volumeRoot,
        bool volumePresent = true);

    std::function<void(const QString &line)> logSink;
    // Asks the question (lossQuestion) and gives the answer; without it the run cancels where
    // days would be lost.
    std::function<MergeChoice(const QString &question)> askAboutLosses;
    // For tests: called after each file's copy was written, with the file's name, and once
    // between copying and comparing.
    std::function<void(const QString &name)> afterCopyingFile;
    std::function<void()> beforeComparing;
    // For tests: confirms the renames in the destination in place of the system.
    std::function<bool()> flushDestination;

    QString backupFolder() const { return m_backupFolder; }
    // The participant files copied, in the order of the run: those of the folder, then those of
    // each subfolder, as "folder/name".
    const QStringList &fileNames() const { return m_fileNames; }

    RunOutcome run();

private:
    bool checkFolders(RunOutcome &outcome);
    bool copyFiles(RunOutcome &outcome);
    // Copies the files of one folder (those of the run from first to end). When one fails, failed
    // receives the index of the first one not in place; confirmed turns false when the medium did
    // not confirm the renames.
    void copyFolder(qsizetype first, qsizetype end, qsizetype &failed, bool &confirmed);
    bool compareFiles(RunOutcome &outcome);
    QString sourceFolder() const;
    QString destinationFolder() const;
    // "<verb> \"source\" --> \"destination\" ...": the data folder's side as the bare name, the
    // backup side as the full path.
    void logTransfer(const QString &verb, const QString &name) const;

    BackupDirection m_direction;
    QString m_dataFolder;
    QString m_volumeRoot;
    QString m_backupFolder;
    bool m_volumePresent;
    QStringList m_fileNames;
    // The files that receive the days of both sides, with the bytes written into them.
    QHash<QString, QByteArray> m_merged;
};

#endif

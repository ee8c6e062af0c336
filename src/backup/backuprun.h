#ifndef TESSARO_BACKUP_BACKUPRUN_H
#define TESSARO_BACKUP_BACKUPRUN_H

#include "backup/volumes.h"
#include "ui/messages.h"

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
    QString message;
};

// One backup or restore, without any widget: the checks of the folders, the copy of every
// participant file and the comparison of every copy with its source. It may run on any thread;
// it reports each log line to the log sink on the thread it runs on.
//
// Backup copies from the data folder into the volume's backup folder, restore the other way.
// Files of the destination that the source does not hold are kept. Every file of the
// destination is at every moment either as it was or completely copied (FolderCopy), and no
// copy is compared before all copies are on the medium.
class BackupRun
{
public:
    // dataFolder ends in "/". volumePresent tells whether the chosen volume is still mounted.
    BackupRun(BackupDirection direction, const QString &dataFolder, const QString &volumeRoot,
        bool volumePresent = true);

    std::function<void(const QString &line)> logSink;
    // For tests: called after each file's copy was written, with the file's name, and once
    // between copying and comparing.
    std::function<void(const QString &name)> afterCopyingFile;
    std::function<void()> beforeComparing;
    // For tests: confirms the renames in the destination in place of the system.
    std::function<bool()> flushDestination;

    QString backupFolder() const { return m_backupFolder; }
    // The participant files copied, in the order of the run.
    const QStringList &fileNames() const { return m_fileNames; }

    RunOutcome run();

private:
    bool checkFolders(RunOutcome &outcome);
    bool copyFiles(RunOutcome &outcome);
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
};

#endif

#ifndef TESSARO_BACKUP_VOLUMESCAN_H
#define TESSARO_BACKUP_VOLUMESCAN_H

#include "backup/volumes.h"

#include <QHash>
#include <QObject>
#include <QTimer>

#include <memory>

// The backup window's list of volumes, gathered without ever waiting for a volume, and without
// any widget. The mount table is read at once; every volume is asked (whether it is ready, then
// whether it qualifies) on a thread of its own (records/detachedcall.h). Volumes that qualify
// are listed as they answer; one that has not answered within kAnswerPatience is listed as not
// answering, and its answer takes its place when it comes later. A volume is never asked twice at
// once: a scan that finds an earlier question to it still waiting takes that question's answer.
class VolumeScan : public QObject
{
    Q_OBJECT

public:
    explicit VolumeScan(std::shared_ptr<const VolumeSource> source, QObject *parent = nullptr);

    void setSource(std::shared_ptr<const VolumeSource> source);
    const VolumeSource &source() const { return *m_source; }

    // Starts a new scan; what the one before still learns is dropped.
    void start(BackupDirection direction);
    // Ends the scan: nothing more is listed, and it does not finish.
    void stop();
    // The entries to show, in the system's order: every volume that qualifies, and every one
    // that has not answered in time.
    QList<VolumeEntry> entries() const;
    // Whether every volume has answered or the patience has run out.
    bool isFinished() const { return m_finished; }

Q_SIGNALS:
    void entriesChanged();
    // Once per scan.
    void finished();

private:
    enum class State { Asking, Answered, NotAnswering };
    struct Asked
    {
        Volume mount;
        State state = State::Asking;
        std::optional<VolumeEntry> entry;
    };
    void ask(const Volume &mount);
    void receive(
        const QString &root, BackupDirection direction, const std::optional<VolumeEntry> &entry);
    void giveUpWaiting();
    void finishWhenAllAnswered();

    std::shared_ptr<const VolumeSource> m_source;
    BackupDirection m_direction = BackupDirection::Backup;
    QList<Asked> m_volumes;
    // The roots whose question is still out, with the direction it asked about.
    QHash<QString, BackupDirection> m_asking;
    QTimer m_patience;
    bool m_finished = true;
};

#endif

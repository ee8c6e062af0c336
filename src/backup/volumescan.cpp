#include "backup/volumescan.h"

#include "records/detachedcall.h"

#include <algorithm>

VolumeScan::VolumeScan(std::shared_ptr<const VolumeSource> source, QObject *parent)
    : QObject(parent), m_source(std::move(source))
{
    m_patience.setSingleShot(true);
    m_patience.setInterval(kAnswerPatience);
    connect(&m_patience, &QTimer::timeout, this, &VolumeScan::giveUpWaiting);
}

void VolumeScan::setSource(std::shared_ptr<const VolumeSource> source)
{
    m_source = std::move(source);
}

void VolumeScan::start(BackupDirection direction)
{
    m_direction = direction;
    m_volumes.clear();
    m_finished = false;
    for (const Volume &mount : m_source->mounts())
        m_volumes.append({mount, State::Asking, std::nullopt});
    m_patience.start();
    for (const Asked &volume : std::as_const(m_volumes)) {
        if (!m_asking.contains(volume.mount.root))
            ask(volume.mount);
    }
    Q_EMIT entriesChanged();
    finishWhenAllAnswered();
}

void VolumeScan::stop()
{
    m_patience.stop();
    m_volumes.clear();
    m_finished = true;
}

QList<VolumeEntry> VolumeScan::entries() const
{
    QList<VolumeEntry> entries;
    for (const Asked &volume : m_volumes) {
        if (volume.state == State::NotAnswering)
            entries.append(notAnsweringEntry(volume.mount));
        else if (volume.entry)
            entries.append(*volume.entry);
    }
    return entries;
}

void VolumeScan::ask(const Volume &mount)
{
    const QString root = mount.root;
    const BackupDirection direction = m_direction;
    m_asking.insert(root, direction);
    callDetached<std::optional<VolumeEntry>>(
        this,
        [source = m_source, mount, direction] {
            return qualifyingEntry(source->ask(mount), direction);
        },
        [this, root, direction](
            const std::optional<VolumeEntry> &entry) { receive(root, direction, entry); });
}

void VolumeScan::receive(
    const QString &root, BackupDirection direction, const std::optional<VolumeEntry> &entry)
{
    m_asking.remove(root);
    for (Asked &volume : m_volumes) {
        if (volume.mount.root != root || volume.state == State::Answered)
            continue;
        // An answer about the other direction, to a scan before: this scan asks again.
        if (direction != m_direction) {
            ask(volume.mount);
            return;
        }
        volume.state = State::Answered;
        volume.entry = entry;
        Q_EMIT entriesChanged();
        finishWhenAllAnswered();
        return;
    }
}

void VolumeScan::giveUpWaiting()
{
    for (Asked &volume : m_volumes) {
        if (volume.state == State::Asking)
            volume.state = State::NotAnswering;
    }
    Q_EMIT entriesChanged();
    finishWhenAllAnswered();
}

void VolumeScan::finishWhenAllAnswered()
{
    const bool asking = std::any_of(m_volumes.cbegin(), m_volumes.cend(),
        [](const Asked &volume) { return volume.state == State::Asking; });
    if (m_finished || asking)
        return;
    m_finished = true;
    m_patience.stop();
    Q_EMIT finished();
}

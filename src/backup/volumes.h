#ifndef TESSARO_BACKUP_VOLUMES_H
#define TESSARO_BACKUP_VOLUMES_H

#include <QByteArray>
#include <QList>
#include <QString>

#include <optional>

// The volumes a backup can go to or come from, and the list the backup window shows of them,
// without any widget. The backup folder is "TsDaten" in the root of the chosen volume.

enum class BackupDirection { Backup, Restore };

enum class VolumeKind { Removable, Fixed, Network };

// A mounted file system.
struct Volume
{
    // The mount root, e.g. "/media/anna/STICK", or a drive's root, e.g. "E:/"; it may hold
    // blanks.
    QString root;
    VolumeKind kind = VolumeKind::Fixed;
    // The volume name as stored; empty when it has none.
    QString label;
    // Network volumes: the remote name, e.g. "//server/share"; empty when none is known.
    QString remoteName;
    // Whether its capacity can be queried: a volume that cannot be asked is not used.
    bool ready = true;
};

// Where the backup window learns the mounted volumes. Tests supply folders as volumes.
class VolumeSource
{
public:
    virtual ~VolumeSource() = default;
    // Every mounted volume in the system's order, read anew at each call from the mount table
    // alone: root, kind and remote name, but no label, and ready as far as the table tells. It
    // never asks a volume itself, so that a volume that does not answer cannot hold it up.
    virtual QList<Volume> mounts() const = 0;
    // The volume of a mount with its label and whether it is ready. It asks the volume itself and
    // therefore waits as long as the volume does not answer; it is called on a thread of its own
    // (records/detachedcall.h) and may be called on several threads at once.
    virtual Volume ask(const Volume &mount) const = 0;
};

// The volumes mounted on this system. Linux: the mount table /proc/self/mounts, removable media
// recognised by their block device's removable flag or by a mount below /media or /run/media,
// and each volume asked through QStorageInfo. Windows: the drive letters with their drive types
// (removable; fixed, CD-ROM and RAM disk alike; network with the connection's remote name), each
// drive asked for its capacity and label with the system's error prompts turned off.
class SystemVolumeSource : public VolumeSource
{
public:
    QList<Volume> mounts() const override;
    Volume ask(const Volume &mount) const override;
};

// A mount as a volume, typed by its file system and device; nullopt for file systems that keep
// nothing on a medium (tmpfs, proc …), which a backup must never be written to.
std::optional<Volume> describeMount(const QString &root, const QByteArray &fileSystemType,
    const QByteArray &device, const QString &label, bool removableDevice);

// The list text of a volume: a removable volume's root (a drive's root as its designation, "E:")
// and its label as stored in brackets ("/media/anna/STICK [STICK]", "E: []"); a fixed one's root
// and its label in upper case in brackets; a network volume's root and its remote name in upper
// case, or the label as for a fixed volume when the remote name is unknown.
QString volumeListText(const Volume &volume);

// The backup folder of a volume: "TsDaten" in its root, ending in "/".
QString backupFolderOf(const QString &root);

// An entry of the backup window's list: the root it stands for, apart from the text shown.
struct VolumeEntry
{
    QString root;
    QString text;
    // False for a volume that has not answered in time: it is listed, but cannot be chosen.
    bool answered = true;

    bool operator==(const VolumeEntry &) const = default;
};

// The entry of a volume that qualifies: it must be ready. A backup needs a backup folder it can
// write to: "TsDaten" is created in the root when missing and removed again when empty. A
// restore needs the backup folder to exist. Nothing when the volume does not qualify.
std::optional<VolumeEntry> qualifyingEntry(const Volume &volume, BackupDirection direction);

// The entry of a mount that has not answered: its root, a network mount's remote name in upper
// case, and "antwortet nicht".
VolumeEntry notAnsweringEntry(const Volume &mount);

#endif

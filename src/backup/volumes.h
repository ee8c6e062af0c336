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
    // The mount root, e.g. "/media/anna/STICK"; it may hold blanks.
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
    // Every mounted volume in the system's order, queried anew at each call.
    virtual QList<Volume> volumes() const = 0;
};

// The volumes mounted on this system (QStorageInfo), with removable media recognised by their
// block device's removable flag or by a mount below /media or /run/media.
class SystemVolumeSource : public VolumeSource
{
public:
    QList<Volume> volumes() const override;
};

// A mount as a volume, typed by its file system and device; nullopt for file systems that keep
// nothing on a medium (tmpfs, proc …), which a backup must never be written to.
std::optional<Volume> describeMount(const QString &root, const QByteArray &fileSystemType,
    const QByteArray &device, const QString &label, bool removableDevice);

// The list text of a volume: a removable volume's root and its label as stored in brackets
// ("/media/anna/STICK [STICK]", "/media/anna/X []"); a fixed one's root and its label in upper
// case in brackets; a network volume's root and its remote name in upper case, or the label as
// for a fixed volume when the remote name is unknown.
QString volumeListText(const Volume &volume);

// The backup folder of a volume: "TsDaten" in its root, ending in "/".
QString backupFolderOf(const QString &root);

// An entry of the backup window's list: the root it stands for, apart from the text shown.
struct VolumeEntry
{
    QString root;
    QString text;

    bool operator==(const VolumeEntry &) const = default;
};

// The volumes that qualify, in order. Each must be ready. A backup needs a backup folder it can
// write to: "TsDaten" is created in the root when missing and removed again when empty. A
// restore needs the backup folder to exist.
QList<VolumeEntry> qualifyingVolumes(const QList<Volume> &volumes, BackupDirection direction);

#endif

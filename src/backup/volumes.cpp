#include "backup/volumes.h"

#include "participants/participantlisting.h"
#include "records/fileoperations.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

using namespace Qt::StringLiterals;

namespace {

bool isNetworkFileSystem(const QByteArray &type)
{
    static const QByteArrayList network{"nfs", "nfs4", "cifs", "smb3", "smbfs", "ncpfs", "afs",
        "9p", "ceph", "glusterfs", "davfs", "fuse.sshfs", "fuse.rclone", "fuse.glusterfs"};
    return network.contains(type);
}

bool keepsNothingOnAMedium(const QByteArray &type)
{
    static const QByteArrayList memory{"tmpfs", "ramfs", "devtmpfs", "proc", "sysfs", "devpts",
        "cgroup", "cgroup2", "securityfs", "debugfs", "tracefs", "configfs", "fusectl", "mqueue",
        "hugetlbfs", "bpf", "pstore", "autofs", "binfmt_misc", "nsfs", "efivarfs", "rpc_pipefs"};
    return memory.contains(type);
}

// Desktops mount media they recognise as removable below these folders.
bool isMediaMount(const QString &root)
{
    return root.startsWith("/media/"_L1) || root.startsWith("/run/media/"_L1);
}

// Whether the folder "TsDaten" can take a backup: created when missing, written to, and removed
// again when it holds nothing.
bool backupFolderIsWritable(const QString &root)
{
    const QString folder = backupFolderOf(root);
    if (!QFileInfo(folder).isDir() && !QDir(root).mkdir(u"TsDaten"_s))
        return false;
    // An old backup folder on a write-protected medium exists but cannot take a new backup.
    const bool writable = folderTakesNewFiles(folder);
    QDir(root).rmdir(u"TsDaten"_s);
    return writable;
}

// A drive's root ("E:/") is shown as its designation ("E:").
QString shownRoot(const QString &root)
{
    const bool isDriveRoot = root.size() == 3 && root.at(0).isLetter() && root.endsWith(":/"_L1);
    return isDriveRoot ? root.left(2) : root;
}

} // namespace

std::optional<Volume> describeMount(const QString &root, const QByteArray &fileSystemType,
    const QByteArray &device, const QString &label, bool removableDevice)
{
    if (keepsNothingOnAMedium(fileSystemType))
        return std::nullopt;
    Volume volume;
    volume.root = root;
    volume.label = label;
    if (isNetworkFileSystem(fileSystemType)) {
        volume.kind = VolumeKind::Network;
        volume.remoteName = QFile::decodeName(device);
    } else if (removableDevice || isMediaMount(root)) {
        volume.kind = VolumeKind::Removable;
    }
    return volume;
}

QString volumeListText(const Volume &volume)
{
    switch (volume.kind) {
    case VolumeKind::Removable:
        return u"%1 [%2]"_s.arg(shownRoot(volume.root), volume.label);
    case VolumeKind::Network:
        if (!volume.remoteName.isEmpty())
            return u"%1 %2"_s.arg(shownRoot(volume.root), upperCased(volume.remoteName));
        break;
    case VolumeKind::Fixed:
        break;
    }
    return u"%1 [%2]"_s.arg(shownRoot(volume.root), upperCased(volume.label));
}

QString backupFolderOf(const QString &root)
{
    return root + (root.endsWith(u'/') ? u"TsDaten/"_s : u"/TsDaten/"_s);
}

std::optional<VolumeEntry> qualifyingEntry(const Volume &volume, BackupDirection direction)
{
    if (!volume.ready)
        return std::nullopt;
    const bool qualifies = direction == BackupDirection::Backup
        ? backupFolderIsWritable(volume.root)
        : QFileInfo(backupFolderOf(volume.root)).isDir();
    if (!qualifies)
        return std::nullopt;
    return VolumeEntry{volume.root, volumeListText(volume)};
}

VolumeEntry notAnsweringEntry(const Volume &mount)
{
    const bool named = mount.kind == VolumeKind::Network && !mount.remoteName.isEmpty();
    return {mount.root,
        u"%1 antwortet nicht"_s.arg(named ? volumeListText(mount) : shownRoot(mount.root)), false};
}

#include "backup/volumes.h"

#include <QFile>
#include <QFileInfo>
#include <QStorageInfo>

#include <mntent.h>

using namespace Qt::StringLiterals;

namespace {

// The block device's own removable flag: that of the whole disk for a partition.
bool isRemovableDevice(const QByteArray &device)
{
    if (!device.startsWith("/dev/"))
        return false;
    const QString node = QFileInfo(QFile::decodeName(device)).canonicalFilePath();
    QString block = u"/sys/class/block/"_s + QFileInfo(node).fileName();
    if (QFileInfo::exists(block + u"/partition"_s))
        block = QFileInfo(block + u"/.."_s).canonicalFilePath();
    QFile flag(block + u"/removable"_s);
    return flag.open(QIODevice::ReadOnly) && flag.read(1) == "1";
}

// The system's own file systems, which hold no user data.
bool isSystemFolder(const QString &root)
{
    for (const QString &system : {u"/proc"_s, u"/sys"_s, u"/dev"_s}) {
        if (root == system || root.startsWith(system + u'/'))
            return true;
    }
    return false;
}

} // namespace

QList<Volume> SystemVolumeSource::mounts() const
{
    QList<Volume> volumes;
    FILE *table = ::setmntent("/proc/self/mounts", "re");
    if (!table)
        return volumes;
    mntent mount{};
    char buffer[4096];
    while (::getmntent_r(table, &mount, buffer, sizeof buffer)) {
        const QString root = QFile::decodeName(mount.mnt_dir);
        std::optional<Volume> volume = describeMount(
            root, mount.mnt_type, mount.mnt_fsname, QString(), isRemovableDevice(mount.mnt_fsname));
        if (!volume || isSystemFolder(root))
            continue;
        // A later mount on the same root hides the earlier one.
        volumes.removeIf([&root](const Volume &earlier) { return earlier.root == root; });
        volumes.append(*volume);
    }
    ::endmntent(table);
    return volumes;
}

Volume SystemVolumeSource::ask(const Volume &mount) const
{
    Volume volume = mount;
    const QStorageInfo storage(mount.root);
    volume.label = storage.name();
    volume.ready = storage.isValid() && storage.isReady() && storage.bytesTotal() > 0;
    return volume;
}

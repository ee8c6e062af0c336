#include "backup/volumes.h"

#include <QFile>
#include <QFileInfo>
#include <QStorageInfo>

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

} // namespace

QList<Volume> SystemVolumeSource::volumes() const
{
    QList<Volume> volumes;
    const QList<QStorageInfo> mounted = QStorageInfo::mountedVolumes();
    for (const QStorageInfo &storage : mounted) {
        std::optional<Volume> volume = describeMount(storage.rootPath(), storage.fileSystemType(),
            storage.device(), storage.name(), isRemovableDevice(storage.device()));
        if (!volume)
            continue;
        volume->ready = storage.isValid() && storage.isReady() && storage.bytesTotal() >= 0;
        volumes.append(*volume);
    }
    return volumes;
}

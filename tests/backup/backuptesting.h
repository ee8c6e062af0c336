#ifndef TESSARO_TESTS_BACKUP_BACKUPTESTING_H
#define TESSARO_TESTS_BACKUP_BACKUPTESTING_H

#include "backup/volumes.h"

#include "support/filesystemtesting.h"

#include <QList>

// What the backup tests share: folders as volumes.

// Folders given as the mounted volumes; a test may change the list at any time. Asked, a
// volume answers at once with what the list gave.
class FolderVolumes : public VolumeSource
{
public:
    explicit FolderVolumes(QList<Volume> volumes = {}) : list(std::move(volumes)) { }
    QList<Volume> mounts() const override { return list; }
    Volume ask(const Volume &mount) const override { return mount; }

    QList<Volume> list;
};

inline Volume removableVolume(const QString &root, const QString &label = QString())
{
    return {root, VolumeKind::Removable, label, QString(), true};
}

#endif

#ifndef TESSARO_TESTS_BACKUP_BACKUPTESTING_H
#define TESSARO_TESTS_BACKUP_BACKUPTESTING_H

#include "backup/volumes.h"

#include "support/permissions.h"

#include <QList>

// What the backup tests share: folders as volumes.

// Folders given as the mounted volumes; a test may change the list at any time.
class FolderVolumes : public VolumeSource
{
public:
    explicit FolderVolumes(QList<Volume> volumes = {}) : list(std::move(volumes)) { }
    QList<Volume> volumes() const override { return list; }

    QList<Volume> list;
};

inline Volume removableVolume(const QString &root, const QString &label = QString())
{
    return {root, VolumeKind::Removable, label, QString(), true};
}

#endif

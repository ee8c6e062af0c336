#ifndef TESSARO_TESTS_BACKUP_BACKUPTESTING_H
#define TESSARO_TESTS_BACKUP_BACKUPTESTING_H

#include "backup/volumes.h"

#include <QList>

#include <linux/capability.h>
#include <sys/syscall.h>
#include <unistd.h>

// What the backup tests share: folders as volumes, and files root cannot read.

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

// While it exists, the calling thread obeys file permissions even when it runs as root, as
// every other user does: the capabilities that override them are switched off.
class PermissionsObeyed
{
public:
    PermissionsObeyed()
    {
        if (::syscall(SYS_capget, &m_header, m_saved) != 0)
            return;
        __user_cap_data_struct reduced[2] = {m_saved[0], m_saved[1]};
        reduced[0].effective &= ~((1u << CAP_DAC_OVERRIDE) | (1u << CAP_DAC_READ_SEARCH));
        m_active = ::syscall(SYS_capset, &m_header, reduced) == 0;
    }
    ~PermissionsObeyed()
    {
        if (m_active)
            ::syscall(SYS_capset, &m_header, m_saved);
    }
    PermissionsObeyed(const PermissionsObeyed &) = delete;
    PermissionsObeyed &operator=(const PermissionsObeyed &) = delete;

    bool isActive() const { return m_active; }

private:
    __user_cap_header_struct m_header{_LINUX_CAPABILITY_VERSION_3, 0};
    __user_cap_data_struct m_saved[2]{};
    bool m_active = false;
};

#endif

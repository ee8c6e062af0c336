#ifndef TESSARO_TESTS_SUPPORT_PERMISSIONS_H
#define TESSARO_TESTS_SUPPORT_PERMISSIONS_H

#include <linux/capability.h>
#include <sys/syscall.h>
#include <unistd.h>

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

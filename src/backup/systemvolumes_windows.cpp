#include "backup/volumes.h"

#include <windows.h>

#include <winnetwk.h>

using namespace Qt::StringLiterals;

namespace {

// While it exists, the calling thread gets failures instead of the system's prompts ("Insert a
// disk into drive E:"), as an empty card reader would otherwise raise.
class SilentCriticalErrors
{
public:
    SilentCriticalErrors() { SetThreadErrorMode(SEM_FAILCRITICALERRORS, &m_previous); }
    ~SilentCriticalErrors() { SetThreadErrorMode(m_previous, nullptr); }
    SilentCriticalErrors(const SilentCriticalErrors &) = delete;
    SilentCriticalErrors &operator=(const SilentCriticalErrors &) = delete;

private:
    DWORD m_previous = 0;
};

std::wstring driveRoot(QChar letter)
{
    return (QString(letter) + u":\\"_s).toStdWString();
}

// The remote name of a network drive's connection ("\\server\share"); empty when it has none.
QString remoteNameOf(QChar letter)
{
    const std::wstring drive = (QString(letter) + u':').toStdWString();
    wchar_t name[MAX_PATH + 1];
    DWORD length = MAX_PATH + 1;
    return WNetGetConnectionW(drive.c_str(), name, &length) == NO_ERROR
        ? QString::fromWCharArray(name)
        : QString();
}

} // namespace

QList<Volume> SystemVolumeSource::mounts() const
{
    const SilentCriticalErrors silent;
    QList<Volume> volumes;
    const DWORD drives = GetLogicalDrives();
    for (int index = 0; index < 26; ++index) {
        if (!(drives & (1u << index)))
            continue;
        const QChar letter(u'A' + index);
        Volume volume;
        volume.root = QString(letter) + u":/"_s;
        switch (GetDriveTypeW(driveRoot(letter).c_str())) {
        case DRIVE_REMOVABLE:
            volume.kind = VolumeKind::Removable;
            break;
        case DRIVE_FIXED:
        case DRIVE_CDROM:
        case DRIVE_RAMDISK:
            volume.kind = VolumeKind::Fixed;
            break;
        case DRIVE_REMOTE:
            volume.kind = VolumeKind::Network;
            volume.remoteName = remoteNameOf(letter);
            break;
        default:
            // Of no determinable type, or without a root folder.
            continue;
        }
        volumes.append(volume);
    }
    return volumes;
}

Volume SystemVolumeSource::ask(const Volume &mount) const
{
    const SilentCriticalErrors silent;
    Volume volume = mount;
    const std::wstring root = driveRoot(mount.root.at(0));
    ULARGE_INTEGER total = {};
    volume.ready
        = GetDiskFreeSpaceExW(root.c_str(), nullptr, &total, nullptr) && total.QuadPart > 0;
    wchar_t label[MAX_PATH + 1] = {};
    volume.label = GetVolumeInformationW(
                       root.c_str(), label, MAX_PATH + 1, nullptr, nullptr, nullptr, nullptr, 0)
        ? QString::fromWCharArray(label)
        : QString();
    return volume;
}

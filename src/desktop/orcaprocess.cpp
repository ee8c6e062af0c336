#include "desktop/orcaprocess.h"

#include <sys/stat.h>

#include <algorithm>
#include <fstream>
#include <utility>

namespace {

bool isProcessId(const std::string &name)
{
    return !name.empty()
        && std::all_of(name.begin(), name.end(), [](char c) { return c >= '0' && c <= '9'; });
}

} // namespace

OrcaProcessFinder::OrcaProcessFinder(std::filesystem::path procRoot, uid_t user)
    : m_procRoot(std::move(procRoot)), m_user(user)
{ }

bool OrcaProcessFinder::isOrca(const std::string &pid) const
{
    const std::filesystem::path process = m_procRoot / pid;
    struct stat status = {};
    if (::stat(process.c_str(), &status) != 0 || status.st_uid != m_user)
        return false;
    std::ifstream comm(process / "comm");
    std::string name;
    return std::getline(comm, name) && name == "orca";
}

bool OrcaProcessFinder::isRunning()
{
    if (!m_lastPid.empty() && isOrca(m_lastPid))
        return true;
    m_lastPid.clear();
    // Processes come and go while the table is read; entries that vanish are simply skipped.
    std::error_code error;
    for (std::filesystem::directory_iterator it(m_procRoot, error), end; !error && it != end;
         it.increment(error)) {
        const std::string pid = it->path().filename().string();
        if (isProcessId(pid) && isOrca(pid)) {
            m_lastPid = pid;
            return true;
        }
    }
    return false;
}

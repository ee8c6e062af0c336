#include "speech/orcaprocess.h"

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
    // "977 (orca) S 1 ...": the name in parentheses, then the state. A process that has ended
    // but is not yet reaped (state Z) keeps its name; it does not run any more.
    std::ifstream statFile(process / "stat");
    std::string line;
    if (!std::getline(statFile, line))
        return false;
    const std::size_t open = line.find('(');
    const std::size_t close = line.rfind(')');
    if (open == std::string::npos || close == std::string::npos || close < open
        || close + 2 >= line.size())
        return false;
    const char state = line[close + 2];
    return line.compare(open + 1, close - open - 1, "orca") == 0 && state != 'Z' && state != 'X';
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

#ifndef TESSARO_SPEECH_ORCAPROCESS_H
#define TESSARO_SPEECH_ORCAPROCESS_H

#include <sys/types.h>
#include <unistd.h>

#include <filesystem>
#include <string>

// Tells whether the Orca screen reader runs for a user, from the process table in /proc.
//
// Orca names its own process "orca" at start-up and looks for other copies of itself by exactly
// that name ("pgrep -u <user> -x orca"); the same rule is used here: a process whose name is
// exactly "orca", whose /proc entry belongs to the user and which has not ended (a zombie keeps
// its name until its parent reaps it). The check runs before every
// announcement, so it reads files only: the process found last is looked at first, which costs
// one small read while Orca keeps running; only when it is gone is the whole table read.
class OrcaProcessFinder
{
public:
    explicit OrcaProcessFinder(std::filesystem::path procRoot = "/proc", uid_t user = ::getuid());

    bool isRunning();

private:
    bool isOrca(const std::string &pid) const;

    std::filesystem::path m_procRoot;
    uid_t m_user;
    std::string m_lastPid;
};

#endif

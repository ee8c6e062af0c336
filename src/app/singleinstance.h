#ifndef TESSARO_APP_SINGLEINSTANCE_H
#define TESSARO_APP_SINGLEINSTANCE_H

#include "app/filelock.h"

#include <QString>
#include <QStringView>

#include <memory>

// The program's title: the name of its instance lock and the end of its windows' titles.
inline const QString kProgramTitle = QStringLiteral("Tessaro V1.01");
// The name of the hand-over store.
inline const QString kHandOverKey = QStringLiteral("Tessaro");

// The per-user place of the instance lock, the note of the running copy and the hand-over store.
// Windows: the user's registry hive "HKEY_CURRENT_USER", which holds the hand-over key. Elsewhere:
// "Tessaro" in the user's runtime folder (XDG_RUNTIME_DIR) when that is a folder of this user's
// own, otherwise the program's configuration folder; created, private to the user, when missing;
// empty when neither can be had.
QString handOverFolderForThisUser();

// The lock that keeps one copy of the program running per user. Windows: the named mutex name;
// the running copy is found by its windows' titles. Elsewhere: the lock file "<name>.lock" in the
// folder, and the note ("<name>.running": process number and title) by which that copy, once its
// windows exist, lets a second start find it. Held until the object is destroyed, or the process
// ends.
class InstanceLock
{
public:
    InstanceLock(const QString &folder, const QString &name);
    ~InstanceLock();
    InstanceLock(const InstanceLock &) = delete;
    InstanceLock &operator=(const InstanceLock &) = delete;

    // Taking the lock removes a note left by a copy that crashed. Without a folder the lock fails.
    FileLock::Result acquire();
    // Only the holder of the lock publishes; on Windows the windows' titles are the publication.
    void publish(const QString &title);
    void withdraw();

private:
    struct Held;
    std::unique_ptr<Held> m_held;
};

// Whether a copy runs under a title that ends in titleEnd. Windows: a top-level window of the
// user's desktop has such a title, looked for in the order of the windows' stacking. Elsewhere:
// such a copy is published in the folder and its process still lives. A copy still creating its
// windows, or closing, is not found.
bool findRunningCopy(const QString &folder, const QString &name, const QString &titleEnd);

// The title is not empty and the first occurrence of text in it ends exactly at its end.
bool titleEndsWith(QStringView title, QStringView text);

#endif

#ifndef TESSARO_PARTICIPANTS_PARTICIPANTNAME_H
#define TESSARO_PARTICIPANTS_PARTICIPANTNAME_H

#include <QString>

#include <optional>

// A participant's name becomes the name of its file in the data folder, so a name that could
// lead out of the folder or that a file system refuses is refused when it is typed, in the
// creation and in the rename dialog: names holding "/", "\", a control character or one of
// : * ? " < > |, the names "." and "..", and the Windows device names (CON, PRN, AUX, NUL,
// COM1 to COM9, LPT1 to LPT9, in any letter case and also with an extension).

// The message that tells the user why the (trimmed) name is refused; empty for a valid name.
std::optional<QString> participantNameError(const QString &name);

#endif

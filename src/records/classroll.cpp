#include "records/classroll.h"

#include "records/error.h"
#include "records/fileoperations.h"

#include <cerrno>

using namespace Qt::StringLiterals;

QStringList linesWithRollDay(const QStringList &lines, const QString &date, const RollMark &mark)
{
    // A file without any line has an empty header, as when it is opened.
    const QStringList file = lines.isEmpty() ? QStringList{QString()} : lines;
    const QString remark = trimmedText(mark.remark);
    if (countDays(file) > 0) {
        const DayRecord first = readDay(file, 1);
        if (first.date == date) {
            return rebuildWithDay(
                file, 1, file.first(), dayBlock({date, remark, mark.present, first.infoLines}));
        }
    }
    return insertDayBlock(file, dayBlock({date, remark, mark.present, {}}));
}

WriteResult storeRollMark(
    const QString &folder, const QString &date, const RollMark &mark, const ConflictQuestion &ask)
{
    const QString path = folder + mark.name + u".dat"_s;
    if (isWriteProtected(path))
        throw TessaroError(createErrorText(path, systemErrorReason(EACCES)));
    // Reading refuses a file that is gone or no regular file, before anything is written.
    LineList file;
    const ReadFile read = readParticipantFile(path, file);
    file.setLines(linesWithRollDay(file.lines(), date, mark));
    return writeParticipantFile(path, read, file, ask).result;
}

RollOutcome storeRoll(const QString &folder, const QString &date, const QList<RollMark> &marks,
    const ConflictQuestion &ask)
{
    RollOutcome outcome;
    for (const RollMark &mark : marks) {
        WriteResult result = WriteResult::Cancelled;
        try {
            result = storeRollMark(folder, date, mark, ask);
        } catch (const TessaroError &failure) {
            outcome.failures.append(failure.text());
            continue;
        }
        if (result == WriteResult::Cancelled) {
            outcome.failures.append(folder + mark.name + u".dat"_s);
            continue;
        }
        if (result == WriteResult::Merged)
            outcome.merged.append(mark.name);
        ++(mark.present == kPresent ? outcome.storedPresent : outcome.storedAbsent);
    }
    return outcome;
}

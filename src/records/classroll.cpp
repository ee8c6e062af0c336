#include "records/classroll.h"

#include "records/atomicwrite.h"
#include "records/error.h"
#include "records/fileoperations.h"
#include "records/filereading.h"
#include "records/linelist.h"

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

void storeRollMark(const QString &folder, const QString &date, const RollMark &mark)
{
    const QString path = folder + mark.name + u".dat"_s;
    if (isWriteProtected(path))
        throw TessaroError(createErrorText(path, systemErrorReason(EACCES)));
    // Reading refuses a file that is gone or no regular file, before anything is written.
    const QByteArray oldBytes = readWholeFile(path);
    LineList file;
    file.loadFromBytes(oldBytes);
    file.setLines(linesWithRollDay(file.lines(), date, mark));
    // The backup copy holds the content before this write; a failed copy does not stop it.
    const QString backup = path + u".bak"_s;
    try {
        makeWritableByOwner(backup);
        writeFileAtomically(backup, oldBytes);
    } catch (const TessaroError &) { }
    file.saveToFile(path);
}

RollOutcome storeRoll(const QString &folder, const QString &date, const QList<RollMark> &marks)
{
    RollOutcome outcome;
    for (const RollMark &mark : marks) {
        try {
            storeRollMark(folder, date, mark);
        } catch (const TessaroError &failure) {
            outcome.failures.append(failure.text());
            continue;
        }
        ++(mark.present == kPresent ? outcome.storedPresent : outcome.storedAbsent);
    }
    return outcome;
}

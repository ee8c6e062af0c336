#ifndef TESSARO_RECORDS_CLASSROLL_H
#define TESSARO_RECORDS_CLASSROLL_H

#include "records/dayformat.h"
#include "records/participantstore.h"

#include <QList>
#include <QString>
#include <QStringList>

// The roll of a class: one day of the same date stored into many participant files at once.

// One participant's entry in the roll.
struct RollMark
{
    QString name;
    int present = kPresent;
    QString remark; // stored trimmed

    bool operator==(const RollMark &) const = default;
};

// The lines of a participant file with the roll's day: when day 1 carries exactly this date
// text, its present flag and remark are replaced and its information lines stay; otherwise the
// day is inserted as day 1, as a new day is. The header line is kept as it is.
QStringList linesWithRollDay(const QStringList &lines, const QString &date, const RollMark &mark);

// Stores the roll's day into folder + name + ".dat" as a day is stored (writeParticipantFile):
// the file's old content goes to its backup copy, then the file is written atomically in its own
// encoding. A file that is gone, not a regular file, or write-protected is left exactly as it
// was and raises TessaroError with the file layer's text.
WriteResult storeRollMark(const QString &folder, const QString &date, const RollMark &mark,
    const ConflictQuestion &ask = {});

struct RollOutcome
{
    int storedPresent = 0;
    int storedAbsent = 0;
    // The error text of every file that was not stored, in the order of the marks; the path of
    // one whose store was cancelled.
    QStringList failures;
    // The participants whose files another copy had changed meanwhile; the roll's day went into
    // them without a question.
    QStringList merged;
};

// Stores every mark; a file that fails does not stop the others.
RollOutcome storeRoll(const QString &folder, const QString &date, const QList<RollMark> &marks,
    const ConflictQuestion &ask = {});

#endif

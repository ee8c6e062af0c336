#ifndef TESSARO_RECORDS_PARTICIPANTSTORE_H
#define TESSARO_RECORDS_PARTICIPANTSTORE_H

#include "records/daymerge.h"
#include "records/linelist.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <functional>

// Every write of a participant file goes through writeParticipantFile, because another copy of
// the program may have changed the file since this one read it: on another computer that opens
// the same folder, by a restore or by the roll. Such a change is never written over unasked.

// What this copy read of a participant file, to tell later whether the file has changed since:
// whether there was a file, its bytes, and the lines this copy took from them (opening gives a
// file without days its first day).
struct ReadFile
{
    bool existed = false;
    QByteArray bytes;
    QStringList lines;
};

// Reads the file, which must exist, as readWholeFile does, into file and as this copy read it.
ReadFile readParticipantFile(const QString &path, LineList &file);

// Whether the file no longer holds what this copy read. A file that is gone has not changed:
// nothing of another copy's is in it.
bool changedSinceRead(const QString &path, const ReadFile &read);

// What both copies changed, for the question what to do.
struct ConcurrentChange
{
    QString path;
    // The date texts of the days both changed.
    QStringList dates;
    // Whether both changed the header line (class and comment).
    bool header = false;
};

// Asks what to do when this copy's change cannot be placed into the changed file on its own.
using ConflictQuestion = std::function<MergeChoice(const ConcurrentChange &)>;

enum class WriteResult {
    // The file was as read (or is gone) and now holds the lines given.
    Written,
    // The file had changed, and this copy's change went into it without touching what the other
    // side changed. The user is told.
    Merged,
    // The file had changed where this copy changed it too; the answer to the question merged
    // both or wrote this copy's lines over the file.
    Answered,
    // The answer was to cancel: nothing was written.
    Cancelled,
};

struct WrittenFile
{
    WriteResult result = WriteResult::Written;
    // What the file holds now (when cancelled: what this copy would have written).
    LineList file;
    // The file as this copy knows it now, to be given to the next write.
    ReadFile read;
};

// Writes changed, this copy's lines of the file at path, which it read as read. First the file is
// read again: when it holds the bytes read (or is gone), changed is written. Otherwise this
// copy's change (the day or days in which changed differs from read, and the header line) is
// applied to the file as it is now, in its encoding (mergeChange). When that touches something
// the other side changed too, ask decides (without ask: cancel): "&Zusammenführen" writes every
// day of both sides, "&Überschreiben" writes changed, "Abbrechen" nothing. The file's content
// before the write goes to its backup copy (a failed copy does not stop the write); the file is
// written atomically. Raises TessaroError when the file cannot be read or written.
WrittenFile writeParticipantFile(const QString &path, const ReadFile &read, const LineList &changed,
    const ConflictQuestion &ask);

// The question of a change made on both sides, with "&Zusammenführen", "&Überschreiben" and
// "Abbrechen".
QString concurrentChangeQuestion(const ConcurrentChange &change);
// The message that changes went into files another copy had changed, naming their participants.
QString concurrentChangeMessage(const QStringList &participants);

#endif

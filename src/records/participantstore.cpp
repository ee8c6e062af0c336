#include "records/participantstore.h"

#include "records/atomicwrite.h"
#include "records/dayformat.h"
#include "records/error.h"
#include "records/fileoperations.h"
#include "records/filereading.h"

using namespace Qt::StringLiterals;

namespace {

QString quotedNames(const QStringList &names)
{
    QStringList quoted;
    for (const QString &name : names)
        quoted.append(u'"' + name + u'"');
    return quoted.join(u", "_s);
}

// The content, not the time stamp, tells: a copy on another computer may write within the time
// stamp's resolution, and a restore gives a file an old content with a new time.
bool differsFromRead(const QByteArray &bytes, const ReadFile &read)
{
    return !read.existed || bytes != read.bytes;
}

} // namespace

ReadFile readParticipantFile(const QString &path, LineList &file)
{
    ReadFile read{true, readWholeFile(path), {}};
    file.loadFromBytes(read.bytes);
    read.lines = file.lines();
    return read;
}

bool changedSinceRead(const QString &path, const ReadFile &read)
{
    return fileExists(path) && differsFromRead(readWholeFile(path), read);
}

WrittenFile writeParticipantFile(
    const QString &path, const ReadFile &read, const LineList &changed, const ConflictQuestion &ask)
{
    WrittenFile written{WriteResult::Written, changed, {}};
    const bool exists = fileExists(path);
    const QByteArray current = exists ? readWholeFile(path) : QByteArray();
    if (exists && differsFromRead(current, read)) {
        LineList now;
        now.loadFromBytes(current);
        const ChangeMerge merge = mergeChange(read.lines, changed.lines(), now.lines());
        MergeChoice choice = MergeChoice::Merge;
        written.result = WriteResult::Merged;
        if (!merge.clean) {
            written.result = WriteResult::Answered;
            choice = ask ? ask({path, merge.conflictingDates, merge.headerConflict})
                         : MergeChoice::Cancel;
        }
        if (choice == MergeChoice::Cancel) {
            written.result = WriteResult::Cancelled;
            return written;
        }
        if (choice == MergeChoice::Merge) {
            now.setLines(merge.lines);
            written.file = now;
        }
    }
    const QByteArray bytes = written.file.toBytes();
    if (exists) {
        // The backup copy holds the content before this write; a failed copy does not stop it.
        const QString backup = path + u".bak"_s;
        try {
            makeWritableByOwner(backup);
            writeFileAtomically(backup, current);
        } catch (const TessaroError &) { }
    }
    writeFileAtomically(path, bytes);
    written.read = {true, bytes, written.file.lines()};
    return written;
}

QString concurrentChangeQuestion(const ConcurrentChange &change)
{
    QStringList places;
    for (const QString &date : change.dates)
        places.append(date.isEmpty() ? u"ein Tag ohne Datum"_s : u"Tag \"%1\""_s.arg(date));
    if (change.header)
        places.append(u"Klasse und Kommentar"_s);
    return u"Die Datei des Teilnehmers \"%1\" wurde inzwischen an anderer Stelle geändert, zum "
           "Beispiel an einem anderen Computer, und zwar auch dort, wo Sie etwas geändert haben: "
           "%2.\r\nZusammenführen: Beide Fassungen bleiben erhalten, kein Tag geht verloren.\r\n"
           "Überschreiben: Ihre Fassung ersetzt die Datei, die Änderungen der anderen Stelle gehen "
           "verloren.\r\nAbbrechen: Es wird nichts gespeichert."_s.arg(
               displayName(change.path), places.join(u", "_s));
}

QString concurrentChangeMessage(const QStringList &participants)
{
    if (participants.size() == 1) {
        return u"Die Datei des Teilnehmers %1 wurde inzwischen an anderer Stelle geändert, zum "
               "Beispiel an einem anderen Computer.\r\nIhre Änderung wurde in die geänderte Datei "
               "übernommen; die Änderungen der anderen Stelle bleiben erhalten."_s.arg(
                   quotedNames(participants));
    }
    return u"Die Dateien der Teilnehmer %1 wurden inzwischen an anderer Stelle geändert, zum "
           "Beispiel an einem anderen Computer.\r\nIhre Änderungen wurden in die geänderten "
           "Dateien "
           "übernommen; die Änderungen der anderen Stelle bleiben erhalten."_s.arg(
               quotedNames(participants));
}

#ifndef TESSARO_RECORDS_PARTICIPANTFILE_H
#define TESSARO_RECORDS_PARTICIPANTFILE_H

#include "records/dayformat.h"
#include "records/linelist.h"
#include "records/participantstore.h"

#include <QString>
#include <QStringList>

// The seven values the change test compares: the five trimmed field values, the present
// choice and the whole text of the information field.
struct ShownDay
{
    QString participant;
    QString schoolClass;
    QString comment;
    QString date;
    QString remark;
    int present = 0;
    QString infoText;

    bool operator==(const ShownDay &) const = default;
};

// The open participant file: its lines, its path and the snapshot of the
// day last shown or stored. The main window owns one and feeds it with its field values.
class ParticipantFile
{
public:
    // Opens folder + name + ".dat". An empty name or a missing file leaves no participant open
    // and gives false. A file that cannot be read raises TessaroError, with nothing open.
    bool open(const QString &dataFolder, const QString &name);
    void close(const QString &dataFolder);

    bool isOpen() const { return m_isOpen; }
    // The file's full path while a participant is open, otherwise the data folder.
    const QString &path() const { return m_path; }
    QString dataFolder() const;
    QString backupFilename() const { return m_path + QLatin1String(".bak"); }
    // The name without folder part and last extension: "A.B" shows as "A".
    const QString &displayName() const { return m_displayName; }
    // The header's class and comment, untrimmed.
    Fields header() const;

    int dayCount() const { return countDays(m_lines.lines()); }
    DayRecord readDay(int number) const { return ::readDay(m_lines.lines(), number); }

    const ShownDay &snapshot() const { return m_snapshot; }
    void setSnapshot(const ShownDay &values) { m_snapshot = values; }
    void clearSnapshot() { m_snapshot = ShownDay(); }

    struct StoreOutcome
    {
        bool written = false;
        // Another copy had changed the file since it was read; the lines are the file's now.
        bool changedElsewhere = false;
        // The stored day went into that file without a question: the user is to be told.
        bool mergedUnasked = false;
        // The stored day's number in the file now; another copy may have added days above it.
        int dayNumber = 0;

        explicit operator bool() const { return written; }
    };

    // The store of the shown day: nothing happens without a participant, or when nothing
    // differs from the snapshot and force is false. Otherwise the snapshot is
    // taken, the day rebuilt into the lines, and the file written through writeParticipantFile,
    // which keeps what another copy wrote into the file since it was read (ask decides where
    // both changed the same). infoLines are the information field's display lines. A failed
    // write raises TessaroError, a cancelled one CommandCancelled; the snapshot then stays as it
    // was, so that the next store tries the write again.
    StoreOutcome store(const ShownDay &shown, const QStringList &infoLines, int dayNumber,
        bool force, const ConflictQuestion &ask = {});

    // Inserts the day as day 1.
    void insertDay(const DayRecord &day);
    // Removes day n from the lines; the header becomes the class alone until the next store.
    void removeDay(int n, const QString &schoolClass);
    // Removes the file once its last day has been removed from the lines. When another copy has
    // changed the file since it was read, the removal goes into the file as it is now instead,
    // under this header line, and the file stays when days remain: false then, with the lines
    // of the file as it is now. Raises as store does.
    bool removeEmptiedFile(const QString &header, const ConflictQuestion &ask);

    LineList &lineList() { return m_lines; }
    const LineList &lineList() const { return m_lines; }

private:
    // Writes the lines; cancelled, CommandCancelled is raised.
    WrittenFile write(const LineList &lines, const ConflictQuestion &ask);

    LineList m_lines;
    // The file as last read or written, to tell whether another copy has changed it since.
    ReadFile m_read;
    QString m_path;
    QString m_displayName;
    bool m_isOpen = false;
    ShownDay m_snapshot;
};

// The file of a new participant as participant creation makes it: the header line
// class + "|" + comment, one day of the date text without remark and without flag line (so it
// reads as present) and the separator line, in the encoding given.
LineList newParticipantLines(
    const QString &schoolClass, const QString &comment, const QString &date, TextEncoding encoding);

// Writes the file of a new participant (newParticipantLines). It goes through
// writeParticipantFile as a file that did not exist when the name was checked: a file that
// another copy created meanwhile is not written over unasked (without ask, not at all: the result
// is Cancelled). Raises TessaroError when it fails.
WriteResult writeNewParticipantFile(const QString &path, const QString &schoolClass,
    const QString &comment, const QString &date, TextEncoding encoding,
    const ConflictQuestion &ask = {});

#endif

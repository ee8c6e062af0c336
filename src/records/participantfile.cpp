#include "records/participantfile.h"

#include "records/error.h"
#include "records/fileoperations.h"
#include "records/filereading.h"

#include <QFile>
#include <QFileInfo>

#include <utility>

bool ParticipantFile::open(const QString &dataFolder, const QString &name)
{
    m_lines.clear();
    m_isOpen = false;
    m_displayName.clear();
    m_path = dataFolder;
    const QString path = dataFolder + name + QLatin1String(".dat");
    if (name.isEmpty() || !fileExists(path))
        return false;

    makeWritableByOwner(path);
    m_read = readParticipantFile(path, m_lines);
    // An empty file has an empty header; the separator gives a file without days its first day.
    if (m_lines.isEmpty())
        m_lines.append(QString());
    if (dayCount() == 0)
        m_lines.append(kSeparatorLine);
    m_read.lines = m_lines.lines();
    m_path = path;
    m_displayName = ::displayName(name);
    m_isOpen = true;
    return true;
}

void ParticipantFile::close(const QString &dataFolder)
{
    open(dataFolder, QString());
}

QString ParticipantFile::dataFolder() const
{
    if (!m_isOpen)
        return m_path;
    return m_path.left(m_path.size() - QFileInfo(m_path).fileName().size());
}

Fields ParticipantFile::header() const
{
    return m_lines.isEmpty() ? Fields() : splitFields(m_lines.at(0));
}

ParticipantFile::StoreOutcome ParticipantFile::store(const ShownDay &shown,
    const QStringList &infoLines, int dayNumber, bool force, const ConflictQuestion &ask)
{
    StoreOutcome outcome{false, false, false, dayNumber};
    if (!m_isOpen || shown.participant.isEmpty())
        return outcome;
    if (shown == m_snapshot && !force)
        return outcome;
    const ShownDay previous = std::exchange(m_snapshot, shown);

    const DayRecord day{shown.date, shown.remark, shown.present, infoLines};
    m_lines.setLines(rebuildWithDay(
        m_lines.lines(), dayNumber, shown.schoolClass + u'|' + shown.comment, dayBlock(day)));
    const QStringList changed = m_lines.lines();
    WrittenFile written;
    try {
        written = write(m_lines, ask);
    } catch (...) {
        // The file still holds the old day: the next store must try again.
        m_snapshot = previous;
        throw;
    }
    outcome.written = true;
    outcome.changedElsewhere = written.result != WriteResult::Written;
    outcome.mergedUnasked = written.result == WriteResult::Merged;
    const QList<QStringList> blocks
        = outcome.changedElsewhere ? splitDays(changed).blocks : QList<QStringList>();
    if (dayNumber >= 1 && dayNumber <= blocks.size()) {
        // The stored day, found again where the file holds it now.
        const std::optional<qsizetype> place = findBlock(
            splitDays(m_lines.lines()).blocks, blocks.at(dayNumber - 1), blocks.size() - dayNumber);
        outcome.dayNumber = place ? int(*place + 1) : qMin(dayNumber, dayCount());
    }
    return outcome;
}

WrittenFile ParticipantFile::write(const LineList &lines, const ConflictQuestion &ask)
{
    WrittenFile written = writeParticipantFile(m_path, m_read, lines, ask);
    if (written.result == WriteResult::Cancelled)
        throw CommandCancelled();
    m_lines = written.file;
    m_read = written.read;
    return written;
}

bool ParticipantFile::removeEmptiedFile(const QString &header, const ConflictQuestion &ask)
{
    if (!changedSinceRead(m_path, m_read)) {
        QFile::remove(m_path);
        return true;
    }
    LineList emptied = m_lines;
    emptied.setLines({header});
    try {
        write(emptied, ask);
    } catch (const CommandCancelled &) {
        // The file keeps the day, and so do the lines.
        m_lines.setLines(m_read.lines);
        throw;
    }
    if (dayCount() > 0)
        return false;
    QFile::remove(m_path);
    return true;
}

void ParticipantFile::insertDay(const DayRecord &day)
{
    m_lines.setLines(insertDayBlock(m_lines.lines(), dayBlock(day)));
}

void ParticipantFile::removeDay(int n, const QString &schoolClass)
{
    m_lines.setLines(::removeDay(m_lines.lines(), n, schoolClass));
}

LineList newParticipantLines(
    const QString &schoolClass, const QString &comment, const QString &date, TextEncoding encoding)
{
    LineList file;
    file.setEncoding(encoding);
    file.setLines({schoolClass + u'|' + comment, date, kSeparatorLine});
    return file;
}

WriteResult writeNewParticipantFile(const QString &path, const QString &schoolClass,
    const QString &comment, const QString &date, TextEncoding encoding, const ConflictQuestion &ask)
{
    makeWritableByOwner(path);
    // Written as a file that was not there when the name was checked.
    return writeParticipantFile(
        path, ReadFile(), newParticipantLines(schoolClass, comment, date, encoding), ask)
        .result;
}

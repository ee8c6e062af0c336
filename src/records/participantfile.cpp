#include "records/participantfile.h"

#include "records/atomicwrite.h"
#include "records/error.h"
#include "records/fileoperations.h"
#include "records/filereading.h"

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
    m_lines.loadFromFile(path);
    // An empty file has an empty header; the separator gives a file without days its first day.
    if (m_lines.isEmpty())
        m_lines.append(QString());
    if (dayCount() == 0)
        m_lines.append(kSeparatorLine);
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

bool ParticipantFile::store(
    const ShownDay &shown, const QStringList &infoLines, int dayNumber, bool force)
{
    if (!m_isOpen || shown.participant.isEmpty())
        return false;
    if (shown == m_snapshot && !force)
        return false;
    const ShownDay previous = std::exchange(m_snapshot, shown);

    const DayRecord day{shown.date, shown.remark, shown.present, infoLines};
    m_lines.setLines(rebuildWithDay(
        m_lines.lines(), dayNumber, shown.schoolClass + u'|' + shown.comment, dayBlock(day)));

    // The backup copy holds the content before this write; a failed copy does not stop it.
    try {
        makeWritableByOwner(backupFilename());
        if (fileExists(m_path))
            copyFileAtomically(m_path, backupFilename());
    } catch (const TessaroError &) { }
    try {
        m_lines.saveToFile(m_path);
    } catch (const TessaroError &) {
        // The file still holds the old day: the next store must try again.
        m_snapshot = previous;
        throw;
    }
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

void writeNewParticipantFile(const QString &path, const QString &schoolClass,
    const QString &comment, const QString &date, TextEncoding encoding)
{
    LineList file;
    file.setEncoding(encoding);
    file.setLines({schoolClass + u'|' + comment, date, kSeparatorLine});
    makeWritableByOwner(path);
    file.saveToFile(path);
}

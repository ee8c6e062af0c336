#include "records/participantfile.h"

#include "records/atomicfile.h"
#include "records/error.h"

#include <QFileInfo>

#include <utility>

bool ParticipantFile::open(const QString &dataFolder, const QString &name)
{
    m_datSl.clear();
    m_isOpen = false;
    m_displayName.clear();
    m_datFilename = dataFolder;
    const QString path = dataFolder + name + QLatin1String(".dat");
    if (name.isEmpty() || !fileExists(path))
        return false;

    makeWritableByOwner(path);
    m_datSl.loadFromFile(path);
    // An empty file has an empty header; the separator gives a file without days its first day.
    if (m_datSl.isEmpty())
        m_datSl.append(QString());
    if (maxNummer() == 0)
        m_datSl.append(kSeparatorLine);
    m_datFilename = path;
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
        return m_datFilename;
    return m_datFilename.left(m_datFilename.size() - QFileInfo(m_datFilename).fileName().size());
}

Fields ParticipantFile::header() const
{
    return m_datSl.isEmpty() ? Fields() : splitFields(m_datSl.at(0));
}

bool ParticipantFile::store(
    const ShownDay &shown, const QStringList &infoLines, int aktNummer, bool unbedingt)
{
    if (!m_isOpen || shown.teilnehmer.isEmpty())
        return false;
    if (shown == m_snapshot && !unbedingt)
        return false;
    const ShownDay previous = std::exchange(m_snapshot, shown);

    const DayRecord day{shown.datum, shown.anmerkung, shown.anwesend, infoLines};
    m_datSl.setLines(rebuildWithDay(
        m_datSl.lines(), aktNummer, shown.klasse + u'|' + shown.kommentar, dayBlock(day)));

    // The backup copy holds the content before this write; a failed copy does not stop it.
    try {
        makeWritableByOwner(backupFilename());
        if (fileExists(m_datFilename))
            copyFileAtomically(m_datFilename, backupFilename());
    } catch (const TessaroError &) { }
    try {
        m_datSl.saveToFile(m_datFilename);
    } catch (const TessaroError &) {
        // The file still holds the old day: the next store must try again.
        m_snapshot = previous;
        throw;
    }
    return true;
}

void ParticipantFile::insertDay(const DayRecord &day)
{
    m_datSl.setLines(insertDayBlock(m_datSl.lines(), dayBlock(day)));
}

void ParticipantFile::removeDay(int n, const QString &klasse)
{
    m_datSl.setLines(::removeDay(m_datSl.lines(), n, klasse));
}

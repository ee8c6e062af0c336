#include "records/linelist.h"

#include "records/atomicwrite.h"
#include "records/filereading.h"

QStringList splitLines(QStringView text)
{
    QStringList lines;
    forEachLine(text, [&lines](QStringView line) { lines.append(line.toString()); });
    return lines;
}

QString joinLines(const QStringList &lines)
{
    qsizetype size = 0;
    for (const QString &line : lines)
        size += line.size() + 2;
    QString text;
    text.reserve(size);
    for (const QString &line : lines) {
        text += line;
        text += QLatin1String("\r\n");
    }
    return text;
}

namespace {

// Appends the line as the file text would give it back: every line is followed by CR LF there,
// and that break always ends where the next line begins, so each line splits on its own.
void appendThroughText(QStringList &lines, const QString &line)
{
    if (line.contains(u'\r') || line.contains(u'\n'))
        lines += splitLines(QString(line + QLatin1String("\r\n")));
    else
        lines.append(line);
}

} // namespace

void LineList::setLines(const QStringList &lines)
{
    QStringList result;
    result.reserve(lines.size());
    for (const QString &line : lines)
        appendThroughText(result, line);
    m_lines = std::move(result);
}

void LineList::append(const QString &line)
{
    appendThroughText(m_lines, line);
}

void LineList::loadFromBytes(QByteArrayView bytes)
{
    DecodedText decoded = decodeText(bytes);
    m_encoding = decoded.encoding;
    m_lines = splitLines(decoded.text);
}

QByteArray LineList::toBytes() const
{
    return encodeText(joinLines(m_lines), m_encoding);
}

void LineList::loadFromFile(const QString &path)
{
    loadFromBytes(readWholeFile(path));
}

void LineList::saveToFile(const QString &path) const
{
    writeFileAtomically(path, toBytes());
}

#ifndef TESSARO_RECORDS_LINELIST_H
#define TESSARO_RECORDS_LINELIST_H

#include "records/textencoding.h"

#include <QString>
#include <QStringList>
#include <QStringView>

// A line ends at CR LF, at a lone LF or at a lone CR; LF followed by CR makes two breaks with an
// empty line between them; a break at the very end adds no empty line.
QStringList splitLines(QStringView text);

// Calls line(QStringView) for each line splitLines gives, without copying any.
template<typename LineFunction>
void forEachLine(QStringView text, LineFunction &&line)
{
    const qsizetype size = text.size();
    qsizetype position = 0;
    while (position < size) {
        qsizetype end = position;
        while (end < size && text[end] != u'\r' && text[end] != u'\n')
            ++end;
        line(text.sliced(position, end - position));
        position = end;
        if (position < size && text[position] == u'\r')
            ++position;
        if (position < size && text[position] == u'\n')
            ++position;
    }
}

// Every line followed by CR LF, the last one included.
QString joinLines(const QStringList &lines);

// A text file held as lines, together with the encoding its most recent read found. This is the
// open participant file of the main window.
class LineList
{
public:
    const QStringList &lines() const { return m_lines; }
    qsizetype count() const { return m_lines.size(); }
    bool isEmpty() const { return m_lines.isEmpty(); }
    const QString &at(qsizetype index) const { return m_lines.at(index); }

    // Replaces the lines as if they had passed through the file text: a line that holds a line
    // break becomes several lines.
    void setLines(const QStringList &lines);
    void append(const QString &line);
    void clear() { m_lines.clear(); }

    // The encoding found by the most recent read; ANSI before any read. Clearing keeps it.
    TextEncoding encoding() const { return m_encoding; }
    void setEncoding(TextEncoding encoding) { m_encoding = encoding; }

    void loadFromBytes(QByteArrayView bytes);
    QByteArray toBytes() const;

    void loadFromFile(const QString &path);
    // Writes the lines atomically; the file is never left half-written.
    void saveToFile(const QString &path) const;

private:
    QStringList m_lines;
    TextEncoding m_encoding = TextEncoding::Ansi;
};

#endif

#include "records/delimitedtext.h"

#include "records/textencoding.h"

#include <QStringDecoder>

QString decodeDelimitedText(QByteArrayView bytes)
{
    DecodedText decoded = decodeText(bytes);
    if (decoded.encoding != TextEncoding::Ansi)
        return decoded.text;
    QStringDecoder utf8(QStringDecoder::Utf8);
    QString text = utf8.decode(bytes);
    return utf8.hasError() ? decoded.text : text;
}

QChar delimiterOf(QStringView text)
{
    const QChar candidates[] = {u';', u'\t', u','};
    int counts[3] = {};
    bool quoted = false;
    for (const QChar c : text) {
        if (c == u'"')
            quoted = !quoted;
        else if (!quoted && (c == u'\r' || c == u'\n'))
            break;
        else if (!quoted) {
            for (int i = 0; i < 3; ++i)
                counts[i] += c == candidates[i];
        }
    }
    int best = 0;
    for (int i = 1; i < 3; ++i) {
        if (counts[i] > counts[best])
            best = i;
    }
    return candidates[best];
}

QList<DelimitedRow> readDelimitedRows(QStringView text, QChar delimiter)
{
    QList<DelimitedRow> rows;
    DelimitedRow row{1, {}};
    QString field;
    int line = 1;
    const qsizetype size = text.size();
    // Whether the character at is the last of a line break: LF, or CR not followed by LF.
    const auto endsLine = [&](qsizetype at) {
        return text[at] == u'\n'
            || (text[at] == u'\r' && (at + 1 == size || text[at + 1] != u'\n'));
    };
    qsizetype at = 0;
    while (at < size) {
        const QChar c = text[at];
        if (c == u'"' && field.isEmpty()) {
            // A quoted field: up to the quote that is not doubled.
            for (++at; at < size; ++at) {
                if (text[at] == u'"') {
                    if (at + 1 == size || text[at + 1] != u'"')
                        break;
                    ++at;
                } else if (endsLine(at)) {
                    ++line;
                }
                field += text[at];
            }
            ++at;
        } else if (c == delimiter) {
            row.fields.append(std::exchange(field, QString()));
            ++at;
        } else if (c == u'\r' || c == u'\n') {
            if (!endsLine(at)) // CR of CR LF
                ++at;
            ++at;
            row.fields.append(std::exchange(field, QString()));
            rows.append(std::exchange(row, DelimitedRow{++line, {}}));
        } else {
            field += c;
            ++at;
        }
    }
    if (!field.isEmpty() || !row.fields.isEmpty()) {
        row.fields.append(field);
        rows.append(row);
    }
    return rows;
}

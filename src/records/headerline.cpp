#include "records/headerline.h"

#include "records/dayformat.h"
#include "records/filereading.h"
#include "records/textencoding.h"
#include "records/windows1252.h"

namespace {

constexpr qsizetype kChunkSize = 4096;

// Where the text starts and how wide its code units are, by the byte-order mark. The mark is
// only known once three bytes are there (or the file has ended).
struct Layout
{
    TextEncoding encoding = TextEncoding::Ansi;
    qsizetype markLength = 0;
    int unitSize = 1;
    bool bigEndian = false;
};

Layout layoutOf(QByteArrayView firstBytes)
{
    const TextEncoding encoding
        = decodeText(firstBytes.first(qMin<qsizetype>(3, firstBytes.size()))).encoding;
    switch (encoding) {
    case TextEncoding::Utf8:
        return {encoding, 3, 1, false};
    case TextEncoding::Utf16LE:
        return {encoding, 2, 2, false};
    case TextEncoding::Utf16BE:
        return {encoding, 2, 2, true};
    case TextEncoding::Ansi:
        break;
    }
    return {};
}

// The code unit at offset; a whole unit must be there.
char16_t unitAt(QByteArrayView bytes, const Layout &layout, qsizetype offset)
{
    const auto *data = reinterpret_cast<const uchar *>(bytes.data());
    if (layout.unitSize == 1)
        return data[offset];
    return layout.bigEndian ? char16_t(data[offset] << 8 | data[offset + 1])
                            : char16_t(data[offset + 1] << 8 | data[offset]);
}

bool isBreak(char16_t unit)
{
    return unit == u'\r' || unit == u'\n';
}

// The offset of the first line break at or after from (a unit boundary), or -1; from is moved
// past every complete unit looked at.
qsizetype findBreak(QByteArrayView bytes, const Layout &layout, qsizetype &from)
{
    for (; from + layout.unitSize <= bytes.size(); from += layout.unitSize) {
        if (isBreak(unitAt(bytes, layout, from)))
            return from;
    }
    return -1;
}

// Where the class of the header line lies in a file's bytes, without the blanks and control
// characters around it. The field split rule looks for the vertical tab first, then for "|";
// both, the line breaks and the characters trimmed are single units below 128 in every encoding
// of the file, which no multi-byte UTF-8 sequence contains, so the bytes around the class can
// stay as they are whatever the rest holds.
struct ClassSpan
{
    Layout layout;
    qsizetype start = 0;
    qsizetype end = 0;
};

ClassSpan classSpanOf(QByteArrayView bytes)
{
    ClassSpan span;
    span.layout = layoutOf(bytes);
    const Layout &layout = span.layout;
    qsizetype scanned = layout.markLength;
    const qsizetype breakAt = findBreak(bytes, layout, scanned);
    // Without a break the line takes the whole rest, a dangling byte of UTF-16 included.
    const qsizetype lineEnd = breakAt < 0 ? bytes.size() : breakAt;
    qsizetype fieldEnd = lineEnd;
    for (const char16_t separator : {u'\v', u'|'}) {
        for (qsizetype at = layout.markLength; at + layout.unitSize <= lineEnd;
             at += layout.unitSize) {
            if (unitAt(bytes, layout, at) == separator) {
                fieldEnd = at;
                break;
            }
        }
        if (fieldEnd != lineEnd)
            break;
    }
    span.start = layout.markLength;
    while (span.start < fieldEnd && unitAt(bytes, layout, span.start) <= u' ')
        span.start += layout.unitSize;
    span.end = fieldEnd;
    // A dangling byte is no blank.
    while ((span.end - span.start) % layout.unitSize == 0 && span.end > span.start
        && unitAt(bytes, layout, span.end - layout.unitSize) <= u' ')
        span.end -= layout.unitSize;
    return span;
}

} // namespace

std::optional<QString> readHeaderLine(const QString &path)
{
    RegularFileReader file(path);
    QByteArray bytes;
    std::optional<Layout> layout;
    qsizetype scanned = 0;
    bool more = true;
    while (more) {
        more = file.readChunk(bytes, kChunkSize);
        if (!layout && (bytes.size() >= 3 || !more)) {
            layout = layoutOf(bytes);
            scanned = layout->markLength;
        }
        if (layout) {
            const qsizetype lineEnd = findBreak(bytes, *layout, scanned);
            if (lineEnd >= 0)
                return decodeText(QByteArrayView(bytes).first(lineEnd)).text;
        }
    }
    // No line break: the whole text is the one line, unless there is no text at all.
    QString text = decodeText(bytes).text;
    if (text.isEmpty())
        return std::nullopt;
    return text;
}

QString headerClass(const QString &headerLine)
{
    return trimmedText(splitFields(headerLine).first);
}

QString headerClassOf(QByteArrayView fileBytes)
{
    const ClassSpan span = classSpanOf(fileBytes);
    const QByteArrayView schoolClass = fileBytes.sliced(span.start, span.end - span.start);
    if (span.layout.encoding == TextEncoding::Ansi)
        return Windows1252::decode(schoolClass);
    // Decoded behind the file's own byte-order mark, by the same rules as the whole file.
    QByteArray marked = fileBytes.first(span.layout.markLength).toByteArray();
    marked.append(schoolClass);
    return decodeText(marked).text;
}

QByteArray withHeaderClass(QByteArrayView fileBytes, QStringView schoolClass)
{
    const ClassSpan span = classSpanOf(fileBytes);
    QByteArray result;
    result.reserve(fileBytes.size() + schoolClass.size() * 3);
    result.append(fileBytes.first(span.start));
    result.append(encodeText(schoolClass, span.layout.encoding).sliced(span.layout.markLength));
    result.append(fileBytes.sliced(span.end));
    return result;
}

#include "records/headerline.h"

#include "records/dayformat.h"
#include "records/filereading.h"
#include "records/textencoding.h"

namespace {

constexpr qsizetype kChunkSize = 4096;

// Where the text starts and how wide its code units are, by the byte-order mark. The mark is
// only known once three bytes are there (or the file has ended).
struct Layout
{
    qsizetype markLength = 0;
    int unitSize = 1;
    bool bigEndian = false;
};

Layout layoutOf(QByteArrayView firstBytes)
{
    switch (decodeText(firstBytes.first(qMin<qsizetype>(3, firstBytes.size()))).encoding) {
    case TextEncoding::Utf8:
        return {3, 1, false};
    case TextEncoding::Utf16LE:
        return {2, 2, false};
    case TextEncoding::Utf16BE:
        return {2, 2, true};
    case TextEncoding::Ansi:
        break;
    }
    return {};
}

bool isBreak(char16_t unit)
{
    return unit == u'\r' || unit == u'\n';
}

// The offset of the first line break at or after from (a unit boundary), or -1; from is moved
// past every complete unit looked at.
qsizetype findBreak(QByteArrayView bytes, const Layout &layout, qsizetype &from)
{
    const auto *data = reinterpret_cast<const uchar *>(bytes.data());
    for (; from + layout.unitSize <= bytes.size(); from += layout.unitSize) {
        char16_t unit = data[from];
        if (layout.unitSize == 2) {
            unit = layout.bigEndian ? char16_t(data[from] << 8 | data[from + 1])
                                    : char16_t(data[from + 1] << 8 | data[from]);
        }
        if (isBreak(unit))
            return from;
    }
    return -1;
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

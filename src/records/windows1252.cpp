#include "records/windows1252.h"

#include <array>

namespace {

// Code points of the bytes 0x80 to 0x9F; the unassigned 0x81, 0x8D, 0x8F, 0x90 and 0x9D map
// to the control characters of the same value.
constexpr std::array<char16_t, 32> kHighControlRange = {
    0x20AC,
    0x0081,
    0x201A,
    0x0192,
    0x201E,
    0x2026,
    0x2020,
    0x2021,
    0x02C6,
    0x2030,
    0x0160,
    0x2039,
    0x0152,
    0x008D,
    0x017D,
    0x008F,
    0x0090,
    0x2018,
    0x2019,
    0x201C,
    0x201D,
    0x2022,
    0x2013,
    0x2014,
    0x02DC,
    0x2122,
    0x0161,
    0x203A,
    0x0153,
    0x009D,
    0x017E,
    0x0178,
};

// Letters with a stroke or other mark that Unicode does not decompose, and common
// punctuation without a counterpart in the code page.
struct BestFit
{
    char16_t from;
    char to;
};
constexpr BestFit kExtraBestFits[] = {
    {0x0110, 'D'},
    {0x0111, 'd'},
    {0x0126, 'H'},
    {0x0127, 'h'},
    {0x0131, 'i'},
    {0x0141, 'L'},
    {0x0142, 'l'},
    {0x0166, 'T'},
    {0x0167, 't'},
    {0x0180, 'b'},
    {0x0197, 'I'},
    {0x01B5, 'Z'},
    {0x01B6, 'z'},
    {0x01E4, 'G'},
    {0x01E5, 'g'},
    {0x2010, '-'},
    {0x2011, '-'},
    {0x2012, '-'},
    {0x2015, '-'},
    {0x2032, '\''},
    {0x2033, '"'},
    {0x2212, '-'},
};

int encodeExact(char16_t c)
{
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF))
        return c;
    for (int i = 0; i < int(kHighControlRange.size()); ++i) {
        if (kHighControlRange[i] == c)
            return 0x80 + i;
    }
    return -1;
}

bool onlyMarksFollow(const QString &decomposition)
{
    for (qsizetype i = 1; i < decomposition.size(); ++i) {
        if (!decomposition.at(i).isMark())
            return false;
    }
    return true;
}

char encodeBestFit(char16_t c)
{
    // Follow single-character decompositions (base letter plus combining marks, full-width
    // forms) until a character of the code page appears.
    QChar current(c);
    for (int depth = 0; depth < 4; ++depth) {
        const QString decomposition = current.decomposition();
        if (decomposition.isEmpty() || !onlyMarksFollow(decomposition))
            break;
        current = decomposition.at(0);
        const int exact = encodeExact(current.unicode());
        if (exact >= 0x20 && exact != 0x7F)
            return char(exact);
    }
    for (const BestFit &fit : kExtraBestFits) {
        if (fit.from == c)
            return fit.to;
    }
    return '?';
}

} // namespace

namespace Windows1252 {

QString decode(QByteArrayView bytes)
{
    QString text(bytes.size(), Qt::Uninitialized);
    QChar *out = text.data();
    for (const char byte : bytes) {
        const auto value = static_cast<unsigned char>(byte);
        *out++ = QChar(value >= 0x80 && value < 0xA0 ? kHighControlRange[value - 0x80] : value);
    }
    return text;
}

QByteArray encode(QStringView text)
{
    QByteArray bytes;
    bytes.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        const int exact = encodeExact(c);
        if (exact >= 0) {
            bytes.append(char(exact));
        } else if (QChar::isHighSurrogate(c) && i + 1 < text.size()
            && QChar::isLowSurrogate(text[i + 1].unicode())) {
            bytes.append('?');
            ++i;
        } else {
            bytes.append(encodeBestFit(c));
        }
    }
    return bytes;
}

} // namespace Windows1252

#include "records/textencoding.h"

#include "records/windows1252.h"

#include <QStringDecoder>
#include <QtEndian>

namespace {

constexpr char kUtf8Mark[] = "\xEF\xBB\xBF";
constexpr char kUtf16LEMark[] = "\xFF\xFE";
constexpr char kUtf16BEMark[] = "\xFE\xFF";

// A second mark after ours is text and must survive a round trip.
QString decodeUtf8(QByteArrayView bytes)
{
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::ConvertInitialBom);
    return decoder.decode(bytes);
}

QString decodeUtf16(QByteArrayView bytes, bool littleEndian)
{
    const qsizetype units = bytes.size() / 2;
    QString text(units, Qt::Uninitialized);
    const auto *in = reinterpret_cast<const uchar *>(bytes.data());
    QChar *out = text.data();
    for (qsizetype i = 0; i < units; ++i) {
        out[i] = QChar(littleEndian ? qFromLittleEndian<quint16>(in + 2 * i)
                                    : qFromBigEndian<quint16>(in + 2 * i));
    }
    if (bytes.size() % 2 != 0)
        text.append(QChar::ReplacementCharacter);
    return text;
}

QByteArray encodeUtf16(QStringView text, bool littleEndian)
{
    QByteArray bytes(2 + text.size() * 2, Qt::Uninitialized);
    auto *out = reinterpret_cast<uchar *>(bytes.data());
    const quint16 mark = 0xFEFF;
    littleEndian ? qToLittleEndian(mark, out) : qToBigEndian(mark, out);
    for (qsizetype i = 0; i < text.size(); ++i) {
        const quint16 unit = text[i].unicode();
        uchar *at = out + 2 + 2 * i;
        littleEndian ? qToLittleEndian(unit, at) : qToBigEndian(unit, at);
    }
    return bytes;
}

} // namespace

TextEncoding encodingOf(QByteArrayView bytes)
{
    if (bytes.startsWith(kUtf8Mark))
        return TextEncoding::Utf8;
    if (bytes.startsWith(kUtf16LEMark))
        return TextEncoding::Utf16LE;
    if (bytes.startsWith(kUtf16BEMark))
        return TextEncoding::Utf16BE;
    return TextEncoding::Ansi;
}

qsizetype markSize(TextEncoding encoding)
{
    switch (encoding) {
    case TextEncoding::Utf8:
        return 3;
    case TextEncoding::Utf16LE:
    case TextEncoding::Utf16BE:
        return 2;
    case TextEncoding::Ansi:
        break;
    }
    return 0;
}

QString decodeWithoutMark(QByteArrayView bytes, TextEncoding encoding)
{
    switch (encoding) {
    case TextEncoding::Utf8:
        return decodeUtf8(bytes);
    case TextEncoding::Utf16LE:
        return decodeUtf16(bytes, true);
    case TextEncoding::Utf16BE:
        return decodeUtf16(bytes, false);
    case TextEncoding::Ansi:
        break;
    }
    return Windows1252::decode(bytes);
}

DecodedText decodeText(QByteArrayView bytes)
{
    const TextEncoding encoding = encodingOf(bytes);
    return {decodeWithoutMark(bytes.sliced(markSize(encoding)), encoding), encoding};
}

QByteArray encodeText(QStringView text, TextEncoding encoding)
{
    switch (encoding) {
    case TextEncoding::Utf8:
        return QByteArray(kUtf8Mark) + text.toUtf8();
    case TextEncoding::Utf16LE:
        return encodeUtf16(text, true);
    case TextEncoding::Utf16BE:
        return encodeUtf16(text, false);
    case TextEncoding::Ansi:
        break;
    }
    return Windows1252::encode(text);
}

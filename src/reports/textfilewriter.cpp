#include "reports/textfilewriter.h"

#include "records/atomicwrite.h"
#include "records/error.h"
#include "records/fileoperations.h"
#include "records/linelist.h"
#include "records/textencoding.h"
#include "records/windows1252.h"

#include <cerrno>

using namespace Qt::StringLiterals;

namespace {

constexpr int kDefaultHalfPoints = 24;

void appendHexEscape(QByteArray &rtf, uchar byte)
{
    rtf += "\\'";
    rtf += QByteArray::number(byte, 16).rightJustified(2, '0');
}

// One UTF-16 unit as \uN (N signed 16-bit) followed by its one-byte substitute.
void appendUnicodeEscape(QByteArray &rtf, char16_t unit, uchar substitute)
{
    rtf += "\\u";
    rtf += QByteArray::number(qint16(unit));
    appendHexEscape(rtf, substitute);
}

// Text in RTF: the three special characters escaped, tabs as \tab, control characters by their
// byte, everything beyond ASCII as a Unicode escape.
void appendRichText(QByteArray &rtf, QStringView text)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t unit = text[i].unicode();
        if (unit == u'\\' || unit == u'{' || unit == u'}') {
            rtf += '\\';
            rtf += char(unit);
        } else if (unit == u'\t') {
            rtf += "\\tab ";
        } else if (unit < 0x20 || unit == 0x7F) {
            appendHexEscape(rtf, uchar(unit));
        } else if (unit < 0x80) {
            rtf += char(unit);
        } else if (QChar::isHighSurrogate(unit) && i + 1 < text.size()
            && text[i + 1].isLowSurrogate()) {
            // A character beyond the Basic Multilingual Plane: both units, each with a "?".
            appendUnicodeEscape(rtf, unit, '?');
            appendUnicodeEscape(rtf, text[++i].unicode(), '?');
        } else {
            appendUnicodeEscape(rtf, unit, uchar(Windows1252::encode(text.sliced(i, 1)).at(0)));
        }
    }
}

QByteArray fontFormatting(const TextFileFont &look)
{
    QByteArray rtf = "{\\fonttbl{\\f0\\fnil\\fcharset" + QByteArray::number(look.charSet) + ' ';
    // A ";" would end the name early.
    QString family = look.font.family();
    family.replace(u';', u',');
    appendRichText(rtf, family);
    rtf += ";}}";
    const QColor color = look.color.toRgb();
    rtf += "{\\colortbl;\\red" + QByteArray::number(color.red()) + "\\green"
        + QByteArray::number(color.green()) + "\\blue" + QByteArray::number(color.blue())
        + ";}\r\n";
    const qreal points = look.font.pointSizeF();
    rtf += "\\pard\\plain\\f0\\fs"
        + QByteArray::number(points > 0 ? qRound(points * 2) : kDefaultHalfPoints) + "\\cf1";
    if (look.font.bold())
        rtf += "\\b";
    if (look.font.italic())
        rtf += "\\i";
    if (look.font.underline())
        rtf += "\\ul";
    if (look.font.strikeOut())
        rtf += "\\strike";
    return rtf + ' ';
}

} // namespace

QByteArray richTextDocument(const QString &text, const std::optional<TextFileFont> &font)
{
    QByteArray rtf = "{\\rtf1\\ansi\\ansicpg1252\\deff0\\uc1";
    rtf += font ? fontFormatting(*font) : QByteArray("{\\fonttbl{\\f0\\fnil Arial;}}\r\n\\pard ");
    for (const QString &line : splitLines(text)) {
        appendRichText(rtf, line);
        rtf += "\\par\r\n";
    }
    return rtf + "}\r\n";
}

QByteArray textFileBytes(
    const QString &text, TextFileFormat format, const std::optional<TextFileFont> &font)
{
    const QString lines = joinLines(splitLines(text));
    switch (format) {
    case TextFileFormat::Ansi:
        return encodeText(lines, TextEncoding::Ansi);
    case TextFileFormat::Utf16:
        return encodeText(lines, TextEncoding::Utf16LE);
    case TextFileFormat::RichText:
        return richTextDocument(text, font);
    case TextFileFormat::Utf8:
        break;
    }
    return encodeText(lines, TextEncoding::Utf8);
}

void saveTextFile(const QString &path, const QString &text, TextFileFormat format,
    const std::optional<TextFileFont> &font)
{
    if (isWriteProtected(path))
        throw TessaroError(createErrorText(path, systemErrorReason(EACCES)));
    saveFile(path, textFileBytes(text, format, font));
}

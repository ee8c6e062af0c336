#ifndef TESSARO_REPORTS_TEXTFILEWRITER_H
#define TESSARO_REPORTS_TEXTFILEWRITER_H

#include <QByteArray>
#include <QColor>
#include <QFont>
#include <QString>

#include <optional>

// Writing a text as a plain-text or a rich-text file.

enum class TextFileFormat {
    Ansi = 1, // Windows-1252 without byte-order mark; other characters become a substitute
    Utf16 = 2, // UTF-16 little endian after the mark FF FE
    RichText = 3, // Rich Text Format, one paragraph per line
    Utf8 = 4, // UTF-8 after the mark EF BB BF
};

// The look a rich-text file gives its whole text.
struct TextFileFont
{
    QFont font; // family, point size, bold, italic, underline, strike-out
    QColor color;
    int charSet = 0;
};

// The file's bytes. The text is cut into lines (at CR LF, lone LF or lone CR); plain text has
// CR LF after every line, the last one included.
QByteArray textFileBytes(
    const QString &text, TextFileFormat format, const std::optional<TextFileFont> &font = {});

// A Rich Text Format document of the lines, in the font when one is given. Every character
// beyond ASCII is written as a Unicode escape (with its Windows-1252 substitute for readers
// without Unicode), so that a reader shows the exact text whatever character set the font names.
QByteArray richTextDocument(const QString &text, const std::optional<TextFileFont> &font);

// Creates or replaces the file through saveFile: atomically, so that a failure leaves no
// half-written file, or in place where the folder takes no new file. An existing file that may
// not be written is left alone. Failures raise TessaroError:
// "Datei \"%s\" kann nicht erstellt werden. %s".
void saveTextFile(const QString &path, const QString &text, TextFileFormat format,
    const std::optional<TextFileFont> &font = {});

#endif

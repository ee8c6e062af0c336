#ifndef TESSARO_RECORDS_DAYFORMAT_H
#define TESSARO_RECORDS_DAYFORMAT_H

#include <QString>
#include <QStringList>
#include <QStringView>

#include <optional>
#include <utility>

// The lines of a participant file: line 0 is the header "class|comment"; then one block per
// day: the date line "date|remark", the present flag line, the information lines and the
// separator line. Day 1 is the first block after the header.

inline const QString kSeparatorLine = QStringLiteral("<--------------->");

// A line that holds the separator text anywhere ends a day's block.
bool isSeparatorLine(QStringView line);

// Removes leading and trailing characters with codes up to 32 (blanks and control characters).
QString trimmedText(QStringView text);
QStringView trimmedView(QStringView text);

struct Fields
{
    QString first;
    QString second;
};

// Header and date lines: split at the first vertical tab wherever it stands, otherwise at the
// first "|"; without either the whole line is the first field.
Fields splitFields(QStringView line);
// The same as views into the line.
std::pair<QStringView, QStringView> splitFieldViews(QStringView line);

// The number of days: every occurrence of the separator text counts, also in the header and
// several in one line.
int countDays(const QStringList &lines);

// The value of an integer literal as the flag line holds it: optional leading blanks and sign,
// then decimal digits or hexadecimal digits after "$" or "0x". Empty when the text is not such
// a literal or does not fit 32 bits.
std::optional<int> parseIntegerLiteral(QStringView text);

// Present choice: 0 is "&Nein", 1 is "&Ja".
inline constexpr int kAbsent = 0;
inline constexpr int kPresent = 1;

struct DayRecord
{
    QString date; // trimmed
    QString remark; // as stored
    int present = kPresent;
    QStringList infoLines;

    bool operator==(const DayRecord &) const = default;
};

// Reads day number; a day without lines (or number 0) gives empty values and "present".
DayRecord readDay(const QStringList &lines, int number);
// Reads the day from the lines begin to end of its block, without its separator line.
DayRecord readDayLines(const QStringList &lines, qsizetype begin, qsizetype end);

// The lines of a day block as written: date line, flag line, information lines, separator.
QStringList dayBlock(const DayRecord &day);

// Replaces day dayNumber by block and the header by header; every other line is copied
// unchanged. A day that has no lines of its own (the separator text stands in the header or
// twice in one line, so the days counted exceed the blocks) is written behind the last line,
// after as many empty days as it takes for the reading rules to find it under its number.
QStringList rebuildWithDay(
    const QStringList &lines, int dayNumber, const QString &header, const QStringList &block);

// Inserts the block directly after the header, so that it becomes day 1.
QStringList insertDayBlock(const QStringList &lines, const QStringList &block);

// Removes the lines of day n, its separator line included. The header becomes the class alone.
QStringList removeDay(const QStringList &lines, int n, const QString &schoolClass);

// The name shown for a participant: without a folder part (before the last "/", "\" or ":")
// and without its last extension.
QString displayName(QStringView name);

#endif

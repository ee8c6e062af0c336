#include "records/dayformat.h"

#include <limits>

namespace {

constexpr QChar kVerticalTab(11);

int digitValue(QChar c, int base)
{
    const char16_t u = c.unicode();
    int value = -1;
    if (u >= u'0' && u <= u'9')
        value = u - u'0';
    else if (u >= u'a' && u <= u'f')
        value = u - u'a' + 10;
    else if (u >= u'A' && u <= u'F')
        value = u - u'A' + 10;
    return value < base ? value : -1;
}

} // namespace

bool isSeparatorLine(QStringView line)
{
    return line.contains(kSeparatorLine);
}

QStringView trimmedView(QStringView text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && text[begin].unicode() <= 32)
        ++begin;
    while (end > begin && text[end - 1].unicode() <= 32)
        --end;
    return text.sliced(begin, end - begin);
}

QString trimmedText(QStringView text)
{
    return trimmedView(text).toString();
}

std::pair<QStringView, QStringView> splitFieldViews(QStringView line)
{
    qsizetype at = line.indexOf(kVerticalTab);
    if (at < 0)
        at = line.indexOf(u'|');
    if (at < 0)
        return {line, QStringView()};
    return {line.left(at), line.sliced(at + 1)};
}

Fields splitFields(QStringView line)
{
    const auto [first, second] = splitFieldViews(line);
    return {first.toString(), second.toString()};
}

int countDays(const QStringList &lines)
{
    qsizetype count = 0;
    for (const QString &line : lines)
        count += line.count(kSeparatorLine);
    return int(qMin<qsizetype>(count, std::numeric_limits<int>::max()));
}

std::optional<int> parseIntegerLiteral(QStringView text)
{
    qsizetype at = 0;
    while (at < text.size() && text[at] == u' ')
        ++at;
    bool negative = false;
    if (at < text.size() && (text[at] == u'+' || text[at] == u'-')) {
        negative = text[at] == u'-';
        ++at;
    }
    int base = 10;
    if (at < text.size() && text[at] == u'$') {
        base = 16;
        ++at;
    } else if (at + 1 < text.size() && text[at] == u'0'
        && (text[at + 1] == u'x' || text[at + 1] == u'X')) {
        base = 16;
        at += 2;
    }
    if (at == text.size())
        return std::nullopt;
    qint64 value = 0;
    for (; at < text.size(); ++at) {
        const int digit = digitValue(text[at], base);
        if (digit < 0)
            return std::nullopt;
        value = value * base + digit;
        if (value > qint64(std::numeric_limits<int>::max()) + 1)
            return std::nullopt;
    }
    if (negative)
        value = -value;
    if (value > std::numeric_limits<int>::max())
        return std::nullopt;
    return int(value);
}

DayRecord readDay(const QStringList &lines, int number)
{
    if (number == 0)
        return DayRecord();
    int block = 1;
    qsizetype begin = 1;
    for (qsizetype index = 1; index < lines.size(); ++index) {
        if (!isSeparatorLine(lines.at(index)))
            continue;
        if (block == number)
            return readDayLines(lines, begin, index);
        ++block;
        begin = index + 1;
    }
    return block == number ? readDayLines(lines, begin, lines.size()) : DayRecord();
}

DayRecord readDayLines(const QStringList &lines, qsizetype begin, qsizetype end)
{
    DayRecord day;
    for (qsizetype index = begin; index < end; ++index) {
        const QString &line = lines.at(index);
        if (index == begin) {
            Fields fields = splitFields(line);
            day.date = trimmedText(fields.first);
            day.remark = std::move(fields.second);
        } else if (index == begin + 1) {
            // Any value of 1 or more means present; a negative value or text keeps the default.
            const std::optional<int> flag = parseIntegerLiteral(line);
            if (flag && *flag >= 0)
                day.present = qMin(*flag, kPresent);
        } else {
            day.infoLines.append(line);
        }
    }
    return day;
}

QStringList dayBlock(const DayRecord &day)
{
    QStringList block;
    block.reserve(day.infoLines.size() + 3);
    block.append(day.date + u'|' + day.remark);
    block.append(QString::number(day.present));
    block += day.infoLines;
    block.append(kSeparatorLine);
    return block;
}

QStringList rebuildWithDay(
    const QStringList &lines, int dayNumber, const QString &header, const QStringList &block)
{
    QStringList result;
    result.reserve(lines.size() + block.size());
    result.append(header);
    int day = 1;
    int lineInBlock = 1;
    bool written = false;
    for (qsizetype index = 1; index < lines.size(); ++index) {
        const QString &line = lines.at(index);
        if (day != dayNumber) {
            result.append(line);
        } else if (lineInBlock == 1) {
            result += block;
            written = true;
        }
        ++lineInBlock;
        if (isSeparatorLine(line)) {
            ++day;
            lineInBlock = 1;
        }
    }
    if (!written && dayNumber >= 1) {
        // The day has no lines of its own. Close the lines after the last separator line as a
        // day of their own, put empty days in front up to the number, then the day itself.
        if (lineInBlock > 1) {
            result.append(kSeparatorLine);
            ++day;
        }
        for (; day < dayNumber; ++day)
            result.append(kSeparatorLine);
        result += block;
    }
    return result;
}

QStringList insertDayBlock(const QStringList &lines, const QStringList &block)
{
    return lines.mid(0, 1) + block + lines.mid(1);
}

QStringList removeDay(const QStringList &lines, int n, const QString &schoolClass)
{
    QStringList result;
    result.reserve(lines.size());
    result.append(schoolClass);
    int day = 1;
    for (qsizetype index = 1; index < lines.size(); ++index) {
        const QString &line = lines.at(index);
        if (day != n)
            result.append(line);
        if (isSeparatorLine(line))
            ++day;
    }
    return result;
}

QString displayName(QStringView name)
{
    qsizetype folderEnd = -1;
    for (qsizetype i = 0; i < name.size(); ++i) {
        if (name[i] == u'/' || name[i] == u'\\' || name[i] == u':')
            folderEnd = i;
    }
    QStringView base = name.sliced(folderEnd + 1);
    const qsizetype dot = base.lastIndexOf(u'.');
    if (dot >= 0)
        base = base.left(dot);
    return base.toString();
}

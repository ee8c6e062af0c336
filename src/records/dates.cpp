#include "records/dates.h"

#include "records/dayformat.h"

using namespace Qt::StringLiterals;

namespace {

DateNames &mutableDateNames()
{
    static DateNames names = germanDateNames();
    return names;
}

// The weekday abbreviations of the date text, Monday first.
constexpr const char16_t *kWeekdays[] = {u"Mo", u"Di", u"Mi", u"Do", u"Fr", u"Sa", u"So"};

bool isAsciiDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

// Reads minDigits to maxDigits decimal digits at pos; -1 when there are fewer.
int readNumber(QStringView text, qsizetype &pos, int minDigits, int maxDigits)
{
    int value = 0;
    int digits = 0;
    for (; pos < text.size() && digits < maxDigits && isAsciiDigit(text[pos]); ++pos, ++digits)
        value = value * 10 + (text[pos].unicode() - u'0');
    return digits >= minDigits ? value : -1;
}

bool skipChar(QStringView text, qsizetype &pos, QChar c)
{
    if (pos >= text.size() || text[pos] != c)
        return false;
    ++pos;
    return true;
}

bool skipBlanks(QStringView text, qsizetype &pos)
{
    const qsizetype start = pos;
    while (pos < text.size() && text[pos] == u' ')
        ++pos;
    return pos > start;
}

// 1 to 12 for a long month name in any letter case, 0 for anything else.
int monthNumber(QStringView name, const DateNames &names)
{
    static const DateNames german = germanDateNames();
    for (int month = 1; month <= 12; ++month) {
        for (const DateNames *table : {&names, &german}) {
            if (name.compare(table->longMonthNames.value(month - 1), Qt::CaseInsensitive) == 0)
                return month;
        }
    }
    return name.compare(u"Januar", Qt::CaseInsensitive) == 0 ? 1 : 0;
}

// "dd.mm.yyyy", day and month with one or two digits.
std::optional<QDate> readNumericDate(QStringView text)
{
    qsizetype pos = 0;
    const int day = readNumber(text, pos, 1, 2);
    if (day < 0 || !skipChar(text, pos, u'.'))
        return std::nullopt;
    const int month = readNumber(text, pos, 1, 2);
    if (month < 0 || !skipChar(text, pos, u'.'))
        return std::nullopt;
    const int year = readNumber(text, pos, 4, 4);
    const QDate date(year, month, day);
    if (year < 0 || pos != text.size() || !date.isValid())
        return std::nullopt;
    return date;
}

// "Mo., 6. Jänner 2025", the weekday optional.
std::optional<QDate> readNamedDate(QStringView text, const DateNames &names)
{
    qsizetype pos = 0;
    int weekday = 0;
    if (text.size() >= 2 && !isAsciiDigit(text[0])) {
        for (int i = 0; i < 7 && weekday == 0; ++i) {
            if (text.first(2).compare(QStringView(kWeekdays[i]), Qt::CaseInsensitive) == 0)
                weekday = i + 1;
        }
        pos = 2;
        const bool dot = skipChar(text, pos, u'.');
        const bool comma = skipChar(text, pos, u',');
        if (weekday == 0 || !(skipBlanks(text, pos) || dot || comma))
            return std::nullopt;
    }
    const int day = readNumber(text, pos, 1, 2);
    if (day < 0 || !skipChar(text, pos, u'.'))
        return std::nullopt;
    skipBlanks(text, pos);
    const qsizetype monthStart = pos;
    while (pos < text.size() && text[pos] != u' ')
        ++pos;
    const int month = monthNumber(text.sliced(monthStart, pos - monthStart), names);
    if (month == 0 || !skipBlanks(text, pos))
        return std::nullopt;
    const int year = readNumber(text, pos, 4, 4);
    const QDate date(year, month, day);
    // A weekday that does not fit the date leaves open which of the two was meant.
    if (year < 0 || pos != text.size() || !date.isValid()
        || (weekday != 0 && date.dayOfWeek() != weekday))
        return std::nullopt;
    return date;
}

} // namespace

DateNames germanDateNames()
{
    return {
        {u"Jänner"_s, u"Februar"_s, u"März"_s, u"April"_s, u"Mai"_s, u"Juni"_s, u"Juli"_s,
            u"August"_s, u"September"_s, u"Oktober"_s, u"November"_s, u"Dezember"_s},
        {u"Jän"_s, u"Feb"_s, u"Mär"_s, u"Apr"_s, u"Mai"_s, u"Jun"_s, u"Jul"_s, u"Aug"_s, u"Sep"_s,
            u"Okt"_s, u"Nov"_s, u"Dez"_s},
        {u"So"_s, u"Mo"_s, u"Di"_s, u"Mi"_s, u"Do"_s, u"Fr"_s, u"Sa"_s},
    };
}

DateNames dateNamesOf(const QLocale &locale)
{
    const DateNames german = germanDateNames();
    if (locale.language() == QLocale::C)
        return german;
    DateNames names;
    for (int month = 1; month <= 12; ++month) {
        const QString longName = locale.monthName(month, QLocale::LongFormat);
        const QString shortName = locale.monthName(month, QLocale::ShortFormat);
        names.longMonthNames.append(
            longName.isEmpty() ? german.longMonthNames.at(month - 1) : longName);
        names.shortMonthNames.append(
            shortName.isEmpty() ? german.shortMonthNames.at(month - 1) : shortName);
    }
    // Qt counts weekdays from Monday (1) to Sunday (7); the table starts with Sunday.
    for (int day = 0; day < 7; ++day) {
        const QString name = locale.dayName(day == 0 ? 7 : day, QLocale::ShortFormat);
        names.shortDayNames.append(name.isEmpty() ? german.shortDayNames.at(day) : name);
    }
    return names;
}

void dropWeekdayDots(DateNames &names)
{
    for (QString &name : names.shortDayNames) {
        if (name.endsWith(u'.'))
            name.chop(1);
    }
}

void useAustrianMonthNames(DateNames &names, const QLocale &locale)
{
    for (QString &name : names.shortMonthNames) {
        const QString upper = locale.toUpper(name);
        if (upper == "JAN"_L1)
            name = u"Jän"_s;
        else if (upper == "MRZ"_L1)
            name = u"Mär"_s;
    }
    for (QString &name : names.longMonthNames) {
        if (locale.toUpper(name) == "JANUAR"_L1) {
            name = u"Jänner"_s;
            break;
        }
    }
}

const DateNames &dateNames()
{
    return mutableDateNames();
}

void initDateNames(const QLocale &locale)
{
    DateNames names = dateNamesOf(locale);
    dropWeekdayDots(names);
    useAustrianMonthNames(names, locale);
    mutableDateNames() = names;
}

QString dateText(QDate date, const DateNames &names)
{
    return u"%1., %2. %3 %4"_s.arg(QString::fromUtf16(kWeekdays[date.dayOfWeek() - 1]),
        QString::number(date.day()), names.longMonthNames.at(date.month() - 1),
        QString::number(date.year()).rightJustified(4, u'0'));
}

std::optional<QDate> readDateText(QStringView text, const DateNames &names)
{
    const QStringView trimmed = trimmedView(text);
    if (std::optional<QDate> date = readNumericDate(trimmed))
        return date;
    return readNamedDate(trimmed, names);
}

QString withThousandsDots(qint64 value)
{
    QString digits = QString::number(value);
    const bool negative = digits.startsWith(u'-');
    if (negative)
        digits.remove(0, 1);
    QString grouped;
    grouped.reserve(digits.size() + digits.size() / 3 + 1);
    for (qsizetype i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0)
            grouped += u'.';
        grouped += digits.at(i);
    }
    return negative ? u'-' + grouped : grouped;
}

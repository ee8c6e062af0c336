#include "records/dates.h"

using namespace Qt::StringLiterals;

namespace {

DateNames &mutableDateNames()
{
    static DateNames names = germanDateNames();
    return names;
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
    static const char16_t *const weekdays[] = {u"Mo", u"Di", u"Mi", u"Do", u"Fr", u"Sa", u"So"};
    return u"%1., %2. %3 %4"_s.arg(QString::fromUtf16(weekdays[date.dayOfWeek() - 1]),
        QString::number(date.day()), names.longMonthNames.at(date.month() - 1),
        QString::number(date.year()).rightJustified(4, u'0'));
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

#ifndef TESSARO_RECORDS_DATES_H
#define TESSARO_RECORDS_DATES_H

#include <QDate>
#include <QLocale>
#include <QString>
#include <QStringList>
#include <QStringView>

#include <optional>

// The month and weekday names of the program's date formatting, taken from the user's locale
// once at start and rewritten into their Austrian forms.
struct DateNames
{
    QStringList longMonthNames; // January first
    QStringList shortMonthNames; // January first
    QStringList shortDayNames; // Sunday first
};

// The German names with "Jänner"; used where the locale has no names of its own.
DateNames germanDateNames();

// The names of the locale; the German table for the C locale.
DateNames dateNamesOf(const QLocale &locale);

// Drops a trailing "." from the short weekday names ("So." becomes "So").
void dropWeekdayDots(DateNames &names);

// Short month names "JAN" and "MRZ" (compared upper-cased) become "Jän" and "Mär"; the first
// long month name "JANUAR" becomes "Jänner".
void useAustrianMonthNames(DateNames &names, const QLocale &locale);

// The names in use, set up by initDateNames before any window exists.
const DateNames &dateNames();
void initDateNames(const QLocale &locale);

// The date text of a day, e.g. "Mo., 6. Jänner 2025": a fixed German weekday abbreviation, then
// the day without leading zero, the full month name and the four-digit year.
QString dateText(QDate date, const DateNames &names = dateNames());

// The date a day's date text names, read without guessing: the program's own date text
// ("Mo., 6. Jänner 2025": the weekday is optional and must fit the date; the month is a long name
// of names, or of the German table with "Jänner" and "Januar", in any letter case) or "dd.mm.yyyy"
// (day and month with one or two digits). Blanks and control characters around the text are
// ignored. Empty for any other text and for a day that does not exist (31.02.2025).
std::optional<QDate> readDateText(QStringView text, const DateNames &names = dateNames());

// Decimal digits with "." before every complete group of three: 1000 gives "1.000".
QString withThousandsDots(qint64 value);

#endif

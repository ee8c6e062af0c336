#ifndef TESSARO_REPORTS_DAYFINDING_H
#define TESSARO_REPORTS_DAYFINDING_H

#include <QString>
#include <QStringList>
#include <QStringView>

#include <optional>

// Going to a day by its number and searching a day by its date, without any widget.

// The number typed into the go-to dialog: a whole number of 0 or more, read as the flag lines
// are read, raised to minimum and then lowered to maximum. Empty when the text is no such number.
std::optional<int> readDayNumber(QStringView text, int minimum, int maximum);

// How many decimal digits the number has; the go-to field allows no more.
int digitCount(int number);

// The first day after afterDay whose date part contains searchText, where both are compared in
// German upper case; searchText is given upper-cased already and is not trimmed. The date part
// is the text before the later of the first vertical tab and the first "|" of the day's date
// line; a date line with neither has none and never matches. 0 when no day matches.
int findDayByDate(const QStringList &lines, const QString &searchText, int afterDay);

#endif

#ifndef TESSARO_REPORTS_ABSENCESUMMARY_H
#define TESSARO_REPORTS_ABSENCESUMMARY_H

#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>

// The absences of a class over a period: per participant the days present and absent whose date
// lies in the period, each absent day with its remark, and every day whose date text cannot be
// read (readDateText), which is listed and never counted into a period.

// A day the summary names. present is 1 or 0, or -1 when the day's flag line holds no number
// of 0 or more.
struct SummaryDay
{
    int number = 0;
    QString date;
    QString remark; // trimmed
    int present = -1;

    bool operator==(const SummaryDay &) const = default;
};

struct ParticipantAbsences
{
    QString name;
    QString schoolClass;
    int present = 0;
    int absent = 0;
    QList<SummaryDay> absentDays; // in the period, in the file's order
    QList<SummaryDay> undatedDays; // without a readable date, in the file's order

    bool operator==(const ParticipantAbsences &) const = default;
};

// Where the period proposed for a summary starts: the first of August before today.
QDate schoolYearStart(QDate today);

// The participants of the folder whose class passes the filter (empty: every class), in the
// participant list's order, each file read once, with their days in the period from to to, both
// included. A day is counted as the attendance report counts it: by its flag line, 1 or more
// present, 0 absent, anything else neither. A file that cannot be read ends the summary by
// raising TessaroError.
QList<ParticipantAbsences> collectAbsences(
    const QString &folder, const QString &filter, QDate from, QDate to);

// The report text, every line ended by CR LF: the class ("(Alle)" for the empty filter) and the
// period, then each participant, then the class's totals.
QString absenceSummaryText(
    const QString &filter, QDate from, QDate to, const QList<ParticipantAbsences> &participants);

// The table for a spreadsheet: a head row, then one row per participant with name, class, days
// present, days absent and days without a readable date, separated by ";", every row ended by
// CR LF. A field holding ";", a double quote or a line break is enclosed in double quotes.
QString absenceSummaryCsv(const QList<ParticipantAbsences> &participants);

#endif

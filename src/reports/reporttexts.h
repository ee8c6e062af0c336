#ifndef TESSARO_REPORTS_REPORTTEXTS_H
#define TESSARO_REPORTS_REPORTTEXTS_H

#include "records/dayformat.h"

#include <QString>
#include <QStringList>
#include <QStringView>

#include <optional>

// The plain-text reports. Every line of a report, the last one included, ends in CR LF.

enum class ReportKind {
    CurrentDay = 1, // the header lines and the shown day
    AllDays = 2, // the header lines and every day
    Attendance = 3, // the header lines, the absent and the present days with their counts
    Comments = 4, // the comment of every participant of the data folder
    AbsenceSummary = 5, // the days absent of every participant of a class over a period
};

// What the reports of one participant are composed from: the open file's lines (line 0 the
// header) and the values the main window shows.
struct ParticipantReportInput
{
    QStringList lines;
    QString name; // trimmed
    QString schoolClass; // trimmed
    QString comment; // trimmed
    int dayNumber = 0; // the shown day; 0 when none
    int dayCount = 0;
    // The captions of the present choice without "&": "Nein" for 0, "Ja" for 1.
    QString absentCaption;
    QString presentCaption;
};

// The report of kind CurrentDay, AllDays or Attendance. Malformed blocks are read as far as the
// rules reach: a flag line that is no number of 0 or more shows and counts nothing.
QString participantReport(ReportKind kind, const ParticipantReportInput &input);

// The comment overview of the folder (a path ending in "/"): one numbered line
// "n.: name (class): "comment"" for every participant file whose header carries a comment,
// sorted ignoring case. Only the header lines are read. Empty when no file has a comment. A file
// that cannot be read ends the composing by raising TessaroError with its open error text.
QString commentOverview(const QString &folder);

// A header or date line split at the later of its first vertical tab and its first "|", so that
// in "1a<VT>x|y" the "|" splits. Used by the comment overview and by the search by date; the
// fields are not trimmed. Empty when the line holds neither character.
std::optional<Fields> splitAtLaterSeparator(QStringView line);

#endif

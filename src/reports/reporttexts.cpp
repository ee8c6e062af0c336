#include "reports/reporttexts.h"

#include "participants/participantlisting.h"
#include "records/dates.h"
#include "records/headerline.h"
#include "records/linelist.h"

using namespace Qt::StringLiterals;

namespace {

constexpr QChar kVerticalTab(11);

// The days of the attendance report, each group in day order.
struct Attendance
{
    QStringList absentDays;
    QStringList presentDays;
};

} // namespace

std::optional<Fields> splitAtLaterSeparator(QStringView line)
{
    const qsizetype at = qMax(line.indexOf(kVerticalTab), line.indexOf(u'|'));
    if (at < 0)
        return std::nullopt;
    return Fields{line.left(at).toString(), line.sliced(at + 1).toString()};
}

QString participantReport(ReportKind kind, const ParticipantReportInput &input)
{
    const bool listsDays = kind != ReportKind::Attendance;
    const int from = kind == ReportKind::CurrentDay ? input.dayNumber : 1;
    const int to = kind == ReportKind::CurrentDay ? input.dayNumber : input.dayCount;

    QStringList out{u"Name: "_s + input.name, u"Klasse: "_s + input.schoolClass,
        u"Kommentar: "_s + input.comment};
    Attendance attendance;
    QString date;
    QString remark;
    int day = 1;
    int lineInBlock = 1;
    bool firstInfoLinePending = false;
    bool bracketOpen = false;

    for (qsizetype index = 1; index < input.lines.size(); ++index) {
        const QString &line = input.lines.at(index);
        const bool endsBlock = line.contains(kSeparatorLine);
        if (day >= from && day <= to) {
            if (lineInBlock == 1) {
                Fields fields = splitFields(line);
                if (listsDays) {
                    out << QString() << u"Nr.: "_s + withThousandsDots(day)
                        << u"Datum: "_s + fields.first << u"Anmerkung: "_s + fields.second;
                    firstInfoLinePending = true;
                } else {
                    date = std::move(fields.first);
                    remark = std::move(fields.second);
                }
            } else if (lineInBlock == 2) {
                // Any value of 1 or more is present; a negative value or text shows nothing.
                const std::optional<int> flag = parseIntegerLiteral(line);
                if (flag && *flag >= 0) {
                    const bool present = *flag > 0;
                    if (listsDays) {
                        out << u"Anwesend: "_s
                                + (present ? input.presentCaption : input.absentCaption);
                    } else {
                        (present ? attendance.presentDays : attendance.absentDays)
                            << (remark.isEmpty() ? u"- "_s + date
                                                 : u"- "_s + date + u" ("_s + remark + u')');
                    }
                }
            } else if (listsDays) {
                if (firstInfoLinePending && !endsBlock) {
                    out << u'[' + line;
                    bracketOpen = true;
                } else {
                    out << line;
                }
                firstInfoLinePending = false;
            } else {
                date.clear();
                remark.clear();
            }
            ++lineInBlock;
        }
        if (endsBlock) {
            // The separator line is the last output line; the bracket closes the line before.
            if (bracketOpen) {
                out[out.size() - 2] += u']';
                bracketOpen = false;
            }
            lineInBlock = 1;
            ++day;
        }
    }

    if (!listsDays) {
        out << QString() << u"Abwesend: "_s + withThousandsDots(attendance.absentDays.size())
            << attendance.absentDays;
        out << QString() << u"Anwesend: "_s + withThousandsDots(attendance.presentDays.size())
            << attendance.presentDays;
    }
    return joinLines(out);
}

QString commentOverview(const QString &folder)
{
    QStringList entries;
    forEachParticipantFile(folder, [&](const QString &fileName) {
        const std::optional<QString> header = readHeaderLine(folder + fileName);
        if (!header)
            return;
        const std::optional<Fields> fields = splitAtLaterSeparator(*header);
        if (!fields || fields->second.isEmpty())
            return;
        entries << participantName(fileName) + u" ("_s + fields->first + u"): \""_s + fields->second
                + u'"';
    });
    sortIgnoringCase(entries);
    for (qsizetype i = 0; i < entries.size(); ++i)
        entries[i] = QString::number(i + 1) + u".: "_s + entries.at(i);
    return joinLines(entries);
}

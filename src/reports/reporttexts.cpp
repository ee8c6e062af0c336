#include "reports/reporttexts.h"

#include "participants/participantlisting.h"
#include "records/datafolder.h"
#include "records/dates.h"
#include "records/headerline.h"
#include "records/linelist.h"

using namespace Qt::StringLiterals;

namespace {

constexpr QChar kVerticalTab(11);

// A report's text, written line by line, each line followed by CR LF.
class ReportText
{
public:
    explicit ReportText(qsizetype expectedSize) { m_text.reserve(expectedSize); }

    template<typename... Parts>
    void appendLine(const Parts &...parts)
    {
        m_previousLineEnd = m_lastLineEnd;
        (m_text.append(parts), ...);
        m_lastLineEnd = m_text.size();
        m_text.append(u"\r\n");
    }
    // Appends to the line before the last one.
    void appendToPreviousLine(QChar c) { m_text.insert(m_previousLineEnd, c); }

    QString take() { return std::move(m_text); }

private:
    QString m_text;
    qsizetype m_lastLineEnd = 0;
    qsizetype m_previousLineEnd = 0;
};

// One group of the attendance report: its days in day order and their count.
struct AttendanceGroup
{
    ReportText days{0};
    int count = 0;
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

    qsizetype expectedSize = 0;
    for (const QString &line : input.lines)
        expectedSize += line.size() + 8;
    ReportText out(listsDays ? expectedSize + expectedSize / 2 : 0);
    out.appendLine(u"Name: ", input.name);
    out.appendLine(u"Klasse: ", input.schoolClass);
    out.appendLine(u"Kommentar: ", input.comment);
    AttendanceGroup absent;
    AttendanceGroup present;
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
                    out.appendLine(QStringView());
                    out.appendLine(u"Nr.: ", withThousandsDots(day));
                    out.appendLine(u"Datum: ", fields.first);
                    out.appendLine(u"Anmerkung: ", fields.second);
                    firstInfoLinePending = true;
                } else {
                    date = std::move(fields.first);
                    remark = std::move(fields.second);
                }
            } else if (lineInBlock == 2) {
                // Any value of 1 or more is present; a negative value or text shows nothing.
                const std::optional<int> flag = parseIntegerLiteral(line);
                if (flag && *flag >= 0) {
                    const bool isPresent = *flag > 0;
                    if (listsDays) {
                        out.appendLine(
                            u"Anwesend: ", isPresent ? input.presentCaption : input.absentCaption);
                    } else {
                        AttendanceGroup &group = isPresent ? present : absent;
                        ++group.count;
                        if (remark.isEmpty())
                            group.days.appendLine(u"- ", date);
                        else
                            group.days.appendLine(u"- ", date, u" (", remark, u")");
                    }
                }
            } else if (listsDays) {
                if (firstInfoLinePending && !endsBlock) {
                    out.appendLine(u"[", line);
                    bracketOpen = true;
                } else {
                    out.appendLine(line);
                }
                firstInfoLinePending = false;
            } else {
                date.clear();
                remark.clear();
            }
            ++lineInBlock;
        }
        if (endsBlock) {
            // The separator line is the last line written; the bracket closes the line before.
            if (bracketOpen) {
                out.appendToPreviousLine(u']');
                bracketOpen = false;
            }
            lineInBlock = 1;
            ++day;
        }
    }

    QString text = out.take();
    if (!listsDays) {
        for (AttendanceGroup *group : {&absent, &present}) {
            text += u"\r\n"_s + (group == &absent ? u"Abwesend: "_s : u"Anwesend: "_s)
                + withThousandsDots(group->count) + u"\r\n"_s + group->days.take();
        }
    }
    return text;
}

QString commentOverview(const QString &folder)
{
    QStringList entries;
    const QStringList fileNames = participantFileNames(folder);
    for (const QString &fileName : fileNames) {
        const std::optional<QString> header = readHeaderLine(folder + fileName);
        if (!header)
            continue;
        const std::optional<Fields> fields = splitAtLaterSeparator(*header);
        if (!fields || fields->second.isEmpty())
            continue;
        entries << participantName(fileName) + u" ("_s + fields->first + u"): \""_s + fields->second
                + u'"';
    }
    sortIgnoringCase(entries);
    for (qsizetype i = 0; i < entries.size(); ++i)
        entries[i] = QString::number(i + 1) + u".: "_s + entries.at(i);
    return joinLines(entries);
}

#include "reports/absencesummary.h"

#include "participants/participantlisting.h"
#include "records/datafolder.h"
#include "records/dates.h"
#include "records/dayformat.h"
#include "records/filereading.h"
#include "records/linelist.h"
#include "records/textencoding.h"

using namespace Qt::StringLiterals;

namespace {

// One day's block as the summary reads it: views into the file's text.
struct Block
{
    QStringView date;
    QStringView remark;
    std::optional<int> flag;
};

void countDay(ParticipantAbsences &result, int number, const Block &block, QDate from, QDate to)
{
    const int present = block.flag && *block.flag >= 0 ? qMin(*block.flag, 1) : -1;
    const std::optional<QDate> date = readDateText(block.date);
    const auto day = [&] {
        return SummaryDay{number, block.date.toString(), trimmedText(block.remark), present};
    };
    if (!date) {
        result.undatedDays.append(day());
    } else if (present >= 0 && *date >= from && *date <= to) {
        if (present == 1) {
            ++result.present;
        } else {
            ++result.absent;
            result.absentDays.append(day());
        }
    }
}

// The first line of a participant file's text, as the header reader gives it.
QStringView headerLine(QStringView text)
{
    qsizetype end = 0;
    while (end < text.size() && text[end] != u'\r' && text[end] != u'\n')
        ++end;
    return text.first(end);
}

// The days of a participant file's text, read by the rules of the attendance report: a block
// ends with its separator line; a flag line of 1 or more is present, 0 absent, anything else
// neither.
ParticipantAbsences participantAbsences(QStringView text, QDate from, QDate to)
{
    ParticipantAbsences result;
    Block block;
    int day = 1;
    int lineInFile = 0;
    int lineInBlock = 1;
    forEachLine(text, [&](QStringView line) {
        if (lineInFile++ == 0)
            return;
        if (line.contains(kSeparatorLine)) {
            countDay(result, day++, block, from, to);
            block = Block();
            lineInBlock = 1;
            return;
        }
        if (lineInBlock == 1) {
            const auto [date, remark] = splitFieldViews(line);
            block.date = trimmedView(date);
            block.remark = remark;
        } else if (lineInBlock == 2) {
            block.flag = parseIntegerLiteral(line);
        }
        ++lineInBlock;
    });
    return result;
}

QString dayLine(const SummaryDay &day)
{
    return day.remark.isEmpty() ? u"- "_s + day.date : u"- %1 (%2)"_s.arg(day.date, day.remark);
}

QString undatedDayLine(const SummaryDay &day)
{
    QString line
        = u"- Tag %1, \"%2\": ohne lesbares Datum"_s.arg(withThousandsDots(day.number), day.date);
    if (day.present >= 0)
        line += day.present == 1 ? u", anwesend"_s : u", abwesend"_s;
    if (!day.remark.isEmpty())
        line += u" (%1)"_s.arg(day.remark);
    return line;
}

QString csvField(const QString &text)
{
    if (!text.contains(u';') && !text.contains(u'"') && !text.contains(u'\r')
        && !text.contains(u'\n'))
        return text;
    QString quoted = text;
    quoted.replace(u"\""_s, u"\"\""_s);
    return u'"' + quoted + u'"';
}

} // namespace

QDate schoolYearStart(QDate today)
{
    const QDate start(today.year(), 8, 1);
    return start < today ? start : start.addYears(-1);
}

QList<ParticipantAbsences> collectAbsences(
    const QString &folder, const QString &filter, QDate from, QDate to)
{
    QList<ParticipantAbsences> found;
    QStringList names;
    const QStringList fileNames = participantFileNames(folder);
    for (const QString &fileName : fileNames) {
        const QString text = decodeText(readWholeFile(folder + fileName)).text;
        // A file without any line passes every filter, as in the participant list.
        const QString schoolClass = trimmedText(splitFieldViews(headerLine(text)).first);
        const QString name = participantName(fileName);
        if (name.isEmpty()
            || (!filter.isEmpty() && !text.isEmpty() && !sameIgnoringCase(filter, schoolClass)))
            continue;
        ParticipantAbsences participant = participantAbsences(text, from, to);
        participant.name = name;
        participant.schoolClass = schoolClass;
        found.append(std::move(participant));
        names.append(name);
    }
    QList<ParticipantAbsences> sorted;
    sorted.reserve(found.size());
    for (const qsizetype index : orderIgnoringCase(names))
        sorted.append(std::move(found[index]));
    return sorted;
}

QString absenceSummaryText(
    const QString &filter, QDate from, QDate to, const QList<ParticipantAbsences> &participants)
{
    QStringList lines{u"Klasse: "_s + (filter.isEmpty() ? u"(Alle)"_s : filter),
        u"Zeitraum: %1 bis %2"_s.arg(dateText(from), dateText(to))};
    ParticipantAbsences total;
    qsizetype undated = 0;
    for (const ParticipantAbsences &participant : participants) {
        lines << QString() << participant.name
              << u"Anwesend: "_s + withThousandsDots(participant.present)
              << u"Abwesend: "_s + withThousandsDots(participant.absent);
        for (const SummaryDay &day : participant.absentDays)
            lines << dayLine(day);
        for (const SummaryDay &day : participant.undatedDays)
            lines << undatedDayLine(day);
        total.present += participant.present;
        total.absent += participant.absent;
        undated += participant.undatedDays.size();
    }
    lines << QString() << u"Summe der Klasse"_s
          << u"Teilnehmer: "_s + withThousandsDots(participants.size())
          << u"Anwesend: "_s + withThousandsDots(total.present)
          << u"Abwesend: "_s + withThousandsDots(total.absent)
          << u"Ohne lesbares Datum: "_s + withThousandsDots(undated);
    return joinLines(lines);
}

QString absenceSummaryCsv(const QList<ParticipantAbsences> &participants)
{
    QStringList rows{u"Name;Klasse;Anwesend;Abwesend;Ohne lesbares Datum"_s};
    for (const ParticipantAbsences &participant : participants) {
        rows << QStringList{csvField(participant.name), csvField(participant.schoolClass),
            QString::number(participant.present), QString::number(participant.absent),
            QString::number(participant.undatedDays.size())}
                    .join(u';');
    }
    return joinLines(rows);
}

#include "reports/dayfinding.h"

#include "participants/participantlisting.h"
#include "records/dayformat.h"
#include "reports/reporttexts.h"

std::optional<int> readDayNumber(QStringView text, int minimum, int maximum)
{
    const std::optional<int> number = parseIntegerLiteral(text);
    if (!number || *number < 0)
        return std::nullopt;
    return qMin(qMax(*number, minimum), maximum);
}

int digitCount(int number)
{
    return int(QString::number(number).size());
}

int findDayByDate(const QStringList &lines, const QString &searchText, int afterDay)
{
    if (searchText.isEmpty())
        return 0;
    int day = 1;
    bool dateLine = true;
    for (qsizetype index = 1; index < lines.size(); ++index) {
        const QString &line = lines.at(index);
        if (dateLine && day > afterDay) {
            const std::optional<Fields> fields = splitAtLaterSeparator(line);
            if (fields && upperCased(fields->first).contains(searchText))
                return day;
        }
        dateLine = line.contains(kSeparatorLine);
        if (dateLine)
            ++day;
    }
    return 0;
}

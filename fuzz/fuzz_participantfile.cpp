// Feeds arbitrary bytes through reading, day counting, reading the days, the store rebuild,
// block insertion, day removal and writing, and checks the invariants that hold between them.

#include "records/dayformat.h"
#include "records/linelist.h"

#include "invariant.h"

#include <QByteArrayView>

#include <cstdint>

namespace {

// A day written from these values reads back as the same values. A "|" in the date or a
// vertical tab in the remark moves text between the two fields on reading, by design.
bool readsBackUnchanged(const DayRecord &day)
{
    return !day.date.contains(u'|') && !day.date.contains(QChar(11))
        && !day.remark.contains(QChar(11));
}

// The days worth comparing: the first and the last few, so that big inputs stay fast.
QList<int> sampleDays(int days)
{
    QList<int> sample;
    for (int day = 1; day <= days; ++day) {
        if (day <= 8 || day > days - 8)
            sample.append(day);
    }
    return sample;
}

void checkRoundTrip(const LineList &list)
{
    LineList reread;
    reread.loadFromBytes(list.toBytes());
    require(reread.encoding() == list.encoding(), "encoding survives writing");
    require(reread.lines() == list.lines(), "lines survive writing");
}

void checkStore(const LineList &list, int shown, int days)
{
    const QStringList &lines = list.lines();
    DayRecord day = readDay(lines, shown);
    day.infoLines.append(QStringLiteral("neu"));
    LineList rebuilt = list;
    rebuilt.setLines(rebuildWithDay(lines, shown, QStringLiteral("K|"), dayBlock(day)));
    require(countDays(rebuilt.lines()) >= shown, "the stored day still exists");
    if (readsBackUnchanged(day))
        require(readDay(rebuilt.lines(), shown) == day, "stored day reads back");
    for (int other : sampleDays(days)) {
        if (other != shown)
            require(readDay(rebuilt.lines(), other) == readDay(lines, other),
                "other days keep their values");
    }
    checkRoundTrip(rebuilt);
}

void checkInsertAndRemove(const QStringList &lines, int removed, int blocks, int days)
{
    const DayRecord fresh{QStringLiteral("Mo., 6. Jänner 2025"), QString(), kPresent, {}};
    const QStringList inserted = insertDayBlock(lines, dayBlock(fresh));
    require(countDays(inserted) == days + 1, "insertion adds one day");
    require(readDay(inserted, 1) == fresh, "inserted day is day 1");

    const QStringList remaining = removeDay(lines, removed, QStringLiteral("K"));
    for (int day : sampleDays(blocks - 1)) {
        const int before = day < removed ? day : day + 1;
        require(readDay(remaining, day) == readDay(lines, before), "later days move up by one");
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArrayView bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    LineList list;
    list.loadFromBytes(bytes);
    checkRoundTrip(list);

    // The lines as opening a participant leaves them.
    if (list.isEmpty())
        list.append(QString());
    if (countDays(list.lines()) == 0)
        list.append(kSeparatorLine);
    const QStringList lines = list.lines();
    const int days = countDays(lines);

    const int chosen = size > 0 ? 1 + data[0] % days : 1;
    checkStore(list, chosen, days);
    checkStore(list, days, days);

    // Removal keeps the numbering only for days that own a separator line.
    int blocks = 0;
    for (qsizetype i = 1; i < lines.size(); ++i)
        blocks += lines.at(i).contains(kSeparatorLine) ? 1 : 0;
    if (blocks > 0)
        checkInsertAndRemove(lines, 1 + (size > 1 ? data[1] : 0) % blocks, blocks, days);
    return 0;
}

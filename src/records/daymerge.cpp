#include "records/daymerge.h"

#include "records/dates.h"
#include "records/dayformat.h"
#include "records/linelist.h"
#include "records/textencoding.h"

#include <QSet>

#include <algorithm>
#include <cstring>

namespace {

// Byte-level reading of files in an encoding that writes every ASCII character as that one byte
// (Windows-1252, UTF-8): line feeds and the separator text can be found without decoding.
constexpr QByteArrayView kSeparatorBytes("<--------------->");
constexpr qsizetype kCompareChunk = 4096;

qsizetype commonPrefix(QByteArrayView a, QByteArrayView b)
{
    const qsizetype size = qMin(a.size(), b.size());
    qsizetype at = 0;
    while (
        at + kCompareChunk <= size && std::memcmp(a.data() + at, b.data() + at, kCompareChunk) == 0)
        at += kCompareChunk;
    while (at < size && a[at] == b[at])
        ++at;
    return at;
}

// At most limit bytes, so that the common end never overlaps the common beginning.
qsizetype commonSuffix(QByteArrayView a, QByteArrayView b, qsizetype limit)
{
    qsizetype length = 0;
    while (length + kCompareChunk <= limit
        && std::memcmp(a.data() + a.size() - length - kCompareChunk,
               b.data() + b.size() - length - kCompareChunk, kCompareChunk)
            == 0)
        length += kCompareChunk;
    while (length < limit && a[a.size() - 1 - length] == b[b.size() - 1 - length])
        ++length;
    return length;
}

// The last line feed before the position; -1 when there is none.
qsizetype previousFeed(QByteArrayView text, qsizetype before)
{
    return before > 0 ? text.lastIndexOf('\n', before - 1) : -1;
}

// Whether the line from begin to the line feed at feed is one line by the reading rules (no CR
// inside it but one right before the feed) and, unless it is the header line, holds the
// separator text. Another line break inside would end a line earlier than the feed; such a line
// is never taken as the end of a block.
bool endsBlock(QByteArrayView text, qsizetype begin, qsizetype feed)
{
    QByteArrayView line = text.sliced(begin, feed - begin);
    if (line.endsWith('\r'))
        line.chop(1);
    return !line.contains('\r') && (begin == 0 || line.contains(kSeparatorBytes));
}

// The start of the last block that begins at or before the position: behind the header line or
// behind a separator line, whose whole line lies before the position. 0 when there is none.
qsizetype lastBlockStart(QByteArrayView text, qsizetype position)
{
    for (qsizetype feed = previousFeed(text, position); feed >= 0;
         feed = previousFeed(text, feed)) {
        if (endsBlock(text, previousFeed(text, feed) + 1, feed))
            return feed + 1;
    }
    return 0;
}

// The start of the first block behind the position whose preceding separator line lies wholly
// behind the position too; the text's end when there is none.
qsizetype firstBlockStartAfter(QByteArrayView text, qsizetype position)
{
    qsizetype feed = text.indexOf('\n', position);
    while (feed >= 0) {
        const qsizetype next = text.indexOf('\n', feed + 1);
        if (next >= 0 && endsBlock(text, feed + 1, next))
            return next + 1;
        feed = next;
    }
    return text.size();
}

// The blocks of a part of a file's text that begins with the header line or with a block.
QList<QStringList> blocksOf(QByteArrayView part, bool withHeader, TextEncoding encoding)
{
    QStringList lines = splitLines(decodeWithoutMark(part, encoding));
    if (!withHeader)
        lines.prepend(QString());
    return splitDays(lines).blocks;
}

FileDays daysOf(QByteArrayView bytes)
{
    LineList file;
    file.loadFromBytes(bytes);
    return splitDays(file.lines());
}

// The days of replaced that present does not hold, in their order.
QList<QStringList> daysMissing(
    const QList<QStringList> &replaced, const QList<QStringList> &present)
{
    const QSet<QStringList> held(present.begin(), present.end());
    QList<QStringList> missing;
    for (const QStringList &block : replaced) {
        if (isDayBlock(block) && !held.contains(block))
            missing.append(block);
    }
    return missing;
}

// Whether any of the days' date lines occurs in the bytes; a day equal to one of them can only
// stand there if it does. A date line that did not decode cleanly is taken as occurring.
bool anyDateLineIn(
    const QList<QStringList> &days, QList<QByteArrayView> parts, TextEncoding encoding)
{
    for (const QStringList &day : days) {
        const QString &dateLine = day.first();
        if (dateLine.contains(QChar::ReplacementCharacter))
            return true;
        const QByteArray bytes = encodeText(dateLine, encoding).sliced(markSize(encoding));
        for (QByteArrayView part : parts) {
            if (part.contains(bytes))
                return true;
        }
    }
    return false;
}

QList<QStringList> mergeNewestFirst(
    const QList<QStringList> &first, const QList<QStringList> &second)
{
    QList<QStringList> merged;
    merged.reserve(first.size() + second.size());
    qsizetype a = 0;
    qsizetype b = 0;
    while (a < first.size() && b < second.size()) {
        const std::optional<QDate> dateA = readDateText(dateOfBlock(first.at(a)));
        const std::optional<QDate> dateB = readDateText(dateOfBlock(second.at(b)));
        const bool takeSecond = dateA && (!dateB || *dateB > *dateA);
        merged.append(takeSecond ? second.at(b++) : first.at(a++));
    }
    merged += first.mid(a);
    merged += second.mid(b);
    return merged;
}

// Of the places where something was found, the one to take: the only one; else the one that
// lies fromEnd blocks before the end of count blocks (width wide), else the one at fromStart.
std::optional<qsizetype> choosePlace(const QList<qsizetype> &places, qsizetype count,
    qsizetype width, qsizetype fromEnd, qsizetype fromStart)
{
    if (places.size() == 1)
        return places.first();
    const auto onlyPlace = [&places](const auto &fits) -> std::optional<qsizetype> {
        if (std::count_if(places.begin(), places.end(), fits) != 1)
            return std::nullopt;
        return *std::find_if(places.begin(), places.end(), fits);
    };
    if (const auto place = onlyPlace([&](qsizetype at) { return count - at - width == fromEnd; }))
        return place;
    return onlyPlace([&](qsizetype at) { return at == fromStart; });
}

} // namespace

FileDays splitDays(const QStringList &lines)
{
    FileDays days;
    if (lines.isEmpty())
        return days;
    days.header = lines.first();
    QStringList block;
    for (qsizetype index = 1; index < lines.size(); ++index) {
        block.append(lines.at(index));
        if (isSeparatorLine(lines.at(index)))
            days.blocks.append(std::exchange(block, {}));
    }
    if (!block.isEmpty())
        days.blocks.append(block);
    return days;
}

QStringList joinDays(const FileDays &days)
{
    QStringList lines{days.header};
    for (const QStringList &block : days.blocks)
        lines += block;
    return lines;
}

bool isDayBlock(const QStringList &block)
{
    return !block.isEmpty() && isSeparatorLine(block.last());
}

QString dateOfBlock(const QStringList &block)
{
    if (block.isEmpty() || (block.size() == 1 && isDayBlock(block)))
        return QString();
    return trimmedText(splitFieldViews(block.first()).first);
}

int countLostDays(QByteArrayView replaced, QByteArrayView incoming)
{
    if (replaced == incoming)
        return 0;
    const TextEncoding encoding = encodingOf(replaced);
    if (encoding != encodingOf(incoming) || encoding == TextEncoding::Utf16LE
        || encoding == TextEncoding::Utf16BE)
        return int(daysMissing(daysOf(replaced).blocks, daysOf(incoming).blocks).size());

    // The bytes both files share at their beginning and at their end hold the same days in
    // both; only the blocks between them are read.
    const QByteArrayView ours = replaced.sliced(markSize(encoding));
    const QByteArrayView theirs = incoming.sliced(markSize(encoding));
    const qsizetype prefix = commonPrefix(ours, theirs);
    const qsizetype suffix = commonSuffix(ours, theirs, qMin(ours.size(), theirs.size()) - prefix);
    const qsizetype begin = lastBlockStart(ours, prefix);
    const qsizetype end = firstBlockStartAfter(ours, ours.size() - suffix);
    const qsizetype theirEnd = end - ours.size() + theirs.size();
    QList<QStringList> missing
        = daysMissing(blocksOf(ours.sliced(begin, end - begin), begin == 0, encoding),
            blocksOf(theirs.sliced(begin, theirEnd - begin), begin == 0, encoding));

    // A day may also stand in the shared bytes, as a second copy of a day: those are read only
    // when one of the missing days' date lines occurs there.
    const QByteArrayView sharedBeginning = ours.first(begin);
    const QByteArrayView sharedEnd = ours.sliced(end);
    if (!missing.isEmpty() && anyDateLineIn(missing, {sharedBeginning, sharedEnd}, encoding)) {
        missing = daysMissing(missing,
            blocksOf(sharedBeginning, true, encoding) + blocksOf(sharedEnd, false, encoding));
    }
    return int(missing.size());
}

QByteArray mergeLostDays(QByteArrayView replaced, QByteArrayView incoming)
{
    LineList file;
    file.loadFromBytes(incoming);
    FileDays days = splitDays(file.lines());
    const QList<QStringList> missing = daysMissing(daysOf(replaced).blocks, days.blocks);
    QList<QStringList> rest;
    if (!days.blocks.isEmpty() && !isDayBlock(days.blocks.constLast()))
        rest.append(days.blocks.takeLast());
    days.blocks = mergeNewestFirst(days.blocks, missing) + rest;
    file.setLines(joinDays(days));
    return file.toBytes();
}

ChangeMerge mergeChange(
    const QStringList &read, const QStringList &changed, const QStringList &current)
{
    const FileDays base = splitDays(read);
    const FileDays mine = splitDays(changed);
    FileDays result = splitDays(current);
    ChangeMerge merge;

    // The change: the run of blocks between those that read and changed share at their
    // beginning and at their end.
    const qsizetype baseCount = base.blocks.size();
    const qsizetype mineCount = mine.blocks.size();
    qsizetype prefix = 0;
    while (prefix < qMin(baseCount, mineCount) && base.blocks.at(prefix) == mine.blocks.at(prefix))
        ++prefix;
    qsizetype suffix = 0;
    while (suffix < qMin(baseCount, mineCount) - prefix
        && base.blocks.at(baseCount - 1 - suffix) == mine.blocks.at(mineCount - 1 - suffix))
        ++suffix;
    const qsizetype removed = baseCount - prefix - suffix;
    const QList<QStringList> added = mine.blocks.mid(prefix, mineCount - prefix - suffix);

    if (removed > 0 || !added.isEmpty()) {
        const QList<QStringList> &now = result.blocks;
        QList<qsizetype> places;
        if (removed > 0) {
            const auto first = base.blocks.begin() + prefix;
            for (qsizetype at = 0; at + removed <= now.size(); ++at) {
                if (std::equal(first, first + removed, now.begin() + at))
                    places.append(at);
            }
        } else if (prefix == 0) {
            places.append(0);
        } else {
            for (qsizetype at = 1; at <= now.size(); ++at) {
                if (now.at(at - 1) == base.blocks.at(prefix - 1))
                    places.append(at);
            }
        }
        const std::optional<qsizetype> place
            = choosePlace(places, now.size(), removed, suffix, prefix);
        if (place) {
            result.blocks.remove(*place, removed);
        } else {
            merge.clean = false;
            for (const QStringList &day : base.blocks.mid(prefix, removed) + added) {
                if (isDayBlock(day) && !merge.conflictingDates.contains(dateOfBlock(day)))
                    merge.conflictingDates.append(dateOfBlock(day));
            }
        }
        // Where the change cannot be placed, this copy's days stand beside the other side's,
        // as many blocks before the end as followed the change.
        const qsizetype insertAt = place.value_or(qMax<qsizetype>(0, now.size() - suffix));
        for (qsizetype i = 0; i < added.size(); ++i)
            result.blocks.insert(insertAt + i, added.at(i));
    }

    if (mine.header != base.header) {
        if (result.header != base.header && result.header != mine.header) {
            merge.clean = false;
            merge.headerConflict = true;
        }
        result.header = mine.header;
    }
    merge.lines = joinDays(result);
    return merge;
}

std::optional<qsizetype> findBlock(
    const QList<QStringList> &blocks, const QStringList &block, qsizetype fromEnd)
{
    QList<qsizetype> places;
    for (qsizetype at = 0; at < blocks.size(); ++at) {
        if (blocks.at(at) == block)
            places.append(at);
    }
    return choosePlace(places, blocks.size(), 1, fromEnd, -1);
}

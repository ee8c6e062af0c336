#ifndef TESSARO_RECORDS_DAYMERGE_H
#define TESSARO_RECORDS_DAYMERGE_H

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

// Two versions of one participant file compared and merged day by day: a backup or restore that
// would replace a file by one that lacks some of its days, and a file that another copy of the
// program changed after this copy read it.
//
// Two days are the same day when their lines are the same text: the date line, the flag line and
// the information lines, whatever the encoding of the files they stand in. Days that differ in
// any character are two days, even with the same date.

// The answer to a question about days that would be lost or changes made on both sides:
// "&Zusammenführen" keeps every day of both sides, "&Überschreiben" replaces the file as the
// program did before it asked, "Abbrechen" leaves everything as it is.
enum class MergeChoice { Merge, Overwrite, Cancel };

// A participant file as its days: the header line, then the blocks of lines in the order of the
// file, each day's block with its separator line. Lines after the last separator line, which are
// no day, form a last block without a separator line.
struct FileDays
{
    QString header;
    QList<QStringList> blocks;
};

FileDays splitDays(const QStringList &lines);
QStringList joinDays(const FileDays &days);
// Whether a block is a day, not the lines after the last day.
bool isDayBlock(const QStringList &block);
// The date text of a day's block, trimmed.
QString dateOfBlock(const QStringList &block);

// How many days of the file replaced the file incoming lacks (both given as the files' bytes).
// Each day of replaced that has no equal day in incoming counts, also where replaced holds the
// same day twice. A file that is no participant file has no days.
//
// Cheap where the files share most of their bytes, as a file and an older or newer copy of it
// do: only the days between their common beginning and their common end are read.
int countLostDays(QByteArrayView replaced, QByteArrayView incoming);

// incoming with the days of replaced that it lacks, in its encoding, with its header line and the
// lines after its last day. The days come newest first: the two files' days are merged as two
// lists that are each newest first, so that each file's own order is kept; at each step the day
// with the later date comes first, on equal dates incoming's; a day whose date cannot be read
// comes as soon as it is first in its list, so that it stays behind the day it followed. No day
// is ever dropped.
QByteArray mergeLostDays(QByteArrayView replaced, QByteArrayView incoming);

// This copy's change to a file applied to the file as another copy has left it since.
struct ChangeMerge
{
    // current with the change in it. Where the change could not be placed, every day of both
    // sides is kept: this copy's changed days stand beside the other side's, and a day this copy
    // removed stays when the other side changed it.
    QStringList lines;
    // Whether the change could be placed without touching anything the other side changed.
    bool clean = true;
    // The date texts of the days both sides changed or that could not be found again, and
    // whether both changed the header line (class and comment).
    QStringList conflictingDates;
    bool headerConflict = false;
};

// Applies the change from read to changed (the lines this copy read and those it would write) to
// current (the lines the file holds now). The change is the run of days that differs between
// read and changed, and the header line. The days it replaces are found in current by their lines
// (date text included); where several equal days qualify, by their place counted from the oldest
// day, then from the newest. New days on top go on top.
ChangeMerge mergeChange(
    const QStringList &read, const QStringList &changed, const QStringList &current);

// The index of the block in blocks, where several are equal the one fromEnd blocks from the end;
// empty when there is none or several qualify.
std::optional<qsizetype> findBlock(
    const QList<QStringList> &blocks, const QStringList &block, qsizetype fromEnd);

#endif

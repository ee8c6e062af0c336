#ifndef TESSARO_RECORDS_DELIMITEDTEXT_H
#define TESSARO_RECORDS_DELIMITEDTEXT_H

#include <QByteArrayView>
#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>

// Lists as a school office exports them and spreadsheets save them ("CSV (Semikolon)"): one
// row a line, its fields separated by ";", "," or a tab.

// The text of such a file: UTF-8 or UTF-16 where a byte-order mark says so; without one UTF-8
// where all bytes are valid UTF-8, otherwise Windows-1252, as spreadsheets on Windows save.
QString decodeDelimitedText(QByteArrayView bytes);

// The separator the first line uses: of ";", a tab and ",", the one it holds most often outside
// double quotes, in this order where two are equal; ";" where it holds none of them.
QChar delimiterOf(QStringView text);

struct DelimitedRow
{
    int line = 0; // the line the row starts on, the first being 1
    QStringList fields;

    bool operator==(const DelimitedRow &) const = default;
};

// The rows of the text as spreadsheets write them: a field that starts with a double quote runs
// to the next single double quote and may hold separators and line breaks, "" standing for one
// quote; text after its closing quote belongs to the field. A row ends at CR LF, LF or CR
// outside quotes; a break at the very end adds no row. Fields are kept untrimmed.
QList<DelimitedRow> readDelimitedRows(QStringView text, QChar delimiter);

#endif

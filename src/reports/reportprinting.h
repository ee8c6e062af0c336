#ifndef TESSARO_REPORTS_REPORTPRINTING_H
#define TESSARO_REPORTS_REPORTPRINTING_H

#include <QColor>
#include <QFont>
#include <QString>

class QPagedPaintDevice;
class QPrinter;

// Printing a report, without any widget.

// The print job's title: "Drucke Teilnehmer \"%s\"" with the open participant's name.
QString printJobTitle(const QString &participant);

// The colour the text is printed in: the display colour, unless it is too light to read on
// white paper (a contrast below 3:1, such as white or yellow text chosen for a dark screen);
// then black.
QColor paperTextColor(const QColor &displayColor);

// Prints the text as one job with that title: the whole printable area of every page as its
// frame, in the font and colour given, wrapped at the page width, page after page filled; no
// header, footer or page number. Every failure of the job raises TessaroError naming the printer
// (or the file printed to): the printer cannot be started, a page cannot be begun, or the job
// fails at its end.
void printText(QPrinter &printer, const QString &title, const QString &text, const QFont &font,
    const QColor &color);

// The pages of printText on any paged device, target being the name a failure gives.
void printPages(QPagedPaintDevice &device, const QString &target, const QString &text,
    const QFont &font, const QColor &color);

#endif

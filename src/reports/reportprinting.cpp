#include "reports/reportprinting.h"

#include "records/error.h"

#include <QAbstractTextDocumentLayout>
#include <QPainter>
#include <QPrinter>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextLayout>

#include <cmath>

using namespace Qt::StringLiterals;

namespace {

// Relative luminance as the contrast rules of WCAG define it.
double luminance(const QColor &color)
{
    const auto linear = [](double channel) {
        return channel <= 0.03928 ? channel / 12.92 : std::pow((channel + 0.055) / 1.055, 2.4);
    };
    const QColor rgb = color.toRgb();
    return 0.2126 * linear(rgb.redF()) + 0.7152 * linear(rgb.greenF())
        + 0.0722 * linear(rgb.blueF());
}

QString jobFailedText(const QString &target)
{
    return u"Der Druck auf \"%1\" kann nicht abgeschlossen werden.\r\nDer Bericht wurde "
           "möglicherweise nicht gedruckt."_s.arg(target);
}

} // namespace

QString printJobTitle(const QString &participant)
{
    return u"Drucke Teilnehmer \"%1\""_s.arg(participant);
}

QColor paperTextColor(const QColor &displayColor)
{
    const double contrastToWhite = 1.05 / (luminance(displayColor) + 0.05);
    return contrastToWhite < 3.0 ? QColor(Qt::black) : displayColor.toRgb();
}

void printPages(QPagedPaintDevice &device, const QString &target, const QString &text,
    const QFont &font, const QColor &color)
{
    QTextDocument document;
    // Measured at the device's resolution, so that the font has its size on paper.
    document.documentLayout()->setPaintDevice(&device);
    document.setDocumentMargin(0);
    document.setDefaultFont(font);
    document.setPlainText(text);
    QTextCharFormat colored;
    colored.setForeground(color);
    QTextCursor all(&document);
    all.select(QTextCursor::Document);
    all.mergeCharFormat(colored);
    // Laid out in pages of the printable area, with no room for header, footer or page number.
    const QSizeF page = device.pageLayout().paintRectPixels(device.logicalDpiY()).size();
    document.setPageSize(page);

    QPainter painter;
    if (!painter.begin(&device))
        throw TessaroError(u"Der Druck auf \"%1\" kann nicht gestartet werden."_s.arg(target));
    // Line by line: the layout has moved every line that would cross a page's bottom edge to the
    // next page, so each line belongs to the page its top lies on and is printed only there.
    int shownPage = 0;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        const QPointF blockTop = document.documentLayout()->blockBoundingRect(block).topLeft();
        const QTextLayout *lines = block.layout();
        for (int i = 0; i < lines->lineCount(); ++i) {
            const QTextLine line = lines->lineAt(i);
            const int pageNumber = int((blockTop.y() + line.y()) / page.height());
            for (; shownPage < pageNumber; ++shownPage) {
                if (!device.newPage()) {
                    painter.end();
                    throw TessaroError(u"Der Druck auf \"%1\" ist bei Seite %2 abgebrochen.\r\n"
                                       "Der Bericht wurde nicht vollständig gedruckt."_s.arg(
                                           target, QString::number(shownPage + 2)));
                }
            }
            line.draw(&painter, blockTop - QPointF(0, pageNumber * page.height()));
        }
    }
    if (!painter.end())
        throw TessaroError(jobFailedText(target));
}

void printText(QPrinter &printer, const QString &title, const QString &text, const QFont &font,
    const QColor &color)
{
    printer.setDocName(title);
    printer.setFullPage(false);
    const QString target
        = printer.outputFileName().isEmpty() ? printer.printerName() : printer.outputFileName();
    printPages(printer, target, text, font, color);
    // A job that fails on its way to the printer shows in the printer's state.
    if (printer.printerState() == QPrinter::Error || printer.printerState() == QPrinter::Aborted)
        throw TessaroError(jobFailedText(target));
}

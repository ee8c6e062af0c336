#include "reports/reportprinting.h"

#include "records/error.h"

#include <QGuiApplication>
#include <QPdfWriter>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

class TestReportPrinting : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void printedPdfHoldsEveryLineAndNoPageNumber();
    void printerThatCannotStartIsReported();
    void jobFailingAfterItsFirstPageIsReported();
    void paperTextColor_data();
    void paperTextColor();
};

namespace {

// The output of one of poppler's tools for the file.
QString popplerOutput(const QString &tool, const QStringList &arguments)
{
    const QString program = QStandardPaths::findExecutable(tool);
    if (program.isEmpty()) {
        qWarning(
            "%s is missing; scripts/install-packages.sh --tests installs it", qPrintable(tool));
        return QString();
    }
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(20000) || process.exitCode() != 0)
        return QString();
    return QString::fromUtf8(process.readAllStandardOutput());
}

// A printer whose job fails after its first page: no further page can be begun.
class FailingAfterFirstPage : public QPdfWriter
{
public:
    using QPdfWriter::QPdfWriter;
    bool newPage() override { return false; }
};

} // namespace

void TestReportPrinting::printedPdfHoldsEveryLineAndNoPageNumber()
{
    QStringList lines{u"Name: Müller"_s, u"Kommentar: Grüße → 8"_s};
    for (int i = 1; i <= 150; ++i)
        lines << u"Zeile %1 von Grüße"_s.arg(i);
    QStringList longLine;
    for (int i = 0; i < 60; ++i)
        longLine << u"Wort%1"_s.arg(i);
    lines << longLine.join(u' ');

    QTemporaryDir dir;
    const QString pdf = dir.filePath(u"bericht.pdf"_s);
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(pdf);
    printer.setPageSize(QPageSize(QPageSize::A4));
    QFont font(u"Liberation Sans"_s);
    font.setPointSize(14);
    printText(printer, printJobTitle(u"Müller"_s), lines.join(u"\r\n"_s) + u"\r\n"_s, font,
        QColor(0, 0, 128));

    const QString info = popplerOutput(u"pdfinfo"_s, {pdf});
    QVERIFY2(info.contains(QRegularExpression(u"Title: +Drucke Teilnehmer \"Müller\""_s)),
        qPrintable(info));
    const QString text = popplerOutput(u"pdftotext"_s, {pdf, u"-"_s});
    QStringList pages = text.split(u'\f');
    if (pages.last().trimmed().isEmpty())
        pages.removeLast();
    QVERIFY2(pages.size() >= 3, qPrintable(text));
    QStringList printed;
    QList<int> linesPerPage;
    for (const QString &page : std::as_const(pages)) {
        const QStringList pageLines = page.split(u'\n', Qt::SkipEmptyParts);
        linesPerPage << int(pageLines.size());
        printed += pageLines;
    }
    for (qsizetype i = 0; i + 1 < lines.size(); ++i)
        QVERIFY2(printed.contains(lines.at(i)), qPrintable(lines.at(i)));
    // The long line wraps at the page width, every word kept.
    QCOMPARE(printed.join(u' ').split(u' ').filter(u"Wort"_s), longLine);
    for (const QString &line : std::as_const(printed))
        QVERIFY2(!QRegularExpression(u"^\\s*\\d+\\s*$"_s).match(line).hasMatch(), qPrintable(line));
    // Every page but the last is filled alike.
    for (qsizetype i = 1; i + 1 < linesPerPage.size(); ++i)
        QCOMPARE(linesPerPage.at(i), linesPerPage.at(0));
}

void TestReportPrinting::printerThatCannotStartIsReported()
{
    QTemporaryDir dir;
    QPrinter printer;
    printer.setOutputFormat(QPrinter::PdfFormat);
    const QString pdf = dir.filePath(u"fehlt/bericht.pdf"_s);
    printer.setOutputFileName(pdf);
    try {
        printText(printer, printJobTitle(QString()), u"x\r\n"_s, QFont(), Qt::black);
        QFAIL("printing started");
    } catch (const TessaroError &error) {
        QCOMPARE(error.text(), u"Der Druck auf \"%1\" kann nicht gestartet werden."_s.arg(pdf));
    }
}

void TestReportPrinting::jobFailingAfterItsFirstPageIsReported()
{
    QTemporaryDir dir;
    FailingAfterFirstPage printer(dir.filePath(u"bericht.pdf"_s));
    QStringList lines;
    for (int i = 1; i <= 200; ++i)
        lines << u"Zeile %1"_s.arg(i);
    try {
        printPages(printer, u"Drucker 1"_s, lines.join(u"\r\n"_s), QFont(), Qt::black);
        QFAIL("the failure went unreported");
    } catch (const TessaroError &error) {
        QCOMPARE(error.text(),
            u"Der Druck auf \"Drucker 1\" ist bei Seite 2 abgebrochen.\r\nDer Bericht wurde "
            "nicht vollständig gedruckt."_s);
    }
}

void TestReportPrinting::paperTextColor_data()
{
    QTest::addColumn<QColor>("display");
    QTest::addColumn<QColor>("printed");
    QTest::newRow("black stays") << QColor(Qt::black) << QColor(Qt::black);
    QTest::newRow("navy stays") << QColor(0, 0, 128) << QColor(0, 0, 128);
    QTest::newRow("red stays") << QColor(255, 0, 0) << QColor(255, 0, 0);
    QTest::newRow("grey stays") << QColor(128, 128, 128) << QColor(128, 128, 128);
    QTest::newRow("white prints black") << QColor(Qt::white) << QColor(Qt::black);
    QTest::newRow("yellow prints black") << QColor(255, 255, 0) << QColor(Qt::black);
    QTest::newRow("silver prints black") << QColor(192, 192, 192) << QColor(Qt::black);
}

void TestReportPrinting::paperTextColor()
{
    QFETCH(QColor, display);
    QFETCH(QColor, printed);
    QCOMPARE(::paperTextColor(display), printed);
}

// Printing lays text out with fonts, which needs a GUI application but no widget.
int main(int argc, char *argv[])
{
    QGuiApplication application(argc, argv);
    TestReportPrinting test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_reportprinting.moc"

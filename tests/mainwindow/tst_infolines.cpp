#include "mainwindow/infolines.h"

#include <QFontMetrics>
#include <QTest>
#include <QTextDocument>

using namespace Qt::StringLiterals;

class TestInfoLines : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void paragraphs_data();
    void paragraphs();
    void wrappedParagraphBecomesSeveralLines();
};

void TestInfoLines::paragraphs_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("lines");
    QTest::newRow("empty field has no line") << QString() << QStringList();
    QTest::newRow("one line") << u"a"_s << QStringList{u"a"_s};
    QTest::newRow("final paragraph end adds no line") << u"a\n"_s << QStringList{u"a"_s};
    QTest::newRow("only the last empty line is left out")
        << u"a\n\n"_s << QStringList{u"a"_s, QString()};
    QTest::newRow("empty lines inside stay")
        << u"a\n\nb"_s << QStringList{u"a"_s, QString(), u"b"_s};
    QTest::newRow("a single empty paragraph") << u"\n"_s << QStringList{QString()};
    QTest::newRow("line break inside a paragraph") << u"a\u2028b"_s << QStringList{u"a"_s, u"b"_s};
}

void TestInfoLines::paragraphs()
{
    QFETCH(QString, text);
    QFETCH(QStringList, lines);
    QTextDocument document;
    document.setPlainText(text);
    QCOMPARE(displayLines(&document), lines);
}

void TestInfoLines::wrappedParagraphBecomesSeveralLines()
{
    QTextDocument document;
    const QString paragraph = u"eins zwei drei vier fünf sechs sieben acht neun zehn"_s;
    document.setPlainText(paragraph + u"\nkurz"_s);
    document.setTextWidth(
        QFontMetrics(document.defaultFont()).horizontalAdvance(u"eins zwei drei"_s)
        + 2 * document.documentMargin());
    const QStringList lines = displayLines(&document);
    QVERIFY2(lines.size() > 3, qPrintable(lines.join(u'|')));
    QCOMPARE(lines.last(), u"kurz"_s);
    // Together the display lines hold exactly the paragraph's characters.
    QCOMPARE(lines.mid(0, lines.size() - 1).join(QString()), paragraph);
}

QTEST_MAIN(TestInfoLines)
#include "tst_infolines.moc"

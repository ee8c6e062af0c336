#include "ui/messages.h"

#include "records/error.h"

#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

using namespace Qt::StringLiterals;

namespace {

struct SeenBox
{
    QString caption;
    QString text;
    QStringList buttons;
};

// Answers the next real message box by a key press and records what it showed.
void answerNextBox(SeenBox *seen, int key)
{
    QTimer::singleShot(0, [seen, key] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (!box)
            return;
        seen->caption = box->windowTitle();
        seen->text = box->text();
        for (QAbstractButton *button : box->buttons())
            seen->buttons.append(button->text());
        QTest::keyClick(box, Qt::Key(key));
    });
}

} // namespace

class TestMessages : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void information();
    void questionEscapeAnswersNo();
    void questionEnterAnswersYes();
    void error();
    void mergeQuestionEnterMergesEscapeCancels();
    void runCommandShowsTheErrorAndGoesOn();
    void scriptedAnswers();
};

void TestMessages::information()
{
    SeenBox seen;
    answerNextBox(&seen, Qt::Key_Escape);
    Messages::information(nullptr, u"Der Teilnehmer \"Anna\" wurde gelöscht!"_s);
    QCOMPARE(seen.caption, u"Informationen"_s);
    QCOMPARE(seen.text, u"Der Teilnehmer \"Anna\" wurde gelöscht!"_s);
    QCOMPARE(seen.buttons, QStringList{u"OK"_s});
}

void TestMessages::questionEscapeAnswersNo()
{
    SeenBox seen;
    answerNextBox(&seen, Qt::Key_Escape);
    QVERIFY(!Messages::question(nullptr, u"Erste Zeile\r\nZweite Zeile"_s));
    QCOMPARE(seen.caption, u"Bestätigen"_s);
    QCOMPARE(seen.text, u"Erste Zeile\nZweite Zeile"_s);
    QCOMPARE(seen.buttons, (QStringList{u"&Ja"_s, u"&Nein"_s}));
}

void TestMessages::questionEnterAnswersYes()
{
    SeenBox seen;
    answerNextBox(&seen, Qt::Key_Return);
    QVERIFY(Messages::question(nullptr, u"Soll ein neuer Tag erstellt werden?"_s));
}

void TestMessages::error()
{
    SeenBox seen;
    answerNextBox(&seen, Qt::Key_Return);
    Messages::error(nullptr, u"Fehlertext"_s);
    QCOMPARE(seen.caption, u"Fehler"_s);
    QCOMPARE(seen.buttons, QStringList{u"OK"_s});
}

void TestMessages::mergeQuestionEnterMergesEscapeCancels()
{
    SeenBox seen;
    answerNextBox(&seen, Qt::Key_Escape);
    QCOMPARE(Messages::mergeQuestion(nullptr, u"Tage gingen verloren"_s), MergeChoice::Cancel);
    QCOMPARE(seen.caption, u"Bestätigen"_s);
    QCOMPARE(
        seen.buttons, (QStringList{u"&Zusammenführen"_s, u"&Überschreiben"_s, u"Abbrechen"_s}));
    answerNextBox(&seen, Qt::Key_Return);
    QCOMPARE(Messages::mergeQuestion(nullptr, u"Tage gingen verloren"_s), MergeChoice::Merge);
}

void TestMessages::runCommandShowsTheErrorAndGoesOn()
{
    MessageScript script;
    bool after = false;
    QVERIFY(!runCommand(nullptr, [&after] {
        throw TessaroError(u"Datei \"x\" kann nicht erstellt werden. Kein Platz"_s);
        after = true;
    }));
    QVERIFY(!after);
    QCOMPARE(script.shown(),
        (QList<ShownMessage>{
            {MessageKind::Error, u"Datei \"x\" kann nicht erstellt werden. Kein Platz"_s}}));
    QVERIFY(runCommand(nullptr, [&after] { after = true; }));
    QVERIFY(after);
}

void TestMessages::scriptedAnswers()
{
    MessageScript script;
    script.answerNext(true);
    QVERIFY(Messages::question(nullptr, u"eins"_s));
    // Without an answer left a question counts as "&Nein".
    QVERIFY(!Messages::question(nullptr, u"zwei"_s));
    Messages::information(nullptr, u"drei"_s);
    QCOMPARE(script.takeShown().size(), 3);
    QVERIFY(script.shown().isEmpty());
}

QTEST_MAIN(TestMessages)
#include "tst_messages.moc"

#include "mainwindow/mainwindow.h"

#include "participants/itemtexts.h"
#include "participants/schoolyear.h"
#include "participants/schoolyeardialog.h"
#include "records/dates.h"
#include "records/windows1252.h"
#include "reports/reportview.h"

#include "mainwindowtesting.h"

#include <QAction>
#include <QFileDialog>
#include <QLineEdit>
#include <QListWidget>
#include <QTextEdit>

using namespace Qt::StringLiterals;

class TestSchoolYearCommands : public MainWindowTest
{
    Q_OBJECT

private Q_SLOTS:
    void init() { prepare(); }
    void cleanup() { tearDown(); }

    void importsAClassList_data();
    void importsAClassList();
    void yearChangeByKeys();
};

namespace {

// A school office's list: umlauts, quotes, a separator in a quoted field, a head row of
// "Nachname;Vorname;Klasse", a name the name rules refuse, one that exists, one twice, a row
// without a name.
const QString kList
    = u"Nachname;Vorname;Klasse\r\nMüller;Jürgen;4A\r\n\"Straße; Ecke\";\"Zoë\";4A\r\n"
      u"\"Huber \"\"Hubsi\"\"\";Franz;4B\r\nBerger;Anton;4A\r\nMÜLLER;jürgen;4B\r\n"
      u";;4C\r\n"_s;

} // namespace

void TestSchoolYearCommands::importsAClassList_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("UTF-8 with byte-order mark") << "\xEF\xBB\xBF" + kList.toUtf8();
    QTest::newRow("UTF-8 without") << kList.toUtf8();
    QTest::newRow("Windows-1252") << Windows1252::encode(kList);
}

void TestSchoolYearCommands::importsAClassList()
{
    QFETCH(QByteArray, bytes);
    const QString list = m_paths.documentsFolder + u"klasse.csv"_s;
    QVERIFY(writeBytes(list, bytes));
    QVERIFY(writeParticipant(u"anton berger"_s, daysFile(1)));
    showPastTheList("[General]\nTeilnehmer=anton berger\n");
    m_messages->answerNext(true);
    QString leftOut;
    whenModalOpens<QFileDialog>([&](QFileDialog *dialog) {
        whenModalOpens<ReportView>([&](ReportView *view) {
            leftOut = view->windowTitle() + u'\n' + view->text();
            QTest::keyClick(view->ui().textEdit, Qt::Key_Escape);
        });
        // Typed into the file name, which has the focus.
        auto *fileName = dialog->findChild<QLineEdit *>(u"fileNameEdit"_s);
        fileName->setText(list);
        QTest::keyClick(fileName, Qt::Key_Return);
    });
    m_window->ui().importAction->trigger();

    QCOMPARE(m_messages->takeShown(),
        (QList<ShownMessage>{{MessageKind::Question,
                                 u"2 Teilnehmer werden angelegt. 1 gibt es schon und bleibt "
                                 "unverändert. 1 Zeile hat keinen Namen. 1 Name ist nicht "
                                 "erlaubt. 1 Name steht doppelt in der Liste.\r\nDie "
                                 "ausgelassenen Zeilen stehen danach in der Textansicht.\r\n"
                                 "Sollen die Teilnehmer jetzt angelegt werden?"_s},
            {MessageKind::Information, u"2 Teilnehmer wurden angelegt!"_s}}));
    QCOMPARE(leftOut,
        u"Ausgelassene Zeilen\nAus \"klasse.csv\" ausgelassen:\nZeile 4: \"Franz Huber "
        "\"Hubsi\"\": Der Name darf das Zeichen \"\"\" nicht enthalten.\nZeile 5: \"Anton "
        "Berger\" gibt es schon.\nZeile 6: \"jürgen MÜLLER\" steht schon in Zeile 2.\nZeile 7: "
        "kein Name"_s);
    // Written as the creation dialog writes, in the encoding of the file read last.
    const QByteArray day = Windows1252::encode(dateText(QDate::currentDate()));
    QCOMPARE(readBytes(pathOf(u"Jürgen Müller"_s)), "4A|\r\n" + day + "\r\n<--------------->\r\n");
    QCOMPARE(
        readBytes(pathOf(u"Zoë Straße; Ecke"_s)), "4A|\r\n" + day + "\r\n<--------------->\r\n");
    QCOMPARE(readBytes(pathOf(u"anton berger"_s)), daysFile(1));
    QCOMPARE(QDir(dataFolder()).entryList(QDir::Files).size(), 3);
}

void TestSchoolYearCommands::yearChangeByKeys()
{
    const QByteArray days
        = "\r\nTag 1|\r\n1\r\n<--------------->\r\nTag 2|\r\n0\r\n<--------------->\r\n";
    QVERIFY(writeParticipant(u"Anna"_s, "\xEF\xBB\xBF 4A |Brille|x" + days));
    QVERIFY(writeParticipant(u"Bert"_s, "4A\vK\xF6rper|" + days));
    QVERIFY(writeParticipant(u"Cem"_s, "4C|" + days));
    QVERIFY(writeBytes(pathOf(u"Cem"_s) + u".bak"_s, "4C|"));
    QVERIFY(writeParticipant(u"Dora"_s, "Chor|" + days));
    QVERIFY(writeParticipant(u"Emil"_s, "4A|" + days));
    QVERIFY(QFile::setPermissions(pathOf(u"Emil"_s), QFile::ReadOwner));
    showPastTheList("[General]\nTeilnehmer=Anna\n");
    m_window->setDayNumber(2);
    m_messages->answerNext(false);
    m_messages->answerNext(true);
    whenModalOpens<SchoolYearDialog>([this](SchoolYearDialog *dialog) {
        const SchoolYearDialog::Ui &ui = dialog->ui();
        QCOMPARE(itemTexts(ui.classList),
            (QStringList{u"4A wird 5A"_s, u"4C wird 5C"_s, u"Chor bleibt Chor"_s}));
        QTRY_COMPARE(QApplication::focusWidget(), ui.classList);
        QTest::keyClick(ui.classList, Qt::Key_Down);
        QTest::keyClick(ui.classList, Qt::Key_Tab);
        QCOMPARE(ui.newNameEdit->selectedText(), u"5C"_s);
        // A bar would move the rest of the header line into the comment.
        QTest::keyClicks(ui.newNameEdit, u"5|C"_s);
        QTest::keyClick(ui.newNameEdit, Qt::Key_Return);
        QCOMPARE(ui.newNameEdit->selectedText(), u"5|C"_s);
        QTest::keyClick(ui.newNameEdit, Qt::Key_Delete);
        QCOMPARE(ui.classList->item(1)->text(), u"4C wird abgelegt"_s);
        // Answered "Nein", the question leads back to the window as it was.
        whenModalOpens<SchoolYearDialog>([](SchoolYearDialog *again) {
            QCOMPARE(again->ui().classList->item(1)->text(), u"4C wird abgelegt"_s);
            QTest::keyClick(again->ui().classList, Qt::Key_Return);
        });
        QTest::keyClick(ui.newNameEdit, Qt::Key_Return);
    });
    m_window->ui().newSchoolYearAction->trigger();

    const QString year = schoolYearFolderName(QDate::currentDate());
    const ShownMessage question{MessageKind::Question,
        u"1 Klasse erhält einen neuen Namen.\r\nDie Teilnehmer von 1 Klasse kommen in den Ordner "
        "\"%1\".\r\nSoll das neue Schuljahr jetzt beginnen?"_s.arg(year)};
    QList<ShownMessage> shown = m_messages->takeShown();
    QCOMPARE(shown.size(), 5);
    QCOMPARE(shown.takeFirst(),
        (ShownMessage{MessageKind::Information,
            u"Der neue Name der Klasse \"4C\" darf weder \"|\" noch ein Steuerzeichen enthalten!"_s}));
    QCOMPARE(shown.mid(0, 2), QList<ShownMessage>({question, question}));
    QVERIFY2(shown.at(2).text.startsWith(
                 u"Diese Teilnehmerdateien konnten nicht geändert werden und sind unverändert:"
                 "\r\nDatei \"%1\" kann nicht erstellt werden."_s.arg(pathOf(u"Emil"_s))),
        qPrintable(shown.at(2).text));
    QCOMPARE(shown.at(3),
        (ShownMessage{MessageKind::Information,
            u"Das neue Schuljahr hat begonnen!\r\nNeue Klasse: 2 Teilnehmer\r\nIn \"%1\" "
            "verschoben: 1 Teilnehmer"_s.arg(year)}));
    // Only the class changes, byte for byte; the leaving class's files are in the year's folder.
    QCOMPARE(readBytes(pathOf(u"Anna"_s)), "\xEF\xBB\xBF 5A |Brille|x" + days);
    QCOMPARE(readBytes(pathOf(u"Bert"_s)), "5A\vK\xF6rper|" + days);
    QCOMPARE(readBytes(pathOf(u"Dora"_s)), "Chor|" + days);
    QCOMPARE(readBytes(pathOf(u"Emil"_s)), "4A|" + days);
    const QString moved = dataFolder() + year + u"/Cem.dat"_s;
    QCOMPARE(readBytes(moved), "4C|" + days);
    QCOMPARE(readBytes(moved + u".bak"_s), QByteArray("4C|"));
    QVERIFY(!QFile::exists(pathOf(u"Cem"_s)) && !QFile::exists(pathOf(u"Cem"_s) + u".bak"_s));
    // The participant shown was read again, at the day it showed.
    QCOMPARE(m_window->schoolClass(), u"5A"_s);
    QCOMPARE(m_window->dayNumber(), 2);
}

QTEST_MAIN(TestSchoolYearCommands)
#include "tst_schoolyearcommands.moc"

// Two copies of the program, each with its own settings, on one data folder: each copy's store
// keeps what the other wrote meanwhile. Both are main windows in this process; what one copy knows
// of the other is only the file, so a second process would test nothing more.

#include "mainwindow/mainwindow.h"

#include "records/dates.h"

#include "mainwindowtesting.h"

#include <QAction>

using namespace Qt::StringLiterals;

namespace {

QByteArray annaWith(const QByteArrayList &dateLines)
{
    QByteArray bytes = "1a|Kommentar\r\n";
    for (const QByteArray &line : dateLines)
        bytes += line + "\r\n1\r\n<--------------->\r\n";
    return bytes;
}

} // namespace

class TestSharedFolder : public MainWindowTest
{
    Q_OBJECT

private Q_SLOTS:
    void init() { prepare(); }
    void cleanup()
    {
        m_other.reset();
        tearDown();
    }
    void twoCopiesStoreTheSameParticipant_data();
    void twoCopiesStoreTheSameParticipant();

private:
    std::unique_ptr<MainWindow> m_other;
};

void TestSharedFolder::twoCopiesStoreTheSameParticipant_data()
{
    QTest::addColumn<MergeChoice>("answer");
    QTest::addColumn<QByteArrayList>("after");
    QTest::newRow("the same day changed on both, merged: both kept")
        << MergeChoice::Merge << QByteArrayList{"Tag 1|Mein Eintrag", "Tag 1|Dort"};
    QTest::newRow("overwritten: the other copy's day goes")
        << MergeChoice::Overwrite << QByteArrayList{"Tag 1|Dort"};
    QTest::newRow("cancelled: nothing stored")
        << MergeChoice::Cancel << QByteArrayList{"Tag 1|Mein Eintrag"};
}

void TestSharedFolder::twoCopiesStoreTheSameParticipant()
{
    QFETCH(MergeChoice, answer);
    QFETCH(QByteArrayList, after);
    QVERIFY(writeParticipant(u"Anna"_s, daysFile(3)));
    showPastTheList("[General]\nTeilnehmer=Anna\n");
    ProgramPaths otherPaths = m_paths;
    otherPaths.settingsFile = m_dir->filePath(u"other.ini"_s);
    QStringList otherAnnounced;
    m_other = createProgramWindows(otherPaths, recordingFront(&otherAnnounced)).mainWindow;
    m_other->openParticipant(u"Anna"_s);

    // The other copy adds today's day; this one stores day 1 as it read it: its day goes into
    // the file as it is now, and it is told so.
    m_messages->answerNext(true);
    m_other->ui().newDayAction->trigger();
    const QByteArray today = dateText(QDate::currentDate()).toLatin1() + '|';
    m_window->setRemark(u"Mein Eintrag"_s);
    m_window->ui().nextDayAction->trigger();
    QCOMPARE(
        readBytes(pathOf(u"Anna"_s)), annaWith({today, "Tag 1|Mein Eintrag", "Tag 2|", "Tag 3|"}));
    QCOMPARE(m_window->dayNumber(), 3);
    QCOMPARE(m_window->date(), u"Tag 2"_s);
    QCOMPARE(m_messages->takeShown().constLast().text,
        u"Die Datei des Teilnehmers \"Anna\" wurde inzwischen an anderer Stelle geändert, zum "
        "Beispiel an einem anderen Computer.\r\nIhre Änderung wurde in die geänderte Datei "
        "übernommen; die Änderungen der anderen Stelle bleiben erhalten."_s);

    // Now the other copy changes the same day: nothing is dropped unasked.
    m_other->setDayNumber(2);
    m_other->setRemark(u"Dort"_s);
    m_messages->answerNext(answer);
    m_other->ui().nextDayAction->trigger();
    QCOMPARE(m_messages->takeShown(),
        (QList<ShownMessage>{{MessageKind::Question,
            u"Die Datei des Teilnehmers \"Anna\" wurde inzwischen an anderer Stelle geändert, zum "
            "Beispiel an einem anderen Computer, und zwar auch dort, wo Sie etwas geändert haben: "
            "Tag \"Tag 1\".\r\nZusammenführen: Beide Fassungen bleiben erhalten, kein Tag geht "
            "verloren.\r\nÜberschreiben: Ihre Fassung ersetzt die Datei, die Änderungen der "
            "anderen Stelle gehen verloren.\r\nAbbrechen: Es wird nichts gespeichert."_s}}));
    QCOMPARE(readBytes(pathOf(u"Anna"_s)),
        annaWith(QByteArrayList{today} + after + QByteArrayList{"Tag 2|", "Tag 3|"}));
    // Cancelled, the other copy stays on its day with what was typed.
    QCOMPARE(m_other->remark(), answer == MergeChoice::Cancel ? u"Dort"_s : u""_s);
}

QTEST_MAIN(TestSharedFolder)
#include "tst_sharedfolder.moc"

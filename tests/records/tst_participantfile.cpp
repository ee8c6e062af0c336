#include "records/atomicwrite.h"
#include "records/error.h"
#include "records/participantfile.h"
#include "support/filesystemtesting.h"
#include "support/testfiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

DayRecord datedDay(const QString &date)
{
    DayRecord day;
    day.date = date;
    return day;
}

// The little-endian UTF-16 bytes of the text with their byte-order mark.
QByteArray utf16le(const char16_t *text)
{
    QByteArray bytes("\xFF\xFE");
    for (; *text; ++text) {
        bytes.append(char(*text & 0xFF));
        bytes.append(char(*text >> 8));
    }
    return bytes;
}

// The values the main window shows after opening a participant at day nr.
ShownDay shownDay(const ParticipantFile &file, int number)
{
    const DayRecord day = file.readDay(number);
    const Fields header = file.header();
    return {file.displayName(), trimmedText(header.first), trimmedText(header.second), day.date,
        trimmedText(day.remark), day.present, day.infoLines.join(u'\n')};
}

} // namespace

class TestParticipantFile : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void missingOrEmptyNameOpensNothing();
    void emptyFileOpensAsOneEmptyDay();
    void headerOnlyGetsItsFirstDayOnStore();
    void unchangedStoreTouchesNoFile();
    void classChangeReachesTheFileAtTheNextStore();
    void backupHoldsTheContentBeforeTheLatestWrite();
    void encodingIsKeptOnWrite_data();
    void encodingIsKeptOnWrite();
    void dottedNameOpensItsOwnFile();
    void readOnlyFileBecomesWritable();
    void unreadableFileReportsAndOpensNothing();
    void failedWriteLeavesTheOldFileByteIdentical();
    void writeFollowsALink();
    void newDayAndRemovalThroughTheFile();
    void typedDayWithoutLinesIsStored();

private:
    // Writes the participant file, opens it and takes the snapshot of day 1, as showing does.
    bool openAtDayOne(
        ParticipantFile &file, const QString &name, const QByteArray &content, ShownDay *shown);

    QTemporaryDir m_dir;
    QString m_folder;
};

void TestParticipantFile::init()
{
    QVERIFY(m_dir.isValid());
    m_folder = m_dir.path() + u"/"_s + QString::fromLatin1(QTest::currentTestFunction()) + u"/"_s;
    QVERIFY(QDir().mkpath(m_folder));
}

bool TestParticipantFile::openAtDayOne(
    ParticipantFile &file, const QString &name, const QByteArray &content, ShownDay *shown)
{
    if (!writeBytes(m_folder + name + u".dat"_s, content) || !file.open(m_folder, name))
        return false;
    *shown = shownDay(file, 1);
    file.setSnapshot(*shown);
    return true;
}

void TestParticipantFile::missingOrEmptyNameOpensNothing()
{
    ParticipantFile file;
    QVERIFY(!file.open(m_folder, u"Niemand"_s));
    QVERIFY(!file.isOpen());
    QCOMPARE(file.path(), m_folder);
    QCOMPARE(file.dayCount(), 0);
    QVERIFY(!file.open(m_folder, QString()));
    QVERIFY(QDir().mkpath(m_folder + u"Ordner.dat"_s));
    QVERIFY(!file.open(m_folder, u"Ordner"_s));
    // Nothing open: a store writes nothing.
    ShownDay shown;
    shown.participant = u"Niemand"_s;
    QVERIFY(!file.store(shown, {}, 1, true));
    QVERIFY(!QFileInfo::exists(m_folder + u"Niemand.dat"_s));
}

void TestParticipantFile::emptyFileOpensAsOneEmptyDay()
{
    QVERIFY(writeBytes(m_folder + u"Leer.dat"_s, QByteArray()));
    ParticipantFile file;
    QVERIFY(file.open(m_folder, u"Leer"_s));
    QCOMPARE(file.dayCount(), 1);
    QCOMPARE(file.header().first, QString());
    QCOMPARE(file.header().second, QString());
    QCOMPARE(file.readDay(1), DayRecord());

    ShownDay shown = shownDay(file, 1);
    file.setSnapshot(shown);
    shown.date = u"Mo., 6. Jänner 2025"_s;
    QVERIFY(file.store(shown, {}, 1, false));
    QCOMPARE(readBytes(m_folder + u"Leer.dat"_s),
        QByteArray("|\r\nMo., 6. J\xE4nner 2025|\r\n1\r\n<--------------->\r\n"));
}

void TestParticipantFile::headerOnlyGetsItsFirstDayOnStore()
{
    const QString path = m_folder + u"Kopf.dat"_s;
    QVERIFY(writeBytes(path, "1a|Kommentar\r\n"));
    ParticipantFile file;
    QVERIFY(file.open(m_folder, u"Kopf"_s));
    QCOMPARE(file.dayCount(), 1);
    QCOMPARE(readBytes(path), QByteArray("1a|Kommentar\r\n"));

    const ShownDay shown = shownDay(file, 1);
    QCOMPARE(shown.schoolClass, u"1a"_s);
    QCOMPARE(shown.present, kPresent);
    file.setSnapshot(shown);
    QVERIFY(file.store(shown, {}, 1, true));
    QCOMPARE(readBytes(path), QByteArray("1a|Kommentar\r\n|\r\n1\r\n<--------------->\r\n"));
}

void TestParticipantFile::unchangedStoreTouchesNoFile()
{
    const QString path = m_folder + u"Anna.dat"_s;
    const QByteArray content("1a|\r\nMo.|\r\n<--------------->\r\n");
    ParticipantFile file;
    ShownDay shown;
    QVERIFY(openAtDayOne(file, u"Anna"_s, content, &shown));
    const QDateTime modified = QFileInfo(path).lastModified();

    QVERIFY(!file.store(shown, {}, 1, false));
    QCOMPARE(readBytes(path), content);
    QCOMPARE(QFileInfo(path).lastModified(), modified);
    QVERIFY(!QFileInfo::exists(file.backupFilename()));

    // The same values are written when the store is forced.
    QVERIFY(file.store(shown, {}, 1, true));
    QCOMPARE(readBytes(path), QByteArray("1a|\r\nMo.|\r\n1\r\n<--------------->\r\n"));
    QCOMPARE(readBytes(file.backupFilename()), content);
}

void TestParticipantFile::classChangeReachesTheFileAtTheNextStore()
{
    const QString path = m_folder + u"Anna.dat"_s;
    ParticipantFile file;
    ShownDay shown;
    QVERIFY(openAtDayOne(file, u"Anna"_s, "1a\r\nMo.|\r\n1\r\n<--------------->\r\n", &shown));
    shown.schoolClass = u"2b"_s;
    QVERIFY(file.store(shown, {}, 1, false));
    QCOMPARE(readBytes(path), QByteArray("2b|\r\nMo.|\r\n1\r\n<--------------->\r\n"));
    // Stored once, the same values count as unchanged.
    QVERIFY(!file.store(shown, {}, 1, false));
}

void TestParticipantFile::backupHoldsTheContentBeforeTheLatestWrite()
{
    const QString path = m_folder + u"Anna.dat"_s;
    ParticipantFile file;
    ShownDay shown;
    QVERIFY(openAtDayOne(file, u"Anna"_s, "1a|\r\nMo.|\r\n1\r\n<--------------->\r\n", &shown));

    shown.remark = u"erste"_s;
    QVERIFY(file.store(shown, {}, 1, false));
    const QByteArray afterFirst = readBytes(path);
    shown.remark = u"zweite"_s;
    QVERIFY(file.store(shown, {}, 1, false));

    QCOMPARE(readBytes(file.backupFilename()), afterFirst);
    QCOMPARE(file.backupFilename(), m_folder + u"Anna.dat.bak"_s);
    QVERIFY(readBytes(path).contains("Mo.|zweite"));
    // No temporary file stays behind.
    QCOMPARE(QDir(m_folder).entryList(QDir::Files | QDir::Hidden).size(), 2);
}

void TestParticipantFile::encodingIsKeptOnWrite_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QByteArray>("written");
    QTest::newRow("ANSI without mark")
        << QByteArray("K\xE4|\r\nT|\r\n1\r\n<--------------->\r\n")
        << QByteArray("K\xE4|\r\nT|\xDF\r\n1\r\n<--------------->\r\n");
    QTest::newRow("UTF-8 with mark")
        << QByteArray("\xEF\xBB\xBFK\xC3\xA4|\r\nT|\r\n1\r\n<--------------->\r\n")
        << QByteArray("\xEF\xBB\xBFK\xC3\xA4|\r\nT|\xC3\x9F\r\n1\r\n<--------------->\r\n");
    QTest::newRow("UTF-16LE") << utf16le(u"|\r\n")
                              << utf16le(u"|\r\n|ß\r\n1\r\n<--------------->\r\n");
}

void TestParticipantFile::encodingIsKeptOnWrite()
{
    QFETCH(QByteArray, content);
    QFETCH(QByteArray, written);
    ParticipantFile file;
    ShownDay shown;
    QVERIFY(openAtDayOne(file, u"T"_s, content, &shown));
    shown.remark = u"ß"_s;
    QVERIFY(file.store(shown, {}, 1, false));
    QCOMPARE(readBytes(m_folder + u"T.dat"_s), written);
}

void TestParticipantFile::dottedNameOpensItsOwnFile()
{
    QVERIFY(writeBytes(m_folder + u"A.dat"_s, "andere|\r\n<--------------->\r\n"));
    QVERIFY(writeBytes(m_folder + u"A.B.dat"_s, "richtige|\r\n<--------------->\r\n"));
    ParticipantFile file;
    QVERIFY(file.open(m_folder, u"A.B"_s));
    QCOMPARE(file.path(), m_folder + u"A.B.dat"_s);
    QCOMPARE(file.displayName(), u"A"_s);
    QCOMPARE(file.header().first, u"richtige"_s);
    QCOMPARE(file.dataFolder(), m_folder);
}

void TestParticipantFile::readOnlyFileBecomesWritable()
{
    const QString path = m_folder + u"Nur.dat"_s;
    QVERIFY(writeBytes(path, "1a|\r\n<--------------->\r\n"));
    QFile::setPermissions(path, QFileDevice::ReadOwner);
    ParticipantFile file;
    QVERIFY(file.open(m_folder, u"Nur"_s));
    QVERIFY(QFile::permissions(path) & QFileDevice::WriteOwner);
}

void TestParticipantFile::unreadableFileReportsAndOpensNothing()
{
    // A pipe would block a plain read; it must be refused instead.
    const QString path = m_folder + u"Rohr.dat"_s;
    if (!makePipe(path))
        QSKIP("no pipes in a folder here");
    QVERIFY(writeBytes(m_folder + u"Alt.dat"_s, "1a|\r\n<--------------->\r\n"));
    ParticipantFile file;
    QVERIFY(file.open(m_folder, u"Alt"_s));
    try {
        file.open(m_folder, u"Rohr"_s);
        QFAIL("no error raised");
    } catch (const TessaroError &error) {
        QVERIFY2(error.text().startsWith(u"Datei "_s + path + u" kann nicht geöffnet werden. "_s),
            qPrintable(error.text()));
    }
    QVERIFY(!file.isOpen());
    QVERIFY(file.lineList().isEmpty());
    QCOMPARE(file.path(), m_folder);
}

void TestParticipantFile::failedWriteLeavesTheOldFileByteIdentical()
{
    const QString path = m_folder + u"Anna.dat"_s;
    const QByteArray content("1a|\r\nMo.|\r\n1\r\n<--------------->\r\n");
    ParticipantFile file;
    ShownDay shown;
    QVERIFY(openAtDayOne(file, u"Anna"_s, content, &shown));
    shown.infoText = QString(20000, u'x');
    {
        const FileSizeLimit limit(4096);
        if (!limit.isActive())
            QSKIP("no file size limit here");
        try {
            file.store(shown, {shown.infoText}, 1, false);
            QFAIL("no error raised");
        } catch (const TessaroError &error) {
            QVERIFY2(error.text().startsWith(
                         u"Datei \""_s + path + u"\" kann nicht erstellt werden. "_s),
                qPrintable(error.text()));
        }
    }
    QCOMPARE(readBytes(path), content);
    // The backup was made before the write; no temporary file is left.
    QCOMPARE(readBytes(file.backupFilename()), content);
    QCOMPARE(QDir(m_folder).entryList(QDir::Files | QDir::Hidden).size(), 2);
    // The change was not written, so the next store of the same values tries again.
    QVERIFY(file.store(shown, {shown.infoText}, 1, false));
    QCOMPARE(file.readDay(1).infoLines, QStringList{shown.infoText});
    QVERIFY(readBytes(path).contains(shown.infoText.toLatin1()));
}

void TestParticipantFile::writeFollowsALink()
{
    const QString target = m_folder + u"echt.txt"_s;
    QVERIFY(writeBytes(target, "1a|\r\n<--------------->\r\n"));
    if (!makeSymbolicLink(target, m_folder + u"Link.dat"_s))
        QSKIP("this user cannot make a symbolic link");
    ParticipantFile file;
    QVERIFY(file.open(m_folder, u"Link"_s));
    ShownDay shown = shownDay(file, 1);
    file.setSnapshot(shown);
    shown.date = u"neu"_s;
    QVERIFY(file.store(shown, {}, 1, false));
    QVERIFY(QFileInfo(m_folder + u"Link.dat"_s).isSymLink());
    QCOMPARE(readBytes(target), QByteArray("1a|\r\nneu|\r\n1\r\n<--------------->\r\n"));
}

void TestParticipantFile::newDayAndRemovalThroughTheFile()
{
    const QString path = m_folder + u"Tage.dat"_s;
    QVERIFY(writeBytes(path, "1a|\r\nalt|\r\n0\r\n<--------------->\r\n"));
    ParticipantFile file;
    QVERIFY(file.open(m_folder, u"Tage"_s));
    file.insertDay(datedDay(u"neu"_s));
    QCOMPARE(file.dayCount(), 2);
    QCOMPARE(file.readDay(1).date, u"neu"_s);
    QCOMPARE(file.readDay(2).present, kAbsent);

    file.removeDay(1, u"1a"_s);
    QCOMPARE(file.dayCount(), 1);
    QCOMPARE(file.readDay(1).date, u"alt"_s);
    QCOMPARE(file.lineList().at(0), u"1a"_s);
    // Nothing of this reached the file yet.
    QCOMPARE(readBytes(path), QByteArray("1a|\r\nalt|\r\n0\r\n<--------------->\r\n"));
}

void TestParticipantFile::typedDayWithoutLinesIsStored()
{
    const QString path = m_folder + u"Kopf.dat"_s;
    QVERIFY(writeBytes(path, "1a <---------------> |\r\nd1|\r\n1\r\n<--------------->\r\n"));
    ParticipantFile file;
    QVERIFY(file.open(m_folder, u"Kopf"_s));
    QCOMPARE(file.dayCount(), 2);
    ShownDay shown = shownDay(file, 2);
    file.setSnapshot(shown);
    shown.date = u"getippt"_s;
    QVERIFY(file.store(shown, {u"info"_s}, 2, false));

    ParticipantFile reread;
    QVERIFY(reread.open(m_folder, u"Kopf"_s));
    QCOMPARE(reread.readDay(2).date, u"getippt"_s);
    QCOMPARE(reread.readDay(2).infoLines, QStringList{u"info"_s});
    QCOMPARE(reread.readDay(1).date, u"d1"_s);
}

QTEST_GUILESS_MAIN(TestParticipantFile)
#include "tst_participantfile.moc"

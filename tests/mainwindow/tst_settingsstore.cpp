#include "mainwindow/settingsstore.h"

#include "records/error.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

class TestSettingsStore : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void roundTrip();
    void missingValuesAreEmpty();
    void integers_data();
    void integers();
    void stringsOfTheWrongType();
    void unwritableFileNamesTheFirstValue();

private:
    QString writeIni(const QByteArray &content);
    QTemporaryDir m_dir;
};

QString TestSettingsStore::writeIni(const QByteArray &content)
{
    const QString path = m_dir.filePath(QString::fromLatin1(QTest::currentDataTag()).isEmpty()
            ? u"settings.ini"_s
            : QString::fromLatin1(QTest::currentDataTag()) + u".ini"_s);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return QString();
    file.write(content);
    return path;
}

void TestSettingsStore::roundTrip()
{
    const QString path = m_dir.filePath(u"roundtrip.ini"_s);
    {
        SettingsStore store(path);
        store.writeInteger(u"AktOrdner"_s, 2);
        store.writeString(u"Teilnehmer"_s, u"Anna, Berger \"A\""_s);
        store.writeInteger(u"FontColor"_s, qint32(0xFF000008u));
        store.writeString(u"FontName"_s, QString());
        store.save();
    }
    SettingsStore store(path);
    QVERIFY(store.isReadable());
    QCOMPARE(store.readInteger(u"AktOrdner"_s), 2);
    QCOMPARE(store.readString(u"Teilnehmer"_s), u"Anna, Berger \"A\""_s);
    QCOMPARE(quint32(*store.readInteger(u"FontColor"_s)), 0xFF000008u);
    QCOMPARE(store.readString(u"FontName"_s), QString());
}

void TestSettingsStore::missingValuesAreEmpty()
{
    SettingsStore store(m_dir.filePath(u"none.ini"_s));
    QVERIFY(store.isReadable());
    QVERIFY(!store.readInteger(u"FontSize"_s));
    QVERIFY(!store.readString(u"Teilnehmer"_s));
}

void TestSettingsStore::integers_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<qint64>("value");
    QTest::addColumn<QString>("error");
    QTest::newRow("plain") << QByteArray("12") << qint64(12) << QString();
    QTest::newRow("negative") << QByteArray("-1") << qint64(-1) << QString();
    QTest::newRow("unsigned 32 bits read as signed")
        << QByteArray("4278190088") << qint64(-16777208) << QString();
    QTest::newRow("text") << QByteArray("zwölf") << qint64(0)
                          << u"Ungültiger Datentyp für 'FontSize'"_s;
    QTest::newRow("empty") << QByteArray("") << qint64(0)
                           << u"Ungültiger Datentyp für 'FontSize'"_s;
    QTest::newRow("fraction") << QByteArray("12.5") << qint64(0)
                              << u"Ungültiger Datentyp für 'FontSize'"_s;
    QTest::newRow("list") << QByteArray("1, 2") << qint64(0)
                          << u"Ungültiger Datentyp für 'FontSize'"_s;
    QTest::newRow("binary") << QByteArray("@ByteArray(\\x1)") << qint64(0)
                            << u"Ungültiger Datentyp für 'FontSize'"_s;
    QTest::newRow("more than four bytes")
        << QByteArray("4294967296") << qint64(0) << u"Fehler beim Holen der Daten für 'FontSize'"_s;
    QTest::newRow("more than eight bytes") << QByteArray("123456789012345678901234") << qint64(0)
                                           << u"Fehler beim Holen der Daten für 'FontSize'"_s;
}

void TestSettingsStore::integers()
{
    QFETCH(QByteArray, text);
    QFETCH(qint64, value);
    QFETCH(QString, error);
    SettingsStore store(writeIni("[General]\nFontSize=" + text + "\n"));
    try {
        const std::optional<qint32> read = store.readInteger(u"FontSize"_s);
        QVERIFY2(error.isEmpty(), "no error raised");
        QCOMPARE(read, qint32(value));
    } catch (const TessaroError &raised) {
        QCOMPARE(raised.text(), error);
    }
}

void TestSettingsStore::stringsOfTheWrongType()
{
    SettingsStore store(writeIni("[General]\nTeilnehmer=Anna, Berta\nFontName=123\n"));
    QCOMPARE(store.readString(u"FontName"_s), u"123"_s);
    try {
        store.readString(u"Teilnehmer"_s);
        QFAIL("no error raised");
    } catch (const TessaroError &raised) {
        QCOMPARE(raised.text(), u"Ungültiger Datentyp für 'Teilnehmer'"_s);
    }
}

void TestSettingsStore::unwritableFileNamesTheFirstValue()
{
    // A folder where the file should be cannot be replaced by a file.
    const QString path = m_dir.filePath(u"folder.ini"_s);
    QVERIFY(QDir().mkpath(path));
    SettingsStore store(path);
    store.writeInteger(u"AktOrdner"_s, 1);
    store.writeString(u"Teilnehmer"_s, u"Anna"_s);
    try {
        store.save();
        QFAIL("no error raised");
    } catch (const TessaroError &raised) {
        QCOMPARE(raised.text(), u"Fehler beim Setzen der Daten für 'AktOrdner'"_s);
    }
}

QTEST_GUILESS_MAIN(TestSettingsStore)
#include "tst_settingsstore.moc"

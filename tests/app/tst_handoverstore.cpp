#include "app/filelock.h"
#include "app/handoverstore.h"

#include "support/testfiles.h"

#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>

using namespace Qt::StringLiterals;

Q_DECLARE_METATYPE(HandOverRequest)
Q_DECLARE_METATYPE(std::optional<HandOverRequest>)

namespace {

const QByteArray kMissing = "<missing>";

void putContent(const QString &path, const QByteArray &bytes)
{
    if (bytes != kMissing)
        QVERIFY(writeBytes(path, bytes));
}

// The store as another program left it a while ago, not while it is still writing.
void makeOld(const QString &path)
{
    QFile file(path);
    if (file.open(QIODevice::ReadWrite))
        QVERIFY(file.setFileTime(
            QDateTime::currentDateTime().addSecs(-10), QFileDevice::FileModificationTime));
}

} // namespace

class TestHandOverStore : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();

    void joiningParameters_data();
    void joiningParameters();
    void writing_data();
    void writing();
    void taking_data();
    void taking();
    void somethingElseInPlaceOfTheStore_data();
    void somethingElseInPlaceOfTheStore();
    void aStoreBeingWrittenIsLeftUntilItsLineEnds();
    void aLockHeldElsewhereMakesBothFailWithoutHanging();

private:
    QString storePath() const { return m_dir->path() + u"/Tessaro.handover"_s; }
    HandOverStore store() const { return HandOverStore(m_dir->path(), u"Tessaro"_s); }

    std::unique_ptr<QTemporaryDir> m_dir;
};

void TestHandOverStore::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
}

void TestHandOverStore::joiningParameters_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("joined");

    QTest::newRow("a text wins over the arguments") << u"x"_s << QStringList{u"a"_s} << u"x"_s;
    QTest::newRow("arguments joined") << QString() << QStringList{u"a"_s, u"b"_s} << u"a|b"_s;
    QTest::newRow("each trimmed, empty ones left out")
        << QString() << QStringList{u" a\t"_s, u"  "_s, u"b "_s} << u"a|b"_s;
    QTest::newRow("the last argument empty leaves the separator")
        << QString() << QStringList{u"a"_s, u""_s} << u"a|"_s;
    QTest::newRow("no arguments") << QString() << QStringList() << QString();
}

void TestHandOverStore::joiningParameters()
{
    QFETCH(QString, text);
    QFETCH(QStringList, arguments);
    QFETCH(QString, joined);
    QCOMPARE(joinParameters(text, arguments), joined);
    QCOMPARE(parametersRequest(text, arguments), (HandOverRequest{joined, {}, {}}));
}

void TestHandOverStore::writing_data()
{
    QTest::addColumn<QByteArray>("before");
    QTest::addColumn<HandOverRequest>("request");
    QTest::addColumn<QByteArray>("after");

    QTest::newRow("set focus") << kMissing << setFocusRequest() << "ProgramSetFocus=1\n"_ba;
    QTest::newRow("close with a value of its own")
        << kMissing << closeRequest(u"ja"_s) << "ProgramClose=ja\n"_ba;
    QTest::newRow("parameters escaped, in UTF-8")
        << kMissing << HandOverRequest{u"ä\nb\\c\r"_s, {}, {}}
        << "ProgramParameters=\xc3\xa4\\nb\\\\c\\r\n"_ba;
    QTest::newRow("all three in their order")
        << kMissing << HandOverRequest{u"p"_s, u"1"_s, u"1"_s}
        << "ProgramParameters=p\nProgramSetFocus=1\nProgramClose=1\n"_ba;
    QTest::newRow("an empty request touches nothing") << kMissing << HandOverRequest() << kMissing;
    QTest::newRow("a waiting value of the same name is replaced, others stay")
        << "Other=x\nprogramsetfocus=old\nProgramClose=1\n"_ba << setFocusRequest()
        << "Other=x\nProgramClose=1\nProgramSetFocus=1\n"_ba;
    QTest::newRow("lines that are no values are dropped")
        << "garbage\n\x01\x02\n"_ba << setFocusRequest() << "ProgramSetFocus=1\n"_ba;
    QTest::newRow("a store over 64 KiB is replaced")
        << QByteArray(70000, 'x') << setFocusRequest() << "ProgramSetFocus=1\n"_ba;
}

void TestHandOverStore::writing()
{
    QFETCH(QByteArray, before);
    QFETCH(HandOverRequest, request);
    QFETCH(QByteArray, after);
    putContent(storePath(), before);
    QVERIFY(store().write(request));
    QCOMPARE(readBytes(storePath()), after);
    if (before == kMissing && !request.isEmpty()) {
        // What is written is what the running copy reads.
        const std::optional<HandOverRequest> taken = store().take();
        QVERIFY(taken);
        QCOMPARE(taken->parameters, request.parameters);
        QCOMPARE(taken->setFocus, request.setFocus);
        QCOMPARE(taken->close, request.close);
    }
}

void TestHandOverStore::taking_data()
{
    QTest::addColumn<QByteArray>("before");
    QTest::addColumn<std::optional<HandOverRequest>>("request");
    QTest::addColumn<QByteArray>("after");

    using Request = std::optional<HandOverRequest>;
    QTest::newRow("set focus consumed, store removed")
        << "ProgramSetFocus=1\n"_ba << Request({{}, u"1"_s, {}}) << kMissing;
    QTest::newRow("all three consumed at once")
        << "ProgramClose=1\nProgramSetFocus=1\nProgramParameters=a|b\n"_ba
        << Request({u"a|b"_s, u"1"_s, u"1"_s}) << kMissing;
    QTest::newRow("names in any letter case, lines ended by CR LF")
        << "programclose=1\r\n"_ba << Request({{}, {}, u"1"_s}) << kMissing;
    QTest::newRow("an empty value is consumed without effect")
        << "ProgramClose=\n"_ba << Request(HandOverRequest()) << kMissing;
    QTest::newRow("a foreign value stays")
        << "Other=x\nProgramSetFocus=1\n"_ba << Request({{}, u"1"_s, {}}) << "Other=x\n"_ba;
    QTest::newRow("only a foreign value: nothing to take")
        << "Other=x\n"_ba << Request() << "Other=x\n"_ba;
    QTest::newRow("an empty store is removed") << ""_ba << Request() << kMissing;
    QTest::newRow("garbage is removed") << "\x01\x02garbage\n=x\n"_ba << Request() << kMissing;
    QTest::newRow("garbage around a value")
        << "garbage\nProgramClose=1\n=x\n"_ba << Request({{}, {}, u"1"_s}) << kMissing;
    QTest::newRow("a value that is no UTF-8 has the wrong type")
        << "ProgramSetFocus=\xff\xfe\n"_ba << Request(HandOverRequest()) << kMissing;
    QTest::newRow("a value with a NUL has the wrong type")
        << "ProgramParameters=a\0b\nProgramClose=1\n"_ba << Request({{}, {}, u"1"_s}) << kMissing;
    QTest::newRow("the longest value is taken")
        << "ProgramParameters=" + QByteArray(32767, 'p') + "\n"
        << Request({QString(32767, u'p'), {}, {}}) << kMissing;
    QTest::newRow("a longer value has the wrong type")
        << "ProgramParameters=" + QByteArray(32768, 'p') + "\n"
        << Request(HandOverRequest()) << kMissing;
    QTest::newRow("escapes") << "ProgramParameters=a\\nb\\\\c\\x\n"_ba
                             << Request({u"a\nb\\c\\x"_s, {}, {}}) << kMissing;
    QTest::newRow("of a repeated value the first counts, all are consumed")
        << "ProgramClose=1\nProgramClose=2\n"_ba << Request({{}, {}, u"1"_s}) << kMissing;
    QTest::newRow("a store over 64 KiB is removed unread")
        << "ProgramClose=1\n" + QByteArray(70000, 'x') << Request() << kMissing;
    QTest::newRow("no store") << kMissing << Request() << kMissing;
}

void TestHandOverStore::taking()
{
    QFETCH(QByteArray, before);
    QFETCH(std::optional<HandOverRequest>, request);
    QFETCH(QByteArray, after);
    putContent(storePath(), before);
    makeOld(storePath());
    const std::optional<HandOverRequest> taken = store().take();
    QCOMPARE(taken.has_value(), request.has_value());
    if (taken) {
        QCOMPARE(taken->parameters, request->parameters);
        QCOMPARE(taken->setFocus, request->setFocus);
        QCOMPARE(taken->close, request->close);
    }
    QCOMPARE(readBytes(storePath()), after);
    QVERIFY(!store().take());
}

void TestHandOverStore::somethingElseInPlaceOfTheStore_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<bool>("writable");

    // A link's target is never read, written or removed; a pipe is never waited on.
    QTest::newRow("link") << u"link"_s << true;
    QTest::newRow("pipe") << u"pipe"_s << true;
    QTest::newRow("folder") << u"folder"_s << false;
}

void TestHandOverStore::somethingElseInPlaceOfTheStore()
{
    QFETCH(QString, kind);
    QFETCH(bool, writable);
    const QString target = m_dir->path() + u"/target"_s;
    putContent(target, "ProgramClose=1\n");
    if (kind == u"link")
        QVERIFY(QFile::link(target, storePath()));
    else if (kind == u"pipe")
        QCOMPARE(::mkfifo(QFile::encodeName(storePath()).constData(), 0600), 0);
    else
        QVERIFY(QDir().mkdir(storePath()));

    QVERIFY(!store().take());
    QCOMPARE(store().write(setFocusRequest()), writable);
    QCOMPARE(readBytes(storePath()), writable ? "ProgramSetFocus=1\n"_ba : kMissing);
    QCOMPARE(readBytes(target), "ProgramClose=1\n"_ba);
}

void TestHandOverStore::aStoreBeingWrittenIsLeftUntilItsLineEnds()
{
    // "echo ProgramClose=1 > file" creates the file before it writes the line.
    putContent(storePath(), "");
    QVERIFY(!store().take());
    QCOMPARE(readBytes(storePath()), ""_ba);
    putContent(storePath(), "ProgramClose=1");
    QVERIFY(!store().take());
    QCOMPARE(readBytes(storePath()), "ProgramClose=1"_ba);
    putContent(storePath(), "ProgramClose=1\n");
    QVERIFY(store().take());
    QCOMPARE(readBytes(storePath()), kMissing);

    // A line that stays unfinished is taken as it is once the writer is surely done.
    putContent(storePath(), "ProgramClose=1");
    makeOld(storePath());
    QCOMPARE(store().take().value_or(HandOverRequest()).close, u"1"_s);
}

void TestHandOverStore::aLockHeldElsewhereMakesBothFailWithoutHanging()
{
    putContent(storePath(), "ProgramClose=1\n");
    FileLock stuckWriter(storePath() + u".lock"_s);
    QCOMPARE(stuckWriter.tryLock(), FileLock::Result::Locked);
    QElapsedTimer clock;
    clock.start();
    QVERIFY(!store().write(setFocusRequest()));
    QVERIFY(!store().take());
    QVERIFY(clock.elapsed() < 5000);
    QCOMPARE(readBytes(storePath()), "ProgramClose=1\n"_ba);
    stuckWriter.unlock();
    QVERIFY(store().take());
}

QTEST_GUILESS_MAIN(TestHandOverStore)
#include "tst_handoverstore.moc"

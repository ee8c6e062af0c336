#include "app/handoverwatcher.h"

#include "handovertesting.h"

#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

class TestHandOverWatcher : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void aLeftoverIsConsumedWithoutEffect();
    void oneFieldActs_data();
    void oneFieldActs();
    void stoppingWhileAHandOverWaitsCannotDeadlock();

private:
    QString storePath() const { return m_dir->path() + u"/Tessaro.handover"_s; }
    void leave(const QByteArray &bytes) { leaveInStore(storePath(), bytes); }
    void startWatcher()
    {
        m_watcher
            = std::make_unique<HandOverWatcher>(HandOverStore(m_dir->path(), u"Tessaro"_s), this,
                HandOverHandlers{[this](const QString &text) { handled(u"parameters "_s + text); },
                    [this] { handled(u"set focus"_s); },
                    [this] {
                        handled(u"close"_s);
                    }});
        m_watcher->startWatching();
    }
    void handled(const QString &call)
    {
        QCOMPARE(QThread::currentThread(), thread());
        m_calls.append(call);
    }

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<HandOverWatcher> m_watcher;
    QStringList m_calls;
};

void TestHandOverWatcher::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    m_calls.clear();
}

void TestHandOverWatcher::cleanup()
{
    m_watcher.reset();
}

void TestHandOverWatcher::aLeftoverIsConsumedWithoutEffect()
{
    leave("ProgramSetFocus=1\nProgramClose=1\n");
    startWatcher();
    QVERIFY(!QFile::exists(storePath()));
    QTest::qWait(300);
    QCOMPARE(m_calls, QStringList());
    // A request after the start is not lost.
    leave("ProgramSetFocus=1\n");
    QTRY_COMPARE(m_calls, QStringList{u"set focus"_s});

    QElapsedTimer clock;
    clock.start();
    m_watcher->stopWatching();
    QVERIFY(clock.elapsed() < 1000);
}

void TestHandOverWatcher::oneFieldActs_data()
{
    QTest::addColumn<QByteArray>("request");
    QTest::addColumn<QStringList>("calls");

    QTest::newRow("parameters before all, trimmed")
        << "ProgramClose=1\nProgramSetFocus=1\nProgramParameters= a|b \n"_ba
        << QStringList{u"parameters a|b"_s};
    QTest::newRow("set focus before close")
        << "ProgramClose=1\nProgramSetFocus=1\n"_ba << QStringList{u"set focus"_s};
    QTest::newRow("close") << "ProgramClose=1\n"_ba << QStringList{u"close"_s};
    QTest::newRow("blank parameters send nothing and still win")
        << "ProgramParameters= \nProgramClose=1\n"_ba << QStringList();
    QTest::newRow("an empty value has no effect") << "ProgramSetFocus=\n"_ba << QStringList();
}

void TestHandOverWatcher::oneFieldActs()
{
    QFETCH(QByteArray, request);
    QFETCH(QStringList, calls);
    startWatcher();
    leave(request);
    QTRY_VERIFY(!QFile::exists(storePath()));
    QTRY_COMPARE(m_calls, calls);
    QTest::qWait(300);
    QCOMPARE(m_calls, calls);
}

void TestHandOverWatcher::stoppingWhileAHandOverWaitsCannotDeadlock()
{
    startWatcher();
    leave("ProgramSetFocus=1\n");
    // This thread handles no events: the watcher consumes the request and waits for it to be
    // handled, so it takes no second request.
    QElapsedTimer clock;
    clock.start();
    while (QFile::exists(storePath()) && clock.elapsed() < 5000)
        QThread::msleep(5);
    QVERIFY(!QFile::exists(storePath()));
    leave("ProgramClose=1\n");
    QThread::msleep(400);
    QVERIFY(QFile::exists(storePath()));
    QCOMPARE(m_calls, QStringList());

    clock.restart();
    m_watcher->stopWatching();
    QVERIFY(clock.elapsed() < 1000);
    QCOMPARE(m_calls, QStringList{u"set focus"_s});
    QVERIFY(m_watcher->isFinished());
}

QTEST_GUILESS_MAIN(TestHandOverWatcher)
#include "tst_handoverwatcher.moc"

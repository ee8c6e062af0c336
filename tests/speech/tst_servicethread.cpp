#include "speech/servicethread.h"

#include <QTest>

#include <atomic>
#include <future>

using namespace std::chrono_literals;

namespace {

// Counts its jobs and remembers the thread it was made on.
struct CountingService
{
    std::thread::id madeOn = std::this_thread::get_id();
    int jobs = 0;
};

// A service that asks to be woken at a deadline its job sets.
std::atomic<int> g_deadlinesReached = 0;

struct TimedCountingService
{
    std::optional<std::chrono::steady_clock::time_point> wakeAt;

    std::optional<std::chrono::steady_clock::time_point> deadline() const { return wakeAt; }
    void deadlineReached()
    {
        wakeAt.reset();
        ++g_deadlinesReached;
    }
};

} // namespace

class TestServiceThread : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void answersWithTheJobsResult_data();
    void answersWithTheJobsResult();
    void jobsRunOnOneOtherThreadWithOneService();
    void aHangingJobDoesNotHoldTheCaller();
    void destroyingDoesNotWaitForAHangingJob();
    void deadlineOfTheServiceWakesTheWorker();
};

void TestServiceThread::answersWithTheJobsResult_data()
{
    QTest::addColumn<bool>("result");
    QTest::newRow("true") << true;
    QTest::newRow("false") << false;
}

void TestServiceThread::answersWithTheJobsResult()
{
    QFETCH(bool, result);
    ServiceThread<CountingService> thread(5s);
    QCOMPARE(thread.call([result](CountingService &) { return result; }), result);
}

void TestServiceThread::jobsRunOnOneOtherThreadWithOneService()
{
    ServiceThread<CountingService> thread(5s);
    std::thread::id firstThread;
    std::thread::id secondThread;
    QVERIFY(thread.call([&](CountingService &service) {
        firstThread = std::this_thread::get_id();
        return ++service.jobs == 1 && service.madeOn == firstThread;
    }));
    QVERIFY(thread.call([&](CountingService &service) {
        secondThread = std::this_thread::get_id();
        return ++service.jobs == 2;
    }));
    QVERIFY(firstThread != std::this_thread::get_id());
    QCOMPARE(secondThread, firstThread);
}

void TestServiceThread::aHangingJobDoesNotHoldTheCaller()
{
    ServiceThread<CountingService> thread(20ms);
    std::promise<void> release;
    std::shared_future<void> released = release.get_future().share();

    QVERIFY(!thread.call([released](CountingService &) {
        released.wait();
        return true;
    }));

    // Still hanging: the next call fails at once and its job never runs.
    std::atomic<bool> ran = false;
    QVERIFY(!thread.call([&ran](CountingService &) { return ran = true; }));

    release.set_value();
    QTRY_VERIFY(thread.call([](CountingService &) { return true; }));
    QVERIFY(!ran);
}

void TestServiceThread::destroyingDoesNotWaitForAHangingJob()
{
    std::promise<void> release;
    std::shared_future<void> released = release.get_future().share();
    auto finished = std::make_shared<std::atomic<bool>>(false);
    {
        ServiceThread<CountingService> thread(20ms);
        QVERIFY(!thread.call([released, finished](CountingService &) {
            released.wait();
            *finished = true;
            return true;
        }));
    }
    // The thread is gone while its worker still waits; released now, the worker ends on its own.
    QVERIFY(!*finished);
    release.set_value();
    QTRY_VERIFY(*finished);
}

void TestServiceThread::deadlineOfTheServiceWakesTheWorker()
{
    g_deadlinesReached = 0;
    ServiceThread<TimedCountingService> thread(5s);
    QVERIFY(thread.call([](TimedCountingService &service) {
        service.wakeAt = std::chrono::steady_clock::now() + 1ms;
        return true;
    }));
    QTRY_COMPARE(g_deadlinesReached.load(), 1);
    // Without a new deadline the worker just waits for work.
    QTest::qWait(10);
    QCOMPARE(g_deadlinesReached.load(), 1);
}

QTEST_GUILESS_MAIN(TestServiceThread)
#include "tst_servicethread.moc"

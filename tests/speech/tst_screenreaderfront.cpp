#include "speech/screenreaderfront.h"

#include <QTest>

#include <deque>
#include <stdexcept>

using namespace Qt::StringLiterals;

namespace {

enum class Answer { Active, Inactive, Throws };

// A driver that writes every call it gets into a log shared by all drivers of one front, and
// answers as a test tells it.
class FakeDriver : public ScreenReaderDriver
{
public:
    FakeDriver(const QString &name, QStringList *log, bool hasSpeech, bool hasBraille)
        : ScreenReaderDriver(name.toStdU16String(), hasSpeech, hasBraille), m_log(log)
    { }
    ~FakeDriver() override { record(u"destroyed"_s); }

    // Answers of IsActive, one per call; once used up, `active` answers.
    std::deque<Answer> script;
    bool active = false;
    bool speakResult = true;
    bool brailleResult = true;
    bool speakingResult = false;
    bool silenceResult = true;

    bool speak(const std::u16string &text, bool interrupt) override
    {
        record(u"Speak(%1, %2)"_s.arg(
            QString::fromStdU16String(text), interrupt ? u"interrupt"_s : u"queue"_s));
        return speakResult;
    }
    bool braille(const std::u16string &text) override
    {
        record(u"Braille(%1)"_s.arg(QString::fromStdU16String(text)));
        return brailleResult;
    }
    bool isSpeaking() override
    {
        record(u"IsSpeaking"_s);
        return speakingResult;
    }
    bool silence() override
    {
        record(u"Silence"_s);
        return silenceResult;
    }
    bool isActive() override
    {
        record(u"IsActive"_s);
        Answer answer = active ? Answer::Active : Answer::Inactive;
        if (!script.empty()) {
            answer = script.front();
            script.pop_front();
        }
        if (answer == Answer::Throws)
            throw std::runtime_error("screen reader went away");
        return answer == Answer::Active;
    }

private:
    void record(const QString &call) { *m_log << QString::fromStdU16String(name()) + u':' + call; }

    QStringList *m_log;
};

// A front over two fake drivers, "first" in slot 0 and "second" in slot 1, loaded; at first
// only the first one's screen reader runs.
struct FakeFront
{
    FakeFront() { front.load(); }

    ScreenReaderDriverList makeDrivers()
    {
        ++factoryCalls;
        ScreenReaderDriverList drivers;
        for (const QString &name : {u"first"_s, u"second"_s}) {
            auto driver = std::make_unique<FakeDriver>(name, &log, hasSpeech, hasBraille);
            driver->active = name == u"first"_s;
            (name == u"first"_s ? first : second) = driver.get();
            drivers.push_back(std::move(driver));
        }
        return drivers;
    }

    QStringList log;
    int factoryCalls = 0;
    bool hasSpeech = true;
    bool hasBraille = true;
    FakeDriver *first = nullptr;
    FakeDriver *second = nullptr;
    // Last, so that it unloads while the log still exists.
    ScreenReaderFront front{[this] {
        return makeDrivers();
    }};
};

QStringList without(const QStringList &log, const QString &call)
{
    QStringList rest;
    for (const QString &entry : log) {
        if (!entry.endsWith(u':' + call))
            rest << entry;
    }
    return rest;
}

} // namespace

class TestScreenReaderFront : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void ampersandsAreRemoved_data();
    void ampersandsAreRemoved();

    void outputSpeaksThenBrailles_data();
    void outputSpeaksThenBrailles();
    void speakAndBrailleAloneCallOnlyTheirOperation();
    void emptyTextAnswersFalseWithoutDetection_data();
    void emptyTextAnswersFalseWithoutDetection();

    void firstActiveDriverInSlotOrderWins_data();
    void firstActiveDriverInSlotOrderWins();
    void activityIsCheckedAgainBeforeUse();
    void detectionRunsAnewForEveryCall();
    void exceptionsDuringDetectionCountAsNoScreenReader_data();
    void exceptionsDuringDetectionCountAsNoScreenReader();

    void queriesForwardToTheRunningDriver_data();
    void queriesForwardToTheRunningDriver();

    void nothingHappensBeforeLoading();
    void loadingTwiceMakesTheDriversOnce();
    void unloadingFreesTheDriversInSlotOrder();
    void destroyingUnloads();
};

void TestScreenReaderFront::ampersandsAreRemoved_data()
{
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("expected");

    QTest::newRow("accelerator before the first letter") << u"&Vorwärts"_s << u"Vorwärts"_s;
    QTest::newRow("accelerator inside") << u"O&K"_s << u"OK"_s;
    QTest::newRow("doubled ampersand: both go") << u"Name && Klasse"_s << u"Name  Klasse"_s;
    QTest::newRow("only ampersands") << u"&&&"_s << QString();
    QTest::newRow("no ampersand") << u"Datum:"_s << u"Datum:"_s;
    QTest::newRow("empty") << QString() << QString();
}

void TestScreenReaderFront::ampersandsAreRemoved()
{
    QFETCH(QString, caption);
    QFETCH(QString, expected);
    QCOMPARE(withoutAmpersands(caption), expected);
}

void TestScreenReaderFront::outputSpeaksThenBrailles_data()
{
    QTest::addColumn<bool>("spoken");
    QTest::addColumn<bool>("shown");
    QTest::addColumn<bool>("interrupt");
    QTest::addColumn<bool>("expected");

    QTest::newRow("both succeed") << true << true << false << true;
    QTest::newRow("speech fails, Braille still runs and counts") << false << true << false << true;
    QTest::newRow("Braille fails after speech") << true << false << false << true;
    QTest::newRow("both fail") << false << false << false << false;
    QTest::newRow("interrupt reaches speech") << true << true << true << true;
}

void TestScreenReaderFront::outputSpeaksThenBrailles()
{
    QFETCH(bool, spoken);
    QFETCH(bool, shown);
    QFETCH(bool, interrupt);
    QFETCH(bool, expected);

    FakeFront fake;
    fake.first->speakResult = spoken;
    fake.first->brailleResult = shown;

    QCOMPARE(fake.front.output(u"Datum:"_s, interrupt), expected);
    const QString how = interrupt ? u"interrupt"_s : u"queue"_s;
    QCOMPARE(without(fake.log, u"IsActive"_s),
        QStringList({u"first:Speak(Datum:, %1)"_s.arg(how), u"first:Braille(Datum:)"_s}));
}

void TestScreenReaderFront::speakAndBrailleAloneCallOnlyTheirOperation()
{
    FakeFront fake;
    QVERIFY(fake.front.speak(u"Klasse:"_s, true));
    QVERIFY(fake.front.braille(u"Name:"_s));
    QCOMPARE(without(fake.log, u"IsActive"_s),
        QStringList({u"first:Speak(Klasse:, interrupt)"_s, u"first:Braille(Name:)"_s}));
}

void TestScreenReaderFront::emptyTextAnswersFalseWithoutDetection_data()
{
    QTest::addColumn<QString>("operation");
    QTest::newRow("Output") << u"Output"_s;
    QTest::newRow("Speak") << u"Speak"_s;
    QTest::newRow("Braille") << u"Braille"_s;
}

void TestScreenReaderFront::emptyTextAnswersFalseWithoutDetection()
{
    QFETCH(QString, operation);
    FakeFront fake;
    bool result = true;
    if (operation == u"Output"_s)
        result = fake.front.output(QString(), false);
    else if (operation == u"Speak"_s)
        result = fake.front.speak(QString(), false);
    else
        result = fake.front.braille(QString());
    QVERIFY(!result);
    QCOMPARE(fake.log, QStringList());
}

void TestScreenReaderFront::firstActiveDriverInSlotOrderWins_data()
{
    QTest::addColumn<bool>("firstActive");
    QTest::addColumn<bool>("secondActive");
    QTest::addColumn<QString>("expected");

    QTest::newRow("both running: the first slot") << true << true << u"first"_s;
    QTest::newRow("only the second running") << false << true << u"second"_s;
    QTest::newRow("none running") << false << false << QString();
}

void TestScreenReaderFront::firstActiveDriverInSlotOrderWins()
{
    QFETCH(bool, firstActive);
    QFETCH(bool, secondActive);
    QFETCH(QString, expected);

    FakeFront fake;
    fake.first->active = firstActive;
    fake.second->active = secondActive;

    QCOMPARE(fake.front.detectScreenReader(), expected);
    fake.log.clear();
    QCOMPARE(fake.front.output(u"Infos:"_s, false), !expected.isEmpty());
    const QStringList outputs = without(fake.log, u"IsActive"_s);
    if (expected.isEmpty())
        QCOMPARE(outputs, QStringList());
    else
        QCOMPARE(outputs,
            QStringList({expected + u":Speak(Infos:, queue)"_s, expected + u":Braille(Infos:)"_s}));
}

void TestScreenReaderFront::activityIsCheckedAgainBeforeUse()
{
    FakeFront fake;
    // Running when the slots are searched, gone when asked once more; the second driver, though
    // running, is not tried instead.
    fake.second->active = true;
    fake.first->script = {Answer::Active, Answer::Inactive};
    QCOMPARE(fake.front.detectScreenReader(), QString());
    QCOMPARE(fake.log, QStringList({u"first:IsActive"_s, u"first:IsActive"_s}));

    fake.first->script = {Answer::Active, Answer::Inactive};
    QVERIFY(!fake.front.output(u"Datum:"_s, false));
    QCOMPARE(without(fake.log, u"IsActive"_s), QStringList());
}

void TestScreenReaderFront::detectionRunsAnewForEveryCall()
{
    FakeFront fake;
    QVERIFY(fake.front.output(u"Name:"_s, false));

    fake.first->active = false;
    QVERIFY(!fake.front.output(u"Name:"_s, false));
    QCOMPARE(fake.front.detectScreenReader(), QString());
    QVERIFY(!fake.front.hasSpeech());

    fake.second->active = true;
    QCOMPARE(fake.front.detectScreenReader(), u"second"_s);
    fake.first->active = true;
    QCOMPARE(fake.front.detectScreenReader(), u"first"_s);

    QCOMPARE(without(fake.log, u"IsActive"_s),
        QStringList({u"first:Speak(Name:, queue)"_s, u"first:Braille(Name:)"_s}));
}

void TestScreenReaderFront::exceptionsDuringDetectionCountAsNoScreenReader_data()
{
    QTest::addColumn<bool>("firstThrowsFirst");
    QTest::addColumn<bool>("firstThrowsWhenAskedAgain");
    QTest::addColumn<bool>("secondThrows");

    QTest::newRow("while the slots are searched") << true << false << false;
    QTest::newRow("when asked once more") << false << true << false;
    QTest::newRow("in a later slot") << false << false << true;
}

void TestScreenReaderFront::exceptionsDuringDetectionCountAsNoScreenReader()
{
    QFETCH(bool, firstThrowsFirst);
    QFETCH(bool, firstThrowsWhenAskedAgain);
    QFETCH(bool, secondThrows);

    FakeFront fake;
    // A screen reader found before must not stay the current one after a failed detection.
    QCOMPARE(fake.front.detectScreenReader(), u"first"_s);

    const auto arm = [&] {
        if (firstThrowsFirst)
            fake.first->script = {Answer::Throws};
        if (firstThrowsWhenAskedAgain)
            fake.first->script = {Answer::Active, Answer::Throws};
        if (secondThrows) {
            fake.first->script = {Answer::Inactive};
            fake.second->script = {Answer::Throws};
        }
    };

    arm();
    QString name = u"unchanged"_s;
    QVERIFY_THROWS_NO_EXCEPTION(name = fake.front.detectScreenReader());
    QCOMPARE(name, QString());

    arm();
    bool spoken = true;
    QVERIFY_THROWS_NO_EXCEPTION(spoken = fake.front.output(u"Kommentar:"_s, false));
    QVERIFY(!spoken);

    arm();
    bool hasSpeech = true;
    QVERIFY_THROWS_NO_EXCEPTION(hasSpeech = fake.front.hasSpeech());
    QVERIFY(!hasSpeech);

    QCOMPARE(without(fake.log, u"IsActive"_s), QStringList());
    // Working again, it is found again.
    QCOMPARE(fake.front.detectScreenReader(), u"first"_s);
}

void TestScreenReaderFront::queriesForwardToTheRunningDriver_data()
{
    QTest::addColumn<QString>("query");
    QTest::addColumn<bool>("running");
    QTest::addColumn<bool>("expected");
    QTest::addColumn<QString>("forwarded");

    QTest::newRow("HasSpeech") << u"HasSpeech"_s << true << true << QString();
    QTest::newRow("HasBraille") << u"HasBraille"_s << true << false << QString();
    QTest::newRow("IsSpeaking") << u"IsSpeaking"_s << true << true << u"first:IsSpeaking"_s;
    QTest::newRow("Silence") << u"Silence"_s << true << true << u"first:Silence"_s;
    QTest::newRow("Stop silences") << u"Stop"_s << true << true << u"first:Silence"_s;
    QTest::newRow("HasSpeech, none running") << u"HasSpeech"_s << false << false << QString();
    QTest::newRow("IsSpeaking, none running") << u"IsSpeaking"_s << false << false << QString();
    QTest::newRow("Silence, none running") << u"Silence"_s << false << false << QString();
    QTest::newRow("Stop, none running") << u"Stop"_s << false << false << QString();
}

void TestScreenReaderFront::queriesForwardToTheRunningDriver()
{
    QFETCH(QString, query);
    QFETCH(bool, running);
    QFETCH(bool, expected);
    QFETCH(QString, forwarded);

    FakeFront fake;
    fake.front.unload();
    // Speech without Braille, so that the two flags cannot be mixed up unnoticed.
    fake.hasSpeech = true;
    fake.hasBraille = false;
    fake.front.load();
    fake.log.clear();
    fake.first->active = running;
    fake.first->speakingResult = true;
    fake.first->silenceResult = true;

    bool result = !expected;
    if (query == u"HasSpeech"_s)
        result = fake.front.hasSpeech();
    else if (query == u"HasBraille"_s)
        result = fake.front.hasBraille();
    else if (query == u"IsSpeaking"_s)
        result = fake.front.isSpeaking();
    else if (query == u"Silence"_s)
        result = fake.front.silence();
    else
        result = fake.front.stop();

    QCOMPARE(result, expected);
    QCOMPARE(without(fake.log, u"IsActive"_s),
        forwarded.isEmpty() ? QStringList() : QStringList(forwarded));
}

void TestScreenReaderFront::nothingHappensBeforeLoading()
{
    int factoryCalls = 0;
    ScreenReaderFront front([&factoryCalls] {
        ++factoryCalls;
        return ScreenReaderDriverList();
    });
    QVERIFY(!front.isLoaded());
    QCOMPARE(front.detectScreenReader(), QString());
    QVERIFY(!front.output(u"Datum:"_s, false));
    QCOMPARE(factoryCalls, 0);
}

void TestScreenReaderFront::loadingTwiceMakesTheDriversOnce()
{
    FakeFront fake;
    QVERIFY(fake.front.isLoaded());
    fake.front.load();
    QCOMPARE(fake.factoryCalls, 1);
    QCOMPARE(fake.log, QStringList());
}

void TestScreenReaderFront::unloadingFreesTheDriversInSlotOrder()
{
    FakeFront fake;
    QCOMPARE(fake.front.detectScreenReader(), u"first"_s);
    fake.log.clear();

    fake.front.unload();
    QVERIFY(!fake.front.isLoaded());
    QCOMPARE(fake.log, QStringList({u"first:destroyed"_s, u"second:destroyed"_s}));
    QCOMPARE(fake.front.detectScreenReader(), QString());
    QVERIFY(!fake.front.output(u"Datum:"_s, false));
    fake.front.unload();
    QCOMPARE(fake.log.size(), 2);

    // Loaded again, the front makes new drivers.
    fake.front.load();
    QCOMPARE(fake.factoryCalls, 2);
    QCOMPARE(fake.front.detectScreenReader(), u"first"_s);
}

void TestScreenReaderFront::destroyingUnloads()
{
    QStringList log;
    {
        ScreenReaderFront front([&log] {
            ScreenReaderDriverList drivers;
            drivers.push_back(std::make_unique<FakeDriver>(u"only"_s, &log, true, true));
            return drivers;
        });
        front.load();
    }
    QCOMPARE(log, QStringList(u"only:destroyed"_s));
}

QTEST_GUILESS_MAIN(TestScreenReaderFront)
#include "tst_screenreaderfront.moc"

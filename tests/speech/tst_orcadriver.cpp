#include "speech/orcadriver.h"

#define BRLAPI_NO_SINGLE_SESSION 1
#include <brlapi.h>

#include <QByteArray>
#include <QStringList>
#include <QTemporaryDir>
#include <QTemporaryFile>
#include <QTest>

#include <pwd.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <mutex>
#include <thread>

using namespace Qt::StringLiterals;
using namespace std::chrono_literals;

namespace {

// A stand-in for Speech Dispatcher on a local socket: it answers the SSIP protocol as the real
// server does for the requests the driver makes, and records them. Told to stall, it reads
// requests and never answers, like a server that hangs.
class FakeSpeechDispatcher
{
public:
    explicit FakeSpeechDispatcher(const QString &socketPath)
    {
        sockaddr_un address = {};
        address.sun_family = AF_UNIX;
        const QByteArray path = socketPath.toLocal8Bit();
        qstrncpy(address.sun_path, path.constData(), sizeof address.sun_path);
        m_listener = ::socket(AF_UNIX, SOCK_STREAM, 0);
        if (::bind(m_listener, reinterpret_cast<sockaddr *>(&address), sizeof address) == 0
            && ::listen(m_listener, 4) == 0)
            m_thread = std::thread([this] { serve(); });
    }

    ~FakeSpeechDispatcher()
    {
        ::shutdown(m_listener, SHUT_RDWR);
        dropClient();
        if (m_thread.joinable())
            m_thread.join();
        ::close(m_listener);
    }

    bool isListening() const { return m_thread.joinable(); }

    void setStalled(bool stalled)
    {
        std::lock_guard lock(m_mutex);
        m_stalled = stalled;
    }

    // Ends the connection of the client, as a server that quits does.
    void dropClient()
    {
        std::lock_guard lock(m_mutex);
        if (m_client >= 0)
            ::shutdown(m_client, SHUT_RDWR);
    }

    // The requests received, the message texts replaced by "<text>".
    QStringList requests() const
    {
        std::lock_guard lock(m_mutex);
        return m_requests;
    }

    QList<QByteArray> messages() const
    {
        std::lock_guard lock(m_mutex);
        return m_messages;
    }

private:
    void serve()
    {
        for (;;) {
            const int client = ::accept(m_listener, nullptr, nullptr);
            if (client < 0)
                return;
            {
                std::lock_guard lock(m_mutex);
                m_client = client;
            }
            converse(client);
            {
                std::lock_guard lock(m_mutex);
                m_client = -1;
            }
            ::close(client);
        }
    }

    void converse(int client)
    {
        QByteArray received;
        QByteArray message;
        bool inMessage = false;
        char buffer[512];
        for (;;) {
            const ssize_t count = ::recv(client, buffer, sizeof buffer, 0);
            if (count <= 0)
                return;
            received.append(buffer, count);
            for (qsizetype end = received.indexOf("\r\n"); end >= 0;
                 end = received.indexOf("\r\n")) {
                const QByteArray line = received.left(end);
                received.remove(0, end + 2);
                QByteArray answer;
                std::lock_guard lock(m_mutex);
                if (inMessage && line == ".") {
                    inMessage = false;
                    m_messages << message;
                    m_requests << u"<text>"_s;
                    answer = "225-1\r\n225 OK MESSAGE QUEUED\r\n";
                } else if (inMessage) {
                    message += (message.isEmpty() ? "" : "\r\n") + line;
                    continue;
                } else if (line.toUpper() == "SPEAK") {
                    inMessage = true;
                    message.clear();
                    m_requests << QString::fromUtf8(line.toUpper());
                    answer = "230 OK RECEIVING DATA\r\n";
                } else {
                    m_requests << QString::fromUtf8(line.toUpper());
                    answer = "200 OK\r\n";
                }
                if (!m_stalled)
                    ::send(client, answer.constData(), answer.size(), MSG_NOSIGNAL);
            }
        }
    }

    int m_listener = -1;
    int m_client = -1;
    bool m_stalled = false;
    QStringList m_requests;
    QList<QByteArray> m_messages;
    mutable std::mutex m_mutex;
    std::thread m_thread;
};

// The greeting the client library sends first, with the user's name.
QString clientNameRequest()
{
    const QString user = QString::fromLocal8Bit(::getpwuid(::getuid())->pw_name);
    return u"SET SELF CLIENT_NAME \"%1:TESSARO:ANNOUNCEMENTS\""_s.arg(user.toUpper());
}

// What a new connection asks first: its name, and the German voice for the program's texts.
QStringList connectionRequests()
{
    return {clientNameRequest(), u"SET SELF LANGUAGE DE"_s};
}

// Sends the process's error output to a file while it lives, so a test can read what was
// printed.
class ErrorOutputCapture
{
public:
    ErrorOutputCapture()
    {
        QVERIFY(m_file.open());
        ::fflush(stderr);
        m_saved = ::dup(STDERR_FILENO);
        ::dup2(m_file.handle(), STDERR_FILENO);
    }
    ~ErrorOutputCapture() { restore(); }

    QByteArray text()
    {
        restore();
        m_file.seek(0);
        return m_file.readAll();
    }

private:
    void restore()
    {
        if (m_saved < 0)
            return;
        ::fflush(stderr);
        ::dup2(m_saved, STDERR_FILENO);
        ::close(m_saved);
        m_saved = -1;
    }

    QTemporaryFile m_file;
    int m_saved = -1;
};

} // namespace

class TestOrcaDriver : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();

    void withoutServicesEveryCallFailsQuietly();
    void speechIsQueuedOrInterrupts_data();
    void speechIsQueuedOrInterrupts();
    void silenceCancelsAllSpeech();
    void speechReconnectsAfterTheServerWentAway();
    void aHangingSpeechServerDoesNotHoldTheCaller();
    void brailleMessageKeys_data();
    void brailleMessageKeys();

private:
    QTemporaryDir m_folder;
    QString m_socket;
};

void TestOrcaDriver::init()
{
    QVERIFY(m_folder.isValid());
    m_socket = m_folder.filePath(u"speechd.sock"_s);
    QFile::remove(m_socket);
    qputenv("SPEECHD_ADDRESS", "unix_socket:" + m_socket.toLocal8Bit());
    // A local BrlAPI socket that does not exist.
    qputenv("BRLAPI_HOST", ":tessaro-test-none");
}

void TestOrcaDriver::withoutServicesEveryCallFailsQuietly()
{
    ErrorOutputCapture errors;
    {
        OrcaDriver driver(u"Orca", true, true, 5s);
        QVERIFY(!driver.speak(u"Datum:", false));
        QVERIFY(!driver.speak(u"Datum:", true));
        QVERIFY(!driver.braille(u"Datum:"));
        QVERIFY(!driver.output(u"Datum:", false));
        QVERIFY(!driver.silence());
        QVERIFY(!driver.isSpeaking());
    }
    QCOMPARE(errors.text(), QByteArray());
}

void TestOrcaDriver::speechIsQueuedOrInterrupts_data()
{
    QTest::addColumn<bool>("interrupt");
    QTest::addColumn<QStringList>("expected");

    QTest::newRow("queued behind current speech") << false
                                                  << connectionRequests()
            + QStringList({u"SET SELF PRIORITY MESSAGE"_s, u"SPEAK"_s, u"<text>"_s});
    QTest::newRow("interrupting cancels all speech first") << true
                                                           << connectionRequests()
            + QStringList(
                {u"CANCEL ALL"_s, u"SET SELF PRIORITY MESSAGE"_s, u"SPEAK"_s, u"<text>"_s});
}

void TestOrcaDriver::speechIsQueuedOrInterrupts()
{
    QFETCH(bool, interrupt);
    QFETCH(QStringList, expected);

    FakeSpeechDispatcher server(m_socket);
    QVERIFY(server.isListening());
    OrcaDriver driver(u"Orca", true, true, 5s);
    QVERIFY(driver.speak(u"Kommentar: Jänner", interrupt));
    QCOMPARE(server.requests(), expected);
    QCOMPARE(server.messages(), QList<QByteArray>({u"Kommentar: Jänner"_s.toUtf8()}));
}

void TestOrcaDriver::silenceCancelsAllSpeech()
{
    FakeSpeechDispatcher server(m_socket);
    QVERIFY(server.isListening());
    OrcaDriver driver(u"Orca", true, true, 5s);
    QVERIFY(driver.silence());
    QCOMPARE(server.requests(), connectionRequests() + QStringList({u"CANCEL ALL"_s}));
}

void TestOrcaDriver::speechReconnectsAfterTheServerWentAway()
{
    FakeSpeechDispatcher server(m_socket);
    QVERIFY(server.isListening());
    OrcaDriver driver(u"Orca", true, true, 5s);
    QVERIFY(driver.speak(u"Name:", false));

    server.dropClient();
    // The request that finds the connection gone fails; the next one connects anew.
    QVERIFY(!driver.speak(u"Klasse:", false));
    QVERIFY(driver.speak(u"Datum:", false));
    QCOMPARE(server.requests().count(clientNameRequest()), 2);
    QCOMPARE(server.messages(), QList<QByteArray>({"Name:", "Datum:"}));
}

void TestOrcaDriver::aHangingSpeechServerDoesNotHoldTheCaller()
{
    FakeSpeechDispatcher server(m_socket);
    QVERIFY(server.isListening());
    server.setStalled(true);
    OrcaDriver driver(u"Orca", true, true, 50ms);

    QVERIFY(!driver.speak(u"Name:", false));
    // While the first request hangs, the others fail without waiting.
    QVERIFY(!driver.speak(u"Klasse:", false));
    QVERIFY(!driver.silence());

    // The server comes back: speech works again.
    server.setStalled(false);
    server.dropClient();
    QTRY_VERIFY(driver.speak(u"Datum:", false));
    const QList<QByteArray> messages = server.messages();
    QVERIFY(!messages.isEmpty());
    QCOMPARE(messages.count("Datum:"), messages.size());
}

void TestOrcaDriver::brailleMessageKeys_data()
{
    QTest::addColumn<int>("length");
    QTest::addColumn<QList<quint64>>("keys");
    // Where the display shows the message from after the keys; -1 when a key ended it.
    QTest::addColumn<int>("shownFrom");

    const quint64 route = BRLAPI_KEY_TYPE_CMD | BRLAPI_KEY_CMD_ROUTE | 4;
    const quint64 right = BRLAPI_KEY_TYPE_CMD | BRLAPI_KEY_CMD_FWINRT;
    const quint64 left = BRLAPI_KEY_TYPE_CMD | BRLAPI_KEY_CMD_FWINLT;
    const quint64 lineDown = BRLAPI_KEY_TYPE_CMD | BRLAPI_KEY_CMD_LNDN;
    QTest::newRow("a routing key ends the message") << 23 << QList<quint64>{route} << -1;
    QTest::newRow("a line key ends the message") << 100 << QList<quint64>{lineDown} << -1;
    QTest::newRow("panning right past a short message ends it")
        << 23 << QList<quint64>{right} << -1;
    QTest::newRow("panning left at the start keeps the message") << 23 << QList<quint64>{left} << 0;
    QTest::newRow("a long message pans right and back")
        << 100 << QList<quint64>{right, right, left} << 40;
    QTest::newRow("panning past a long message's end ends it")
        << 100 << QList<quint64>{right, right, right} << -1;
}

void TestOrcaDriver::brailleMessageKeys()
{
    QFETCH(int, length);
    QFETCH(QList<quint64>, keys);
    QFETCH(int, shownFrom);

    std::wstring text;
    for (int i = 0; i < length; ++i)
        text += wchar_t(L'A' + i % 26);
    BrailleMessage message(text, 40);
    bool shown = true;
    for (quint64 key : keys)
        shown = shown && message.handleKey(key);
    QCOMPARE(shown, shownFrom >= 0);
    if (shown)
        QVERIFY(message.shown() == text.substr(shownFrom, 40));
}

QTEST_GUILESS_MAIN(TestOrcaDriver)
#include "tst_orcadriver.moc"

#include "speech/orcadriver.h"

#include <QString>

#define BRLAPI_NO_SINGLE_SESSION 1
#include <brlapi.h>
#include <libspeechd.h>

#include <csignal>
#include <cstdlib>
#include <optional>
#include <string>
#include <utility>

namespace {

// How long a Braille message stays before the display goes back to Orca: Orca's own default
// for its flash messages.
constexpr std::chrono::seconds kBrailleMessageTime{5};
// BRLTTY shows the client of highest priority on a terminal; Orca uses the default of 50.
constexpr brlapi_param_clientPriority_t kBrailleMessagePriority = 70;

// Writing to a socket whose server has gone raises SIGPIPE, which would end the program. The
// service threads block it, so such a write merely fails.
void blockBrokenPipeSignal()
{
    sigset_t signals;
    sigemptyset(&signals);
    sigaddset(&signals, SIGPIPE);
    pthread_sigmask(SIG_BLOCK, &signals, nullptr);
}

} // namespace

// The connection to Speech Dispatcher, opened on first use and again after any failure. The
// server is never started by the program (no autospawn): when it does not run, Orca does not
// speak either.
class OrcaSpeechService
{
public:
    OrcaSpeechService() { blockBrokenPipeSignal(); }
    ~OrcaSpeechService() { close(); }

    OrcaSpeechService(const OrcaSpeechService &) = delete;
    OrcaSpeechService &operator=(const OrcaSpeechService &) = delete;

    // Orca speaks at message priority, under which messages of all clients are spoken one after
    // the other; so this one follows whatever is being said.
    bool say(const std::string &utf8, bool interrupt)
    {
        if (interrupt && !cancelAll())
            return false;
        if (!connect())
            return false;
        if (spd_say(m_connection, SPD_MESSAGE, utf8.c_str()) < 0)
            return fail();
        return true;
    }

    // Cancels what is being said and what waits, of every client.
    bool cancelAll()
    {
        if (!connect())
            return false;
        if (spd_cancel_all(m_connection) != 0)
            return fail();
        return true;
    }

private:
    bool connect()
    {
        if (m_connection)
            return true;
        char *error = nullptr;
        SPDConnectionAddress *address = spd_get_default_address(&error);
        std::free(error);
        if (!address)
            return false;
        error = nullptr;
        m_connection = spd_open2(
            "tessaro", "announcements", nullptr, SPD_MODE_SINGLE, address, false, &error);
        std::free(error);
        SPDConnectionAddress__free(address);
        return m_connection != nullptr;
    }

    // After a failed request the connection may be broken; the next request opens a new one.
    bool fail()
    {
        close();
        return false;
    }

    void close()
    {
        if (m_connection) {
            spd_close(m_connection);
            m_connection = nullptr;
        }
    }

    SPDConnection *m_connection = nullptr;
};

// The connection to BrlAPI, BRLTTY's interface for screen readers, opened on first use and again
// after any failure. A message takes the display of the terminal Orca also writes to, with a
// higher priority, and gives it back when its time is up; BRLTTY then shows Orca's own output
// again. Keys pressed meanwhile are left to BRLTTY.
class OrcaBrailleService
{
public:
    OrcaBrailleService()
        : m_handle(static_cast<brlapi_handle_t *>(std::malloc(brlapi_getHandleSize())))
    {
        blockBrokenPipeSignal();
    }

    ~OrcaBrailleService()
    {
        close();
        std::free(m_handle);
    }

    OrcaBrailleService(const OrcaBrailleService &) = delete;
    OrcaBrailleService &operator=(const OrcaBrailleService &) = delete;

    bool show(const std::wstring &text)
    {
        if (!connect())
            return false;
        unsigned int columns = 0;
        unsigned int rows = 0;
        if (brlapi__getDisplaySize(m_handle, &columns, &rows) < 0)
            return fail();
        // BRLTTY runs without a display attached.
        if (columns == 0)
            return false;
        if (!m_holdsDisplay) {
            if (brlapi__enterTtyModeWithPath(m_handle, nullptr, 0, nullptr) < 0)
                return fail();
            m_holdsDisplay = true;
            // Both are refinements: the message is still written when the server refuses them.
            const brlapi_param_clientPriority_t priority = kBrailleMessagePriority;
            brlapi__setParameter(m_handle, BRLAPI_PARAM_CLIENT_PRIORITY, 0, BRLAPI_PARAMF_LOCAL,
                &priority, sizeof priority);
            brlapi__ignoreAllKeys(m_handle);
        }
        if (brlapi__writeWText(m_handle, BRLAPI_CURSOR_OFF, text.c_str()) < 0 || m_broken)
            return fail();
        m_dismissAt = std::chrono::steady_clock::now() + kBrailleMessageTime;
        return true;
    }

    std::optional<std::chrono::steady_clock::time_point> deadline() const { return m_dismissAt; }

    // The message's time is up: the display goes back to Orca.
    void deadlineReached()
    {
        m_dismissAt.reset();
        if (brlapi__leaveTtyMode(m_handle) < 0 || m_broken)
            fail();
        m_holdsDisplay = false;
    }

private:
    bool connect()
    {
        if (m_connected)
            return true;
        if (!m_handle || brlapi__openConnection(m_handle, nullptr, nullptr) < 0)
            return false;
        m_connected = true;
        m_broken = false;
        // The library's own handler prints the error and aborts the program. Errors the server
        // reports asynchronously only mark the connection broken here.
        brlapi__setClientData(m_handle, this);
        brlapi__setExceptionHandler(m_handle, &OrcaBrailleService::onException);
        return true;
    }

    static void onException(brlapi_handle_t *handle, int, brlapi_packetType_t, const void *, size_t)
    {
        static_cast<OrcaBrailleService *>(brlapi__getClientData(handle))->m_broken = true;
    }

    bool fail()
    {
        close();
        return false;
    }

    void close()
    {
        if (m_connected)
            brlapi__closeConnection(m_handle);
        m_connected = false;
        m_holdsDisplay = false;
        m_dismissAt.reset();
    }

    brlapi_handle_t *m_handle;
    bool m_connected = false;
    bool m_broken = false;
    bool m_holdsDisplay = false;
    std::optional<std::chrono::steady_clock::time_point> m_dismissAt;
};

OrcaDriver::OrcaDriver(
    std::u16string name, bool hasSpeech, bool hasBraille, std::chrono::milliseconds serviceTimeout)
    : ScreenReaderDriver(std::move(name), hasSpeech, hasBraille), m_serviceTimeout(serviceTimeout)
{ }

OrcaDriver::~OrcaDriver() = default;

ServiceThread<OrcaSpeechService> &OrcaDriver::speech()
{
    if (!m_speech)
        m_speech = std::make_unique<ServiceThread<OrcaSpeechService>>(m_serviceTimeout);
    return *m_speech;
}

ServiceThread<OrcaBrailleService> &OrcaDriver::braille()
{
    if (!m_braille)
        m_braille = std::make_unique<ServiceThread<OrcaBrailleService>>(m_serviceTimeout);
    return *m_braille;
}

bool OrcaDriver::speak(const std::u16string &text, bool interrupt)
{
    if (text.empty())
        return false;
    std::string utf8 = QString::fromStdU16String(text).toStdString();
    return speech().call([utf8 = std::move(utf8), interrupt](
                             OrcaSpeechService &service) { return service.say(utf8, interrupt); });
}

bool OrcaDriver::braille(const std::u16string &text)
{
    if (text.empty())
        return false;
    std::wstring wide = QString::fromStdU16String(text).toStdWString();
    return braille().call(
        [wide = std::move(wide)](OrcaBrailleService &service) { return service.show(wide); });
}

bool OrcaDriver::isSpeaking()
{
    return false;
}

bool OrcaDriver::silence()
{
    return speech().call([](OrcaSpeechService &service) { return service.cancelAll(); });
}

bool OrcaDriver::isActive()
{
    return m_orca.isRunning();
}

#include "speech/orcadriver.h"

#include <QString>

#define BRLAPI_NO_SINGLE_SESSION 1
#include <brlapi.h>
#include <libspeechd.h>

#include <algorithm>
#include <csignal>
#include <cstdlib>
#include <optional>
#include <string>
#include <utility>

namespace {

// How long a Braille message stays before the display goes back to Orca: Orca's own default
// for its flash messages.
constexpr std::chrono::seconds kBrailleMessageTime{5};
// The language of every text the program speaks.
constexpr char kLanguage[] = "de";
// How often the display keys are read while a message shows.
constexpr std::chrono::milliseconds kKeyPollInterval{20};
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
        if (!m_connection)
            return false;
        // Every text of the program is German; a listener whose Orca speaks another language
        // would otherwise hear it in that language's voice. Without a German voice Speech
        // Dispatcher keeps its default one.
        spd_set_language(m_connection, kLanguage);
        return true;
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
// higher priority, the way Orca shows its own flash messages: the display keys pressed meanwhile
// act on the message (see BrailleMessage), and when its time is up or a key ends it, the display
// goes back to Orca's line at once.
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
            // A refinement: the message is still written when the server refuses it.
            setPriority(kBrailleMessagePriority);
            if (brlapi__acceptAllKeys(m_handle) < 0)
                return fail();
        }
        m_message = BrailleMessage(text, columns);
        if (!write())
            return fail();
        m_dismissAt = std::chrono::steady_clock::now() + kBrailleMessageTime;
        return true;
    }

    // While a message shows, the keys are looked at every few milliseconds.
    std::optional<std::chrono::steady_clock::time_point> deadline() const
    {
        if (!m_dismissAt)
            return std::nullopt;
        return std::min(*m_dismissAt, std::chrono::steady_clock::now() + kKeyPollInterval);
    }

    void deadlineReached()
    {
        if (!m_holdsDisplay)
            return;
        brlapi_keyCode_t key = 0;
        int read = 0;
        while ((read = brlapi__readKey(m_handle, 0, &key)) > 0) {
            if (!m_message.handleKey(key)) {
                dismiss();
                return;
            }
            if (!write()) {
                fail();
                return;
            }
        }
        if (read < 0 || m_broken)
            fail();
        else if (std::chrono::steady_clock::now() >= *m_dismissAt)
            dismiss();
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

    bool write()
    {
        const std::wstring shown = m_message.shown();
        return brlapi__writeWText(m_handle, BRLAPI_CURSOR_OFF, shown.c_str()) >= 0 && !m_broken;
    }

    void setPriority(brlapi_param_clientPriority_t priority)
    {
        brlapi__setParameter(m_handle, BRLAPI_PARAM_CLIENT_PRIORITY, 0, BRLAPI_PARAMF_LOCAL,
            &priority, sizeof priority);
    }

    // Gives the display back to Orca. BRLTTY 6.5 does not redraw when a client leaves, and the
    // message would stay until Orca wrote again; lowered to the lowest priority, the message's
    // last write hands the display to Orca's line at once.
    void dismiss()
    {
        m_dismissAt.reset();
        setPriority(0);
        if (!write() || brlapi__leaveTtyMode(m_handle) < 0 || m_broken) {
            fail();
            return;
        }
        m_holdsDisplay = false;
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
    BrailleMessage m_message;
    std::optional<std::chrono::steady_clock::time_point> m_dismissAt;
};

BrailleMessage::BrailleMessage(std::wstring text, unsigned int columns)
    : m_text(std::move(text)), m_columns(std::max(columns, 1U))
{ }

std::wstring BrailleMessage::shown() const
{
    return m_text.substr(std::min(m_offset, m_text.size()), m_columns);
}

bool BrailleMessage::handleKey(std::uint64_t key)
{
    const std::uint64_t command = key & (BRLAPI_KEY_TYPE_MASK | BRLAPI_KEY_CODE_MASK);
    const auto is = [command](std::uint64_t brltty) {
        return command == (BRLAPI_KEY_TYPE_CMD | brltty);
    };
    if (is(BRLAPI_KEY_CMD_FWINRT) || is(BRLAPI_KEY_CMD_FWINRTSKIP) || is(BRLAPI_KEY_CMD_HWINRT)) {
        // Past the message's end the reader goes on to Orca's line.
        if (m_offset + m_columns >= m_text.size())
            return false;
        m_offset += m_columns;
        return true;
    }
    if (is(BRLAPI_KEY_CMD_FWINLT) || is(BRLAPI_KEY_CMD_FWINLTSKIP) || is(BRLAPI_KEY_CMD_HWINLT)) {
        m_offset -= std::min(m_offset, std::size_t(m_columns));
        return true;
    }
    return false;
}

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

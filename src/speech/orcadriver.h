#ifndef TESSARO_SPEECH_ORCADRIVER_H
#define TESSARO_SPEECH_ORCADRIVER_H

#include "speech/orcaprocess.h"
#include "speech/screenreaderdriver.h"
#include "speech/servicethread.h"

#include <chrono>
#include <cstdint>
#include <memory>
#include <string>

// A message on a Braille display and what the display keys do to it while it shows, as they do
// to Orca's own flash messages: the panning keys move through a message longer than the display,
// and every other key, a routing key included, ends it, so that no key acts on a line of Orca's
// that the reader cannot feel. Panning on past the message's end ends it too.
class BrailleMessage
{
public:
    BrailleMessage() = default;
    BrailleMessage(std::wstring text, unsigned int columns);

    // The part of the text on the display.
    std::wstring shown() const;
    // Applies a BrlAPI key code; false when the key ends the message.
    bool handleKey(std::uint64_t key);

private:
    std::wstring m_text;
    unsigned int m_columns = 1;
    std::size_t m_offset = 0;
};

class OrcaSpeechService;
class OrcaBrailleService;

// Orca, the screen reader of the Linux desktop. Orca offers programs no interface of its own for
// announcements, so the driver goes to the services Orca itself speaks and writes through:
// Speech Dispatcher for speech and BrlAPI (BRLTTY) for Braille, each reached only when it runs
// (neither is started by the program) and connected on first use.
//
// Each service is called on a thread of its own and waited for at most serviceTimeout, so a
// service that hangs cannot freeze the user interface; see ServiceThread.
class OrcaDriver : public ScreenReaderDriver
{
public:
    static constexpr std::chrono::milliseconds kServiceTimeout{250};

    OrcaDriver(std::u16string name, bool hasSpeech, bool hasBraille,
        std::chrono::milliseconds serviceTimeout = kServiceTimeout);
    ~OrcaDriver() override;

    // Queued behind the speech in progress, Orca's own included; with interrupt, all current
    // speech is cancelled first and nothing is spoken when that fails.
    bool speak(const std::u16string &text, bool interrupt) override;
    // A Braille message on the display BRLTTY serves, shown for a few seconds; false when no
    // display is served.
    bool braille(const std::u16string &text) override;
    // Speech Dispatcher is not asked; like the other drivers this answers false.
    bool isSpeaking() override;
    // Cancels all current speech.
    bool silence() override;
    // True while an Orca process runs for this user; see OrcaProcessFinder.
    bool isActive() override;

private:
    ServiceThread<OrcaSpeechService> &speech();
    ServiceThread<OrcaBrailleService> &braille();

    OrcaProcessFinder m_orca;
    std::chrono::milliseconds m_serviceTimeout;
    std::unique_ptr<ServiceThread<OrcaSpeechService>> m_speech;
    std::unique_ptr<ServiceThread<OrcaBrailleService>> m_braille;
};

#endif

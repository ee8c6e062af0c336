#ifndef TESSARO_SPEECH_ORCADRIVER_H
#define TESSARO_SPEECH_ORCADRIVER_H

#include "speech/orcaprocess.h"
#include "speech/screenreaderdriver.h"
#include "speech/servicethread.h"

#include <chrono>
#include <memory>

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

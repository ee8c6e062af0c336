#ifndef TESSARO_DESKTOP_SCREENREADERDRIVERNVDA_H
#define TESSARO_DESKTOP_SCREENREADERDRIVERNVDA_H

#include "desktop/screenreaderdriver.h"

#include <windows.h>

// NVDA through its controller client library "nvdaControllerClient32.dll", which NVDA ships for
// programs to load. The library is loaded once, at construction; when it is missing then, NVDA
// stays unsupported until the program ends.
class TScreenReaderDriverNVDA : public TScreenReaderDriver
{
public:
    // The library's entry points; each answers 0 on success.
    using TnvdaController_speakText = unsigned long(__stdcall *)(const wchar_t *text);
    using TnvdaController_brailleMessage = unsigned long(__stdcall *)(const wchar_t *message);
    using TnvdaController_cancelSpeech = unsigned long(__stdcall *)();
    using TnvdaController_testIfRunning = unsigned long(__stdcall *)();

    TScreenReaderDriverNVDA(std::u16string name, bool hasSpeech, bool hasBraille);
    ~TScreenReaderDriverNVDA() override;

    // With interrupt, current speech is cancelled first; when that fails nothing is spoken.
    bool Speak(const std::u16string &text, bool interrupt) override;
    bool Braille(const std::u16string &text) override;
    // NVDA does not tell.
    bool IsSpeaking() override;
    bool Silence() override;
    // NVDA runs when its window (class "wxWindowClassNR", title "NVDA") exists and its controller
    // confirms it; the window alone is not enough.
    bool IsActive() override;

private:
    HMODULE m_library = nullptr;
    // The entry points of the same names; empty when the library or the entry point is missing.
    TnvdaController_speakText m_speakText = nullptr;
    TnvdaController_brailleMessage m_brailleMessage = nullptr;
    TnvdaController_cancelSpeech m_cancelSpeech = nullptr;
    TnvdaController_testIfRunning m_testIfRunning = nullptr;
};

#endif

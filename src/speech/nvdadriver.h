#ifndef TESSARO_SPEECH_NVDADRIVER_H
#define TESSARO_SPEECH_NVDADRIVER_H

#include "speech/screenreaderdriver.h"

#include <windows.h>

// NVDA through its controller client library, which NVDA's project offers for programs to ship
// beside themselves: "nvdaControllerClient64.dll" in a 64-bit program, "nvdaControllerClient32.dll"
// in a 32-bit one (neither loads into a process of the other size). It is loaded once, by its
// bare name (the program's folder is searched first), at construction; when it is missing then,
// NVDA stays unsupported until the program ends.
class NvdaDriver : public ScreenReaderDriver
{
public:
    // The library's entry points; each answers 0 on success.
    using SpeakTextFunction = unsigned long(__stdcall *)(const wchar_t *text);
    using BrailleMessageFunction = unsigned long(__stdcall *)(const wchar_t *message);
    using CancelSpeechFunction = unsigned long(__stdcall *)();
    using TestIfRunningFunction = unsigned long(__stdcall *)();

    NvdaDriver(std::u16string name, bool hasSpeech, bool hasBraille);
    ~NvdaDriver() override;

    // With interrupt, current speech is cancelled first; when that fails nothing is spoken.
    bool speak(const std::u16string &text, bool interrupt) override;
    bool braille(const std::u16string &text) override;
    // NVDA does not tell.
    bool isSpeaking() override;
    bool silence() override;
    // NVDA runs when its window (class "wxWindowClassNR", title "NVDA") exists and its controller
    // confirms it; the window alone is not enough.
    bool isActive() override;

private:
    HMODULE m_library = nullptr;
    // The entry points of the same names; empty when the library or the entry point is missing.
    SpeakTextFunction m_speakText = nullptr;
    BrailleMessageFunction m_brailleMessage = nullptr;
    CancelSpeechFunction m_cancelSpeech = nullptr;
    TestIfRunningFunction m_testIfRunning = nullptr;
};

#endif

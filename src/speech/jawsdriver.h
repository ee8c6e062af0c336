#ifndef TESSARO_SPEECH_JAWSDRIVER_H
#define TESSARO_SPEECH_JAWSDRIVER_H

#include "speech/screenreaderdriver.h"

#include <windows.h>

#include <oaidl.h>

// JAWS's automation interface, served by JAWS itself. It is a dual interface; its methods
// (SayString, RunFunction, StopSpeech) are called by name through IDispatch, which does not
// depend on the order of the interface's own table entries.
struct IJawsApi : public IDispatch
{
};

// JAWS through its automation object. The object is held while JAWS runs: created at
// construction and again by IsActive while JAWS's window exists, dropped by IsActive as soon as
// the window is gone. COM is initialised on the calling thread while an object is held.
class JawsDriver : public ScreenReaderDriver
{
public:
    JawsDriver(std::u16string name, bool hasSpeech, bool hasBraille);
    ~JawsDriver() override;

    bool speak(const std::u16string &text, bool interrupt) override;
    // Runs the JAWS script call BrailleString with the text.
    bool braille(const std::u16string &text) override;
    // JAWS does not tell.
    bool isSpeaking() override;
    bool silence() override;
    // JAWS runs while a top-level window of class "JFWUI2" exists; it counts as active when the
    // automation object is also held.
    bool isActive() override;

private:
    void acquire();
    void release();
    // Calls a method that takes the text (and, when given, a flag after it) and answers with an
    // automation Boolean; true when the call went through and the answer was true.
    bool callWithText(const wchar_t *method, const std::u16string &text, const bool *flag);

    IJawsApi *m_controller = nullptr;
    bool m_comInitialized = false;
};

#endif

#include "speech/nvdadriver.h"

#include <utility>

namespace {

constexpr const wchar_t *kControllerLibrary
    = sizeof(void *) == 8 ? L"nvdaControllerClient64.dll" : L"nvdaControllerClient32.dll";

// GetProcAddress hands out a generic function pointer. Converting it through void (*)() tells
// the compiler that the cast to the real signature is intended.
template<typename Function>
Function entryPoint(HMODULE library, const char *name)
{
    return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(GetProcAddress(library, name)));
}

const wchar_t *wide(const std::u16string &text)
{
    return reinterpret_cast<const wchar_t *>(text.c_str());
}

} // namespace

NvdaDriver::NvdaDriver(std::u16string name, bool hasSpeech, bool hasBraille)
    : ScreenReaderDriver(std::move(name), hasSpeech, hasBraille)
    , m_library(LoadLibraryW(kControllerLibrary))
{
    if (!m_library)
        return;
    m_speakText = entryPoint<SpeakTextFunction>(m_library, "nvdaController_speakText");
    m_brailleMessage
        = entryPoint<BrailleMessageFunction>(m_library, "nvdaController_brailleMessage");
    m_cancelSpeech = entryPoint<CancelSpeechFunction>(m_library, "nvdaController_cancelSpeech");
    m_testIfRunning = entryPoint<TestIfRunningFunction>(m_library, "nvdaController_testIfRunning");
}

NvdaDriver::~NvdaDriver()
{
    if (m_library)
        FreeLibrary(m_library);
}

bool NvdaDriver::speak(const std::u16string &text, bool interrupt)
{
    if (interrupt && !silence())
        return false;
    if (text.empty() || !m_speakText)
        return false;
    return m_speakText(wide(text)) == 0;
}

bool NvdaDriver::braille(const std::u16string &text)
{
    if (text.empty() || !m_brailleMessage)
        return false;
    return m_brailleMessage(wide(text)) == 0;
}

bool NvdaDriver::isSpeaking()
{
    return false;
}

bool NvdaDriver::silence()
{
    if (!m_cancelSpeech)
        return false;
    return m_cancelSpeech() == 0;
}

bool NvdaDriver::isActive()
{
    if (!m_testIfRunning)
        return false;
    if (!FindWindowW(L"wxWindowClassNR", L"NVDA"))
        return false;
    return m_testIfRunning() == 0;
}

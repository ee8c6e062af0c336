#include "speech/screenreaderdriver.h"

#include <utility>

ScreenReaderDriver::ScreenReaderDriver(std::u16string name, bool hasSpeech, bool hasBraille)
    : m_name(std::move(name)), m_hasSpeech(hasSpeech), m_hasBraille(hasBraille)
{ }

bool ScreenReaderDriver::output(const std::u16string &text, bool interrupt)
{
    const bool spoken = speak(text, interrupt);
    const bool shown = braille(text);
    return spoken || shown;
}

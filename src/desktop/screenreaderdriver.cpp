#include "desktop/screenreaderdriver.h"

#include <utility>

TScreenReaderDriver::TScreenReaderDriver(std::u16string name, bool hasSpeech, bool hasBraille)
    : m_name(std::move(name)), m_hasSpeech(hasSpeech), m_hasBraille(hasBraille)
{ }

bool TScreenReaderDriver::Output(const std::u16string &text, bool interrupt)
{
    const bool spoken = Speak(text, interrupt);
    const bool shown = Braille(text);
    return spoken || shown;
}

#ifndef TESSARO_SPEECH_SCREENREADERDRIVER_H
#define TESSARO_SPEECH_SCREENREADERDRIVER_H

#include <string>

// One supported screen reader, reached through that screen reader's own interface. Every
// operation reports failure, a screen reader that is not running included, as false and never
// shows a message.
//
// This header and the Windows drivers use the standard library and the Windows headers only, so
// that they can be compiled and checked without Qt. Texts are UTF-16, as Windows and Qt hold them.
class ScreenReaderDriver
{
public:
    ScreenReaderDriver(std::u16string name, bool hasSpeech, bool hasBraille);
    virtual ~ScreenReaderDriver() = default;

    ScreenReaderDriver(const ScreenReaderDriver &) = delete;
    ScreenReaderDriver &operator=(const ScreenReaderDriver &) = delete;

    const std::u16string &name() const { return m_name; }
    bool hasSpeech() const { return m_hasSpeech; }
    bool hasBraille() const { return m_hasBraille; }

    virtual bool speak(const std::u16string &text, bool interrupt) = 0;
    virtual bool braille(const std::u16string &text) = 0;
    virtual bool isSpeaking() = 0;
    virtual bool silence() = 0;
    virtual bool isActive() = 0;
    // Speech first, then Braille, always both: a failed speech call must not keep the text
    // from the Braille display. True when either of them succeeded.
    virtual bool output(const std::u16string &text, bool interrupt);

private:
    std::u16string m_name;
    bool m_hasSpeech;
    bool m_hasBraille;
};

#endif

#ifndef TESSARO_DESKTOP_SCREENREADERDRIVER_H
#define TESSARO_DESKTOP_SCREENREADERDRIVER_H

#include <string>

// One supported screen reader, reached through that screen reader's own interface. Every
// operation reports failure, a screen reader that is not running included, as false and never
// shows a message.
//
// This header and the Windows drivers use the standard library and the Windows headers only, so
// that they can be compiled and checked without Qt. Texts are UTF-16, as Windows and Qt hold them.
class TScreenReaderDriver
{
public:
    TScreenReaderDriver(std::u16string name, bool hasSpeech, bool hasBraille);
    virtual ~TScreenReaderDriver() = default;

    TScreenReaderDriver(const TScreenReaderDriver &) = delete;
    TScreenReaderDriver &operator=(const TScreenReaderDriver &) = delete;

    const std::u16string &Name() const { return m_name; }
    bool HasSpeech() const { return m_hasSpeech; }
    bool HasBraille() const { return m_hasBraille; }

    virtual bool Speak(const std::u16string &text, bool interrupt) = 0;
    virtual bool Braille(const std::u16string &text) = 0;
    virtual bool IsSpeaking() = 0;
    virtual bool Silence() = 0;
    virtual bool IsActive() = 0;
    // Speech first, then Braille, always both: a failed speech call must not keep the text
    // from the Braille display. True when either of them succeeded.
    virtual bool Output(const std::u16string &text, bool interrupt);

private:
    std::u16string m_name;
    bool m_hasSpeech;
    bool m_hasBraille;
};

#endif

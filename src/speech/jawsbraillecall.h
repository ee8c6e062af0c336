#ifndef TESSARO_SPEECH_JAWSBRAILLECALL_H
#define TESSARO_SPEECH_JAWSBRAILLECALL_H

#include <string>
#include <string_view>

// The JAWS script call that shows text as a Braille message: BrailleString("text"). A double
// quote would end the script's string literal, so every double quote becomes an apostrophe.
inline std::u16string jawsBrailleCall(std::u16string_view text)
{
    std::u16string call = u"BrailleString(\"";
    for (const char16_t c : text)
        call += c == u'"' ? u'\'' : c;
    call += u"\")";
    return call;
}

#endif

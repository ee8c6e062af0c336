#ifndef TESSARO_SPEECH_SOUNDS_H
#define TESSARO_SPEECH_SOUNDS_H

// The platform's default beep. Always true.
bool playBeep();

// The desktop's information sound, played without waiting for it: the sound theme's
// "dialog-information" event through canberra-gtk-play where that program is installed,
// otherwise the beep. True when the sound could be started.
bool playInformationSound();

#endif

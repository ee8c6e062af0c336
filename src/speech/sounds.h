#ifndef TESSARO_SPEECH_SOUNDS_H
#define TESSARO_SPEECH_SOUNDS_H

// The platform's default beep (on Windows the default sound, MessageBeep 0). Always true.
bool playBeep();

// The desktop's information sound, played without waiting for it. Windows: the system sound
// "SystemAsterisk". Linux: the sound theme's "dialog-information" event through
// canberra-gtk-play where that program is installed, otherwise the beep. True when the sound
// could be started.
bool playInformationSound();

#endif

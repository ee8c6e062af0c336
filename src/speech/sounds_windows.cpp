#include "speech/sounds.h"

#include <windows.h>

#include <mmsystem.h>

bool playBeep()
{
    MessageBeep(0);
    return true;
}

bool playInformationSound()
{
    return PlaySoundW(L"systemasterisk", nullptr, SND_ASYNC);
}

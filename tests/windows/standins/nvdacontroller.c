// A stand-in for NVDA's controller client library "nvdaControllerClient64.dll": its four entry
// points, each logging its call and answering success.
#include "standinlog.h"

__declspec(dllexport) unsigned long __stdcall nvdaController_speakText(const wchar_t *text)
{
    logCall("NVDA", "speakText", text);
    return 0;
}

__declspec(dllexport) unsigned long __stdcall nvdaController_brailleMessage(const wchar_t *text)
{
    logCall("NVDA", "brailleMessage", text);
    return 0;
}

__declspec(dllexport) unsigned long __stdcall nvdaController_cancelSpeech(void)
{
    logCall("NVDA", "cancelSpeech", NULL);
    return 0;
}

__declspec(dllexport) unsigned long __stdcall nvdaController_testIfRunning(void)
{
    return 0;
}

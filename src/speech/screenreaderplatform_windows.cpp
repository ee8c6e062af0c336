#include "speech/screenreaderplatform.h"

#include "speech/jawsdriver.h"
#include "speech/nvdadriver.h"

#include <objbase.h>

ScreenReaderDriverList createPlatformScreenReaderDrivers()
{
    ScreenReaderDriverList drivers;
    drivers.push_back(std::make_unique<JawsDriver>(u"JAWS", true, true));
    drivers.push_back(std::make_unique<NvdaDriver>(u"NVDA", true, true));
    return drivers;
}

bool prepareScreenReaderThread()
{
    const HRESULT initialized = CoInitializeEx(nullptr, COINIT_MULTITHREADED);
    if (initialized == S_FALSE) {
        CoUninitialize();
        return false;
    }
    // A thread already in the other model refuses (RPC_E_CHANGED_MODE); then nothing is held.
    return initialized == S_OK;
}

void releaseScreenReaderThread()
{
    CoUninitialize();
}

#include "desktop/screenreaderplatform.h"

#include "desktop/screenreaderdriverjaws.h"
#include "desktop/screenreaderdrivernvda.h"

#include <objbase.h>

TScreenReaderDriverList createPlatformScreenReaderDrivers()
{
    TScreenReaderDriverList drivers;
    drivers.push_back(std::make_unique<TScreenReaderDriverJAWS>(u"JAWS", true, true));
    drivers.push_back(std::make_unique<TScreenReaderDriverNVDA>(u"NVDA", true, true));
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

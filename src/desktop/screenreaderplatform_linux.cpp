#include "desktop/screenreaderplatform.h"

#include "desktop/screenreaderdriverorca.h"

TScreenReaderDriverList createPlatformScreenReaderDrivers()
{
    TScreenReaderDriverList drivers;
    drivers.push_back(std::make_unique<TScreenReaderDriverOrca>(u"Orca", true, true));
    return drivers;
}

bool prepareScreenReaderThread()
{
    return false;
}

void releaseScreenReaderThread() { }

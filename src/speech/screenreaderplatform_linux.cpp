#include "speech/screenreaderplatform.h"

#include "speech/orcadriver.h"

ScreenReaderDriverList createPlatformScreenReaderDrivers()
{
    ScreenReaderDriverList drivers;
    drivers.push_back(std::make_unique<OrcaDriver>(u"Orca", true, true));
    return drivers;
}

bool prepareScreenReaderThread()
{
    return false;
}

void releaseScreenReaderThread() { }

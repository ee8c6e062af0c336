#ifndef TESSARO_SPEECH_SCREENREADERPLATFORM_H
#define TESSARO_SPEECH_SCREENREADERPLATFORM_H

#include "speech/screenreaderdriver.h"

#include <memory>
#include <vector>

// What differs between the platforms the screen-reader front runs on. Qt-free, like the drivers.

using ScreenReaderDriverList = std::vector<std::unique_ptr<ScreenReaderDriver>>;

// The drivers of this platform in detection order: JAWS, then NVDA on Windows; Orca on Linux.
ScreenReaderDriverList createPlatformScreenReaderDrivers();

// Windows: initialises COM for the calling thread in the multithreaded model; when the thread
// already was initialised so, the repeated initialisation is undone at once. Returns whether an
// initialisation is held that releaseScreenReaderThread has to undo. Elsewhere there is nothing
// to prepare and the result is false.
bool prepareScreenReaderThread();
void releaseScreenReaderThread();

#endif

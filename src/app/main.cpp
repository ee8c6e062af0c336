#include "app/startup.h"

#ifdef Q_OS_WIN
#include <windows.h>
#endif

int main(int argc, char *argv[])
{
#ifdef Q_OS_WIN
    // A drive without a medium (an empty card reader, a stick pulled out) then fails a call
    // instead of raising the system's prompt.
    SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
#endif
    return runProgram(argc, argv);
}

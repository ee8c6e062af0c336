#ifndef TESSARO_FUZZ_INVARIANT_H
#define TESSARO_FUZZ_INVARIANT_H

#include <cstdio>
#include <cstdlib>

// Ends the fuzz target with the invariant's name when it does not hold, so that libFuzzer keeps
// the input and the replay in the test suite fails on it.
inline void require(bool condition, const char *what)
{
    if (!condition) {
        std::fprintf(stderr, "invariant broken: %s\n", what);
        std::abort();
    }
}

#endif

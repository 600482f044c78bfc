#pragma once

#include <cstdio>
#include <cstdlib>

// An invariant the reader must keep whatever the input: a broken one is a finding, so
// it stops the run the way a crash does and libFuzzer saves the input.
#define FUZZ_CHECK(condition)                                                                                \
    do {                                                                                                     \
        if (!(condition)) {                                                                                  \
            std::fprintf(stderr, "%s:%d: invariant broken: %s\n", __FILE__, __LINE__, #condition);           \
            std::abort();                                                                                    \
        }                                                                                                    \
    } while (false)

// A broken invariant in a fuzz target: say which and abort, so that the fuzzer
// (or the standalone driver) keeps the input.
#pragma once

#include <cstdio>
#include <cstdlib>

inline void fuzzRequire(bool condition, const char* target, const char* what)
{
    if (!condition) {
        std::fprintf(stderr, "%s fuzz: violated: %s\n", target, what);
        std::abort();
    }
}

// The fuzzing entry points: one per file the game reads, each a small
// function that hands arbitrary bytes to the game's own loading code the way
// the game meets the file (written to disk where the game reads a file).
// The AFL++ driver (fuzz/aflMain.cpp) runs them under coverage guidance; the
// unit tests run the kept findings (tests/fuzzcases/<target>/) through the
// very same functions.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

struct FuzzTarget {
    const char* name;
    // One input through the loader. A fault is a crash, a sanitizer report,
    // a hang, or an abort from a check that an accepted file must pass.
    void (*run)(const std::uint8_t* data, std::size_t size);
    // Writes the starting inputs into `outDir` from the generated game
    // folder `gameDir`; returns how many were written.
    int (*writeSeeds)(const std::string& gameDir, const std::string& outDir);
};

extern const FuzzTarget kFuzzTargets[];
extern const int kFuzzTargetCount;

// Null for an unknown name.
const FuzzTarget* findFuzzTarget(const char* name);

// Turns a song source into timed notes: the composer writes melodies where
// the source leaves them out, and each track's role and style lay out its
// part over the chords.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "tools/songgen/SongSource.h"

namespace songgen {

constexpr int kDivision = 480;  // ticks per quarter note

struct Note {
    int tick = 0;
    int length = 0;
    int pitch = 0;
    int velocity = 0;
};

struct TrackPart {
    std::string name;
    int channel = 0;
    int program = 0;
    int volume = 100;
    int pan = 64;
    int reverb = 40;
    int chorus = 0;
    std::vector<Note> notes;
};

struct Arrangement {
    int totalTicks = 0;
    std::vector<TrackPart> parts;
};

// False (with a message on stderr) when the source asks for something the
// arranger does not know.
bool arrangeSong(const Song& song, Arrangement* out);

}  // namespace songgen

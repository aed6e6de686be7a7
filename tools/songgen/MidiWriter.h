// Writes an arrangement as a standard MIDI file (format 1, 480 ticks to the
// quarter note) whose every track ends exactly at the end of the last bar, so
// that the song repeats without a gap.
#pragma once

#include <cstdint>
#include <vector>

#include "tools/songgen/Arranger.h"
#include "tools/songgen/SongSource.h"

namespace songgen {

std::vector<std::uint8_t> writeMidiFile(const Song& song, const Arrangement& arrangement);

}  // namespace songgen

// Every map's arrival values: place name, song, sky colour, battle
// background and currency. A kept column leaves the previous map's value.
#pragma once

#include <cstdint>

constexpr int kKept = -1;

enum class SongRule { fixed, silence, none, byFlags };

struct MapTableRow {
    const char* placeName;
    SongRule songRule;
    const char* song;          // the title for SongRule::fixed
    std::uint8_t clearColour[3];
    int battleBackground;      // kKept: not written
    int currency;              // kKept: not written
};

extern const MapTableRow kMapTable[130];

// The song a map asks for on arrival as its flags stand: a title, "" for
// silence, or nullptr when the map asks for nothing (the lift car).
const char* arrivalSong(int map);
// The arrival sequence: place name, song (changeMusic or requestMusicStop),
// clear colour, battle background (with the saved background 0), currency.
// A map number outside 0 to 129 does nothing.
void applyMapArrival(int map);

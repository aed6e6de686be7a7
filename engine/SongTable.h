// The song table: 61 titles, each played from a "MIDI" resource
// (Res/Midi_<id>.mid).
#pragma once

constexpr int kSongCount = 61;

// Title number 1..61 (the table's order) in Shift-JIS; nullptr outside it.
const char* songTitle(int number);
// The resource id of title number 1..61: 263 upward, skipping 266 and 268;
// title 60 plays 314 as title 50 does. -1 outside the table.
int songResourceForNumber(int number);
// The resource id of a title (compared byte for byte), -1 for a title that
// is not in the table.
int songResourceId(const char* title);

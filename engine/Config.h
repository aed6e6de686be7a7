// The settings: "Config.dat" (written only by the separate configuration
// tool) and the "/f" switch at the end of the command line.
#pragma once

#include <cstdint>
#include <string>

// The first block of "Config.dat", one switch a byte (1 = on):
// 0 full screen, 1 low-spec graphics, 2 autosave to slot 4 when the camp
// menu closes, 3 message portraits off, 4 hard mode, 5 controller decide and
// cancel swapped, 6 message clicks silent, 7 when 0 the field's down and up
// act as diagonals; 8 and 9 are not read.
extern std::uint8_t gConfig[10];
// The second block: kept, never used. Its storage is ten 32-bit integers, of
// which the file fills the first ten bytes.
extern std::int32_t gConfigReserved[10];

// Low-spec graphics: byte 1 is 1. Every reader of the byte asks here, so a
// stray value (2, 255) means the same to the device, the resources and the
// screens: off.
bool lowSpecGraphics();

// All settings 0.
void resetConfig();
// Reads the two blocks from the file; a short file leaves the bytes it does
// not have 0, a missing one leaves everything 0. False when it is missing.
bool loadConfig(const char* path = "Config.dat");
// The command line the design sees: the arguments after the program's name
// joined by single spaces.
std::string joinCommandLine(int argc, const char* const* argv);
// True when the command line ends with "/f" in either letter case.
bool commandLineSelectsFullScreen(const std::string& commandLine);

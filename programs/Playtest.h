// The headless driver: the real game, unpaced, on a hidden window (or the
// null device), driven by a script of held keys, with screenshots and a
// state dump. Its command line:
//   playtest --frames N [--input FILE] [--shot FRAME:PATH]... [--state]
//            [--workdir DIR] [--clock SECONDS] [--null-gfx] [--map N[,ROW,COL]] [--developer]
//            [--flags I:V,...] [--hidden] [--event SLOT] [--message-shots DIR]
// Frames count from 1.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <utility>
#include <vector>

// Keys a script can hold.
enum PlaytestKey : unsigned {
    kPlayUp = 1u << 0,
    kPlayDown = 1u << 1,
    kPlayLeft = 1u << 2,
    kPlayRight = 1u << 3,
    kPlayDecide = 1u << 4,
    kPlayCancel = 1u << 5,
    kPlayF12 = 1u << 6,
};

struct PlaytestSpan {
    long first;
    long last;
    unsigned keys;
};

struct PlaytestShot {
    long frame;
    std::string path;
};

struct PlaytestOptions {
    long frames = -1;
    std::string inputPath;
    std::vector<PlaytestShot> shots;
    bool printState = false;
    std::string workDir;  // empty: the game folder beside the binaries folder
    bool clockGiven = false;
    std::int64_t clockSeconds = 0;
    bool nullGraphics = false;
    // --map: start on the field of this map (the title skipped), on this
    // cell or, with a row of -1, on the floor cell nearest the middle.
    int startMap = -1;
    int startRow = -1;
    int startCol = -1;
    bool developer = false;  // --developer: start in the developer mode
    // --flags: story flags set before the map's set-up runs (index, value).
    std::vector<std::pair<int, int>> storyFlags;
    bool hidePlayer = false;  // --hidden: arrive with the player not shown, as scenes do
    int startEvent = -1;      // --event: start this slot's event on arrival
    // --message-shots: one PNG per message or choice, written on the frame
    // it stands whole; the run then reads on by itself (decide).
    std::string messageShotFolder;
    // Not on the command line: a program that plays the game itself (a
    // route player) chooses each frame's keys here instead of the script;
    // it sees the state the previous frame left.
    unsigned (*chooseKeys)(long frame) = nullptr;
    bool (*finished)() = nullptr;  // true ends the run after the frame
};

// False with a message in *error when the command line is not understood.
bool parsePlaytestArguments(int argc, const char* const* argv, PlaytestOptions& options, std::string* error);
// Lines "FIRST LAST KEYS" ('#' starts a comment, KEYS comma-separated or
// "-"). False with the line's number and what is wrong in *error.
bool parsePlaytestScript(const std::string& text, std::vector<PlaytestSpan>& spans, std::string* error);
// The keys held on a frame: the union of every span that covers it.
unsigned playtestKeysAt(const std::vector<PlaytestSpan>& spans, long frame);
// Puts exactly these keys into the key table (up, down, left, right,
// Return for decide, Escape for cancel, F12).
void holdPlaytestKeys(unsigned keys);

// The state at the end, as key=value lines.
void printGameState(std::FILE* out, long frames);

// The whole run; the process's exit code.
int runPlaytest(int argc, const char* const* argv);
// The same for options already parsed (and perhaps given a key chooser).
int runPlaytest(PlaytestOptions options);

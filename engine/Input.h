// Input: the keyboard and the first game controller, polled once a
// main-loop pass and turned into one input code for the frame.
#pragma once

#include <cstdint>

// Input codes, laid out like a numeric keypad.
constexpr int kInputNone = 0;
constexpr int kInputDownLeft = 1;
constexpr int kInputDown = 2;
constexpr int kInputDownRight = 3;
constexpr int kInputLeft = 4;
constexpr int kInputCancel = 5;  // wins over everything else held
constexpr int kInputRight = 6;
constexpr int kInputUpLeft = 7;
constexpr int kInputUp = 8;
constexpr int kInputUpRight = 9;
constexpr int kInputDecide = 10;  // 11 to 19: decide with direction code - 10

// gHeldInput entries.
enum HeldInput { kHeldRight = 0, kHeldLeft = 1, kHeldDown = 2, kHeldUp = 3, kHeldDecide = 4, kHeldCancel = 5 };

// Polls for which a held code is kept back before it repeats.
constexpr int kInputRepeatDelay = 40;
// gCommandCode in normal play; any other value is the developer mode.
constexpr int kNormalPlayCommand = 999;

extern std::uint8_t gHeldInput[6];  // held this poll; cleared at the start of every poll
extern int gInputCode;              // the code of this frame; screens clear it after acting on it
extern int gLastInputCode;          // the code composed at the previous poll
extern int gInputRepeat;            // polls the same code has been held back
extern int gCommandCode;            // 999 in normal play, else this poll's developer command (0 none)
extern std::uint8_t gWindowActive;  // 1 while the game's window is active; starts at 1

// What the poll asks of the layers above the engine, set once by the
// programs (programs/GameHooks.h) and kept by resetInput; unset, F12 only
// changes the scene and no field event counts as running.
extern void (*gReturnToTitleHook)();      // F12: the title's own part of going back to it
extern bool (*gFieldEventRunningHook)();  // true while a field event runs (keys then repeat by the rule)

// Every input global to its start value (gCommandCode 999, window active).
void resetInput();

// Opens the first game controller. True when there is one; the keyboard
// works either way.
bool initInput();
void releaseInput();
// The window was activated (true) or deactivated (false).
void setWindowActive(bool active);

// Once a main-loop pass, before the frame: reads both devices, serves F12
// and delivers this frame's code by the repeat rule.
void pollInput();

// The code of what is held (no repeat rule): cancel gives 5 alone;
// otherwise the direction, plus 10 with decide.
int composeInputCode(const std::uint8_t held[6]);

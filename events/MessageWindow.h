// The message window: a speaker, three lines typed out five bytes a frame,
// an optional portrait, and choices of two or three options. The waiting
// primitives hold the event step (events/EventEngine.h) until they are done.
#pragma once

#include <cstdint>

// gMessageMode, gSpeakerName and gMessageText, which the field reads and
// writes: field/EventState.h; drawMessageWindow: field/FieldEventHooks.h.
#include "field/EventState.h"
#include "field/FieldEventHooks.h"

constexpr int kMessageTextLimit = 298; // longest text setMessage keeps

extern std::uint8_t gPortraitLoaded;   // 1 while the portrait sheet holds the current cell's sheet
extern std::int8_t gMessageStyle;      // layout 0 to 3; negative: no boxes, no name
extern int gPortraitCell[2];           // column (character 0-19), row (expression 0-9)
extern int gMessageTyped;              // bytes shown so far by the typewriter
extern std::int8_t gChoiceCursor;
extern std::uint8_t gMessagePausing;   // 1 from a message's closing until its pause has run out

// The speaker and three lines ("%s\n%s\n%s"); the speaker is cut to 29 bytes
// and the text to 298, never inside a double-byte character.
void setMessage(const char* speaker, const char* line1, const char* line2, const char* line3);
// Layout and portrait cell; layout 1 becomes 0 while portraits are off (config byte 3).
void setMessagePortrait(int layout, int column, int row);
// Types the text, waits for decide, then pauses 10n + 1 frames.
void showMessage(int n);
// The lines as `count` options with a cursor; holds the step until decide.
void showChoice(int count);
// In the step of showChoice: on the frame of the decide, jumps to the chosen target.
void branchOnChoice(int step0, int step1, int step2);

// The typewriter's frame, part of drawMessageWindow: 5 more bytes; returns
// how many bytes of the text show (all of it once more in mode 3, which ends).
int advanceMessageTypewriter();

// How many bytes of `text` a count of `shown` bytes covers when double-byte
// characters stay whole (one more when the last counted byte leads one).
int wholeCharacterLength(const char* text, int shown);
// True for a byte that takes the byte after it with it.
bool isLeadByte(std::uint8_t byte);

void resetMessageWindow();

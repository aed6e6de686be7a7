// What the camp menu and its screens share: the dark blue clear, the face
// cells of the portrait sheet, text placement, the walk over occupied party
// slots, the sound of a key, and the play-time clock.
#pragma once

#include <cstddef>
#include <cstdint>

#include "platform/Gfx.h"

struct GraphicsResources;

constexpr gfx::Colour kCampBackground = 0xFF004080u;  // opaque red 0, green 64, blue 128

// Text styles of these screens (engine/DrawText.h): target, colour, alignment.
constexpr int kLayer1 = 0;
constexpr int kLayer2 = 100;
constexpr int kCurrentTarget = 200;  // the render target in use, every frame
constexpr int kWhite = 0;
constexpr int kGrey = 10;
constexpr int kOrange = 20;
constexpr int kGreen = 30;
constexpr int kCyan = 40;
constexpr int kYellow = 50;
constexpr int kPink = 60;
constexpr int kAlignRight = 1;
constexpr int kAlignCentre = 2;

constexpr int kPortraitBitmap = 347;   // the party's faces
constexpr int kBodyguardPortraits = 354;

// Makes the back buffer the target and clears it and the depth to the dark blue.
void clearCampBackBuffer(GraphicsResources& resources, gfx::Device* device);
// The 96 x 96 face cell (column, row) of the portrait sheet at (x, y), unscaled, opaque.
void drawPortraitCell(GraphicsResources& resources, gfx::Device* device, int column, int row, float x, float y);
// Replaces the portrait sheet with a bitmap resource (nothing without a device).
void loadPortraitSheet(GraphicsResources& resources, gfx::Device* device, int bitmap);
// The party's sheet as these screens last loaded it (null once another
// sheet was loaded here); a different texture in its place means someone
// else (the message window) swapped the sheet.
extern const gfx::Texture* gCampPortraitTexture;
// A text from (left, top) in a rectangle reaching right to `right` and down to 480.
void campText(GraphicsResources& resources, gfx::Device* device, int left, int top, int right, const char* text,
              int style);

// The unit id of a party slot, 0 for an empty slot or an id no member record has.
int partyUnit(int slot);
// The next (step +1) or previous (step -1) party slot holding a member,
// wrapping over 0-2; the slot itself when no other holds one.
int stepPartySlot(int slot, int step);
// The keys every screen over one member shares: right and left step to the
// next or previous member (gSubScreenCursor), cancel goes back to the camp
// menu with its sound. True when the key was one of them and is served.
bool memberScreenKey(int inputCode);
// True when the member wears a magical stone in either slot (its Sp is shown).
bool unitWearsStone(int unit);
// Hp and Sp cut down to the member's maxima.
void capUnitPoints(int unit);

// Every key sound of these screens goes through here; a test puts a recorder in.
using CampSoundFunction = bool (*)(const char* fileName);
extern CampSoundFunction gCampSound;
void campSound(const char* fileName);

// The play time in whole seconds: gPlaySeconds plus the seconds since
// gSessionStart on the calendar clock. Never negative; and when the clock is
// set back while the game runs, gSessionStart moves back with it, so the
// time shown and saved never goes backwards within a run.
int currentPlaySeconds();
// Forgets the calendar second last seen (a new run of the clock, tests).
void resetPlayClock();
// "%d:%s:%s": hours unpadded, minutes and seconds in two digits.
void formatPlayTime(char* out, std::size_t size, int seconds);

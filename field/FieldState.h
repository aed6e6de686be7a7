// The field's whole state: the player, the camera requests, the pictures and
// colours the field draws with, and the chests' opened flags. One reset
// function puts every one of them back to its start value, so a test starts
// clean.
#pragma once

#include <cstdint>

// ---- The player ----
extern float gPlayerPos[3];             // x, height y, z of the feet
extern float gPlayerVSpeed;             // vertical speed; + is up
extern int gPlayerPose;                 // 0 standing, 1 walking or falling, 2 rising; 3 and above the scripts' own
extern std::uint8_t gPlayerFacing;      // 0 faces +x, 1 faces -x (mirrored billboard)
extern int gFieldTick;                  // 0 to 6, one step per field frame
extern std::uint8_t gPlayerVisible;     // 1: the player's billboard is drawn
extern int gPlayerSpriteColumn;         // the character the player's billboard shows

// ---- The camera ----
extern float gCameraTarget[3];          // where the field camera glides to
extern int gCameraSnap;                 // nonzero: re-key next frame; 2 makes it a cut
extern std::int8_t gCameraGlide;        // next glide in tenths of a second; 0 = 300 ms

// ---- Pictures over or in place of the field ----
extern std::uint8_t gEventPicture;      // 1: a full-screen picture replaces the 3D field
extern int gEventPictureNumber;         // 0-14 bitmaps 180-194, 15 bitmap 196
extern std::uint8_t gPictureLoaded;     // 1 while pictureTexture holds the picture asked for
extern std::int8_t gStillPicture;       // picture number + 1 of a still over the field, 0 none
extern std::uint8_t gStillPictureAlpha;
extern std::uint8_t gStoneBannerShown;

// ---- Colours ----
extern std::uint8_t gClearColour[3];    // R, G, B behind the terrain
extern float gFieldBrightness;          // 1 normal
extern float gFieldTint[4];             // r, g, b, a
extern std::uint8_t gFieldTintActive;

// ---- Chests ----
constexpr int kChestCount = 1000;
extern std::uint8_t gChestFlags[kChestCount];  // 1 = opened; saved with the game

// Every global above back to its start value.
void resetFieldState();

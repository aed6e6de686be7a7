#include "field/FieldState.h"

#include <cstring>

float gPlayerPos[3];
float gPlayerVSpeed;
int gPlayerPose;
std::uint8_t gPlayerFacing;
int gFieldTick;
std::uint8_t gPlayerVisible;
int gPlayerSpriteColumn;

float gCameraTarget[3];
int gCameraSnap;
std::int8_t gCameraGlide;

std::uint8_t gEventPicture;
int gEventPictureNumber;
std::uint8_t gPictureLoaded;
std::int8_t gStillPicture;
std::uint8_t gStillPictureAlpha;
std::uint8_t gStoneBannerShown;

std::uint8_t gClearColour[3];
float gFieldBrightness = 1.0f;
float gFieldTint[4] = {1.0f, 1.0f, 1.0f, 1.0f};
std::uint8_t gFieldTintActive;

std::uint8_t gChestFlags[kChestCount];

void resetFieldState() {
    std::memset(gPlayerPos, 0, sizeof gPlayerPos);
    gPlayerVSpeed = 0.0f;
    gPlayerPose = 0;
    gPlayerFacing = 0;
    gFieldTick = 0;
    gPlayerVisible = 0;
    gPlayerSpriteColumn = 0;
    std::memset(gCameraTarget, 0, sizeof gCameraTarget);
    gCameraSnap = 0;
    gCameraGlide = 0;
    gEventPicture = 0;
    gEventPictureNumber = 0;
    gPictureLoaded = 0;
    gStillPicture = 0;
    gStillPictureAlpha = 0;
    gStoneBannerShown = 0;
    std::memset(gClearColour, 0, sizeof gClearColour);
    gFieldBrightness = 1.0f;
    for (float& channel : gFieldTint) channel = 1.0f;
    gFieldTintActive = 0;
    std::memset(gChestFlags, 0, sizeof gChestFlags);
}

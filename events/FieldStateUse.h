// The field's globals that the primitives write, declared as the field
// declares them (field/FieldState.h and its overlays); the weak stand-ins in
// events/pendingServices_events.cpp hold until those land.
#pragma once

#include <cstdint>

extern float gPlayerPos[3];
extern std::uint8_t gPlayerVisible;
extern std::int8_t gStillPicture;
extern std::uint8_t gStillPictureAlpha;
extern std::uint8_t gPictureLoaded;
extern std::uint8_t gStoneBannerShown;
extern float gFieldBrightness;
extern float gFieldTint[4];
extern std::uint8_t gFieldTintActive;
extern std::uint8_t gNewsTickerOn;
extern int gTickerPos;
extern int gTickerSlot;
extern int gTransitionFrame;
// The battle's set-up for an enemy group.
void setUpBattle(int group);
extern float gPlayerVSpeed;
extern float gCameraTarget[3];
extern int gCameraSnap;
extern int gFieldTick;

// Weak stand-ins for what the event engine reads of services that have not
// landed yet; each real definition replaces its stand-in.
#include <cstdint>

#define PENDING __attribute__((weak))

// Until the field state lands (field/FieldState.h).
PENDING std::uint8_t gClearColour[3] = {};
PENDING float gPlayerPos[3] = {};
PENDING std::uint8_t gPlayerVisible = 1;
PENDING std::int8_t gStillPicture = 0;
PENDING std::uint8_t gStillPictureAlpha = 0;
PENDING std::uint8_t gPictureLoaded = 0;
PENDING std::uint8_t gStoneBannerShown = 0;
PENDING float gFieldBrightness = 1.0f;
PENDING float gFieldTint[4] = {1.0f, 1.0f, 1.0f, 1.0f};
PENDING std::uint8_t gFieldTintActive = 0;
PENDING int gTransitionFrame = 0;
// Until the news ticker lands.
PENDING std::uint8_t gNewsTickerOn = 0;
PENDING int gTickerPos = 0;
PENDING int gTickerSlot = 0;
// Until the battle lands.
PENDING void setUpBattle(int) {}
PENDING float gPlayerVSpeed = 0.0f;
PENDING float gCameraTarget[3] = {};
PENDING int gCameraSnap = 0;
PENDING int gFieldTick = 0;

// Scene 1000: the logo, and the reset of the play state on each of its frames.
#include <cstring>

#include "battle/BattleRecords.h"
#include "engine/Camera.h"
#include "engine/GraphicsResources.h"
#include "engine/KeyframeTrack.h"
#include "engine/Music.h"
#include "engine/Scene.h"
#include "engine/Screens.h"
#include "events/EventEngine.h"
#include "events/EventMusic.h"
#include "events/EventPrimitives.h"
#include "events/FieldStateUse.h"
#include "events/MessageWindow.h"
#include "field/EventState.h"
#include "field/FieldMap.h"
#include "field/FieldServices.h"
#include "field/FieldState.h"
#include "menus/CampState.h"
#include "menus/MenuState.h"
#include "menus/Title.h"


int gTitleCounter = 0;
int gTitleMenuCursor = 1;
std::uint32_t gTitleClock = 0;
std::uint8_t gIntroCrawlSkipped = 0;

namespace {

// The camera sinks over the title town for the length of the crawl.
void keyTitleCamera(GraphicsResources& resources, std::uint32_t now) {
    if (!resources.cameraTrack) return;
    KeyframeTrack& track = *resources.cameraTrack;
    track.setKeyCount(2);
    track.setKey(0, 0.0f, 0.0f, 36.106602f, 20.0f, 11.313708f, 10.0f, 0.0f, 2.0f);
    track.setKey(1, 1.0f, 0.0f, 36.106602f, 1.0f, 11.313708f, 10.0f, 0.0f, 2.0f);
    track.setTrackDuration(30000);
    track.setTrackLooping(0);
    track.setTrackStart(now);
}

}  // namespace

float titleLogoOpacity(int c) {
    if (c < 100) return static_cast<float>(c) / 100.0f;
    if (c < 250) return 1.0f;
    if (c < kTitleLogoFrames) return 1.0f - static_cast<float>(c - 250) / 100.0f;
    return 0.0f;
}

void resetPlayStateAtTitle() {
    clearBattleLinesAtTitle();
    gEventPicture = 0;
    gPictureLoaded = 0;
    gStillPicture = 0;
    gInBattle = 0;
    gMenuPage = 0;
    gPauseCounter = 0;
    gFieldEvent = 0;
    gEventStep = 0;
    gPlayerVisible = 0;
    gTickerPos = 0;
    gTickerSlot = 0;
    gNewsTickerOn = 0;
    gResetConfirmOpen = 0;
    gResetConfirmChoice = 0;
    gCampMenuAllowed = 0;
    gMusicLock = 0;
    gSlowMusicFade = 0;
    gMessageTyped = 0;
    // What a game left behind would otherwise show in the next one: a
    // message window or its pause, the money window, the floor panel, the
    // stone banner, a dimmed field, markers and their frames, queued moves.
    gMessageMode = 0;
    gMessagePausing = 0;
    gMoneyWindow = 0;
    gFloorPanelShown = 0;
    gStoneBannerShown = 0;
    gFieldBrightness = 1.0f;
    for (FieldMarker& marker : gFieldMarkers) {
        marker.present = 0;
        marker.frame = 0;
    }
    for (MoveQueue& queue : gMoveQueues) queue.length = 0;
    gMoveIndex = 0;
}

void runTitleScreen(GraphicsResources& resources, gfx::Device* device) {
    if (device != nullptr) {
        device->setRenderTarget(resources.backBuffer);
        device->clear(gfx::kClearTarget | gfx::kClearDepth | gfx::kClearStencil, 0xFF000000u, 1.0f, 0);
    }
    resetPlayStateAtTitle();

    const int c = ++gTitleCounter;
    float opacity = titleLogoOpacity(c);
    if (c >= kTitleLogoFrames) {
        gScene = 1001;
        gTitleCounter = 0;
        gTitleMenuCursor = 1;
        loadMap(kTitleMap);
        gClearColour[0] = 24;
        gClearColour[1] = 56;
        gClearColour[2] = 216;
        for (float& channel : gFieldTint) channel = 1.0f;
        changeMusic(kMainTheme);
        gTitleClock = gMillisecondClock();
        gIntroCrawlSkipped = 0;
        keyTitleCamera(resources, gTitleClock);
        opacity = 0.0f;
    }

    if (!resources.sprite || !resources.openingLogo) return;
    const gfx::Rect part{0, 0, 200, 40};
    const gfx::Vec2 scale{2.0f, 2.0f};
    const gfx::Vec2 at{120.0f, 180.0f};
    resources.sprite->begin();
    resources.sprite->draw(resources.openingLogo.get(), &part, &scale, nullptr, 0.0f, &at,
                           gfx::colourFromFloats(1.0f, 1.0f, 1.0f, opacity));
    resources.sprite->end();
}

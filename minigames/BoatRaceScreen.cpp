#include "minigames/BoatRaceScreen.h"

#include <cstdio>

#include "battle/EffectMesh.h"
#include "engine/DrawText.h"
#include "engine/GraphicsResources.h"
#include "engine/Input.h"
#include "engine/Scene.h"
#include "engine/Screens.h"
#include "engine/TextFont.h"
#include "engine/TextLayers.h"
#include "minigames/BoatCourseEditor.h"
#include "minigames/BoatRace.h"
#include "minigames/BoatRaceDrawing.h"
#include "minigames/BoatRaceMotion.h"
#include "minigames/BoatRaceState.h"
#include "minigames/BoatRaceTime.h"
#include "platform/Clock.h"

namespace {

constexpr const char* kBannerFace = "Monotype Crosiva";
constexpr const char* kHudFace = "Impact";
constexpr int kCountdownFontHeight = 50;
constexpr int kGoalFontHeight = 70;
constexpr int kHudFontHeight = 15;
// Styles: target * 100 + colour * 10 + alignment.
constexpr int kStyleBanner = 152;  // layer 2, yellow, centred
constexpr int kStyleSpeed = 100;   // layer 2, white, left
constexpr int kStyleTime = 101;    // layer 2, white, right
constexpr int kStyleRecord = 131;  // layer 2, green, right

int nowSeconds() { return static_cast<int>(timing::calendarSeconds()); }

void writeBanner(GraphicsResources& resources, gfx::Device* device, int height, const char* text) {
    if (device == nullptr) return;
    beginTextFont(device, height, kBannerFace);
    drawText(resources, device, gfx::Rect{10, 200, 630, 480}, text, kStyleBanner);
    endTextFont();
}

// Layer 2 over the screen: its shadow at (1, 1), then the layer itself.
void drawLayer2(GraphicsResources& resources, gfx::Device* device) {
    if (device == nullptr || !resources.sprite || !resources.layer2Target) return;
    resources.sprite->begin();
    drawTextLayer(resources, resources.layer2Target.get());
    resources.sprite->end();
}

}  // namespace

void drawRaceCountdown(GraphicsResources& resources, gfx::Device* device) {
    if (device != nullptr) device->setRenderState(gfx::kRsAlphaTestEnable, 0);
    const int left = gRaceClock + 4 - nowSeconds();
    gRaceFrames = 0;
    if (gBoatMeshLoaded == 0) {
        loadEffectMesh(resources, device, 0);
        prefetchRacePictures(resources, device);  // read during the countdown
        gBoatMeshLoaded = 1;
    }
    char text[16];
    if (left > 0) {
        std::snprintf(text, sizeof text, "%d", left);
    } else {
        std::snprintf(text, sizeof text, "Go!");
        gRaceStarted = 1;
    }
    writeBanner(resources, device, kCountdownFontHeight, text);
    gRedrawRequest[0] = 1;
}

void drawRaceGoal(GraphicsResources& resources, gfx::Device* device) {
    const int left = gRaceClock + 2 - nowSeconds();
    writeBanner(resources, device, kGoalFontHeight, "Goal !");
    gRedrawRequest[0] = 1;
    if (left <= 0) returnFromRace();
}

void drawRaceHud(GraphicsResources& resources, gfx::Device* device) {
    const bool draws = device != nullptr;
    char line[64];
    if (draws) {
        beginTextFont(device, kHudFontHeight, kHudFace);
        std::snprintf(line, sizeof line, "Spead %.1f Km/h", static_cast<double>(gBoatSpeed * 3.0f));
        drawText(resources, device, gfx::Rect{10, 20, 640, 480}, line, kStyleSpeed);
    }
    if (gRaceFinished == 0) ++gRaceFrames;
    if (draws) {
        char time[16];
        formatRaceTime(gRaceFrames, time, sizeof time);
        std::snprintf(line, sizeof line, "Time   %s", time);
        drawText(resources, device, gfx::Rect{0, 20, 630, 480}, line, kStyleTime);
        const int best = gRaceCourse < kRaceCourseSlots ? gBestRaceFrames[gRaceCourse] : kNoRaceTime;
        formatRaceTime(best, time, sizeof time);
        std::snprintf(line, sizeof line, "Record %s", time);
        drawText(resources, device, gfx::Rect{0, 35, 630, 480}, line, kStyleRecord);
        endTextFont();
    }
    gRedrawRequest[0] = 1;
}

void runBoatRace(GraphicsResources& resources, gfx::Device* device) {
    if (device != nullptr) {
        device->clear(gfx::kClearTarget | gfx::kClearDepth, kRaceSky, 1.0f, 0);
        if (gRedrawRequest[0] == 1) {
            if (resources.layer2Target) clearTextLayer(resources, device, resources.layer2Target.get());
            gLayer2HasText = 1;
        }
    } else if (gRedrawRequest[0] == 1) {
        gLayer2HasText = 1;
    }

    if (gRaceStarted == 0) drawRaceCountdown(resources, device);
    if (gRaceFinished != 0) drawRaceGoal(resources, device);

    setRaceCamera(resources, device);
    if (gCommandCode >= kEditorRaise && gCommandCode <= kEditorCellType) runCourseEditor(gCommandCode);

    // The camera of the next frame.
    float rotation[9];
    headingRotation(gBoatHeading, rotation);
    placeChaseCamera();

    drawRaceWorld(resources, device, rotation);
    drawRaceHud(resources, device);
    if (gLayer2HasText == 1) drawLayer2(resources, device);

    const float before[3] = {gBoatPos[0], gBoatPos[1], gBoatPos[2]};
    if (gScene == kRaceScene && gRaceStarted != 0 && gRaceFinished == 0) moveBoat(gHeldInput);
    const bool boatMoved = gBoatPos[0] != before[0] || gBoatPos[2] != before[2];
    if (gScene == kRaceScene) updateRaceLeave(gHeldInput, boatMoved);
}

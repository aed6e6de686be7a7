// Frame times of a battle: one whole scene-100 frame (the 3D part, then the
// phase machine with the status panel and the turn-order preview) with six
// enemies and three members, popups counting and effect slots shown, beside
// a bare clear-and-present frame measured in the same run, through the null
// device and through the OpenGL device headless (every GL frame reads the
// back buffer back, the bare one too: the ratio battle / bare is the figure).
//
// Usage: battleFrame [game folder] [frames]   (defaults: build/game, 120)
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <time.h>
#include <vector>

#include "battle/BattleServices.h"
#include "engine/Camera.h"
#include "engine/GraphicsResources.h"
#include "engine/Input.h"
#include "engine/KeyframeTrack.h"
#include "engine/Scene.h"
#include "engine/Screens.h"
#include "engine/TextLayers.h"
#include "gamedata/GameData.h"
#include "gamedata/NewGame.h"
#include "gamedata/PartyStats.h"
#include "platform/Gfx.h"
#include "platform/Window.h"

namespace {

double nowMs() {
    timespec t{};
    clock_gettime(CLOCK_MONOTONIC, &t);
    return t.tv_sec * 1000.0 + t.tv_nsec / 1e6;
}

std::uint32_t gBenchClock = 0;
std::uint32_t benchClock() { return gBenchClock; }
bool silent(const char*) { return true; }

double median(std::vector<double> ms) {
    std::sort(ms.begin(), ms.end());
    return ms[ms.size() / 2];
}

void report(const char* name, std::vector<double> ms) {
    std::sort(ms.begin(), ms.end());
    double sum = 0;
    for (double m : ms) sum += m;
    std::printf("%-28s median %8.3f ms  mean %8.3f ms  max %8.3f ms  (%zu frames)\n", name, ms[ms.size() / 2],
                sum / ms.size(), ms.back(), ms.size());
}

std::vector<double> run(gfx::Device& device, const char* name, int frames, bool readBack,
                        const std::function<void()>& draw) {
    std::vector<double> ms;
    std::vector<std::uint32_t> pixels;
    for (int f = 0; f < frames + 3; ++f) {
        gBenchClock += 16;
        const double start = nowMs();
        device.beginScene();
        device.clear(gfx::kClearTarget | gfx::kClearDepth | gfx::kClearStencil, 0xFF000000u, 1.0f, 0);
        draw();
        device.endScene();
        device.present();
        if (readBack) device.readBackBuffer(pixels);
        const double t = nowMs() - start;
        if (f >= 3) ms.push_back(t);
    }
    report(name, ms);
    return ms;
}

// Six enemies of the first six monster rows and a party of three.
void startBattle() {
    for (int k = 0; k < 6; ++k) gEnemyGroups[0].monsters[k] = 1 + k;
    gEnemyGroups[0].battleType = 0;
    gParty[0] = 1;
    gParty[1] = 2;
    gParty[2] = 3;
    for (int unit = 1; unit <= 3; ++unit) {
        gPartyMembers[unit].level = 20;
        gPartyMembers[unit].hp = computeUnitStat(unit, kStatMaxHp);
        gPartyMembers[unit].stones[0] = 1;
    }
    resetBattleRecords();
    resetTextLayers();
    setUpBattle(0);
    gScene = 100;
    gBattleAction.phase = kPhaseCommand;
    gBattleAction.actingSide = kSideParty;
}

void battleFrame(GraphicsResources& resources, gfx::Device& device, int frame) {
    // A member's command menu stays open; hits keep landing on the enemies
    // and three effect billboards move, so popups and effects always show.
    if (!anyDamagePopupCounting())
        for (int k = 0; k < 6; ++k) resolveEffect(kSideParty, 0, kSideEnemy, k, 0, 0, kEffectFixed);
    for (int i = 0; i < 3; ++i) {
        EffectSlot& slot = gEffectSlots[i];
        slot.active = 1;
        slot.kind = i;
        slot.row = 1;
        slot.x = 12.0f + static_cast<float>((frame + 7 * i) % 40) * 0.1f;
        slot.y = 1.0f;
        slot.z = 6.0f + 4.0f * static_cast<float>(i);
    }
    gInputCode = frame % 30 == 0 ? kInputDown : kInputNone;
    gBattleAction.phase = kPhaseCommand;
    drawBattleScene(resources, &device);
    runBattleFrame(resources, &device);
    drawBattleEffects(resources, &device);
}

void benchDevice(gfx::Device& device, GraphicsResources& resources, const char* label, int frames, bool readBack) {
    std::printf("-- %s\n", label);
    const std::vector<double> bare = run(device, "bare", frames, readBack, [] {});
    startBattle();
    int frame = 0;
    const std::vector<double> battle =
        run(device, "battle (6 enemies, 3 members)", frames, readBack, [&] { battleFrame(resources, device, frame++); });
    if (median(bare) > 0.01) std::printf("ratio battle / bare %.2f\n", median(battle) / median(bare));
}

}  // namespace

int main(int argc, char** argv) {
    const char* folder = argc > 1 ? argv[1] : "build/game";
    const int frames = argc > 2 ? std::max(1, std::atoi(argv[2])) : 120;
    if (chdir(folder) != 0) {
        std::fprintf(stderr, "battleFrame: no game folder %s\n", folder);
        return 1;
    }
    gMillisecondClock = benchClock;
    gBattleSound = silent;
    if (loadGameData() != 0) {
        std::fprintf(stderr, "battleFrame: no Data.dat in %s\n", folder);
        return 1;
    }
    {
        auto device = gfx::createNullDevice(gfx::DeviceOptions{});
        GraphicsResources resources;
        if (createGraphicsResources(resources, device.get()) < 0) {
            resources.quadVertices = device->createVertexBuffer(4);
            resources.sprite = device->createSprite();
            if (!resources.cameraTrack) resources.cameraTrack = std::make_unique<KeyframeTrack>();
        }
        benchDevice(*device, resources, "null device", frames, false);
        releaseGraphicsResources(resources);
    }

    setenv("SDL_VIDEODRIVER", "offscreen", 0);
    window::WindowOptions options;
    options.hidden = true;
    if (!window::openWindow(options)) {
        std::fprintf(stderr, "battleFrame: no hidden window (SDL_VIDEODRIVER=offscreen)\n");
        return 1;
    }
    gfx::DeviceOptions deviceOptions;
    deviceOptions.paced = false;
    int result = 0;
    auto device = gfx::createGlDevice(deviceOptions, &result);
    if (!device) {
        std::fprintf(stderr, "battleFrame: no OpenGL device (%d)\n", result);
        return 1;
    }
    GraphicsResources resources;
    if (createGraphicsResources(resources, device.get()) < 0) {
        std::fprintf(stderr, "battleFrame: the graphics resources did not load from %s\n", folder);
        return 1;
    }
    benchDevice(*device, resources, "OpenGL device, headless", frames, true);
    releaseGraphicsResources(resources);
    device.reset();
    window::closeWindow();
    return 0;
}

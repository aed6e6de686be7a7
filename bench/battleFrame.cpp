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

#include "bench/FrameTiming.h"
#include "battle/BattleServices.h"
#include "engine/Camera.h"
#include "engine/GraphicsResources.h"
#include "engine/Input.h"
#include "engine/KeyframeTrack.h"
#include "engine/Scene.h"
#include "engine/Screens.h"
#include "engine/TextLayers.h"
#include "field/Transitions.h"
#include "gamedata/GameData.h"
#include "gamedata/NewGame.h"
#include "gamedata/PartyStats.h"
#include "platform/Gfx.h"
#include "platform/Window.h"

namespace {

std::uint32_t gBenchClock = 0;
std::uint32_t benchClock() { return gBenchClock; }
bool silent(const char*) { return true; }

// Six enemies of the first six monster rows and a party of three.
// The battle's set-up, then the frames of the transition before it, in
// which the battle's pictures are read (prefetch).
void startBattle(GraphicsResources& resources, gfx::Device& device) {
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
    prefetchBattlePictures(resources, &device);
    bench::untimedFrames(device, kBattleTransitionFrames);
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

void benchDevice(gfx::Device& device, GraphicsResources& resources, const char* label, const char* deviceName,
                 int frames, bool readBack) {
    std::printf("-- %s\n", label);
    const bench::FrameEnd end = readBack ? bench::FrameEnd::readBack : bench::FrameEnd::none;
    const auto tick = [] { gBenchClock += 16; };
    const std::vector<double> bare = bench::timeFrames(device, "bare", frames, end, [] {}, tick);
    startBattle(resources, device);
    int frame = 0;
    const std::vector<double> battle = bench::timeFrames(
        device, "battle (6 enemies, 3 members)", frames, end, [&] { battleFrame(resources, device, frame++); }, tick);
    bench::summary("battle", deviceName, bare, battle);
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
        bench::createNullResources(resources, *device);
        benchDevice(*device, resources, "null device", "null", frames, false);
        releaseGraphicsResources(resources);
    }

    auto device = bench::openHeadlessGlDevice("battleFrame");
    if (!device) return 1;
    GraphicsResources resources;
    if (createGraphicsResources(resources, device.get()) < 0) {
        std::fprintf(stderr, "battleFrame: the graphics resources did not load from %s\n", folder);
        return 1;
    }
    benchDevice(*device, resources, "OpenGL device, headless", "gl", frames, true);
    releaseGraphicsResources(resources);
    device.reset();
    window::closeWindow();
    return 0;
}

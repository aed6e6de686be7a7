// A battle on the null device: small hand-made tables (two monster kinds,
// a few groups, one level-0 weapon skill per member), a party of three, the
// clocks fixed, the battle's sounds recorded, and frames driven with
// scripted input under a budget.
#pragma once

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "battle/BattleServices.h"
#include "engine/Camera.h"
#include "engine/Config.h"
#include "engine/GraphicsResources.h"
#include "engine/Input.h"
#include "engine/KeyframeTrack.h"
#include "engine/Music.h"
#include "engine/Random.h"
#include "engine/Scene.h"
#include "engine/Sound.h"
#include "engine/Screens.h"
#include "engine/TextLayers.h"
#include "field/EventState.h"
#include "events/MessageWindow.h"
#include "gamedata/GameData.h"
#include "gamedata/PartyStats.h"
#include "platform/Clock.h"
#include "platform/Gfx.h"

namespace battletest {

inline std::uint32_t gTestMs = 0;
inline std::uint32_t testMs() { return gTestMs; }
inline std::vector<std::string> gSounds;
inline bool recordSound(const char* name) {
    gSounds.emplace_back(name);
    return true;
}

// Group numbers of the fixture's tables.
constexpr int kGroupTwoSlimes = 5;   // two weak monsters in slots 0 and 1
constexpr int kGroupOgre = 6;        // one monster nobody can hurt much, hitting hard
constexpr int kGroupNoEscape = 7;    // battle type 1
constexpr int kSlime = 1;
constexpr int kOgre = 2;

inline void fillTables() {
    MonsterRecord& slime = gMonsters[kSlime];
    std::strcpy(slime.name, "スライム");
    slime.hp = 30;
    slime.experience = 7;
    slime.money = 11;
    slime.attack = 10;
    slime.defence = 5;
    slime.magic = 5;
    slime.magicDefence = 5;
    slime.speed = 5;
    slime.sprite = 20;
    slime.card = kNoCard;

    MonsterRecord& ogre = gMonsters[kOgre];
    std::strcpy(ogre.name, "オーガ");
    ogre.hp = 99999;
    ogre.experience = 100;
    ogre.money = 50;
    ogre.attack = 5000;
    ogre.defence = 5000;
    ogre.magic = 10;
    ogre.magicDefence = 5000;
    ogre.speed = 500;
    ogre.sprite = 21;
    ogre.card = 12;

    for (int g : {kGroupTwoSlimes, kGroupNoEscape}) {
        gEnemyGroups[g].monsters[0] = kSlime;
        gEnemyGroups[g].monsters[1] = kSlime;
        std::strcpy(gEnemyGroups[g].musicTitle, "battle-song");
    }
    gEnemyGroups[kGroupNoEscape].battleType = 1;
    gEnemyGroups[kGroupOgre].monsters[0] = kOgre;
    std::strcpy(gEnemyGroups[kGroupOgre].musicTitle, "battle-song");
    for (int g : {30, 40, 57}) {
        gEnemyGroups[g].monsters[0] = kOgre;
        std::strcpy(gEnemyGroups[g].musicTitle, "battle-song");
    }

    // One level-0 weapon skill per weapon category, range 0.
    for (int c = 0; c < 10; ++c) {
        WeaponSkillRow& row = gWeaponSkills[c];
        std::strcpy(row.name, "斬り");
        row.category = c;
        row.level = 0;
        row.bonusBase = 3;
        row.range = 0;
    }
    for (int r = 10; r < kWeaponSkillCount; ++r) gWeaponSkills[r].category = -1;
    for (int r = 0; r < kStoneSkillCount; ++r) gStoneSkills[r].attribute = -1;
}

inline void fillParty() {
    gParty[0] = 1;
    gParty[1] = 2;
    gParty[2] = 3;
    for (int unit = 1; unit <= 5; ++unit) {
        PartyMember& m = gPartyMembers[unit];
        m.level = 30;
        std::memset(m.equipment, 0, sizeof m.equipment);
        m.stones[0] = m.stones[1] = 0;
        m.hp = computeUnitStat(unit, kStatMaxHp);
        m.sp = computeUnitStat(unit, kStatMaxSp);
    }
}

// The next randomThousand without drawing it.
inline int peekRandom() {
    const int saved = gRandomLast;
    const int r = randomThousand();
    gRandomLast = saved;
    return r;
}

class BattleTest : public ::testing::Test {
protected:
    std::unique_ptr<gfx::Device> device;
    GraphicsResources resources;

    void SetUp() override {
        resetGameDataState();
        resetBattleRecords();
        resetInput();
        resetTextLayers();
        resetConfig();
        resetMusicState();
        resetMessageWindow();
        std::memset(gStoryFlags, 0, sizeof gStoryFlags);
        gScene = 10;
        gRandomLast = 0;
        timing::setCalendarClock([] { return std::int64_t{1700000000}; });
        gTestMs = 5000;
        gMillisecondClock = testMs;
        gSounds.clear();
        gBattleSound = recordSound;
        fillTables();
        fillParty();
        device = gfx::createNullDevice(gfx::DeviceOptions{});
        resources.cameraTrack = std::make_unique<KeyframeTrack>();
        resources.quadVertices = device->createVertexBuffer(4);
        resources.sprite = device->createSprite();
        resources.layer1Target = device->createRenderTarget(640, 480, gfx::TextureFormat::A8R8G8B8);
        resources.layer2Target = device->createRenderTarget(640, 480, gfx::TextureFormat::A8R8G8B8);
    }
    void TearDown() override {
        gMillisecondClock = timeGetTimeMs;
        timing::setCalendarClock({});
        gBattleSound = playSoundEffect;
    }

    // One frame of scene 100 with this input code.
    void frame(int input = kInputNone) {
        gInputCode = input;
        drawBattleScene(resources, device.get());
        runBattleFrame(resources, device.get());
        gTestMs += 16;
    }
    // Frames with no input until done() holds; false when the budget ran out.
    template <typename Done>
    bool framesUntil(int budget, Done done, int input = kInputNone) {
        for (int i = 0; i < budget; ++i) {
            if (done()) return true;
            frame(input);
        }
        return done();
    }
    bool soundPlayed(const char* name) const {
        for (const std::string& s : gSounds)
            if (s == name) return true;
        return false;
    }
    static int hpOf(int slot) { return gPartyMembers[gParty[slot]].hp; }
};

}  // namespace battletest

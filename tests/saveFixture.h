// A fresh working folder for each save test, a fixed calendar clock, and a
// play state in which every saved field holds a value of its own, so that a
// field swapped, skipped or misplaced by the writer or the reader shows.
#pragma once

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "engine/Music.h"
#include "events/EventEngine.h"
#include "events/EventPrimitives.h"
#include "events/FieldStateUse.h"
#include "field/EventState.h"
#include "field/FieldMap.h"
#include "field/FieldState.h"
#include "gamedata/GameData.h"
#include "gamedata/SaveFile.h"
#include "menus/CampState.h"
#include "menus/MenuState.h"
#include "minigames/BoatRaceState.h"
#include "platform/Clock.h"
#include "story/StoryState.h"


constexpr std::int64_t kSaveTestNow = 1800000000;

inline void resetPlayStateForSaveTests() {
    resetGameDataState();
    resetFieldState();
    resetFieldMap();
    resetStoryState();
    resetEventEngine();
    resetEventPrimitives();
    resetMusicState();
    resetSaveState();
    std::memset(gSavePlaceName, 0, kSaveTextSize);
    std::memset(gStoryFlags, 0, sizeof gStoryFlags);
    std::memset(gBestRaceFrames, 0, sizeof gBestRaceFrames);
    gCurrentMap = 0;
    gFieldEvent = 0;
    gEventStep = 0;
    gCampMenuAllowed = 0;
    gTickerPos = 0;
    gTickerSlot = 0;
    gNewsTickerOn = 0;
}

// Every saved field set to a value derived from `seed`, all in range.
inline void fillDistinctPlayState(int seed) {
    gPartyMembers[1].level = 40 + seed;
    gPlaySeconds = 3000 + seed;
    gSessionStart = static_cast<int>(kSaveTestNow) - 725;  // 725 seconds into this stretch
    for (int k = 0; k < kStoneFlagCount; ++k) gStoneFlags[k] = static_cast<std::uint8_t>((k + seed) % 3);
    std::snprintf(gSavePlaceName, kSaveTextSize, "宿屋の二階 %d", seed);
    gCurrentMap = 72;
    std::snprintf(gLocationName, sizeof gLocationName, "港町 %d", seed);
    gClearColour[0] = 11;
    gClearColour[1] = 22;
    gClearColour[2] = static_cast<std::uint8_t>(33 + seed);
    gSavedBattleBackground = 0;
    gBattleBackground = 5 + seed % 10;
    gFieldEvent = 12 + seed;
    gEventStep = 7 + seed;
    gCampMenuAllowed = 1;
    gCameraTarget[0] = 10.5f;
    gCameraTarget[1] = 2.25f + static_cast<float>(seed);
    gCameraTarget[2] = -3.125f;
    for (int r = 0; r < kMapRows; ++r) {
        for (int c = 0; c < kMapColumns; ++c) {
            MapCell& cell = gMapCells[r][c];
            cell.blocked = static_cast<std::uint8_t>((r + c + seed) % 3);
            cell.height = 0.25f * static_cast<float>((r * 7 + c + seed) % 40);
            cell.floorColumn = (r + seed) % 20;
            cell.floorRow = c % 10;
            cell.wallColumn = (c + 3) % 20;
            cell.wallRow = (r + 5) % 10;
            cell.objectLink = static_cast<std::uint8_t>((r * 60 + c) % 151);
        }
    }
    for (int i = 0; i < kMapObjectCount; ++i) {
        MapObject& o = gMapObjects[i];
        o.present = static_cast<std::uint8_t>(i % 2);
        o.kind = static_cast<std::uint8_t>(i % 7 == 6 ? kObjectChest : i % 7);
        o.visible = static_cast<std::uint8_t>((i + 1) % 2);
        o.character = i * 3 + seed;
        o.pose = i % 9;
        o.x = 1.5f + static_cast<float>(i);
        o.y = 0.75f;
        o.z = -static_cast<float>(i) * 0.5f;
        o.height = 0.125f * static_cast<float>(i % 4);
        o.facing = static_cast<std::uint8_t>(i % 2);
        o.spare = 0.0625f * static_cast<float>(i);
        o.chaseSpeed = i % 5 == 0 ? 0.05f : 0.0f;
        o.index = (i * 37 + seed) % 256;
    }
    gPlayerVisible = 1;
    gPlayerSpriteColumn = 4 + seed;
    gPlayerPose = 2;
    gPlayerPos[0] = 26.5f;
    gPlayerPos[1] = 1.75f;
    gPlayerPos[2] = 37.25f + static_cast<float>(seed);
    gPlayerVSpeed = -0.125f;
    gPlayerFacing = 1;
    gFieldTick = 5;
    gMoney[0] = 1234 + seed;
    gMoney[1] = 567;
    gMoney[2] = 89;
    gRegionCurrency = 2;
    gShopPoints = 321;
    gParty[0] = 4;
    gParty[1] = 1;
    gParty[2] = 3;
    for (int i = 0; i < kReservedSaveByteCount; ++i) gReservedSaveBytes[i] = static_cast<std::uint8_t>(i + seed);
    for (int i = 0; i < kItemCount; ++i) {
        gItemStock[i].owned = (i * 13 + seed) % 50;
        gItemStock[i].equipped = i % 3;
    }
    for (int i = 0; i < 1000; ++i) {
        gStoryFlags[i] = static_cast<std::uint8_t>((i * 7 + seed) % 5);
        gChestFlags[i] = static_cast<std::uint8_t>((i + seed) % 2);
    }
    gStoryFlags[81] = 0;
    std::snprintf(gCurrentSong, sizeof gCurrentSong, "港町の歌 %d", seed);
    std::snprintf(gRememberedSong, sizeof gRememberedSong, "草原 %d", seed);
    gRememberedSongPos = 4096 + seed;
    for (int u = 0; u < kUnitCount; ++u) {
        PartyMember& m = gPartyMembers[u];
        if (u != 1) m.level = 10 + u + seed;
        m.experience = 1000 * u + seed;
        m.hp = 100 + u;
        m.sp = 20 + u;
        for (int k = 0; k < 4; ++k) {
            m.skillCounts[k][0] = u * 10 + k;
            m.skillCounts[k][1] = u * 10 + k + 5;
        }
        for (int k = 0; k < 4; ++k) m.equipment[k] = (u * 20 + k * 7 + seed) % kItemCount;
        m.stones[0] = u % 9;
        m.stones[1] = (u + 4) % 9;
    }
    for (int i = 0; i < kCardCount; ++i) {
        gCardStock[i].count = i % 4;
        gCardStock[i].known = static_cast<std::uint8_t>(i % 2);
        gCardStock[i].holder = static_cast<std::uint8_t>((i * 3 + seed) % 40);
    }
    gEventPicture = 1;
    gPictureLoaded = 1;
    gEventPictureNumber = 9;
    gFieldTint[0] = 0.5f;
    gFieldTint[1] = 0.25f;
    gFieldTint[2] = 0.75f;
    gFieldTint[3] = 1.0f;
    for (int i = 0; i < 5; ++i) gBestRaceFrames[i] = 3600 + i * 100 + seed;
    gBodyguardHired[0] = 0;
    gBodyguardHired[1] = 1;
    gBodyguardHired[2] = 2;
    gBodyguardHired[3] = 1;
    gFormation = 7;
    gFormationOrder = 4;
    for (int i = 0; i < kBodyguardCount; ++i) gBodyguards[i].hp = 900 + i + seed;
    gCumulativeSales = 55555 + seed;
    gLoan = 20000;
    for (int i = 0; i < kCurrencyCount; ++i) {
        gExchangeRates[i].rate = 100 - 20 * i + seed;
        gExchangeRates[i].falling = static_cast<std::uint8_t>(i % 2);
        gExchangeRates[i].halted = static_cast<std::uint8_t>(i == 2);
        gExchangeRates[i].spare = 70 + i;
    }
    gFieldTintActive = 1;
}

class SaveFolderTest : public ::testing::Test {
protected:
    void SetUp() override {
        char here[4096];
        ASSERT_NE(getcwd(here, sizeof here), nullptr);
        previous_ = here;
        char pattern[] = "/tmp/corvadine-saves-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        folder_ = pattern;
        ASSERT_EQ(chdir(folder_.c_str()), 0);
        timing::setCalendarClock([] { return kSaveTestNow; });
        resetPlayStateForSaveTests();
    }
    void TearDown() override {
        timing::setCalendarClock({});
        resetPlayStateForSaveTests();
        ASSERT_EQ(chdir(previous_.c_str()), 0);
        std::system(("rm -rf '" + folder_ + "'").c_str());
    }

    static std::vector<std::uint8_t> readBytes(const std::string& path) {
        std::vector<std::uint8_t> bytes;
        std::FILE* f = std::fopen(path.c_str(), "rb");
        if (!f) return bytes;
        int c;
        while ((c = std::fgetc(f)) != EOF) bytes.push_back(static_cast<std::uint8_t>(c));
        std::fclose(f);
        return bytes;
    }
    static void writeBytes(const std::string& path, const std::vector<std::uint8_t>& bytes) {
        std::FILE* f = std::fopen(path.c_str(), "wb");
        ASSERT_NE(f, nullptr);
        if (!bytes.empty()) {
            ASSERT_EQ(std::fwrite(bytes.data(), 1, bytes.size(), f), bytes.size());
        }
        std::fclose(f);
    }
    // The bytes a save of the current state would hold.
    static std::vector<std::uint8_t> currentStateBytes() {
        auto state = std::make_unique<SaveState>();
        captureSaveState(*state);
        std::vector<std::uint8_t> bytes(kSaveFileSize);
        encodeSaveState(*state, bytes.data());
        return bytes;
    }

    std::string previous_;
    std::string folder_;
};

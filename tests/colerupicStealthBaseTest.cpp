// The stealth base on its real maps: the moving platforms and the guards who
// ride them, the floors' scenes, もろこし's shop and the laboratory's end of
// episode 6 on both routes.
#include <gtest/gtest.h>

#include <deque>
#include <string>
#include <vector>

#include "story/MapScripts.h"
#include "story/StoryFlags.h"
#include "tests/colerupicStealthFixture.h"

using colerupictest::ColerupicField;
using story1test::Played;

namespace {

bool isPlatform(const MapCell& cell) {
    return cell.floorRow == 3 && cell.floorColumn >= 14 && cell.floorColumn <= 16;
}

// Cells the player can reach over the floors while the platforms move: a
// platform cell takes any height from 3 to 10, so it joins whatever floor
// beside it lies in that range.
std::vector<std::vector<bool>> reachableWithPlatforms(int row, int col) {
    std::vector<std::vector<bool>> reached(kMapRows, std::vector<bool>(kMapColumns, false));
    std::vector<std::vector<bool>> stop(kMapRows, std::vector<bool>(kMapColumns, false));
    for (int s = 0; s < kMapObjectCount; ++s) {
        const MapObject& o = gMapObjects[s];
        if (o.present && (o.kind == 1 || o.kind == 3 || o.kind == 4)) stop[gObjectCells[s][0]][gObjectCells[s][1]] = true;
    }
    std::deque<std::pair<int, int>> queue{{row, col}};
    reached[row][col] = true;
    while (!queue.empty()) {
        const auto [r, c] = queue.front();
        queue.pop_front();
        const MapCell& from = gMapCells[r][c];
        const int steps[4][2] = {{1, 0}, {-1, 0}, {0, 1}, {0, -1}};
        for (const auto& d : steps) {
            const int nr = r + d[0], nc = c + d[1];
            if (!cellInsideGrid(nr, nc) || reached[nr][nc] || stop[nr][nc]) continue;
            const MapCell& next = gMapCells[nr][nc];
            if (next.height <= 0.0f || next.blocked) continue;
            const float top = isPlatform(from) ? 10.0f : from.height;
            const float low = isPlatform(next) ? 3.0f : next.height;
            if (low > top + 1.0f) continue;
            reached[nr][nc] = true;
            queue.push_back({nr, nc});
        }
    }
    return reached;
}

// Whether the cell of `slot` or one of the eight around it is reached. The
// platforms' rides are not walked here: this is the floors' connectivity,
// not the player's own feet (mapwalk walks those from each arrival).
bool besideReached(const std::vector<std::vector<bool>>& reached, int slot) {
    const int r = gObjectCells[slot][0], c = gObjectCells[slot][1];
    for (int dr = -1; dr <= 1; ++dr)
        for (int dc = -1; dc <= 1; ++dc)
            if (cellInsideGrid(r + dr, c + dc) && reached[r + dr][c + dc]) return true;
    return false;
}

struct StealthBase : ColerupicField {
    void SetUp() override {
        ColerupicField::SetUp();
        gParty[0] = 1;
        gParty[1] = 2;
        gParty[2] = 3;
        gStoryFlags[flag::kColerupicSealed] = 0;
    }
};

}  // namespace

TEST_F(StealthBase, EveryFloorReachesItsStairsChestsAndSceneRowsOverThePlatforms) {
    struct Case {
        int map, row, col;
        std::vector<int> slots;
    };
    gStoryFlags[28] = 2;
    const Case cases[] = {
        {65, 36, 52, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11}},
        {66, 16, 8, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 23}},
        {67, 7, 32, {0, 1, 2, 6, 7, 24, 25, 26}},
        {67, 46, 36, {3, 4, 5, 8, 9}},
        {68, 19, 28, {0, 1, 2, 5, 20, 14, 15, 16}},
        {68, 46, 12, {3, 4, 6}},
        {69, 26, 33, {0, 1, 2, 6, 18, 19, 20}},
        {69, 43, 10, {3, 4, 5, 7, 8, 17}},
        {70, 11, 15, {0, 1, 2}},
    };
    for (const Case& c : cases) {
        arrive(c.map, c.row, c.col, 0, 1);
        const auto reached = reachableWithPlatforms(c.row, c.col);
        for (int slot : c.slots) EXPECT_TRUE(besideReached(reached, slot)) << "map " << c.map << " slot " << slot;
    }
}

TEST_F(StealthBase, PlatformsTurnAtTheirEndsAndCarryTheirGuards) {
    arrive(66, 16, 8, 0, 1);
    EXPECT_EQ(gStoryFlags[900], 1) << "a platform loaded at 3.0 turns up at once";
    const MapCell& cell = gMapCells[36][29];
    EXPECT_FLOAT_EQ(cell.height, 3.03125f);
    EXPECT_FLOAT_EQ(gMapCells[37][30].height, 3.03125f) << "the whole group moves together";
    EXPECT_FLOAT_EQ(gMapObjects[21].y, 3.03125f) << "the guard on the platform rides it";
    float top = 0.0f;
    int turns = 0;
    std::uint8_t last = gStoryFlags[900];
    for (int frame = 0; frame < 448; ++frame) {
        setupMap66(0);
        if (cell.height > top) top = cell.height;
        if (gStoryFlags[900] != last) ++turns;
        last = gStoryFlags[900];
    }
    EXPECT_FLOAT_EQ(top, 10.0f);
    EXPECT_EQ(turns, 2);
    EXPECT_FLOAT_EQ(cell.height, 3.03125f) << "a full cycle is 448 frames";
    EXPECT_FLOAT_EQ(gMapObjects[21].y, cell.height);
    EXPECT_EQ(gCameraSnap, 1);

    // Entering B2 again resets the directions; B3 keeps them.
    gStoryFlags[902] = 1;
    arrive(67, 7, 32, 0, 1);
    EXPECT_EQ(gStoryFlags[902], 1);
    EXPECT_FLOAT_EQ(gMapCells[35][33].height, 3.03125f);
}

TEST_F(StealthBase, EntranceFightLeadsIntoTheBaseAndTheTownFadesOnTheWayOut) {
    gStoryFlags[flag::kArrivalFadeDue] = 1;
    arrive(62, 36, 42, 0, 1);
    gFieldTint[0] = gFieldTint[1] = gFieldTint[2] = 0.0f;
    arrive(65, 36, 52, 1, 1);
    EXPECT_EQ(gRequestedSong[0], '\0') << "silence until the fight";
    Played played = playNoting(40000, [] { return gFieldEvent == 0 && gStoryFlags[flag::kArrivalFadeDue] == 0; });
    ASSERT_TRUE(played.finished) << "event " << gFieldEvent << " step " << gEventStep;
    ASSERT_EQ(played.battles.size(), 1u);
    EXPECT_EQ(gStoryFlags[28], 2);
    EXPECT_STREQ(gRequestedSong, "【チャプター６】ステルスベース.mid");
    EXPECT_FLOAT_EQ(gFieldTint[0], 1.0f);
    EXPECT_EQ(gMapObjects[28].kind, 0);
    EXPECT_EQ(gMapObjects[29].visible, 0);
    for (int slot = 12; slot <= 27; ++slot) {
        EXPECT_EQ(gMapObjects[slot].kind, 5);
        EXPECT_EQ(gMapObjects[slot].index, 45 + slot % 5);
        EXPECT_EQ(gMapObjects[slot].character, slot % 2 == 1 ? 29 : 30);
    }

    touch(0);
    played = playNoting(500, [] { return gFieldEvent == 0 && gCurrentMap == 62; });
    ASSERT_TRUE(played.finished);
    EXPECT_NEAR(gFieldTint[0], 0.5f, 0.001f) << "the sealed town is grey";
    EXPECT_EQ(playerRow(), 36);

    // Once the town is restored the way out needs no fade.
    gStoryFlags[flag::kColerupicSealed] = 2;
    arrive(65, 36, 52, 1, 1);
    touch(1);
    played = play(5, [] { return gCurrentMap == 62; });
    EXPECT_TRUE(played.finished);
    EXPECT_EQ(gDialogueMisses, 0);
}

TEST_F(StealthBase, PlanAndArchiveScenesPlayOnceFromTheirRows) {
    arrive(67, 7, 32, 0, 1);
    touch(25);
    Played played = play(10, [] { return gFieldEvent == 0; });
    ASSERT_EQ(played.maps, (std::vector<int>{67}));
    EXPECT_EQ(gStoryFlags[52], 1);
    EXPECT_EQ(gRequestedSong[0], '\0');
    played = playScene();
    ASSERT_TRUE(played.finished) << "plan step " << gEventStep;
    EXPECT_EQ(gStoryFlags[52], 2);
    EXPECT_EQ(gPlayerVisible, 1);
    EXPECT_EQ(gMapObjects[24].kind, 0);
    EXPECT_EQ(gMapObjects[27].visible, 0);

    arrive(68, 19, 28, 0, 1);
    touch(14);
    played = play(10, [] { return gFieldEvent == 0; });
    ASSERT_EQ(played.maps, (std::vector<int>{68}));
    played = playScene();
    ASSERT_TRUE(played.finished) << "archive step " << gEventStep;
    EXPECT_EQ(gStoryFlags[53], 2);
    EXPECT_TRUE(said("部長の名前は……マーティ。"));
    EXPECT_EQ(gMapObjects[14].kind, 0);
    EXPECT_EQ(gDialogueMisses, 0);
}

TEST_F(StealthBase, MerchantMeetsThePartyOpensHisShopAndStaysToTrade) {
    arrive(69, 26, 33, 0, 1);
    touch(19);
    Played played = play(10, [] { return gFieldEvent == 0; });
    ASSERT_EQ(played.maps, (std::vector<int>{69}));
    EXPECT_EQ(gStoryFlags[29], 1);
    played = playScene();
    ASSERT_TRUE(played.finished) << "merchant step " << gEventStep;
    ASSERT_EQ(played.shops.size(), 1u);
    EXPECT_EQ(played.shops[0].label, "もろこし屋－ステルスベース");
    EXPECT_EQ(played.shops[0].kind, 10);
    EXPECT_EQ(played.shops[0].goods[0], 86);
    EXPECT_EQ(gStoryFlags[29], 2);
    EXPECT_EQ(gMapObjects[17].kind, 3);
    EXPECT_EQ(gMapObjects[18].kind, 0);

    played = talkTo(17);
    ASSERT_TRUE(played.finished);
    EXPECT_EQ(played.shops.size(), 1u);
    EXPECT_EQ(gDialogueMisses, 0);
}

TEST_F(StealthBase, StairsDownReachTheLaboratorysSceneOnlyBeforeIt) {
    for (int lab : {0, 3}) {
        gStoryFlags[30] = static_cast<std::uint8_t>(lab);
        arrive(69, 55, 10, 1, 1);
        touch(4);
        const Played played = play(10, [] { return gFieldEvent == 0 && gScene == 0; });
        ASSERT_EQ(played.maps, (std::vector<int>{70}));
        EXPECT_EQ(playerRow(), lab == 0 ? 23 : 11);
        EXPECT_EQ(gPlayerVisible, lab == 0 ? 0 : 1);
    }
    EXPECT_EQ(gMapObjects[3].kind, 0) << "the laboratory is empty after the episode";
    EXPECT_EQ(gMapObjects[8].visible, 0);
}

namespace {

struct Laboratory : StealthBase {
    // Plays the laboratory from the arrival to the town, answering the route
    // choices and the save offer with `answers`.
    Played playEpisodeEnd(std::vector<int> answers) {
        gStoryFlags[30] = 0;
        for (int stone = 0; stone < 8; ++stone) gStoneFlags[stone] = 1;
        arrive(70, 23, 15, 0, 0);
        EXPECT_EQ(gFieldMarkers[5].present, 1);
        choices = answers;
        return playNoting(120000, [] { return gCurrentMap == 62 && gScene == 0; });
    }
};

}  // namespace

TEST_F(Laboratory, ThoseWhoWalkOffLeaveByTheStairsNotOntoTheWall) {
    gStoryFlags[30] = 0;
    arrive(70, 23, 15, 0, 0);
    choices = {1, 1, 1, 1};
    const Played played = play(60000, [] { return gCurrentMap == 70 && gEventStep >= 160; });
    ASSERT_TRUE(played.finished) << "step " << gEventStep;
    // セレン, サンレイズ and クレイバー walked off while the party stays.
    for (int slot : {6, 8, 9}) EXPECT_EQ(gMapObjects[slot].visible, 0) << slot;
    for (int slot : {3, 4, 5}) EXPECT_EQ(gMapObjects[slot].visible, 1) << slot;
}

TEST_F(Laboratory, ThreeRefusalsTakeTheRulenoRouteAndGiveAwayFourStones) {
    const Played played = playEpisodeEnd({1, 1, 1, 1});  // and no save
    ASSERT_TRUE(played.finished) << "step " << gEventStep;
    ASSERT_EQ(played.battles.size(), 2u);
    EXPECT_TRUE(played.saves.empty());
    EXPECT_EQ(gStoryFlags[flag::kRoute], 2);
    EXPECT_EQ(gStoryFlags[30], 3);
    EXPECT_EQ(gStoryFlags[flag::kColerupicSealed], 1);
    EXPECT_EQ(gStoneFlags[0], 1) << "磁界石 stays hers";
    for (int stone = 1; stone <= 5; ++stone) EXPECT_EQ(gStoneFlags[stone], 2) << stone;
    EXPECT_EQ(gEventPictureNumber, 12);
    EXPECT_TRUE(said("次の目的地は、ルレノキングダム！"));
    EXPECT_EQ(playerRow(), 19);
    EXPECT_EQ(playerColumn(), 15);
    EXPECT_EQ(gDialogueMisses, 0);
}

TEST_F(Laboratory, AYesAtTheThirdChoiceStillTakesTheTowerRouteAndSaves) {
    const Played played = playEpisodeEnd({1, 1, 0, 0});  // save
    ASSERT_TRUE(played.finished) << "step " << gEventStep;
    ASSERT_EQ(played.saves.size(), 1u);
    EXPECT_EQ(played.saves[0].label, "エピソード６　完");
    EXPECT_EQ(gStoryFlags[flag::kRoute], 1);
    EXPECT_EQ(gStoneFlags[5], 2);
    for (int stone = 0; stone <= 4; ++stone) EXPECT_EQ(gStoneFlags[stone], 1) << stone;
    EXPECT_EQ(gEventPictureNumber, 9) << "the tower route keeps its picture";
    EXPECT_TRUE(said("次はセントラルトルムだね。"));
    EXPECT_FALSE(said("火炎石、疾風石、氷河石、黄金石……。"));
    EXPECT_EQ(gDialogueMisses, 0);
}

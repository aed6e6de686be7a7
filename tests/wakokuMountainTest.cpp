// 和国 and the mountain 仙人の山 on their real maps: the fall onto the beach
// and リュウヒ joining, the town's exits, shops, duels and tournament, the
// tavern theft, the free bed, the graveyard's sword, the slopes' symbols and
// the cliff and mountain-top scenes to the end of episode 5 and the
// departure. Duels, the camp menu and battles are stood in for.
#include <gtest/gtest.h>

#include <cstring>
#include <deque>
#include <string>
#include <vector>

#include "battle/BattleRecords.h"
#include "engine/Music.h"
#include "events/EventPrimitives.h"
#include "field/Overlays.h"
#include "minigames/CardDuelSetup.h"
#include "minigames/CardDuelState.h"
#include "story/StoryFlags.h"
#include "story/StoryState.h"
#include "tests/story1Fixture.h"

using story1test::Played;
using story1test::StoryField;

namespace {

constexpr const char* kWakokuSong = "【マップ】和国.mid";

struct Wakoku : StoryField {
    std::vector<int> opponents;        // opponent codes of the duels, in order
    std::deque<std::uint8_t> results;  // results of the coming duels (won when they run out)
    int campMenus = 0;
    std::vector<std::string> lines;    // first lines of the messages shown, in order

    void SetUp() override {
        StoryField::SetUp();
        for (int i = 0; i < 5; ++i) savedRarities_[i] = gCardTable[i].rarity;
        gParty[0] = 1;
        gParty[1] = 4;
        gParty[2] = 0;
        otherScreen = [this] {
            if (gScene == kDuelScene) {
                opponents.push_back(gDuelOpponent);
                gDuelResult = results.empty() ? kDuelWon : results.front();
                if (!results.empty()) results.pop_front();
                finishCardDuel();
                return true;
            }
            if (gScene == 200) {  // the camp menu, closed at once
                ++campMenus;
                gScene = 0;
                return true;
            }
            return false;
        };
    }
    void TearDown() override {
        for (int i = 0; i < 5; ++i) gCardTable[i].rarity = savedRarities_[i];
        StoryField::TearDown();
    }
    // Five owned cards of the given rarities (the card table's first five
    // rows are given them), nothing else.
    void ownCards(const std::vector<int>& rarities) {
        for (int card = 0; card < kCardCount; ++card) gCardStock[card].count = 0;
        for (std::size_t i = 0; i < rarities.size(); ++i) {
            gCardTable[i].rarity = static_cast<std::uint8_t>(rarities[i]);
            gCardStock[i].count = 1;
        }
    }
    bool noteLines() {
        std::strcpy(gCurrentSong, gRequestedSong);  // the music player takes up each song
        if (gMessageMode != 0) {
            const std::string first(gMessageText, std::strcspn(gMessageText, "\n"));
            if (lines.empty() || first != lastLine_) lines.push_back(first);
            lastLine_ = first;
        }
        return gFieldEvent == 0;
    }
    // Plays the event of `slot` to its end (or to a map change).
    Played talkTo(int slot, int budget = 20000) {
        touch(slot);
        return play(budget, [&] { return noteLines(); });
    }
    // Plays until the event that is running (or an automatic one about to
    // start) has ended with the player on `map`.
    Played playScene(int budget) {
        return play(budget, [&] {
            noteLines();
            return gFieldEvent == 0 && gScene == 0 && gPendingMapChange.pending == 0 && !autoPending();
        });
    }
    static bool autoPending() {
        for (int s = 0; s < kMapObjectCount; ++s)
            if (gMapObjects[s].present && gMapObjects[s].kind == 2) return true;
        return false;
    }
    bool said(const std::string& line) const {
        for (const std::string& l : lines)
            if (l == line) return true;
        return false;
    }
    std::string lastLine_;
    std::uint8_t savedRarities_[5] = {};
};

// Where a map change went.
struct Change {
    int map, row, col, facing;
};
Change pendingChange() {
    return {gPendingMapChange.map, gPendingMapChange.row, gPendingMapChange.col, gPendingMapChange.facing};
}

}  // namespace

TEST_F(Wakoku, FallOntoTheBeachLeadsToTheRoomWhereRyuhiJoinsAtTheAverageLevel) {
    gPartyMembers[1].level = 10;
    gPartyMembers[2].level = 7;  // not in the party: its level still counts
    gPartyMembers[5].level = 3;
    gPartyMembers[5].stones[0] = 6;
    arrive(50, 19, 15, 0, 0);
    EXPECT_STREQ(gLocationName, "和国　海岸");
    EXPECT_EQ(gRegionCurrency, 2);
    EXPECT_EQ(gMapObjects[5].kind, 2);
    EXPECT_EQ(gMapObjects[3].pose, 4);
    Played played = play(5000, [] { return gCurrentMap == 52; });
    ASSERT_TRUE(played.finished) << "stalled at event " << gFieldEvent << " step " << gEventStep;
    EXPECT_EQ(played.maps, (std::vector<int>{52}));
    EXPECT_EQ(playerRow(), 42);
    EXPECT_EQ(playerColumn(), 12);
    EXPECT_EQ(gPlayerVisible, 0) << "still hidden by the ride";
    EXPECT_EQ(gMapObjects[3].kind, 2) << "リュウヒ starts the room scene";

    played = playScene(20000);
    ASSERT_TRUE(played.finished) << "stalled at event " << gFieldEvent << " step " << gEventStep;
    EXPECT_EQ(gStoryFlags[24], 2);
    EXPECT_EQ(gPlayerVisible, 1);
    EXPECT_EQ(gParty[2], 5);
    EXPECT_EQ(gPartyMembers[5].level, 8);
    EXPECT_EQ(gPartyMembers[5].experience, 490);
    EXPECT_EQ(gPartyMembers[5].stones[0], 0);
    EXPECT_EQ(gMapObjects[3].visible, 0);
    EXPECT_EQ(gMapObjects[1].kind, 1) << "her place in bed becomes the free bed";
    EXPECT_EQ(gDialogueMisses, 0);

    arrive(50, 43, 14, 1, 1);
    EXPECT_EQ(gMapObjects[5].kind, 0);
    EXPECT_EQ(gMapObjects[3].visible, 0);
    EXPECT_EQ(gMapObjects[2].kind, 100);
    EXPECT_STREQ(gRequestedSong, kWakokuSong);
    const auto reached = story1test::walkableFrom(43, 14);
    for (int slot : {0, 1, 2}) EXPECT_TRUE(story1test::touchable(reached, slot)) << "slot " << slot;
}

TEST_F(Wakoku, JoiningNeverLowersRyuhisLevel) {
    gPartyMembers[1].level = 4;
    gPartyMembers[2].level = 4;
    gPartyMembers[5].level = 12;
    gPartyMembers[5].experience = 5;
    arrive(52, 42, 12, 1, 0);
    ASSERT_TRUE(playScene(20000).finished);
    EXPECT_EQ(gPartyMembers[5].level, 12);
    EXPECT_EQ(gPartyMembers[5].experience, 1210);
}

TEST_F(Wakoku, TownExitsFollowTheStory) {
    struct Case {
        int slot, tavern, episode5;
        bool moves;
        Change to;
        int visible;
    };
    const Case cases[] = {
        {0, 0, 0, false, {}, 1},  {1, 1, 1, true, {59, 14, 25, 0}, 1}, {2, 0, 0, false, {}, 1},
        {3, 1, 0, true, {55, 22, 6, 0}, 1}, {4, 0, 0, true, {50, 43, 14, 1}, 1}, {7, 0, 0, true, {54, 14, 17, 1}, 1},
        {8, 0, 0, true, {52, 40, 15, 1}, 1}, {9, 0, 0, true, {53, 26, 21, 1}, 0}, {9, 1, 0, true, {53, 22, 24, 1}, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "slot " << c.slot << " tavern " << c.tavern << " episode " << c.episode5);
        gStoryFlags[25] = static_cast<std::uint8_t>(c.tavern);
        gStoryFlags[47] = static_cast<std::uint8_t>(c.episode5);
        arrive(51, 23, 33, 0, 1);
        gPendingMapChange.pending = 0;
        lines.clear();
        const Played played = talkTo(c.slot, 3000);
        ASSERT_TRUE(played.finished);
        if (c.moves) {
            ASSERT_EQ(played.maps.size(), 1u);
            const Change to = pendingChange();
            EXPECT_EQ(to.map, c.to.map);
            EXPECT_EQ(to.row, c.to.row);
            EXPECT_EQ(to.col, c.to.col);
            EXPECT_EQ(to.facing, c.to.facing);
        } else {
            EXPECT_TRUE(played.maps.empty());
            EXPECT_EQ(lines.size(), 1u) << "a word instead of the way";
        }
        EXPECT_EQ(gPlayerVisible, c.visible);
    }
    EXPECT_EQ(gDialogueMisses, 0);
}

TEST_F(Wakoku, EveryoneInTownCanBeReachedAndTheGardenStrollersEndAtOnce) {
    const int arrivals[][2] = {{12, 21}, {16, 3}, {16, 36}, {23, 33}, {38, 16}, {47, 21}};
    arrive(51, 23, 33, 0, 1);
    for (const auto& a : arrivals) {
        const auto reached = story1test::walkableFrom(a[0], a[1]);
        for (int slot = 0; slot <= 30; ++slot) {
            if (slot >= 20 && slot <= 23) continue;
            EXPECT_TRUE(story1test::touchable(reached, slot)) << "slot " << slot << " from " << a[0] << "," << a[1];
        }
    }
    for (int slot = 10; slot <= 19; ++slot) {
        lines.clear();
        ASSERT_TRUE(talkTo(slot, 3000).finished) << "slot " << slot;
        EXPECT_EQ(lines.size(), 1u) << "slot " << slot;
    }
    for (int slot = 20; slot <= 23; ++slot) {
        EXPECT_EQ(gMapObjects[slot].kind, 3);
        ASSERT_TRUE(talkTo(slot, 3).finished) << "slot " << slot << " must not freeze the player";
    }
    EXPECT_EQ(gDialogueMisses, 0);
}

TEST_F(Wakoku, ShopsOpenTheirGoodsWithThePlayerFacingTheCounter) {
    struct Case {
        int slot;
        const char* title;
        int kind, first, facing;
    };
    const Case cases[] = {
        {25, "武具屋－よるみず", 0, 52, 1},
        {26, "道具屋－ゆたんぽ", 0, 104, 0},
        {27, "玩具屋－なんだかたるいぜ", 100, 4, 0},
    };
    arrive(51, 23, 33, 0, 1);
    for (const Case& c : cases) {
        gPlayerFacing = static_cast<std::uint8_t>(1 - c.facing);
        const Played played = talkTo(c.slot);
        ASSERT_TRUE(played.finished);
        ASSERT_EQ(played.shops.size(), 1u);
        EXPECT_EQ(played.shops[0].label, c.title);
        EXPECT_EQ(played.shops[0].kind, c.kind);
        EXPECT_EQ(played.shops[0].goods[0], c.first);
        EXPECT_EQ(gPlayerFacing, c.facing);
    }
    EXPECT_EQ(gShopGoods[8], 0) << "the card shop's list ends after eight";
    EXPECT_EQ(gDialogueMisses, 0);
}

TEST_F(Wakoku, CardBoyAndTheCardPlayerDuelOnlyWithFiveCards) {
    arrive(51, 23, 33, 0, 1);
    gStoryFlags[101] = 0;
    choices = {0};
    ASSERT_TRUE(talkTo(29).finished);
    EXPECT_EQ(gStoryFlags[101], 2) << "talking to him counts as met";
    EXPECT_TRUE(said("あ、そう・・・"));

    choices = {2};
    ASSERT_TRUE(talkTo(29).finished);
    ASSERT_TRUE(talkTo(30).finished);
    EXPECT_TRUE(opponents.empty());
    EXPECT_TRUE(said("あ、カード持ってないんだ。"));

    ownCards({0, 0, 0, 0, 0});
    choices = {2};
    ASSERT_TRUE(talkTo(29).finished);
    choices = {1};
    ASSERT_TRUE(talkTo(30).finished);
    EXPECT_EQ(opponents, (std::vector<int>{6, 3}));

    choices = {1, 0, 0, 0};  // his lesson again, to its end
    ASSERT_TRUE(talkTo(29, 30000).finished);
    EXPECT_EQ(gPendingMapChange.pending, 0);
    EXPECT_EQ(gDialogueMisses, 0);
}

TEST_F(Wakoku, TournamentAcceptsACostOfSixAndGivesTheChosenModelsCard) {
    gParty[2] = 5;
    ownCards({1, 1, 1, 1, 2});
    arrive(51, 40, 8, 0, 1);
    choices = {1, 2};  // enter; 龍飛 as the model
    ASSERT_TRUE(talkTo(28, 40000).finished) << "stalled at step " << gEventStep;
    EXPECT_EQ(opponents, (std::vector<int>{30, 31, 32, 33, 34, 35, 36}));
    EXPECT_EQ(gStoryFlags[104], 1);
    EXPECT_EQ(gStoryFlags[107], 5);
    EXPECT_EQ(gCardStock[84].count, 1);
    EXPECT_TRUE(said("戸山龍飛のカードを手に入れた！"));
    EXPECT_STREQ(gRequestedSong, kWakokuSong);
    EXPECT_FLOAT_EQ(gFieldTint[0], 1.0f);

    opponents.clear();
    lines.clear();
    ASSERT_TRUE(talkTo(28).finished);
    EXPECT_TRUE(opponents.empty());
    EXPECT_TRUE(said("シェリルさんは、ギャラクシーズ大和大会で"));
    EXPECT_EQ(gDialogueMisses, 0);
}

TEST_F(Wakoku, TournamentRefusesACostOfSevenEndsAtALossAndGivesASoloPartyItsCard) {
    arrive(51, 40, 8, 0, 1);
    ownCards({1, 1, 1, 2, 2});
    choices = {1};
    ASSERT_TRUE(talkTo(28).finished);
    EXPECT_TRUE(opponents.empty());
    EXPECT_TRUE(said("カードを五枚以上持ち"));

    ownCards({1, 1, 1, 1, 2});
    results = {kDuelWon, kDuelDraw, kDuelLost};
    choices = {1};
    lines.clear();
    ASSERT_TRUE(talkTo(28, 30000).finished);
    EXPECT_EQ(opponents, (std::vector<int>{30, 31, 32}));
    EXPECT_TRUE(said("残念でしたね。"));
    EXPECT_EQ(gStoryFlags[104], 0);
    EXPECT_STREQ(gRequestedSong, kWakokuSong);

    gParty[1] = 0;
    opponents.clear();
    choices = {1};
    ASSERT_TRUE(talkTo(28, 40000).finished);
    EXPECT_EQ(opponents.size(), 7u);
    EXPECT_EQ(gStoryFlags[107], 1);
    EXPECT_EQ(gCardStock[80].count, 1);

    gStoryFlags[104] = 0;
    choices = {2};  // "なにそれ？"
    lines.clear();
    opponents.clear();
    ASSERT_TRUE(talkTo(28).finished);
    EXPECT_TRUE(said("今回の大会では使用可能コストは６です。"));
    EXPECT_TRUE(opponents.empty());
    EXPECT_EQ(gDialogueMisses, 0);
}

TEST_F(Wakoku, TavernSceneSendsThePartyAfterTheThiefAndOpensTheMountainPath) {
    arrive(53, 26, 21, 1, 0);
    EXPECT_STREQ(gRequestedSong, "【テーマ】ファーレンス.mid");
    EXPECT_EQ(gMapObjects[4].kind, 2);
    const Played played = playScene(20000);
    ASSERT_TRUE(played.finished) << "stalled at event " << gFieldEvent << " step " << gEventStep;
    EXPECT_EQ(played.maps, (std::vector<int>{53}));
    EXPECT_EQ(gStoryFlags[25], 1);
    EXPECT_EQ(gPlayerVisible, 1);
    for (int slot : {5, 6, 7, 8}) EXPECT_EQ(gMapObjects[slot].visible, 0) << "slot " << slot;
    EXPECT_EQ(gMapObjects[4].kind, 0);
    const auto reached = story1test::walkableFrom(26, 21);
    for (int slot : {0, 1, 2, 3}) EXPECT_TRUE(story1test::touchable(reached, slot)) << "slot " << slot;
    for (int slot : {1, 2, 3}) {
        lines.clear();
        ASSERT_TRUE(talkTo(slot).finished);
        EXPECT_EQ(lines.size(), 1u);
    }
    EXPECT_EQ(gDialogueMisses, 0);
}

TEST_F(Wakoku, BedRestsForFreeOnlyWhenAsked) {
    gStoryFlags[24] = 2;
    gParty[2] = 5;
    arrive(52, 40, 15, 1, 1);
    EXPECT_STREQ(gRequestedSong, kWakokuSong);
    const auto reached = story1test::walkableFrom(40, 15);
    for (int slot : {0, 1, 6, 7, 8, 9, 10, 11, 12, 13, 14}) EXPECT_TRUE(story1test::touchable(reached, slot)) << slot;
    gPartyMembers[1].hp = 1;
    gMoney[2] = 300;
    choices = {0};
    ASSERT_TRUE(talkTo(9).finished);
    EXPECT_EQ(gPartyMembers[1].hp, 1);
    choices = {1};
    ASSERT_TRUE(talkTo(1).finished);
    EXPECT_GT(gPartyMembers[1].hp, 1);
    EXPECT_EQ(gMoney[2], 300);
    EXPECT_STREQ(gRequestedSong, kWakokuSong);
    EXPECT_FLOAT_EQ(gFieldTint[0], 1.0f);
    EXPECT_EQ(gDialogueMisses, 0);
}

TEST_F(Wakoku, GraveyardGivesTheFamilySwordOnlyOnTheRulenoRoute) {
    arrive(54, 14, 17, 1, 1);
    EXPECT_EQ(gMapObjects[3].visible, 0);
    ASSERT_TRUE(talkTo(2, 3).finished) << "the grave ends at once";

    gStoryFlags[flag::kRoute] = 2;
    arrive(54, 14, 17, 1, 1);
    EXPECT_EQ(gMapObjects[3].kind, 3);
    const auto reached = story1test::walkableFrom(14, 17);
    for (int slot : {0, 1, 2, 3}) EXPECT_TRUE(story1test::touchable(reached, slot)) << slot;
    Played played = talkTo(3);
    EXPECT_EQ(played.maps, (std::vector<int>{54}));
    EXPECT_EQ(gStoryFlags[126], 1);
    EXPECT_STREQ(gRequestedSong, "【テーマ】リュウヒ.mid");
    EXPECT_EQ(gMapObjects[3].kind, 2);
    played = playScene(10000);
    ASSERT_TRUE(played.finished);
    EXPECT_EQ(gItemStock[70].owned, 1);
    EXPECT_TRUE(said("神刀桜乃舞を手に入れた！"));
    EXPECT_EQ(gStoryFlags[126], 2);
    EXPECT_EQ(gMapObjects[3].visible, 0);
    EXPECT_EQ(gDialogueMisses, 0);
}

TEST_F(Wakoku, MountainExitsAndArrivalsJoinUp) {
    struct Case {
        int map, slot;
        Change to;
    };
    const Case cases[] = {
        {55, 0, {123, 26, 3, 0}}, {55, 3, {51, 16, 36, 1}}, {123, 2, {55, 33, 43, 1}}, {123, 3, {56, 21, 9, 0}},
        {56, 1, {57, 39, 19, 1}}, {56, 2, {123, 32, 29, 1}}, {57, 2, {56, 10, 22, 0}}, {58, 0, {57, 21, 28, 1}},
    };
    gStoryFlags[26] = 3;
    gStoryFlags[27] = 1;
    gStoryFlags[47] = 2;
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "map " << c.map << " slot " << c.slot);
        arrive(c.map, c.to.row, c.to.col, 0, 1);
        gPendingMapChange.pending = 0;
        const Played played = talkTo(c.slot, 10);
        ASSERT_EQ(played.maps.size(), 1u);
        const Change to = pendingChange();
        EXPECT_EQ(to.map, c.to.map);
        EXPECT_EQ(to.row, c.to.row);
        EXPECT_EQ(to.col, c.to.col);
        EXPECT_EQ(to.facing, c.to.facing);
    }
    // From every arrival each slope's exits and chests can be reached (the
    // cliff's figures stand only after its scene: walked to below).
    struct Slope {
        int map, row, col;
        std::vector<int> slots;
    };
    const Slope slopes[] = {
        {55, 22, 6, {0, 1, 2, 3, 4, 5, 6, 24}}, {55, 33, 43, {0, 1, 2, 3, 4, 5, 6, 24}},
        {123, 26, 3, {0, 1, 2, 3, 4, 5, 6, 7}}, {123, 32, 29, {0, 1, 2, 3, 4, 5, 6, 7}},
        {56, 21, 9, {0, 1, 2, 3, 4, 5, 6, 7}},  {56, 10, 22, {0, 1, 2, 3, 4, 5, 6, 7}},
        {57, 39, 19, {0, 1, 2, 3, 4, 5, 6}}, {58, 29, 8, {0, 1}},
    };
    for (const Slope& s : slopes) {
        arrive(s.map, s.row, s.col, 0, 1);
        const auto reached = story1test::walkableFrom(s.row, s.col);
        for (int slot : s.slots) EXPECT_TRUE(story1test::touchable(reached, slot)) << "map " << s.map << " slot " << slot;
    }
}

TEST_F(Wakoku, EnemySymbolsArePlacedOnlyOnEntering) {
    arrive(123, 26, 3, 0, 1);
    for (int slot = 8; slot <= 30; ++slot) {
        EXPECT_EQ(gMapObjects[slot].kind, 5) << slot;
        EXPECT_EQ(gMapObjects[slot].index, 35 + slot % 4) << slot;
        EXPECT_EQ(gMapObjects[slot].character, slot % 2 == 1 ? 39 : 40) << slot;
        EXPECT_FLOAT_EQ(gMapObjects[slot].chaseSpeed, 0.05f);
    }
    gMapObjects[9].kind = 0;  // beaten on contact
    gMapObjects[9].visible = 0;
    setUpCurrentMap(0);
    EXPECT_EQ(gMapObjects[9].kind, 0);
    arrive(123, 26, 3, 0, 1);
    EXPECT_EQ(gMapObjects[9].kind, 5);
}

TEST_F(Wakoku, CliffSceneSellsWeaponsFightsTheThiefAndLosesTheStoneToArgon) {
    gStoryFlags[25] = 1;
    arrive(57, 39, 19, 1, 1);
    const auto reached = story1test::walkableFrom(39, 19);
    for (int slot = 19; slot <= 26; ++slot) EXPECT_TRUE(story1test::touchable(reached, slot)) << slot;
    EXPECT_FALSE(reached[21][34]) << "the plateau lies beyond the line";
    Played played = talkTo(22, 10);
    EXPECT_EQ(played.maps, (std::vector<int>{57}));
    EXPECT_EQ(gStoryFlags[26], 1);
    EXPECT_EQ(gPlayerVisible, 0);

    arrive(57, 21, 34, 0, 0);
    EXPECT_STREQ(gRequestedSong, "【テーマ】シーフマスター.mid");
    EXPECT_EQ(gFieldMarkers[4].present, 1);
    EXPECT_EQ(gMapObjects[32].visible, 1);
    int currencyAfterShop = -1;
    played = play(30000, [&] {
        noteLines();
        if (gFieldEvent == 28 && gEventStep == 26) currencyAfterShop = gRegionCurrency;
        return gFieldEvent == 0 && gScene == 0 && gStoryFlags[26] == 3;
    });
    ASSERT_TRUE(played.finished) << "stalled at event " << gFieldEvent << " step " << gEventStep;
    ASSERT_EQ(played.shops.size(), 1u);
    EXPECT_EQ(played.shops[0].label, "もろこし屋－仙人の山");
    EXPECT_EQ(played.shops[0].kind, 9);
    EXPECT_EQ(played.shops[0].goods[0], 8);
    EXPECT_EQ(currencyAfterShop, 0) << "the merchant takes フォッグ";
    EXPECT_EQ(campMenus, 1);
    ASSERT_EQ(played.battles.size(), 1u);
    EXPECT_EQ(played.battles[0].step, 29);
    EXPECT_EQ(gBattleGroup, 39);
    EXPECT_EQ(gFieldMarkers[4].present, 0);
    EXPECT_EQ(gPlayerVisible, 1);
    EXPECT_TRUE(said("この先に断絶の崖がある。"));
    EXPECT_EQ(gDialogueMisses, 0);

    // On the cliff afterwards: the thief lies beaten, もろこし keeps shop.
    arrive(57, 21, 34, 0, 1);
    EXPECT_STREQ(gRequestedSong, "【チャプター５】仙人の山.mid");
    EXPECT_EQ(gRegionCurrency, 2);
    EXPECT_EQ(gMapObjects[32].visible, 0);
    EXPECT_EQ(gMapObjects[33].kind, 1);
    EXPECT_EQ(gMapObjects[33].pose, 4);
    EXPECT_EQ(gMapObjects[19].kind, 0);
    const auto plateau = story1test::walkableFrom(21, 34);
    for (int slot : {0, 1, 33, 34}) EXPECT_TRUE(story1test::touchable(plateau, slot)) << slot;
    lines.clear();
    ASSERT_TRUE(talkTo(33).finished);
    EXPECT_TRUE(said("お、覚えてろよ・・・！"));
    played = talkTo(34);
    ASSERT_EQ(played.shops.size(), 1u);
    EXPECT_EQ(gRegionCurrency, 0) << "フォッグ until the next map entry";

    gStoryFlags[47] = 2;
    arrive(57, 21, 34, 0, 1);
    EXPECT_EQ(gMapObjects[33].visible, 0);
    EXPECT_EQ(gMapObjects[34].visible, 0);
}

TEST_F(Wakoku, MountainTopEndsEpisodeFiveEitherWayAndTheDepartureFollows) {
    for (int save : {0, 1}) {
        SCOPED_TRACE(testing::Message() << "option " << save);
        for (int f : {27, 47}) gStoryFlags[f] = 0;
        gStoryFlags[26] = 3;
        gStoneFlags[4] = 0;
        gParty[2] = 5;
        arrive(57, 21, 28, 1, 1);
        Played played = talkTo(0, 10);
        EXPECT_EQ(played.maps, (std::vector<int>{58}));
        EXPECT_EQ(gPlayerVisible, 0);
        EXPECT_EQ(pendingChange().row, 30);

        arrive(58, 30, 17, 0, 0);
        EXPECT_EQ(gFieldMarkers[4].present, 1);
        choices = {save};
        played = play(40000, [&] {
            noteLines();
            return gCurrentMap == 52;
        });
        ASSERT_TRUE(played.finished) << "stalled at event " << gFieldEvent << " step " << gEventStep;
        ASSERT_EQ(played.battles.size(), 1u);
        EXPECT_EQ(gBattleGroup, 40);
        EXPECT_EQ(played.saves.size(), save == 0 ? 1u : 0u);
        if (save == 0) {
            EXPECT_EQ(played.saves[0].label, "エピソード５　完");
        }
        EXPECT_EQ(gStoneFlags[4], 1);
        EXPECT_EQ(gStoryFlags[27], 1);
        EXPECT_EQ(gEventPictureNumber, 9);
        EXPECT_EQ(gFieldMarkers[4].present, 0);
        const Change to = pendingChange();
        EXPECT_EQ(to.map, 52);
        EXPECT_EQ(to.row, 42);
        EXPECT_EQ(to.col, 12);
        EXPECT_EQ(gDialogueMisses, 0);
    }

    // The room: リュウヒ asks to come along.
    gStoryFlags[24] = 2;
    arrive(52, 42, 12, 1, 0);
    EXPECT_STREQ(gRequestedSong, "【テーマ】リュウヒ.mid");
    EXPECT_EQ(gMapObjects[4].kind, 2);
    const Played played = playScene(20000);
    ASSERT_TRUE(played.finished) << "stalled at event " << gFieldEvent << " step " << gEventStep;
    EXPECT_EQ(gStoryFlags[47], 2);
    EXPECT_EQ(gPlayerVisible, 1);
    EXPECT_EQ(gMapObjects[4].visible, 0);
    EXPECT_EQ(gDialogueMisses, 0);

    // And then the way east is open, and the summit stays quiet.
    arrive(58, 29, 8, 0, 1);
    EXPECT_STREQ(gRequestedSong, "【チャプター５】仙人の山.mid");
    EXPECT_EQ(gMapObjects[2].kind, 0);
    arrive(57, 21, 28, 1, 1);
    talkTo(0, 10);
    EXPECT_EQ(pendingChange().row, 29);
    EXPECT_EQ(gPlayerVisible, 1);
}

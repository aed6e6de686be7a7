// コールルピック on its real maps: the square's exits, people, shops and card
// games, its story scenes, ルサナ's house and the bar.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "story/StoryFlags.h"
#include "tests/colerupicStealthFixture.h"

using colerupictest::ColerupicField;
using story1test::Played;

namespace {

constexpr const char* kTownSong = "【マップ】コールルピック.mid";
constexpr const char* kTownSongAfter = "【マップ】コールルピック２.mid";

struct Colerupic : ColerupicField {
    void SetUp() override {
        ColerupicField::SetUp();
        gParty[0] = 1;
    }
};

}  // namespace

TEST_F(Colerupic, PeopleShopsAndDoorsAreReachableFromEveryArrival) {
    struct Case {
        int map, row, col;
        std::vector<int> slots;
    };
    gStoryFlags[flag::kColerupicBarMet] = 1;
    gStoryFlags[flag::kColerupicSealed] = 2;
    gStoryFlags[50] = 2;
    const Case cases[] = {
        {62, 15, 42, {0, 1, 2, 3, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20, 21, 22, 23, 24, 25, 26, 27, 28, 34, 35,
                      36, 37, 38, 39, 54, 55, 56}},
        {63, 24, 25, {0, 1, 3, 15, 16, 17, 18}},
        {64, 34, 21, {0, 1, 2, 3, 4, 8, 9, 11}},
    };
    for (const Case& c : cases) {
        arrive(c.map, c.row, c.col, 1, 1);
        const auto reached = story1test::walkableFrom(c.row, c.col);
        for (int slot : c.slots) EXPECT_TRUE(story1test::touchable(reached, slot)) << "map " << c.map << " slot " << slot;
    }
    // Every arrival of the square reaches the same square.
    arrive(62, 15, 42, 1, 1);
    const auto square = story1test::walkableFrom(15, 42);
    for (auto cell : {std::pair{16, 24}, {18, 22}, {19, 15}, {24, 35}, {27, 13}, {36, 42}})
        EXPECT_TRUE(square[cell.first][cell.second]) << cell.first << ", " << cell.second;
}

TEST_F(Colerupic, ExitsFollowTheTownsState) {
    struct Case {
        int sealed, deserted, slot;
        int map, row, col, facing;
        int fadeDue;
    };
    const Case cases[] = {
        {0, 0, 1, 62, 15, 42, 1, 0},   // sealed: the slope turns her back
        {2, 0, 1, 71, 17, 55, 1, 0},   // open slope
        {2, 1, 0, 71, 17, 55, 1, 1},   // deserted: the next map fades in
        {0, 0, 5, 61, 18, 9, 0, 1},    // grey town to the snow hill
        {2, 0, 5, 61, 18, 9, 0, 0},
        {0, 0, 11, 64, 34, 21, 1, 0},  // the bar
    };
    for (const Case& c : cases) {
        gStoryFlags[flag::kColerupicSealed] = static_cast<std::uint8_t>(c.sealed);
        gStoryFlags[flag::kColerupicDeserted] = static_cast<std::uint8_t>(c.deserted);
        gStoryFlags[flag::kArrivalFadeDue] = 0;
        gStoryFlags[flag::kColerupicBarMet] = 1;
        arrive(62, 15, 42, 1, 1);
        touch(c.slot);
        const Played played = play(10, [] { return gFieldEvent == 0; });
        EXPECT_EQ(played.maps, (std::vector<int>{c.map})) << "slot " << c.slot;
        EXPECT_EQ(playerRow(), c.row);
        EXPECT_EQ(playerColumn(), c.col);
        EXPECT_EQ(gPlayerFacing, c.facing);
        EXPECT_EQ(gStoryFlags[flag::kArrivalFadeDue], c.fadeDue) << "slot " << c.slot;
    }
}

TEST_F(Colerupic, DesertedTownHasNoPeopleShopsOrCardGames) {
    gStoryFlags[flag::kColerupicSealed] = 2;
    gStoryFlags[flag::kColerupicDeserted] = 1;
    arrive(62, 27, 13, 0, 1);
    for (int slot : {13, 20, 24, 26, 27, 28, 34, 39, 53, 54, 55, 56}) {
        EXPECT_EQ(gMapObjects[slot].kind, 0) << "slot " << slot;
        EXPECT_EQ(gMapObjects[slot].visible, 0) << "slot " << slot;
    }
    EXPECT_STREQ(gRequestedSong, kTownSong);
}

TEST_F(Colerupic, TownspeopleSpeakOfTheVanishingsThenOfTheReturn) {
    arrive(62, 15, 42, 1, 1);
    for (int slot = 13; slot <= 24; ++slot) ASSERT_TRUE(talkTo(slot).finished) << "slot " << slot;
    EXPECT_TRUE(said("毎日ひとりずつ、誰かが消えていくんだ。"));
    gStoryFlags[flag::kColerupicSealed] = 2;
    arrive(62, 15, 42, 1, 1);  // the square entered again once its people are back
    for (int slot : {13, 34, 35, 36, 37, 38, 39}) ASSERT_TRUE(talkTo(slot).finished) << "slot " << slot;
    EXPECT_TRUE(said("町もすっかり元通りだ。"));
    EXPECT_EQ(gDialogueMisses, 0);
}

TEST_F(Colerupic, ShopsOpenTheirOwnGoods) {
    arrive(62, 15, 42, 1, 1);
    struct Case {
        int slot;
        const char* title;
        int kind, first;
    };
    const Case cases[] = {
        {26, "武具屋－ルーサーフォーエバー", 0, 8},
        {27, "道具屋－ミルテラビット", 0, 130},
        {28, "玩具屋－メタンハイドレート", 100, 2},
    };
    for (const Case& c : cases) {
        gPlayerFacing = 1;
        const Played played = talkTo(c.slot);
        ASSERT_TRUE(played.finished);
        ASSERT_EQ(played.shops.size(), 1u);
        EXPECT_EQ(played.shops[0].label, c.title);
        EXPECT_EQ(played.shops[0].kind, c.kind);
        EXPECT_EQ(played.shops[0].goods[0], c.first);
        EXPECT_EQ(gPlayerFacing, 0);
    }
    EXPECT_EQ(gDialogueMisses, 0);
}

TEST_F(Colerupic, TournamentWonSoloGivesSherylsCardAndClosesTheDesk) {
    arrive(62, 15, 42, 1, 1);
    ownCheapCards(5);
    choices = {1};
    ASSERT_TRUE(talkTo(54, 30000).finished) << "stalled at step " << gEventStep;
    EXPECT_EQ(opponents, (std::vector<int>{40, 41, 42, 43, 44, 45, 46}));
    EXPECT_EQ(gStoryFlags[flag::kTournamentColerupic], 1);
    EXPECT_EQ(gStoryFlags[flag::kPrizeCardModel], 1);
    EXPECT_EQ(gCardStock[80].count, 1);
    EXPECT_STREQ(gRequestedSong, kTownSong);
    EXPECT_NEAR(gFieldTint[0], 0.5f, 0.001f) << "the sealed town goes back to grey";

    opponents.clear();
    lines.clear();
    ASSERT_TRUE(talkTo(54).finished);
    EXPECT_TRUE(opponents.empty());
    EXPECT_EQ(lines.size(), 1u);
    EXPECT_EQ(gDialogueMisses, 0);
}

TEST_F(Colerupic, TournamentLossAndShortHandsEndWithoutTheWin) {
    gStoryFlags[flag::kColerupicSealed] = 2;
    arrive(62, 15, 42, 1, 1);
    choices = {1};
    ASSERT_TRUE(talkTo(54).finished);
    EXPECT_TRUE(opponents.empty()) << "no five cards, no duel";

    ownCheapCards(5);
    results = {kDuelDraw, kDuelLost};
    choices = {1};
    ASSERT_TRUE(talkTo(54, 30000).finished);
    EXPECT_EQ(opponents, (std::vector<int>{40, 41}));
    EXPECT_EQ(gStoryFlags[flag::kTournamentColerupic], 0);
    EXPECT_STREQ(gRequestedSong, kTownSongAfter);
    EXPECT_FLOAT_EQ(gFieldTint[0], 1.0f);

    choices = {2};  // the rules
    lines.clear();
    ASSERT_TRUE(talkTo(54).finished);
    EXPECT_TRUE(said("使用できるカードのコストは大会ごとに違います。"));
    EXPECT_EQ(gDialogueMisses, 0);
}

TEST_F(Colerupic, CardBoyAndCardPlayerDuelOnlyWithFiveCards) {
    arrive(62, 15, 42, 1, 1);
    choices = {2};
    ASSERT_TRUE(talkTo(55).finished);
    EXPECT_EQ(gStoryFlags[flag::kCardBoy], 2);
    EXPECT_TRUE(opponents.empty());
    ASSERT_TRUE(talkTo(56).finished);
    EXPECT_TRUE(opponents.empty());

    ownCheapCards(5);
    choices = {2};
    ASSERT_TRUE(talkTo(55).finished);
    choices = {1};
    ASSERT_TRUE(talkTo(56).finished);
    EXPECT_EQ(opponents, (std::vector<int>{6, 4}));
    EXPECT_EQ(gDialogueMisses, 0);
}

// ---- The story scenes of the square ----

TEST_F(Colerupic, HiddenEntranceOpensOnceThenLeadsStraightDown) {
    gStoryFlags[50] = 2;
    arrive(62, 36, 42, 0, 1);
    EXPECT_EQ(gMapObjects[12].kind, 1);
    Played played = talkTo(12);
    EXPECT_EQ(played.maps, (std::vector<int>{65}));
    EXPECT_EQ(gStoryFlags[51], 1);
    EXPECT_EQ(gStoryFlags[flag::kArrivalFadeDue], 0);
    EXPECT_TRUE(said("よし、ロックは外れた。"));

    // Later, with the town restored: no fade and no fade-in due.
    gStoryFlags[flag::kColerupicSealed] = 2;
    gFieldTint[0] = gFieldTint[1] = gFieldTint[2] = gFieldTint[3] = 1.0f;
    arrive(62, 36, 42, 0, 1);
    touch(12);
    played = play(10, [] { return gFieldEvent == 0; });
    EXPECT_EQ(played.maps, (std::vector<int>{65}));
    EXPECT_EQ(gStoryFlags[flag::kArrivalFadeDue], 0);

    // In the grey town the way down fades out and asks for a fade-in.
    gStoryFlags[flag::kColerupicSealed] = 0;
    arrive(62, 36, 42, 0, 1);
    played = talkTo(12, 500);
    EXPECT_EQ(played.maps, (std::vector<int>{65}));
    EXPECT_EQ(gStoryFlags[flag::kArrivalFadeDue], 1);
    EXPECT_EQ(gDialogueMisses, 0);
}

TEST_F(Colerupic, ReturnSceneKeepsThePartyOnTheTowerRouteAndPartsOnTheRulenoRoute) {
    for (int route : {1, 2}) {
        gParty[0] = 1;
        gParty[1] = 2;
        gParty[2] = 3;
        gPartyMembers[2].stones[0] = 3;
        gPartyMembers[3].stones[0] = 4;
        gStoryFlags[flag::kRoute] = static_cast<std::uint8_t>(route);
        gStoryFlags[flag::kColerupicSealed] = 1;
        lines.clear();
        arrive(62, 19, 15, 0, 0);
        EXPECT_EQ(gMapObjects[30].kind, 2);
        EXPECT_EQ(gMapObjects[31].visible, route == 1 ? 1 : 0);
        const Played played = playScene();
        ASSERT_TRUE(played.finished) << "route " << route << " step " << gEventStep;
        EXPECT_EQ(played.maps, (std::vector<int>{62}));
        EXPECT_EQ(gStoryFlags[flag::kColerupicSealed], 2);
        EXPECT_EQ(gPlayerVisible, 1);
        EXPECT_EQ(said("シェリル、そろそろ行くぞ。"), route == 1);
        if (route == 1) {
            EXPECT_EQ(gParty[1], 2);
            EXPECT_EQ(gParty[2], 3);
        } else {
            EXPECT_EQ(gParty[1], 0);
            EXPECT_EQ(gParty[2], 0);
            EXPECT_EQ(gPartyMembers[2].stones[0], 0);
            EXPECT_EQ(gPartyMembers[3].stones[0], 0);
        }
        EXPECT_EQ(gMapObjects[30].kind, 0);
        EXPECT_EQ(gMapObjects[34].kind, 3) << "the returned people stand in the square";
    }
    EXPECT_EQ(gDialogueMisses, 0);
}

TEST_F(Colerupic, DesertedTownSceneSpeaksByRoute) {
    for (int route : {1, 2}) {
        gStoryFlags[flag::kRoute] = static_cast<std::uint8_t>(route);
        gStoryFlags[flag::kColerupicEmptied] = 1;
        gStoryFlags[flag::kColerupicDeserted] = 1;
        gStoryFlags[flag::kColerupicSealed] = 2;
        lines.clear();
        arrive(62, 27, 13, 0, 0);
        EXPECT_EQ(gMapObjects[41].character, route == 1 ? 1 : 3);
        const Played played = playScene();
        ASSERT_TRUE(played.finished) << "step " << gEventStep;
        EXPECT_EQ(played.maps, (std::vector<int>{62}));
        EXPECT_EQ(gStoryFlags[flag::kColerupicEmptied], 2);
        EXPECT_EQ(said("誰もいないな……。"), route == 1);
        EXPECT_EQ(said("人の気配がまったくない……。"), route == 2);
        EXPECT_EQ(playerRow(), 27);
        EXPECT_EQ(gPlayerVisible, 1);
    }
    EXPECT_EQ(gDialogueMisses, 0);
}

TEST_F(Colerupic, FlashbackAndReunionAndNightTalkPlayThrough) {
    gStoryFlags[flag::kColerupicSealed] = 2;
    gStoryFlags[flag::kDemonRealmDepths] = 2;
    arrive(62, 27, 13, 0, 0);
    Played played = playScene();
    ASSERT_TRUE(played.finished) << "flashback step " << gEventStep;
    EXPECT_EQ(played.maps, (std::vector<int>{104}));

    gStoryFlags[flag::kDemonRealmDepths] = 3;
    gStoryFlags[flag::kColerupicEmptied] = 2;
    gStoryFlags[flag::kRusanaRescue] = 1;
    gStoryFlags[flag::kRoute] = 1;
    arrive(62, 27, 13, 0, 0);
    EXPECT_STREQ(gRequestedSong, kTownSongAfter);
    played = playScene();
    ASSERT_TRUE(played.finished) << "reunion step " << gEventStep;
    EXPECT_EQ(played.maps, (std::vector<int>{71}));
    EXPECT_EQ(gStoryFlags[flag::kRusanaRescue], 3);

    // The first rest at home after the reunion: the night talk and her gift.
    arrive(63, 33, 16, 1, 1);  // between the beds
    ASSERT_EQ(gMapObjects[3].kind, 0) << "ルサナ is in the square now";
    choices = {1};
    played = talkTo(16, 2000);
    EXPECT_EQ(played.maps, (std::vector<int>{62}));
    EXPECT_EQ(gMusicLock, 1);
    EXPECT_EQ(gStoryFlags[122], 1);
    const int gifts = gItemStock[18].owned;
    played = playScene();
    ASSERT_TRUE(played.finished) << "night step " << gEventStep;
    EXPECT_EQ(played.maps, (std::vector<int>{63}));
    EXPECT_EQ(gItemStock[18].owned, gifts + 1);
    EXPECT_TRUE(said("フレアジャッジメントを手に入れた！"));
    EXPECT_EQ(gStoryFlags[122], 2);
    played = playNoting(2000, [] { return gFieldEvent == 0 && gStoryFlags[122] == 3; });
    ASSERT_TRUE(played.finished);
    EXPECT_EQ(gMusicLock, 0);
    EXPECT_STREQ(gRequestedSong, kTownSongAfter);

    // Later rests are ordinary nights.
    choices = {1};
    played = talkTo(17, 3000);
    EXPECT_TRUE(played.maps.empty());
    EXPECT_FLOAT_EQ(gFieldTint[0], 1.0f);
    EXPECT_EQ(gDialogueMisses, 0);
}

// ---- ルサナ's house and the bar ----

TEST_F(Colerupic, BarMeetingJoinsFalkAndRimelAtLeastOneLevelUnder) {
    gPartyMembers[2].level = 20;
    gPartyMembers[4].level = 15;
    gPartyMembers[3].level = 3;
    gPartyMembers[5].level = 12;
    gPartyMembers[2].stones[0] = 2;
    arrive(62, 24, 35, 0, 1);
    touch(11);
    Played played = play(10, [] { return gFieldEvent == 0; });
    ASSERT_EQ(played.maps, (std::vector<int>{64}));
    EXPECT_EQ(gPlayerVisible, 0);
    EXPECT_EQ(gRequestedSong[0], '\0') << "silence before the meeting";
    played = playScene();
    ASSERT_TRUE(played.finished) << "meeting step " << gEventStep;
    EXPECT_EQ(played.maps, (std::vector<int>{64}));
    EXPECT_EQ(gParty[1], 2);
    EXPECT_EQ(gParty[2], 3);
    EXPECT_EQ(gPartyMembers[2].level, 20);
    EXPECT_EQ(gPartyMembers[2].experience, 3610);
    EXPECT_EQ(gPartyMembers[3].level, 11);
    EXPECT_EQ(gPartyMembers[3].experience, 1000);
    EXPECT_EQ(gPartyMembers[2].stones[0], 0);
    EXPECT_EQ(gStoryFlags[flag::kColerupicBarMet], 1);
    EXPECT_EQ(gPlayerVisible, 1);
    EXPECT_EQ(playerRow(), 38);

    ASSERT_TRUE(talkTo(11).finished);
    EXPECT_TRUE(said("マスター？　消えちまったよ。"));
    EXPECT_EQ(gPlayerFacing, 0);
    EXPECT_EQ(gDialogueMisses, 0);
}

TEST_F(Colerupic, EveningThenVanishingOpenTheWayToTheBase) {
    gStoryFlags[flag::kColerupicBarMet] = 1;
    gParty[1] = 2;
    gParty[2] = 3;
    arrive(62, 16, 24, 0, 1);
    touch(10);
    Played played = play(10, [] { return gFieldEvent == 0; });
    ASSERT_EQ(played.maps, (std::vector<int>{63}));
    EXPECT_EQ(playerRow(), 30);
    EXPECT_EQ(playerColumn(), 20);
    played = playScene();
    ASSERT_TRUE(played.finished) << "evening step " << gEventStep;
    EXPECT_EQ(played.maps, (std::vector<int>{63}));
    EXPECT_EQ(gStoryFlags[49], 2);
    EXPECT_EQ(gStoryFlags[50], 1);
    EXPECT_STREQ(gRequestedSong, kTownSong);
    played = playScene();
    ASSERT_TRUE(played.finished) << "vanishing step " << gEventStep;
    EXPECT_EQ(gStoryFlags[50], 2);
    EXPECT_EQ(gPlayerVisible, 1);
    EXPECT_EQ(gMapObjects[3].visible, 0) << "ルサナ is gone";

    // The door now leads in normally.
    touch(0);
    play(10, [] { return gFieldEvent == 0; });
    EXPECT_EQ(gCurrentMap, 62);
    EXPECT_EQ(gMapObjects[12].kind, 1) << "the hidden entrance is open";
    EXPECT_EQ(gDialogueMisses, 0);
}

TEST_F(Colerupic, GateExplainsThenDepartsWithTheMoonStoneOnTheRulenoRoute) {
    gStoryFlags[flag::kColerupicBarMet] = 1;
    gStoryFlags[49] = 2;
    gStoryFlags[50] = 2;
    gStoryFlags[flag::kColerupicSealed] = 2;
    gStoryFlags[flag::kColerupicEmptied] = 2;
    gStoryFlags[flag::kColerupicDeserted] = 1;
    gStoryFlags[flag::kRoute] = 2;
    arrive(63, 24, 25, 1, 1);
    EXPECT_EQ(gMapObjects[9].kind, 1);
    touch(13);  // アラフォース
    Played played = play(10, [] { return gFieldEvent == 0; });
    ASSERT_EQ(played.maps, (std::vector<int>{63}));
    EXPECT_EQ(gStoryFlags[71], 1);
    played = playScene();
    ASSERT_TRUE(played.finished) << "explanation step " << gEventStep;
    EXPECT_EQ(gStoryFlags[71], 2);
    EXPECT_TRUE(said("やあ、シェリル。"));
    EXPECT_TRUE(said("片道の旅になるかもしれないな。"));

    touch(9);  // the gate
    play(10, [] { return gFieldEvent == 0; });
    EXPECT_EQ(gStoryFlags[71], 3);
    EXPECT_EQ(gMapObjects[14].visible, 1) << "セレン comes on the Ruleno route";
    played = playNoting(60000, [] {
        if (gFieldMarkers[5].frame == 340) gFieldMarkers[5].frame = 341;  // the banner dismissed
        return gCurrentMap == 100;
    });
    ASSERT_TRUE(played.finished) << "departure step " << gEventStep;
    EXPECT_EQ(gStoryFlags[71], 4);
    EXPECT_EQ(gStoryFlags[flag::kArrivalFadeDue], 1);
    EXPECT_EQ(gStoneFlags[5], 1);
    EXPECT_EQ(gDialogueMisses, 0);
}

TEST_F(Colerupic, GateOnTheTowerRouteSkipsTheGreetingAndSelen) {
    gStoryFlags[flag::kColerupicBarMet] = 1;
    gStoryFlags[49] = 2;
    gStoryFlags[flag::kColerupicSealed] = 2;
    gStoryFlags[flag::kColerupicEmptied] = 2;
    gStoryFlags[flag::kRoute] = 1;
    arrive(63, 24, 25, 1, 1);
    touch(9);
    play(10, [] { return gFieldEvent == 0; });
    Played played = playScene();
    ASSERT_TRUE(played.finished);
    EXPECT_FALSE(said("やあ、シェリル。"));
    EXPECT_TRUE(said("片道切符ってわけだな。"));
    touch(9);
    play(10, [] { return gFieldEvent == 0; });
    EXPECT_EQ(gMapObjects[14].visible, 0);
    played = playNoting(20000, [] { return gCurrentMap == 100; });
    ASSERT_TRUE(played.finished);
    EXPECT_EQ(gStoneFlags[5], 0) << "no stone on the tower route";
    EXPECT_FALSE(said("待ちなさい！"));
    EXPECT_EQ(gDialogueMisses, 0);
}

TEST_F(Colerupic, RestingInAGreyTownIsAnOrdinaryGreyNight) {
    gStoryFlags[flag::kColerupicBarMet] = 1;
    gStoryFlags[49] = 2;
    gStoryFlags[50] = 2;
    arrive(63, 33, 18, 1, 1);  // between the beds
    choices = {1};
    const Played played = talkTo(18, 3000);
    ASSERT_TRUE(played.finished);
    EXPECT_TRUE(played.maps.empty());
    EXPECT_NEAR(gFieldTint[0], 0.5f, 0.001f);
    EXPECT_STREQ(gRequestedSong, kTownSong);
    EXPECT_EQ(gStoryFlags[122], 0);
    choices = {0};  // "休まない。"
    ASSERT_TRUE(talkTo(18, 500).finished);
}

#include "actionsFixture.h"

namespace {

using WeaponSkills = BattleActionRun;

struct SkillCase {
    int code;
    int hits;  // effects queued on the opponents' side
};

// A member wearing item 112 plays no key-press game and scores the skill's
// threshold, so each party skill runs with a known score.
TEST_F(WeaponSkills, EveryPartySkillRunsToItsEndWithItsHits) {
    const SkillCase cases[] = {
        {10, 4},  {11, 1}, {12, 1}, {13, 20}, {20, 1}, {21, 6}, {22, 1}, {23, 4}, {30, 1}, {31, 3},
        {32, 2},  {33, 10}, {40, 5}, {41, 3}, {42, 2}, {43, 10}, {50, 1}, {51, 5}, {52, 6}, {53, 2},
    };
    for (const SkillCase& c : cases) {
        SetUp();
        gPartyMembers[1].equipment[kEquipAccessoryA] = 112;
        weaponSkill(c.code);
        beginAction(kSideParty, 0, kSideEnemy, 0);
        const int frames = runWeaponSkill();
        EXPECT_GT(frames, 0) << "code " << c.code << " did not end";
        EXPECT_EQ(effectsOn(kSideEnemy), c.hits) << "code " << c.code;
        EXPECT_EQ(effectsOn(kSideParty), 0) << "code " << c.code;
        EXPECT_EQ(gPartyActors[0].pose, 0) << "code " << c.code;
        TearDown();
    }
}

TEST_F(WeaponSkills, EveryTechniqueRunsToItsEndWithItsHits) {
    const SkillCase cases[] = {
        {60, 1}, {61, 3}, {62, 1}, {63, 6},  {70, 2},  {71, 3}, {72, 3}, {73, 3}, {80, 1}, {81, 2},
        {82, 3}, {83, 16}, {90, 2}, {91, 1}, {92, 2}, {93, 5}, {104, 1}, {105, 3},
    };
    for (const SkillCase& c : cases) {
        SetUp();
        weaponSkill(c.code);
        beginAction(kSideEnemy, 0, kSideParty, 0);
        const int frames = runWeaponSkill();
        EXPECT_GT(frames, 0) << "code " << c.code << " did not end";
        EXPECT_EQ(effectsOn(kSideParty), c.hits) << "code " << c.code;
        EXPECT_EQ(effectsOn(kSideEnemy), 0) << "code " << c.code;
        TearDown();
    }
}

// n hits of one strength.
std::vector<int> hits(int n, int strength) { return std::vector<int>(static_cast<std::size_t>(n), strength); }
std::vector<int> operator+(std::vector<int> a, const std::vector<int>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

struct StrengthCase {
    int code;
    std::vector<int> strengths;  // every hit on the opponents' side, in order
};

class WeaponSkillStrengths : public WeaponSkills {
protected:
    // Runs each case's skill from the given actor at the first opponent and
    // compares the strengths of its hits.
    void expectStrengths(std::initializer_list<StrengthCase> cases, int actingSide, int actingIndex,
                         bool wearsSkipItem = false) {
        const int opponents = actingSide == kSideParty ? kSideEnemy : kSideParty;
        for (const StrengthCase& c : cases) {
            SetUp();
            makeStrengthsReadable();
            if (wearsSkipItem) gPartyMembers[1].equipment[kEquipAccessoryA] = 112;
            weaponSkill(c.code);
            beginAction(actingSide, actingIndex, opponents, 0);
            ASSERT_GT(runWeaponSkill(), 0) << "code " << c.code;
            EXPECT_EQ(strengthsOn(opponents, false), c.strengths) << "code " << c.code;
            TearDown();
        }
    }
};

// With item 112 a member scores each skill's threshold h.
TEST_F(WeaponSkillStrengths, EveryPartySkillHitsWithTheStrengthsOfItsScore) {
    expectStrengths({
        {10, hits(4, 40)},                 // h 3: h + 1 strikes of 40
        {11, {210}},                       // 30 h + 60, h 5
        {12, {40}},
        {13, hits(20, 8)},                 // twenty sparks of h / 3, h 25
        {20, {112}},                       // 7 h + 70, h 6
        {21, hits(6, 25)},
        {22, {215}},                       // 40 h + 55, h 4
        {23, hits(4, 89)},                 // 7 h + 40, h 7
        {30, {135}},
        {31, hits(3, 80)},
        {32, hits(2, 140)},
        {33, hits(10, 95)},
        {40, hits(5, 40)},
        {41, hits(3, 70)},                 // 10 h + 40 on every enemy, h 3
        {42, {50, 167}},                   // then 13 h + 50, h 9
        {43, std::vector<int>{50} + hits(9, 20)},  // h + 2 dashes, h 7
        {50, {105}},                       // 15 h + 90, h 1
        {51, hits(5, 35)},
        {52, hits(6, 40)},                 // h + 1 sweeps over three enemies, h 1
        {53, {30, 275}},                   // then 15 h + 50, h 15
    }, kSideParty, 0, true);
}

TEST_F(WeaponSkillStrengths, EveryTechniqueHitsWithItsStrengths) {
    expectStrengths({
        {60, {100}},          {61, hits(3, 80)},   {62, {150}},        {63, hits(6, 40)},
        {70, hits(2, 70)},    {71, hits(3, 60)},   {72, hits(3, 50)},  {73, hits(3, 170)},
        {80, {110}},          {81, hits(2, 70)},   {82, hits(3, 85)},
        {83, hits(6, 40) + hits(9, 30) + std::vector<int>{200}},
        {90, hits(2, 40)},    {91, {90}},          {92, hits(2, 90)},  {93, hits(5, 50)},
        {104, {250}},         {105, hits(3, 1000)},
    }, kSideEnemy, 0);
}

TEST_F(WeaponSkillStrengths, AnEnemyUsingAPartySkillHitsWithTheStrengthsOfItsFixedScore) {
    expectStrengths({
        {10, {40}},                                 // no score: one strike
        {20, {105}},                                // 7 x 5 + 70
        {40, hits(5, 40)},
        {43, std::vector<int>{50} + hits(9, 20)},  // score 7
        {51, hits(5, 35)},
        {33, hits(10, 95)},
    }, kSideEnemy, 1);
}

TEST_F(WeaponSkills, CodeTwentyHitsOnceForSeventyPlusSevenPerPress) {
    // No press of the key shown: one projectile, 70. Four presses: four
    // projectiles, one hit of 98. Any key starts the game's clock.
    const struct {
        int presses;
        int strength;
    } cases[] = {{0, 70}, {4, 98}};
    for (const auto& c : cases) {
        SetUp();
        makeStrengthsReadable();
        weaponSkill(20);
        beginAction(kSideParty, 0, kSideEnemy, 0);
        const int presses = c.presses;
        ASSERT_GT(runWeaponSkill(3000, [presses](int frame) {
            if (presses == 0) return frame == 3 ? static_cast<int>(kInputDown) : 0;
            return frame >= 3 && frame < 3 + 2 * presses && frame % 2 == 1 ? 10 : 0;
        }), 0);
        EXPECT_EQ(gHitCount, c.presses);
        EXPECT_EQ(strengthsOn(kSideEnemy, false), std::vector<int>{c.strength}) << c.presses << " presses";
        TearDown();
    }
}

TEST_F(WeaponSkills, AnEnemyUsingAPartySkillTakesItsFixedScore) {
    const SkillCase cases[] = {
        {10, 1},   // no key-press game and no score for an enemy: one strike
        {20, 1}, {40, 5}, {51, 5}, {43, 10}, {33, 10},
    };
    for (const SkillCase& c : cases) {
        SetUp();
        weaponSkill(c.code);
        beginAction(kSideEnemy, 1, kSideParty, 0);
        EXPECT_GT(runWeaponSkill(), 0) << "code " << c.code;
        EXPECT_EQ(effectsOn(kSideParty), c.hits) << "code " << c.code;
        EXPECT_EQ(gKeyGameShown, 0) << "code " << c.code << " showed the key-press game";
        TearDown();
    }
}

TEST_F(WeaponSkills, CodeTenStrikesOncePlusOncePerScoredNote) {
    // A press with no note in the window ends the lane at once: score 0, one strike.
    weaponSkill(10);
    beginAction(kSideParty, 0, kSideEnemy, 0);
    EXPECT_GT(runWeaponSkill(3000, [](int frame) { return frame == 3 || frame == 5 ? 10 : 0; }), 0);
    EXPECT_EQ(gHitCount, -1);
    EXPECT_EQ(effectsOn(kSideEnemy), 1);
    EXPECT_EQ(soundsNamed("Wepon_01.wav"), 1);
    // The skip item scores the threshold, 3: four strikes.
    effects_.clear();
    actionSounds().clear();
    gPartyMembers[1].equipment[kEquipAccessoryA] = 112;
    beginAction(kSideParty, 0, kSideEnemy, 0);
    EXPECT_GT(runWeaponSkill(), 0);
    EXPECT_EQ(effectsOn(kSideEnemy), 4);
    EXPECT_EQ(soundsNamed("Wepon_01.wav"), 4);
}

TEST_F(WeaponSkills, MarkerShotOfCodeThirtyMissesAboveTheLine) {
    weaponSkill(30);
    beginAction(kSideParty, 0, kSideEnemy, 0);
    // The first press starts the marker at its top; the second stops it at once.
    const int frames = runWeaponSkill(600, [](int frame) { return frame == 3 || frame == 5 ? 10 : 0; });
    EXPECT_GT(frames, 0);
    EXPECT_EQ(effectsOn(kSideEnemy, kPopupMiss), 1);
    EXPECT_EQ(effectsOn(kSideEnemy), 1);
}

TEST_F(WeaponSkills, AimedShotsAtAnEmptyPlaceQueueNothingAndTheTenthEndsTheRun) {
    weaponSkill(33);
    beginAction(kSideParty, 0, kSideEnemy, 0);
    // Move the marker away from every enemy, then fire ten times.
    const int frames = runWeaponSkill(3000, [](int frame) {
        if (frame == 3 || frame == 5 || frame == 7) return static_cast<int>(kInputDown);
        return frame > 10 && frame % 40 == 0 ? 10 : 0;
    });
    EXPECT_GT(frames, 0);
    EXPECT_EQ(effectsOn(kSideEnemy), 0);
    EXPECT_EQ(gKeyPressGame.notesSpawned, 10);
}

TEST_F(WeaponSkills, ShotsOfTheSkipItemWearerStopAtTen) {
    gPartyMembers[1].equipment[kEquipAccessoryA] = 111;
    weaponSkill(33);
    beginAction(kSideParty, 0, kSideEnemy, 0);
    EXPECT_GT(runWeaponSkill(2000), 0);
    EXPECT_EQ(effectsOn(kSideEnemy), 10);
}

TEST_F(WeaponSkills, CodeFiftyThreeLeavesTheBackgroundAsItWas) {
    gBattleBackground = 5;
    gPartyMembers[1].equipment[kEquipAccessoryA] = 112;
    weaponSkill(53);
    beginAction(kSideParty, 0, kSideEnemy, 0);
    EXPECT_GT(runWeaponSkill(), 0);
    EXPECT_EQ(gBattleBackground, 5);
}

TEST_F(WeaponSkills, DiveAgainstALoneBodyguardQueuesItsEnd) {
    gBattleSchedule.soloMode = 1;
    gBattleSchedule.bodyguardIndex = 0;
    gBodyguards[0].hp = 0;
    weaponSkill(73);
    beginAction(kSideEnemy, 0, kSideParty, kBodyguardLine);
    EXPECT_GT(runWeaponSkill(), 0);
    ASSERT_EQ(effectsOn(kSideParty), 1);
    EXPECT_EQ(effects_[0].index, kBodyguardLine);
    EXPECT_EQ(effects_[0].value, 99999);
    gBattleSchedule.soloMode = 0;
}

TEST_F(WeaponSkills, TechniqueNinetyThreeStopsWhenNoOpponentIsLeft) {
    for (int u = 1; u <= 3; ++u) gPartyMembers[u].hp = 0;
    gPartyMembers[1].hp = 1;
    weaponSkill(93);
    beginAction(kSideEnemy, 0, kSideParty, 0);
    gMonsters[kMonster].attack = 500;
    EXPECT_GT(runWeaponSkill(), 0);
    EXPECT_LT(effectsOn(kSideParty), 5);
    EXPECT_GE(effectsOn(kSideParty), 1);
}

TEST_F(WeaponSkills, StealTakesTheDropOnceAndShowsItsOwnText) {
    const int item = 130;
    gMonsters[kMonster].dropItem = item;
    const int owned = gItemStock[item].owned;
    const WeaponSkillRow nextRow = gWeaponSkills[kRow + 1];
    weaponSkill(106);
    beginAction(kSideParty, kBodyguardLine, kSideEnemy, 0);
    EXPECT_GT(runWeaponSkill(), 0);
    EXPECT_EQ(gItemStock[item].owned, owned + 1);
    EXPECT_EQ(gEnemyBattlers[0].dropRolled, 1);
    EXPECT_NE(std::strstr(gStealBanner, "を盗んだ"), nullptr);
    EXPECT_EQ(effectsOn(kSideEnemy), 1);
    // The table rows are left alone.
    EXPECT_STREQ(gWeaponSkills[kRow].name, "skill");
    EXPECT_EQ(std::memcmp(&gWeaponSkills[kRow + 1], &nextRow, sizeof nextRow), 0);

    // A second steal finds nothing and still strikes.
    effects_.clear();
    beginAction(kSideParty, kBodyguardLine, kSideEnemy, 0);
    EXPECT_GT(runWeaponSkill(), 0);
    EXPECT_EQ(gItemStock[item].owned, owned + 1);
    EXPECT_STREQ(gStealBanner, "何も持っていない");
    EXPECT_EQ(effectsOn(kSideEnemy), 1);
    gItemStock[item].owned = owned;
}

TEST_F(WeaponSkills, AnEnemyBlowAtAFallenOrEmptySlotFindsAStandingMember) {
    for (int aimed : {1, 2}) {
        SetUp();
        gPartyMembers[2].hp = 0;  // slot 1 fallen
        gParty[2] = 0;            // slot 2 empty
        weaponSkill(72);
        beginAction(kSideEnemy, 0, kSideParty, aimed);
        EXPECT_GT(runWeaponSkill(), 0);
        ASSERT_EQ(effectsOn(kSideParty), 3) << aimed;
        for (const QueuedEffect& e : effects_) EXPECT_EQ(e.index, 0) << aimed;
        TearDown();
    }
}

TEST_F(WeaponSkills, AnActionWithoutAScriptEndsAtOnce) {
    weaponSkill(14);
    beginAction(kSideParty, 0, kSideEnemy, 0);
    EXPECT_EQ(runWeaponSkill(10), 2);
    gBattleAction.pendingWeaponSkill = 77;  // outside the table
    beginAction(kSideParty, 0, kSideEnemy, 0);
    EXPECT_EQ(runWeaponSkill(10), 2);
}

TEST_F(WeaponSkills, SplitFillsTheFirstThreeSlotsKeepingTheActorsHp) {
    gEnemyBattlers[1].monster = 0;
    gEnemyBattlers[2].monster = 0;
    gEnemyBattlers[0].hp = 1234;
    gEnemyBattlers[0].status[kStatusHaste] = 1;
    random_.script({1});
    weaponSkill(100);
    beginAction(kSideEnemy, 0, kSideParty, 0);
    EXPECT_GT(runWeaponSkill(), 0);
    EXPECT_EQ(gEnemyBattlers[1].monster, kMonster);
    EXPECT_EQ(gEnemyBattlers[1].hp, 1234);
    EXPECT_EQ(gEnemyBattlers[0].monster, kMonster + 1);
    EXPECT_EQ(gEnemyBattlers[2].monster, kMonster + 1);
    EXPECT_EQ(gEnemyBattlers[0].hp, gMonsters[kMonster + 1].hp);
    for (int i = 0; i < 3; ++i) EXPECT_EQ(gEnemyBattlers[i].status[kStatusHaste], 1);
    for (int i = 0; i < 3; ++i) EXPECT_FLOAT_EQ(gEnemyActors[i].x, gEnemyHomes[i][0]);
}

}  // namespace

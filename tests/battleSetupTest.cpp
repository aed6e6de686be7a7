// The set-up of a battle, its end, the message hold and the pending action.
#include "tests/battleFixture.h"

namespace battletest {
namespace {

using BattleSetup = BattleTest;

TEST_F(BattleSetup, FillsEnemiesRewardsAndStartsOnTheScheduler) {
    gEnemyGroups[kGroupTwoSlimes].monsters[3] = kOgre;
    gMonsters[kSlime].card = 40;
    std::strcpy(gCurrentSong, "field-song");
    setUpBattle(kGroupTwoSlimes);

    EXPECT_EQ(gInBattle, 1);
    EXPECT_EQ(gBattleGroup, kGroupTwoSlimes);
    EXPECT_EQ(gBattleAction.phase, kPhaseAfterAction);
    EXPECT_STREQ(gRememberedSong, "field-song");
    EXPECT_STREQ(gRequestedSong, "battle-song");
    EXPECT_EQ(gEnemyBattlers[0].monster, kSlime);
    EXPECT_EQ(gEnemyBattlers[0].hp, 30);
    EXPECT_EQ(gEnemyBattlers[0].maxHp, 30);
    EXPECT_EQ(gEnemyBattlers[3].actionValue, 500);
    EXPECT_EQ(gEnemyBattlers[2].monster, 0);
    EXPECT_EQ(gBattleSchedule.groupExperience, 7 + 7 + 100);
    EXPECT_EQ(gBattleRewards.experiencePool, 114);
    EXPECT_EQ(gBattleRewards.money, 72);
    EXPECT_EQ(gBattleRewards.card, 12);  // the last present slot with a card wins
    for (int k = 0; k < kEnemySlotCount; ++k) {
        EXPECT_FLOAT_EQ(gEnemyActors[k].x, gEnemyHomes[k][0]);
        EXPECT_EQ(gEnemyBattlers[k].secondAction, 1);
    }
    EXPECT_FLOAT_EQ(gPartyActors[kBodyguardLine].x, 7.0f);
    EXPECT_FLOAT_EQ(gPartyActors[kBodyguardLine].z, 10.0f);
    EXPECT_EQ(gBattleSchedule.memberActionValue[1], computeUnitStat(2, kStatSpeed));
}

TEST_F(BattleSetup, PartyHomesFollowFormationAndOrder) {
    struct Case {
        int formation, order;
    };
    for (const Case c : {Case{0, 0}, Case{3, 2}, Case{7, 5}, Case{9, 4}}) {
        gFormation = c.formation;
        gFormationOrder = c.order;
        setUpBattle(kGroupTwoSlimes);
        for (int slot = 0; slot < 3; ++slot) {
            const int position = gFormationOrders[c.order][slot];
            const int row = gFormations[c.formation].row[position];
            const float x[3] = {4.0f, 6.0f, 8.0f};
            const float z[3] = {10.0f, 4.0f, 16.0f};
            EXPECT_FLOAT_EQ(gPartyHomes[slot][0], x[row]) << c.formation << "/" << c.order << " slot " << slot;
            EXPECT_FLOAT_EQ(gPartyHomes[slot][2], z[position]);
            EXPECT_FLOAT_EQ(gPartyActors[slot].x, gPartyHomes[slot][0]);
        }
    }
}

TEST_F(BattleSetup, WornItemsGrantStatusesAndFirstStrike) {
    struct Case {
        int item;
        std::vector<int> statuses;
    };
    const Case cases[] = {
        {87, {kStatusRegen}}, {94, {kStatusRegen}}, {89, {kStatusDoom}}, {95, {kStatusSpRegen}},
        {98, {kStatusSpRegen}}, {97, {kStatusCurse}}, {121, {kStatusAttackUp}}, {122, {kStatusDefenceUp}},
        {123, {kStatusMagicUp}}, {124, {kStatusMagicDefenceUp}},
        {99, {kStatusAttackUp, kStatusDefenceUp, kStatusMagicUp, kStatusMagicDefenceUp, kStatusHaste, kStatusRegen,
              kStatusSpRegen}},
        {50, {}},
    };
    for (const Case& c : cases) {
        gPartyMembers[2].equipment[3] = c.item;
        setUpBattle(kGroupTwoSlimes);
        std::uint8_t expected[kStatusCount] = {};
        for (int s : c.statuses) expected[s] = 1;
        for (int s = 0; s < kStatusCount; ++s) EXPECT_EQ(gMemberBattleStatus[1].status[s], expected[s]) << c.item << " " << s;
        for (int s = 0; s < kStatusCount; ++s) EXPECT_EQ(gMemberBattleStatus[0].status[s], 0);
    }
    gPartyMembers[2].equipment[3] = 0;
    gPartyMembers[3].equipment[2] = 109;
    setUpBattle(kGroupTwoSlimes);
    EXPECT_EQ(gBattleSchedule.memberActionValue[2], 999999);
    scheduleNextTurn();
    EXPECT_EQ(gBattleAction.actingSide, kSideParty);
    EXPECT_EQ(gBattleAction.actingIndex, 2);  // acts first in the first round
}

TEST_F(BattleSetup, GroupsWithTheirOwnOpenings) {
    setUpBattle(1);
    EXPECT_EQ(gMemberBattleStatus[0].status[kStatusDefenceUp], 1);

    gMemberBattleStatus[2].status[kStatusHaste] = 1;
    gPartyMembers[4].equipment[0] = 121;
    setUpBattle(57);
    EXPECT_EQ(gParty[0], 0);
    EXPECT_EQ(gParty[1], 0);
    EXPECT_EQ(gParty[2], 4);
    // Slot 2 took unit 4's own speed and statuses, not unit 3's.
    EXPECT_EQ(gBattleSchedule.memberActionValue[2], computeUnitStat(4, kStatSpeed));
    EXPECT_EQ(gMemberBattleStatus[2].status[kStatusHaste], 0);
    EXPECT_EQ(gMemberBattleStatus[2].status[kStatusAttackUp], 1);
}

TEST_F(BattleSetup, BodyguardsAboveTheirMaximumAreCutDown) {
    gBodyguards[1].hp = 99999;
    gBodyguards[2].hp = 3;
    setUpBattle(kGroupTwoSlimes);
    EXPECT_EQ(gBodyguards[1].hp, computeBodyguardStat(1, kStatMaxHp));
    EXPECT_EQ(gBodyguards[2].hp, 3);
}

TEST_F(BattleSetup, GroupOutsideTheTableIsAnEmptyBattle) {
    setUpBattle(500);
    EXPECT_EQ(gInBattle, 1);
    for (const EnemyBattler& e : gEnemyBattlers) EXPECT_EQ(e.monster, 0);
    scheduleNextTurn();
    EXPECT_EQ(gBattleRewards.outcome, kOutcomeVictory);
}

TEST_F(BattleSetup, EndBattleRestoresTheFieldsState) {
    std::strcpy(gCurrentSong, "field-song");
    setUpBattle(kGroupTwoSlimes);
    std::strcpy(gCurrentSong, "battle-song");  // the player has switched
    gRequestedSong[0] = '\0';
    gMemberBattleStatus[0].maxHpBonus = 500;
    gPartyMembers[1].hp = computeUnitStat(1, kStatMaxHp);  // includes the bonus
    gPartyMembers[2].hp = 0;
    gMemberBattleStatus[1].status[kStatusEvade] = 1;
    gMemberBattleStatus[1].status[kStatusDoom] = 1;
    gBodyguards[0].hp = 999999;
    endBattle();

    EXPECT_EQ(gInBattle, 0);
    EXPECT_EQ(gScene, 2);
    EXPECT_EQ(gRedrawRequest[0], 2);
    EXPECT_EQ(gPartyMembers[1].hp, computeUnitStat(1, kStatMaxHp));
    EXPECT_EQ(gPartyMembers[2].hp, 1);
    EXPECT_EQ(gMemberBattleStatus[1].status[kStatusDoom], 0);
    EXPECT_EQ(gMemberBattleStatus[1].status[kStatusEvade], 1);  // kept until the next set-up
    EXPECT_EQ(gBodyguards[0].hp, computeBodyguardStat(0, kStatMaxHp));
    EXPECT_STREQ(gRequestedSong, "field-song");
}

TEST_F(BattleSetup, SameSongAsTheFieldRequestsNothingAtTheEnd) {
    std::strcpy(gCurrentSong, "battle-song");
    setUpBattle(kGroupTwoSlimes);
    gRequestedSong[0] = '\0';
    endBattle();
    EXPECT_STREQ(gRequestedSong, "");
}

TEST_F(BattleSetup, PendingActionFromCodes) {
    gWeaponSkills[20] = gWeaponSkills[0];
    gWeaponSkills[20].category = 12;
    gWeaponSkills[20].level = 0;
    gWeaponSkills[21] = gWeaponSkills[20];  // a second row of the same code: the first counts
    gStoneSkills[5].attribute = 3;
    gStoneSkills[5].level = 1;
    gStoneSkills[5].targetKind = 2;
    gStoneSkills[6].attribute = 9;
    gStoneSkills[6].level = 0;
    gStoneSkills[6].targetKind = 4;
    gItems[140].kind = 10;
    gItems[141].kind = 8;

    struct Case {
        int weapon, stone, item, side, startSide;
        int expectWeapon, expectStone, expectItem, expectSide;
    };
    const Case cases[] = {
        {120, -1, -1, 0, 0, 20, -1, -1, 1},
        {120, 31, 140, 1, 1, 20, -1, -1, 0},   // only the first given counts
        {-1, 31, -1, 0, 1, -1, 5, -1, 0},
        {-1, 90, -1, 0, 0, -1, 6, -1, 1},
        {-1, 77, -1, 0, 1, -1, -1, -1, 1},    // no row: the side is left as it was
        {99, -1, -1, 1, 1, -1, -1, -1, 0},    // no row, yet the side is set
        {-1, -1, 140, 0, 0, -1, -1, 140, 1},
        {-1, -1, 141, 1, 0, -1, -1, 141, 1},
        {-1, -1, -1, 0, 1, -1, -1, -1, 1},
    };
    for (const Case& c : cases) {
        gBattleAction.targetSide = c.startSide;
        gBattleAction.pendingWeaponSkill = gBattleAction.pendingStoneSkill = gBattleAction.pendingItem = 7;
        selectPendingAction(c.weapon, c.stone, c.item, c.side);
        EXPECT_EQ(gBattleAction.pendingWeaponSkill, c.expectWeapon) << c.weapon << "/" << c.stone << "/" << c.item;
        EXPECT_EQ(gBattleAction.pendingStoneSkill, c.expectStone) << c.weapon << "/" << c.stone << "/" << c.item;
        EXPECT_EQ(gBattleAction.pendingItem, c.expectItem);
        EXPECT_EQ(gBattleAction.targetSide, c.expectSide) << c.weapon << "/" << c.stone << "/" << c.item;
    }
}

TEST_F(BattleSetup, BattleMessageHoldsUntilDecideOnTheWholeText) {
    std::strcpy(gMessageText, "abcd");
    gMessageTyped = 2;
    gInputCode = kInputDecide;
    EXPECT_FALSE(waitBattleMessage());
    EXPECT_EQ(gBattleRewards.messageLock, 1);
    EXPECT_EQ(gInputCode, kInputNone);  // the half-shown text eats the key

    gMessageTyped = 4;
    gRedrawRequest[1] = 1;
    gInputCode = kInputNone;
    EXPECT_FALSE(waitBattleMessage());
    EXPECT_EQ(gRedrawRequest[1], 0);

    gInputCode = kInputDecide;
    EXPECT_TRUE(waitBattleMessage());
    EXPECT_EQ(gBattleRewards.messageLock, 0);
    EXPECT_EQ(gMessageTyped, 0);
    EXPECT_EQ(gRedrawRequest[1], 2);
    EXPECT_TRUE(soundPlayed("Pi.wav"));

    gSounds.clear();
    gConfig[6] = 1;
    gMessageTyped = 4;
    gInputCode = kInputDecide;
    EXPECT_TRUE(waitBattleMessage());
    EXPECT_FALSE(soundPlayed("Pi.wav"));
}

}  // namespace
}  // namespace battletest

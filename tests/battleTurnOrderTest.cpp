// The turn scheduler and the turn-order preview.
#include "battle/TurnOrder.h"
#include "tests/battleFixture.h"

namespace battletest {
namespace {

class BattleTurnOrder : public BattleTest {
protected:
    void SetUp() override {
        BattleTest::SetUp();
        setUpBattle(kGroupTwoSlimes);
    }
    // Every value by hand: enemies 0 and 1, members 0-2.
    static void values(int e0, int e1, int m0, int m1, int m2) {
        gEnemyBattlers[0].actionValue = e0;
        gEnemyBattlers[1].actionValue = e1;
        gBattleSchedule.memberActionValue[0] = m0;
        gBattleSchedule.memberActionValue[1] = m1;
        gBattleSchedule.memberActionValue[2] = m2;
    }
    // The actors of the next n schedulings, as "e0", "m2"...
    static std::string order(int n) {
        std::string out;
        for (int i = 0; i < n; ++i) {
            gEnemyBattlers[0].status[kStatusRegen] = 0;
            scheduleNextTurn();
            if (!out.empty()) out += ' ';
            out += (gBattleAction.actingSide == kSideEnemy ? "e" : "m") + std::to_string(gBattleAction.actingIndex);
            emptyDamagePopups();
        }
        return out;
    }
};

TEST_F(BattleTurnOrder, LargestValueActsAndTiesGoToEnemiesThenLowerSlots) {
    struct Case {
        int e0, e1, m0, m1, m2;
        const char* order;
    };
    const Case cases[] = {
        {5, 5, 5, 5, 5, "e0 e1 m0 m1 m2"},
        {1, 2, 3, 4, 5, "m2 m1 m0 e1 e0"},
        {9, 0, 9, 0, 0, "e0 m0"},
        {0, 7, 7, 7, 1, "e1 m0 m1 m2"},
    };
    for (const Case& c : cases) {
        values(c.e0, c.e1, c.m0, c.m1, c.m2);
        const int round = gBattleSchedule.roundCount;
        EXPECT_EQ(order(static_cast<int>((std::strlen(c.order) + 1) / 3)), c.order);
        EXPECT_EQ(gBattleSchedule.roundCount, round + 1) << c.order;  // the last spend began a new round
    }
}

TEST_F(BattleTurnOrder, MemberTurnOpensItsMenuAndEnemyTurnAsksItsChoice) {
    values(0, 0, 0, 8, 0);
    gBattleAction.commandCursor = 3;
    scheduleNextTurn();
    EXPECT_EQ(gBattleRewards.outcome, kOutcomeNextActor);
    EXPECT_EQ(gBattleAction.phase, kPhaseCommand);
    EXPECT_EQ(gBattleAction.commandCursor, 0);
    values(3, 0, 0, 0, 0);
    scheduleNextTurn();
    EXPECT_EQ(gBattleAction.actingSide, kSideEnemy);
    EXPECT_EQ(gBattleAction.phase, kPhaseActionStart);  // set by the enemy's choice
}

TEST_F(BattleTurnOrder, HasteGivesTwoActionsInARow) {
    values(0, 0, 0, 0, 0);
    gEnemyBattlers[0].monster = gEnemyBattlers[1].monster = 0;
    gEnemyBattlers[0].monster = kSlime;
    gMemberBattleStatus[1].status[kStatusHaste] = 1;
    gBattleSchedule.memberActionValue[1] = 100;
    gBattleSchedule.memberActionValue[0] = 50;
    gEnemyBattlers[0].actionValue = 10;
    EXPECT_EQ(order(4), "m1 m1 m0 e0");
    EXPECT_EQ(gMemberBattleStatus[1].secondAction, 1);  // restored by the new round
}

TEST_F(BattleTurnOrder, RefillAtTheStartRestoresValuesOnly) {
    gItems[60].bonuses[4] = 5000;  // a speed charm: member 0 is the fastest
    gPartyMembers[1].equipment[3] = 60;
    values(0, 0, 0, 0, 0);
    gMemberBattleStatus[0].status[kStatusHaste] = 1;
    gMemberBattleStatus[0].secondAction = 0;
    const int round = gBattleSchedule.roundCount;
    scheduleNextTurn();
    EXPECT_EQ(gBattleSchedule.roundCount, round + 1);
    EXPECT_EQ(gBattleAction.actingSide, kSideParty);
    EXPECT_EQ(gBattleAction.actingIndex, 0);
    // The second action was not restored, so the refilled value is what it spends.
    EXPECT_EQ(gBattleSchedule.memberActionValue[0], 0);
    EXPECT_EQ(gMemberBattleStatus[0].secondAction, 0);
    EXPECT_EQ(gBattleSchedule.memberActionValue[1], computeUnitStat(2, kStatSpeed));
}

TEST_F(BattleTurnOrder, DoomThatWouldFellWaitsForThePopups) {
    values(0, 0, 9, 0, 0);
    const int max = computeUnitStat(1, kStatMaxHp);
    gPartyMembers[1].hp = max / 4;
    gMemberBattleStatus[0].status[kStatusDoom] = 1;
    gMemberBattleStatus[0].status[kStatusRegen] = 1;
    scheduleNextTurn();
    EXPECT_EQ(gBattleRewards.outcome, kOutcomeWaitAgain);
    EXPECT_EQ(gBattleSchedule.memberActionValue[0], 9);  // not spent
    EXPECT_EQ(gDamagePopups[0].value, -(max / 10));     // regen queued first
    EXPECT_EQ(gDamagePopups[1].value, max / 4);
    EXPECT_EQ(gDamagePopups[0].kind, kPopupHp);
}

TEST_F(BattleTurnOrder, TicksByBattlerKind) {
    values(0, 0, 9, 0, 0);
    gPartyMembers[1].sp = 2;
    const int maxSp = computeUnitStat(1, kStatMaxSp);
    ASSERT_GT(maxSp / 10, 2);
    gMemberBattleStatus[0].status[kStatusCurse] = 1;
    gMemberBattleStatus[0].status[kStatusSpRegen] = 1;
    scheduleNextTurn();
    EXPECT_EQ(gDamagePopups[0].value, -5);
    EXPECT_EQ(gDamagePopups[0].kind, kPopupSp);
    EXPECT_EQ(gDamagePopups[1].value, 2);  // never more than the member has
    emptyDamagePopups();

    gPartyMembers[1].sp = 0;
    values(0, 0, 9, 0, 0);
    gMemberBattleStatus[0].status[kStatusSpRegen] = 0;
    scheduleNextTurn();
    EXPECT_EQ(gDamagePopups[0].value, 0);  // a popup of 0 is still queued
    EXPECT_EQ(gDamagePopups[0].timer, 20);
    emptyDamagePopups();

    values(9, 0, 0, 0, 0);
    gEnemyBattlers[0].maxHp = 40;
    gEnemyBattlers[0].status[kStatusRegen] = 1;
    scheduleNextTurn();
    EXPECT_EQ(gDamagePopups[0].value, -10);  // a quarter for enemies
}

TEST_F(BattleTurnOrder, EndsFoundBeforeAnyPick) {
    for (int s = 0; s < 3; ++s) gPartyMembers[gParty[s]].hp = 0;
    scheduleNextTurn();
    EXPECT_EQ(gBattleRewards.outcome, kOutcomeWipeOut);
    for (int s = 0; s < 3; ++s) EXPECT_EQ(gPartyActors[s].pose, 4);

    gPartyMembers[1].hp = 10;
    gBattleSchedule.soloMode = 1;
    gBodyguards[0].hp = 0;
    gEnemyBattlers[0].monster = gEnemyBattlers[1].monster = 0;
    scheduleNextTurn();
    EXPECT_EQ(gBattleRewards.outcome, kOutcomeBodyguardFallen);  // before the victory
    gBodyguards[0].hp = 5;
    scheduleNextTurn();
    EXPECT_EQ(gBattleRewards.outcome, kOutcomeVictory);
}

TEST_F(BattleTurnOrder, BodyguardAloneStandsForTheParty) {
    gBattleSchedule.soloMode = 1;
    gBattleSchedule.bodyguardIndex = 1;
    gBodyguards[1].hp = 50;
    gBattleSchedule.bodyguardActionValue = 100;
    values(5, 5, 900, 900, 900);
    scheduleNextTurn();
    EXPECT_EQ(gBattleAction.actingSide, kSideParty);
    EXPECT_EQ(gBattleAction.actingIndex, kBodyguardLine);
    EXPECT_EQ(gBattleSchedule.bodyguardActionValue, 0);
    EXPECT_EQ(gBattleSchedule.memberActionValue[0], 900);  // members untouched
}

TEST_F(BattleTurnOrder, ReturningMonsterOfGroup16ActsAtOnce) {
    gEnemyGroups[16].monsters[0] = kOgre;
    setUpBattle(16);
    gEnemyBattlers[0].monster = 0;
    gEnemyBattlers[0].hp = 70;
    scheduleNextTurn();
    EXPECT_EQ(gEnemyBattlers[0].monster, kOgre);
    EXPECT_EQ(gEnemyBattlers[0].hp, 70);
    EXPECT_EQ(gBattleAction.actingSide, kSideEnemy);
    EXPECT_EQ(gBattleAction.actingIndex, 0);
    EXPECT_EQ(gBattleRewards.outcome, kOutcomeNextActor);
    EXPECT_EQ(gEnemyBattlers[0].actionValue, 0);

    gEnemyBattlers[0].monster = 0;
    gEnemyBattlers[0].hp = 0;
    scheduleNextTurn();
    EXPECT_EQ(gBattleRewards.outcome, kOutcomeVictory);
}

TEST_F(BattleTurnOrder, PreviewRunsAcrossARoundWithoutTouchingTheRecords) {
    gEnemyBattlers[1].monster = 0;
    gMonsters[kSlime].speed = 5;
    values(4, 0, 6, 0, 0);
    gBattleAction.actingSide = kSideParty;
    gBattleAction.actingIndex = 1;
    gMemberBattleStatus[2].status[kStatusHaste] = 1;
    const int speeds[3] = {battlerSpeed(0, 0), battlerSpeed(0, 1), battlerSpeed(0, 2)};
    TurnOrderEntry entries[8];
    ASSERT_EQ(previewTurnOrder(entries), 8);
    EXPECT_EQ(entries[0].side, kSideParty);
    EXPECT_EQ(entries[0].index, 1);
    EXPECT_EQ(entries[1].side, kSideParty);
    EXPECT_EQ(entries[1].index, 0);
    EXPECT_EQ(entries[2].side, kSideEnemy);
    // Then a new round from the speeds: the hasted member acts twice in a row.
    int hasted = 0;
    for (int i = 3; i < 8; ++i)
        if (entries[i].side == kSideParty && entries[i].index == 2) ++hasted;
    EXPECT_EQ(hasted, 2);
    EXPECT_EQ(gBattleSchedule.memberActionValue[0], 6);
    EXPECT_EQ(gEnemyBattlers[0].actionValue, 4);
    (void)speeds;
}

TEST_F(BattleTurnOrder, PreviewIcons) {
    gMonsters[kSlime].sprite = 16;
    EXPECT_EQ(turnOrderIcon(kSideEnemy, 0), 16);
    for (const auto& [sprite, icon] : {std::pair{47, 17}, {48, 18}, {49, 19}, {58, 12}, {17, 22}, {59, 22}}) {
        gMonsters[kSlime].sprite = sprite;
        EXPECT_EQ(turnOrderIcon(kSideEnemy, 1), icon) << sprite;
    }
    EXPECT_EQ(turnOrderIcon(kSideParty, 1), 1);  // unit 2
    for (const auto& [b, icon] : {std::pair{0, 20}, {1, 18}, {2, 17}, {3, 21}}) {
        gBattleSchedule.bodyguardIndex = b;
        EXPECT_EQ(turnOrderIcon(kSideParty, kBodyguardLine), icon);
    }
}

}  // namespace
}  // namespace battletest

// The damage resolver and the popups that land its changes.
#include "battle/BattlePopups.h"
#include "battle/DamageRules.h"
#include "tests/battleFixture.h"

namespace battletest {
namespace {

class BattleDamage : public BattleTest {
protected:
    void SetUp() override {
        BattleTest::SetUp();
        setUpBattle(kGroupTwoSlimes);
        gBattleAction.phase = kPhaseAfterAction;
    }
    // Runs the popups until every one has landed; the frames it took.
    int landAll() {
        int frames = 0;
        while (anyDamagePopupCounting() && frames < 100) {
            updateDamagePopups(resources, device.get());
            ++frames;
        }
        return frames;
    }
    static long long expectedPhysical(int attack, int defence, int power) {
        return spreadDamage(attackBase(attack, defence, power), peekRandom());
    }
};

TEST_F(BattleDamage, AttackArithmeticMatchesTheWorkedExamples) {
    struct Case {
        long long base;
        int r;
        long long damage;
    };
    for (const Case c : {Case{100, 0, 80}, Case{100, 999, 119}, Case{0, 500, 0}, Case{1, 999, 0}, Case{10, 500, 10}})
        EXPECT_EQ(spreadDamage(c.base, c.r), c.damage) << c.base << " r " << c.r;

    struct BaseCase {
        int attack, defence, power;
        long long base;
    };
    const BaseCase bases[] = {
        {100, 0, 100, 195},   // 100 x 1.95
        {100, 100, 100, 5},   // (195 - 190)
        {10, 100, 100, 0},    // negative becomes 0
        {200, 50, 150, 442},  // (390 - 95) x 1.5 = 442.5
        {1000, 0, 1, 19},     // 1950 x 0.01
    };
    for (const BaseCase& c : bases) EXPECT_EQ(attackBase(c.attack, c.defence, c.power), c.base) << c.attack;
}

TEST_F(BattleDamage, PhysicalHitOnAnEnemyLandsAfterTwentyFrames) {
    const int attack = computeUnitStat(1, kStatAttack);
    const long long expected = expectedPhysical(attack, 5, 100);
    resolveEffect(kSideParty, 0, kSideEnemy, 1, 100, 0, kEffectPhysical);
    EXPECT_EQ(gDamagePopups[0].timer, 20);
    EXPECT_EQ(gDamagePopups[0].value, expected);
    EXPECT_EQ(gDamagePopups[0].kind, kPopupHp);
    for (int f = 1; f <= 19; ++f) {
        updateDamagePopups(resources, device.get());
        EXPECT_EQ(gEnemyBattlers[1].hp, 30) << f;
        if (expected > 0) {
            EXPECT_EQ(gEnemyActors[1].pose, 3) << f;  // hit pose while pending
        }
    }
    updateDamagePopups(resources, device.get());
    EXPECT_EQ(gDamagePopups[0].timer, 0);
    const long long left = 30 - expected;
    EXPECT_EQ(gEnemyBattlers[1].hp, left > 0 ? left : 0);
    EXPECT_EQ(gRedrawRequest[0], 2);
}

TEST_F(BattleDamage, AttackUpAndDefenceUpCancelExactly) {
    gMonsters[kSlime].defence = 0;
    gMemberBattleStatus[0].status[kStatusAttackUp] = 1;
    gEnemyBattlers[0].status[kStatusDefenceUp] = 1;
    const long long plain = expectedPhysical(computeUnitStat(1, kStatAttack), 0, 100);
    resolveEffect(kSideParty, 0, kSideEnemy, 0, 100, 0, kEffectPhysical);
    EXPECT_EQ(gDamagePopups[0].value, plain * 2 / 2);
}

TEST_F(BattleDamage, EvadeStopsEveryHitUntilTheMemberAttacks) {
    gMonsters[kSlime].attack = 2000;
    gMemberBattleStatus[1].status[kStatusEvade] = 1;
    for (int i = 0; i < 3; ++i) {
        resolveEffect(kSideEnemy, 0, kSideParty, 1, 100, 0, i == 1 ? kEffectMagic : kEffectPhysical);
        EXPECT_EQ(gDamagePopups[i].kind, kPopupMiss);
        EXPECT_EQ(gDamagePopups[i].value, 0);
    }
    EXPECT_EQ(gMemberBattleStatus[1].status[kStatusEvade], 1);
    resolveEffect(kSideParty, 1, kSideEnemy, 0, 100, 0, kEffectPhysical);
    EXPECT_EQ(gMemberBattleStatus[1].status[kStatusEvade], 0);
}

TEST_F(BattleDamage, GambleCharmRollsOncePerWornCopy) {
    gMonsters[kSlime].attack = 2000;
    gPartyMembers[2].equipment[2] = 117;
    gPartyMembers[2].equipment[3] = 117;
    const int defence = computeUnitStat(2, kStatDefence);
    const int saved = gRandomLast;
    const int r0 = randomThousand();
    const int r1 = randomThousand();
    const int r2 = randomThousand();
    gRandomLast = saved;
    long long expected = spreadDamage(attackBase(2000, defence, 100), r0);
    int kind = kPopupHp;
    for (int r : {r1, r2}) {
        if (r % 2 == 0) {
            expected *= 2;
        } else {
            expected = 0;
            kind = kPopupMiss;
        }
    }
    resolveEffect(kSideEnemy, 0, kSideParty, 1, 100, 0, kEffectPhysical);
    EXPECT_EQ(gDamagePopups[0].value, expected);
    EXPECT_EQ(gDamagePopups[0].kind, kind);
}

TEST_F(BattleDamage, HealIsNegativeAndStandsAFallenMemberUp) {
    const int magic = computeUnitStat(1, kStatMagic);
    const int r = peekRandom();
    gPartyMembers[2].hp = 0;
    gPartyActors[1].pose = 4;
    gMemberBattleStatus[0].status[kStatusMagicUp] = 1;
    resolveEffect(kSideParty, 0, kSideParty, 1, 40, 7, kEffectHeal);
    const long long heal = (spreadDamage(40 + magic, r) + 7) * 2;
    EXPECT_EQ(gDamagePopups[0].value, -heal);
    landAll();
    const int max = computeUnitStat(2, kStatMaxHp);
    EXPECT_EQ(gPartyMembers[2].hp, heal < max ? heal : max);
    EXPECT_EQ(gPartyActors[1].pose, 0);
}

TEST_F(BattleDamage, FixedChangesStatusesAndWordsLandOnTheirLines) {
    gPartyMembers[1].sp = 3;
    resolveEffect(kSideParty, 0, kSideParty, 0, kPopupSp, -500000, kEffectFixed);  // clamped gain, capped at max SP
    resolveEffect(kSideEnemy, 0, kSideEnemy, 0, 0, 0, kEffectGrantAttackUp + static_cast<int>(kStatusHaste));
    resolveEffect(kSideParty, 0, kSideParty, 2, 0, 0, kEffectGrantEvade);
    resolveEffect(kSideParty, 0, kSideParty, 1, 0, 0, kEffectMiss);
    EXPECT_EQ(gDamagePopups[0].value, -99999);
    EXPECT_EQ(gDamagePopups[0].kind, kPopupSp);
    EXPECT_EQ(gDamagePopups[1].kind, 8);
    landAll();
    EXPECT_EQ(gPartyMembers[1].sp, computeUnitStat(1, kStatMaxSp));
    EXPECT_EQ(gEnemyBattlers[0].status[kStatusHaste], 1);
    EXPECT_EQ(gMemberBattleStatus[2].status[kStatusEvade], 1);

    gMemberBattleStatus[2].status[kStatusDoom] = 1;
    gMemberBattleStatus[2].status[kStatusRegen] = 1;
    resolveEffect(kSideEnemy, 0, kSideParty, 2, 0, 0, kEffectDispel);
    landAll();
    EXPECT_EQ(gMemberBattleStatus[2].status[kStatusEvade], 0);
    EXPECT_EQ(gMemberBattleStatus[2].status[kStatusRegen], 0);
    EXPECT_EQ(gMemberBattleStatus[2].status[kStatusDoom], 1);  // a dispel leaves the curses
}

TEST_F(BattleDamage, PopupsOnOneBattlerStackInRows) {
    resolveEffect(kSideParty, 0, kSideEnemy, 0, 100, 0, kEffectPhysical);
    resolveEffect(kSideParty, 0, kSideEnemy, 0, 100, 0, kEffectPhysical);
    resolveEffect(kSideParty, 0, kSideEnemy, 1, 100, 0, kEffectPhysical);
    EXPECT_EQ(gDamagePopups[0].row, 0);
    EXPECT_EQ(gDamagePopups[1].row, 1);
    EXPECT_EQ(gDamagePopups[2].row, 0);
}

TEST_F(BattleDamage, EveryEntryIsUsedAndADisplacedPopupStillLands) {
    // 25 fixed HP changes fill every entry; the 26th takes over entry 20,
    // whose change lands at once instead of being lost.
    gEnemyBattlers[0].hp = gEnemyBattlers[0].maxHp = 99999;
    gEnemyBattlers[1].hp = gEnemyBattlers[1].maxHp = 99999;
    for (int i = 0; i < 25; ++i) resolveEffect(kSideParty, 0, kSideEnemy, i == 20 ? 1 : 0, 0, 10, kEffectFixed);
    for (const DamagePopup& p : gDamagePopups) EXPECT_EQ(p.timer, 20);
    resolveEffect(kSideParty, 0, kSideEnemy, 0, 0, 10, kEffectFixed);
    EXPECT_EQ(gEnemyBattlers[1].hp, 99989);
    EXPECT_EQ(gDamagePopups[20].index, 0);
    landAll();
    EXPECT_EQ(gEnemyBattlers[0].hp, 99999 - 25 * 10);
    EXPECT_EQ(gEnemyBattlers[1].hp, 99989);
}

TEST_F(BattleDamage, FallenEnemyRollsItsDropOnceAndLeavesOutsideAnAction) {
    gMonsters[kSlime].dropItem = 60;
    gMonsters[kSlime].dropChance = 1000;
    resolveEffect(kSideParty, 0, kSideEnemy, 0, 0, 50, kEffectFixed);
    landAll();
    EXPECT_EQ(gEnemyBattlers[0].hp, 0);
    EXPECT_EQ(gEnemyBattlers[0].monster, 0);
    EXPECT_EQ(gEnemyActors[0].pose, 3);
    EXPECT_EQ(gEnemyBattlers[0].dropRolled, 1);
    EXPECT_EQ(gBattleRewards.droppedItem, 60);

    gBattleRewards.droppedItem = 0;
    gBattleAction.phase = kPhaseActionRun;
    gMonsters[kSlime].dropChance = 0;
    resolveEffect(kSideParty, 0, kSideEnemy, 1, 0, 50, kEffectFixed);
    landAll();
    EXPECT_EQ(gEnemyBattlers[1].hp, 0);
    EXPECT_EQ(gEnemyBattlers[1].monster, kSlime);  // the end of the action removes it
    EXPECT_EQ(gEnemyBattlers[1].dropRolled, 1);
    EXPECT_EQ(gBattleRewards.droppedItem, 0);
}

TEST_F(BattleDamage, RevivalBringsBackHalfTheMaximum) {
    gPartyMembers[3].hp = 0;
    resolveEffect(kSideParty, 2, kSideParty, 2, 0, 0, kEffectRevive);
    gEnemyBattlers[1].monster = 0;
    gEnemyBattlers[1].hp = 0;
    resolveEffect(kSideEnemy, 0, kSideEnemy, 1, 0, 0, kEffectRevive);
    landAll();
    EXPECT_EQ(gPartyMembers[3].hp, computeUnitStat(3, kStatMaxHp) / 2);
    EXPECT_EQ(gEnemyBattlers[1].monster, kSlime);
    EXPECT_EQ(gEnemyBattlers[1].hp, 15);
}

TEST_F(BattleDamage, BoostItemReplacesAStoneSkillsEffect) {
    gItems[150].bonuses[2] = 777;
    gBattleRewards.boostItem = 150;
    gBattleAction.pendingStoneSkill = 3;
    gMemberBattleStatus[0].status[kStatusEvade] = 1;
    resolveEffect(kSideParty, 0, kSideEnemy, 0, 100, 0, kEffectHeal);
    resolveEffect(kSideParty, 0, kSideParty, 1, 100, 0, kEffectGrantAttackUp);
    EXPECT_EQ(gDamagePopups[0].value, 777);
    EXPECT_EQ(gDamagePopups[1].value, 777);
    EXPECT_EQ(gDamagePopups[1].kind, kPopupHp);
    EXPECT_EQ(gMemberBattleStatus[0].status[kStatusEvade], 0);
}

TEST_F(BattleDamage, CalledBodyguardStandsForThePartySide) {
    gBattleSchedule.soloMode = 1;
    gBattleSchedule.bodyguardIndex = 2;
    gBodyguards[2].hp = 40;
    gMonsters[kSlime].attack = 3000;
    resolveEffect(kSideEnemy, 0, kSideParty, 3, 100, 0, kEffectPhysical);
    landAll();
    EXPECT_EQ(gBodyguards[2].hp, 0);
    EXPECT_EQ(gPartyActors[3].pose, 4);
    EXPECT_EQ(gPartyMembers[1].hp, computeUnitStat(1, kStatMaxHp));
}

TEST_F(BattleDamage, PopupRiseClimbsHopsAndRests) {
    const float expected[21] = {0, 0, 0, 0, 0, 0, 0.05f, 0.1f, 0.15f, 0.2f, 0.25f, 0.3f, 0.35f, 0.4f,
                                0.3f, 0.25f, 0.2f, 0.15f, 0.1f, 0.05f, 0.0f};
    for (int t = 1; t <= 20; ++t) EXPECT_NEAR(popupRise(t), expected[t], 1e-6) << t;
}

}  // namespace
}  // namespace battletest

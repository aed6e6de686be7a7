#include "actionsFixture.h"

namespace {

// ---- mastery ----

using SkillMastery = BattleActionRun;

TEST_F(SkillMastery, ASuccessPaysTheBonusAndCountsBoth) {
    weaponSkill(20, 3);
    beginAction(kSideParty, 0, kSideEnemy, 0);
    PartyMember& m = gPartyMembers[1];
    m.skillCounts[0][0] = 45;
    m.sp = 0;
    gHitCount = 6;
    applySkillMastery(6);
    EXPECT_EQ(gSkillBonus, 9);  // (45 / 20 + 1) x 3
    EXPECT_EQ(m.sp, 9);
    EXPECT_EQ(m.skillCounts[0][0], 46);
    EXPECT_EQ(m.skillCounts[0][1], 1);
}

TEST_F(SkillMastery, AFailureCountsOnlyTheUse) {
    weaponSkill(20, 3);
    beginAction(kSideParty, 0, kSideEnemy, 0);
    gHitCount = 5;
    applySkillMastery(6);
    EXPECT_EQ(gPartyMembers[1].skillCounts[0][0], 0);
    EXPECT_EQ(gPartyMembers[1].skillCounts[0][1], 1);
    EXPECT_EQ(gSkillBonus, 0);
}

struct EquipCase {
    int items[4];
    int bonus;        // gSkillBonus after a success with base 3 and no successes
    int counted;      // what the counts grow by
    int kind;
};

TEST_F(SkillMastery, EquipmentShapesTheBonusInSlotOrder) {
    const EquipCase cases[] = {
        {{0, 0, 0, 0}, 3, 1, 0},
        {{16, 0, 0, 0}, 3, 3, 0},
        {{18, 0, 0, 0}, 3, 0, 0},
        {{0, 0, 104, 127}, 16, 1, 0},   // (3 + 5) x 2
        {{0, 0, 127, 104}, 11, 1, 0},   // 3 x 2 + 5
        {{0, 0, 111, 0}, 1, 0, 0},      // halved, nothing counted
        {{0, 0, 113, 0}, 60, 1, 1},     // maximum HP: x 20
        {{0, 0, 114, 120}, 460, 1, 2},  // HP: (3 + 20) x 20
    };
    for (const EquipCase& c : cases) {
        SetUp();
        weaponSkill(20, 3);
        beginAction(kSideParty, 0, kSideEnemy, 0);
        std::memcpy(gPartyMembers[1].equipment, c.items, sizeof c.items);
        gPartyMembers[1].sp = 0;
        gHitCount = 6;
        applySkillMastery(6);
        EXPECT_EQ(gSkillBonus, c.bonus) << c.items[0] << " " << c.items[2] << " " << c.items[3];
        EXPECT_EQ(gSkillBonusKind, c.kind);
        EXPECT_EQ(gPartyMembers[1].skillCounts[0][1], c.counted);
        EXPECT_EQ(gPartyMembers[1].skillCounts[0][0], c.counted);
        if (c.kind == 1) {
            EXPECT_EQ(gMemberBattleStatus[0].maxHpBonus, 60);
        }
        TearDown();
    }
}

TEST_F(SkillMastery, TheBonusIsCutToTheMaximum) {
    weaponSkill(20, 50);
    beginAction(kSideParty, 0, kSideEnemy, 0);
    const int maxSp = computeUnitStat(1, kStatMaxSp);
    gPartyMembers[1].sp = maxSp - 1;
    gHitCount = 6;
    applySkillMastery(6);
    EXPECT_EQ(gPartyMembers[1].sp, maxSp);
}

TEST_F(SkillMastery, EnemiesAndALoneBodyguardGainNothing) {
    weaponSkill(20, 3);
    beginAction(kSideEnemy, 0, kSideParty, 0);
    gHitCount = 9;
    applySkillMastery(6);
    EXPECT_EQ(gSkillBonus, 0);
    for (int u = 1; u <= 3; ++u) EXPECT_EQ(gPartyMembers[u].skillCounts[0][1], 0);
}

// ---- stone skills ----

using StoneSkills = BattleActionRun;

struct StoneCase {
    int attribute, level;
    int opponents;  // effects on the enemy side, party caster on enemy 0 / party 0
    int allies;     // effects on the party side
    bool targetsAllies;
};

TEST_F(StoneSkills, EveryCodeRunsToItsEndWithItsEffectsAndPaysOnce) {
    const StoneCase cases[] = {
        {1, 0, 9, 0, false},  // three flights over three enemies
        {1, 1, 0, 18, true},  // heal and five grants on three members
        {2, 0, 1, 0, false}, {2, 1, 0, 1, true},  {3, 0, 1, 0, false}, {3, 1, 0, 0, true},
        {4, 0, 3, 0, false}, {4, 1, 0, 3, true},  {5, 0, 3, 3, false}, {5, 1, 0, 1, true},
        {6, 0, 1, 0, false}, {6, 1, 0, 1, true},  {7, 0, 1, 0, false}, {7, 1, 0, 1, true},
        {8, 0, 3, 0, false}, {8, 1, 0, 3, true},  {9, 0, 1, 0, false}, {9, 1, 0, 1, true},
    };
    for (const StoneCase& c : cases) {
        SetUp();
        stoneSkill(c.attribute, c.level, 15, 50);
        gPartyMembers[1].sp = 100;
        const int side = c.targetsAllies ? kSideParty : kSideEnemy;
        beginAction(kSideParty, 0, side, 0);
        const int frames = runStoneSkill();
        const int code = c.attribute * 10 + c.level;
        EXPECT_GT(frames, 0) << "code " << code;
        EXPECT_EQ(gPartyMembers[1].sp, 85) << "code " << code;
        EXPECT_EQ(effectsOn(kSideEnemy), c.opponents) << "code " << code;
        EXPECT_EQ(effectsOn(kSideParty), c.allies) << "code " << code;
        // Code 50 strikes the caster too, who then shows the hit.
        if (code != 50) {
            EXPECT_EQ(gPartyActors[0].pose, 0) << "code " << code;
        }
        TearDown();
    }
}

std::vector<std::string> times(int n, const std::vector<std::string>& lines) {
    std::vector<std::string> out;
    for (int i = 0; i < n; ++i) out.insert(out.end(), lines.begin(), lines.end());
    return out;
}
std::vector<std::string> operator+(std::vector<std::string> a, const std::vector<std::string>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

class StoneSkillStrengths : public BattleActionRun {
protected:
    // What each effect of the running skill was, in order: "E" or "P" for the
    // enemy or party side, then "hit" and the magic strength, "heal" and the
    // flat amount, or the popup kind of a grant.
    std::vector<std::string> effectLines() const {
        std::vector<std::string> out;
        const int magic = gBattleAction.actingSide == kSideParty
                              ? computeUnitStat(gParty[gBattleAction.actingIndex], kStatMagic)
                              : gMonsters[kMonster].magic;
        for (const QueuedEffect& e : effects_) {
            std::string line = e.side == kSideParty ? "P " : "E ";
            if (e.kind == kPopupHp && e.value < 0)  // a heal of 10 + magic, then the flat amount
                line += "heal " + std::to_string(-e.value - spreadDamage(10 + magic, 0));
            else if (e.kind == kPopupHp)
                line += "hit " + std::to_string(strengthBehind(e, true));
            else
                line += "kind " + std::to_string(e.kind);
            out.push_back(line);
        }
        return out;
    }
};

// A row of power 77: attacks strike with 77, heals add 77 to 10 + the
// healer's magic, grants and revivals carry no strength.
TEST_F(StoneSkillStrengths, EveryCodeUsesTheRowsPowerAsItsTableSays) {
    const struct {
        int code;
        int actingSide;
        std::vector<std::string> effects;
    } cases[] = {
        {10, kSideParty, times(3, {"E hit 77", "E hit 77", "E hit 77"})},
        {11, kSideParty,
         times(3, {"P heal 77"}) + times(3, {"P kind 4"}) + times(3, {"P kind 5"}) + times(3, {"P kind 6"}) +
             times(3, {"P kind 7"}) + times(3, {"P kind 8"})},
        {20, kSideParty, {"E hit 77"}},
        {21, kSideParty, {"P kind 4"}},
        {30, kSideParty, {"E hit 77"}},
        {40, kSideParty, times(3, {"E hit 77"})},
        {41, kSideParty, times(3, {"P heal 77"})},
        {50, kSideEnemy, times(3, {"P hit 77"}) + times(3, {"E hit 77"})},
        {51, kSideParty, {"P kind 5"}},
        {60, kSideParty, {"E hit 77"}},
        {61, kSideParty, {"P kind 7"}},
        {70, kSideParty, {"E hit 77"}},
        {71, kSideParty, {"P heal 77"}},
        {80, kSideParty, times(3, {"E hit 77"})},
        {81, kSideParty, times(3, {"P heal 77"})},
        {90, kSideParty, {"E hit 77"}},
        {91, kSideParty, {"P kind 6"}},
    };
    for (const auto& c : cases) {
        SetUp();
        makeStrengthsReadable();
        stoneSkill(c.code / 10, c.code % 10, 0, 77);
        const bool atAllies = c.effects.front()[0] == 'P' && c.code != 50;
        const int targetSide = atAllies == (c.actingSide == kSideParty) ? kSideParty : kSideEnemy;
        beginAction(c.actingSide, 0, targetSide, 0);
        ASSERT_GT(runStoneSkill(), 0) << "code " << c.code;
        EXPECT_EQ(effectLines(), c.effects) << "code " << c.code;
        TearDown();
    }
}

TEST_F(StoneSkills, WornItemsScaleTheCost) {
    struct CostCase {
        int items[4];
        int cost, paid;
    };
    const CostCase cases[] = {
        {{0, 0, 126, 129}, 20, 20},
        {{0, 0, 129, 129}, 20, 5},
        {{0, 0, 129, 0}, 15, 7},
        {{0, 0, 126, 0}, 15, 30},
    };
    for (const CostCase& c : cases) {
        SetUp();
        stoneSkill(2, 0, c.cost, 50);
        std::memcpy(gPartyMembers[1].equipment, c.items, sizeof c.items);
        gPartyMembers[1].sp = 100;
        beginAction(kSideParty, 0, kSideEnemy, 0);
        EXPECT_GT(runStoneSkill(), 0);
        EXPECT_EQ(gPartyMembers[1].sp, 100 - c.paid) << c.cost;
        TearDown();
    }
}

TEST_F(StoneSkills, TheCostIsPaidEvenWhenTheTitleIsNotRedrawnInTheFirstFrame) {
    stoneSkill(2, 0, 15, 50);
    gPartyMembers[1].sp = 100;
    beginAction(kSideParty, 0, kSideEnemy, 0);
    gRedrawRequest[1] = 0;
    EXPECT_GT(runStoneSkill(), 0);
    EXPECT_EQ(gPartyMembers[1].sp, 85);
}

TEST_F(StoneSkills, EnemiesAndALoneBodyguardPayNothing) {
    stoneSkill(4, 1, 15, 50);
    gPartyMembers[1].sp = 100;
    gBattleSchedule.soloMode = 1;
    gBodyguards[0].hp = 100;
    beginAction(kSideParty, kBodyguardLine, kSideParty, kBodyguardLine);
    EXPECT_GT(runStoneSkill(), 0);
    EXPECT_EQ(gPartyMembers[1].sp, 100);
    ASSERT_EQ(effectsOn(kSideParty), 1);  // the heal reaches the bodyguard alone
    EXPECT_EQ(effects_[0].index, kBodyguardLine);
    gBattleSchedule.soloMode = 0;
}

TEST_F(StoneSkills, PartyReviveWorksOnlyOnAFallenMember) {
    for (int hp : {0, 50}) {
        SetUp();
        stoneSkill(3, 1, 10, 0);
        gPartyMembers[2].hp = hp;
        beginAction(kSideParty, 0, kSideParty, 1);
        EXPECT_GT(runStoneSkill(), 0);
        EXPECT_EQ(effectsOn(kSideParty, kPopupRevive), hp == 0 ? 1 : 0) << hp;
        TearDown();
    }
}

TEST_F(StoneSkills, TheActionEndsTwoCallsAfterTheEndStep) {
    stoneSkill(2, 0, 0, 50);
    beginAction(kSideParty, 0, kSideEnemy, 0);
    int endStepFrame = -1;
    for (int frame = 1; frame < 200; ++frame) {
        const int done = runStoneSkillAction(resources_, nullptr);
        if (gBattleAction.step == kScriptEndStep + 1 && endStepFrame < 0) endStepFrame = frame;
        if (done) {
            EXPECT_EQ(frame, endStepFrame + 1);
            break;
        }
    }
    EXPECT_GT(endStepFrame, 0);
}

TEST_F(StoneSkills, TheBoostIsClearedWhenTheSkillEnds) {
    stoneSkill(4, 1, 0, 50);
    gBattleRewards.boostItem = 165;
    beginAction(kSideParty, 0, kSideParty, 0);
    EXPECT_GT(runStoneSkill(), 0);
    EXPECT_EQ(gBattleRewards.boostItem, 0);
}

TEST_F(StoneSkills, AChangeOfFormKeepsTheWounds) {
    stoneSkill(9, 4, 0, 0);
    gEnemyBattlers[0].hp = 777;
    beginAction(kSideEnemy, 0, kSideParty, 0);
    EXPECT_GT(runStoneSkill(), 0);
    EXPECT_EQ(gEnemyBattlers[0].monster, 45);
    EXPECT_EQ(gEnemyBattlers[0].hp, 777);
}

// ---- items ----

using BattleItems = BattleActionRun;

class ItemRow {
public:
    ItemRow(int id, int fixed, int percent) : id_(id), saved_(gItems[id]), owned_(gItemStock[id].owned) {
        gItems[id].bonuses[2] = fixed;
        gItems[id].bonuses[3] = percent;
        gItems[id].kind = 8;
        gItemStock[id].owned = 3;
    }
    ~ItemRow() {
        gItems[id_] = saved_;
        gItemStock[id_].owned = owned_;
    }

private:
    int id_;
    ItemRecord saved_;
    int owned_;
};

TEST_F(BattleItems, APotionLeavesTheStockOnceAndHealsItsAmount) {
    ItemRow potion(130, 100, 0);
    gBattleAction.pendingItem = 130;
    beginAction(kSideParty, 0, kSideParty, 1);
    const int frames = runItem();
    // Step 0, the sound, the wait of 15, the wait of 10, then two closing frames.
    EXPECT_EQ(frames, 1 + 1 + 16 + 11 + 2);
    EXPECT_EQ(gItemStock[130].owned, 2);
    ASSERT_EQ(effectsOn(kSideParty), 1);
    EXPECT_EQ(effects_[0].index, 1);
    EXPECT_EQ(effects_[0].value, -100);
    EXPECT_EQ(soundsNamed("Item_Kaihuku.wav"), 1);
}

TEST_F(BattleItems, AnEnemysItemCostsNothing) {
    ItemRow potion(134, 100, 0);
    gBattleAction.pendingItem = 134;
    beginAction(kSideEnemy, 0, kSideEnemy, 0);
    EXPECT_GT(runItem(), 0);
    EXPECT_EQ(gItemStock[134].owned, 3);
    EXPECT_EQ(effectsOn(kSideEnemy), 1);
}

TEST_F(BattleItems, AWholeSideRecoverySkipsTheFallenAndUsesEachMaximum) {
    ItemRow item(131, 10, 50);
    gPartyMembers[2].hp = 0;
    gBattleAction.pendingItem = 131;
    beginAction(kSideParty, 0, kSideParty, 0);
    EXPECT_GT(runItem(), 0);
    ASSERT_EQ(effectsOn(kSideParty), 2);
    EXPECT_EQ(effects_[0].index, 0);
    EXPECT_EQ(effects_[0].value, -(10 + computeUnitStat(1, kStatMaxHp) * 50 / 100));
    EXPECT_EQ(effects_[1].index, 2);
    EXPECT_EQ(effects_[1].value, -(10 + computeUnitStat(3, kStatMaxHp) * 50 / 100));
}

TEST_F(BattleItems, StatusItemsSetStoryFlagOneTwentyForTheParty) {
    struct FlagCase {
        int id, side;
        bool flag;
    };
    const FlagCase cases[] = {{140, kSideParty, true}, {147, kSideParty, true}, {160, kSideParty, true},
                              {130, kSideParty, false}, {140, kSideEnemy, false}};
    for (const FlagCase& c : cases) {
        SetUp();
        ItemRow row(c.id, 10, 0);
        gBattleAction.pendingItem = c.id;
        beginAction(c.side, 0, c.side, 0);
        EXPECT_GT(runItem(), 0);
        EXPECT_EQ(gStoryFlags[120], c.flag ? 1 : 0) << c.id;
        TearDown();
    }
}

TEST_F(BattleItems, DoublingTheMaximumTwiceQuadruplesIt) {
    ItemRow item(146, 0, 0);
    const int before = computeUnitStat(1, kStatMaxHp);
    for (int use = 0; use < 2; ++use) {
        gBattleAction.pendingItem = 146;
        beginAction(kSideParty, 0, kSideParty, 0);
        EXPECT_GT(runItem(), 0);
    }
    EXPECT_EQ(computeUnitStat(1, kStatMaxHp), before * 4);
    EXPECT_EQ(gItemStock[146].owned, 1);
}

TEST_F(BattleItems, RegenerationShowsItsTwoEffectsThirtyFramesApart) {
    ItemRow item(159, 0, 0);
    gBattleAction.pendingItem = 159;
    beginAction(kSideParty, 0, kSideParty, 0);
    EXPECT_GT(runItem(), 0);
    ASSERT_EQ(effects_.size(), 2u);
    EXPECT_EQ(effects_[0].kind, static_cast<int>(kPopupStatusFirst) + static_cast<int>(kStatusRegen));
    EXPECT_EQ(effects_[1].kind, static_cast<int>(kPopupStatusFirst) + static_cast<int>(kStatusSpRegen));
    EXPECT_EQ(effects_[1].frame - effects_[0].frame, 31);
}

TEST_F(BattleItems, ABoostMakesTheNextStoneSkillDealTheItemsValue) {
    ItemRow boost(165, 321, 0);
    gBattleAction.pendingItem = 165;
    beginAction(kSideParty, 0, kSideEnemy, 0);
    EXPECT_GT(runItem(), 0);
    EXPECT_EQ(gBattleRewards.boostItem, 165);
    EXPECT_TRUE(effects_.empty());
    gBattleAction.pendingItem = -1;
    stoneSkill(4, 1, 0, 50);  // a heal
    beginAction(kSideParty, 0, kSideParty, 0);
    EXPECT_GT(runStoneSkill(), 0);
    ASSERT_EQ(effectsOn(kSideParty), 3);
    for (const QueuedEffect& e : effects_) EXPECT_EQ(e.value, 321);
    EXPECT_EQ(gBattleRewards.boostItem, 0);
}

TEST_F(BattleItems, AReviveOnAStandingMemberDoesNothing) {
    ItemRow item(155, 0, 0);
    gBattleAction.pendingItem = 155;
    beginAction(kSideParty, 0, kSideParty, 1);
    EXPECT_GT(runItem(), 0);
    EXPECT_TRUE(effects_.empty());
    EXPECT_EQ(gItemStock[155].owned, 2);
}

TEST_F(BattleItems, AnItemWithoutAScriptEndsAtOnceAfterLeavingTheStock) {
    ItemRow item(120, 0, 0);
    gBattleAction.pendingItem = 120;
    beginAction(kSideParty, 0, kSideParty, 0);
    EXPECT_EQ(runItem(), 2);
    EXPECT_EQ(gItemStock[120].owned, 2);
}

// ---- the item list ----

using ItemList = BattleActionRun;

TEST_F(ItemList, ShowsNothingOnItsFirstFrameThenMovesAndDecides) {
    ItemStock saved[kItemCount];
    std::memcpy(saved, gItemStock, sizeof saved);
    for (ItemStock& s : gItemStock) s.owned = 0;
    ItemRow a(130, 100, 0), b(131, 100, 0), c(141, 0, 0);
    gItems[141].kind = 10;
    gBattleAction.phase = kPhaseItemList;
    gBattleAction.listCursor = gBattleAction.listScroll = 0;
    gBattleRewards.itemListReady = 0;
    gInputCode = kInputRight;
    runBattleItemList(resources_, nullptr);
    EXPECT_EQ(gBattleRewards.itemListReady, 1);
    EXPECT_EQ(gBattleAction.listCursor, 0);  // the first frame does nothing
    gInputCode = kInputLeft;
    runBattleItemList(resources_, nullptr);
    EXPECT_EQ(gBattleAction.listCursor, 0);  // left on the first slot stays
    gInputCode = kInputDown;
    runBattleItemList(resources_, nullptr);
    EXPECT_EQ(gBattleAction.listCursor, 2);
    gInputCode = kInputDecide;
    runBattleItemList(resources_, nullptr);
    EXPECT_EQ(gBattleAction.pendingItem, 141);
    EXPECT_EQ(gBattleAction.phase, kPhaseItemEnemyTarget);
    EXPECT_EQ(gBattleAction.targetSide, kSideEnemy);
    std::memcpy(gItemStock, saved, sizeof saved);
}

}  // namespace

// The victory phase driven through the battle's frame: the count, the
// level-ups with their sound, the pay-out on decide into the currency of the
// moment, the item and the card; and the results screen's texts.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

#include "battle/BattleServices.h"
#include "battle/VictoryResults.h"
#include "battle/VictoryRewards.h"
#include "tests/battleFixture.h"
#include "tests/drawingRecordingDevice.h"
#include "tests/enemyScriptedRandom.h"

namespace {

using battletest::BattleTest;

class VictoryFrameTest : public BattleTest {
protected:
    void SetUp() override {
        BattleTest::SetUp();
        for (int unit = 1; unit <= 3; ++unit) gPartyMembers[unit].experience = experienceForNextLevel(30) - 5;
        setUpBattle(battletest::kGroupTwoSlimes);  // 2 x 7 experience, 2 x 11 money
        for (EnemyBattler& enemy : gEnemyBattlers) {
            enemy.monster = 0;
            enemy.hp = 0;
        }
        gBattleAction.phase = kPhaseVictory;
    }
    int lvupCount() const {
        return static_cast<int>(std::count(battletest::gSounds.begin(), battletest::gSounds.end(), "Lvup.wav"));
    }
};

TEST_F(VictoryFrameTest, CountsOneAFrameThenPaysIntoTheCurrencyOfTheMomentOnDecide) {
    gRegionCurrency = 0;
    gMoney[0] = gMoney[1] = gMoney[2] = 100;
    ASSERT_EQ(gBattleRewards.experiencePool, 14);
    for (int n = 1; n <= 14; ++n) {
        frame();
        ASSERT_EQ(gBattleRewards.experiencePool, 14 - n);
    }
    for (int unit = 1; unit <= 3; ++unit) {
        EXPECT_EQ(gPartyMembers[unit].experience, experienceForNextLevel(30) + 9);
        EXPECT_EQ(gPartyMembers[unit].level, 31);
    }
    EXPECT_EQ(lvupCount(), 3);
    // Nothing is paid while nobody presses decide.
    for (int n = 0; n < 30; ++n) frame();
    EXPECT_EQ(gMoney[0], 100);
    // The story changed the region's currency meanwhile: the reward follows it.
    gRegionCurrency = 2;
    frame(kInputDecide);
    EXPECT_EQ(gMoney[2], 122);
    EXPECT_EQ(gMoney[0], 100);
    EXPECT_EQ(gScene, 2);
}

TEST_F(VictoryFrameTest, ADecideDuringTheCountTakesTheRestAndASecondOneLeaves) {
    frame();
    frame(kInputDecide);
    EXPECT_EQ(gBattleRewards.experiencePool, 0);
    EXPECT_EQ(gInBattle, 1);  // the first decide was used up by the count
    EXPECT_EQ(gPartyMembers[1].experience, experienceForNextLevel(30) + 9);
    frame(kInputDecide);
    EXPECT_EQ(gInBattle, 0);
    EXPECT_EQ(gScene, 2);
}

TEST_F(VictoryFrameTest, TheDroppedItemAndTheCardJoinTheStocks) {
    gBattleRewards.droppedItem = 130;
    gBattleRewards.card = 12;
    framesUntil(50, [] { return gBattleRewards.experiencePool == 0; });
    frame(kInputDecide);
    EXPECT_EQ(gItemStock[130].owned, 1);
    EXPECT_EQ(gCardStock[12].count, 1);
    EXPECT_EQ(gCardStock[12].known, 1);
}

TEST_F(VictoryFrameTest, AGroupWorthNoExperiencePaysNothingAndLeavesByItself) {
    gBattleSchedule.groupExperience = 0;
    gBattleRewards.experiencePool = 0;
    gBattleRewards.droppedItem = 130;
    gMoney[0] = 5;
    gRegionCurrency = 0;
    ASSERT_TRUE(framesUntil(200, [] { return gScene == 2; }));
    EXPECT_EQ(gMoney[0], 5);
    EXPECT_EQ(gItemStock[130].owned, 0);
    EXPECT_EQ(lvupCount(), 0);
}

// The drop is rolled once, when a falling enemy's HP change lands: one draw
// below the row's chance (per mille) drops the item.
class VictoryDropTest : public BattleTest {
protected:
    bool dropsWith(int chance, int draw) {
        SetUp();
        gMonsters[battletest::kSlime].dropItem = 130;
        gMonsters[battletest::kSlime].dropChance = chance;
        setUpBattle(battletest::kGroupTwoSlimes);
        gBattleAction.phase = kPhaseAfterAction;
        ScriptedRandom random({draw});
        resolveEffect(kSideParty, 0, kSideEnemy, 0, 0, 30, kEffectFixed);
        for (int i = 0; i < 20; ++i) updateDamagePopups(resources, device.get());
        EXPECT_EQ(gEnemyBattlers[0].hp, 0);
        return gBattleRewards.droppedItem == 130;
    }
};

TEST_F(VictoryDropTest, TheDrawMustFallBelowTheChance) {
    const struct {
        int chance;
        int draw;
        bool drops;
    } cases[] = {
        {1, 0, true}, {0, 0, false}, {1000, 999, true}, {999, 999, false}, {500, 499, true}, {500, 500, false},
    };
    for (const auto& c : cases) EXPECT_EQ(dropsWith(c.chance, c.draw), c.drops) << c.chance << " at " << c.draw;
}

class VictoryScreenTest : public BattleTest {
protected:
    void SetUp() override {
        BattleTest::SetUp();
        recording.sprite = rec.createSprite(nullptr);
        auto texture = [](const char* name, int w, int h, bool target = false) {
            return std::make_unique<testing_gfx::RecordedTexture>(name, w, h, target, false, gfx::TextureFormat::A8R8G8B8);
        };
        recording.windowBackground = texture("background", 64, 64);
        recording.windowBorder = texture("border", 64, 64);
        recording.portraitSheet = texture("portraits", 512, 512);
        recording.layer1Target = texture("layer1", 640, 480, true);
        recording.layer2Target = texture("layer2", 640, 480, true);
        std::strcpy(gItems[130].name, "薬草");
        std::strcpy(gCardTable[12].name, "火竜");
        gParty[0] = 1;
        gParty[1] = 2;
        gParty[2] = 3;
        gPartyMembers[1].level = 3;
        gPartyMembers[1].experience = 80;
        gPartyMembers[2].hp = 0;
        gPartyMembers[3].level = 3;
        gPartyMembers[3].experience = 80;
        gBattleSchedule.groupExperience = 100;
        gBattleRewards.experiencePool = 100;
        gBattleRewards.money = 250;
        gBattleRewards.droppedItem = 0;
        gBattleRewards.card = kNoCard;
        gRegionCurrency = 1;
        gRedrawRequest[1] = 1;
    }
    const testing_gfx::TextDraw* text(const char* s) const {
        for (const auto& t : rec.textDraws)
            if (t.text == s) return &t;
        return nullptr;
    }
    testing_gfx::RecordingDevice rec;
    GraphicsResources recording;
};

TEST_F(VictoryScreenTest, ShowsTheRowsAndAWindowPerStandingMemberAtItsSlotsPlace) {
    gInputCode = kInputDecide;
    runVictoryResults(recording, &rec);
    EXPECT_EQ(gInputCode, kInputNone);  // used up by the count
    ASSERT_NE(text("獲得経験値"), nullptr);
    ASSERT_NE(text("0 p"), nullptr);
    ASSERT_NE(text("入手コイン"), nullptr);
    ASSERT_NE(text("250"), nullptr);
    EXPECT_EQ(text("250")->rect.right, 634);
    // Level 3 with 180 experience: level 5, 70 to go. Slot 1 has fallen: no window.
    ASSERT_NE(text("Lv 5"), nullptr);
    ASSERT_NE(text("180 p"), nullptr);
    ASSERT_NE(text("70 p"), nullptr);
    int levelRows = 0;
    for (const auto& t : rec.textDraws) {
        if (t.text == "Lv 5") {
            ++levelRows;
            EXPECT_TRUE(t.rect.left == 25 + 156 || t.rect.left == 225 + 156) << t.rect.left;
        }
    }
    EXPECT_EQ(levelRows, 2);
    EXPECT_EQ(text(gUnitBases[2].name), nullptr);
    ASSERT_NE(text(gUnitBases[3].name), nullptr);
    EXPECT_EQ(text(gUnitBases[3].name)->rect.top, 350 + 29);
    // The portrait of unit 3: column 2, row 0, at (234, 359).
    bool portrait = false;
    for (const auto& d : rec.spriteDraws) {
        if (d.texture == recording.portraitSheet.get() && d.src.left == 192 && d.translation.x == 234.0f &&
            d.translation.y == 359.0f)
            portrait = true;
    }
    EXPECT_TRUE(portrait);
    // No item and no card: the third row stays empty.
    for (const auto& t : rec.textDraws) EXPECT_NE(t.rect.top, 29) << t.text;
}

TEST_F(VictoryScreenTest, ShowsTheItemAndTheCardAndKeepsRedrawingWhileCounting) {
    gBattleRewards.droppedItem = 130;
    gBattleRewards.card = 12;
    runVictoryResults(recording, &rec);
    ASSERT_NE(text("薬草"), nullptr);
    ASSERT_NE(text("火竜のカード"), nullptr);
    EXPECT_EQ(text("火竜のカード")->rect.left, 326);
    EXPECT_EQ(gBattleRewards.experiencePool, 99);
    EXPECT_EQ(gRedrawRequest[1], 2);
}

}  // namespace

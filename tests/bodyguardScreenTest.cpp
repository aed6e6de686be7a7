#include "menus/BodyguardScreen.h"

#include "tests/campFixture.h"

namespace camptest {
namespace {

class BodyguardScreen : public CampTest {
protected:
    void SetUp() override {
        CampTest::SetUp();
        gScene = 207;
        const char* const names[4] = {"ガード零", "ガード一", "ガード二", "ガード三"};
        for (int b = 0; b < 4; ++b) std::snprintf(gBodyguards[b].name, sizeof gBodyguards[b].name, "%s", names[b]);
    }
};

TEST_F(BodyguardScreen, OnlyHiredBodyguardsHaveWindowsInTheirOwnPlaces) {
    gBodyguardHired[1] = 1;
    gBodyguardHired[3] = 1;
    redraw(runBodyguardScreen);
    EXPECT_FALSE(textDrawn("ガード零"));
    EXPECT_EQ(textAt(10 + 126, 10 + 115 + 19), "ガード一");
    EXPECT_EQ(textAt(10 + 126, 10 + 345 + 19), "ガード三");
    EXPECT_TRUE(textDrawn("売上累計額"));
    EXPECT_TRUE(textDrawn("回収宝箱数"));
    int portraits = 0;
    for (const auto& d : device.spriteDraws)
        if (d.texture == resources.portraitSheet.get()) {
            ++portraits;
            EXPECT_EQ(d.src.top, 288);
        }
    EXPECT_EQ(portraits, 2);
}

TEST_F(BodyguardScreen, RecordsCountCardsByRaritySalesAndChests) {
    gCardTable[4].rarity = 0;
    gCardStock[4].count = 3;  // three copies of one common count once
    gCardTable[9].rarity = 3;
    gCardStock[9].count = 1;
    gCardTable[10].rarity = 3;
    gCardStock[10].count = 0;
    gChestFlags[3] = gChestFlags[999] = 1;
    EXPECT_EQ(ownedCardsOfRarity(0), 1);
    EXPECT_EQ(ownedCardsOfRarity(3), 1);
    EXPECT_EQ(ownedCardsOfRarity(1), 0);
    EXPECT_EQ(openedChestCount(), 2);
    gBodyguardHired[0] = gBodyguardHired[1] = gBodyguardHired[3] = 1;
    gCumulativeSales = 123456;
    redraw(runBodyguardScreen);
    EXPECT_EQ(textCount("1枚"), 2);
    EXPECT_EQ(textCount("0枚"), 2);
    EXPECT_TRUE(textDrawn("123456"));
    EXPECT_TRUE(textDrawn("2"));
}

TEST_F(BodyguardScreen, HpAboveTheMaximumIsLoweredAndStaysLowered) {
    gBodyguardHired[0] = 1;
    const int maxHp = computeBodyguardStat(0, kStatMaxHp);
    gBodyguards[0].hp = maxHp + 50;
    redraw(runBodyguardScreen);
    EXPECT_EQ(gBodyguards[0].hp, maxHp);
    EXPECT_EQ(valueEndingAt(10 + 230, 10 + 49), std::to_string(maxHp));
}

TEST_F(BodyguardScreen, TheMageShowsMagicOverItsAttackStat) {
    gBodyguardHired[2] = 1;
    redraw(runBodyguardScreen);
    EXPECT_TRUE(textDrawn("魔力"));
    EXPECT_FALSE(textDrawn("攻撃力"));
    EXPECT_EQ(valueEndingAt(10 + 240, 10 + 230 + 79), std::to_string(computeBodyguardStat(2, kStatAttack)));
}

TEST_F(BodyguardScreen, CancelReturnsWithThePartysPortraitsLoadedAgain) {
    gBodyguardHired[0] = 1;
    settle(runBodyguardScreen);
    frame(runBodyguardScreen, kInputDecide);
    EXPECT_EQ(gScene, 207);
    frame(runBodyguardScreen, kInputCancel);
    EXPECT_EQ(gScene, 200);
    EXPECT_EQ(lastSound(), "Can.wav");
    ASSERT_EQ(device.texturesLoaded.size(), 1u);
    EXPECT_NE(device.texturesLoaded[0].find("347"), std::string::npos);
}

}  // namespace
}  // namespace camptest

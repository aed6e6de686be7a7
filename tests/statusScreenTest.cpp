#include "menus/StatusScreen.h"

#include "tests/campFixture.h"

namespace camptest {
namespace {

class StatusScreen : public CampTest {
protected:
    void SetUp() override {
        CampTest::SetUp();
        gScene = 204;
        const int category = gUnitBases[1].weaponCategory;
        for (int level = 0; level < 4; ++level) {
            WeaponSkillRow& w = gWeaponSkills[level];
            std::snprintf(w.name, sizeof w.name, "技%d", level);
            w.category = category;
            w.level = level;
            w.bonusBase = 10;
            w.range = level % 3;
        }
        std::memset(gPartyMembers[1].skillCounts, 0, sizeof gPartyMembers[1].skillCounts);
        for (int& e : gPartyMembers[1].equipment) e = 0;
        gPartyMembers[1].stones[0] = gPartyMembers[1].stones[1] = 0;
    }
    static void successes(int s0, int s1, int s2) {
        gPartyMembers[1].skillCounts[0][0] = s0;
        gPartyMembers[1].skillCounts[1][0] = s1;
        gPartyMembers[1].skillCounts[2][0] = s2;
    }
};

TEST_F(StatusScreen, WeaponSkillLevelsUnlockBySuccesses) {
    const struct {
        int s0, s1, s2;
        bool l1, l2, l3;
    } cases[] = {
        {29, 0, 0, false, false, false}, {30, 0, 0, true, false, false}, {60, 29, 0, true, false, false},
        {60, 30, 0, true, true, false},  {89, 1, 59, true, true, false}, {60, 60, 60, true, true, true},
        {200, 59, 200, true, true, false},
    };
    for (const auto& c : cases) {
        successes(c.s0, c.s1, c.s2);
        EXPECT_TRUE(weaponSkillLevelUnlocked(1, 0));
        EXPECT_EQ(weaponSkillLevelUnlocked(1, 1), c.l1) << c.s0;
        EXPECT_EQ(weaponSkillLevelUnlocked(1, 2), c.l2) << c.s0 << " " << c.s1;
        EXPECT_EQ(weaponSkillLevelUnlocked(1, 3), c.l3) << c.s0 << " " << c.s1 << " " << c.s2;
    }
    successes(29, 0, 0);
    redraw(runStatusScreen);
    EXPECT_TRUE(textDrawn("単:技0"));
    EXPECT_FALSE(textDrawn("全:技1"));
    successes(30, 0, 0);
    redraw(runStatusScreen);
    EXPECT_TRUE(textDrawn("全:技1"));
}

TEST_F(StatusScreen, BonusFigureFollowsSuccessesAndTheEquipmentInSlotOrder) {
    const struct {
        int items[4];
        int figure;
    } cases[] = {
        {{0, 0, 0, 0}, 30},     {{0, 0, 127, 0}, 60}, {{0, 104, 127, 0}, 70},
        {{0, 127, 0, 104}, 65}, {{111, 0, 0, 0}, 15}, {{0, 0, 120, 111}, 25},
    };
    successes(45, 0, 0);
    for (const auto& c : cases) {
        for (int k = 0; k < 4; ++k) gPartyMembers[1].equipment[k] = c.items[k];
        EXPECT_EQ(weaponSkillBonusFigure(1, 0), c.figure) << c.items[0] << c.items[1] << c.items[2] << c.items[3];
    }
    for (int& e : gPartyMembers[1].equipment) e = 0;
    redraw(runStatusScreen);
    EXPECT_TRUE(textDrawn("45/30"));
}

TEST_F(StatusScreen, ProfileShowsWhatTheStonesAllow) {
    gPartyMembers[1].level = 4;
    gPartyMembers[1].experience = 100;
    redraw(runStatusScreen);
    EXPECT_EQ(textAt(420, 100), "60");
    EXPECT_TRUE(textDrawn("Hp"));
    EXPECT_FALSE(textDrawn("Sp"));
    EXPECT_FALSE(textDrawn("魔力"));
    EXPECT_FALSE(textDrawn("Magical Stone A"));
    EXPECT_TRUE(textDrawn("現在スキンエンパイアに追われている、コール出身の女性"));

    gStoneFlags[0] = 1;
    gPartyMembers[1].stones[0] = 1;
    gMagicalStones[1].attribute = 7;
    StoneSkillRow& skill = gStoneSkills[9];
    std::snprintf(skill.name, sizeof skill.name, "マグネ");
    skill.attribute = 7;
    skill.level = 1;
    skill.spCost = 12;
    redraw(runStatusScreen);
    EXPECT_TRUE(textDrawn("Sp"));
    EXPECT_TRUE(textDrawn("魔力"));
    EXPECT_TRUE(textDrawn("Magical Stone B"));
    const testing_gfx::TextDraw* magnet = textNamed("磁:マグネ");
    ASSERT_NE(magnet, nullptr);
    EXPECT_EQ(magnet->rect.top, 340 + 25 * 1);
    EXPECT_TRUE(textDrawn("-12"));
}

TEST_F(StatusScreen, LeftAndRightStepThroughTheMembersAndCancelReturns) {
    settle(runStatusScreen);
    frame(runStatusScreen, kInputRight);
    EXPECT_EQ(gSubScreenCursor, 1);
    frame(runStatusScreen, kInputRight);
    EXPECT_EQ(gSubScreenCursor, 0);
    gParty[1] = 0;
    frame(runStatusScreen, kInputLeft);  // a party of one stays on its member, and redraws
    EXPECT_EQ(gSubScreenCursor, 0);
    EXPECT_EQ(gRedrawRequest[1], 1);
    frame(runStatusScreen, kInputDecide);
    EXPECT_EQ(gScene, 204);
    frame(runStatusScreen, kInputCancel);
    EXPECT_EQ(gScene, 200);
    EXPECT_EQ(lastSound(), "Can.wav");
}

}  // namespace
}  // namespace camptest

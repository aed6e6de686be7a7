#include "menus/MagicScreen.h"

#include "engine/Random.h"
#include "tests/campFixture.h"

namespace camptest {
namespace {

class MagicScreen : public CampTest {
protected:
    void SetUp() override {
        CampTest::SetUp();
        gScene = 205;
        gRandomLast = 0;
        // rows 2-17: list positions 0-15
        setSkill(2, "ヒール", 7, 10, 0, 2);       // position 0: 磁 (stone 1), one ally
        setSkill(3, "ヒールオール", 7, 30, 20, 3);  // position 1: 磁, every ally
        setSkill(4, "ファイア", 2, 5, 40, 1);      // position 2: 炎 (stone 2), an enemy
        setSkill(5, "キュア", 4, 8, 0, 2);         // position 3: 風 (stone 3)
        setSkill(6, "無", 0, 1, 0, 2);             // position 4: no stone opens attribute 0
        gStoneFlags[0] = 1;
        gPartyMembers[1].sp = 100;
    }
    static void setSkill(int row, const char* name, int attribute, int cost, int power, int target) {
        StoneSkillRow& s = gStoneSkills[row];
        std::snprintf(s.name, sizeof s.name, "%s", name);
        s.attribute = attribute;
        s.spCost = cost;
        s.power = power;
        s.targetKind = target;
    }
    // The draw randomThousand will make next, for the calendar second now.
    static int nextDraw() {
        return drawAfterSeed(static_cast<unsigned>(calendarNow()) + static_cast<unsigned>(gRandomLast)) % 1000;
    }
};

TEST_F(MagicScreen, ListsTheSkillsOfObtainedStonesAndGreysThoseNotCastableHere) {
    gPartyMembers[1].stones[0] = gPartyMembers[1].stones[1] = 0;  // wearing no stone does not matter
    EXPECT_TRUE(magicListed(0));
    EXPECT_TRUE(magicListed(1));
    EXPECT_FALSE(magicListed(2));
    EXPECT_FALSE(magicListed(4));
    EXPECT_TRUE(magicCastable(0, 1));
    gStoneFlags[1] = 1;  // stone 2 opens 炎: listed, but not a healing skill
    EXPECT_TRUE(magicListed(2));
    EXPECT_FALSE(magicCastable(2, 1));

    settle(runMagicMenu);
    frame(runMagicMenu, kInputDecide);
    frame(runMagicMenu);
    const testing_gfx::TextDraw* fire = textNamed("炎:ファイア");
    ASSERT_NE(fire, nullptr);
    EXPECT_NE(fire->colour, textNamed("磁:ヒール")->colour);  // grey against white
    EXPECT_FALSE(textDrawn("－:無"));
    gSubScreenListCursor = 2;
    frame(runMagicMenu, kInputDecide);
    EXPECT_EQ(lastSound(), "Buza.wav");
    EXPECT_EQ(gSubScreenPage, 1);
}

TEST_F(MagicScreen, HealIsEightyToJustUnderOneHundredTwentyPercent) {
    const struct {
        int d, r, heal;
    } cases[] = {{100, 0, 80}, {100, 999, 119}, {100, 500, 100}, {0, 999, 0}, {-20, 500, 0}, {7, 999, 8}};
    for (const auto& c : cases) EXPECT_EQ(campHealAmount(c.d, c.r), c.heal) << c.d << " " << c.r;
}

TEST_F(MagicScreen, CastingOnOneAllyHealsItPaysTheSpAndReturnsToTheList) {
    gPartyMembers[2].hp = 1;
    settle(runMagicMenu);
    frame(runMagicMenu, kInputDecide);  // caster: slot 0
    settle(runMagicMenu);
    frame(runMagicMenu, kInputDecide);  // ヒール
    EXPECT_EQ(gSubScreenPage, 2);
    EXPECT_EQ(gSubScreenListItem, 0);
    frame(runMagicMenu, kInputDown);
    EXPECT_EQ(gSubScreenListItem, 1);
    const int d = computeUnitStat(1, kStatMagic) + 0;
    const int expected = std::min(computeUnitStat(2, kStatMaxHp), 1 + campHealAmount(d, nextDraw()));
    frame(runMagicMenu, kInputDecide);
    EXPECT_EQ(lastSound(), "Zoku_7_1.wav");
    EXPECT_EQ(gPartyMembers[2].hp, expected);
    EXPECT_EQ(gPartyMembers[1].hp, 10);
    EXPECT_EQ(gPartyMembers[1].sp, 90);
    EXPECT_EQ(gSubScreenPage, 1);
}

TEST_F(MagicScreen, AWholePartyHealDrawsForEachMemberAndStopsAtTheMaximum) {
    gParty[2] = 3;
    gPartyMembers[3].hp = computeUnitStat(3, kStatMaxHp);
    gSubScreenPage = 1;
    gSubScreenListCursor = 1;
    settle(runMagicMenu);
    frame(runMagicMenu, kInputDecide);
    ASSERT_EQ(gSubScreenPage, 2);
    const int d = computeUnitStat(1, kStatMagic) + 20;
    const int before = gRandomLast;
    int expected[2];
    for (int k = 0; k < 2; ++k) {
        const int r = nextDraw();
        gRandomLast = drawAfterSeed(static_cast<unsigned>(calendarNow()) + static_cast<unsigned>(gRandomLast));
        expected[k] = std::min(computeUnitStat(k + 1, kStatMaxHp), 10 + campHealAmount(d, r));
    }
    gRandomLast = before;
    frame(runMagicMenu, kInputDecide);
    EXPECT_EQ(gPartyMembers[1].hp, expected[0]);
    EXPECT_EQ(gPartyMembers[2].hp, expected[1]);
    EXPECT_EQ(gPartyMembers[3].hp, computeUnitStat(3, kStatMaxHp));
    EXPECT_EQ(gPartyMembers[1].sp, 70);
}

TEST_F(MagicScreen, WhenTheSpRunsShortTheSkillGreysAndAnswersBuza) {
    gPartyMembers[1].sp = 15;
    gSubScreenPage = 1;
    settle(runMagicMenu);
    frame(runMagicMenu, kInputDecide);
    frame(runMagicMenu, kInputDecide);
    EXPECT_EQ(gPartyMembers[1].sp, 5);
    EXPECT_EQ(gSubScreenListCursor, 0);
    settle(runMagicMenu);
    redraw(runMagicMenu);
    EXPECT_NE(textNamed("磁:ヒール")->colour, 0xFFFFFFFFu);
    frame(runMagicMenu, kInputDecide);
    EXPECT_EQ(lastSound(), "Buza.wav");
    EXPECT_EQ(gSubScreenPage, 1);
}

TEST_F(MagicScreen, ListCursorWrapsAcrossSixteenPositionsAndPageZeroIgnoresUpAndDown) {
    settle(runMagicMenu);
    frame(runMagicMenu, kInputUp);
    frame(runMagicMenu, kInputDown);
    EXPECT_EQ(gSubScreenPage, 0);
    EXPECT_EQ(gSubScreenCursor, 0);
    EXPECT_TRUE(sounds().empty());
    frame(runMagicMenu, kInputDecide);
    const struct {
        int from, key, to;
    } moves[] = {{15, kInputRight, 0}, {0, kInputLeft, 15}, {14, kInputDown, 0}, {15, kInputDown, 1},
                 {0, kInputUp, 14},    {1, kInputUp, 15},    {6, kInputDown, 8}};
    for (const auto& m : moves) {
        gSubScreenListCursor = m.from;
        frame(runMagicMenu, m.key);
        EXPECT_EQ(gSubScreenListCursor, m.to) << m.from << " key " << m.key;
    }
    frame(runMagicMenu, kInputCancel);
    EXPECT_EQ(gSubScreenPage, 0);
    frame(runMagicMenu, kInputCancel);
    EXPECT_EQ(gScene, 200);
}

}  // namespace
}  // namespace camptest

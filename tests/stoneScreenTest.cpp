#include "menus/StoneScreen.h"

#include "menus/CampMenu.h"
#include "tests/campFixture.h"

namespace camptest {
namespace {

class StoneScreen : public CampTest {
protected:
    void SetUp() override {
        CampTest::SetUp();
        gScene = 203;
        const char* const names[9] = {"なし", "磁石", "炎石", "風石", "水石", "土石", "光石", "雷石", "闇石"};
        for (int k = 0; k < 9; ++k) std::snprintf(gMagicalStones[k].name, sizeof gMagicalStones[k].name, "%s", names[k]);
        for (int k = 0; k < 8; ++k) gStoneFlags[k] = 1;
        for (int u = 1; u < kUnitCount; ++u) gPartyMembers[u].stones[0] = gPartyMembers[u].stones[1] = 0;
    }
    void openList(int slot) {
        gSubScreenPage = 0;
        gSubScreenSlot = slot;
        settle(runStoneMenu);
        frame(runStoneMenu, kInputDecide);
        frame(runStoneMenu);
        redraw(runStoneMenu);
    }
};

TEST_F(StoneScreen, OffersObtainedStonesThatNoPartyMemberWears) {
    gStoneFlags[2] = 2;                  // stone 3 in its second state: never offered
    gStoneFlags[6] = 0;                  // stone 7 not obtained
    gPartyMembers[2].stones[1] = 1;      // worn by the other member
    gPartyMembers[4].stones[0] = 2;      // worn by someone who left the party: offered again
    const bool offered[9] = {false, false, true, false, true, true, true, false, true};
    for (int stone = 0; stone <= 8; ++stone) EXPECT_EQ(stoneOffered(stone), offered[stone]) << stone;
    openList(0);
    EXPECT_EQ(textAt(320, 168), "炎石");
    EXPECT_EQ(textAt(320, 193), "水石");
}

TEST_F(StoneScreen, ChoosingAStoneWearsItAndTheEmptyRowTakesItOff) {
    openList(1);  // slot B while slot A stays empty
    frame(runStoneMenu, kInputDown);
    settle(runStoneMenu);
    EXPECT_EQ(gSubScreenListItem, 2);
    frame(runStoneMenu, kInputDecide);
    EXPECT_EQ(lastSound(), "Kettei.wav");
    EXPECT_EQ(gPartyMembers[1].stones[1], 2);
    EXPECT_EQ(gPartyMembers[1].stones[0], 0);
    EXPECT_EQ(gSubScreenPage, 0);
    EXPECT_FALSE(stoneOffered(2));

    openList(1);
    for (int i = 0; i < 12; ++i) {  // down to the empty row after the seven offered, and no further
        frame(runStoneMenu, kInputDown);
        frame(runStoneMenu);
    }
    EXPECT_EQ(gSubScreenListCursor, 7);
    EXPECT_EQ(gSubScreenListItem, 0);
    frame(runStoneMenu, kInputDecide);
    EXPECT_EQ(gPartyMembers[1].stones[1], 0);
    EXPECT_TRUE(stoneOffered(2));

    // with both slots empty the camp menu shows no Sp line for the member
    gParty[1] = 0;
    gScene = 200;
    redraw(runCampMenu);
    EXPECT_EQ(textCount("Sp "), 0);
}

TEST_F(StoneScreen, SlotCursorTogglesAndCancelLeavesPageByPage) {
    settle(runStoneMenu);
    frame(runStoneMenu, kInputUp);
    EXPECT_EQ(gSubScreenSlot, 1);
    frame(runStoneMenu, kInputDown);
    EXPECT_EQ(gSubScreenSlot, 0);
    frame(runStoneMenu, kInputRight);
    EXPECT_EQ(gSubScreenCursor, 1);
    openList(0);
    frame(runStoneMenu, kInputUp);
    EXPECT_EQ(gSubScreenListCursor, 0);
    frame(runStoneMenu, kInputCancel);
    EXPECT_EQ(gSubScreenPage, 0);
    EXPECT_EQ(gScene, 203);
    frame(runStoneMenu, kInputCancel);
    EXPECT_EQ(gScene, 200);
}

}  // namespace
}  // namespace camptest

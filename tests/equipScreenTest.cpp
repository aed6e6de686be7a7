#include "menus/EquipScreen.h"

#include "tests/campFixture.h"

namespace camptest {
namespace {

class EquipScreen : public CampTest {
protected:
    void SetUp() override {
        CampTest::SetUp();
        gScene = 202;
        nameItem(0, "なし", 0);
        nameItem(10, "剣", 1, {10, 0, 0, 0, 0});
        nameItem(11, "大剣", 1, {25, -3, 0, 0, 0});
        nameItem(20, "銃", 2, {12});
        nameItem(40, "鎧", 6, {0, 8, 0, 0, -2});
        nameItem(50, "指輪", 7, {0, 0, 3, 3, 0});
        gPartyMembers[1].equipment[0] = 10;
        gItemStock[10].equipped = 1;
        for (int& e : gPartyMembers[2].equipment) e = 0;
        gPartyMembers[2].equipment[0] = 20;
        gItemStock[20].equipped = 1;
    }
    void openList(int slot) {
        gSubScreenPage = 0;
        gSubScreenSlot = slot;
        settle(runEquipMenu);
        frame(runEquipMenu, kInputDecide);
        frame(runEquipMenu);
        redraw(runEquipMenu);
    }
};

TEST_F(EquipScreen, SlotsAcceptTheUnitsWeaponKindProtectorsAndAccessories) {
    EXPECT_TRUE(equipSlotAccepts(1, 0, 10));
    EXPECT_FALSE(equipSlotAccepts(2, 0, 10));
    EXPECT_TRUE(equipSlotAccepts(2, 0, 20));
    EXPECT_TRUE(equipSlotAccepts(1, 1, 40));
    EXPECT_FALSE(equipSlotAccepts(1, 2, 40));
    EXPECT_TRUE(equipSlotAccepts(1, 2, 50));
    EXPECT_TRUE(equipSlotAccepts(1, 3, 50));
    EXPECT_FALSE(equipSlotAccepts(1, 0, 0));
}

TEST_F(EquipScreen, SwappingAWeaponMovesOneCopyEachWayAndShowsTheDifferences) {
    gItemStock[11].owned = 1;
    openList(0);
    EXPECT_EQ(gSubScreenListItem, 11);
    EXPECT_EQ(textAt(320, 168), "大剣");
    EXPECT_EQ(textAt(160, 180), "+15");  // attack 25 against 10
    EXPECT_EQ(textAt(160, 230), "-3");
    EXPECT_EQ(textAt(160, 280), "0");
    frame(runEquipMenu, kInputDecide);
    EXPECT_EQ(lastSound(), "Kettei.wav");
    EXPECT_EQ(gSubScreenPage, 0);
    EXPECT_EQ(gPartyMembers[1].equipment[0], 11);
    EXPECT_EQ(gItemStock[11].owned, 0);
    EXPECT_EQ(gItemStock[11].equipped, 1);
    EXPECT_EQ(gItemStock[10].owned, 1);
    EXPECT_EQ(gItemStock[10].equipped, 0);
}

TEST_F(EquipScreen, ExchangingForAnotherCopyOfTheSameItemLeavesTheCountsAndShowsE) {
    gItemStock[10].owned = 1;
    openList(0);
    EXPECT_EQ(textCount("E"), 5);
    frame(runEquipMenu, kInputDecide);
    EXPECT_EQ(gItemStock[10].owned, 1);
    EXPECT_EQ(gItemStock[10].equipped, 1);
    EXPECT_EQ(gPartyMembers[1].equipment[0], 10);
}

TEST_F(EquipScreen, EquippingIntoAnEmptySlotKeepsItemZerosStockUntouched) {
    gItemStock[40].owned = 2;
    openList(1);
    EXPECT_EQ(textAt(160, 230), "+8");
    EXPECT_EQ(textAt(160, 380), "-2");
    frame(runEquipMenu, kInputDecide);
    EXPECT_EQ(gPartyMembers[1].equipment[1], 40);
    EXPECT_EQ(gItemStock[40].owned, 1);
    EXPECT_EQ(gItemStock[40].equipped, 1);
    EXPECT_EQ(gItemStock[0].owned, 0);
    EXPECT_EQ(gItemStock[0].equipped, 0);
}

TEST_F(EquipScreen, TheEmptyRowTakesAProtectorOffButNeverAWeapon) {
    gPartyMembers[1].equipment[1] = 40;
    gItemStock[40].equipped = 1;
    openList(1);
    EXPECT_EQ(gSubScreenListItem, 0);  // nothing else owned: the cursor starts on the empty row
    EXPECT_EQ(textAt(160, 230), "-8");  // the differences of taking it off
    frame(runEquipMenu, kInputDown);  // no moving past the empty row
    EXPECT_EQ(gSubScreenListCursor, 0);
    frame(runEquipMenu, kInputDecide);
    EXPECT_EQ(lastSound(), "Kettei.wav");
    EXPECT_EQ(gPartyMembers[1].equipment[1], 0);
    EXPECT_EQ(gItemStock[40].owned, 1);
    EXPECT_EQ(gItemStock[40].equipped, 0);
    redraw(runEquipMenu);
    EXPECT_EQ(textAt(275, 80), "なし");

    openList(0);  // no other weapon of this unit's kind
    frame(runEquipMenu, kInputDecide);
    EXPECT_EQ(lastSound(), "Buza.wav");
    EXPECT_EQ(gPartyMembers[1].equipment[0], 10);
    EXPECT_EQ(gSubScreenPage, 1);
}

TEST_F(EquipScreen, OneAccessoryCannotBeWornTwiceButTwoCopiesCan) {
    gItemStock[50].owned = 1;
    openList(2);
    frame(runEquipMenu, kInputDecide);
    openList(3);
    EXPECT_EQ(gSubScreenListItem, 0);
    gItemStock[50].owned = 1;  // a second copy arrives
    openList(3);
    EXPECT_EQ(gSubScreenListItem, 50);
    frame(runEquipMenu, kInputDecide);
    EXPECT_EQ(gItemStock[50].equipped, 2);
    EXPECT_EQ(gItemStock[50].owned, 0);
}

TEST_F(EquipScreen, ASpecialItemLoweringTheMaximumCutsTheCurrentValues) {
    gItemStock[108].owned = 1;  // +1000 maximum Hp while worn
    nameItem(108, "命の指輪", 7);
    openList(2);
    frame(runEquipMenu, kInputDecide);
    const int raised = computeUnitStat(1, kStatMaxHp);
    gPartyMembers[1].hp = raised;
    openList(2);
    frame(runEquipMenu, kInputDown);  // onto the empty row after the (now worn) ring
    settle(runEquipMenu);
    frame(runEquipMenu, kInputDecide);
    EXPECT_EQ(gPartyMembers[1].equipment[2], 0);
    EXPECT_EQ(gPartyMembers[1].hp, computeUnitStat(1, kStatMaxHp));
    EXPECT_LT(gPartyMembers[1].hp, raised);
}

TEST_F(EquipScreen, SlotAndMemberCursorsWrapAndTheListScrollsPastTenRows) {
    settle(runEquipMenu);
    frame(runEquipMenu, kInputUp);
    EXPECT_EQ(gSubScreenSlot, 3);
    frame(runEquipMenu, kInputDown);
    EXPECT_EQ(gSubScreenSlot, 0);
    frame(runEquipMenu, kInputLeft);  // slot 2 is empty: from 0 back to 1
    EXPECT_EQ(gSubScreenCursor, 1);
    frame(runEquipMenu, kInputRight);
    EXPECT_EQ(gSubScreenCursor, 0);

    for (int id = 60; id < 75; ++id) {
        nameItem(id, "腕輪", 7);
        gItemStock[id].owned = 1;
    }
    openList(2);
    for (int i = 0; i < 13; ++i) {
        frame(runEquipMenu, kInputDown);
        frame(runEquipMenu);
    }
    EXPECT_EQ(gSubScreenListCursor, 10);
    EXPECT_EQ(gSubScreenListScroll, 3);
    EXPECT_EQ(gSubScreenListItem, 73);
    for (int i = 0; i < 15; ++i) {
        frame(runEquipMenu, kInputUp);
        frame(runEquipMenu);
    }
    EXPECT_EQ(gSubScreenListCursor, 0);
    EXPECT_EQ(gSubScreenListScroll, 0);
    frame(runEquipMenu, kInputCancel);
    EXPECT_EQ(gSubScreenPage, 0);
    frame(runEquipMenu, kInputCancel);
    EXPECT_EQ(gScene, 200);
}

}  // namespace
}  // namespace camptest

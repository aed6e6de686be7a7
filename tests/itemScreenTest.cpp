#include "menus/ItemScreen.h"

#include "tests/campFixture.h"

namespace camptest {
namespace {

class ItemScreen : public CampTest {
protected:
    void SetUp() override {
        CampTest::SetUp();
        gScene = 201;
        // 150: a single-member Hp potion of 50 plus 10 %; 151: a whole-party Sp tonic of 5 plus 0 %
        nameItem(150, "ポーション", 8, {1, 1, 50, 10});
        nameItem(151, "エーテル", 9, {2, 2, 5, 0});
        nameItem(152, "地図", 8, {0, 1, 10, 0});
        nameItem(3, "短剣", 1, {5});
        nameItem(190, "鍵", 10, {1, 1, 10, 0});
    }
};

TEST_F(ItemScreen, ListsHeldItemsFrom130UpThenFrom1) {
    gItemStock[3].owned = 2;
    gItemStock[150].owned = 1;
    gItemStock[199].owned = 4;
    gItemStock[129].owned = 1;
    gItemStock[60].equipped = 1;  // worn copies are not listed
    EXPECT_EQ(itemListAt(0), 150);
    EXPECT_EQ(itemListAt(1), 199);
    EXPECT_EQ(itemListAt(2), 3);
    EXPECT_EQ(itemListAt(3), 129);
    EXPECT_EQ(itemListAt(4), 0);
    redraw(runItemMenu);
    EXPECT_EQ(textAt(20, 60), "ポーション");
    EXPECT_EQ(valueEndingAt(210, 60), "1");
    EXPECT_EQ(gMenuSelectedItem, 150);
}

TEST_F(ItemScreen, OnlyRecoveryItemsOpenTheTargetPage) {
    const struct {
        int item;
        bool opens;
    } cases[] = {{150, true}, {151, true}, {152, false}, {3, false}, {190, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.item);
        std::memset(gItemStock, 0, sizeof gItemStock);
        gItemStock[c.item].owned = 1;
        gMenuPage = 0;
        sounds().clear();
        settle(runItemMenu);
        frame(runItemMenu, kInputDecide);
        EXPECT_EQ(gMenuPage, c.opens ? 1 : 0);
        EXPECT_EQ(sounds().size(), c.opens ? 1u : 0u);
    }
    std::memset(gItemStock, 0, sizeof gItemStock);  // nothing at all: blank and inert
    gMenuPage = 0;
    settle(runItemMenu);
    EXPECT_EQ(gMenuSelectedItem, kNoSelectedItem);
    frame(runItemMenu, kInputDecide);
    EXPECT_EQ(gMenuPage, 0);
}

TEST_F(ItemScreen, RecoveryAddsTheFixedAmountAndAPercentOfTheMaximumThenCaps) {
    // Unit 3 at level 7 in the second slot: a maximum of 24^2 x 360 / 600 = 345.
    gParty[1] = 3;
    gPartyMembers[3].level = 7;
    gPartyMembers[3].hp = 10;
    const int maxHp = computeUnitStat(3, kStatMaxHp);
    ASSERT_EQ(maxHp, 345);
    gItems[150].bonuses[2] = 50;
    gItems[150].bonuses[3] = 10;
    EXPECT_EQ(recoveryAmount(3, 150), 84) << "50 + 10 % of 345";

    gItemStock[150].owned = 2;
    gPartyMembers[1].hp = 0;  // a fallen member is healed like the others
    gPartyMembers[3].hp = 1;
    settle(runItemMenu);
    frame(runItemMenu, kInputDecide);
    ASSERT_EQ(gMenuPage, 1);
    EXPECT_EQ(gMenuTargetCursor, 0);
    frame(runItemMenu, kInputDown);
    EXPECT_EQ(gMenuTargetCursor, 1);
    frame(runItemMenu, kInputDown);  // slot 2 is empty: back to 0
    EXPECT_EQ(gMenuTargetCursor, 0);
    frame(runItemMenu, kInputUp);
    EXPECT_EQ(gMenuTargetCursor, 1);
    frame(runItemMenu, kInputDecide);
    EXPECT_EQ(lastSound(), "Item_Kaihuku.wav");
    EXPECT_EQ(gPartyMembers[3].hp, 85);
    EXPECT_EQ(gPartyMembers[1].hp, 0);
    EXPECT_EQ(gItemStock[150].owned, 1);
    EXPECT_EQ(gMenuPage, 1);  // a copy is left: still choosing a target

    gPartyMembers[3].hp = maxHp - 3;
    gPartyMembers[1].hp = computeUnitStat(1, kStatMaxHp) + 40;  // stood above its maximum
    frame(runItemMenu, kInputDecide);
    EXPECT_EQ(gPartyMembers[3].hp, maxHp);
    EXPECT_EQ(gPartyMembers[1].hp, computeUnitStat(1, kStatMaxHp));  // trimmed by the cap as well
    EXPECT_EQ(gItemStock[150].owned, 0);
    EXPECT_EQ(gMenuPage, 0);  // the last copy: back to the list
}

TEST_F(ItemScreen, AWholePartyItemRestoresEveryMemberAndOnlyOccupiedSlotsGetABar) {
    gParty[1] = 0;
    gParty[2] = 2;
    gItems[151].bonuses[2] = 1000;
    gItemStock[151].owned = 1;
    gItemStock[130].owned = 1;
    nameItem(130, "石", 11);
    settle(runItemMenu);
    frame(runItemMenu, kInputRight);
    settle(runItemMenu);
    ASSERT_EQ(gMenuSelectedItem, 151);
    frame(runItemMenu, kInputDecide);
    frame(runItemMenu);
    int bars = 0;
    for (const auto& d : device.spriteDraws)
        if (d.texture == resources.cursorBar.get() && d.translation.x == 155.0f) ++bars;
    EXPECT_EQ(bars, 2);
    frame(runItemMenu, kInputDecide);
    EXPECT_EQ(gPartyMembers[1].sp, computeUnitStat(1, kStatMaxSp));
    EXPECT_EQ(gPartyMembers[2].sp, computeUnitStat(2, kStatMaxSp));
    EXPECT_EQ(gPartyMembers[3].sp, 0);  // not in the party
}

TEST_F(ItemScreen, UsingTheLastCopyLeavesTheCursorOnTheNextItem) {
    gItemStock[150].owned = 1;
    gItemStock[151].owned = 1;
    gItems[150].bonuses[2] = 1;
    settle(runItemMenu);
    frame(runItemMenu, kInputDecide);
    frame(runItemMenu, kInputDecide);
    EXPECT_EQ(gMenuPage, 0);
    EXPECT_EQ(gMenuListCursor, 0);
    settle(runItemMenu);
    EXPECT_EQ(gMenuSelectedItem, 151);
}

TEST_F(ItemScreen, CursorScrollsByRowsAndStopsAtTheEnds) {
    for (int id = 1; id < 200; ++id) gItemStock[id].owned = 1;
    settle(runItemMenu);
    frame(runItemMenu, kInputLeft);  // the very first slot of the list
    frame(runItemMenu, kInputUp);
    EXPECT_EQ(gMenuListCursor, 0);
    EXPECT_EQ(gMenuTopCursor, 0);

    gMenuListCursor = 14;
    frame(runItemMenu, kInputRight);  // scrolls one row, onto the item after
    EXPECT_EQ(gMenuTopCursor, 1);
    EXPECT_EQ(gMenuListCursor, 12);
    frame(runItemMenu, kInputLeft);
    EXPECT_EQ(gMenuListCursor, 11);
    gMenuListCursor = 0;
    frame(runItemMenu, kInputLeft);  // from slot 0 back up a row, onto slot 2
    EXPECT_EQ(gMenuTopCursor, 0);
    EXPECT_EQ(gMenuListCursor, 2);
    frame(runItemMenu, kInputDown);
    EXPECT_EQ(gMenuListCursor, 5);

    // the lower limit: the position 3 x top + slot a scroll reaches may not be 197 or more
    gMenuTopCursor = 60;
    gMenuListCursor = 12;
    frame(runItemMenu, kInputDown);  // reaches 195: allowed
    EXPECT_EQ(gMenuTopCursor, 61);
    EXPECT_EQ(gMenuListCursor, 12);
    frame(runItemMenu, kInputDown);  // would reach 198: refused
    EXPECT_EQ(gMenuTopCursor, 61);
    gMenuListCursor = 14;
    frame(runItemMenu, kInputRight);  // would reach 198: refused
    EXPECT_EQ(gMenuTopCursor, 61);
    EXPECT_EQ(gMenuListCursor, 14);
}

TEST_F(ItemScreen, CancelReturnsToTheCampMenuFromTheListAndToTheListFromTheTargets) {
    gItemStock[150].owned = 1;
    settle(runItemMenu);
    frame(runItemMenu, kInputDecide);
    frame(runItemMenu, kInputCancel);
    EXPECT_EQ(gMenuPage, 0);
    EXPECT_EQ(gScene, 201);
    frame(runItemMenu, kInputCancel);
    EXPECT_EQ(gScene, 200);
    EXPECT_EQ(lastSound(), "Can.wav");
    EXPECT_EQ(gRedrawRequest[0], 1);
    EXPECT_EQ(gRedrawRequest[1], 1);
}

}  // namespace
}  // namespace camptest

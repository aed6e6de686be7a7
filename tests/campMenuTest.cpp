#include "menus/CampMenu.h"

#include "menus/Title.h"
#include "tests/campFixture.h"

namespace camptest {
namespace {

class CampMenu : public CampTest {};

TEST_F(CampMenu, LocksFollowTheFirstStoneAnyOwnedCardAndAHiredBodyguard) {
    struct Case {
        const char* what;
        std::uint8_t stone;
        int cardCount;
        std::uint8_t hired;
        bool stonesOpen, cardsOpen, guardsOpen;
    } const cases[] = {
        {"nothing", 0, 0, 0, false, false, false},
        {"stone state 2 opens too", 2, 0, 0, true, false, false},
        {"a card", 0, 1, 0, false, true, false},
        {"a bodyguard flag of 2 stays locked", 0, 0, 2, false, false, false},
        {"a hired bodyguard", 0, 0, 1, false, false, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        gStoneFlags[0] = c.stone;
        gCardStock[37].count = c.cardCount;
        gBodyguardHired[2] = c.hired;
        EXPECT_EQ(campEntryLocked(3), !c.stonesOpen);
        EXPECT_EQ(campEntryLocked(4), !c.stonesOpen);
        EXPECT_EQ(campEntryLocked(6), !c.cardsOpen);
        EXPECT_EQ(campEntryLocked(7), !c.guardsOpen);
        for (int row : {0, 1, 2, 5, 8, 9}) EXPECT_FALSE(campEntryLocked(row));
    }
}

TEST_F(CampMenu, LockedRowsShowQuestionMarksAndAnswerBuza) {
    gCampMenuCursor = 1;
    redraw(runCampMenu);
    EXPECT_EQ(textCount("？？？"), 4);
    EXPECT_TRUE(textDrawn("Status"));  // the highlighted row shows its subtitle
    EXPECT_FALSE(textDrawn("ステータス"));
    EXPECT_TRUE(textDrawn("アイテム"));

    gCampMenuCursor = 6;
    frame(runCampMenu, kInputDecide);
    EXPECT_EQ(lastSound(), "Buza.wav");
    EXPECT_EQ(gScene, 200);

    gCardStock[5].count = 1;  // owning a card opens the row ...
    frame(runCampMenu, kInputDecide);
    EXPECT_EQ(gScene, 209);
    gScene = 200;
    gCardStock[5].count = 0;  // ... and losing it locks it again
    frame(runCampMenu, kInputDecide);
    EXPECT_EQ(lastSound(), "Buza.wav");
    EXPECT_EQ(gScene, 200);
}

TEST_F(CampMenu, CursorWrapsSilentlyAndRepaintsOnlyTheTwoRows) {
    settle(runCampMenu);
    frame(runCampMenu, kInputUp);
    EXPECT_EQ(gCampMenuCursor, 9);
    EXPECT_TRUE(sounds().empty());
    // the new row with its subtitle, the old row with its label, nothing else in layer 2
    EXPECT_TRUE(textDrawn("Riset"));
    EXPECT_TRUE(textDrawn("アイテム"));
    EXPECT_FALSE(textDrawn("ステータス"));
    EXPECT_EQ(gRedrawRequest[0], 0);
    frame(runCampMenu, kInputDown);
    EXPECT_EQ(gCampMenuCursor, 0);
    frame(runCampMenu, kInputDown);
    EXPECT_EQ(gCampMenuCursor, 1);
}

TEST_F(CampMenu, DecideOpensEachScreenOnItsFirstPageWithItsCursorsAtZero) {
    gStoneFlags[0] = 1;
    gCardStock[0].count = 1;
    gBodyguardHired[0] = 1;
    const int scenes[9] = {201, 204, 202, 203, 205, 206, 209, 207, 210};
    for (int row = 0; row < 9; ++row) {
        SCOPED_TRACE(row);
        gScene = 200;
        gMenuPage = gMenuListCursor = gMenuTopCursor = 3;
        gSubScreenPage = gSubScreenCursor = gSubScreenSlot = 2;
        gPageCursor = gPageNumber = 4;
        gCampMenuCursor = row;
        sounds().clear();
        frame(runCampMenu, kInputDecide);
        EXPECT_EQ(gScene, scenes[row]);
        EXPECT_EQ(lastSound(), "Kettei.wav");
        EXPECT_EQ(gRedrawRequest[0], 1);  // 2 at the decide, 1 after the frame's end
        EXPECT_EQ(gRedrawRequest[1], 1);
        if (row == 0) {
            EXPECT_EQ(gMenuPage + gMenuListCursor + gMenuTopCursor, 0);
        }
        if (row == 1) {
            EXPECT_EQ(gSubScreenCursor, 0);
        }
        if (row == 2 || row == 3 || row == 5) {
            EXPECT_EQ(gSubScreenPage + gSubScreenCursor + gSubScreenSlot, 0);
        }
        if (row == 4) {
            EXPECT_EQ(gSubScreenPage + gSubScreenCursor, 0);
        }
        if (row == 6 || row == 7) {
            EXPECT_EQ(gPageCursor + gPageNumber, 0);
        }
    }
}

TEST_F(CampMenu, TheBodyguardEntryLoadsTheirPortraitsAndSaveTakesThePlaceName) {
    gBodyguardHired[1] = 1;
    gCampMenuCursor = 7;
    frame(runCampMenu, kInputDecide);
    ASSERT_FALSE(device.texturesLoaded.empty());
    EXPECT_NE(device.texturesLoaded.back().find("354"), std::string::npos);

    gScene = 200;
    gCampMenuCursor = 8;
    frame(runCampMenu, kInputDecide);
    EXPECT_EQ(gScene, 210);
    EXPECT_STREQ(gSavePlaceName, "港町");
}

TEST_F(CampMenu, CancelGoesToTheFieldAndWritesTheAutosaveOnlyWhenTheSettingAsks) {
    std::strcpy(gSavePlaceName, "第一章");
    frame(runCampMenu, kInputCancel);
    EXPECT_EQ(gScene, 0);
    EXPECT_EQ(gInputCode, 0);
    EXPECT_EQ(lastSound(), "Can.wav");
    EXPECT_TRUE(savedSlots().empty());

    gConfig[2] = 1;
    for (int opening = 0; opening < 2; ++opening) {
        gScene = 200;
        frame(runCampMenu, kInputCancel);
        EXPECT_EQ(gScene, 0);
    }
    EXPECT_EQ(savedSlots(), (std::vector<int>{4, 4}));
    EXPECT_STREQ(gSavePlaceName, "第一章");  // the autosave keeps the label set last
}

TEST_F(CampMenu, EnteringFromOutsideTheFamilyLoadsThePartysPortraitSheet) {
    gCampFamilyOpen = 0;  // a script set scene 200 after a message had swapped the sheet
    frame(runCampMenu);
    ASSERT_EQ(device.texturesLoaded.size(), 1u);
    EXPECT_NE(device.texturesLoaded[0].find("347"), std::string::npos);
    frame(runCampMenu);
    gCampMenuCursor = 1;
    frame(runCampMenu, kInputDecide);  // status screen and back
    frame(runStatusScreen, kInputCancel);
    frame(runCampMenu);
    EXPECT_EQ(device.texturesLoaded.size(), 1u);  // within the family the sheet stays

    frame(runCampMenu, kInputCancel);  // to the field: the next opening loads again
    gScene = 200;
    frame(runCampMenu);
    EXPECT_EQ(device.texturesLoaded.size(), 2u);

    // a message swaps the sheet while the family flag still stands (the title
    // was reached with F12): the swap is seen and the party's sheet comes back
    resources.portraitSheet = std::make_unique<testing_gfx::RecordedTexture>("faces of a message", 64, 64, false, false,
                                                                             gfx::TextureFormat::A8R8G8B8);
    frame(runCampMenu);
    EXPECT_EQ(device.texturesLoaded.size(), 3u);
    frame(runCampMenu);
    EXPECT_EQ(device.texturesLoaded.size(), 3u);
}

TEST_F(CampMenu, OneMemberDrawsOnePanelAndSpShowsOnlyWithAStone) {
    gParty[1] = 0;
    redraw(runCampMenu);
    EXPECT_EQ(textCount("Hp "), 1);
    EXPECT_EQ(textCount("Sp "), 0);
    EXPECT_EQ(textCount("Lv"), 1);
    gPartyMembers[1].stones[1] = 3;
    redraw(runCampMenu);
    EXPECT_EQ(textCount("Sp "), 1);
    gPartyMembers[1].level = 4;
    gPartyMembers[1].experience = 100;
    redraw(runCampMenu);
    EXPECT_EQ(valueEndingAt(225 + 330, 10 + 39), "60");  // "Next": 10 x 4 x 4 - 100
}

TEST_F(CampMenu, MoneyWindowsShowNonZeroBalancesOrAllThreeWithTheLoan) {
    struct Case {
        const char* what;
        int money[3];
        int loan;
        int region;
        int loanPlace;  // -1 no loan window
        int windows;
    } const cases[] = {
        {"all zero, no loan", {0, 0, 0}, 0, 0, -1, 0},
        {"only coins", {0, 50, 0}, 0, 1, -1, 1},
        {"loan in the fog region", {0, 0, 0}, 500, 0, 2, 3},
        {"loan in the coin region", {10, 20, 30}, 500, 1, 2, 3},
        {"loan in the zeni region", {10, 20, 30}, 500, 2, 1, 3},
    };
    const char* const names[3] = {"フォッグ", "コイン", "銭"};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        for (int k = 0; k < 3; ++k) gMoney[k] = c.money[k];
        gLoan = c.loan;
        gRegionCurrency = c.region;
        redraw(runCampMenu);
        const int xs[3] = {20, 228, 436};
        int windows = 0;
        for (int k = 0; k < 3; ++k) {
            const std::string shown = textAt(xs[k], 400);
            if (shown.empty()) continue;
            ++windows;
            EXPECT_EQ(shown, k == c.loanPlace ? "借入金" : names[k]);
        }
        EXPECT_EQ(windows, c.windows);
        if (c.loanPlace >= 0) {
            EXPECT_EQ(loanWindowPlace(), c.loanPlace);
        }
    }
}

TEST_F(CampMenu, PlayTimeShowsHoursUnpaddedAndNeverRunsBackwards) {
    gPlaySeconds = 3725;
    frame(runCampMenu);
    EXPECT_TRUE(textDrawn("1:02:05"));
    calendarNow() += 10;
    frame(runCampMenu);
    EXPECT_TRUE(textDrawn("1:02:15"));
    calendarNow() -= 3600;  // the system clock is set back an hour
    frame(runCampMenu);
    EXPECT_TRUE(textDrawn("1:02:15"));
    calendarNow() += 5;
    EXPECT_EQ(currentPlaySeconds(), 3725 + 15);

    gPlaySeconds = 0;
    gSessionStart = static_cast<int>(calendarNow() + 500);  // a session start in the future
    EXPECT_EQ(currentPlaySeconds(), 0);
    calendarNow() += 2;
    EXPECT_EQ(currentPlaySeconds(), 2);
}

TEST_F(CampMenu, ResetWindowTogglesAndEitherClosesOrGoesToTheTitle) {
    gCampMenuCursor = 9;
    frame(runCampMenu, kInputDecide);
    EXPECT_EQ(gResetConfirmOpen, 1);
    EXPECT_EQ(gResetConfirmChoice, 0);
    frame(runCampMenu, kInputDecide);  // on キャンセル: closes with the decide sound
    EXPECT_EQ(gResetConfirmOpen, 0);
    EXPECT_EQ(lastSound(), "Kettei.wav");
    EXPECT_EQ(gScene, 200);

    frame(runCampMenu, kInputDecide);
    frame(runCampMenu, kInputCancel);  // cancel closes the window, not the menu
    EXPECT_EQ(gResetConfirmOpen, 0);
    EXPECT_EQ(gScene, 200);

    frame(runCampMenu, kInputDecide);
    frame(runCampMenu, kInputDown);
    EXPECT_EQ(gResetConfirmChoice, 1);
    frame(runCampMenu, kInputUp);
    frame(runCampMenu, kInputUp);
    EXPECT_EQ(gResetConfirmChoice, 1);
    gTitleCounter = 0;
    frame(runCampMenu, kInputDecide);
    EXPECT_EQ(gScene, 1000);
    EXPECT_EQ(gTitleCounter, 350);
}

}  // namespace
}  // namespace camptest

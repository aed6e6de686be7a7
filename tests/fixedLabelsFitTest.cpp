// Every fixed label of the battle, the boat race and the camp menus, laid
// out with the real font files the way the OpenGL device lays them out:
// none may come out cut short with "...". A stand-in face wider than the
// face the screens were drawn for shows up here as a cut label.
#include "battle/BattleRecords.h"
#include "battle/BattleServices.h"
#include "battle/KeyPressGame.h"
#include "battle/VictoryResults.h"
#include "engine/Screens.h"
#include "events/EventPrimitives.h"
#include "gamedata/DataFile.h"
#include "menus/BankLogic.h"
#include "menus/BodyguardScreen.h"
#include "menus/CampMenu.h"
#include "menus/EquipScreen.h"
#include "menus/FormationScreen.h"
#include "menus/ItemScreen.h"
#include "menus/MagicScreen.h"
#include "menus/MenuState.h"
#include "menus/SaveScreens.h"
#include "menus/ShopLogic.h"
#include "menus/StatusScreen.h"
#include "menus/StoneScreen.h"
#include "minigames/BoatRaceScreen.h"
#include "minigames/BoatRaceState.h"
#include "platform/FontLayout.h"
#include "platform/FontRenderer.h"
#include "platform/Text.h"
#include "tests/campFixture.h"

#include <filesystem>

namespace camptest {
namespace {

// The width of Shift-JIS text as the OpenGL device measures it: the face's
// own glyphs, and the fallback face's for the characters it lacks.
int measuredWidth(const std::shared_ptr<fontrender::Face>& face, const std::string& cp932) {
    const std::string utf8 = text::cp932ToUtf8(cp932.c_str(), static_cast<int>(cp932.size()));
    if (fontrender::hasAllGlyphs(*face, utf8)) return fontrender::measure(*face, utf8);
    const std::shared_ptr<fontrender::Face> fallback = fontrender::fallbackFor(*face);
    int width = 0;
    for (const fontrender::Run& run : fontrender::splitByCoverage(*face, utf8))
        width += fontrender::measure(run.covered || !fallback ? *face : *fallback, run.utf8);
    return width;
}

// Each recorded text that the layout cuts, as "face height box: text".
std::vector<std::string> cutTexts(const std::vector<testing_gfx::TextDraw>& draws) {
    std::vector<std::string> cut;
    for (const testing_gfx::TextDraw& t : draws) {
        const std::shared_ptr<fontrender::Face> face = fontrender::openFace(t.font);
        if (!face) {
            cut.push_back("no font file opens for " + text::cp932ToUtf8(t.font.face.c_str()));
            continue;
        }
        const fontlayout::Layout layout = fontlayout::layoutText(
            t.text, t.rect.right - t.rect.left, t.rect.bottom - t.rect.top, t.format, fontrender::cellHeight(*face),
            [&](const std::string& s) { return measuredWidth(face, s); });
        for (const fontlayout::PlacedLine& line : layout.lines) {
            const bool ends = line.text.size() >= 3 && line.text.compare(line.text.size() - 3, 3, "...") == 0;
            if (ends && t.text.find("...") == std::string::npos) {
                cut.push_back(text::cp932ToUtf8(t.font.face.c_str()) + " " + std::to_string(t.font.height) + " " +
                              std::to_string(t.rect.right - t.rect.left) + "px: " + text::cp932ToUtf8(t.text.c_str()) +
                              " -> " + text::cp932ToUtf8(line.text.c_str()));
            }
        }
    }
    return cut;
}

class FixedLabelsFit : public CampTest {
protected:
    void SetUp() override {
        CampTest::SetUp();
        // A full party, each member with a stone so that every Sp row shows,
        // and figures as wide as they get.
        gParty[2] = 3;
        for (int u = 1; u <= 3; ++u) {
            gPartyMembers[u].level = 99;
            gPartyMembers[u].hp = 99999;
            gPartyMembers[u].sp = 9999;
            gPartyMembers[u].stones[0] = u;
        }
        gMoney[0] = 99999999;
    }
    void TearDown() override {
        resetBattleRecords();
        resetBoatRaceState();
        CampTest::TearDown();
    }
    // Draws one screen with both layers asked for and collects its texts.
    void collect(ScreenFunction screen) {
        redraw(screen);
        drawn.insert(drawn.end(), device.textDraws.begin(), device.textDraws.end());
    }
    std::vector<testing_gfx::TextDraw> drawn;
};

TEST_F(FixedLabelsFit, TheBattlesLabelsFitTheirBoxes) {
    gInBattle = 1;
    gBattleAction.actingSide = kSideParty;
    gBattleAction.actingIndex = 0;
    collect(drawPartyStatusPanel);
    collect(runCommandMenu);
    // The instructions and judgements of the key-press games (the sequence
    // of mode 5 sizes its judgement by its keys, so it is left out here).
    for (const int mode : {0, 2, 6, 7, 8, 11, 14}) {
        resetKeyPressRun();
        gRedrawRequest[0] = gRedrawRequest[1] = 1;
        device.textDraws.clear();
        runKeyPressGame(resources, &device, mode, 5000);
        drawn.insert(drawn.end(), device.textDraws.begin(), device.textDraws.end());
    }
    ASSERT_FALSE(drawn.empty());
    EXPECT_EQ(cutTexts(drawn), std::vector<std::string>{});
}

TEST_F(FixedLabelsFit, TheRacesLabelsFitTheirBoxes) {
    gRaceCourse = 1;
    gBoatSpeed = 100.0f;
    gRaceFrames = kNoRaceTime;
    collect(drawRaceHud);
    gRaceStarted = 0;
    collect(drawRaceCountdown);
    gRaceFinished = 1;
    collect(drawRaceGoal);
    ASSERT_FALSE(drawn.empty());
    EXPECT_EQ(cutTexts(drawn), std::vector<std::string>{});
}

TEST_F(FixedLabelsFit, TheCampMenusLabelsFitTheirBoxes) {
    for (const ScreenFunction screen : {runCampMenu, runItemMenu, runEquipMenu, runStoneMenu, runMagicMenu,
                                        runStatusScreen, runFormationMenu, runMenuSaveScreen, runBodyguardScreen})
        collect(screen);
    ASSERT_FALSE(drawn.empty());
    EXPECT_EQ(cutTexts(drawn), std::vector<std::string>{});
}

// The screens that show names from the game's data, with the built
// "Data.dat": every item, card, monster and member name in each place it
// can appear, with figures as wide as they get.
class DataLabelsFit : public FixedLabelsFit {
protected:
    void SetUp() override {
        const std::string path = std::string(CORVADINE_GAME_DIR) + "/Data.dat";
        if (!std::filesystem::exists(path)) GTEST_SKIP() << "no built Data.dat in " << CORVADINE_GAME_DIR;
        FixedLabelsFit::SetUp();
        ASSERT_EQ(readDataFile(path.c_str()), 0);
        FixedLabelsFit::SetUp();  // the party figures again over the file's
        ASSERT_EQ(readDataFile(path.c_str()), 0);
        for (int u = 1; u <= 3; ++u) {
            gPartyMembers[u].level = 99;
            gPartyMembers[u].hp = 99999;
            gPartyMembers[u].sp = 9999;
            gPartyMembers[u].experience = 99999999;
        }
        for (int c = 0; c < kCurrencyCount; ++c) gMoney[c] = 99999999;
    }
    // One frame of a screen with both layers asked for, its texts kept.
    void drawOnce(ScreenFunction screen, int input = kInputNone) {
        gRedrawRequest[0] = gRedrawRequest[1] = 1;
        frame(screen, input);
        drawn.insert(drawn.end(), device.textDraws.begin(), device.textDraws.end());
    }
};

TEST_F(DataLabelsFit, TheVictoryScreenFitsEveryItemAndCardItCanName) {
    gInBattle = 1;
    gParty[0] = 1;
    gParty[1] = 2;
    gParty[2] = 3;
    gBattleRewards.experiencePool = 9999999;
    gBattleRewards.money = 99999999;
    for (int id = 1; id < kItemCount; ++id) {
        if (gItems[id].name[0] == '\0') continue;
        gBattleRewards.droppedItem = id;
        gBattleRewards.card = kNoCard;
        drawOnce(runVictoryResults);
    }
    for (int card = 0; card < kCardCount; ++card) {
        if (gCardTable[card].name[0] == '\0') continue;
        gBattleRewards.droppedItem = 0;
        gBattleRewards.card = card;
        drawOnce(runVictoryResults);
    }
    ASSERT_FALSE(drawn.empty());
    EXPECT_EQ(cutTexts(drawn), std::vector<std::string>{});
}

TEST_F(DataLabelsFit, TheBattleItemListAndTheTargetChoosersFitEveryName) {
    gInBattle = 1;
    gBattleAction.actingSide = kSideParty;
    gBattleAction.actingIndex = 0;
    for (int id = 0; id < kItemCount; ++id) gItemStock[id].owned = 99;
    // Every page of the battle's item list, walked down two by two.
    gBattleAction.phase = kPhaseItemList;
    gBattleAction.listCursor = gBattleAction.listScroll = 0;
    gBattleRewards.itemListReady = 1;
    for (int step = 0; step < kItemCount / 2; ++step) drawOnce(runBattleItemList, kInputDown);
    // The enemy chooser over every monster's name and the two group names.
    gBattleAction.phase = kPhaseItemEnemyTarget;
    gBattleAction.targetIndex = 0;
    for (int monster = 1; monster < kMonsterCount; ++monster) {
        if (gMonsters[monster].name[0] == '\0') continue;
        gEnemyBattlers[0].monster = monster;
        gEnemyBattlers[0].hp = 1;
        gBattleAction.targetRange = 0;
        drawOnce(runEnemyTargetSelect);
    }
    for (const int range : {1, 2}) {
        gBattleAction.targetRange = range;
        drawOnce(runEnemyTargetSelect);
    }
    // The ally chooser over every member who can join, and "all".
    gBattleAction.phase = kPhaseItemAllyTarget;
    for (int unit = 1; unit < kUnitBaseCount; ++unit) {
        gParty[0] = unit;
        gBattleAction.targetIndex = 0;
        gBattleAction.targetRange = 0;
        drawOnce(runAllyTargetSelect);
    }
    gBattleAction.targetRange = 1;
    drawOnce(runAllyTargetSelect);
    gBattleAction.phase = kPhaseItemAllConfirm;
    drawOnce(runAllTargetConfirm);
    ASSERT_FALSE(drawn.empty());
    EXPECT_EQ(cutTexts(drawn), std::vector<std::string>{});
}

TEST_F(DataLabelsFit, TheShopFitsEveryGoodsNameAndFigure) {
    gScene = 300;
    // Every item and every card offered twelve at a time, in a plain shop, a
    // point-card shop and the card shop, the cursor on each row, with the
    // quantity window open on the widest amount.
    struct Kind { int kind; int count; };
    for (const Kind k : {Kind{0, kItemCount}, Kind{10, kItemCount}, Kind{kShopCardKind, kCardCount}}) {
        for (int first = 1; first < k.count; first += 12) {
            int goods[20] = {};
            for (int i = 0; i < 12 && first + i < k.count; ++i) goods[i] = first + i;
            openShop("もろこし屋－シーフズデンジャラス", goods, k.kind);
            for (int row = 0; row < shopGoodsCount(); ++row) {
                gMenuPage = 0;
                gMenuListCursor = row;
                drawOnce(runShopScreen);
                gMenuPage = 1;
                gMenuAmount = 99;
                drawOnce(runShopScreen);
            }
        }
    }
    ASSERT_FALSE(drawn.empty());
    EXPECT_EQ(cutTexts(drawn), std::vector<std::string>{});
}

TEST_F(DataLabelsFit, TheBankFitsEveryEntryPairAndAmount) {
    openBank("マルクセングセントラルバンク－フィルノア支店");
    gLoan = 99999999;
    for (int entry = kBankLoan; entry <= kBankExchange; ++entry) {
        for (int pair = 0; pair < (entry == kBankExchange ? kBankPairCount : 1); ++pair) {
            gMenuTopCursor = entry;
            gMenuPage = 0;
            drawOnce(runBankScreen);
            gMenuPage = 1;
            gMenuListCursor = pair;
            drawOnce(runBankScreen);
            gMenuPage = 2;
            gMenuAmount = kBankAmountMax - 1;
            drawOnce(runBankScreen);
        }
    }
    ASSERT_FALSE(drawn.empty());
    EXPECT_EQ(cutTexts(drawn), std::vector<std::string>{});
}

}  // namespace
}  // namespace camptest

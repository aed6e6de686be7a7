// Every fixed label of the battle, the boat race and the camp menus, laid
// out with the real font files the way the OpenGL device lays them out:
// none may come out cut short with "...". A stand-in face wider than the
// face the screens were drawn for shows up here as a cut label.
#include "battle/BattleRecords.h"
#include "battle/BattleServices.h"
#include "battle/KeyPressGame.h"
#include "menus/BodyguardScreen.h"
#include "menus/CampMenu.h"
#include "menus/EquipScreen.h"
#include "menus/FormationScreen.h"
#include "menus/ItemScreen.h"
#include "menus/MagicScreen.h"
#include "menus/SaveScreens.h"
#include "menus/StatusScreen.h"
#include "menus/StoneScreen.h"
#include "minigames/BoatRaceScreen.h"
#include "minigames/BoatRaceState.h"
#include "platform/FontLayout.h"
#include "platform/FontRenderer.h"
#include "platform/Text.h"
#include "tests/campFixture.h"

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

}  // namespace
}  // namespace camptest

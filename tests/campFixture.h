// A camp-menu fixture: a clean game state with a party of two (units 1 and
// 2), the recording device with the textures the screens draw from, the key
// sounds and the saved slots recorded, and the calendar clock in the test's
// hands. Screens are driven one frame at a time with a scripted input code.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "engine/Config.h"
#include "engine/GraphicsResources.h"
#include "engine/Input.h"
#include "engine/Scene.h"
#include "engine/Screens.h"
#include "engine/Sound.h"
#include "engine/TextLayers.h"
#include "field/FieldState.h"
#include "gamedata/GameData.h"
#include "gamedata/PartyStats.h"
#include "menus/CampScreenParts.h"
#include "menus/CampState.h"
#include "menus/MenuState.h"
#include "battle/BattleServices.h"
#include "gamedata/SaveFile.h"
#include "menus/SlotChooser.h"
#include "menus/SaveScreens.h"
#include "platform/Clock.h"
#include "story/StoryState.h"
#include "tests/drawingRecordingDevice.h"

namespace camptest {

inline std::vector<std::string>& sounds() {
    static std::vector<std::string> s;
    return s;
}
inline bool recordSound(const char* name) {
    sounds().push_back(name);
    return true;
}
inline std::vector<int>& savedSlots() {
    static std::vector<int> s;
    return s;
}
inline int recordSave(int slot) {
    savedSlots().push_back(slot);
    return 0;
}
inline std::int64_t& calendarNow() {
    static std::int64_t now = 1000000;
    return now;
}

class CampTest : public ::testing::Test {
protected:
    void SetUp() override {
        resetGameDataState();
        resetMenuState();
        resetCampState();
        resetTextLayers();
        resetInput();
        resetConfig();
        resetPlayClock();
        std::memset(gChestFlags, 0, sizeof gChestFlags);
        std::memset(gLocationName, 0, sizeof gLocationName);
        std::strcpy(gLocationName, "港町");
        sounds().clear();
        savedSlots().clear();
        gCampSound = recordSound;
        gSaveWriter = recordSave;
        calendarNow() = 1000000;
        timing::setCalendarClock([] { return calendarNow(); });
        gSessionStart = 1000000;
        gPlaySeconds = 0;
        gScene = 200;
        gParty[0] = 1;
        gParty[1] = 2;
        gParty[2] = 0;
        for (int u = 1; u < kUnitCount; ++u) {
            gPartyMembers[u].hp = 10;
            gPartyMembers[u].sp = 0;
        }
        gCampFamilyOpen = 1;

        resources.sprite = device.createSprite(nullptr);
        auto texture = [](const std::string& name, int w, int h, bool target = false) {
            return std::make_unique<testing_gfx::RecordedTexture>(name, w, h, target, false,
                                                                  gfx::TextureFormat::A8R8G8B8);
        };
        for (int i = 0; i < 5; ++i) resources.cardSheets[i] = texture("sheet" + std::to_string(i), 512, 512);
        resources.cardBack = texture("back", 128, 128);
        resources.pointerHand = texture("hand", 16, 16);
        resources.windowBackground = texture("background", 64, 64);
        resources.windowBorder = texture("border", 64, 64);
        resources.cursorBar = texture("bar", 64, 64);
        resources.portraitSheet = texture("portraits", 512, 512);
        resources.menuStrips = texture("strips", 512, 512);
        resources.tileAtlas = texture("tiles", 256, 256);
        gCampPortraitTexture = resources.portraitSheet.get();  // the family's own sheet is up
        resources.layer1Target = texture("layer1", 640, 480, true);
        resources.layer2Target = texture("layer2", 640, 480, true);
        resources.groundTarget = texture("ground", 320, 320, true);
    }
    void TearDown() override {
        gCampSound = playSoundEffect;
        gSaveWriter = writeSaveFile;
        timing::setCalendarClock({});
        resetTextLayers();
        resetCampState();
        resetPlayClock();
        gCampPortraitTexture = nullptr;
    }

    // One frame of a screen with this frame's input code.
    void frame(ScreenFunction screen, int input = kInputNone) {
        device.textDraws.clear();
        device.spriteDraws.clear();
        device.calls.clear();
        gInputCode = input;
        screen(resources, &device);
    }
    // Frames with no key after both layers were asked for, as on entering a
    // screen: the state the player sees when a key arrives.
    void settle(ScreenFunction screen) {
        gRedrawRequest[0] = gRedrawRequest[1] = 1;
        for (int i = 0; i < 3; ++i) frame(screen);
    }
    // A frame that redraws both layers, for reading every text.
    void redraw(ScreenFunction screen) {
        gRedrawRequest[0] = gRedrawRequest[1] = 1;
        frame(screen);
    }

    bool textDrawn(const std::string& s) const {
        return std::any_of(device.textDraws.begin(), device.textDraws.end(),
                           [&](const testing_gfx::TextDraw& t) { return t.text == s; });
    }
    const testing_gfx::TextDraw* textNamed(const std::string& s) const {
        for (const auto& t : device.textDraws)
            if (t.text == s) return &t;
        return nullptr;
    }
    int textCount(const std::string& s) const {
        return static_cast<int>(std::count_if(device.textDraws.begin(), device.textDraws.end(),
                                              [&](const testing_gfx::TextDraw& t) { return t.text == s; }));
    }
    // The text drawn with its rectangle's top-left at (x, y), or "".
    std::string textAt(int x, int y) const {
        for (const auto& t : device.textDraws)
            if (t.rect.left == x && t.rect.top == y) return t.text;
        return "";
    }
    // The text whose rectangle ends right at `right` with its top at y (a right-aligned value).
    std::string valueEndingAt(int right, int y) const {
        for (const auto& t : device.textDraws)
            if (t.rect.right == right && t.rect.top == y && (t.format & gfx::kDtRight) != 0) return t.text;
        return "";
    }
    std::string lastSound() const { return sounds().empty() ? "" : sounds().back(); }

    static void nameItem(int id, const char* name, int kind, std::initializer_list<int> bonuses = {}) {
        std::snprintf(gItems[id].name, sizeof gItems[id].name, "%s", name);
        gItems[id].kind = kind;
        int k = 0;
        for (int b : bonuses) gItems[id].bonuses[k++] = b;
    }

    GraphicsResources resources;
    testing_gfx::RecordingDevice device;
};

}  // namespace camptest

// The story's first road on the real field: the built maps and lines of the
// game folder, the map scripts, and a driver that plays frames the way a
// patient player would (decide on every whole message, a chosen option on
// every choice) and stands in for the screens the field hands over to: a
// map change's fade-in, a battle (won), a shop, the chapter save screen.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <cmath>
#include <cstring>
#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "engine/Camera.h"
#include "engine/Config.h"
#include "engine/GraphicsResources.h"
#include "engine/Input.h"
#include "engine/KeyframeTrack.h"
#include "engine/Music.h"
#include "engine/Scene.h"
#include "engine/Screens.h"
#include "engine/TextLayers.h"
#include "events/EventEngine.h"
#include "events/EventPrimitives.h"
#include "events/MessageWindow.h"
#include "field/EventState.h"
#include "field/FieldEntry.h"
#include "field/FieldMap.h"
#include "field/FieldScreen.h"
#include "field/FieldServices.h"
#include "field/FieldState.h"
#include "field/Transitions.h"
#include "field/WorldToCell.h"
#include "gamedata/GameData.h"
#include "menus/MenuState.h"
#include "platform/Gfx.h"
#include "story/Dialogue.h"
#include "story/StoryState.h"
#include "tests/sceneFraming.h"
#include "tools/mapc/MapWalk.h"

namespace story1test {

inline std::uint32_t gClock = 0;
inline std::uint32_t testClock() { return gClock; }

// What happened while the driver played.
struct Played {
    struct Stop {
        int map, event, step;  // the step that opened the screen
        std::string label;     // the shop's title or the save's place label
        int kind = 0;          // the shop's kind
        int goods[3] = {};     // the shop's first goods
    };
    std::vector<Stop> battles, shops, saves;
    std::vector<int> maps;  // every map arrived at, in order
    int frames = 0;
    bool ending = false;    // the staff roll began
    bool finished = false;  // the condition held within the budget
};

struct StoryField : ::testing::Test {
    std::unique_ptr<gfx::Device> device;
    GraphicsResources resources;
    std::vector<int> choices;  // options to pick, one per choice, in order (0 when they run out)
    // Stands in for a screen the driver does not know (a duel, a race): true
    // when it took scene gScene back to the field.
    std::function<bool()> otherScreen;
    char oldDirectory[4096] = {};

    void SetUp() override {
        ASSERT_NE(getcwd(oldDirectory, sizeof oldDirectory), nullptr);
        ASSERT_EQ(chdir(CORVADINE_GAME_DIR), 0) << "the game folder " << CORVADINE_GAME_DIR;
        resetFieldState();
        resetGameDataState();
        resetFieldMap();
        resetInput();
        resetConfig();
        resetTextLayers();
        resetEventEngine();
        resetEventPrimitives();
        resetMessageWindow();
        resetStoryState();
        resetDialogue();
        std::string error;
        ASSERT_TRUE(loadDialogueFile(kDialogueFile, error)) << error;
        gMusicLock = 0;
        gSlowMusicFade = 0;
        gRequestedSong[0] = gCurrentSong[0] = '\0';
        gScene = 0;
        gCampMenuAllowed = 1;
        gClock = 1000;
        gMillisecondClock = testClock;
        gFieldEventRunner = runCurrentMapEvent;
        device = gfx::createNullDevice(gfx::DeviceOptions{});
        resources.cameraTrack = std::make_unique<KeyframeTrack>();
        resources.quadVertices = device->createVertexBuffer(4);
        resources.sprite = device->createSprite();
        resources.layer1Target = device->createRenderTarget(640, 480, gfx::TextureFormat::A8R8G8B8);
        resources.layer2Target = device->createRenderTarget(640, 480, gfx::TextureFormat::A8R8G8B8);
    }
    void TearDown() override {
        for (const std::string& failure : framing.failures) ADD_FAILURE() << "not in view: " << failure;
        gMillisecondClock = timeGetTimeMs;
        gFieldEventRunner = runCurrentMapEvent;
        if (oldDirectory[0] != '\0') {
            EXPECT_EQ(chdir(oldDirectory), 0);
        }
    }

    // Arrives on a map as a map change does: load, set-up with 1, the player
    // on the cell facing as given, visible or not.
    void arrive(int map, int row, int col, int facing, int visible) {
        ASSERT_TRUE(enterFieldOnMap(map, row, col)) << "map " << map;
        gPlayerFacing = static_cast<std::uint8_t>(facing);
        gPlayerVisible = static_cast<std::uint8_t>(visible);
        framing.restart();
    }
    // Starts the event of `slot` as the field's contact test does.
    void touch(int slot) {
        gFieldEvent = slot + 1;
        gEventStep = 0;
        framing.restart();
    }

    // Every message of every scene played is read with its cast in view
    // (tests/sceneFraming.h); the failures are listed when the test ends.
    framing::Checker framing;

    // One field frame with the input a player would give.
    void frame(std::size_t& choiceIndex) {
        const bool whole = (gMessageMode == 1 && gMessageTyped == static_cast<int>(std::strlen(gMessageText))) ||
                           gMessageMode == 2;
        framing.beforeFrame(resources, whole);
        int input = 0;
        if (gMessageMode == 1 && gMessageTyped == static_cast<int>(std::strlen(gMessageText))) {
            input = kInputDecide;
        } else if (gMessageMode == 0 && gFieldEvent != 0 && gStillPicture > 0 && gStillPictureAlpha == 255 &&
                   gFieldEvent == lastEvent_ && gEventStep == lastStep_) {
            input = kInputDecide;  // a still picture held on its step, waiting to be dismissed
        } else if (gMessageMode == 2) {
            const int wanted = choiceIndex < choices.size() ? choices[choiceIndex] : 0;
            if (gChoiceCursor < wanted) {
                input = kInputDown;
            } else {
                input = kInputDecide;
                ++choiceIndex;
            }
        }
        lastEvent_ = gFieldEvent;
        lastStep_ = gEventStep;
        gInputCode = input;
        gClock += 16;
        runField(resources, device.get());
    }
    int lastEvent_ = -1;
    int lastStep_ = -1;

    // Plays until `done` holds after a frame, or the budget runs out. The
    // screens the field hands over to return at once: the fade-in of a map
    // change, a battle as won, a shop and the save screen as left at once.
    template <typename Done>
    Played play(int budget, Done done) {
        Played out;
        std::size_t choiceIndex = 0;
        for (int n = 0; n < budget; ++n) {
            const int map = gCurrentMap, event = gFieldEvent, step = gEventStep;
            frame(choiceIndex);
            ++out.frames;
            expectFiguresInsideTheGrid();
            switch (gScene) {
                case 0: break;
                case 1:
                    out.maps.push_back(gCurrentMap);
                    gScene = 0;
                    cutCameraToTarget(resources);  // as the fade-in ends
                    break;
                case 10:
                    out.battles.push_back({map, event, step, std::string(), 0, {}});
                    gScene = 0;
                    cutCameraToTarget(resources);  // as the way back from a battle ends
                    break;
                case 300:
                    out.shops.push_back({map, event, step, gShopTitle, gShopKind, {gShopGoods[0], gShopGoods[1], gShopGoods[2]}});
                    gScene = 0;
                    break;
                case 9:
                    out.saves.push_back({map, event, step, gSavePlaceName, 0, {}});
                    gScene = 0;
                    break;
                case 900:
                    out.ending = true;
                    out.finished = done();
                    return out;
                default:
                    if (otherScreen && otherScreen()) break;
                    ADD_FAILURE() << "the field handed over to scene " << gScene;
                    return out;
            }
            if (done()) {
                out.finished = true;
                return out;
            }
        }
        return out;
    }
    // Plays the running event to its end on this map (no map change).
    Played playEvent(int budget) {
        return play(budget, [] { return gFieldEvent == 0; });
    }

    // A scripted move must never carry a figure off the grid.
    static void expectFiguresInsideTheGrid() {
        for (int slot = 0; slot < kMapObjectCount; ++slot) {
            const MapObject& o = gMapObjects[slot];
            if (!o.present || !o.visible) continue;
            const double col = o.z / kGridShear;
            const double row = o.x - o.z;
            if (col < 0.0 || col >= 60.0 || row < 0.0 || row >= 60.0) {
                ADD_FAILURE() << "map " << gCurrentMap << " slot " << slot << " left the grid at row " << row
                              << ", column " << col;
                return;
            }
        }
    }

    static int playerRow() {
        int cell[3];
        worldToCell(gPlayerPos, cell);
        return cell[0];
    }
    static int playerColumn() {
        int cell[3];
        worldToCell(gPlayerPos, cell);
        return cell[2];
    }
};

// Where the player's own feet get from (row, col) as the map and the current
// set-up stand: the field's movement step with its contacts and wall push,
// walked with held keys and jumps (tools/mapc/MapWalk.h). `walk[row][col]`
// says whether the feet came to rest in a cell.
inline mapwalk::WalkResult walkableFrom(int row, int col) { return mapwalk::walkFromArrivals({{row, col}}); }

// Whether some walk from there starts the event of `slot` (or opens its chest).
inline bool touchable(const mapwalk::WalkResult& walk, int slot) { return walk.touches(slot); }

}  // namespace story1test

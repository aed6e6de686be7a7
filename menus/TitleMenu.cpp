// Scene 1001: the intro crawl over the title town, then the title menu.
#include <algorithm>
#include <cstring>

#include "engine/Camera.h"
#include "engine/GraphicsResources.h"
#include "engine/Input.h"
#include "engine/KeyframeTrack.h"
#include "engine/Scene.h"
#include "engine/Screens.h"
#include "engine/Sound.h"
#include "engine/TextFont.h"
#include "engine/TextLayers.h"
#include "events/EventEngine.h"
#include "events/EventPrimitives.h"
#include "field/EventState.h"
#include "field/FieldMap.h"
#include "field/FieldScreen.h"
#include "field/FieldState.h"
#include "field/Transitions.h"
#include "gamedata/NewGame.h"
#include "menus/Title.h"
#include "platform/App.h"

namespace {

void quitTheGame() { app::postQuit(0); }

constexpr int kMenuEntryCount = 4;
constexpr int kStripWidth = 277;
constexpr int kStripHeight = 56;
constexpr int kHighlightOffset = 224;
constexpr gfx::Colour kPlateColour = 0xE5FFFFFFu;
const char* const kCrawlFontFace = "HGS行書体";
constexpr int kCrawlFontHeight = 27;

struct CrawlPage {
    std::uint32_t start;
    int firstRow;
    int groups[4];  // lines in each group; 0 ends the list
};

const CrawlPage kCrawlPages[4] = {
    {0, 40, {1, 2, 3, 0}},
    {7000, 40, {1, 2, 3, 2}},
    {15000, 70, {3, 3, 0, 0}},
    {23000, 70, {2, 5, 0, 0}},
};

const char* const kCrawlText[kIntroCrawlLineCount] = {
    "遠い昔、空から七色の星が降った。",
    "星は砕けて大地に散らばり、",
    "人々はその欠片を魔硝石と呼んだ。",
    "魔硝石は火を灯し、水を清め、",
    "傷を癒やし、畑を実らせた。",
    "人々はその恵みとともに生きてきた。",

    "だが、恵みはやがて争いを呼んだ。",
    "石を多く持つ国は力を誇り、",
    "持たぬ国はそれを奪おうとした。",
    "戦は百年続き、",
    "多くの町が焼かれ、",
    "多くの石が失われた。",
    "賢者たちは残った石を集め、",
    "誰の手も届かぬ地に封じた。",

    "それから長い時が流れた。",
    "石の話は昔話となり、",
    "封印の地を知る者もいなくなった。",
    "しかし今、",
    "閉ざされたはずの石が",
    "ひとつ、またひとつと姿を現している。",

    "港町の片隅で、",
    "ひとりの若者が青く光る石を拾った。",
    "それが長い旅の始まりになるとは、",
    "このとき誰も知らなかった。",
    "星晶の封印が解かれるとき、",
    "世界はふたたび選ばなければならない。",
    "――石とともに生きるか、捨てるかを。",
};

// The camera keyed on the player where a new game or the prologue begins.
void keyCameraOnPlayer(GraphicsResources& resources) {
    if (!resources.cameraTrack) return;
    KeyframeTrack& track = *resources.cameraTrack;
    track.setKeyCount(2);
    track.setKey(0, 0.0f, 0.0f, gPlayerPos[0], gPlayerPos[1], gPlayerPos[2], 10.0f, 0.0f, 1.0f);
    track.setKey(1, 1.0f, 0.0f, gPlayerPos[0], gPlayerPos[1], gPlayerPos[2], 10.0f, 0.0f, 1.0f);
    track.setTrackDuration(0);
    track.setTrackLooping(0);
    track.setTrackStart(gMillisecondClock());
}

void clearLayer(gfx::Device* device, gfx::Texture* layer, GraphicsResources& resources) {
    if (device == nullptr || layer == nullptr) return;
    device->setRenderTarget(layer);
    device->clear(gfx::kClearTarget | gfx::kClearDepth | gfx::kClearStencil, 0x00000000u, 1.0f, 0);
    device->setRenderTarget(resources.backBuffer);
}

// Enters a map from the title: the map loaded, the running event cleared,
// its arrival set-up run, the player on the cell, the camera on the player,
// and the fade-in (from black: the snapshot layer was cleared) from its
// first frame.
void enterFromTitle(GraphicsResources& resources, int map, int row, int col, int facing) {
    loadMap(map);
    gFieldEvent = 0;
    gEventStep = 0;
    setUpCurrentMap(1);
    placePlayerOnArrival(row, col);
    gPlayerFacing = static_cast<std::uint8_t>(facing);
    keyCameraOnPlayer(resources);
    gPendingMapChange.pending = 0;
    gRedrawRequest[0] = 2;
    gRedrawRequest[1] = 2;
    gTransitionFrame = 0;
    gScene = 1;
}

void drawCrawl(gfx::Device* device, std::uint32_t elapsed) {
    if (device == nullptr) return;
    beginTextFont(device, kCrawlFontHeight, kCrawlFontFace);
    if (gTextFont) {
        gTextFont->begin();
        for (int i = 0; i < kIntroCrawlLineCount; ++i) {
            CrawlLine line{};
            if (!introCrawlLine(elapsed, i, line) || line.alpha == 0) continue;
            gfx::Rect rect{40, line.top, gfx::kBackBufferWidth, gfx::kBackBufferHeight};
            const gfx::Colour colour = (static_cast<gfx::Colour>(line.alpha) << 24) | 0x00FFFFFFu;
            gTextFont->drawText(line.text, -1, &rect, gfx::kDtLeft | gfx::kDtNoClip, colour);
        }
        gTextFont->end();
    }
    endTextFont();
}

void drawTitleMenu(GraphicsResources& resources) {
    if (!resources.sprite) return;
    resources.sprite->begin();
    if (resources.titleNamePlate) {
        const gfx::Rect plate{0, 0, gfx::kBackBufferWidth, gfx::kBackBufferHeight};
        const gfx::Vec2 origin{0.0f, 0.0f};
        resources.sprite->draw(resources.titleNamePlate.get(), &plate, nullptr, nullptr, 0.0f, &origin, kPlateColour);
    }
    if (resources.menuStrips) {
        for (int i = 0; i < kMenuEntryCount; ++i) {
            const int top = kStripHeight * i + (i == gTitleMenuCursor ? kHighlightOffset : 0);
            const gfx::Rect strip{0, top, kStripWidth, top + kStripHeight};
            const gfx::Vec2 at{360.0f, static_cast<float>(250 + kStripHeight * i)};
            resources.sprite->draw(resources.menuStrips.get(), &strip, nullptr, nullptr, 0.0f, &at, kPlateColour);
        }
    }
    resources.sprite->end();
}

void actOnTitleMenu(GraphicsResources& resources, gfx::Device* device) {
    if (gInputCode == 8) gTitleMenuCursor = (gTitleMenuCursor + kMenuEntryCount - 1) % kMenuEntryCount;
    if (gInputCode == 2) gTitleMenuCursor = (gTitleMenuCursor + 1) % kMenuEntryCount;
    if (gInputCode != 10) return;
    playSoundEffect("Kettei.wav");
    switch (gTitleMenuCursor) {
    case 0: startNewGameFromTitle(resources, device); break;
    case 1:
        // The snapshot the load screen shows behind its slots.
        if (device != nullptr && resources.layer1Target) {
            device->setRenderTarget(resources.layer1Target.get());
            runField(resources, device);
            device->setRenderTarget(resources.backBuffer);
        }
        gScene = 1002;
        gRedrawRequest[0] = 1;
        break;
    case 2: startPrologueFromTitle(resources, device); break;
    default: gTitleQuitRequest(); break;
    }
    gInputCode = 0;
}

}  // namespace

QuitRequest gTitleQuitRequest = quitTheGame;

bool introCrawlLine(std::uint32_t elapsed, int index, CrawlLine& line) {
    if (index < 0 || index >= kIntroCrawlLineCount || elapsed >= kIntroCrawlMs) return false;
    int page = 0;
    while (page < 3 && elapsed >= kCrawlPages[page + 1].start) ++page;
    int first = 0;  // the page's first line
    for (int p = 0; p < page; ++p)
        for (int g : kCrawlPages[p].groups) first += g;
    const int i = index - first;
    int row = 0;
    int counted = 0;
    for (int g : kCrawlPages[page].groups) {
        if (g == 0) break;
        if (i < counted + g) {
            const std::uint32_t sincePage = elapsed - kCrawlPages[page].start;
            const long shown = static_cast<long>(sincePage) - 900L * i;
            line.text = kCrawlText[index];
            line.top = kCrawlPages[page].firstRow + 30 * (row + (i - counted));
            line.alpha = static_cast<int>(std::clamp(shown, 0L, 510L) / 2);
            return i >= 0;
        }
        counted += g;
        row += g + 1;  // an empty row after each group
    }
    return false;
}

void startNewGameFromTitle(GraphicsResources& resources, gfx::Device* device) {
    clearLayer(device, resources.layer1Target.get(), resources);
    gScene = 0;
    resetNewGame();
    setUpInitialParty();
    // The start of the story: row 26, column 53 of map 22, facing -x.
    changeMap(kNewGameMap, 26, 53, 1);
    enterFromTitle(resources, kNewGameMap, 26, 53, 1);
}

void startPrologueFromTitle(GraphicsResources& resources, gfx::Device* device) {
    clearLayer(device, resources.layer1Target.get(), resources);
    gScene = 0;
    resetNewGame();
    setUpInitialParty();
    // The prologue's marker is set before the arrival set-up, which reads it.
    gStoryFlags[kPrologueFlag] = 1;
    changeMap(kPrologueMap, 20, 23, 1);
    enterFromTitle(resources, kPrologueMap, 20, 23, 1);
}

void runIntroAndTitleMenu(GraphicsResources& resources, gfx::Device* device) {
    if (device != nullptr) {
        device->setRenderState(gfx::kRsAlphaTestEnable, 1);
        device->setRenderState(gfx::kRsAlphaRef, 127);
        device->setRenderState(gfx::kRsAlphaFunc, gfx::kCmpGreater);
    }
    clearLayer(device, resources.layer2Target.get(), resources);
    if (device != nullptr) device->setRenderTarget(resources.backBuffer);
    runField(resources, device);

    const std::uint32_t elapsed = gMillisecondClock() - gTitleClock;
    if (gIntroCrawlSkipped == 0 && elapsed < kIntroCrawlMs) {
        if (gInputCode == 10) {
            // The camera jumps to its last key; the menu shows from the next frame.
            if (resources.cameraTrack) resources.cameraTrack->setTrackDuration(0);
            gTitleClock = 0;
            gIntroCrawlSkipped = 1;
            gInputCode = 0;
            return;
        }
        drawCrawl(device, elapsed);
        return;
    }
    actOnTitleMenu(resources, device);
    drawTitleMenu(resources);
}

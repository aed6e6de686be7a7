// The title screens: the logo (scene 1000), the intro crawl and the title
// menu (scene 1001) and the load screen (scene 1002). Their screen functions
// are declared with the others in engine/Screens.h.
//
// Scene 1000 starts the program and is where the game returns to: F12, the
// camp menu's reset, the end of the prologue and the staff roll set
// gTitleCounter to 350 first, so that the logo is skipped; after a wiped-out
// party it stands at 0 and the logo plays.
#pragma once

#include <cstdint>

#include "platform/Gfx.h"

struct GraphicsResources;

extern int gTitleCounter;  // the title logo's frame counter (350 = the logo's end)
extern int gTitleMenuCursor;  // 0 Game Start, 1 Continue, 2 Prologue, 3 End
// When the intro crawl began (milliseconds of gMillisecondClock).
extern std::uint32_t gTitleClock;
// 1 once the player skipped the crawl; the menu shows until the logo ends again.
extern std::uint8_t gIntroCrawlSkipped;

constexpr int kTitleLogoFrames = 350;
constexpr std::uint32_t kIntroCrawlMs = 30500;
constexpr int kTitleMap = 1;
constexpr int kNewGameMap = 22;
constexpr int kPrologueMap = 15;
constexpr int kPrologueFlag = 999;

// The title logo's opacity on the frame whose counter is `counter`.
float titleLogoOpacity(int counter);

// The play state the title puts back on every logo frame: battle lines,
// pictures, the running event, the message window, the field's overlays,
// markers and move queues, the ticker, the camp menu's reset window, the
// music locks.
void resetPlayStateAtTitle();

// One line of the intro crawl as it shows at `elapsedMs` since the crawl
// began: its text, its top row, its opacity (0 to 255). Lines of other pages
// give false.
struct CrawlLine {
    const char* text;
    int top;
    int alpha;
};
bool introCrawlLine(std::uint32_t elapsedMs, int index, CrawlLine& line);
constexpr int kIntroCrawlLineCount = 27;

// What the title menu's End does: ends the main loop. Tests put their own here.
using QuitRequest = void (*)();
extern QuitRequest gTitleQuitRequest;

// The title menu's choices, apart from the screen: each leaves the game
// ready for the fade-in (scene 1) or the load screen.
void startNewGameFromTitle(GraphicsResources& resources, gfx::Device* device);
void startPrologueFromTitle(GraphicsResources& resources, gfx::Device* device);

// Program entry and the main loop: start-up in its order, the loop that
// turns idle passes into frames, and tear-down in its order. The game
// (programs/gameMain.cpp) and the headless driver (programs/playtestMain.cpp)
// share all of it.
#pragma once

#include <memory>
#include <string>

#include "engine/GraphicsDevice.h"
#include "platform/App.h"
#include "platform/Window.h"

struct GraphicsResources;

// The options the game's window was opened with (kept for re-opening it).
extern window::WindowOptions gWindowOptions;

struct StartupOptions {
    std::string commandLine;      // the arguments after the program's name
    bool singleInstance = true;   // the lock-file rules (the headless driver skips them)
    bool headless = false;        // hidden window, boxes on stderr
    bool nullGraphics = false;    // the null device, no window
    bool paced = true;            // present holds 60 frames a second
    bool developer = false;       // the developer mode from the start, before the data tables load
    // The game's services start-up calls, set by the program above the
    // engine (programs/GameHooks.h): the data tables loaded, false (with the
    // player told why) ending the start-up with -1; the new game's state.
    bool (*loadGameData)() = nullptr;
    void (*resetNewGame)() = nullptr;
    // Called as each step of the start-up ends, with the step's name (the
    // start-up bench times them); none by default.
    void (*stepDone)(const char* step) = nullptr;
};

// What WinMain owns for the program's life.
struct GameSession {
    GraphicsDevice device;
    std::unique_ptr<GraphicsResources> resources;
    bool appStarted = false;
    bool windowOpened = false;
    bool servicesStarted = false;  // input and sound: the full tear-down applies
    bool lockHeld = false;
    GameSession();
    ~GameSession();
};

// Start-up up to the loop. True: run the loop. False: go straight to
// tearDownGame and exit with *exitCode (0 for the single-instance rules,
// non-zero with a line on stderr for a start-up that failed).
bool startGame(const StartupOptions& options, GameSession& session, int* exitCode);
// Tear-down in its order; harmless after any start-up failure.
void tearDownGame(GameSession& session);

// The services one pass of the loop uses; tests replace them.
struct LoopServices {
    bool (*takeEvent)(app::Event& event);
    void (*pollInput)();
    bool (*windowShowsFrames)();  // false while minimised or hidden
    void (*renderFrame)(gfx::Device* device, GraphicsResources* resources);
    void (*sleep)(int milliseconds);
    void (*updateMusic)();
    int sleepMilliseconds;
};
// The game's: SDL events, the real poll, the window's show state, 2 ms.
LoopServices gameLoopServices();

struct PassOutcome {
    bool quit = false;
    int exitCode = 0;
    bool tookEvent = false;
    bool rendered = false;
};
// One pass: one event, or when there is none the input poll and (unless
// the window is minimised or hidden) one frame; then the sleep and the
// music step.
PassOutcome runMainLoopPass(const LoopServices& services, gfx::Device* device, GraphicsResources* resources);
// Passes until a quit event; its exit code.
int runMainLoop(const LoopServices& services, gfx::Device* device, GraphicsResources* resources);

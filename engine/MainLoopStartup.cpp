// Start-up and tear-down, in the order the game has always used.
#include <cstdio>
#include <cstring>

#include "engine/Config.h"
#include "engine/GameTitle.h"
#include "engine/GraphicsResources.h"
#include "engine/Input.h"
#include "engine/MainLoop.h"
#include "engine/Music.h"
#include "engine/ResourcePaths.h"
#include "engine/Scene.h"
#include "engine/Sound.h"
#include "platform/Audio.h"

window::WindowOptions gWindowOptions;

GameSession::GameSession() = default;
GameSession::~GameSession() = default;

namespace {

void clearSongNames() {
    gCurrentSong[0] = '\0';
    gRequestedSong[0] = '\0';
}

void step(const StartupOptions& options, const char* name) {
    if (options.stepDone != nullptr) options.stepDone(name);
}

}  // namespace

bool startGame(const StartupOptions& options, GameSession& session, int* exitCode) {
    *exitCode = 0;
    // A second start ends silently; the configuration tool's lock refuses.
    if (options.singleInstance) {
        switch (app::claimSingleInstance(".")) {
        case app::InstanceCheck::GameRunning:
            return false;
        case app::InstanceCheck::ConfigToolRunning:
            app::showMessageBox("コンフィグの実行中には起動できません。", "警告");
            return false;
        case app::InstanceCheck::Alone:
            session.lockHeld = true;
            break;
        }
    }

    // The soundfont loads while the window and the graphics device start.
    audio::prepareMusicSynth();
    step(options, "music synth started");

    loadConfig("Config.dat");
    if (commandLineSelectsFullScreen(options.commandLine)) gConfig[0] = 1;
    step(options, "config");

    *exitCode = -1;
    resetInput();  // gCommandCode 999 before anything reads input
    // The developer mode is on before the data tables load: it reads them
    // from the seven text tables and writes "Data.dat" from them.
    if (options.developer) gCommandCode = 0;

    app::AppOptions appOptions;
    appOptions.video = !options.nullGraphics;
    appOptions.headless = options.headless;
    if (!app::initialise(appOptions)) {
        *exitCode = 1;
        return false;
    }
    session.appStarted = true;
    step(options, "app");

    if (!options.nullGraphics) {
        gWindowOptions = window::WindowOptions{};
        gWindowOptions.titleCp932 = engine::kGameWindowTitle;
        gWindowOptions.iconPath = resources::iconPath();
        gWindowOptions.fullScreen = gConfig[0] != 0;
        gWindowOptions.hidden = options.headless;
        // A window that cannot be opened is most often a context that
        // cannot be made: the device's chain tries again on the software
        // rasteriser and shows the box when that fails too.
        if (!window::openWindow(gWindowOptions)) {
            std::fprintf(stderr, "corvadine: the window could not be opened with an OpenGL context\n");
        }
        session.windowOpened = true;
    }
    step(options, "window");
    initInput();  // no controller is fine
    step(options, "input");
    session.servicesStarted = true;

    session.resources = std::make_unique<GraphicsResources>();
    DeviceAttempt nullAttempt[1] = {nullDeviceAttempt};
    const int deviceResult = options.nullGraphics
        ? session.device.createDevice(lowSpecGraphics(), gConfig[0] != 0, 640, 480, options.paced, nullAttempt, 1)
        : session.device.createDevice(lowSpecGraphics(), gConfig[0] != 0, 640, 480, options.paced);
    if (deviceResult < 0) {
        std::fprintf(stderr, "corvadine: cannot start: no graphics device could be created\n");
        *exitCode = 1;
        return false;
    }
    step(options, "device");

    gSoundAvailable = initSound() ? 1 : 0;
    step(options, "sound");

    if (createGraphicsResources(*session.resources, session.device.getDevice()) < 0) {
        std::fprintf(stderr, "corvadine: cannot start: the graphics resources failed to load\n");
        *exitCode = 1;
        return false;
    }
    step(options, "graphics resources");

    clearSongNames();
    gScene = 1000;

    if (options.loadGameData && !options.loadGameData()) {
        *exitCode = -1;
        return false;
    }
    step(options, "game data");

    // The new game's first half requests a map change (scene 1): the
    // title comes first all the same.
    if (options.resetNewGame) options.resetNewGame();
    step(options, "new game");
    gScene = 1000;
    clearSongNames();
    *exitCode = 0;
    return true;
}

void tearDownGame(GameSession& session) {
    if (session.servicesStarted) {
        stopMusic();
        releaseMusic();
        releaseInput();
        releaseEffectBuffer();
        releaseSound();
        session.servicesStarted = false;
    }
    if (session.resources != nullptr) {
        releaseGraphicsResources(*session.resources);
    }
    session.device.releaseDevice();
    session.resources.reset();
    if (session.windowOpened) {
        window::closeWindow();
        session.windowOpened = false;
    }
    if (session.appStarted) {
        app::shutdown();
        session.appStarted = false;
    }
    if (session.lockHeld) {
        app::releaseInstanceLock();
        session.lockHeld = false;
    }
}

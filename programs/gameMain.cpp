// The game: start-up, the main loop, tear-down.
//
// "--developer" (never given by the shipped game) starts in the developer
// mode, where the map editor and the other developer commands answer.
#include <cstring>
#include <vector>

#include "engine/Config.h"
#include "engine/GraphicsResources.h"
#include "engine/MainLoop.h"
#include "programs/GameHooks.h"

int main(int argc, char** argv) {
    bool developer = false;
    std::vector<char*> arguments;
    for (int i = 0; i < argc; ++i) {
        if (i > 0 && std::strcmp(argv[i], "--developer") == 0) {
            developer = true;
            continue;
        }
        arguments.push_back(argv[i]);
    }
    installInputHooks();
    StartupOptions options;
    setGameStartup(options);
    options.commandLine = joinCommandLine(static_cast<int>(arguments.size()), arguments.data());
    options.developer = developer;
    GameSession session;
    int exitCode = 0;
    if (startGame(options, session, &exitCode)) {
        exitCode = runMainLoop(gameLoopServices(), session.device.getDevice(), session.resources.get());
    }
    tearDownGame(session);
    return exitCode;
}

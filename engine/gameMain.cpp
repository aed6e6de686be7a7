// The game: start-up, the main loop, tear-down.
#include "engine/Config.h"
#include "engine/GraphicsResources.h"
#include "engine/MainLoop.h"

int main(int argc, char** argv) {
    StartupOptions options;
    options.commandLine = joinCommandLine(argc, argv);
    GameSession session;
    int exitCode = 0;
    if (startGame(options, session, &exitCode)) {
        exitCode = runMainLoop(gameLoopServices(), session.device.getDevice(), session.resources.get());
    }
    tearDownGame(session);
    return exitCode;
}

// What the engine asks of the layers above it, wired by the programs that
// run the whole game: the input poll's hooks into the title and the event
// engine, and the start-up's loading of the game data and the new game.
#pragma once

struct StartupOptions;

// Points the input poll's hooks (engine/Input.h) at the title and the event
// engine. The programs call it before start-up; tests that poll call it too.
void installInputHooks();
// Fills the start-up's game services (engine/MainLoop.h): "Data.dat" (or the
// text tables) loaded, the player told when it cannot be, and the new game's
// state set before the title.
void setGameStartup(StartupOptions& options);

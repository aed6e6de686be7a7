#include "programs/GameHooks.h"

#include <string>

#include "engine/Input.h"
#include "engine/MainLoop.h"
#include "field/EventState.h"
#include "gamedata/DataFile.h"
#include "gamedata/GameData.h"
#include "gamedata/NewGame.h"
#include "menus/Title.h"
#include "platform/App.h"
#include "platform/FileSystem.h"
#include "platform/Text.h"

namespace {

// F12 from anywhere but the logo: the logo starts over at its last count.
void returnToTitle() { gTitleCounter = 350; }

bool fieldEventRunning() { return gFieldEvent != 0; }

// The box (and its stderr line) for a "Data.dat" that is missing or refused:
// the file, what is wrong with it and the folder it was looked for in.
void showGameDataFailure(int dataResult) {
    const std::string folder = text::utf8ToCp932(files::currentFolder());
    const char* const what = dataResult == kDataFileWrongSize
        ? "ゲームデータ「Data.dat」が壊れています（大きさが正しくありません）。"
        : "ゲームデータ「Data.dat」が見つかりません。";
    const std::string message = std::string(what) + "\n場所：" + folder;
    app::showMessageBox(message.c_str(), "Error");
}

bool loadGameDataOrTell() {
    const int dataResult = loadGameData();
    if (dataResult == 0) return true;
    // Still -1 as ever, but the player is told which file and where.
    showGameDataFailure(dataResult);
    return false;
}

}  // namespace

void installInputHooks() {
    gReturnToTitleHook = returnToTitle;
    gFieldEventRunningHook = fieldEventRunning;
}

void setGameStartup(StartupOptions& options) {
    options.loadGameData = loadGameDataOrTell;
    options.resetNewGame = resetNewGame;
}

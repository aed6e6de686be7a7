#include "battle/ScriptedBattleMessage.h"

#include "battle/BattleServices.h"
#include "events/MessageWindow.h"

bool showBattleMessage(GraphicsResources& resources, gfx::Device* device, const BattleLine& line) {
    setMessagePortrait(1, line.column, line.row);
    setMessage(line.speaker, line.lines[0] ? line.lines[0] : "", line.lines[1] ? line.lines[1] : "",
               line.lines[2] ? line.lines[2] : "");
    drawMessageWindow(resources, device, 1);
    return waitBattleMessage();
}

// The state the headless driver prints at the end. Each subsystem's values
// are added here as the subsystem exists.
#include <cstdio>
#include <cstring>

#include "engine/Music.h"
#include "engine/Scene.h"
#include "field/EventState.h"
#include "field/FieldState.h"
#include "field/WorldToCell.h"
#include "gamedata/GameData.h"
#include "platform/Text.h"
#include "programs/Playtest.h"

void printGameState(std::FILE* out, long frames) {
    std::fprintf(out, "scene=%d\n", gScene);
    std::fprintf(out, "map=%d\n", gCurrentMap);
    std::fprintf(out, "event=%d\n", gFieldEvent);
    std::fprintf(out, "step=%d\n", gEventStep);
    int cell[3];
    worldToCell(gPlayerPos, cell);
    std::fprintf(out, "player_row=%d\nplayer_col=%d\n", cell[0], cell[2]);
    std::fprintf(out, "money0=%d\nmoney1=%d\nmoney2=%d\n", gMoney[0], gMoney[1], gMoney[2]);
    std::fprintf(out, "party=%d,%d,%d\n", gParty[0], gParty[1], gParty[2]);
    std::fprintf(out, "levels=");
    for (int unit = 1; unit <= 5; ++unit) std::fprintf(out, "%s%d", unit > 1 ? "," : "", gPartyMembers[unit].level);
    std::fprintf(out, "\nhp=");
    for (int unit = 1; unit <= 5; ++unit) std::fprintf(out, "%s%d", unit > 1 ? "," : "", gPartyMembers[unit].hp);
    std::fprintf(out, "\n");
    std::fprintf(out, "story_flags=");
    bool first = true;
    for (int i = 0; i < 1000; ++i) {
        if (gStoryFlags[i] == 0) continue;
        std::fprintf(out, "%s%d:%d", first ? "" : ",", i, gStoryFlags[i]);
        first = false;
    }
    std::fprintf(out, "\n");
    std::fprintf(out, "song=%s\n", text::cp932ToUtf8(gCurrentSong, static_cast<int>(strnlen(gCurrentSong, sizeof gCurrentSong))).c_str());
    std::fprintf(out, "frames=%ld\n", frames);
}

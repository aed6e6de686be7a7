// The state the headless driver prints at the end. Each subsystem's values
// are added here as the subsystem exists.
#include <cstdio>
#include <cstring>

#include "engine/Music.h"
#include "engine/Playtest.h"
#include "engine/Scene.h"
#include "events/EventState.h"
#include "platform/Text.h"

void printGameState(std::FILE* out, long frames) {
    std::fprintf(out, "scene=%d\n", gScene);
    std::fprintf(out, "map=%d\n", gCurrentMap);
    std::fprintf(out, "event=%d\n", gFieldEvent);
    std::fprintf(out, "step=%d\n", gEventStep);
    // TODO when the party and money land: player_row, player_col, money0..2,
    // party (three unit ids), levels and hp (units 1 to 5).
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

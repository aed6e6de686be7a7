#include "story/StoryState.h"

#include <cstring>

char gLocationName[100] = {};
int gSavedBattleBackground = 0;
int gBattleBackground = 0;

void resetStoryState() {
    // The whole buffer: a save writes all of it, so a longer name left
    // behind the terminator would make two equal states save differently.
    std::memset(gLocationName, 0, sizeof gLocationName);
    gSavedBattleBackground = 0;
    gBattleBackground = 0;
}

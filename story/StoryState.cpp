#include "story/StoryState.h"

char gLocationName[100] = {};
int gSavedBattleBackground = 0;
int gBattleBackground = 0;

void resetStoryState() {
    gLocationName[0] = '\0';
    gSavedBattleBackground = 0;
    gBattleBackground = 0;
}

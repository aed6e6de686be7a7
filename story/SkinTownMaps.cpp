// Set-ups and event scripts of this region's maps.
#include "story/MapScripts.h"

int setupMap20(int entering) { return runDefaultSetup(20, entering); }
void runMapEvents20() { runDefaultEvents(); }
int setupMap21(int entering) { return runDefaultSetup(21, entering); }
void runMapEvents21() { runDefaultEvents(); }
int setupMap22(int entering) { return runDefaultSetup(22, entering); }
void runMapEvents22() { runDefaultEvents(); }

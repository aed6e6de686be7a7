// Set-ups and event scripts of this region's maps.
#include "story/MapScripts.h"

int setupMap16(int entering) { return runDefaultSetup(16, entering); }
void runMapEvents16() { runDefaultEvents(); }
int setupMap127(int entering) { return runDefaultSetup(127, entering); }
void runMapEvents127() { runDefaultEvents(); }
int setupMap128(int entering) { return runDefaultSetup(128, entering); }
void runMapEvents128() { runDefaultEvents(); }
int setupMap129(int entering) { return runDefaultSetup(129, entering); }
void runMapEvents129() { runDefaultEvents(); }

// Set-ups and event scripts of this region's maps.
#include "story/MapScripts.h"

int setupMap8(int entering) { return runDefaultSetup(8, entering); }
void runMapEvents8() { runDefaultEvents(); }
int setupMap9(int entering) { return runDefaultSetup(9, entering); }
void runMapEvents9() { runDefaultEvents(); }
int setupMap10(int entering) { return runDefaultSetup(10, entering); }
void runMapEvents10() { runDefaultEvents(); }

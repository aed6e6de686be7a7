// Set-ups and event scripts of this region's maps.
#include "story/MapScripts.h"

int setupMap62(int entering) { return runDefaultSetup(62, entering); }
void runMapEvents62() { runDefaultEvents(); }
int setupMap63(int entering) { return runDefaultSetup(63, entering); }
void runMapEvents63() { runDefaultEvents(); }
int setupMap64(int entering) { return runDefaultSetup(64, entering); }
void runMapEvents64() { runDefaultEvents(); }

// Set-ups and event scripts of this region's maps.
#include "story/MapScripts.h"

int setupMap120(int entering) { return runDefaultSetup(120, entering); }
void runMapEvents120() { runDefaultEvents(); }

// Set-ups and event scripts of this region's maps.
#include "story/MapScripts.h"

int setupMap0(int entering) { return runDefaultSetup(0, entering); }
void runMapEvents0() { runDefaultEvents(); }
int setupMap1(int entering) { return runDefaultSetup(1, entering); }
void runMapEvents1() { runDefaultEvents(); }
int setupMap2(int entering) { return runDefaultSetup(2, entering); }
void runMapEvents2() { runDefaultEvents(); }
int setupMap13(int entering) { return runDefaultSetup(13, entering); }
void runMapEvents13() { runDefaultEvents(); }

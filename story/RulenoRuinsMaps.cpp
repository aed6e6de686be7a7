// Set-ups and event scripts of this region's maps.
#include "story/MapScripts.h"

int setupMap93(int entering) { return runDefaultSetup(93, entering); }
void runMapEvents93() { runDefaultEvents(); }
int setupMap94(int entering) { return runDefaultSetup(94, entering); }
void runMapEvents94() { runDefaultEvents(); }
int setupMap95(int entering) { return runDefaultSetup(95, entering); }
void runMapEvents95() { runDefaultEvents(); }
int setupMap96(int entering) { return runDefaultSetup(96, entering); }
void runMapEvents96() { runDefaultEvents(); }
int setupMap97(int entering) { return runDefaultSetup(97, entering); }
void runMapEvents97() { runDefaultEvents(); }
int setupMap98(int entering) { return runDefaultSetup(98, entering); }
void runMapEvents98() { runDefaultEvents(); }
int setupMap99(int entering) { return runDefaultSetup(99, entering); }
void runMapEvents99() { runDefaultEvents(); }

// Set-ups and event scripts of this region's maps.
#include "story/MapScripts.h"

int setupMap17(int entering) { return runDefaultSetup(17, entering); }
void runMapEvents17() { runDefaultEvents(); }
int setupMap18(int entering) { return runDefaultSetup(18, entering); }
void runMapEvents18() { runDefaultEvents(); }
int setupMap19(int entering) { return runDefaultSetup(19, entering); }
void runMapEvents19() { runDefaultEvents(); }
int setupMap121(int entering) { return runDefaultSetup(121, entering); }
void runMapEvents121() { runDefaultEvents(); }
int setupMap122(int entering) { return runDefaultSetup(122, entering); }
void runMapEvents122() { runDefaultEvents(); }

// Set-ups and event scripts of this region's maps.
#include "story/MapScripts.h"

int setupMap3(int entering) { return runDefaultSetup(3, entering); }
void runMapEvents3() { runDefaultEvents(); }
int setupMap4(int entering) { return runDefaultSetup(4, entering); }
void runMapEvents4() { runDefaultEvents(); }
int setupMap5(int entering) { return runDefaultSetup(5, entering); }
void runMapEvents5() { runDefaultEvents(); }
int setupMap6(int entering) { return runDefaultSetup(6, entering); }
void runMapEvents6() { runDefaultEvents(); }
int setupMap7(int entering) { return runDefaultSetup(7, entering); }
void runMapEvents7() { runDefaultEvents(); }

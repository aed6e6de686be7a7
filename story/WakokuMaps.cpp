// Set-ups and event scripts of this region's maps.
#include "story/MapScripts.h"

int setupMap50(int entering) { return runDefaultSetup(50, entering); }
void runMapEvents50() { runDefaultEvents(); }
int setupMap51(int entering) { return runDefaultSetup(51, entering); }
void runMapEvents51() { runDefaultEvents(); }
int setupMap52(int entering) { return runDefaultSetup(52, entering); }
void runMapEvents52() { runDefaultEvents(); }
int setupMap53(int entering) { return runDefaultSetup(53, entering); }
void runMapEvents53() { runDefaultEvents(); }
int setupMap54(int entering) { return runDefaultSetup(54, entering); }
void runMapEvents54() { runDefaultEvents(); }

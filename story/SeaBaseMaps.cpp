// Set-ups and event scripts of this region's maps.
#include "story/MapScripts.h"

int setupMap105(int entering) { return runDefaultSetup(105, entering); }
void runMapEvents105() { runDefaultEvents(); }
int setupMap106(int entering) { return runDefaultSetup(106, entering); }
void runMapEvents106() { runDefaultEvents(); }
int setupMap107(int entering) { return runDefaultSetup(107, entering); }
void runMapEvents107() { runDefaultEvents(); }
int setupMap108(int entering) { return runDefaultSetup(108, entering); }
void runMapEvents108() { runDefaultEvents(); }
int setupMap109(int entering) { return runDefaultSetup(109, entering); }
void runMapEvents109() { runDefaultEvents(); }
int setupMap110(int entering) { return runDefaultSetup(110, entering); }
void runMapEvents110() { runDefaultEvents(); }
int setupMap111(int entering) { return runDefaultSetup(111, entering); }
void runMapEvents111() { runDefaultEvents(); }
int setupMap112(int entering) { return runDefaultSetup(112, entering); }
void runMapEvents112() { runDefaultEvents(); }
int setupMap113(int entering) { return runDefaultSetup(113, entering); }
void runMapEvents113() { runDefaultEvents(); }
int setupMap114(int entering) { return runDefaultSetup(114, entering); }
void runMapEvents114() { runDefaultEvents(); }
int setupMap115(int entering) { return runDefaultSetup(115, entering); }
void runMapEvents115() { runDefaultEvents(); }
int setupMap116(int entering) { return runDefaultSetup(116, entering); }
void runMapEvents116() { runDefaultEvents(); }
int setupMap117(int entering) { return runDefaultSetup(117, entering); }
void runMapEvents117() { runDefaultEvents(); }
int setupMap118(int entering) { return runDefaultSetup(118, entering); }
void runMapEvents118() { runDefaultEvents(); }
int setupMap119(int entering) { return runDefaultSetup(119, entering); }
void runMapEvents119() { runDefaultEvents(); }

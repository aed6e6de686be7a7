// Set-ups and event scripts of this region's maps.
#include "story/MapScripts.h"

int setupMap23(int entering) { return runDefaultSetup(23, entering); }
void runMapEvents23() { runDefaultEvents(); }
int setupMap24(int entering) { return runDefaultSetup(24, entering); }
void runMapEvents24() { runDefaultEvents(); }
int setupMap25(int entering) { return runDefaultSetup(25, entering); }
void runMapEvents25() { runDefaultEvents(); }
int setupMap26(int entering) { return runDefaultSetup(26, entering); }
void runMapEvents26() { runDefaultEvents(); }
int setupMap27(int entering) { return runDefaultSetup(27, entering); }
void runMapEvents27() { runDefaultEvents(); }
int setupMap28(int entering) { return runDefaultSetup(28, entering); }
void runMapEvents28() { runDefaultEvents(); }
int setupMap29(int entering) { return runDefaultSetup(29, entering); }
void runMapEvents29() { runDefaultEvents(); }

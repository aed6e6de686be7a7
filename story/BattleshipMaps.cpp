// Set-ups and event scripts of this region's maps.
#include "story/MapScripts.h"

int setupMap43(int entering) { return runDefaultSetup(43, entering); }
void runMapEvents43() { runDefaultEvents(); }
int setupMap44(int entering) { return runDefaultSetup(44, entering); }
void runMapEvents44() { runDefaultEvents(); }
int setupMap45(int entering) { return runDefaultSetup(45, entering); }
void runMapEvents45() { runDefaultEvents(); }
int setupMap46(int entering) { return runDefaultSetup(46, entering); }
void runMapEvents46() { runDefaultEvents(); }
int setupMap47(int entering) { return runDefaultSetup(47, entering); }
void runMapEvents47() { runDefaultEvents(); }
int setupMap48(int entering) { return runDefaultSetup(48, entering); }
void runMapEvents48() { runDefaultEvents(); }
int setupMap49(int entering) { return runDefaultSetup(49, entering); }
void runMapEvents49() { runDefaultEvents(); }

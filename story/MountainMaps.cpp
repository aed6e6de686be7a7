// Set-ups and event scripts of this region's maps.
#include "story/MapScripts.h"

int setupMap55(int entering) { return runDefaultSetup(55, entering); }
void runMapEvents55() { runDefaultEvents(); }
int setupMap56(int entering) { return runDefaultSetup(56, entering); }
void runMapEvents56() { runDefaultEvents(); }
int setupMap57(int entering) { return runDefaultSetup(57, entering); }
void runMapEvents57() { runDefaultEvents(); }
int setupMap58(int entering) { return runDefaultSetup(58, entering); }
void runMapEvents58() { runDefaultEvents(); }
int setupMap123(int entering) { return runDefaultSetup(123, entering); }
void runMapEvents123() { runDefaultEvents(); }

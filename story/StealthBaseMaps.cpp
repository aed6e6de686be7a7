// Set-ups and event scripts of this region's maps.
#include "story/MapScripts.h"

int setupMap65(int entering) { return runDefaultSetup(65, entering); }
void runMapEvents65() { runDefaultEvents(); }
int setupMap66(int entering) { return runDefaultSetup(66, entering); }
void runMapEvents66() { runDefaultEvents(); }
int setupMap67(int entering) { return runDefaultSetup(67, entering); }
void runMapEvents67() { runDefaultEvents(); }
int setupMap68(int entering) { return runDefaultSetup(68, entering); }
void runMapEvents68() { runDefaultEvents(); }
int setupMap69(int entering) { return runDefaultSetup(69, entering); }
void runMapEvents69() { runDefaultEvents(); }
int setupMap70(int entering) { return runDefaultSetup(70, entering); }
void runMapEvents70() { runDefaultEvents(); }

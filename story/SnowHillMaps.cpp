// Set-ups and event scripts of this region's maps.
#include "story/MapScripts.h"

int setupMap59(int entering) { return runDefaultSetup(59, entering); }
void runMapEvents59() { runDefaultEvents(); }
int setupMap60(int entering) { return runDefaultSetup(60, entering); }
void runMapEvents60() { runDefaultEvents(); }
int setupMap61(int entering) { return runDefaultSetup(61, entering); }
void runMapEvents61() { runDefaultEvents(); }
int setupMap71(int entering) { return runDefaultSetup(71, entering); }
void runMapEvents71() { runDefaultEvents(); }
int setupMap124(int entering) { return runDefaultSetup(124, entering); }
void runMapEvents124() { runDefaultEvents(); }
int setupMap125(int entering) { return runDefaultSetup(125, entering); }
void runMapEvents125() { runDefaultEvents(); }
int setupMap126(int entering) { return runDefaultSetup(126, entering); }
void runMapEvents126() { runDefaultEvents(); }

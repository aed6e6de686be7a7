// Set-ups and event scripts of this region's maps.
#include "story/MapScripts.h"

int setupMap100(int entering) { return runDefaultSetup(100, entering); }
void runMapEvents100() { runDefaultEvents(); }
int setupMap101(int entering) { return runDefaultSetup(101, entering); }
void runMapEvents101() { runDefaultEvents(); }
int setupMap102(int entering) { return runDefaultSetup(102, entering); }
void runMapEvents102() { runDefaultEvents(); }
int setupMap103(int entering) { return runDefaultSetup(103, entering); }
void runMapEvents103() { runDefaultEvents(); }
int setupMap104(int entering) { return runDefaultSetup(104, entering); }
void runMapEvents104() { runDefaultEvents(); }

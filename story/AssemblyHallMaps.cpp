// Set-ups and event scripts of this region's maps.
#include "story/MapScripts.h"

int setupMap11(int entering) { return runDefaultSetup(11, entering); }
void runMapEvents11() { runDefaultEvents(); }
int setupMap12(int entering) { return runDefaultSetup(12, entering); }
void runMapEvents12() { runDefaultEvents(); }
int setupMap14(int entering) { return runDefaultSetup(14, entering); }
void runMapEvents14() { runDefaultEvents(); }
int setupMap15(int entering) { return runDefaultSetup(15, entering); }
void runMapEvents15() { runDefaultEvents(); }
int setupMap30(int entering) { return runDefaultSetup(30, entering); }
void runMapEvents30() { runDefaultEvents(); }
int setupMap31(int entering) { return runDefaultSetup(31, entering); }
void runMapEvents31() { runDefaultEvents(); }
int setupMap32(int entering) { return runDefaultSetup(32, entering); }
void runMapEvents32() { runDefaultEvents(); }
int setupMap33(int entering) { return runDefaultSetup(33, entering); }
void runMapEvents33() { runDefaultEvents(); }
int setupMap34(int entering) { return runDefaultSetup(34, entering); }
void runMapEvents34() { runDefaultEvents(); }
int setupMap35(int entering) { return runDefaultSetup(35, entering); }
void runMapEvents35() { runDefaultEvents(); }
int setupMap36(int entering) { return runDefaultSetup(36, entering); }
void runMapEvents36() { runDefaultEvents(); }
int setupMap37(int entering) { return runDefaultSetup(37, entering); }
void runMapEvents37() { runDefaultEvents(); }
int setupMap38(int entering) { return runDefaultSetup(38, entering); }
void runMapEvents38() { runDefaultEvents(); }
int setupMap39(int entering) { return runDefaultSetup(39, entering); }
void runMapEvents39() { runDefaultEvents(); }
int setupMap40(int entering) { return runDefaultSetup(40, entering); }
void runMapEvents40() { runDefaultEvents(); }
int setupMap41(int entering) { return runDefaultSetup(41, entering); }
void runMapEvents41() { runDefaultEvents(); }
int setupMap42(int entering) { return runDefaultSetup(42, entering); }
void runMapEvents42() { runDefaultEvents(); }

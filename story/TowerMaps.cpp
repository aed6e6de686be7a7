// Set-ups and event scripts of this region's maps.
#include "story/MapScripts.h"

int setupMap72(int entering) { return runDefaultSetup(72, entering); }
void runMapEvents72() { runDefaultEvents(); }
int setupMap73(int entering) { return runDefaultSetup(73, entering); }
void runMapEvents73() { runDefaultEvents(); }
int setupMap74(int entering) { return runDefaultSetup(74, entering); }
void runMapEvents74() { runDefaultEvents(); }
int setupMap75(int entering) { return runDefaultSetup(75, entering); }
void runMapEvents75() { runDefaultEvents(); }
int setupMap76(int entering) { return runDefaultSetup(76, entering); }
void runMapEvents76() { runDefaultEvents(); }
int setupMap77(int entering) { return runDefaultSetup(77, entering); }
void runMapEvents77() { runDefaultEvents(); }
int setupMap78(int entering) { return runDefaultSetup(78, entering); }
void runMapEvents78() { runDefaultEvents(); }
int setupMap79(int entering) { return runDefaultSetup(79, entering); }
void runMapEvents79() { runDefaultEvents(); }
int setupMap80(int entering) { return runDefaultSetup(80, entering); }
void runMapEvents80() { runDefaultEvents(); }
int setupMap81(int entering) { return runDefaultSetup(81, entering); }
void runMapEvents81() { runDefaultEvents(); }
int setupMap82(int entering) { return runDefaultSetup(82, entering); }
void runMapEvents82() { runDefaultEvents(); }
int setupMap83(int entering) { return runDefaultSetup(83, entering); }
void runMapEvents83() { runDefaultEvents(); }
int setupMap84(int entering) { return runDefaultSetup(84, entering); }
void runMapEvents84() { runDefaultEvents(); }
int setupMap85(int entering) { return runDefaultSetup(85, entering); }
void runMapEvents85() { runDefaultEvents(); }
int setupMap86(int entering) { return runDefaultSetup(86, entering); }
void runMapEvents86() { runDefaultEvents(); }
int setupMap87(int entering) { return runDefaultSetup(87, entering); }
void runMapEvents87() { runDefaultEvents(); }
int setupMap88(int entering) { return runDefaultSetup(88, entering); }
void runMapEvents88() { runDefaultEvents(); }
int setupMap89(int entering) { return runDefaultSetup(89, entering); }
void runMapEvents89() { runDefaultEvents(); }
int setupMap90(int entering) { return runDefaultSetup(90, entering); }
void runMapEvents90() { runDefaultEvents(); }
int setupMap91(int entering) { return runDefaultSetup(91, entering); }
void runMapEvents91() { runDefaultEvents(); }
int setupMap92(int entering) { return runDefaultSetup(92, entering); }
void runMapEvents92() { runDefaultEvents(); }

// The headless driver (engine/Playtest.h).
#include "engine/Playtest.h"

int main(int argc, char** argv) { return runPlaytest(argc, argv); }

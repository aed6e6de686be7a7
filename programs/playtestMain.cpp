// The headless driver (programs/Playtest.h).
#include "programs/Playtest.h"

int main(int argc, char** argv) { return runPlaytest(argc, argv); }

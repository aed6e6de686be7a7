// The story's per-map scripts: for every map N a set-up setupMap<N>(entering)
// and an event script runMapEvents<N>(), selected by map number through the
// two tables below (tests may put scripts of their own in them).
#pragma once

constexpr int kMapScriptCount = 130;

using MapSetup = int (*)(int entering);
using MapEventScript = void (*)();

extern MapSetup gMapSetups[kMapScriptCount];
extern MapEventScript gMapEventScripts[kMapScriptCount];

#define CORVADINE_DECLARE_MAP(n) \
    int setupMap##n(int entering); \
    void runMapEvents##n();
#define CORVADINE_DECLARE_MAPS10(t) \
    CORVADINE_DECLARE_MAP(t##0) CORVADINE_DECLARE_MAP(t##1) CORVADINE_DECLARE_MAP(t##2) CORVADINE_DECLARE_MAP(t##3) \
    CORVADINE_DECLARE_MAP(t##4) CORVADINE_DECLARE_MAP(t##5) CORVADINE_DECLARE_MAP(t##6) CORVADINE_DECLARE_MAP(t##7) \
    CORVADINE_DECLARE_MAP(t##8) CORVADINE_DECLARE_MAP(t##9)
CORVADINE_DECLARE_MAP(0) CORVADINE_DECLARE_MAP(1) CORVADINE_DECLARE_MAP(2) CORVADINE_DECLARE_MAP(3)
CORVADINE_DECLARE_MAP(4) CORVADINE_DECLARE_MAP(5) CORVADINE_DECLARE_MAP(6) CORVADINE_DECLARE_MAP(7)
CORVADINE_DECLARE_MAP(8) CORVADINE_DECLARE_MAP(9)
CORVADINE_DECLARE_MAPS10(1) CORVADINE_DECLARE_MAPS10(2) CORVADINE_DECLARE_MAPS10(3) CORVADINE_DECLARE_MAPS10(4)
CORVADINE_DECLARE_MAPS10(5) CORVADINE_DECLARE_MAPS10(6) CORVADINE_DECLARE_MAPS10(7) CORVADINE_DECLARE_MAPS10(8)
CORVADINE_DECLARE_MAPS10(9) CORVADINE_DECLARE_MAPS10(10) CORVADINE_DECLARE_MAPS10(11) CORVADINE_DECLARE_MAPS10(12)
#undef CORVADINE_DECLARE_MAPS10
#undef CORVADINE_DECLARE_MAP

// The shared shape of a map whose events are not written yet: the set-up
// applies the arrival values of the map table, and the event script ends any
// event it is handed (0, the treasure message and the set-ups' own numbers
// 900, 1001 and 1002 aside) so touching such an object never freezes the
// player; every call adds 1 to the step.
int runDefaultSetup(int map, int entering);
void runDefaultEvents();

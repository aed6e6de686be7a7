// The route a playthrough follows, read from a goals file (route.txt beside
// the program): where to walk on each map, what to pick at each choice and
// which story battles are expected on the way. The format is in tools/README.md.
#pragma once

#include <string>
#include <vector>

// One stretch of the road.
enum class GoalKind {
    Walk,    // walk on `map` into `slot` (an exit, a trigger, a person)
    Arrive,  // wait on `map` until the field is free (and story flag `flag` holds `value`)
    Inn,     // walk on `map` into the inn's `slot` and stay the night
    Grind,   // on `map`, meet the enemy symbols until the line reaches `level`
    Check,   // when the line has reached `level`, go on at goal `jump`
    Reload,  // save from the camp menu, F12 to the title, Continue with that save
    Pull,    // on `map`, from the cell (`row`, `col`) pull the lever `slot`
    Cell,    // on `map`, walk onto the cell (`row`, `col`) (a lift platform)
    Ask,     // on `map`, walk into `slot` and answer its choice with option `level`
    Duel,    // walk on `map` into the card player's `slot` and take up the duel
    Outfit,  // walk on `map` into the counter's `slot` and buy the gear upgrades first
    Equip,   // on `map`, put on the best gear owned from the camp menu
    Chest,   // on `map`, open the chest of `slot` (jumped into from beside it)
    StaffRoll,  // wait through the ending's staff roll until the title follows
    Heal,    // from here on a member under `level` per cent of his most HP is healed in battle
    Skills,  // from here on the weapon skill picked is the strongest open (`level` 1) or the first (0)
};

struct RouteGoal {
    GoalKind kind = GoalKind::Walk;
    int map = 0;
    int slot = -1;
    int level = 0;
    int jump = 0;
    int row = -1;   // Pull: the cell the lever is pulled from; Cell: the cell
    int col = -1;
    int flag = -1;  // Arrive: the story flag to wait for, -1 for none
    int value = 0;
    std::string what;
    int line = 0;  // in the goals file
};

struct Route {
    std::vector<RouteGoal> goals;
    std::vector<int> choices;  // the option picked at each choice window, in order
    std::vector<int> battles;  // the story battle groups expected, in order
};

// Reads the lines that hold for `route` (1 or 2); false with the file's name,
// the line and what is wrong in *error.
bool loadRoute(const std::string& path, int route, Route& out, std::string* error);

// The route a playthrough follows, read from a goals file (route.txt beside
// the program): where to walk on each map, what to pick at each choice and
// which story battles are expected on the way. The format is in README.md.
#pragma once

#include <string>
#include <vector>

// One stretch of the road: walk on `map` into `slot` (an exit, a trigger, a
// person), or, when `slot` is -1, wait on `map` until the field is free.
struct RouteGoal {
    int map = 0;
    int slot = -1;
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

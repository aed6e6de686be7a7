// mapwalk: walks every built map with the field's own movement step from the
// story's arrival cells and fails when a person, exit, trigger or chest of
// the map sources cannot be started by walking (tools/mapc/MapWalk.h).
//
//   mapwalk <source folder> <game folder> [map...]
//   mapwalk --route MAP,ROW,COL,SLOT [--from FRAME] [--flags F=V,...] <source folder> <game folder>
//
// The second form prints, as lines of a playtest input file, the keys of a
// walk from cell (ROW, COL) of map MAP that starts the slot's event, its
// first frame numbered FRAME (default 1), in the story state the flags give
// (the rest as a new game has them).
//
// Prints one line per slot no walk starts, per slot the set-up leaves inert
// in the story state walked (a flags line of the constraints names the state
// that stands it), and per fault of the maps whose gates or water decide the
// way (tools/mapc/MapWalkStates.h: a goal reached in the wrong switch states
// or water levels, a state that shuts the player in). Exit code 0 when there
// are no faults, 1 when there are, 2 on a bad command line or unreadable
// sources. The maps are shared among worker processes: MAPWALK_JOBS of them,
// by default as many as there are processors, at most four.
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "engine/Input.h"
#include "engine/Scene.h"
#include "events/EventEngine.h"
#include "field/FieldMap.h"
#include "field/FieldState.h"
#include "gamedata/GameData.h"
#include "story/StoryState.h"
#include "tools/mapc/MapLint.h"
#include "tools/mapc/MapSource.h"
#include "tools/mapc/MapWalk.h"
#include "tools/mapc/MapWalkStates.h"

namespace {

// The keys that give an input code on the field with the default keys.
std::string keysOf(int code) {
    std::string keys;
    switch (code % 10) {
        case kInputDownLeft: keys = "down,left"; break;
        case kInputDownRight: keys = "down,right"; break;
        case kInputLeft: keys = "left"; break;
        case kInputRight: keys = "right"; break;
        case kInputUpLeft: keys = "up,left"; break;
        case kInputUpRight: keys = "up,right"; break;
        default: break;
    }
    if (code >= kInputDecide) keys += keys.empty() ? "decide" : ",decide";
    return keys.empty() ? "-" : keys;
}

struct RouteRequest {
    int map = -1, row = -1, col = -1, slot = -1, from = 1;
    std::vector<std::pair<int, int>> flags;
};

int printRoute(const RouteRequest& request, const std::string& sourceDir) {
    const std::string path = sourceDir + "/content/maps/Map_" + std::to_string(request.map) + ".map";
    const mapsource::MapSource source = mapsource::loadMapSourceFile(path);
    // Only the goal stands in for itself when the set-up leaves it inert:
    // the others stay as the story state has them.
    std::map<int, std::string> standIns;
    for (const mapsource::SlotEntry& s : source.slots)
        if (s.slot == request.slot && mapwalk::isTouchRole(s.role)) standIns[s.slot] = s.role;
    std::memset(gStoryFlags, 0, sizeof gStoryFlags);
    for (const auto& [index, value] : request.flags) gStoryFlags[index] = static_cast<std::uint8_t>(value);
    if (loadMap(request.map) != 0) return 2;
    gScene = 0;
    setUpCurrentMap(1);
    std::vector<int> route;
    mapwalk::walkFromArrivals({{request.row, request.col}}, standIns, request.slot, &route);
    if (route.empty()) {
        std::fprintf(stderr, "mapwalk: no walk from (%d, %d) starts slot %d of map %d\n", request.row, request.col,
                     request.slot, request.map);
        return 1;
    }
    std::printf("# map %d: from (%d, %d) to slot %d, %zu frames\n", request.map, request.row, request.col, request.slot,
                route.size());
    std::size_t start = 0;
    for (std::size_t i = 1; i <= route.size(); ++i) {
        if (i < route.size() && keysOf(route[i]) == keysOf(route[start])) continue;
        std::printf("%zu %zu %s\n", request.from + start, request.from + i - 1, keysOf(route[start]).c_str());
        start = i;
    }
    return 0;
}

// How many worker processes walk the maps: MAPWALK_JOBS when set, else up
// to four, and never more than there are maps.
int workersWanted(std::size_t mapCount) {
    long wanted = 4;
    if (const char* jobs = std::getenv("MAPWALK_JOBS")) wanted = std::strtol(jobs, nullptr, 10);
    const long online = sysconf(_SC_NPROCESSORS_ONLN);
    if (std::getenv("MAPWALK_JOBS") == nullptr && online > 0 && online < wanted) wanted = online;
    if (wanted < 1) wanted = 1;
    if (static_cast<std::size_t>(wanted) > mapCount) wanted = static_cast<long>(mapCount == 0 ? 1 : mapCount);
    return static_cast<int>(wanted);
}

// Walks `maps` and writes each fault to `out` as a line led by its map's
// number. 0 when walked (faults or not), 2 on a source that does not load.
int walkMaps(const std::vector<int>& maps, const std::string& sourceDir, const mapsource::Constraints& constraints,
             std::FILE* out) {
    for (int n : maps) {
        const std::string path = sourceDir + "/content/maps/Map_" + std::to_string(n) + ".map";
        const mapsource::MapSource source = mapsource::loadMapSourceFile(path);
        if (!source.errors.empty()) {
            for (const std::string& e : source.errors) std::fprintf(stderr, "%s: %s\n", path.c_str(), e.c_str());
            return 2;
        }
        std::map<int, std::string> roles;
        const std::set<int> judgedByStates = mapwalk::slotsOnStateGoals(n, source.slots, constraints);
        for (const mapsource::SlotEntry& s : source.slots)
            if (judgedByStates.count(s.slot) == 0) roles[s.slot] = s.role;
        // A slot left inert in the story state it was walked in proves
        // nothing of the state in which a player meets it: that state wants
        // its flags line.
        std::vector<std::string> inert;
        for (const std::string& line : mapwalk::walkMapFaults(n, roles, constraints, &inert))
            std::fprintf(out, "%d %s\n", n, line.c_str());
        for (const std::string& line : inert)
            std::fprintf(out, "%d %s; name the story state that stands it in a flags line\n", n, line.c_str());
        // Maps whose gates or water decide the way: every state walked.
        const mapwalk::StateWalkReport states = mapwalk::walkMapStates(n, roles, constraints);
        for (const std::string& line : states.faults) std::fprintf(out, "%d %s\n", n, line.c_str());
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    RouteRequest route;
    bool routing = false;
    while (argc > 2 && argv[1][0] == '-' && argv[1][1] == '-') {
        const std::string option = argv[1];
        const char* value = argv[2];
        bool good = true;
        if (option == "--route") {
            routing = true;
            good = std::sscanf(value, "%d,%d,%d,%d", &route.map, &route.row, &route.col, &route.slot) == 4 &&
                   route.map >= 0 && route.map < kMapCount && route.slot >= 0 && route.slot < kMapObjectCount;
        } else if (option == "--from") {
            good = std::sscanf(value, "%d", &route.from) == 1 && route.from >= 1;
        } else if (option == "--flags") {
            std::vector<std::string> errors;
            const auto constraints = mapsource::parseConstraints("flags 0 0 " + std::string(value) + "\n", errors);
            good = errors.empty();
            if (good) route.flags = constraints.flagSets.at(0).front().flags;
        } else {
            good = false;
        }
        if (!good) {
            std::fprintf(stderr, "mapwalk: bad option %s %s\n", option.c_str(), value);
            return 2;
        }
        argv += 2;
        argc -= 2;
    }
    if (argc < 3) {
        std::fprintf(stderr, "usage: mapwalk <source folder> <game folder> [map...]\n");
        return 2;
    }
    const std::string sourceDir = argv[1];
    std::vector<int> maps;
    for (int i = 3; i < argc; ++i) {
        char* end = nullptr;
        const long n = std::strtol(argv[i], &end, 10);
        if (*end != '\0' || n < 0 || n >= kMapCount) {
            std::fprintf(stderr, "mapwalk: not a map number: %s\n", argv[i]);
            return 2;
        }
        maps.push_back(static_cast<int>(n));
    }
    if (maps.empty())
        for (int n = 0; n < kMapCount; ++n) maps.push_back(n);

    std::string constraintText;
    if (!mapsource::readTextFile(sourceDir + "/content/maps/constraints.txt", constraintText)) {
        std::fprintf(stderr, "mapwalk: cannot read %s/content/maps/constraints.txt\n", sourceDir.c_str());
        return 2;
    }
    std::vector<std::string> errors;
    const mapsource::Constraints constraints = mapsource::parseConstraints(constraintText, errors);
    for (const std::string& e : errors) std::fprintf(stderr, "mapwalk: %s\n", e.c_str());
    if (!errors.empty()) return 2;

    if (chdir(argv[2]) != 0) {
        std::fprintf(stderr, "mapwalk: cannot enter the game folder %s\n", argv[2]);
        return 2;
    }
    resetFieldState();
    resetGameDataState();
    resetFieldMap();
    resetEventEngine();
    resetStoryState();
    if (routing) return printRoute(route, sourceDir);

    // The maps are walked by a few worker processes (the field's state is
    // global, one map at a time per process); each writes its lines to a
    // file of its own, read back in the order of the maps.
    const int workerCount = workersWanted(maps.size());
    std::vector<std::FILE*> outputs;
    std::vector<pid_t> workers;
    for (int w = 0; w < workerCount; ++w) {
        std::FILE* out = std::tmpfile();
        if (out == nullptr) {
            std::fprintf(stderr, "mapwalk: cannot make a file for a worker's lines\n");
            return 2;
        }
        std::fflush(stdout);
        std::fflush(stderr);
        const pid_t pid = fork();
        if (pid < 0) {
            std::fprintf(stderr, "mapwalk: cannot start a worker\n");
            return 2;
        }
        if (pid == 0) {
            std::vector<int> share;
            for (std::size_t i = static_cast<std::size_t>(w); i < maps.size(); i += static_cast<std::size_t>(workerCount))
                share.push_back(maps[i]);
            const int status = walkMaps(share, sourceDir, constraints, out);
            std::fflush(out);
            std::_Exit(status);
        }
        outputs.push_back(out);
        workers.push_back(pid);
    }
    bool failed = false;
    std::map<int, std::vector<std::string>> lines;
    for (int w = 0; w < workerCount; ++w) {
        int status = 0;
        if (waitpid(workers[w], &status, 0) < 0 || !WIFEXITED(status) || WEXITSTATUS(status) != 0) failed = true;
        std::rewind(outputs[w]);
        char buffer[4096];
        while (std::fgets(buffer, sizeof buffer, outputs[w]) != nullptr) {
            int map = -1, used = 0;
            if (std::sscanf(buffer, "%d %n", &map, &used) != 1) continue;
            lines[map].push_back(buffer + used);
        }
        std::fclose(outputs[w]);
    }
    if (failed) {
        std::fprintf(stderr, "mapwalk: a worker did not finish its maps\n");
        return 2;
    }
    int faults = 0;
    for (int n : maps)
        for (const std::string& line : lines[n]) {
            std::fputs(line.c_str(), stdout);
            ++faults;
        }
    std::printf("mapwalk: %zu map(s), %d fault(s)\n", maps.size(), faults);
    return faults == 0 ? 0 : 1;
}


// The rules every built map keeps, checked over the map arrays as loaded
// (gMapCells, gMapObjects' present bytes, gObjectCells) with the slot roles
// of the map's source and the story's constraints (content/maps/constraints.txt).
// Whether the player can walk to a slot is not judged here from the grid:
// the walking check (MapWalk.h) drives the field's own movement step.
#pragma once

#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "field/FieldMap.h"
#include "tools/mapc/MapSource.h"

namespace mapsource {

struct Arrival {
    int row = 0;
    int column = 0;
    std::string note;
};

// Per map: where the story puts the player, which slots its scripts need,
// and what some of those slots must be.
// Story flags to set before a map's set-up, for slots that only stand in
// some story states.
struct FlagSet {
    std::set<int> slots;
    std::vector<std::pair<int, int>> flags;  // index, value
};

// A cell whose reach a mechanism decides: reached from the arrivals (and
// the platforms of the lift from below) in exactly the states of `open`.
// Gate states are the switches of flags 900-902 as bits 0-2; water states
// the stored water level 0-11.
struct StateGoal {
    bool water = false;
    int row = 0, column = 0;
    std::set<int> open;
    std::string note;
};

struct Constraints {
    std::map<int, std::vector<Arrival>> arrivals;
    std::map<int, std::vector<StateGoal>> stateGoals;
    std::map<int, std::vector<FlagSet>> flagSets;
    std::map<int, std::set<int>> slots;
    std::map<int, std::map<int, std::string>> roles;
};

// "a-b,c,...": slot numbers into `into`.
inline void parseSlotList(const std::string& list, const std::string& where, std::set<int>& into, std::vector<std::string>& errors) {
    std::istringstream parts(list);
    std::string part;
    while (std::getline(parts, part, ',')) {
        int first = 0, last = 0;
        if (!detail::parseRange(part, first, last) || first < 0 || last >= kMapObjectCount) {
            errors.push_back(where + "bad slot range " + part);
            continue;
        }
        for (int s = first; s <= last; ++s) into.insert(s);
    }
}

// "0-1,1-0": the gate states (bit i = switch of flag 900 + i) matching any
// of the patterns, one character per switch 900, 901, 902: 0, 1 or - (either).
inline bool parseGatePatterns(const std::string& list, std::set<int>& into) {
    std::istringstream parts(list);
    std::string part;
    while (std::getline(parts, part, ',')) {
        if (part.size() != 3 || part.find_first_not_of("01-") != std::string::npos) return false;
        for (int state = 0; state < 8; ++state) {
            bool match = true;
            for (int i = 0; i < 3; ++i)
                if (part[i] != '-' && (part[i] - '0') != ((state >> i) & 1)) match = false;
            if (match) into.insert(state);
        }
    }
    return !into.empty();
}

// "0-3,7": water levels 0 to 11.
inline bool parseWaterLevels(const std::string& list, std::set<int>& into) {
    std::istringstream parts(list);
    std::string part;
    while (std::getline(parts, part, ',')) {
        int first = 0, last = 0;
        if (!detail::parseRange(part, first, last) || first < 0 || last > 11 || first > last) return false;
        for (int w = first; w <= last; ++w) into.insert(w);
    }
    return !into.empty();
}

// Lines: "arrival <map> <row> <column>", "slots <map> <a>-<b>,<c>,...",
// "role <map> <slot> <role>", "flags <map> <slots> <flag>=<value>,...",
// "gate <map> <row> <column> <patterns>", "water <map> <row> <column>
// <levels>"; '#' starts a comment.
inline Constraints parseConstraints(const std::string& text, std::vector<std::string>& errors) {
    Constraints out;
    std::istringstream in(text);
    std::string line;
    int number = 0;
    while (std::getline(in, line)) {
        ++number;
        std::string note;
        const auto hash = line.find('#');
        if (hash != std::string::npos) {
            note = detail::trim(line.substr(hash + 1));
            line.erase(hash);
        }
        const auto w = detail::words(line);
        if (w.empty()) continue;
        const std::string where = "constraints line " + std::to_string(number) + ": ";
        int map = -1;
        if (w.size() < 3 || !detail::parseInt(w[1], map) || map < 0 || map >= kMapCount) {
            errors.push_back(where + "expected a statement and a map number 0 to 129");
            continue;
        }
        if (w[0] == "arrival") {
            Arrival a;
            a.note = note;
            if (w.size() != 4 || !detail::parseInt(w[2], a.row) || !detail::parseInt(w[3], a.column))
                errors.push_back(where + "arrival <map> <row> <column>");
            else
                out.arrivals[map].push_back(a);
        } else if (w[0] == "slots") {
            std::string list;
            for (std::size_t i = 2; i < w.size(); ++i) list += w[i];
            parseSlotList(list, where, out.slots[map], errors);
        } else if (w[0] == "flags") {
            FlagSet set;
            std::string assignments;
            for (std::size_t i = 3; i < w.size(); ++i) assignments += w[i];
            parseSlotList(w[2], where, set.slots, errors);
            std::istringstream parts(assignments);
            std::string part;
            while (std::getline(parts, part, ',')) {
                const auto eq = part.find('=');
                int index = -1, value = -1;
                if (eq == std::string::npos || !detail::parseInt(part.substr(0, eq), index) ||
                    !detail::parseInt(part.substr(eq + 1), value) || index < 0 || index >= 1000 || value < 0 || value > 255) {
                    errors.push_back(where + "flags <map> <slots> <flag>=<value>,... (flag 0-999, value 0-255)");
                    continue;
                }
                set.flags.push_back({index, value});
            }
            if (set.flags.empty()) errors.push_back(where + "flags <map> <slots> <flag>=<value>,...");
            else out.flagSets[map].push_back(set);
        } else if (w[0] == "gate" || w[0] == "water") {
            StateGoal goal;
            goal.water = w[0] == "water";
            goal.note = note;
            const bool good = w.size() == 5 && detail::parseInt(w[2], goal.row) && detail::parseInt(w[3], goal.column) &&
                              goal.row >= 0 && goal.row < kMapRows && goal.column >= 0 && goal.column < kMapColumns &&
                              (goal.water ? parseWaterLevels(w[4], goal.open) : parseGatePatterns(w[4], goal.open));
            if (!good)
                errors.push_back(where + (goal.water ? "water <map> <row> <column> <levels 0-11, e.g. 0-3,7>"
                                                     : "gate <map> <row> <column> <patterns of 0, 1, -, e.g. 1-0,01->"));
            else
                out.stateGoals[map].push_back(goal);
        } else if (w[0] == "role") {
            int slot = -1;
            if (w.size() != 4 || !detail::parseInt(w[2], slot) || slot < 0 || slot >= kMapObjectCount || !knownRoles().count(w[3]))
                errors.push_back(where + "role <map> <slot> <role>");
            else
                out.roles[map][slot] = w[3];
        } else {
            errors.push_back(where + "unknown statement " + w[0]);
        }
    }
    return out;
}

namespace detail {

inline bool isLiftTile(const MapCell& cell) {
    return cell.floorColumn == 4 && cell.floorRow == 7;
}

}  // namespace detail

// Every fault of the map in the arrays, one line each; empty when it is sound.
inline std::vector<std::string> lintMap(int map, const std::map<int, std::string>& roles, const Constraints& constraints) {
    std::vector<std::string> faults;
    const std::string prefix = "map " + std::to_string(map) + ": ";
    auto fault = [&](const std::string& what) { faults.push_back(prefix + what); };
    auto cellName = [](int r, int c) { return "(" + std::to_string(r) + ", " + std::to_string(c) + ")"; };

    // Slots by cell.
    std::map<std::pair<int, int>, std::vector<int>> slotsAt;
    for (int s = 0; s < kMapObjectCount; ++s) {
        if (!gMapObjects[s].present) continue;
        const int r = gObjectCells[s][0];
        const int c = gObjectCells[s][1];
        if (!cellInsideGrid(r, c)) {
            fault("slot " + std::to_string(s) + " stands outside the grid at " + cellName(r, c));
            continue;
        }
        slotsAt[{r, c}].push_back(s);
    }
    auto roleOf = [&](int s) {
        const auto found = roles.find(s);
        return found == roles.end() ? std::string() : found->second;
    };

    // Tiles must lie in the 20 x 10 atlas.
    for (int r = 0; r < kMapRows; ++r) {
        for (int c = 0; c < kMapColumns; ++c) {
            const MapCell& cell = gMapCells[r][c];
            if (cell.floorColumn < 0 || cell.floorColumn >= 20 || cell.floorRow < 0 || cell.floorRow >= 10 ||
                cell.wallColumn < 0 || cell.wallColumn >= 20 || cell.wallRow < 0 || cell.wallRow >= 10) {
                fault("cell " + cellName(r, c) + " names a tile outside the atlas");
            }
            if (!(cell.height >= 0.0f && cell.height < 100.0f)) fault("cell " + cellName(r, c) + " has height out of range");
        }
    }

    // Arrivals: floor, open, and not on anything that fires or stops.
    const auto arrivals = constraints.arrivals.find(map);
    if (arrivals != constraints.arrivals.end()) {
        for (const Arrival& a : arrivals->second) {
            const std::string at = "arrival " + cellName(a.row, a.column) + (a.note.empty() ? "" : " (" + a.note + ")");
            if (!cellInsideGrid(a.row, a.column)) {
                fault(at + " lies outside the grid");
                continue;
            }
            const MapCell& cell = gMapCells[a.row][a.column];
            if (cell.height <= 0.0f) fault(at + " has no floor");
            if (cell.blocked) fault(at + " is blocked");
            if (detail::isLiftTile(cell)) fault(at + " is a lift cell");
            const auto here = slotsAt.find({a.row, a.column});
            if (here != slotsAt.end()) {
                for (int s : here->second) {
                    const std::string role = roleOf(s);
                    if (role == "exit" || role == "trigger" || role == "person" || role == "enemy" || role == "bars")
                        fault(at + " is on slot " + std::to_string(s) + " (" + role + ")");
                }
            }
        }
    }

    // Each slot against its role.
    for (const auto& [cell, slots] : slotsAt) {
        const auto [r, c] = cell;
        const MapCell& floor = gMapCells[r][c];
        for (int s : slots) {
            const std::string role = roleOf(s);
            const std::string what = "slot " + std::to_string(s) + " (" + (role.empty() ? "no role" : role) + ") at " + cellName(r, c);
            const bool hasFloor = floor.height > 0.0f;
            if (role.empty()) continue;
            if (role != "auto" && !hasFloor) {
                fault(what + " has no floor under it");
                continue;
            }
            // Whether a walk reaches it is the walking check's to say
            // (tools/mapc/MapWalk.h, run over every built map by mapwalk).
            if ((role == "trigger" || role == "chest") && floor.blocked) fault(what + " is not on walkable floor");
            if (role == "enemy" && floor.blocked) fault(what + " stands on a blocked cell");
            // The chest opens for a player who jumps inside its cell: nothing
            // else there may stop the player or fire first.
            if (role == "chest") {
                for (int other : slots) {
                    const std::string otherRole = roleOf(other);
                    if (other != s && (otherRole == "exit" || otherRole == "trigger" || otherRole == "person" || otherRole == "bars"))
                        fault(what + " shares its cell with slot " + std::to_string(other) + " (" + otherRole + ")");
                }
            }
        }
    }

    // The story's own demands.
    const auto needed = constraints.slots.find(map);
    if (needed != constraints.slots.end()) {
        for (int s : needed->second)
            if (!gMapObjects[s].present) fault("slot " + std::to_string(s) + " is named by the story but not present");
    }
    const auto neededRoles = constraints.roles.find(map);
    if (neededRoles != constraints.roles.end()) {
        for (const auto& [s, role] : neededRoles->second) {
            if (!gMapObjects[s].present) fault("slot " + std::to_string(s) + " must be a " + role + " but is not present");
            else if (roleOf(s) != role) fault("slot " + std::to_string(s) + " must be a " + role + ", the source says " + roleOf(s));
        }
    }
    return faults;
}

}  // namespace mapsource

// The walking check over the states of a map's mechanisms: the tower's gate
// switches (flags 900-902, eight states) or the sea base's stored water level
// (flag 907, levels 0 to 11). Each state is set up as an arrival sets it up
// (gates then moved to their rest), and the field's own movement step
// (MapWalk.h) is searched from the arrivals, the lift platforms, and every
// place where the player changes the state: beside a lever (kind 1 with
// sprite column 41, 42 or 43: the blue, green or orange switch) or standing
// on a switch plate of a floor whose level differs from the stored one. A
// water level is walked only from the ways in a player can take with it
// (see arrivesWith). Two things are judged:
//
// - a goal cell of constraints.txt (`gate` or `water` lines) is reached from
//   the arrivals, without touching the state, in exactly the states listed;
//   where the floor's own levers or switch plate can open it, it is also
//   reached from every starting state by using them;
// - no state shuts the player in: from every resting place found, some walk
//   reaches a lever, a switch plate that changes the level, a lift platform
//   or an exit.
#pragma once

#include <array>
#include <cstring>
#include <deque>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <unordered_map>
#include <vector>

#include "events/FieldMechanisms.h"
#include "tools/mapc/MapWalk.h"

namespace mapwalk {

namespace states {

constexpr int kGateStates = 8;
constexpr int kWaterStates = 12;
constexpr int kWaterLevelFlag = 907;
constexpr int kFirstLeverColumn = 41;

inline bool hasTile(const MapCell& cell, MechanismTile tile) {
    return cell.floorColumn == tile.column && cell.floorRow == tile.row;
}

// The map's arrays in one state, as its set-up leaves them.
struct StateSnapshot {
    std::vector<MapCell> cells;
    std::vector<MapObject> objects;
    int floorLevel = -1;  // water maps: the level whose switch plates stand at 2.0
};

inline void setUpState(int map, bool water, int state, const std::vector<std::pair<int, int>>& flags) {
    std::memset(gStoryFlags, 0, sizeof gStoryFlags);
    for (const auto& [index, value] : flags) gStoryFlags[index] = static_cast<std::uint8_t>(value);
    if (water) {
        gStoryFlags[kWaterLevelFlag] = static_cast<std::uint8_t>(state);
    } else {
        for (int i = 0; i < 3; ++i) gStoryFlags[900 + i] = static_cast<std::uint8_t>((state >> i) & 1);
    }
    loadMap(map);
    gScene = 0;
    gFieldEvent = 0;
    setUpCurrentMap(1);
    // The gates travel a quarter unit a frame; ten frames bring them to rest.
    if (!water)
        for (int frame = 0; frame < 10; ++frame) updateGateCells(0.25f);
    gFieldEvent = 0;
}

// How a player comes onto a map: by the lift from below, by the lift from
// above, or by another way (a door, a scene).
enum class WayIn { fromBelow, fromAbove, other };

// An arrival on or beside a lift platform is the way off that platform.
inline WayIn wayInAt(int row, int col) {
    for (int r = row - 1; r <= row + 1; ++r)
        for (int c = col - 1; c <= col + 1; ++c) {
            if (r < 0 || r >= kMapRows || c < 0 || c >= kMapColumns) continue;
            if (hasTile(gMapCells[r][c], kLiftTile))
                return gMapCells[r][c].height < kLiftMiddle ? WayIn::fromBelow : WayIn::fromAbove;
        }
    return WayIn::other;
}

// Whether a player can come onto water map `map` at `cell` by `way` with
// the stored level `level`, the floor's own level being `floorLevel`. From
// above, any level: a plate higher up floods it, one lower drains it. From
// below, a flood above this floor's level is one the player brought down
// through this very floor, so arriving with it starts nothing new; unless
// the floor below also leads up to another map, down whose lift the flood
// came.
inline bool arrivesWith(int map, std::pair<int, int> cell, WayIn way, int level, int floorLevel) {
    if (way != WayIn::fromBelow || level <= floorLevel) return true;
    const LiftDestination below = liftDestination(map, cell.first, cell.second, false);
    for (int r = 0; r < kMapRows; ++r)
        if (liftDestination(below.map, r, below.col, true).map != map) return true;
    return false;
}

inline StateSnapshot snapshot() {
    StateSnapshot s;
    s.cells.assign(&gMapCells[0][0], &gMapCells[0][0] + kMapRows * kMapColumns);
    s.objects.assign(gMapObjects, gMapObjects + kMapObjectCount);
    return s;
}

inline void restore(const StateSnapshot& s) {
    std::memcpy(&gMapCells[0][0], s.cells.data(), sizeof(MapCell) * s.cells.size());
    std::memcpy(gMapObjects, s.objects.data(), sizeof(MapObject) * s.objects.size());
}

}  // namespace states

// The slots standing on the goal cells of a map: the state walk judges
// them, in the states their goals name, in place of the walk in the new
// game's state.
inline std::set<int> slotsOnStateGoals(int map, const std::vector<mapsource::SlotEntry>& slots,
                                       const mapsource::Constraints& constraints) {
    std::set<int> judged;
    const auto goals = constraints.stateGoals.find(map);
    if (goals == constraints.stateGoals.end()) return judged;
    for (const mapsource::SlotEntry& s : slots)
        for (const mapsource::StateGoal& g : goals->second)
            if (s.row == g.row && s.column == g.column) judged.insert(s.slot);
    return judged;
}

struct StateWalkReport {
    std::vector<std::string> faults;
    int states = 0, places = 0;
};

// Walks map `map` in every state of its mechanism and judges its goals and
// traps; `roles` are the slot roles of its source. `setUp` puts the map's
// arrays in a state (by default: the map file and its set-up, as an arrival).
inline StateWalkReport walkMapStates(int map, const std::map<int, std::string>& roles,
                                     const mapsource::Constraints& constraints,
                                     const std::function<void(int)>& setUp = nullptr) {
    using namespace states;
    StateWalkReport report;
    const auto goalsFound = constraints.stateGoals.find(map);
    if (goalsFound == constraints.stateGoals.end()) return report;
    const std::vector<mapsource::StateGoal>& goals = goalsFound->second;
    const bool water = goals.front().water;
    const int stateCount = water ? kWaterStates : kGateStates;
    report.states = stateCount;
    const std::string prefix = "map " + std::to_string(map) + ": ";
    auto stateName = [&](int s) {
        if (water) return "water level " + std::to_string(s);
        std::string name = "switches ";
        for (int i = 0; i < 3; ++i) name += static_cast<char>('0' + ((s >> i) & 1));
        return name;
    };

    const KeptField kept;
    readyFieldForWalk();

    // Every state set up once; objects that would fire by themselves or fight
    // are set still, chests give nothing.
    std::vector<StateSnapshot> snapshots;
    std::vector<int> chestSlots;
    std::vector<std::vector<bool>> chestNear(kMapRows, std::vector<bool>(kMapColumns, false));
    for (int s = 0; s < stateCount; ++s) {
        if (setUp) setUp(s);
        else setUpState(map, water, s, {});
        for (int slot = 0; slot < kMapObjectCount; ++slot) {
            MapObject& o = gMapObjects[slot];
            if (!o.present) continue;
            if (o.kind == kObjectAutomatic || o.kind == kObjectEnemy) o.kind = kObjectInert;
            if (o.kind == kObjectChest) {
                if (s == 0) {
                    chestSlots.push_back(slot);
                    chestNear[gObjectCells[slot][0]][gObjectCells[slot][1]] = true;
                }
                o.character = detail::kNothingInside;
                o.pose = 0;
            }
        }
        snapshots.push_back(snapshot());
        if (water)
            for (const MapCell& c : snapshots.back().cells)
                if (hasTile(c, kSwitchPlateTile) && c.height == 2.0f) snapshots.back().floorLevel = s;
    }
    int floorLevel = -1;
    for (const StateSnapshot& s : snapshots)
        if (s.floorLevel >= 0) floorLevel = s.floorLevel;
    // A floor knows of the stored level only whether it is below, at or
    // above its own: one level of each kind stands for the others.
    auto standIn = [&](int s) {
        if (!water || floorLevel < 0) return s;
        return s < floorLevel ? floorLevel - 1 : s > floorLevel ? floorLevel + 1 : s;
    };

    // The lever of each slot: the switch it throws, -1 when none.
    std::array<int, kMapObjectCount> leverSwitch;
    leverSwitch.fill(-1);
    if (!water)
        for (int slot = 0; slot < kMapObjectCount; ++slot) {
            const MapObject& o = snapshots[0].objects[slot];
            if (o.present && o.kind == kObjectPerson && o.character >= kFirstLeverColumn && o.character < kFirstLeverColumn + 3)
                leverSwitch[slot] = o.character - kFirstLeverColumn;
        }
    bool hasLevers = false;
    for (int v : leverSwitch) hasLevers = hasLevers || v >= 0;

    // The graph of resting places over all states: moves within a state,
    // changes of state, and the places that count as a way on.
    struct Node {
        int state;
        detail::Rest at;
        bool start = false, anchor = false;
        bool fromAbove = false;  // a start where the lift from above lands
        std::vector<int> moves, changes;
        std::vector<int> slots;  // slots whose event a move from here starts
        bool air = false;        // a place in the air, one frame from the next
        float vspeed = 0.0f;
        bool fall = false;       // in the air, steered all the way down
    };
    std::vector<Node> nodes;
    std::vector<std::unordered_map<long long, int>> seen(stateCount);
    std::vector<std::deque<int>> queues(stateCount);
    // Pending entries of a state by position; the height is found once that
    // state's cells are in place.
    struct Pending {
        float x, z;
        int from;  // the node that changed the state, -1 for a start
    };
    std::vector<std::vector<Pending>> pending(stateCount);

    int loaded = -1;
    auto load = [&](int s) {
        if (loaded != s) restore(snapshots[s]);
        loaded = s;
    };
    auto addNode = [&](int s, const detail::Rest& at, bool start, bool fromAbove = false) {
        const long long key = detail::keyOf(at);
        const auto found = seen[s].find(key);
        if (found != seen[s].end()) {
            if (start) nodes[found->second].start = true;
            if (fromAbove) nodes[found->second].fromAbove = true;
            return found->second;
        }
        nodes.push_back({s, at, start, false, fromAbove, {}, {}, {}, false, 0.0f, false});
        const int id = static_cast<int>(nodes.size()) - 1;
        seen[s][key] = id;
        queues[s].push_back(id);
        return id;
    };
    auto addAir = [&](int s, const detail::Rest& at, float vspeed, bool fall) {
        const long long key = detail::airKeyOf(at, vspeed);
        const auto found = seen[s].find(key);
        if (found != seen[s].end()) return found->second;
        nodes.push_back({s, at, false, false, false, {}, {}, {}, true, vspeed, fall});
        const int id = static_cast<int>(nodes.size()) - 1;
        seen[s][key] = id;
        queues[s].push_back(id);
        return id;
    };

    std::vector<std::pair<int, int>> arrivals;
    const auto arrivalsFound = constraints.arrivals.find(map);
    if (arrivalsFound != constraints.arrivals.end())
        for (const mapsource::Arrival& a : arrivalsFound->second) arrivals.push_back({a.row, a.column});
    for (int s = 0; s < stateCount; ++s) {
        if (standIn(s) != s) continue;
        load(s);
        // The lift from below lands on the map's low platforms, the lift
        // from above on the high ones; an arrival beside a platform is a way
        // off it.
        std::vector<std::pair<std::pair<int, int>, WayIn>> starts;
        for (const auto& a : arrivals) starts.push_back({a, wayInAt(a.first, a.second)});
        for (int r = 0; r < kMapRows; ++r)
            for (int c = 0; c < kMapColumns; ++c)
                if (hasTile(gMapCells[r][c], kLiftTile))
                    starts.push_back({{r, c}, gMapCells[r][c].height < kLiftMiddle ? WayIn::fromBelow : WayIn::fromAbove});
        for (const auto& [cell, way] : starts) {
            if (water && floorLevel >= 0 && !arrivesWith(map, cell, way, s, floorLevel)) continue;
            placePlayerOnArrival(cell.first, cell.second);
            // On a gate map the goals are the way up, which the lift from
            // above lands on: its platforms are searched for traps only.
            addNode(s, {gPlayerPos[0], gPlayerPos[1], gPlayerPos[2]}, way != WayIn::fromAbove, way == WayIn::fromAbove);
        }
    }

    std::set<int> touched;
    detail::Stepper stepper{touched, chestSlots};
    auto anyQueued = [&]() {
        for (int s = 0; s < stateCount; ++s)
            if (!queues[s].empty() || !pending[s].empty()) return true;
        return false;
    };
    while (anyQueued()) {
        for (int s = 0; s < stateCount; ++s) {
            if (queues[s].empty() && pending[s].empty()) continue;
            load(s);
            for (const Pending& p : pending[s]) {
                float pos[3] = {p.x, 0.0f, p.z};
                pos[1] = detail::floorUnder(pos);
                const int id = addNode(s, {pos[0], pos[1], pos[2]}, false);
                nodes[p.from].changes.push_back(id);
            }
            pending[s].clear();
            while (!queues[s].empty()) {
                const int index = queues[s].front();
                queues[s].pop_front();
                const detail::Rest here = nodes[index].at;
                const bool air = nodes[index].air;
                const float vspeed = nodes[index].vspeed;
                const bool fall = nodes[index].fall;
                int cell[3];
                {
                    const float pos[3] = {here.x, here.y, here.z};
                    worldToCell(pos, cell);
                }
                const MapCell& under = gMapCells[cell[0]][cell[2]];
                if (!air && hasTile(under, kLiftTile)) nodes[index].anchor = true;
                if (!air && water && floorLevel >= 0 && floorLevel != s && hasTile(under, kSwitchPlateTile)) {
                    nodes[index].anchor = true;
                    pending[floorLevel].push_back({here.x, here.z, index});
                }
                auto reached = [&](const detail::Keys&, bool rested, const detail::Rest& next, int) {
                    if (rested) {
                        const int id = addNode(s, next, false);
                        nodes[index].moves.push_back(id);
                        return;
                    }
                    // A lever is thrown where the move reached it, which a
                    // jump may carry far from where it started (over a
                    // lowered gate, say): the new state begins there.
                    const float thrownX = next.x, thrownZ = next.z;
                    for (int slot : stepper.lastTouched) {
                        nodes[index].slots.push_back(slot);
                        const auto role = roles.find(slot);
                        if (leverSwitch[slot] >= 0) {
                            nodes[index].anchor = true;
                            pending[s ^ (1 << leverSwitch[slot])].push_back({thrownX, thrownZ, index});
                        } else if (role != roles.end() && (role->second == "exit" || role->second == "trigger")) {
                            nodes[index].anchor = true;
                        }
                    }
                };
                detail::expandNode(stepper, here, air, vspeed, fall, chestNear, reached,
                                   [&](const detail::Rest& next, float nextSpeed, const detail::Keys&, bool falling) {
                                       const int id = addAir(s, next, nextSpeed, falling);  // may move `nodes`
                                       nodes[index].moves.push_back(id);
                                   });
            }
        }
    }
    report.places = static_cast<int>(nodes.size());

    auto cellOf = [](const detail::Rest& at) {
        const float pos[3] = {at.x, at.y, at.z};
        int cell[3];
        worldToCell(pos, cell);
        return std::pair<int, int>{cell[0], cell[2]};
    };
    auto reachFrom = [&](const std::vector<int>& from, bool throughChanges) {
        std::vector<bool> reached(nodes.size(), false);
        std::deque<int> queue;
        for (int n : from) reached[n] = true, queue.push_back(n);
        while (!queue.empty()) {
            const int n = queue.front();
            queue.pop_front();
            auto follow = [&](int next) {
                if (!reached[next]) reached[next] = true, queue.push_back(next);
            };
            for (int next : nodes[n].moves) follow(next);
            if (throughChanges)
                for (int next : nodes[n].changes) follow(next);
        }
        return reached;
    };

    // Goals: reached from the starts in exactly the listed states, and on a
    // floor with levers, reached from every state by throwing them.
    for (const mapsource::StateGoal& goal : goals) {
        const std::string where = prefix + "(" + std::to_string(goal.row) + ", " + std::to_string(goal.column) + ")";
        // Coming down onto a water floor, the player may be flooded in or
        // find the way to an island; the way up itself is judged only from
        // the other ways in, since the lift from above lands on it.
        const bool judgedFromAbove =
            water && !hasTile(snapshots[0].cells[goal.row * kMapColumns + goal.column], kLiftTile);
        for (int s = 0; s < stateCount; ++s) {
            std::vector<int> starts;
            for (std::size_t n = 0; n < nodes.size(); ++n)
                if (nodes[n].state == standIn(s) && (nodes[n].start || (judgedFromAbove && nodes[n].fromAbove)))
                    starts.push_back(static_cast<int>(n));
            // A level nobody comes up into (only down onto the way up itself)
            // asks nothing of the way up.
            if (water && !judgedFromAbove && starts.empty()) continue;
            const std::vector<bool> still = reachFrom(starts, false);
            const std::vector<bool> thrown = reachFrom(starts, true);
            bool open = false, openThrowing = false;
            for (std::size_t n = 0; n < nodes.size(); ++n) {
                bool there = !nodes[n].air && cellOf(nodes[n].at) == std::pair<int, int>{goal.row, goal.column};
                for (int slot : nodes[n].slots)
                    if (gObjectCells[slot][0] == goal.row && gObjectCells[slot][1] == goal.column) there = true;
                if (!there) continue;
                if (still[n]) open = true;
                if (thrown[n]) openThrowing = true;
            }
            const bool wanted = goal.open.count(s) != 0;
            if (open && !wanted) report.faults.push_back(where + " is reached with " + stateName(s) + ", which should shut it");
            if (!open && wanted) report.faults.push_back(where + " is not reached with " + stateName(s) + ", which should open it");
            // Whether the floor itself can bring about a state that opens it.
            const bool mendable = water ? goal.open.count(floorLevel) != 0 : hasLevers;
            if (mendable && !openThrowing)
                report.faults.push_back(where + " is not reached from " + stateName(s) +
                                        (water ? " even using the floor's switch plate" : " even throwing the floor's levers"));
        }
    }

    // Traps: every resting place reaches some way on within its state.
    std::vector<int> anchors;
    std::vector<std::vector<int>> back(nodes.size());
    for (std::size_t n = 0; n < nodes.size(); ++n) {
        if (nodes[n].anchor) anchors.push_back(static_cast<int>(n));
        for (int next : nodes[n].moves) back[next].push_back(static_cast<int>(n));
    }
    std::vector<bool> free(nodes.size(), false);
    std::deque<int> queue;
    for (int n : anchors) free[n] = true, queue.push_back(n);
    while (!queue.empty()) {
        const int n = queue.front();
        queue.pop_front();
        for (int prev : back[n])
            if (!free[prev]) free[prev] = true, queue.push_back(prev);
    }
    std::set<std::pair<int, std::pair<int, int>>> trapped;
    for (std::size_t n = 0; n < nodes.size(); ++n)
        if (!free[n] && !nodes[n].air) trapped.insert({nodes[n].state, cellOf(nodes[n].at)});
    std::map<int, std::vector<std::pair<int, int>>> trappedByState;
    for (const auto& [s, cell] : trapped) trappedByState[s].push_back(cell);
    for (const auto& [s, cells] : trappedByState) {
        std::string line = prefix + "shut in with " + stateName(s) + " at";
        for (std::size_t i = 0; i < cells.size() && i < 6; ++i)
            line += " (" + std::to_string(cells[i].first) + ", " + std::to_string(cells[i].second) + ")";
        if (cells.size() > 6) line += " and " + std::to_string(cells.size() - 6) + " more";
        report.faults.push_back(line);
    }
    return report;
}

}  // namespace mapwalk

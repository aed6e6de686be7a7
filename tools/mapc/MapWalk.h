// The player's own feet over a loaded map: from the arrival cells, the
// field's real movement step (stepFieldPlayer: walking, the accept test with
// its contacts, gravity, jumps and the wall push) is driven with held keys,
// and every slot whose event a walk starts, or whose chest a jump opens, is
// recorded. A slot that the grid's neighbours suggest is near but the wall
// push keeps out of reach shows here as untouched.
//
// The search: from each resting position (feet on a floor), hold one of the
// six walking directions for one frame, or jump (in place or toward one of
// the six) and hold on until the feet land, where a jump could climb a floor
// or bump a chest within its reach (jumpsWorthTrying). Where a floor to climb
// or a chest lies anywhere within a jump's reach (steeringMatters), the
// jump is also searched frame by frame: each place in the air is a node of
// its own, from which any of the six directions or none is held next, so a
// jump that turns in mid-air, once or often, is tried as the keys allow it.
// The air is steered while a climb or a chest is still within the flight's
// reach (steeringMatters); after that it comes down as a fall does. A walk
// off a ledge is searched the same way: a fall is steered all the way down,
// since it may turn round a corner onto a floor no straight fall or walk
// reaches.
// Resting positions are kept once per quantised place: x in fifths of a
// unit, z on the lattice of diagonal steps the arrivals start on; places in
// the air once per quantised place, height and vertical speed. Every
// position visited is one the game really reaches; the quantisation only
// prunes.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <map>
#include <set>
#include <string>
#include <unordered_set>
#include <vector>

#include "engine/Config.h"
#include "engine/Input.h"
#include "engine/Scene.h"
#include "events/EventEngine.h"
#include "events/MessageWindow.h"
#include "field/EventState.h"
#include "field/FieldMap.h"
#include "field/FieldMovement.h"
#include "field/FieldScreen.h"
#include "field/FieldServices.h"
#include "field/FieldState.h"
#include "field/MapEditor.h"
#include "field/WorldToCell.h"
#include "tools/mapc/MapLint.h"

namespace mapwalk {

// The roles whose slots a player must be able to start.
inline bool isTouchRole(const std::string& role) {
    return role == "person" || role == "exit" || role == "trigger" || role == "chest";
}

struct WalkResult {
    std::set<int> touched;                   // slots whose event a walk started or whose chest it opened
    std::set<int> stoodIn;                   // slots the set-up left inert, walked to as a plain contact
    std::vector<std::vector<bool>> reached;  // cells the feet rested in
    WalkResult() : reached(kMapRows, std::vector<bool>(kMapColumns, false)) {}
    bool touches(int slot) const { return touched.count(slot) != 0; }
    const std::vector<bool>& operator[](int row) const { return reached[row]; }
};

namespace detail {

constexpr double kLatticeZ = 0.1414213562;  // a diagonal step's z
constexpr int kJumpFrameCap = 80;
// A chest's contents code for money, with an amount of 0: opened on a walk,
// it gives nothing.
constexpr int kNothingInside = 1000;
// The six directions walked with the default keys: up and down walk the
// diagonals of the sheared grid (config byte 7 off).
constexpr int kDirections[6] = {kInputDownLeft, kInputDownRight, kInputLeft, kInputRight, kInputUpLeft, kInputUpRight};

struct Rest {
    float x, y, z;
};

inline long long keyOf(const Rest& p) {
    const long long kx = std::llround(static_cast<double>(p.x) * 5.0);
    const long long kz = std::llround((static_cast<double>(p.z) - 0.3535533905) / kLatticeZ);
    return (kx + 100000) * 200000 + (kz + 100000);
}

inline float floorUnder(const float pos[3]) {
    int cell[3];
    worldToCell(pos, cell);
    return mapCell(cell[0], cell[2]).height;
}

inline bool resting() { return gPlayerVSpeed == 0.0f && gPlayerPos[1] == floorUnder(gPlayerPos); }

// How far a jump from rest can carry the feet, from the field's own
// movement: the rise at its top, and the moves made while the feet are no
// lower than where they left less the climb (the walking step is the same in
// the air, so each of those frames carries the feet one step on).
struct JumpReach {
    float rise = 0.0f;
    int moves = 0;
};

inline JumpReach jumpReach() {
    JumpReach reach;
    // The frame that leaves the floor moves at its height, and so does the
    // next, which starts the rise.
    reach.moves = 2;
    float y = 0.0f, v = kFieldJumpSpeed;
    for (;;) {
        y += v;
        v -= kFieldGravity;
        if (y < -kFieldClimb) break;
        if (y > reach.rise) reach.rise = y;
        ++reach.moves;
    }
    return reach;
}

// A floor a jump from feet at `y` climbs onto and a walk does not.
inline bool climbedByAJump(float height, float y, const JumpReach& reach) {
    return height > y + kFieldClimb && height <= y + reach.rise + kFieldClimb + 0.001f;
}

// The step of walking direction `d` (an input code 1 to 9), as the field
// takes it with config byte 7 off.
inline void stepOf(int d, float& dx, float& dz) {
    dx = d == 4 ? -kFieldWalkStep : d == 6 ? kFieldWalkStep : d == 1 || d == 7 ? -kFieldDiagonalStep : kFieldDiagonalStep;
    dz = d == 4 || d == 6 ? 0.0f : d == 1 || d == 3 ? -kFieldDiagonalStep : kFieldDiagonalStep;
}

// The jumps worth trying from here, as walking directions (0: in place).
// Walking steps down any height, and no move, in the air or not, enters a
// blocked or floorless cell, so a jump only goes where a walk does not
// when it climbs a floor or bumps a chest. In place: a chest or such a floor
// in or beside this cell. Toward a direction: the straight path of a jump's
// moves (and the cells half a unit either side, which push the feet) meets
// one before a cell that refuses it.
inline std::vector<int> jumpsWorthTrying(const Rest& p, const std::vector<std::vector<bool>>& chestNear) {
    static const JumpReach reach = jumpReach();
    std::vector<int> jumps;
    const float at[3] = {p.x, p.y, p.z};
    int cell[3];
    worldToCell(at, cell);
    for (int dr = -1; dr <= 1 && jumps.empty(); ++dr)
        for (int dc = -1; dc <= 1; ++dc) {
            const int r = cell[0] + dr, c = cell[2] + dc;
            if (cellInsideGrid(r, c) && (chestNear[r][c] || climbedByAJump(gMapCells[r][c].height, p.y, reach))) {
                jumps.push_back(0);
                break;
            }
        }
    for (int d : kDirections) {
        float dx, dz;
        stepOf(d, dx, dz);
        float pos[3] = {p.x, p.y, p.z};
        for (int move = 0; move < reach.moves; ++move) {
            pos[0] += dx;
            pos[2] += dz;
            bool worth = false, refused = false;
            for (const float side : {0.0f, -0.5f, 0.5f}) {
                const float probe[3] = {pos[0] + side, pos[1], pos[2]};
                int c[3];
                worldToCell(probe, c);
                if (!cellInsideGrid(c[0], c[2])) {
                    refused = refused || side == 0.0f;
                    continue;
                }
                const MapCell& m = gMapCells[c[0]][c[2]];
                if ((side == 0.0f && chestNear[c[0]][c[2]]) || climbedByAJump(m.height, p.y, reach)) worth = true;
                if (side == 0.0f && (m.height == 0.0f || m.blocked != 0 || m.height > p.y + reach.rise + kFieldClimb))
                    refused = true;
            }
            if (worth) {
                jumps.push_back(d);
                break;
            }
            if (refused) break;
        }
    }
    return jumps;
}

// The keys of one move: `first` on its first frame, `held` on the frames
// after it.
struct Keys {
    int first = 0, held = 0;
    int codeAt(int frame) const { return frame == 1 ? first : held; }
};

// A place in the air, kept once per quantised position, height and speed:
// from it, any key may be held next, so a jump turns in mid-air as freely as
// the keys let it.
inline long long airKeyOf(const Rest& p, float vspeed) {
    const long long kx = std::llround(static_cast<double>(p.x) * 5.0) + 1024;
    const long long kz = std::llround((static_cast<double>(p.z) - 0.3535533905) / kLatticeZ) + 1024;
    const long long ky = std::llround(static_cast<double>(p.y) * 1000.0) + 4096;
    const long long kv = std::llround(static_cast<double>(vspeed) * 1000.0) + 2048;
    return (1LL << 62) | (((((kx & 2047) << 11 | (kz & 2047)) << 16) | (ky & 65535)) << 12) | (kv & 4095);
}

// Whether steering still matters in the air at `p` with vertical speed
// `vspeed` (from a floor: a jump's speed, for the jump about to leave it):
// a chest, or a floor above the one under the feet that the rest of the
// flight could climb, lies within the moves left before the feet would drop
// to the floor under them. Otherwise only lower floors are left, and the
// flight is searched from there on as a fall.
inline bool steeringMatters(const Rest& p, float vspeed, const std::vector<std::vector<bool>>& chestNear) {
    const float at[3] = {p.x, p.y, p.z};
    const float floor = floorUnder(at);
    float y = p.y, v = vspeed, top = p.y;
    int frames = 0;
    while (frames < kJumpFrameCap && (v > 0.0f || y + v > floor)) {
        y += v;
        v -= kFieldGravity;
        top = std::max(top, y);
        ++frames;
    }
    // The moves left (and the take-off's own), the half unit of the wall
    // push's probes and the half diagonal of a cell around its centre.
    const double radius = (frames + 1) * kFieldWalkStep + 0.5 + 1.0;
    const int firstCol = std::max(0, static_cast<int>(std::floor((p.z - radius) / kGridShear)) - 1);
    const int lastCol = std::min(kMapColumns - 1, static_cast<int>(std::ceil((p.z + radius) / kGridShear)) + 1);
    for (int c = firstCol; c <= lastCol; ++c) {
        const double shear = c * kGridShear;
        const int firstRow = std::max(0, static_cast<int>(std::floor(p.x - shear - radius)) - 1);
        const int lastRow = std::min(kMapRows - 1, static_cast<int>(std::ceil(p.x - shear + radius)) + 1);
        for (int r = firstRow; r <= lastRow; ++r) {
            const MapCell& m = gMapCells[r][c];
            const bool climbed = m.height != 0.0f && m.blocked == 0 && m.height > floor + kFieldClimb &&
                                 m.height <= top + kFieldClimb + 0.001f;
            if (!chestNear[r][c] && !climbed) continue;
            float centre[3];
            cellCentre(r, c, centre);
            const double dx = centre[0] - p.x, dz = centre[2] - p.z;
            if (dx * dx + dz * dz <= radius * radius) return true;
        }
    }
    return false;
}

// The keys held in the air: none, or one of the six walking directions.
constexpr int kAirKeys[7] = {0, kInputDownLeft, kInputDownRight, kInputLeft, kInputRight, kInputUpLeft, kInputUpRight};

// What one frame of held input came to.
enum class Frame { airborne, rested, event };

// Moves from a resting position, played with the field's own step. An event
// started (its slot then in `touched`, and in `lastTouched` until the next
// move) ends a move where it was started.
struct Stepper {
    std::set<int>& touched;
    const std::vector<int>& chestSlots;
    std::set<int> lastTouched;

    Stepper(std::set<int>& touchedSlots, const std::vector<int>& chests) : touched(touchedSlots), chestSlots(chests) {}

    void noteEvent() {
        auto note = [&](int slot) {
            touched.insert(slot);
            lastTouched.insert(slot);
        };
        if (gFieldEvent >= 1 && gFieldEvent <= kMapObjectCount) note(gFieldEvent - 1);
        for (int slot : chestSlots) {
            const int chest = gMapObjects[slot].index;
            if (chest >= 0 && chest < kChestCount && gChestFlags[chest] != 0) {
                note(slot);
                gChestFlags[chest] = 0;
            }
        }
        gFieldEvent = 0;
        gEventStep = 0;
    }

    static void placeAt(const Rest& from) {
        gPlayerPos[0] = from.x;
        gPlayerPos[1] = from.y;
        gPlayerPos[2] = from.z;
        gPlayerVSpeed = 0.0f;
    }

    Frame frame(int code) {
        gInputCode = code;
        gFieldEvent = 0;
        gScene = 0;
        stepFieldPlayer();
        if (gFieldEvent != 0 || gScene != 0) {
            noteEvent();
            gScene = 0;
            return Frame::event;
        }
        return resting() ? Frame::rested : Frame::airborne;
    }

    // One frame of `code` from `at` with vertical speed `vspeed`.
    Frame fly(const Rest& at, float vspeed, int code) {
        lastTouched.clear();
        placeAt(at);
        gPlayerVSpeed = vspeed;
        return frame(code);
    }

    // Plays `keys` from `from`; true when the feet came to rest at `to`.
    // `frames` counts the frames played, the last one included.
    bool run(const Rest& from, const Keys& keys, Rest& to, int& frames) {
        lastTouched.clear();
        placeAt(from);
        for (frames = 1; frames <= kJumpFrameCap; ++frames) {
            const Frame f = frame(keys.codeAt(frames));
            if (f == Frame::event) return false;
            if (f == Frame::rested) {
                to = {gPlayerPos[0], gPlayerPos[1], gPlayerPos[2]};
                return true;
            }
        }
        return false;
    }
};

// The moves of one node of a search, shared by the walk from the arrivals
// and the walk over switch states. On a floor: a walk of each direction held
// until the feet rest, the same first frame as a fall that may be steered all
// the way down, the jumps worth trying held straight, and a jump steered
// frame by frame where a climb or a chest lies within its reach. In the air:
// the next frame under each key. `rested(keys, rested, next, frames)` gets a
// move that ended on a floor (rested) or in an event (not rested; `next`
// where it was started); `airborne(next, vspeed, keys, falling)` a frame that
// ended in the air, `falling` when from there on the flight is steered all
// the way down.
template <class Rested, class Airborne>
void expandNode(Stepper& stepper, const Rest& here, bool air, float vspeed, bool fall,
                const std::vector<std::vector<bool>>& chestNear, Rested&& rested, Airborne&& airborne) {
    auto fly = [&](int code, bool falling) {
        const Frame f = stepper.fly(here, vspeed, code);
        const Rest next{gPlayerPos[0], gPlayerPos[1], gPlayerPos[2]};
        const Keys keys{code, code};
        if (f == Frame::airborne) airborne(next, gPlayerVSpeed, keys, falling);
        else rested(keys, f == Frame::rested, next, 1);
    };
    if (air) {
        // Past the climbs and chests a jump comes down as a fall does,
        // steered toward whatever lies lower.
        const bool steered = fall || steeringMatters(here, vspeed, chestNear);
        for (int code : kAirKeys) fly(code, fall || !steered);
        return;
    }
    auto visit = [&](int first, int held) {
        const Keys keys{first, held};
        Rest next{};
        int frames = 0;
        const bool cameToRest = stepper.run(here, keys, next, frames);
        if (!cameToRest) next = {gPlayerPos[0], gPlayerPos[1], gPlayerPos[2]};
        rested(keys, cameToRest, next, frames);
    };
    for (int d : kDirections) visit(d, d);
    // A walk off a ledge: the fall may be steered to any side.
    for (int d : kDirections) fly(d, true);
    for (int d : jumpsWorthTrying(here, chestNear)) visit(kInputDecide + d, d);
    if (steeringMatters(here, kFieldJumpSpeed, chestNear))
        for (int code : kAirKeys) fly(kInputDecide + code, false);
}

}  // namespace detail

// What a walk touches of the field, kept and put back, so a test may walk
// in the middle of a scene and play on.
struct KeptField {
    MapObject objects[kMapObjectCount];
    std::uint8_t chestFlags[kChestCount];
    float pos[3], vspeed;
    int pose, input, event, step, scene, messageMode, debugMode, editorPage;
    std::uint8_t facing, config7, campMenu, inBattle;
    char message[sizeof gMessageText], speaker[sizeof gSpeakerName];

    KeptField() {
        std::memcpy(objects, gMapObjects, sizeof objects);
        std::memcpy(chestFlags, gChestFlags, sizeof chestFlags);
        std::memcpy(pos, gPlayerPos, sizeof pos);
        std::memcpy(message, gMessageText, sizeof message);
        std::memcpy(speaker, gSpeakerName, sizeof speaker);
        vspeed = gPlayerVSpeed;
        pose = gPlayerPose;
        facing = gPlayerFacing;
        input = gInputCode;
        event = gFieldEvent;
        step = gEventStep;
        scene = gScene;
        messageMode = gMessageMode;
        debugMode = gDebugMode;
        editorPage = gEditorPage;
        config7 = gConfig[7];
        campMenu = gCampMenuAllowed;
        inBattle = gInBattle;
    }
    ~KeptField() {
        std::memcpy(gMapObjects, objects, sizeof objects);
        std::memcpy(gChestFlags, chestFlags, sizeof chestFlags);
        std::memcpy(gPlayerPos, pos, sizeof pos);
        std::memcpy(gMessageText, message, sizeof message);
        std::memcpy(gSpeakerName, speaker, sizeof speaker);
        gPlayerVSpeed = vspeed;
        gPlayerPose = pose;
        gPlayerFacing = facing;
        gInputCode = input;
        gFieldEvent = event;
        gEventStep = step;
        gScene = scene;
        gMessageMode = messageMode;
        gDebugMode = debugMode;
        gEditorPage = editorPage;
        gConfig[7] = config7;
        gCampMenuAllowed = campMenu;
        gInBattle = inBattle;
    }
    KeptField(const KeptField&) = delete;
    KeptField& operator=(const KeptField&) = delete;
};

// The field as a player walks it with the default keys: no event, no
// editor, no battle, no message.
inline void readyFieldForWalk() {
    gConfig[7] = 0;
    gCampMenuAllowed = 0;
    gDebugMode = 0;
    gEditorPage = 0;
    gInBattle = 0;
    gMessageMode = 0;
    gFieldEvent = 0;
    gScene = 0;
}

// Walks the current map as loaded and set up, from the given arrival cells,
// and leaves the field as it found it. Automatic triggers and enemy symbols
// are set still for the walk (the one fires anywhere, the other starts a
// battle); every other object keeps the kind its set-up gave it, and a chest
// opened on the way gives nothing. `standIns` names slots to stand in for
// where the set-up left them inert: a plain contact (kind 1) on the slot's
// cell, or a closed chest hung as the scripts hang one.
//
// With `route`, the walk stops at the first that starts `goal`, and the
// input codes of its frames, one a frame, go into `route` (left empty when
// none does).
inline WalkResult walkFromArrivals(const std::vector<std::pair<int, int>>& arrivals, const std::map<int, std::string>& standIns = {},
                                   int goal = -1, std::vector<int>* route = nullptr) {
    WalkResult result;
    const KeptField kept;
    readyFieldForWalk();

    std::vector<int> chestSlots;
    std::vector<std::vector<bool>> chestNear(kMapRows, std::vector<bool>(kMapColumns, false));
    int spareChest = kChestCount - 1;
    for (int slot = 0; slot < kMapObjectCount; ++slot) {
        MapObject& o = gMapObjects[slot];
        if (!o.present) continue;
        if (o.kind == kObjectAutomatic || o.kind == kObjectEnemy) o.kind = kObjectInert;
        const auto standIn = standIns.find(slot);
        if (o.kind == kObjectInert && standIn != standIns.end()) {
            result.stoodIn.insert(slot);
            if (standIn->second == "chest") {
                o.kind = kObjectChest;
                o.height = 1.8f;
                o.index = spareChest--;
            } else {
                o.kind = kObjectPerson;
            }
        }
        if (o.kind == kObjectChest) {
            chestSlots.push_back(slot);
            if (o.index >= 0 && o.index < kChestCount) gChestFlags[o.index] = 0;
            o.character = detail::kNothingInside;
            o.pose = 0;
            chestNear[gObjectCells[slot][0]][gObjectCells[slot][1]] = true;
        }
    }

    detail::Stepper stepper{result.touched, chestSlots};
    // Every resting place found, with the move that first reached it.
    // Places in the air (`air`, with their vertical speed) are nodes too,
    // one frame apart.
    struct Node {
        detail::Rest at;
        int parent;
        detail::Keys keys;
        int frames;
        bool air = false;
        float vspeed = 0.0f;
        bool fall = false;  // in the air after walking off a ledge: steered all the way down
    };
    std::vector<Node> nodes;
    std::unordered_set<long long> seen;
    std::deque<int> queue;
    for (const auto& [row, col] : arrivals) {
        if (!cellInsideGrid(row, col)) continue;
        placePlayerOnArrival(row, col);
        const detail::Rest start{gPlayerPos[0], gPlayerPos[1], gPlayerPos[2]};
        if (!seen.insert(detail::keyOf(start)).second) continue;
        nodes.push_back({start, -1, {}, 0, false, 0.0f});
        queue.push_back(static_cast<int>(nodes.size()) - 1);
    }
    auto writeRoute = [&](int node, detail::Keys keys, int frames) {
        std::vector<int> codes;
        for (;;) {
            for (int f = frames; f >= 1; --f) codes.push_back(keys.codeAt(f));
            if (node < 0 || nodes[node].parent < 0) break;
            keys = nodes[node].keys;
            frames = nodes[node].frames;
            node = nodes[node].parent;
        }
        route->assign(codes.rbegin(), codes.rend());
    };
    while (!queue.empty()) {
        const int index = queue.front();
        queue.pop_front();
        const detail::Rest here = nodes[index].at;
        const bool air = nodes[index].air;
        const float vspeed = nodes[index].vspeed;
        const bool fall = nodes[index].fall;
        if (!air) {
            const float pos[3] = {here.x, here.y, here.z};
            int cell[3];
            worldToCell(pos, cell);
            if (cellInsideGrid(cell[0], cell[2])) result.reached[cell[0]][cell[2]] = true;
        }
        bool arrived = false;
        auto reached = [&](const detail::Keys& keys, bool rested, const detail::Rest& next, int frames) {
            if (arrived) return;
            if (route != nullptr && result.touches(goal)) {
                writeRoute(index, keys, frames);
                arrived = true;
                return;
            }
            if (!rested || !seen.insert(detail::keyOf(next)).second) return;
            nodes.push_back({next, index, keys, frames, false, 0.0f});
            queue.push_back(static_cast<int>(nodes.size()) - 1);
        };
        detail::expandNode(stepper, here, air, vspeed, fall, chestNear, reached,
                           [&](const detail::Rest& next, float nextSpeed, const detail::Keys& keys, bool falling) {
                               if (arrived || !seen.insert(detail::airKeyOf(next, nextSpeed)).second) return;
                               nodes.push_back({next, index, keys, 1, true, nextSpeed, falling});
                               queue.push_back(static_cast<int>(nodes.size()) - 1);
                           });
        if (arrived) break;
    }
    return result;
}

// The nearest cell the feet rested in, by steps along the grid; (-1, -1) when none.
inline std::pair<int, int> nearestReached(const WalkResult& walk, int row, int col) {
    std::pair<int, int> best{-1, -1};
    int bestDistance = 1 << 30;
    for (int r = 0; r < kMapRows; ++r) {
        for (int c = 0; c < kMapColumns; ++c) {
            if (!walk.reached[r][c]) continue;
            const int d = std::abs(r - row) + std::abs(c - col);
            if (d < bestDistance) bestDistance = d, best = {r, c};
        }
    }
    return best;
}

// Loads map `map` from the game folder (the working directory), sets the
// story flags, runs its set-up as an arrival does and walks it from the
// arrivals of the constraints. Returns one line per touchable slot of
// `slots` that no walk starts: the map, slot, role and the nearest cell the
// feet rested in.
inline std::vector<std::string> untouchedSlots(int map, const std::map<int, std::string>& roles, const std::set<int>& slots,
                                               const std::vector<std::pair<int, int>>& flags,
                                               const mapsource::Constraints& constraints,
                                               std::vector<std::string>* notes = nullptr) {
    std::vector<std::string> faults;
    std::memset(gStoryFlags, 0, sizeof gStoryFlags);
    for (const auto& [index, value] : flags) gStoryFlags[index] = static_cast<std::uint8_t>(value);
    loadMap(map);
    gScene = 0;
    gFieldEvent = 0;
    setUpCurrentMap(1);

    std::vector<std::pair<int, int>> arrivals;
    const auto found = constraints.arrivals.find(map);
    if (found != constraints.arrivals.end())
        for (const mapsource::Arrival& a : found->second) arrivals.push_back({a.row, a.column});
    std::map<int, std::string> standIns;
    for (int slot : slots) {
        const auto role = roles.find(slot);
        if (role != roles.end() && isTouchRole(role->second)) standIns[slot] = role->second;
    }
    const WalkResult walk = walkFromArrivals(arrivals, standIns);
    if (notes != nullptr)
        for (int slot : walk.stoodIn)
            notes->push_back("map " + std::to_string(map) + ": slot " + std::to_string(slot) + " (" + roles.at(slot) +
                             ") is inert in this story state; walked to as a plain contact");
    for (const auto& [slot, role] : standIns) {
        if (!gMapObjects[slot].present || walk.touches(slot)) continue;
        const int row = gObjectCells[slot][0], col = gObjectCells[slot][1];
        const auto near = nearestReached(walk, row, col);
        std::string line = "map " + std::to_string(map) + ": slot " + std::to_string(slot) + " (" + role + ") at (" +
                           std::to_string(row) + ", " + std::to_string(col) + "): no walk from an arrival starts it";
        if (near.first < 0) line += "; no cell reached";
        else line += "; nearest cell reached (" + std::to_string(near.first) + ", " + std::to_string(near.second) + ")";
        faults.push_back(line);
    }
    return faults;
}

// Every touchable slot of the map, walked in the story states the
// constraints name (a slot of a flags line in its state, every other slot in
// the new game's).
inline std::vector<std::string> walkMapFaults(int map, const std::map<int, std::string>& roles,
                                              const mapsource::Constraints& constraints,
                                              std::vector<std::string>* notes = nullptr) {
    std::set<int> plain;
    for (const auto& [slot, role] : roles)
        if (isTouchRole(role)) plain.insert(slot);
    std::vector<std::string> faults;
    const auto sets = constraints.flagSets.find(map);
    if (sets != constraints.flagSets.end()) {
        for (const mapsource::FlagSet& set : sets->second) {
            for (int slot : set.slots) plain.erase(slot);
            const auto more = untouchedSlots(map, roles, set.slots, set.flags, constraints, notes);
            faults.insert(faults.end(), more.begin(), more.end());
        }
    }
    const auto more = untouchedSlots(map, roles, plain, {}, constraints, notes);
    faults.insert(faults.begin(), more.begin(), more.end());
    return faults;
}

}  // namespace mapwalk

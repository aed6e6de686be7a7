// The readable map source (content/maps/Map_<n>.map) and its compilation
// into the game's map arrays. Header-only so the compiler, the preview tool
// and the map tests share one reading of the format; content/maps/README.md
// describes it.
#pragma once

#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "field/FieldMap.h"

namespace mapsource {

struct Tile {
    int column = 0;
    int row = 0;
};

// Named tiles of the atlas (content/maps/tiles.txt): "name column,row".
using TileNames = std::map<std::string, Tile>;

struct CellKind {
    char symbol = 0;
    float height = 0.0f;
    Tile floor;
    Tile wall;
    std::uint8_t blocked = 0;
    std::string note;
};

struct HeightPatch {
    float height = 0.0f;
    int rowFirst = 0, rowLast = 0, columnFirst = 0, columnLast = 0;
};

struct SlotEntry {
    int slot = 0;
    int row = 0;
    int column = 0;
    std::string role;
    std::string note;
    int line = 0;
};

struct MapSource {
    int number = -1;
    std::string name;
    std::string status;                 // "authored" or "placeholder"
    std::map<char, CellKind> kinds;
    std::vector<std::string> grid;      // grid[column][row], column 0 first
    std::vector<HeightPatch> heights;
    std::vector<SlotEntry> slots;
    std::vector<std::string> errors;    // "line N: ..." for every fault found
};

// What a slot is for; the map lint checks each against the cells.
inline const std::set<std::string>& knownRoles() {
    static const std::set<std::string> roles = {
        "exit",     // a step trigger that leaves the map (or a door): floor, reachable by a bump
        "trigger",  // a step trigger the player walks onto: reachable, walkable floor
        "person",   // someone to talk to: floor, with a reachable cell beside it
        "chest",    // a treasure chest hanging 1.8 above a reachable, walkable cell
        "enemy",    // an enemy symbol: walkable floor
        "figure",   // a figure of the scenes that nobody walks up to: floor
        "auto",     // an automatic trigger: anywhere
        "bars",     // bars or a closed door: floor, and it stops the player
    };
    return roles;
}

namespace detail {

inline std::string trim(const std::string& s) {
    const auto first = s.find_first_not_of(" \t\r");
    if (first == std::string::npos) return "";
    const auto last = s.find_last_not_of(" \t\r");
    return s.substr(first, last - first + 1);
}

inline std::vector<std::string> words(const std::string& s) {
    std::vector<std::string> out;
    std::istringstream in(s);
    std::string w;
    while (in >> w) out.push_back(w);
    return out;
}

inline bool parseInt(const std::string& s, int& out) {
    if (s.empty()) return false;
    char* end = nullptr;
    const long v = std::strtol(s.c_str(), &end, 10);
    if (*end != 0 || v < -1000000 || v > 1000000) return false;
    out = static_cast<int>(v);
    return true;
}

inline bool parseFloat(const std::string& s, float& out) {
    if (s.empty()) return false;
    char* end = nullptr;
    const double v = std::strtod(s.c_str(), &end);
    if (*end != 0 || !(v >= -1000.0 && v <= 1000.0)) return false;
    out = static_cast<float>(v);
    return true;
}

// "a-b" or "a".
inline bool parseRange(const std::string& s, int& first, int& last) {
    const auto dash = s.find('-', 1);
    if (dash == std::string::npos) {
        if (!parseInt(s, first)) return false;
        last = first;
        return true;
    }
    return parseInt(s.substr(0, dash), first) && parseInt(s.substr(dash + 1), last) && first <= last;
}

inline bool parseTile(const std::string& s, const TileNames& names, Tile& out) {
    const auto comma = s.find(',');
    if (comma != std::string::npos) {
        return parseInt(s.substr(0, comma), out.column) && parseInt(s.substr(comma + 1), out.row) &&
               out.column >= 0 && out.column < 20 && out.row >= 0 && out.row < 10;
    }
    const auto found = names.find(s);
    if (found == names.end()) return false;
    out = found->second;
    return true;
}

}  // namespace detail

inline bool readTextFile(const std::string& path, std::string& out) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    std::ostringstream text;
    text << in.rdbuf();
    out = text.str();
    return true;
}

// Lines "name column,row  # what it looks like".
inline bool parseTileNames(const std::string& text, TileNames& names, std::vector<std::string>& errors) {
    std::istringstream in(text);
    std::string line;
    int number = 0;
    while (std::getline(in, line)) {
        ++number;
        const auto hash = line.find('#');
        if (hash != std::string::npos) line.erase(hash);
        const auto w = detail::words(line);
        if (w.empty()) continue;
        Tile tile;
        if (w.size() != 2 || w[1].find(',') == std::string::npos || !detail::parseTile(w[1], {}, tile)) {
            errors.push_back("tiles line " + std::to_string(number) + ": expected \"name column,row\"");
            continue;
        }
        if (!names.emplace(w[0], tile).second) errors.push_back("tiles line " + std::to_string(number) + ": " + w[0] + " named twice");
    }
    return errors.empty();
}

inline MapSource parseMapSource(const std::string& text, const TileNames& tiles) {
    MapSource map;
    std::istringstream in(text);
    std::string raw;
    int number = 0;
    bool inGrid = false;
    int gridStartLine = 0;
    std::vector<std::string> gridTopDown;  // column 59 first, as written
    std::set<int> slotsSeen;
    auto fail = [&](const std::string& what) { map.errors.push_back("line " + std::to_string(number) + ": " + what); };

    while (std::getline(in, raw)) {
        ++number;
        if (!raw.empty() && raw.back() == '\r') raw.pop_back();
        if (inGrid) {
            const std::string t = detail::trim(raw);
            if (t.empty() || t[0] == '#') continue;
            if (t == "end") {
                inGrid = false;
                continue;
            }
            // "NN <60 cells>": the column label, one space, the rows 0 to 59.
            const int expected = kMapColumns - 1 - static_cast<int>(gridTopDown.size());
            int label = -1;
            if (raw.size() < 3 + kMapRows || raw[2] != ' ' || !detail::parseInt(raw.substr(0, 2), label)) {
                fail("a grid line is \"NN \" and 60 cells");
                gridTopDown.push_back(std::string(kMapRows, '?'));
                continue;
            }
            if (label != expected) fail("grid line for column " + std::to_string(expected) + " is labelled " + std::to_string(label));
            const std::string cells = raw.substr(3, kMapRows);
            const std::string rest = raw.substr(3 + kMapRows);
            if (!rest.empty() && rest[0] != ' ' && rest[0] != '\t') fail("grid line longer than 60 cells");
            gridTopDown.push_back(cells);
            continue;
        }

        std::string line = raw;
        std::string note;
        // A comment starts at '#', except for the symbol of a kind line, which
        // may itself be '#'.
        std::size_t searchFrom = 0;
        const auto firstWord = line.find_first_not_of(" \t");
        if (firstWord != std::string::npos && line.compare(firstWord, 5, "kind ") == 0) {
            const auto symbol = line.find_first_not_of(" \t", firstWord + 5);
            if (symbol != std::string::npos) searchFrom = symbol + 1;
        }
        const auto hash = line.find('#', searchFrom);
        if (hash != std::string::npos) {
            note = detail::trim(line.substr(hash + 1));
            line.erase(hash);
        }
        const auto w = detail::words(line);
        if (w.empty()) continue;
        const std::string& key = w[0];
        if (key == "map") {
            if (w.size() != 2 || !detail::parseInt(w[1], map.number) || map.number < 0 || map.number >= kMapCount)
                fail("map wants a number 0 to 129");
        } else if (key == "name") {
            map.name = detail::trim(line.substr(line.find("name") + 4));
            if (map.name.empty()) fail("name wants the place name");
        } else if (key == "status") {
            if (w.size() != 2 || (w[1] != "authored" && w[1] != "placeholder")) fail("status is authored or placeholder");
            else map.status = w[1];
        } else if (key == "kind") {
            CellKind kind;
            kind.note = note;
            bool good = w.size() >= 2 && w[1].size() == 1;
            if (good) kind.symbol = w[1][0];
            bool hasHeight = false, hasFloor = false, hasWall = false;
            for (std::size_t i = 2; good && i + 1 < w.size(); i += 2) {
                const std::string& k = w[i];
                const std::string& v = w[i + 1];
                if (k == "height") good = hasHeight = detail::parseFloat(v, kind.height) && kind.height >= 0.0f;
                else if (k == "floor") good = hasFloor = detail::parseTile(v, tiles, kind.floor);
                else if (k == "wall") good = hasWall = detail::parseTile(v, tiles, kind.wall);
                else if (k == "blocked") {
                    int b = 0;
                    good = detail::parseInt(v, b) && b >= 0 && b <= 255;
                    kind.blocked = static_cast<std::uint8_t>(b);
                } else good = false;
            }
            if (!good || w.size() % 2 != 0 || !hasHeight || !hasFloor || !hasWall) {
                fail("kind wants: kind <char> height <h> floor <tile> wall <tile> [blocked <n>] (a tile is a name or column,row)");
            } else if (!map.kinds.emplace(kind.symbol, kind).second) {
                fail(std::string("kind '") + kind.symbol + "' given twice");
            }
        } else if (key == "grid") {
            if (!gridTopDown.empty()) fail("a second grid");
            inGrid = true;
            gridStartLine = number;
        } else if (key == "height") {
            HeightPatch patch;
            if (w.size() != 6 || !detail::parseFloat(w[1], patch.height) || patch.height < 0.0f || w[2] != "rows" ||
                !detail::parseRange(w[3], patch.rowFirst, patch.rowLast) || w[4] != "cols" ||
                !detail::parseRange(w[5], patch.columnFirst, patch.columnLast) || patch.rowFirst < 0 ||
                patch.rowLast >= kMapRows || patch.columnFirst < 0 || patch.columnLast >= kMapColumns) {
                fail("height wants: height <h> rows <a>-<b> cols <c>-<d> inside the grid");
            } else {
                map.heights.push_back(patch);
            }
        } else if (key == "slot") {
            SlotEntry slot;
            slot.note = note;
            slot.line = number;
            if (w.size() != 5 || !detail::parseInt(w[1], slot.slot) || !detail::parseInt(w[2], slot.row) ||
                !detail::parseInt(w[3], slot.column)) {
                fail("slot wants: slot <n> <row> <column> <role>  # what the story uses it for");
            } else if (slot.slot < 0 || slot.slot >= kMapObjectCount) {
                fail("slot numbers run 0 to 149");
            } else if (!cellInsideGrid(slot.row, slot.column)) {
                fail("slot " + std::to_string(slot.slot) + " stands outside the grid");
            } else if (!knownRoles().count(w[4])) {
                fail("unknown role " + w[4]);
            } else if (!slotsSeen.insert(slot.slot).second) {
                fail("slot " + std::to_string(slot.slot) + " given twice");
            } else {
                slot.role = w[4];
                map.slots.push_back(slot);
            }
        } else {
            fail("unknown statement " + key);
        }
    }

    number = gridStartLine;
    if (inGrid) fail("grid without end");
    if (map.number < 0) map.errors.push_back("no map number");
    if (map.name.empty()) map.errors.push_back("no name");
    if (map.status.empty()) map.errors.push_back("no status");
    if (gridTopDown.size() != static_cast<std::size_t>(kMapColumns)) {
        map.errors.push_back("the grid has " + std::to_string(gridTopDown.size()) + " lines, not 60");
    } else {
        map.grid.assign(gridTopDown.rbegin(), gridTopDown.rend());
        std::set<char> unknown;
        for (const std::string& line : map.grid)
            for (char c : line)
                if (!map.kinds.count(c)) unknown.insert(c);
        for (char c : unknown) map.errors.push_back(std::string("grid uses '") + c + "', which no kind defines");
    }
    return map;
}

// Fills gMapCells, the present bytes and gObjectCells from a parsed source
// (every other object field 0, as after a load).
inline void compileMapSource(const MapSource& map) {
    resetFieldMap();
    gCurrentMap = map.number;
    for (int column = 0; column < kMapColumns; ++column) {
        for (int row = 0; row < kMapRows; ++row) {
            const CellKind& kind = map.kinds.at(map.grid[column][row]);
            MapCell& cell = gMapCells[row][column];
            cell.height = kind.height;
            cell.floorColumn = kind.floor.column;
            cell.floorRow = kind.floor.row;
            cell.wallColumn = kind.wall.column;
            cell.wallRow = kind.wall.row;
            cell.blocked = kind.blocked;
            cell.objectLink = 0;
        }
    }
    for (const HeightPatch& patch : map.heights)
        for (int row = patch.rowFirst; row <= patch.rowLast; ++row)
            for (int column = patch.columnFirst; column <= patch.columnLast; ++column) gMapCells[row][column].height = patch.height;
    for (const SlotEntry& slot : map.slots) {
        gObjectCells[slot.slot][0] = static_cast<std::uint8_t>(slot.row);
        gObjectCells[slot.slot][1] = static_cast<std::uint8_t>(slot.column);
        gMapObjects[slot.slot].present = 1;
        float centre[3];
        cellCentre(slot.row, slot.column, centre);
        gMapObjects[slot.slot].x = centre[0];
        gMapObjects[slot.slot].y = centre[1];
        gMapObjects[slot.slot].z = centre[2];
    }
}

// Reads a source and the tile names beside it ("tiles.txt" in the same folder,
// when there is one).
inline MapSource loadMapSourceFile(const std::string& path) {
    TileNames tiles;
    std::vector<std::string> tileErrors;
    const auto slash = path.find_last_of('/');
    const std::string folder = slash == std::string::npos ? "." : path.substr(0, slash);
    std::string tileText;
    if (readTextFile(folder + "/tiles.txt", tileText)) parseTileNames(tileText, tiles, tileErrors);
    std::string text;
    MapSource map;
    if (!readTextFile(path, text)) {
        map.errors.push_back("cannot read " + path);
        return map;
    }
    map = parseMapSource(text, tiles);
    for (const std::string& e : tileErrors) map.errors.insert(map.errors.begin(), e);
    return map;
}

}  // namespace mapsource

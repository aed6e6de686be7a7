#include "tools/playthrough/RouteGoals.h"

#include <fstream>
#include <sstream>

namespace {

bool fail(std::string* error, const std::string& path, int line, const std::string& what) {
    *error = path + ":" + std::to_string(line) + ": " + what;
    return false;
}

}  // namespace

bool loadRoute(const std::string& path, int route, Route& out, std::string* error) {
    std::ifstream in(path);
    if (!in) {
        *error = "cannot read the goals file " + path;
        return false;
    }
    out = Route{};
    int forRoute = 0;  // 0: the lines hold for both routes
    // An open repeat block: where its goals start, its count and level.
    int blockStart = -1, blockCount = 0, blockLine = 0;
    std::string text;
    int number = 0;
    while (std::getline(in, text)) {
        ++number;
        const size_t hash = text.find('#');
        if (hash != std::string::npos) text.erase(hash);
        std::istringstream line(text);
        std::string word;
        if (!(line >> word)) continue;
        int a = 0, b = 0;
        if (word == "route") {
            if (!(line >> a) || a < 0 || a > 2) return fail(error, path, number, "route wants 0, 1 or 2");
            if (blockStart >= 0) return fail(error, path, number, "route inside a repeat block");
            forRoute = a;
            continue;
        }
        const bool mine = forRoute == 0 || forRoute == route;
        if (word == "repeat") {
            std::string until;
            if (!(line >> a) || a < 1 || a > 50 || !(line >> until) || until != "until" || !(line >> b) || b < 1 || b > 99)
                return fail(error, path, number, "repeat wants a count 1-50, 'until' and a level 1-99");
            if (blockStart >= 0) return fail(error, path, number, "repeat blocks do not nest");
            blockStart = static_cast<int>(out.goals.size());
            blockCount = a;
            blockLine = number;
            if (mine) out.goals.push_back(RouteGoal{GoalKind::Check, 0, -1, b, 0, -1, -1, -1, 0, "the level of the block", number});
            continue;
        }
        if (word == "end") {
            if (blockStart < 0) return fail(error, path, number, "end without repeat");
            if (mine) {
                // The block is written out count times, each copy headed by
                // its check; every check jumps past the last copy.
                const std::vector<RouteGoal> body(out.goals.begin() + blockStart, out.goals.end());
                for (int n = 1; n < blockCount; ++n) out.goals.insert(out.goals.end(), body.begin(), body.end());
                const int after = static_cast<int>(out.goals.size());
                for (size_t g = static_cast<size_t>(blockStart); g < out.goals.size(); ++g)
                    if (out.goals[g].kind == GoalKind::Check) out.goals[g].jump = after;
            }
            blockStart = -1;
            continue;
        }
        if (word == "pull") {
            int row = 0, col = 0;
            if (!(line >> a >> b >> row >> col) || a < 0 || a >= 130 || b < 0 || b >= 150 || row < -1 || row >= 60 ||
                col < -1 || col >= 60 || (row < 0) != (col < 0))
                return fail(error, path, number, "pull wants a map, a lever's slot and the cell to pull it from (-1 -1: any)");
            std::string what;
            std::getline(line >> std::ws, what);
            if (what.empty()) return fail(error, path, number, "pull wants a description");
            if (mine) out.goals.push_back(RouteGoal{GoalKind::Pull, a, b, 0, 0, row, col, -1, 0, what, number});
            continue;
        }
        if (word == "ask") {
            int option = 0;
            if (!(line >> a >> b >> option) || a < 0 || a >= 130 || b < 0 || b >= 150 || option < 0 || option > 19)
                return fail(error, path, number, "ask wants a map, a slot and an option 0-19");
            std::string what;
            std::getline(line >> std::ws, what);
            if (what.empty()) return fail(error, path, number, "ask wants a description");
            if (mine) out.goals.push_back(RouteGoal{GoalKind::Ask, a, b, option, 0, -1, -1, -1, 0, what, number});
            continue;
        }
        if (word == "cell") {
            int row = 0, col = 0;
            if (!(line >> a >> row >> col) || a < 0 || a >= 130 || row < 0 || row >= 60 || col < 0 || col >= 60)
                return fail(error, path, number, "cell wants a map and a cell's row and column");
            std::string what;
            std::getline(line >> std::ws, what);
            if (what.empty()) return fail(error, path, number, "cell wants a description");
            if (mine) out.goals.push_back(RouteGoal{GoalKind::Cell, a, -1, 0, 0, row, col, -1, 0, what, number});
            continue;
        }
        if (word == "equip") {
            if (!(line >> a) || a < 0 || a >= 130) return fail(error, path, number, "equip wants a map number");
            std::string what;
            std::getline(line >> std::ws, what);
            if (what.empty()) return fail(error, path, number, "equip wants a description");
            if (mine) out.goals.push_back(RouteGoal{GoalKind::Equip, a, -1, 0, 0, -1, -1, -1, 0, what, number});
            continue;
        }
        if (word == "walk" || word == "arrive" || word == "inn" || word == "grind" || word == "duel" || word == "outfit" ||
            word == "chest") {
            if (!(line >> a) || a < 0 || a >= 130) return fail(error, path, number, word + " wants a map number");
            const bool slotted = word != "arrive" && word != "grind";
            if (slotted && (!(line >> b) || b < 0 || b >= 150))
                return fail(error, path, number, word + " wants a slot number after the map");
            if (word == "grind" && (!(line >> b) || b < 1 || b > 99))
                return fail(error, path, number, "grind wants a level 1-99 after the map");
            // An arrival may wait for a story flag: "FLAG:VALUE" after the map.
            int flag = -1, value = 0;
            if (word == "arrive") {
                const std::streampos at = line.tellg();
                std::string token;
                char colon = 0;
                std::istringstream pair;
                if (line >> token && token.find(':') != std::string::npos) {
                    pair.str(token);
                    if (!(pair >> flag >> colon >> value) || colon != ':' || flag < 0 || flag >= 1000 || value < 0 ||
                        value > 255)
                        return fail(error, path, number, "arrive wants FLAG:VALUE with a flag 0-999 and a value 0-255");
                } else {
                    line.clear();
                    line.seekg(at);
                }
            }
            std::string what;
            std::getline(line >> std::ws, what);
            if (what.empty()) return fail(error, path, number, word + " wants a description");
            RouteGoal goal{GoalKind::Walk, a, b, 0, 0, -1, -1, -1, 0, what, number};
            if (word == "arrive") goal = RouteGoal{GoalKind::Arrive, a, -1, 0, 0, -1, -1, flag, value, what, number};
            if (word == "inn") goal.kind = GoalKind::Inn;
            if (word == "duel") goal.kind = GoalKind::Duel;
            if (word == "outfit") goal.kind = GoalKind::Outfit;
            if (word == "chest") goal.kind = GoalKind::Chest;
            if (word == "grind") goal = RouteGoal{GoalKind::Grind, a, -1, b, 0, -1, -1, -1, 0, what, number};
            if (mine) out.goals.push_back(goal);
        } else if (word == "reload") {
            std::string what;
            std::getline(line >> std::ws, what);
            if (what.empty()) return fail(error, path, number, "reload wants a description");
            if (mine) out.goals.push_back(RouteGoal{GoalKind::Reload, 0, -1, 0, 0, -1, -1, -1, 0, what, number});
        } else if (word == "staffroll") {
            std::string what;
            std::getline(line >> std::ws, what);
            if (what.empty()) return fail(error, path, number, "staffroll wants a description");
            if (mine) out.goals.push_back(RouteGoal{GoalKind::StaffRoll, -1, -1, 0, 0, -1, -1, -1, 0, what, number});
        } else if (word == "heal") {
            if (!(line >> a) || a < 10 || a > 90) return fail(error, path, number, "heal wants a share of 10-90 per cent");
            if (mine) out.goals.push_back(RouteGoal{GoalKind::Heal, 0, -1, a, 0, -1, -1, -1, 0, "heal", number});
        } else if (word == "skills") {
            std::string how;
            line >> how;
            if (how != "strongest" && how != "first") return fail(error, path, number, "skills wants strongest or first");
            if (mine)
                out.goals.push_back(RouteGoal{GoalKind::Skills, 0, -1, how == "strongest" ? 1 : 0, 0, -1, -1, -1, 0, how, number});
        } else if (word == "choose") {
            if (blockStart >= 0) return fail(error, path, number, "a choice inside a repeat block");
            if (!(line >> a) || a < 0 || a > 9) return fail(error, path, number, "choose wants an option 0-9");
            if (mine) out.choices.push_back(a);
        } else if (word == "battle") {
            if (!(line >> a) || a < 0 || a >= 128) return fail(error, path, number, "battle wants an enemy group");
            if (mine) out.battles.push_back(a);
        } else {
            return fail(error, path, number, "unknown word '" + word + "'");
        }
    }
    if (blockStart >= 0) return fail(error, path, blockLine, "repeat without end");
    if (out.goals.empty()) return fail(error, path, number, "no goals for route " + std::to_string(route));
    return true;
}

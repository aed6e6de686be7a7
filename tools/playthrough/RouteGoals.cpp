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
            forRoute = a;
            continue;
        }
        const bool mine = forRoute == 0 || forRoute == route;
        if (word == "walk" || word == "arrive") {
            if (!(line >> a) || a < 0 || a >= 130) return fail(error, path, number, word + " wants a map number");
            if (word == "walk" && (!(line >> b) || b < 0 || b >= 150))
                return fail(error, path, number, "walk wants a slot number after the map");
            std::string what;
            std::getline(line >> std::ws, what);
            if (what.empty()) return fail(error, path, number, word + " wants a description");
            if (mine) out.goals.push_back(RouteGoal{a, word == "walk" ? b : -1, what, number});
        } else if (word == "choose") {
            if (!(line >> a) || a < 0 || a > 9) return fail(error, path, number, "choose wants an option 0-9");
            if (mine) out.choices.push_back(a);
        } else if (word == "battle") {
            if (!(line >> a) || a < 0 || a >= 128) return fail(error, path, number, "battle wants an enemy group");
            if (mine) out.battles.push_back(a);
        } else {
            return fail(error, path, number, "unknown word '" + word + "'");
        }
    }
    if (out.goals.empty()) return fail(error, path, number, "no goals for route " + std::to_string(route));
    return true;
}

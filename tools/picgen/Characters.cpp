#include "tools/picgen/Characters.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <map>
#include <sstream>

#include "tools/picgen/Picture.h"

namespace picgen {

pic::Rgb parseHex(const std::string& hex) {
    unsigned long v = std::strtoul(hex.c_str(), nullptr, 16);
    return pic::rgb(static_cast<int>((v >> 16) & 255), static_cast<int>((v >> 8) & 255), static_cast<int>(v & 255));
}

namespace {

bool isFemaleStyle(const std::string& style) { return style == "long" || style == "tail" || style == "bun"; }

// Reads the lines of a source file without comments and blanks.
std::vector<std::vector<std::string>> readTable(const std::string& file) {
    std::vector<std::vector<std::string>> rows;
    std::ifstream in(contentDir() + "/" + file);
    if (!in) {
        std::fprintf(stderr, "picgen: missing %s/%s\n", contentDir().c_str(), file.c_str());
        std::exit(1);
    }
    std::string line;
    while (std::getline(in, line)) {
        if (line.empty() || line[0] == '#') continue;
        std::istringstream words(line);
        std::vector<std::string> row;
        std::string w;
        while (words >> w) row.push_back(w);
        if (!row.empty()) rows.push_back(row);
    }
    return rows;
}

Look lookFrom(const std::vector<std::string>& f, size_t at, bool withKind) {
    Look l;
    if (withKind) l.kind = f[at++];
    l.style = f[at++];
    l.hair = parseHex(f[at++]);
    l.skin = parseHex(f[at++]);
    l.top = parseHex(f[at++]);
    l.bottom = parseHex(f[at++]);
    l.accent = parseHex(f[at++]);
    for (size_t i = at; i < f.size(); ++i) l.name += (i > at ? " " : "") + f[i];
    l.female = isFemaleStyle(l.style);
    return l;
}

struct Tables {
    std::vector<Look> characters = std::vector<Look>(60);
    std::map<std::pair<int, int>, Look> townspeople;
    std::map<std::string, Look> extras;
    std::map<int, std::string> columnLook;
    std::map<std::pair<int, int>, std::pair<std::string, int>> cellOverride;
};

const Tables& tables() {
    static Tables t = [] {
        Tables r;
        for (const auto& f : readTable("characters.txt")) {
            if (f.size() < 8) continue;
            int id = std::atoi(f[0].c_str());
            if (id >= 0 && id < 60) r.characters[id] = lookFrom(f, 1, true);
        }
        for (const auto& f : readTable("townspeople.txt")) {
            if (f.size() < 8) continue;
            r.townspeople[{std::atoi(f[0].c_str()), std::atoi(f[1].c_str())}] = lookFrom(f, 2, false);
        }
        for (const auto& f : readTable("portraits.txt")) {
            if (f[0] == "look" && f.size() >= 9) {
                Look l = lookFrom(f, 2, true);
                l.name = f[1];
                r.extras[f[1]] = l;
            } else if (f[0] == "column" && f.size() >= 3) {
                r.columnLook[std::atoi(f[1].c_str())] = f[2];
            } else if (f[0] == "cell" && f.size() >= 5) {
                r.cellOverride[{std::atoi(f[1].c_str()), std::atoi(f[2].c_str())}] = {f[3], std::atoi(f[4].c_str())};
            }
        }
        return r;
    }();
    return t;
}

const Look* resolveLook(const std::string& ref) {
    const Tables& t = tables();
    if (!ref.empty() && ref[0] == '#') {
        int id = std::atoi(ref.c_str() + 1);
        if (id >= 0 && id < 60) return &t.characters[id];
    }
    auto it = t.extras.find(ref);
    return it == t.extras.end() ? nullptr : &it->second;
}

}  // namespace

const std::vector<Look>& characterLooks() { return tables().characters; }

const Look* townspersonLook(int row, int pose) {
    const auto& m = tables().townspeople;
    auto it = m.find({row, pose});
    return it == m.end() ? nullptr : &it->second;
}

const Look* extraLook(const std::string& name) { return resolveLook(name); }

PortraitCell portraitCell(int column, int row) {
    const Tables& t = tables();
    auto o = t.cellOverride.find({column, row});
    if (o != t.cellOverride.end()) return PortraitCell{resolveLook(o->second.first), o->second.second};
    auto c = t.columnLook.find(column);
    if (c == t.columnLook.end()) return PortraitCell{};
    return PortraitCell{resolveLook(c->second), row};
}

}  // namespace picgen

// mapc: compiles a readable map source into the game's map file.
//   mapc -o <Map_N.dat> <Map_N.map>
// Tile names come from tiles.txt beside the source. Any fault in the source
// stops the build with its line number.
#include <cstdio>
#include <cstring>
#include <string>

#include "field/FieldMap.h"
#include "tools/mapc/MapSource.h"

int main(int argc, char** argv) {
    std::string output;
    std::string input;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "-o") == 0 && i + 1 < argc) output = argv[++i];
        else input = argv[i];
    }
    if (input.empty() || output.empty()) {
        std::fprintf(stderr, "usage: mapc -o <Map_N.dat> <Map_N.map>\n");
        return 2;
    }
    const mapsource::MapSource map = mapsource::loadMapSourceFile(input);
    if (!map.errors.empty()) {
        for (const std::string& e : map.errors) std::fprintf(stderr, "%s: %s\n", input.c_str(), e.c_str());
        return 1;
    }
    mapsource::compileMapSource(map);
    if (writeMapFile(output.c_str()) != 0) return 1;
    return 0;
}

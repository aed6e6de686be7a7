// meshgen: builds every mesh resource from content/meshes/meshes.txt.
// Usage: meshgen <meshes.txt> <Res folder>
//
// meshes.txt holds blocks:
//   mesh ID DESCRIPTION
//     material NAME r g b a power sr sg sb er eg eb
//     SOLID ...          (tools/meshgen/Solids.cpp lists them)
#include <cstdio>
#include <fstream>
#include <map>
#include <sstream>

#include "tools/meshgen/Mesh.h"
#include "tools/meshgen/Solids.h"

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: meshgen <meshes.txt> <Res folder>\n");
        return 2;
    }
    std::ifstream in(argv[1]);
    if (!in) {
        std::fprintf(stderr, "meshgen: cannot read %s\n", argv[1]);
        return 1;
    }
    std::map<int, meshgen::Mesh> meshes;
    meshgen::Mesh* current = nullptr;
    std::string line;
    int lineNumber = 0, failures = 0;
    while (std::getline(in, line)) {
        ++lineNumber;
        size_t start = line.find_first_not_of(" \t");
        if (start == std::string::npos || line[start] == '#') continue;
        line = line.substr(start);
        std::istringstream words(line);
        std::string first;
        words >> first;
        if (first == "mesh") {
            int id = 0;
            words >> id;
            current = &meshes[id];
        } else if (!current) {
            std::fprintf(stderr, "meshgen: line %d comes before any mesh\n", lineNumber);
            ++failures;
        } else if (first == "material") {
            meshgen::Material m;
            words >> m.name >> m.r >> m.g >> m.b >> m.a >> m.power >> m.sr >> m.sg >> m.sb >> m.er >> m.eg >> m.eb;
            if (!words) {
                std::fprintf(stderr, "meshgen: line %d: a material needs a name and 12 numbers\n", lineNumber);
                ++failures;
            }
            current->addMaterial(m);
        } else {
            std::string error;
            if (!meshgen::addSolid(*current, line, error)) {
                std::fprintf(stderr, "meshgen: line %d: %s\n", lineNumber, error.c_str());
                ++failures;
            }
        }
    }
    for (const auto& [id, mesh] : meshes) {
        if (mesh.triangles().empty() || mesh.materials().empty()) {
            std::fprintf(stderr, "meshgen: mesh %d is empty\n", id);
            ++failures;
            continue;
        }
        std::string path = std::string(argv[2]) + "/Xfile_" + std::to_string(id) + ".x";
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out << mesh.toXFile();
        if (!out) {
            std::fprintf(stderr, "meshgen: cannot write %s\n", path.c_str());
            ++failures;
        }
    }
    return failures ? 1 : 0;
}

// Text .x mesh files ("xof 0303txt 0032") to triangle lists per material:
// frames flattened into the vertices, n-gons split into fans, normals,
// texture coordinates, vertex colours and materials kept. Unknown templates
// are skipped. Pure code: no backend.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/Gfx.h"

namespace xmesh {

constexpr int kOk = 0;
constexpr int kMissing = -1;   // the file cannot be read
constexpr int kCorrupt = -6;   // not a text .x file, or malformed

struct MeshVertex {
    gfx::Vec3 position;
    gfx::Vec3 normal;        // (0,0,0) when the mesh has none
    std::uint32_t colour;    // ARGB; white when the mesh has none
    float u, v;
};

struct MeshData {
    bool hasNormals = false;
    bool hasColours = false;
    std::vector<gfx::Material> materials;
    // One triangle list per material (three vertices a triangle).
    std::vector<std::vector<MeshVertex>> subsets;
};

// Parses the text of a .x file.
int parseXMesh(const char* text, std::size_t size, MeshData& out);
// Reads and parses a .x file.
int loadXMeshFile(const std::string& path, MeshData& out);

}  // namespace xmesh

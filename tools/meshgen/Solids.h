// The solids meshes are built from, read from the lines of meshes.txt.
#pragma once

#include <string>

#include "tools/meshgen/Mesh.h"

namespace meshgen {

// Adds the solid of one line ("box wood 0 0.5 0 1 1 1 ...") to the mesh;
// false with a message on a line it cannot read.
bool addSolid(Mesh& mesh, const std::string& line, std::string& error);

}  // namespace meshgen

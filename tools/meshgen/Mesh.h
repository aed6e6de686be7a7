// Meshes built from simple solids, written as text .x files (the DirectX
// "xof 0303txt 0032" format: one Mesh with its vertices and triangles,
// MeshNormals and a MeshMaterialList with the materials inline).
#pragma once

#include <string>
#include <vector>

namespace meshgen {

struct Vec3 {
    double x = 0, y = 0, z = 0;
};

struct Material {
    std::string name;
    double r = 1, g = 1, b = 1, a = 1;
    double power = 10;
    double sr = 0.3, sg = 0.3, sb = 0.3;
    double er = 0, eg = 0, eb = 0;
};

struct Triangle {
    Vec3 p[3];
    int material = 0;
};

class Mesh {
public:
    // Adds a material and returns its index.
    int addMaterial(const Material& m);
    int materialIndex(const std::string& name) const;  // -1 when unknown
    void addTriangle(const Vec3& a, const Vec3& b, const Vec3& c, int material);
    void addQuad(const Vec3& a, const Vec3& b, const Vec3& c, const Vec3& d, int material);

    const std::vector<Triangle>& triangles() const { return triangles_; }
    const std::vector<Material>& materials() const { return materials_; }

    // The text .x form. Every triangle has its own three vertices, so each
    // vertex's normal is its face's (flat shading) and the normal indices
    // equal the vertex indices.
    std::string toXFile() const;

private:
    std::vector<Triangle> triangles_;
    std::vector<Material> materials_;
};

}  // namespace meshgen

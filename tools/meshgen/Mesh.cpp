#include "tools/meshgen/Mesh.h"

#include <cmath>
#include <cstdio>

namespace meshgen {

namespace {

std::string num(double v) {
    if (std::fabs(v) < 5e-7) v = 0;
    char buf[32];
    std::snprintf(buf, sizeof buf, "%.6f", v);
    return buf;
}

Vec3 faceNormal(const Triangle& t) {
    Vec3 u{t.p[1].x - t.p[0].x, t.p[1].y - t.p[0].y, t.p[1].z - t.p[0].z};
    Vec3 v{t.p[2].x - t.p[0].x, t.p[2].y - t.p[0].y, t.p[2].z - t.p[0].z};
    Vec3 n{u.y * v.z - u.z * v.y, u.z * v.x - u.x * v.z, u.x * v.y - u.y * v.x};
    double len = std::sqrt(n.x * n.x + n.y * n.y + n.z * n.z);
    if (len < 1e-12) return Vec3{0, 1, 0};
    return Vec3{n.x / len, n.y / len, n.z / len};
}

}  // namespace

int Mesh::addMaterial(const Material& m) {
    materials_.push_back(m);
    return static_cast<int>(materials_.size()) - 1;
}

int Mesh::materialIndex(const std::string& name) const {
    for (size_t i = 0; i < materials_.size(); ++i)
        if (materials_[i].name == name) return static_cast<int>(i);
    return -1;
}

void Mesh::addTriangle(const Vec3& a, const Vec3& b, const Vec3& c, int material) {
    triangles_.push_back(Triangle{{a, b, c}, material});
}

void Mesh::addQuad(const Vec3& a, const Vec3& b, const Vec3& c, const Vec3& d, int material) {
    addTriangle(a, b, c, material);
    addTriangle(a, c, d, material);
}

std::string Mesh::toXFile() const {
    std::string out = "xof 0303txt 0032\n\n";
    const size_t n = triangles_.size();
    out += "Mesh {\n " + std::to_string(n * 3) + ";\n";
    for (size_t t = 0; t < n; ++t)
        for (int k = 0; k < 3; ++k) {
            const Vec3& p = triangles_[t].p[k];
            out += " " + num(p.x) + ";" + num(p.y) + ";" + num(p.z) + ";" + ((t + 1 == n && k == 2) ? ";\n" : ",\n");
        }
    out += " " + std::to_string(n) + ";\n";
    for (size_t t = 0; t < n; ++t)
        out += " 3;" + std::to_string(3 * t) + "," + std::to_string(3 * t + 1) + "," + std::to_string(3 * t + 2) + ";" +
               (t + 1 == n ? ";\n" : ",\n");
    // Normals: one per vertex, each its face's.
    out += "\n MeshNormals {\n  " + std::to_string(n * 3) + ";\n";
    for (size_t t = 0; t < n; ++t) {
        Vec3 nn = faceNormal(triangles_[t]);
        for (int k = 0; k < 3; ++k)
            out += "  " + num(nn.x) + ";" + num(nn.y) + ";" + num(nn.z) + ";" + ((t + 1 == n && k == 2) ? ";\n" : ",\n");
    }
    out += "  " + std::to_string(n) + ";\n";
    for (size_t t = 0; t < n; ++t)
        out += "  3;" + std::to_string(3 * t) + "," + std::to_string(3 * t + 1) + "," + std::to_string(3 * t + 2) + ";" +
               (t + 1 == n ? ";\n" : ",\n");
    out += " }\n";
    // Materials, one subset each.
    out += "\n MeshMaterialList {\n  " + std::to_string(materials_.size()) + ";\n  " + std::to_string(n) + ";\n";
    for (size_t t = 0; t < n; ++t) out += "  " + std::to_string(triangles_[t].material) + (t + 1 == n ? ";\n" : ",\n");
    for (const Material& m : materials_) {
        out += "\n  Material {\n";
        out += "   " + num(m.r) + ";" + num(m.g) + ";" + num(m.b) + ";" + num(m.a) + ";;\n";
        out += "   " + num(m.power) + ";\n";
        out += "   " + num(m.sr) + ";" + num(m.sg) + ";" + num(m.sb) + ";;\n";
        out += "   " + num(m.er) + ";" + num(m.eg) + ";" + num(m.eb) + ";;\n";
        out += "  }\n";
    }
    out += " }\n}\n";
    return out;
}

}  // namespace meshgen

#include "tools/contactsheet/MeshPreview.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <cmath>
#include <fstream>
#include <sstream>
#include <vector>

namespace contactsheet {

namespace {

struct V3 {
    double x, y, z;
};

// The numbers of the file in order, with the block names in between.
std::vector<std::string> tokens(const std::string& text) {
    std::vector<std::string> out;
    std::string cur;
    for (char c : text) {
        if (c == ';' || c == ',' || c == ' ' || c == '\n' || c == '\r' || c == '\t' || c == '{' || c == '}') {
            if (!cur.empty()) out.push_back(cur);
            cur.clear();
        } else {
            cur += c;
        }
    }
    if (!cur.empty()) out.push_back(cur);
    return out;
}

}  // namespace

bool drawMeshPreview(pic::Image& sheet, const std::string& path, int x0, int y0, int size) {
    std::ifstream f(path);
    if (!f) return false;
    std::stringstream s;
    s << f.rdbuf();
    std::vector<std::string> t = tokens(s.str());
    size_t i = 0;
    while (i < t.size() && t[i] != "Mesh") ++i;
    if (i + 1 >= t.size()) return false;
    ++i;
    auto num = [&]() { return i < t.size() ? std::atof(t[i++].c_str()) : 0.0; };
    std::vector<V3> verts(static_cast<size_t>(num()));
    for (V3& v : verts) v = {num(), num(), num()};
    std::vector<std::array<int, 3>> faces(static_cast<size_t>(num()));
    for (auto& fc : faces) {
        int n = static_cast<int>(num());
        for (int k = 0; k < n; ++k) {
            int idx = static_cast<int>(num());
            if (k < 3) fc[k] = idx;
        }
    }
    // Materials: the face list and the diffuse colours.
    while (i < t.size() && t[i] != "MeshMaterialList") ++i;
    std::vector<int> faceMaterial;
    std::vector<pic::Rgb> colours;
    if (i < t.size()) {
        ++i;
        int materials = static_cast<int>(num());
        faceMaterial.resize(static_cast<size_t>(num()));
        for (int& m : faceMaterial) m = static_cast<int>(num());
        for (int m = 0; m < materials; ++m) {
            while (i < t.size() && t[i] != "Material") ++i;
            ++i;
            double r = num(), g = num(), b = num();
            for (int k = 0; k < 8; ++k) num();
            colours.push_back(pic::rgb(static_cast<int>(std::clamp(r, 0.0, 1.0) * 255), static_cast<int>(std::clamp(g, 0.0, 1.0) * 255),
                                       static_cast<int>(std::clamp(b, 0.0, 1.0) * 255)));
        }
    }
    // View: turned 35 degrees about y, tipped 25 degrees down.
    const double ay = 35 * M_PI / 180, ax = 25 * M_PI / 180;
    auto view = [&](V3 p) {
        double x = p.x * std::cos(ay) + p.z * std::sin(ay), z = -p.x * std::sin(ay) + p.z * std::cos(ay);
        double y = p.y * std::cos(ax) - z * std::sin(ax), zz = p.y * std::sin(ax) + z * std::cos(ax);
        return V3{x, y, zz};
    };
    std::vector<V3> projected;
    double minX = 1e9, maxX = -1e9, minY = 1e9, maxY = -1e9;
    for (const V3& v : verts) {
        V3 p = view(v);
        projected.push_back(p);
        minX = std::min(minX, p.x);
        maxX = std::max(maxX, p.x);
        minY = std::min(minY, p.y);
        maxY = std::max(maxY, p.y);
    }
    const double scale = (size - 16) / std::max({maxX - minX, maxY - minY, 1e-6});
    const double cx = x0 + size / 2.0 - (minX + maxX) / 2 * scale, cy = y0 + size / 2.0 + (minY + maxY) / 2 * scale;
    // Painter's order: far faces first (view z grows away from the eye).
    std::vector<size_t> order(faces.size());
    for (size_t k = 0; k < order.size(); ++k) order[k] = k;
    auto depth = [&](size_t k) { return projected[faces[k][0]].z + projected[faces[k][1]].z + projected[faces[k][2]].z; };
    std::sort(order.begin(), order.end(), [&](size_t a, size_t b) { return depth(a) > depth(b); });
    V3 light{0.5, 0.5, -1.0};  // toward the light: the game's light travels along (-0.5, -0.5, 1)
    double ll = std::sqrt(light.x * light.x + light.y * light.y + light.z * light.z);
    for (size_t k : order) {
        const auto& fc = faces[k];
        if (fc[0] < 0 || fc[1] < 0 || fc[2] < 0 || static_cast<size_t>(std::max({fc[0], fc[1], fc[2]})) >= verts.size()) continue;
        V3 a = verts[fc[0]], b = verts[fc[1]], c = verts[fc[2]];
        V3 u{b.x - a.x, b.y - a.y, b.z - a.z}, w{c.x - a.x, c.y - a.y, c.z - a.z};
        V3 n{u.y * w.z - u.z * w.y, u.z * w.x - u.x * w.z, u.x * w.y - u.y * w.x};
        double nl = std::sqrt(n.x * n.x + n.y * n.y + n.z * n.z);
        if (nl < 1e-12) continue;
        double lit = std::fabs((n.x * light.x + n.y * light.y + n.z * light.z) / (nl * ll));
        pic::Rgb base = k < faceMaterial.size() && faceMaterial[k] < static_cast<int>(colours.size()) ? colours[faceMaterial[k]] : pic::rgb(200, 200, 200);
        pic::Rgb col = pic::shade(base, 0.35 + 0.65 * lit);
        std::vector<double> poly;
        for (int v = 0; v < 3; ++v) {
            poly.push_back(cx + projected[fc[v]].x * scale);
            poly.push_back(cy - projected[fc[v]].y * scale);
        }
        sheet.fillPolygon(poly, col, 1.0, false);
    }
    return true;
}

}  // namespace contactsheet

// Solids, in model units (y up). Every triangle is turned so that its
// normal points away from the solid's inside.
//   box MAT cx cy cz sx sy sz
//   cylinder MAT cx cy cz r h sides            upright, centred
//   cone MAT cx cy cz r h sides                base at cy, apex at cy + h (h < 0 points down)
//   sphere MAT cx cy cz r bands                a faceted ball
//   ellipsoid MAT cx cy cz rx ry rz bands
//   diamond MAT cx cy cz rx ry rz sides        two pyramids base to base
//   torus MAT cx cy cz R r sides               a ring lying flat
//   spike MAT x0 y0 z0 x1 y1 z1 r sides        a cone from a base point to a tip
//   arch MAT cx cy cz r length sides           half a cylinder along x, dome up
//   hull MAT cx cy cz length width height      a boat's hull, bow toward -x
// Any solid may end with "turn AX AY AZ": degrees about x, then y, then z,
// about the solid's own centre.
#include "tools/meshgen/Solids.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <sstream>
#include <vector>

namespace meshgen {

namespace {

Vec3 sub(Vec3 a, Vec3 b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
Vec3 add(Vec3 a, Vec3 b) { return {a.x + b.x, a.y + b.y, a.z + b.z}; }
double dot(Vec3 a, Vec3 b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
Vec3 cross(Vec3 a, Vec3 b) { return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x}; }

struct Builder {
    std::vector<Triangle> tris;
    int material = 0;
    // The inside point a triangle is turned away from.
    std::function<Vec3(Vec3)> inside;

    void tri(Vec3 a, Vec3 b, Vec3 c) {
        Vec3 centroid{(a.x + b.x + c.x) / 3, (a.y + b.y + c.y) / 3, (a.z + b.z + c.z) / 3};
        Vec3 n = cross(sub(b, a), sub(c, a));
        if (dot(n, n) < 1e-18) return;  // degenerate
        if (dot(n, sub(centroid, inside(centroid))) < 0) std::swap(b, c);
        tris.push_back(Triangle{{a, b, c}, material});
    }
    void quad(Vec3 a, Vec3 b, Vec3 c, Vec3 d) {
        tri(a, b, c);
        tri(a, c, d);
    }
};

Vec3 rotate(Vec3 p, double ax, double ay, double az) {
    const double rx = ax * M_PI / 180, ry = ay * M_PI / 180, rz = az * M_PI / 180;
    Vec3 q = {p.x, p.y * std::cos(rx) - p.z * std::sin(rx), p.y * std::sin(rx) + p.z * std::cos(rx)};
    q = {q.x * std::cos(ry) + q.z * std::sin(ry), q.y, -q.x * std::sin(ry) + q.z * std::cos(ry)};
    q = {q.x * std::cos(rz) - q.y * std::sin(rz), q.x * std::sin(rz) + q.y * std::cos(rz), q.z};
    return q;
}

// Rings of points for round solids: ring k of `bands` at latitude.
void ellipsoid(Builder& b, Vec3 c, double rx, double ry, double rz, int bands) {
    const int sides = bands * 2;
    auto at = [&](int lat, int lon) {
        double phi = M_PI * lat / bands, th = 2 * M_PI * lon / sides;
        return Vec3{c.x + rx * std::sin(phi) * std::cos(th), c.y + ry * std::cos(phi), c.z + rz * std::sin(phi) * std::sin(th)};
    };
    for (int lat = 0; lat < bands; ++lat)
        for (int lon = 0; lon < sides; ++lon) {
            Vec3 p00 = at(lat, lon), p01 = at(lat, lon + 1), p10 = at(lat + 1, lon), p11 = at(lat + 1, lon + 1);
            if (lat == 0) b.tri(p00, p10, p11);
            else if (lat == bands - 1) b.tri(p00, p10, p01);
            else b.quad(p00, p10, p11, p01);
        }
}

void prism(Builder& b, Vec3 c, double r0, double r1, double y0, double y1, int sides) {
    for (int i = 0; i < sides; ++i) {
        double a0 = 2 * M_PI * i / sides, a1 = 2 * M_PI * (i + 1) / sides;
        Vec3 b0{c.x + r0 * std::cos(a0), y0, c.z + r0 * std::sin(a0)}, b1{c.x + r0 * std::cos(a1), y0, c.z + r0 * std::sin(a1)};
        Vec3 t0{c.x + r1 * std::cos(a0), y1, c.z + r1 * std::sin(a0)}, t1{c.x + r1 * std::cos(a1), y1, c.z + r1 * std::sin(a1)};
        if (r1 > 1e-9) b.quad(b0, b1, t1, t0);
        else b.tri(b0, b1, Vec3{c.x, y1, c.z});
        if (r0 > 1e-9) b.tri(Vec3{c.x, y0, c.z}, b1, b0);
        if (r1 > 1e-9) b.tri(Vec3{c.x, y1, c.z}, t0, t1);
    }
}

}  // namespace

bool addSolid(Mesh& mesh, const std::string& line, std::string& error) {
    std::istringstream in(line);
    std::string kind, matName;
    in >> kind >> matName;
    const int material = mesh.materialIndex(matName);
    if (material < 0) {
        error = "unknown material " + matName;
        return false;
    }
    std::vector<double> v;
    std::vector<double> turn;
    std::string word;
    bool turning = false;
    while (in >> word) {
        if (word == "turn") {
            turning = true;
            continue;
        }
        (turning ? turn : v).push_back(std::stod(word));
    }
    auto need = [&](size_t n) {
        if (v.size() >= n) return true;
        error = kind + " needs " + std::to_string(n) + " numbers";
        return false;
    };
    Builder b;
    b.material = material;
    Vec3 centre;
    if (kind == "box") {
        if (!need(6)) return false;
        centre = {v[0], v[1], v[2]};
        b.inside = [&](Vec3) { return centre; };
        const double hx = v[3] / 2, hy = v[4] / 2, hz = v[5] / 2;
        Vec3 p[8];
        for (int i = 0; i < 8; ++i) p[i] = {v[0] + ((i & 1) ? hx : -hx), v[1] + ((i & 2) ? hy : -hy), v[2] + ((i & 4) ? hz : -hz)};
        b.quad(p[0], p[1], p[3], p[2]);
        b.quad(p[4], p[5], p[7], p[6]);
        b.quad(p[0], p[1], p[5], p[4]);
        b.quad(p[2], p[3], p[7], p[6]);
        b.quad(p[0], p[2], p[6], p[4]);
        b.quad(p[1], p[3], p[7], p[5]);
    } else if (kind == "cylinder" || kind == "cone") {
        if (!need(6)) return false;
        const double y0 = kind == "cone" ? v[1] : v[1] - v[4] / 2, y1 = kind == "cone" ? v[1] + v[4] : v[1] + v[4] / 2;
        centre = {v[0], (y0 + y1) / 2, v[2]};
        b.inside = [&](Vec3 p) { return Vec3{centre.x, std::clamp(p.y, std::min(y0, y1) + 1e-4, std::max(y0, y1) - 1e-4), centre.z}; };
        if (kind == "cone") b.inside = [&](Vec3) { return Vec3{centre.x, y0 + (y1 - y0) * 0.3, centre.z}; };
        prism(b, Vec3{v[0], 0, v[2]}, v[3], kind == "cone" ? 0 : v[3], y0, y1, static_cast<int>(v[5]));
    } else if (kind == "sphere") {
        if (!need(5)) return false;
        centre = {v[0], v[1], v[2]};
        b.inside = [&](Vec3) { return centre; };
        ellipsoid(b, centre, v[3], v[3], v[3], static_cast<int>(v[4]));
    } else if (kind == "ellipsoid") {
        if (!need(7)) return false;
        centre = {v[0], v[1], v[2]};
        b.inside = [&](Vec3) { return centre; };
        ellipsoid(b, centre, v[3], v[4], v[5], static_cast<int>(v[6]));
    } else if (kind == "diamond") {
        if (!need(7)) return false;
        centre = {v[0], v[1], v[2]};
        b.inside = [&](Vec3) { return centre; };
        const int sides = static_cast<int>(v[6]);
        for (int i = 0; i < sides; ++i) {
            double a0 = 2 * M_PI * i / sides, a1 = 2 * M_PI * (i + 1) / sides;
            Vec3 p0{v[0] + v[3] * std::cos(a0), v[1], v[2] + v[5] * std::sin(a0)};
            Vec3 p1{v[0] + v[3] * std::cos(a1), v[1], v[2] + v[5] * std::sin(a1)};
            b.tri(p0, p1, Vec3{v[0], v[1] + v[4], v[2]});
            b.tri(p0, p1, Vec3{v[0], v[1] - v[4], v[2]});
        }
    } else if (kind == "torus") {
        if (!need(6)) return false;
        centre = {v[0], v[1], v[2]};
        const double R = v[3], r = v[4];
        const int sides = static_cast<int>(v[5]), tube = std::max(4, sides / 2);
        b.inside = [&](Vec3 p) {
            double dx = p.x - centre.x, dz = p.z - centre.z, d = std::sqrt(dx * dx + dz * dz);
            if (d < 1e-9) return centre;
            return Vec3{centre.x + dx / d * R, centre.y, centre.z + dz / d * R};
        };
        auto at = [&](int i, int j) {
            double a = 2 * M_PI * i / sides, t = 2 * M_PI * j / tube;
            double rr = R + r * std::cos(t);
            return Vec3{v[0] + rr * std::cos(a), v[1] + r * std::sin(t), v[2] + rr * std::sin(a)};
        };
        for (int i = 0; i < sides; ++i)
            for (int j = 0; j < tube; ++j) b.quad(at(i, j), at(i + 1, j), at(i + 1, j + 1), at(i, j + 1));
    } else if (kind == "spike") {
        if (!need(8)) return false;
        Vec3 base{v[0], v[1], v[2]}, tip{v[3], v[4], v[5]};
        centre = {base.x + (tip.x - base.x) * 0.3, base.y + (tip.y - base.y) * 0.3, base.z + (tip.z - base.z) * 0.3};
        b.inside = [&](Vec3) { return centre; };
        Vec3 axis = sub(tip, base);
        Vec3 helper = std::fabs(axis.y) < 0.9 * std::sqrt(dot(axis, axis)) ? Vec3{0, 1, 0} : Vec3{1, 0, 0};
        Vec3 u = cross(axis, helper), w = cross(axis, u);
        double lu = std::sqrt(dot(u, u)), lw = std::sqrt(dot(w, w));
        u = {u.x / lu, u.y / lu, u.z / lu};
        w = {w.x / lw, w.y / lw, w.z / lw};
        const int sides = static_cast<int>(v[7]);
        for (int i = 0; i < sides; ++i) {
            double a0 = 2 * M_PI * i / sides, a1 = 2 * M_PI * (i + 1) / sides;
            Vec3 p0 = add(base, Vec3{v[6] * (u.x * std::cos(a0) + w.x * std::sin(a0)), v[6] * (u.y * std::cos(a0) + w.y * std::sin(a0)),
                                     v[6] * (u.z * std::cos(a0) + w.z * std::sin(a0))});
            Vec3 p1 = add(base, Vec3{v[6] * (u.x * std::cos(a1) + w.x * std::sin(a1)), v[6] * (u.y * std::cos(a1) + w.y * std::sin(a1)),
                                     v[6] * (u.z * std::cos(a1) + w.z * std::sin(a1))});
            b.tri(p0, p1, tip);
            b.tri(p0, p1, base);
        }
    } else if (kind == "arch") {
        if (!need(6)) return false;
        centre = {v[0], v[1], v[2]};
        const double r = v[3], half = v[4] / 2;
        const int sides = static_cast<int>(v[5]);
        b.inside = [&](Vec3 p) { return Vec3{std::clamp(p.x, centre.x - half + 1e-4, centre.x + half - 1e-4), centre.y + r * 0.3, centre.z}; };
        for (int i = 0; i < sides; ++i) {
            double a0 = M_PI * i / sides, a1 = M_PI * (i + 1) / sides;
            Vec3 l0{v[0] - half, v[1] + r * std::sin(a0), v[2] + r * std::cos(a0)}, l1{v[0] - half, v[1] + r * std::sin(a1), v[2] + r * std::cos(a1)};
            Vec3 r0{v[0] + half, l0.y, l0.z}, r1{v[0] + half, l1.y, l1.z};
            b.quad(l0, r0, r1, l1);
            b.tri(Vec3{v[0] - half, v[1], v[2]}, l0, l1);
            b.tri(Vec3{v[0] + half, v[1], v[2]}, r0, r1);
        }
        b.quad(Vec3{v[0] - half, v[1], v[2] - r}, Vec3{v[0] + half, v[1], v[2] - r}, Vec3{v[0] + half, v[1], v[2] + r},
               Vec3{v[0] - half, v[1], v[2] + r});
    } else if (kind == "hull") {
        if (!need(6)) return false;
        centre = {v[0], v[1], v[2]};
        const double L = v[3] / 2, W = v[4] / 2, H = v[5];
        b.inside = [&](Vec3) { return Vec3{centre.x, centre.y + H * 0.6, centre.z}; };
        // Deck outline: a pointed bow at -x, a square stern at +x.
        const Vec3 deck[5] = {{-L, H, 0}, {-L * 0.4, H, -W}, {L, H, -W}, {L, H, W}, {-L * 0.4, H, W}};
        const Vec3 keel[5] = {{-L * 0.85, H * 0.35, 0}, {-L * 0.35, 0, -W * 0.6}, {L * 0.95, 0, -W * 0.7}, {L * 0.95, 0, W * 0.7}, {-L * 0.35, 0, W * 0.6}};
        auto at = [&](const Vec3& p) { return add(centre, p); };
        for (int i = 0; i < 5; ++i) {
            int j = (i + 1) % 5;
            b.quad(at(deck[i]), at(deck[j]), at(keel[j]), at(keel[i]));
        }
        b.tri(at(deck[0]), at(deck[1]), at(deck[4]));
        b.quad(at(deck[1]), at(deck[2]), at(deck[3]), at(deck[4]));
        b.tri(at(keel[0]), at(keel[1]), at(keel[4]));
        b.quad(at(keel[1]), at(keel[2]), at(keel[3]), at(keel[4]));
    } else {
        error = "unknown solid " + kind;
        return false;
    }
    for (Triangle& t : b.tris) {
        if (turn.size() >= 3)
            for (Vec3& p : t.p) p = add(centre, rotate(sub(p, centre), turn[0], turn[1], turn[2]));
        mesh.addTriangle(t.p[0], t.p[1], t.p[2], t.material);
    }
    return true;
}

}  // namespace meshgen

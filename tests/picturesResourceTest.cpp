// The generated pictures and meshes against the game's resource list: every
// resource exists at its size, keyed pictures keep pure black for see-through
// only, and every mesh is a well-formed text .x file.
#include <gtest/gtest.h>

#include "platform/XMesh.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

const std::string kRes = std::string(CORVADINE_GAME_DIR) + "/Res/";

struct Picture {
    int width = 0, height = 0;
    std::vector<std::uint8_t> rgb;  // top row first
    bool black(int x, int y) const {
        size_t i = (static_cast<size_t>(y) * width + x) * 3;
        return rgb[i] == 0 && rgb[i + 1] == 0 && rgb[i + 2] == 0;
    }
};

std::uint32_t le32(const std::vector<std::uint8_t>& d, size_t at) {
    return d[at] | (d[at + 1] << 8) | (d[at + 2] << 16) | (static_cast<std::uint32_t>(d[at + 3]) << 24);
}

// Reads a 24-bit uncompressed bottom-up BMP; a failure message otherwise.
std::string readPicture(const std::string& path, Picture& p) {
    std::ifstream f(path, std::ios::binary);
    if (!f) return "missing";
    std::vector<std::uint8_t> d((std::istreambuf_iterator<char>(f)), std::istreambuf_iterator<char>());
    if (d.size() < 54 || d[0] != 'B' || d[1] != 'M') return "not a BMP";
    const std::uint32_t offset = le32(d, 10);
    const std::int32_t w = static_cast<std::int32_t>(le32(d, 18)), h = static_cast<std::int32_t>(le32(d, 22));
    if ((d[28] | (d[29] << 8)) != 24) return "not 24-bit";
    if (le32(d, 30) != 0) return "compressed";
    if (w <= 0 || h <= 0) return "not bottom-up";
    const size_t stride = (static_cast<size_t>(w) * 3 + 3) & ~size_t{3};
    if (d.size() < offset + stride * h) return "short";
    p.width = w;
    p.height = h;
    p.rgb.assign(static_cast<size_t>(w) * h * 3, 0);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            for (int c = 0; c < 3; ++c) p.rgb[(static_cast<size_t>(y) * w + x) * 3 + c] = d[offset + stride * (h - 1 - y) + x * 3 + 2 - c];
    return "";
}

struct Resource {
    int id;
    int width, height;
    bool keyed;
};

// Every bitmap the game loads, with its size and colour key.
std::vector<Resource> resourceList() {
    std::vector<Resource> list;
    for (int id : {141, 143, 144, 145, 147, 148}) list.push_back({id, 320, 400, true});
    list.push_back({152, 640, 320, false});
    list.push_back({156, 512, 32, true});
    list.push_back({157, 512, 256, false});
    list.push_back({158, 512, 128, false});
    for (int id = 159; id <= 163; ++id) list.push_back({id, 512, 512, false});
    list.push_back({164, 256, 128, false});
    for (int id : {165, 166, 167, 169, 170, 172, 173, 174, 175, 176, 177, 178, 179}) list.push_back({id, 1024, 512, false});
    for (int id = 180; id <= 196; ++id)
        if (id != 195) list.push_back({id, 1024, 512, false});
    for (int id = 197; id <= 240; ++id)
        if (id != 204) list.push_back({id, 1024, 512, false});
    list.push_back({241, 128, 1024, false});
    list.push_back({242, 160, 128, true});
    list.push_back({243, 96, 320, true});
    list.push_back({244, 64, 64, true});
    list.push_back({245, 256, 16, false});
    list.push_back({246, 128, 128, true});
    list.push_back({247, 512, 64, true});
    list.push_back({249, 64, 64, true});
    list.push_back({250, 64, 64, false});
    list.push_back({251, 14, 12, true});
    list.push_back({253, 512, 512, true});
    list.push_back({255, 1024, 512, true});
    list.push_back({259, 64, 64, false});
    list.push_back({260, 160, 160, true});
    for (int id = 347; id <= 354; ++id) list.push_back({id, 512, 512, false});
    list.push_back({355, 256, 64, false});
    return list;
}

std::string bitmapPath(int id) { return kRes + "Bitmap_" + std::to_string(id) + ".bmp"; }

TEST(PicturesResources, EveryBitmapExistsAtItsSize) {
    for (const Resource& r : resourceList()) {
        Picture p;
        const std::string problem = readPicture(bitmapPath(r.id), p);
        ASSERT_EQ(problem, "") << "bitmap " << r.id;
        EXPECT_EQ(p.width, r.width) << "bitmap " << r.id;
        EXPECT_EQ(p.height, r.height) << "bitmap " << r.id;
    }
    Picture icon;
    ASSERT_EQ(readPicture(kRes + "Icon_389.bmp", icon), "");
    EXPECT_EQ(icon.width, 32);
    EXPECT_EQ(icon.height, 32);
}

// Counts the opaque (not pure black) pixels of a rectangle.
int opaqueIn(const Picture& p, int x0, int y0, int w, int h) {
    int n = 0;
    for (int y = y0; y < y0 + h; ++y)
        for (int x = x0; x < x0 + w; ++x) n += !p.black(x, y);
    return n;
}

TEST(PicturesResources, KeyedPicturesHaveNoPinholes) {
    // A lone pure-black pixel inside a figure would show as a hole: opaque
    // black must be drawn as (1, 1, 1).
    for (const Resource& r : resourceList()) {
        if (!r.keyed) continue;
        Picture p;
        ASSERT_EQ(readPicture(bitmapPath(r.id), p), "") << r.id;
        int holes = 0;
        for (int y = 1; y + 1 < p.height; ++y)
            for (int x = 1; x + 1 < p.width; ++x)
                if (p.black(x, y) && !p.black(x - 1, y) && !p.black(x + 1, y) && !p.black(x, y - 1) && !p.black(x, y + 1)) ++holes;
        EXPECT_EQ(holes, 0) << "bitmap " << r.id;
        EXPECT_GT(opaqueIn(p, 0, 0, p.width, p.height), 0) << "bitmap " << r.id << " is empty";
        EXPECT_GT(p.width * p.height - opaqueIn(p, 0, 0, p.width, p.height), 0) << "bitmap " << r.id << " has no see-through";
    }
}

TEST(PicturesResources, EveryUsedCellOfTheGridsHasAPicture) {
    struct Grid {
        int id, cellW, cellH, columns, rows;
    };
    // Sprite sheets: every character in every pose; digits; words; arrows;
    // the icons the game shows (1-11); effect cells.
    const Grid grids[] = {{141, 32, 40, 10, 10}, {143, 32, 40, 10, 10}, {144, 32, 40, 10, 10}, {145, 32, 40, 10, 10},
                          {147, 32, 40, 10, 10}, {148, 32, 40, 10, 10}, {242, 16, 32, 10, 4},  {243, 48, 32, 2, 10},
                          {246, 64, 64, 2, 2},   {260, 32, 32, 5, 5}};
    for (const Grid& g : grids) {
        Picture p;
        ASSERT_EQ(readPicture(bitmapPath(g.id), p), "") << g.id;
        for (int row = 0; row < g.rows; ++row)
            for (int col = 0; col < g.columns; ++col) {
                const int n = opaqueIn(p, col * g.cellW, row * g.cellH, g.cellW, g.cellH);
                EXPECT_GT(n, 0) << "bitmap " << g.id << " cell " << col << "," << row << " is empty";
                EXPECT_LT(n, g.cellW * g.cellH) << "bitmap " << g.id << " cell " << col << "," << row << " has no see-through";
            }
    }
    Picture icons;
    ASSERT_EQ(readPicture(bitmapPath(156), icons), "");
    for (int icon = 1; icon <= 11; ++icon) EXPECT_GT(opaqueIn(icons, icon * 32, 0, 32, 32), 50) << "icon " << icon;
    // The race obstacle sits in the bottom 24 rows of pose 8 of row 9 on 147.
    Picture sheet;
    ASSERT_EQ(readPicture(bitmapPath(147), sheet), "");
    EXPECT_GT(opaqueIn(sheet, 8 * 32, 9 * 40 + 16, 32, 24), 100);
}

TEST(PicturesResources, WindowBorderLeavesItsInsideClear) {
    Picture p;
    ASSERT_EQ(readPicture(bitmapPath(249), p), "");
    EXPECT_EQ(opaqueIn(p, 16, 16, 32, 32), 0);  // the background shows through
    // The stretched one-pixel edge strips carry the frame.
    EXPECT_GT(opaqueIn(p, 32, 0, 1, 16), 3);
    EXPECT_GT(opaqueIn(p, 32, 48, 1, 16), 3);
    EXPECT_GT(opaqueIn(p, 0, 32, 16, 1), 3);
    EXPECT_GT(opaqueIn(p, 48, 32, 16, 1), 3);
    // Each edge strip is the same all along its side, so stretching it is seamless.
    for (int x = 16; x < 48; ++x)
        for (int y = 0; y < 16; ++y) EXPECT_EQ(p.black(x, y), p.black(32, y)) << x << "," << y;
}

// ---- Meshes -----------------------------------------------------------------

// A small reader of the text .x subset the game loads: a Mesh with its
// vertices and faces, MeshNormals and a MeshMaterialList with inline Materials.
class XReader {
public:
    explicit XReader(const std::string& text) {
        // Numbers and the braces are the tokens; separators are dropped.
        std::string cur;
        auto flush = [&] {
            if (!cur.empty()) tokens_.push_back(cur);
            cur.clear();
        };
        for (char c : text) {
            if (c == '{' || c == '}') {
                flush();
                tokens_.push_back(std::string(1, c));
            } else if (c == ';' || c == ',' || c == ' ' || c == '\n' || c == '\r' || c == '\t') {
                flush();
            } else {
                cur += c;
            }
        }
        flush();
    }
    bool done() const { return pos_ >= tokens_.size(); }
    std::string next() { return done() ? "" : tokens_[pos_++]; }
    std::string peek() const { return done() ? "" : tokens_[pos_]; }
    double number(bool& ok) {
        std::string t = next();
        char* end = nullptr;
        double v = std::strtod(t.c_str(), &end);
        if (t.empty() || *end) ok = false;
        return v;
    }

private:
    std::vector<std::string> tokens_;
    size_t pos_ = 0;
};

struct MeshSummary {
    int vertices = 0, faces = 0, normals = 0, normalFaces = 0, materials = 0, materialFaces = 0, materialBlocks = 0;
    bool indicesInRange = true, numbersOk = true, materialIndicesOk = true;
};

std::string readMesh(const std::string& path, MeshSummary& m) {
    std::ifstream f(path, std::ios::binary);
    if (!f) return "missing";
    std::stringstream s;
    s << f.rdbuf();
    const std::string text = s.str();
    if (text.rfind("xof 0303txt 0032", 0) != 0) return "bad header";
    XReader r(text.substr(16));
    bool ok = true;
    if (r.next() != "Mesh") return "no Mesh";
    if (r.peek() != "{") r.next();  // an optional name
    if (r.next() != "{") return "no Mesh body";
    m.vertices = static_cast<int>(r.number(ok));
    for (int i = 0; i < 3 * m.vertices; ++i) r.number(ok);
    m.faces = static_cast<int>(r.number(ok));
    for (int i = 0; i < m.faces; ++i) {
        int n = static_cast<int>(r.number(ok));
        if (n != 3) return "a face is not a triangle";
        for (int k = 0; k < n; ++k) {
            int idx = static_cast<int>(r.number(ok));
            if (idx < 0 || idx >= m.vertices) m.indicesInRange = false;
        }
    }
    while (!r.done()) {
        std::string t = r.next();
        if (t == "}") break;
        if (t == "MeshNormals") {
            if (r.next() != "{") return "bad MeshNormals";
            m.normals = static_cast<int>(r.number(ok));
            for (int i = 0; i < 3 * m.normals; ++i) r.number(ok);
            m.normalFaces = static_cast<int>(r.number(ok));
            for (int i = 0; i < m.normalFaces; ++i) {
                int n = static_cast<int>(r.number(ok));
                for (int k = 0; k < n; ++k) {
                    int idx = static_cast<int>(r.number(ok));
                    if (idx < 0 || idx >= m.normals) m.indicesInRange = false;
                }
            }
            if (r.next() != "}") return "MeshNormals not closed";
        } else if (t == "MeshMaterialList") {
            if (r.next() != "{") return "bad MeshMaterialList";
            m.materials = static_cast<int>(r.number(ok));
            m.materialFaces = static_cast<int>(r.number(ok));
            for (int i = 0; i < m.materialFaces; ++i) {
                int idx = static_cast<int>(r.number(ok));
                if (idx < 0 || idx >= m.materials) m.materialIndicesOk = false;
            }
            while (r.peek() == "Material") {
                r.next();
                if (r.peek() != "{") r.next();
                if (r.next() != "{") return "bad Material";
                for (int i = 0; i < 4 + 1 + 3 + 3; ++i) r.number(ok);
                if (r.next() != "}") return "Material not closed";
                ++m.materialBlocks;
            }
            if (r.next() != "}") return "MeshMaterialList not closed";
        } else {
            return "unexpected " + t;
        }
    }
    m.numbersOk = ok;
    return "";
}

TEST(PicturesResources, EveryMeshIsAWellFormedXFile) {
    for (int id = 327; id <= 346; ++id) {
        MeshSummary m;
        const std::string problem = readMesh(kRes + "Xfile_" + std::to_string(id) + ".x", m);
        ASSERT_EQ(problem, "") << "mesh " << id;
        EXPECT_TRUE(m.numbersOk) << id;
        EXPECT_GT(m.faces, 0) << id;
        EXPECT_TRUE(m.indicesInRange) << id;
        EXPECT_EQ(m.normalFaces, m.faces) << id;
        EXPECT_GT(m.materials, 0) << id;
        EXPECT_EQ(m.materialBlocks, m.materials) << id;
        EXPECT_EQ(m.materialFaces, m.faces) << id;
        EXPECT_TRUE(m.materialIndicesOk) << id;
    }
}

TEST(PicturesResources, TheGamesMeshLoaderReadsEveryMesh) {
    for (int id = 327; id <= 346; ++id) {
        MeshSummary summary;
        ASSERT_EQ(readMesh(kRes + "Xfile_" + std::to_string(id) + ".x", summary), "") << id;
        xmesh::MeshData data;
        ASSERT_EQ(xmesh::loadXMeshFile(kRes + "Xfile_" + std::to_string(id) + ".x", data), xmesh::kOk) << id;
        EXPECT_TRUE(data.hasNormals) << id;
        ASSERT_EQ(data.subsets.size(), data.materials.size()) << id;
        size_t vertices = 0;
        for (const auto& subset : data.subsets) {
            EXPECT_FALSE(subset.empty()) << "mesh " << id << " has a material no face uses";
            vertices += subset.size();
        }
        EXPECT_EQ(vertices, static_cast<size_t>(summary.faces) * 3) << id;
        for (const gfx::Material& m : data.materials) EXPECT_GT(m.diffuse.a, 0.0f) << id;
    }
}

TEST(PicturesResources, TheBoatsBowPointsAlongMinusX) {
    // The race turns the boat by 270 degrees minus its heading, which only
    // points it forward when the model's bow is its -x end.
    std::ifstream f(kRes + "Xfile_346.x");
    ASSERT_TRUE(f);
    std::string line;
    double minX = 1e9, maxX = -1e9, zAtMin = 0, widthAtMax = 0;
    std::vector<std::array<double, 3>> points;
    std::getline(f, line);
    std::getline(f, line);
    std::getline(f, line);  // "Mesh {"
    std::getline(f, line);
    const int count = std::stoi(line);
    for (int i = 0; i < count && std::getline(f, line); ++i) {
        double x = 0, y = 0, z = 0;
        std::sscanf(line.c_str(), " %lf;%lf;%lf;", &x, &y, &z);
        points.push_back({x, y, z});
        minX = std::min(minX, x);
        maxX = std::max(maxX, x);
    }
    // The bow narrows to a point; the stern is broad.
    for (const auto& p : points) {
        if (p[0] < minX + 0.5) zAtMin = std::max(zAtMin, std::fabs(p[2]));
        if (p[0] > maxX - 0.5) widthAtMax = std::max(widthAtMax, std::fabs(p[2]));
    }
    EXPECT_LT(zAtMin, widthAtMax * 0.5);
}

}  // namespace

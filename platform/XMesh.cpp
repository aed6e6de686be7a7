#include "platform/XMesh.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>

namespace xmesh {
namespace {

// Sanity bound on any count in a file: more than this is taken as corrupt
// rather than allocated.
constexpr long kMaxCount = 1 << 20;

enum class Tok { End, Name, Number, String, Open, Close, Guid };

struct Token {
    Tok kind = Tok::End;
    std::string text;
    double number = 0;
};

// Splits the body of the file into tokens; commas and semicolons separate
// values and carry nothing else, so they are dropped.
class Lexer {
public:
    Lexer(const char* p, const char* end) : p_(p), end_(end) {}

    bool next(Token& t) {
        skip();
        t.text.clear();
        if (p_ >= end_) {
            t.kind = Tok::End;
            return true;
        }
        const char c = *p_;
        if (c == '{') { ++p_; t.kind = Tok::Open; return true; }
        if (c == '}') { ++p_; t.kind = Tok::Close; return true; }
        if (c == '<') {
            const char* close = static_cast<const char*>(std::memchr(p_, '>', end_ - p_));
            if (close == nullptr) return false;
            t.kind = Tok::Guid;
            p_ = close + 1;
            return true;
        }
        if (c == '"') {
            const char* close = static_cast<const char*>(std::memchr(p_ + 1, '"', end_ - p_ - 1));
            if (close == nullptr) return false;
            t.kind = Tok::String;
            t.text.assign(p_ + 1, close);
            p_ = close + 1;
            return true;
        }
        if (c == '-' || c == '+' || c == '.' || (c >= '0' && c <= '9')) {
            const char* start = p_;
            while (p_ < end_ && (std::strchr("+-.eE", *p_) != nullptr || (*p_ >= '0' && *p_ <= '9'))) ++p_;
            std::string s(start, p_);
            char* stop = nullptr;
            t.number = std::strtod(s.c_str(), &stop);
            if (stop == s.c_str() || *stop != '\0' || !std::isfinite(t.number)) return false;
            t.kind = Tok::Number;
            return true;
        }
        if (c == '_' || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || static_cast<unsigned char>(c) >= 0x80) {
            const char* start = p_;
            while (p_ < end_ && (*p_ == '_' || *p_ == '-' || *p_ == '.' || (*p_ >= 'A' && *p_ <= 'Z') || (*p_ >= 'a' && *p_ <= 'z') ||
                                 (*p_ >= '0' && *p_ <= '9') || static_cast<unsigned char>(*p_) >= 0x80))
                ++p_;
            t.kind = Tok::Name;
            t.text.assign(start, p_);
            return true;
        }
        return false;  // a stray character
    }

private:
    void skip() {
        while (p_ < end_) {
            const char c = *p_;
            if (c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == ',' || c == ';') {
                ++p_;
            } else if (c == '#' || (c == '/' && p_ + 1 < end_ && p_[1] == '/')) {
                while (p_ < end_ && *p_ != '\n') ++p_;
            } else {
                break;
            }
        }
    }

    const char* p_;
    const char* end_;
};

struct Corrupt {};

struct RawMesh {
    std::vector<gfx::Vec3> positions;
    std::vector<std::vector<int>> faces;
    std::vector<gfx::Vec3> normals;
    std::vector<std::vector<int>> normalFaces;
    std::vector<std::pair<float, float>> uvs;
    std::vector<std::uint32_t> colours;  // per vertex; 0 = none given
    bool hasColours = false;
    std::vector<int> faceMaterials;
    std::vector<gfx::Material> materials;
};

class Parser {
public:
    Parser(const char* p, const char* end, MeshData& out) : lex_(p, end), out_(out) {}

    void parseFile() {
        for (;;) {
            Token t = take();
            if (t.kind == Tok::End) break;
            if (t.kind != Tok::Name) throw Corrupt{};
            parseObject(t.text, gfx::matrixIdentity());
        }
    }

private:
    Token take() {
        Token t;
        if (!lex_.next(t)) throw Corrupt{};
        return t;
    }

    Token peek() {
        if (!hasPeek_) {
            if (!lex_.next(peeked_)) throw Corrupt{};
            hasPeek_ = true;
        }
        return peeked_;
    }

    Token get() {
        if (hasPeek_) {
            hasPeek_ = false;
            return peeked_;
        }
        return take();
    }

    double number() {
        const Token t = get();
        if (t.kind != Tok::Number) throw Corrupt{};
        return t.number;
    }

    float real() { return static_cast<float>(number()); }

    long count() {
        const double n = number();
        if (n < 0 || n > kMaxCount || n != std::floor(n)) throw Corrupt{};
        return static_cast<long>(n);
    }

    // After a template name: an optional object name, then '{' and an
    // optional GUID. Returns the object's name.
    std::string openObject() {
        std::string name;
        Token t = get();
        if (t.kind == Tok::Name) {
            name = t.text;
            t = get();
        }
        if (t.kind != Tok::Open) throw Corrupt{};
        if (peek().kind == Tok::Guid) get();
        return name;
    }

    void expectClose() {
        if (get().kind != Tok::Close) throw Corrupt{};
    }

    // Skips to the '}' that closes the object already opened.
    void skipBody() {
        int depth = 1;
        while (depth > 0) {
            const Token t = get();
            if (t.kind == Tok::End) throw Corrupt{};
            if (t.kind == Tok::Open) ++depth;
            if (t.kind == Tok::Close) --depth;
        }
    }

    // Skips the remaining children of an object up to its '}', parsing only
    // the ones `child` accepts.
    template <typename F>
    void children(F child) {
        for (;;) {
            const Token t = get();
            if (t.kind == Tok::Close) return;
            if (t.kind == Tok::Name) {
                if (!child(t.text)) {
                    openObject();
                    skipBody();
                }
            } else if (t.kind == Tok::Open) {
                skipBody();  // a reference in a place that takes none
            } else {
                throw Corrupt{};
            }
        }
    }

    void parseObject(const std::string& kind, const gfx::Matrix& parent) {
        if (kind == "template") {
            // template Name { <guid> members... }
            openObject();
            skipBody();
        } else if (kind == "Frame") {
            parseFrame(parent);
        } else if (kind == "Mesh") {
            parseMesh(parent);
        } else if (kind == "Material") {
            const std::string name = openObject();
            const gfx::Material m = parseMaterialBody();
            namedMaterials_[name] = m;
        } else {
            openObject();
            skipBody();
        }
    }

    void parseFrame(const gfx::Matrix& parent) {
        openObject();
        gfx::Matrix local = gfx::matrixIdentity();
        gfx::Matrix combined = parent;
        children([&](const std::string& kind) {
            if (kind == "FrameTransformMatrix") {
                openObject();
                for (int r = 0; r < 4; ++r)
                    for (int c = 0; c < 4; ++c) local.m[r][c] = real();
                expectClose();
                combined = gfx::matrixMultiply(local, parent);
                return true;
            }
            if (kind == "Frame") {
                parseFrame(combined);
                return true;
            }
            if (kind == "Mesh") {
                parseMesh(combined);
                return true;
            }
            return false;
        });
    }

    gfx::Material parseMaterialBody() {
        gfx::Material m{};
        m.diffuse = {real(), real(), real(), real()};
        m.power = real();
        m.specular = {real(), real(), real(), 1.0f};
        m.emissive = {real(), real(), real(), 1.0f};
        m.ambient = {0.0f, 0.0f, 0.0f, 1.0f};
        children([](const std::string&) { return false; });  // TextureFilename and the like: not used
        return m;
    }

    std::vector<std::vector<int>> faceList(long vertexCount) {
        const long n = count();
        std::vector<std::vector<int>> faces;
        faces.reserve(static_cast<std::size_t>(n));
        for (long f = 0; f < n; ++f) {
            const long k = count();
            if (k < 3) throw Corrupt{};
            std::vector<int> face(static_cast<std::size_t>(k));
            for (long i = 0; i < k; ++i) {
                const long idx = count();
                if (idx >= vertexCount) throw Corrupt{};
                face[static_cast<std::size_t>(i)] = static_cast<int>(idx);
            }
            faces.push_back(std::move(face));
        }
        return faces;
    }

    void parseMesh(const gfx::Matrix& transform) {
        openObject();
        RawMesh mesh;
        const long nv = count();
        mesh.positions.resize(static_cast<std::size_t>(nv));
        for (auto& p : mesh.positions) p = {real(), real(), real()};
        mesh.faces = faceList(nv);
        children([&](const std::string& kind) {
            if (kind == "MeshNormals") {
                openObject();
                const long nn = count();
                mesh.normals.resize(static_cast<std::size_t>(nn));
                for (auto& n : mesh.normals) n = {real(), real(), real()};
                mesh.normalFaces = faceList(nn);
                if (mesh.normalFaces.size() != mesh.faces.size()) throw Corrupt{};
                for (std::size_t f = 0; f < mesh.faces.size(); ++f)
                    if (mesh.normalFaces[f].size() != mesh.faces[f].size()) throw Corrupt{};
                expectCloseAfterChildren();
                return true;
            }
            if (kind == "MeshTextureCoords") {
                openObject();
                const long n = count();
                if (n != nv) throw Corrupt{};
                mesh.uvs.resize(static_cast<std::size_t>(n));
                for (auto& uv : mesh.uvs) uv = {real(), real()};
                expectCloseAfterChildren();
                return true;
            }
            if (kind == "MeshVertexColors") {
                openObject();
                const long n = count();
                mesh.colours.assign(static_cast<std::size_t>(nv), 0xFFFFFFFFu);
                mesh.hasColours = true;
                for (long i = 0; i < n; ++i) {
                    const long idx = count();
                    if (idx >= nv) throw Corrupt{};
                    const float r = real(), g = real(), b = real(), a = real();
                    mesh.colours[static_cast<std::size_t>(idx)] = gfx::colourFromFloats(r, g, b, a);
                }
                expectCloseAfterChildren();
                return true;
            }
            if (kind == "MeshMaterialList") {
                parseMaterialList(mesh);
                return true;
            }
            return false;
        });
        emit(mesh, transform);
    }

    void expectCloseAfterChildren() {
        children([](const std::string&) { return false; });
    }

    void parseMaterialList(RawMesh& mesh) {
        openObject();
        const long nm = count();
        const long ni = count();
        mesh.faceMaterials.resize(static_cast<std::size_t>(ni));
        for (auto& m : mesh.faceMaterials) {
            const long idx = count();
            if (idx >= nm) throw Corrupt{};
            m = static_cast<int>(idx);
        }
        for (;;) {
            const Token t = get();
            if (t.kind == Tok::Close) break;
            if (t.kind == Tok::Open) {  // { Name } refers to a material given earlier
                const Token name = get();
                if (name.kind != Tok::Name) throw Corrupt{};
                if (peek().kind == Tok::Guid) get();
                expectClose();
                const auto it = namedMaterials_.find(name.text);
                if (it == namedMaterials_.end()) throw Corrupt{};
                mesh.materials.push_back(it->second);
            } else if (t.kind == Tok::Name && t.text == "Material") {
                const std::string name = openObject();
                mesh.materials.push_back(parseMaterialBody());
                if (!name.empty()) namedMaterials_[name] = mesh.materials.back();
            } else if (t.kind == Tok::Name) {
                openObject();
                skipBody();
            } else {
                throw Corrupt{};
            }
        }
        if (static_cast<long>(mesh.materials.size()) != nm) throw Corrupt{};
    }

    // Appends the mesh's triangles, in world space of the file, to the output.
    void emit(const RawMesh& mesh, const gfx::Matrix& m) {
        std::vector<gfx::Material> materials = mesh.materials;
        if (materials.empty()) {
            gfx::Material white{};
            white.diffuse = {1, 1, 1, 1};
            white.ambient = {0, 0, 0, 1};
            white.specular = {0, 0, 0, 1};
            white.emissive = {0, 0, 0, 1};
            materials.push_back(white);
        }
        const std::size_t base = out_.materials.size();
        out_.materials.insert(out_.materials.end(), materials.begin(), materials.end());
        out_.subsets.resize(out_.materials.size());
        const bool hasNormals = !mesh.normals.empty();
        out_.hasNormals = out_.hasNormals || hasNormals;
        out_.hasColours = out_.hasColours || mesh.hasColours;

        auto corner = [&](std::size_t f, std::size_t k) {
            const int vi = mesh.faces[f][k];
            MeshVertex v{};
            const gfx::Vec3 p = mesh.positions[static_cast<std::size_t>(vi)];
            v.position = gfx::vec3TransformCoord(p, m);
            if (hasNormals) {
                const gfx::Vec3 n = mesh.normals[static_cast<std::size_t>(mesh.normalFaces[f][k])];
                // Directions take the rotation and scale of the frame, not its move.
                const gfx::Vec3 t{n.x * m.m[0][0] + n.y * m.m[1][0] + n.z * m.m[2][0],
                                  n.x * m.m[0][1] + n.y * m.m[1][1] + n.z * m.m[2][1],
                                  n.x * m.m[0][2] + n.y * m.m[1][2] + n.z * m.m[2][2]};
                v.normal = gfx::vec3Normalize(t);
            }
            v.colour = mesh.hasColours ? mesh.colours[static_cast<std::size_t>(vi)] : 0xFFFFFFFFu;
            if (!mesh.uvs.empty()) {
                v.u = mesh.uvs[static_cast<std::size_t>(vi)].first;
                v.v = mesh.uvs[static_cast<std::size_t>(vi)].second;
            }
            return v;
        };
        for (std::size_t f = 0; f < mesh.faces.size(); ++f) {
            // A list shorter than the faces repeats its last entry.
            int material = 0;
            if (!mesh.faceMaterials.empty())
                material = mesh.faceMaterials[std::min(f, mesh.faceMaterials.size() - 1)];
            if (static_cast<std::size_t>(material) >= materials.size()) material = 0;
            auto& subset = out_.subsets[base + static_cast<std::size_t>(material)];
            for (std::size_t k = 1; k + 1 < mesh.faces[f].size(); ++k) {
                subset.push_back(corner(f, 0));
                subset.push_back(corner(f, k));
                subset.push_back(corner(f, k + 1));
            }
        }
    }

    Lexer lex_;
    MeshData& out_;
    Token peeked_;
    bool hasPeek_ = false;
    std::map<std::string, gfx::Material> namedMaterials_;
};

}  // namespace

int parseXMesh(const char* text, std::size_t size, MeshData& out) {
    out = MeshData{};
    // "xof 0303txt 0032": magic, version, format, float size.
    if (size < 16 || std::memcmp(text, "xof ", 4) != 0 || std::memcmp(text + 8, "txt ", 4) != 0) return kCorrupt;
    try {
        Parser parser(text + 16, text + size, out);
        parser.parseFile();
    } catch (const Corrupt&) {
        out = MeshData{};
        return kCorrupt;
    }
    if (out.materials.empty()) {
        out = MeshData{};
        return kCorrupt;  // no mesh in the file
    }
    return kOk;
}

int loadXMeshFile(const std::string& path, MeshData& out) {
    std::FILE* f = std::fopen(path.c_str(), "rb");
    if (f == nullptr) return kMissing;
    std::string bytes;
    char buffer[65536];
    std::size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0) {
        bytes.append(buffer, n);
        if (bytes.size() > (64u << 20)) {
            std::fclose(f);
            return kCorrupt;
        }
    }
    std::fclose(f);
    return parseXMesh(bytes.data(), bytes.size(), out);
}

}  // namespace xmesh

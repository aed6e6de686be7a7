#include "platform/FontRenderer.h"

#include <SDL_ttf.h>

#include <cstdio>
#include <map>
#include <tuple>

#include "platform/FontFaces.h"

namespace fontrender {

struct Face {
    TTF_Font* font = nullptr;
    std::string file;
    int cell = 0;
    bool bold = false, italic = false;
    std::string key;
    ~Face() {
        if (font != nullptr) TTF_CloseFont(font);
    }
};

namespace {

using CacheKey = std::tuple<std::string, int, bool, bool>;

// Faces stay open between the game's font blocks (it makes a font for every
// block of text, every frame). A handful are in use at once; the bound only
// guards against a run of distinct sizes.
constexpr std::size_t kMaxOpenFaces = 48;

std::map<CacheKey, std::shared_ptr<Face>>& cache() {
    static std::map<CacheKey, std::shared_ptr<Face>> c;
    return c;
}

bool ensureTtf() {
    if (TTF_WasInit() > 0) return true;
    if (TTF_Init() != 0) {
        std::fprintf(stderr, "gfx: fonts unavailable: %s\n", TTF_GetError());
        return false;
    }
    return true;
}

std::shared_ptr<Face> open(const std::string& file, int cell, bool bold, bool italic) {
    const CacheKey key{file, cell, bold, italic};
    auto& c = cache();
    const auto it = c.find(key);
    if (it != c.end()) return it->second;
    if (!ensureTtf()) return nullptr;
    TTF_Font* font = TTF_OpenFont(file.c_str(), cell);
    if (font == nullptr) return nullptr;
    // The largest size whose ascent plus descent fits the cell.
    int size = cell;
    while (size > 1 && TTF_FontHeight(font) > cell) TTF_SetFontSize(font, --size);
    while (true) {
        TTF_SetFontSize(font, size + 1);
        if (TTF_FontHeight(font) > cell) break;
        ++size;
    }
    TTF_SetFontSize(font, size);
    TTF_SetFontStyle(font, (bold ? TTF_STYLE_BOLD : 0) | (italic ? TTF_STYLE_ITALIC : 0));
    auto face = std::make_shared<Face>();
    face->font = font;
    face->file = file;
    face->cell = cell;
    face->bold = bold;
    face->italic = italic;
    face->key = file + "|" + std::to_string(cell) + (bold ? "b" : "") + (italic ? "i" : "");
    if (c.size() >= kMaxOpenFaces) c.clear();  // faces in use live on in their fonts
    c.emplace(key, face);
    return face;
}

}  // namespace

std::shared_ptr<Face> openFace(const gfx::FontDesc& desc) {
    const int cell = desc.height > 0 ? desc.height : (desc.height < 0 ? -desc.height : 16);
    const bool bold = desc.weight >= 600;
    std::vector<std::string> files = fontfaces::filesForFace(desc.face);
    files.push_back(fontfaces::kFallbackFile);
    for (const std::string& f : files)
        if (auto face = open(f, cell, bold, desc.italic)) return face;
    return nullptr;
}

std::shared_ptr<Face> fallbackFor(const Face& face) {
    return open(fontfaces::kFallbackFile, face.cell, face.bold, face.italic);
}

const std::string& faceKey(const Face& face) { return face.key; }
int cellHeight(const Face& face) { return face.cell; }

namespace {

// The code point at utf8[i], advancing i.
std::uint32_t nextCodePoint(const std::string& utf8, std::size_t& i) {
    const unsigned char c = static_cast<unsigned char>(utf8[i]);
    std::uint32_t cp = c;
    int extra = 0;
    if (c >= 0xF0) cp = c & 0x07, extra = 3;
    else if (c >= 0xE0) cp = c & 0x0F, extra = 2;
    else if (c >= 0xC0) cp = c & 0x1F, extra = 1;
    ++i;
    for (int k = 0; k < extra && i < utf8.size(); ++k, ++i) cp = (cp << 6) | (static_cast<unsigned char>(utf8[i]) & 0x3F);
    return cp;
}

bool isSpace(std::uint32_t cp) { return cp == ' ' || cp == 0x3000; }

}  // namespace

bool hasAllGlyphs(const Face& face, const std::string& utf8) {
    std::size_t i = 0;
    while (i < utf8.size()) {
        const std::uint32_t cp = nextCodePoint(utf8, i);
        if (!isSpace(cp) && !TTF_GlyphIsProvided32(face.font, cp)) return false;
    }
    return true;
}

std::vector<Run> splitByCoverage(const Face& face, const std::string& utf8) {
    std::vector<Run> runs;
    std::size_t i = 0;
    while (i < utf8.size()) {
        const std::size_t start = i;
        const std::uint32_t cp = nextCodePoint(utf8, i);
        const bool covered = isSpace(cp) || TTF_GlyphIsProvided32(face.font, cp);
        if (runs.empty() || (runs.back().covered != covered && !isSpace(cp))) runs.push_back(Run{"", covered});
        runs.back().utf8.append(utf8, start, i - start);
    }
    return runs;
}

int measure(const Face& face, const std::string& utf8) {
    if (utf8.empty()) return 0;
    int w = 0, h = 0;
    if (TTF_SizeUTF8(face.font, utf8.c_str(), &w, &h) != 0) return 0;
    return w;
}

bitmap::Image render(const Face& face, const std::string& utf8) {
    bitmap::Image image;
    if (utf8.empty()) return image;
    SDL_Surface* s = TTF_RenderUTF8_Blended(face.font, utf8.c_str(), SDL_Color{255, 255, 255, 255});
    if (s == nullptr) return image;
    SDL_Surface* argb = SDL_ConvertSurfaceFormat(s, SDL_PIXELFORMAT_ARGB8888, 0);
    SDL_FreeSurface(s);
    if (argb == nullptr) return image;
    image.width = argb->w;
    image.height = argb->h;
    image.argb.resize(static_cast<std::size_t>(argb->w) * argb->h);
    SDL_LockSurface(argb);
    for (int y = 0; y < argb->h; ++y) {
        const auto* row = reinterpret_cast<const std::uint32_t*>(static_cast<const std::uint8_t*>(argb->pixels) +
                                                                 static_cast<std::size_t>(y) * argb->pitch);
        for (int x = 0; x < argb->w; ++x)
            image.argb[static_cast<std::size_t>(y) * argb->w + x] = (row[x] & 0xFF000000u) | 0x00FFFFFFu;
    }
    SDL_UnlockSurface(argb);
    SDL_FreeSurface(argb);
    return image;
}

}  // namespace fontrender

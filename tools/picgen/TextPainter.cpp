#include "tools/picgen/TextPainter.h"

#include <SDL.h>
#include <SDL_ttf.h>

#include <algorithm>
#include <map>
#include <vector>

namespace picgen {

namespace {

std::string gFontPath;
std::map<std::pair<int, bool>, TTF_Font*> gFonts;

TTF_Font* font(int size, bool bold) {
    auto key = std::make_pair(size, bold);
    auto it = gFonts.find(key);
    if (it != gFonts.end()) return it->second;
    TTF_Font* f = TTF_OpenFont(gFontPath.c_str(), size);
    if (f && bold) TTF_SetFontStyle(f, TTF_STYLE_BOLD);
    gFonts[key] = f;
    return f;
}

// Renders the glyph coverage of the text into a grey mask.
bool renderMask(const char8_t* text, const TextStyle& style, std::vector<std::uint8_t>& mask, int& w, int& h) {
    TTF_Font* f = font(style.size, style.bold);
    if (!f) return false;
    SDL_Color white{255, 255, 255, 255};
    SDL_Surface* s = TTF_RenderUTF8_Blended(f, reinterpret_cast<const char*>(text), white);
    if (!s) return false;
    SDL_Surface* c = SDL_ConvertSurfaceFormat(s, SDL_PIXELFORMAT_ARGB8888, 0);
    SDL_FreeSurface(s);
    if (!c) return false;
    w = c->w;
    h = c->h;
    mask.assign(static_cast<size_t>(w) * h, 0);
    SDL_LockSurface(c);
    for (int y = 0; y < h; ++y) {
        const auto* row = reinterpret_cast<const std::uint32_t*>(static_cast<const std::uint8_t*>(c->pixels) + y * c->pitch);
        for (int x = 0; x < w; ++x) mask[static_cast<size_t>(y) * w + x] = static_cast<std::uint8_t>(row[x] >> 24);
    }
    SDL_UnlockSurface(c);
    SDL_FreeSurface(c);
    return true;
}

}  // namespace

bool openFonts(const std::string& fontPath) {
    if (TTF_Init() != 0) return false;
    gFontPath = fontPath;
    return font(16, false) != nullptr;
}

void closeFonts() {
    for (auto& entry : gFonts)
        if (entry.second) TTF_CloseFont(entry.second);
    gFonts.clear();
    TTF_Quit();
}

void measureText(const char8_t* text, const TextStyle& style, int& width, int& height) {
    std::vector<std::uint8_t> mask;
    width = height = 0;
    if (renderMask(text, style, mask, width, height)) {
        width += 2 * style.outline + (style.shadow ? 1 : 0);
        height += 2 * style.outline + (style.shadow ? 1 : 0);
    }
}

void paintText(pic::Image& image, int x, int y, const char8_t* text, const TextStyle& style) {
    std::vector<std::uint8_t> mask;
    int w = 0, h = 0;
    if (!renderMask(text, style, mask, w, h)) return;
    auto cov = [&](int i, int j) -> double {
        if (i < 0 || j < 0 || i >= w || j >= h) return 0.0;
        return mask[static_cast<size_t>(j) * w + i] / 255.0;
    };
    const int o = style.outline;
    if (style.shadow) {
        for (int j = 0; j < h; ++j)
            for (int i = 0; i < w; ++i) image.blend(x + o + i + 1, y + o + j + 1, style.outlineColour, cov(i, j));
    }
    if (o > 0) {
        for (int j = -o; j < h + o; ++j)
            for (int i = -o; i < w + o; ++i) {
                double best = 0;
                for (int dj = -o; dj <= o; ++dj)
                    for (int di = -o; di <= o; ++di)
                        if (di * di + dj * dj <= o * o + o) best = std::max(best, cov(i + di, j + dj));
                image.blend(x + o + i, y + o + j, style.outlineColour, best);
            }
    }
    for (int j = 0; j < h; ++j) {
        pic::Rgb c = style.gradient ? pic::mix(style.colour, style.bottomColour, h > 1 ? j / (h - 1.0) : 0) : style.colour;
        for (int i = 0; i < w; ++i) image.blend(x + o + i, y + o + j, c, cov(i, j));
    }
}

void paintTextCentred(pic::Image& image, int cx, int cy, const char8_t* text, const TextStyle& style) {
    int w = 0, h = 0;
    measureText(text, style, w, h);
    paintText(image, cx - w / 2, cy - h / 2, text, style);
}

}  // namespace picgen

// Text for the GL device: rendered lines live in one atlas texture, so that
// every piece of text in a frame draws from the same texture and batches
// with its neighbours. Lines and layouts are cached across the game's font
// blocks; the atlas starts over when it is full.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "platform/FontLayout.h"
#include "platform/FontRenderer.h"
#include "platform/gl/GlApi.h"

namespace gfx {

class GlDevice;

class GlTextCache {
public:
    explicit GlTextCache(GlDevice& device);
    ~GlTextCache();

    // Lays out and draws (or with kDtCalcRect measures) Shift-JIS text;
    // returns the text height.
    int drawText(const std::shared_ptr<fontrender::Face>& face, const std::string& cp932, Rect* rect,
                 std::uint32_t format, Colour colour);

    // The atlas texture every piece of text draws from, made when first asked for.
    GLuint atlas();

    static constexpr int kAtlasWidth = 2048;
    static constexpr int kAtlasHeight = 1024;

private:
    struct Slot {
        int x, y, w, h;
    };
    // A line in runs: the face's own glyphs, and the fallback's for the
    // characters the face lacks.
    struct Segment {
        std::shared_ptr<fontrender::Face> face;
        std::string utf8;
        int width;
    };
    struct Line {
        std::string key;  // the face and the UTF-8 text
        std::vector<Segment> segments;
        int width;
    };

    const Line& line(const std::shared_ptr<fontrender::Face>& face, const std::string& cp932);
    const Slot* slot(const Line& line);
    void resetAtlas();

    GlDevice& device_;
    GLuint atlas_ = 0;
    int shelfX_ = 0, shelfY_ = 0, shelfH_ = 0;
    std::unordered_map<std::string, Slot> slots_;
    std::unordered_map<std::string, Line> lines_;
    std::unordered_map<std::string, fontlayout::Layout> layouts_;
};

}  // namespace gfx

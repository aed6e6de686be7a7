#include "platform/gl/GlText.h"

#include <algorithm>

#include "platform/Text.h"
#include "platform/gl/GlDevice.h"

namespace gfx {
namespace {

// Bounds on the measurement caches: past them they start over.
constexpr std::size_t kMaxLines = 8192;
constexpr std::size_t kMaxLayouts = 4096;

class GlFont final : public Font {
public:
    GlFont(std::shared_ptr<GlDeviceLink> link, std::shared_ptr<fontrender::Face> face)
        : link_(std::move(link)), face_(std::move(face)) {}
    int begin() override { return kOk; }
    int drawText(const char* text, int length, Rect* rect, std::uint32_t format, Colour colour) override {
        if (link_->device == nullptr || text == nullptr || rect == nullptr) return 0;
        const std::string s = length >= 0 ? std::string(text, static_cast<std::size_t>(length)) : std::string(text);
        return link_->device->textCache().drawText(face_, s, rect, format, colour);
    }
    int end() override { return kOk; }

private:
    std::shared_ptr<GlDeviceLink> link_;
    std::shared_ptr<fontrender::Face> face_;
};

}  // namespace

std::unique_ptr<Font> GlDevice::createFont(const FontDesc& desc, int* result) {
    auto face = fontrender::openFace(desc);
    if (face == nullptr) {
        if (result != nullptr) *result = kNotAvailable;
        return nullptr;
    }
    if (result != nullptr) *result = kOk;
    return std::make_unique<GlFont>(link_, std::move(face));
}

GlTextCache::GlTextCache(GlDevice& device) : device_(device) {}

GLuint GlTextCache::atlas() {
    if (atlas_ != 0) return atlas_;
    // Made at the first line drawn: its 2 MB are no part of a first frame
    // without text. Rendered text is white with coverage in alpha: the atlas
    // keeps only the coverage, one byte a texel, and samples as
    // (1, 1, 1, coverage).
    glGenTextures(1, &atlas_);
    glBindTexture(GL_TEXTURE_2D, atlas_);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_R8, kAtlasWidth, kAtlasHeight, 0, GL_RED, GL_UNSIGNED_BYTE, nullptr);
    const GLint swizzle[4] = {GL_ONE, GL_ONE, GL_ONE, GL_RED};
    glTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_SWIZZLE_RGBA, swizzle);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
    device_.forgetBoundTexture();
    return atlas_;
}

GlTextCache::~GlTextCache() {
    if (atlas_ != 0) glDeleteTextures(1, &atlas_);
}

void GlTextCache::resetAtlas() {
    device_.flush();  // pending text still reads the old contents
    slots_.clear();
    shelfX_ = shelfY_ = shelfH_ = 0;
}

const GlTextCache::Line& GlTextCache::line(const std::shared_ptr<fontrender::Face>& face, const std::string& cp932) {
    std::string key = fontrender::faceKey(*face);
    key += '\n';
    key += cp932;
    auto it = lines_.find(key);
    if (it != lines_.end()) return it->second;
    if (lines_.size() >= kMaxLines) lines_.clear();
    Line l;
    const std::string utf8 = text::cp932ToUtf8(cp932.data(), static_cast<int>(cp932.size()));
    l.key = fontrender::faceKey(*face) + '\n' + utf8;
    std::shared_ptr<fontrender::Face> fallback;
    if (!fontrender::hasAllGlyphs(*face, utf8)) fallback = fontrender::fallbackFor(*face);
    if (fallback == nullptr) {
        l.segments.push_back(Segment{face, utf8, 0});
    } else {
        // Characters the face lacks are drawn, run by run, with the fallback.
        for (fontrender::Run& run : fontrender::splitByCoverage(*face, utf8))
            l.segments.push_back(Segment{run.covered ? face : fallback, std::move(run.utf8), 0});
    }
    l.width = 0;
    for (Segment& seg : l.segments) {
        seg.width = fontrender::measure(*seg.face, seg.utf8);
        l.width += seg.width;
    }
    return lines_.emplace(std::move(key), std::move(l)).first->second;
}

const GlTextCache::Slot* GlTextCache::slot(const Line& l) {
    const auto it = slots_.find(l.key);
    if (it != slots_.end()) return &it->second;
    // The runs side by side, each where the measure puts it.
    bitmap::Image image;
    int x = 0;
    for (const Segment& seg : l.segments) {
        const bitmap::Image part = fontrender::render(*seg.face, seg.utf8);
        if (part.width > 0) {
            const int w = std::max(image.width, x + part.width);
            const int h = std::max(image.height, part.height);
            if (w != image.width || h != image.height) {
                bitmap::Image grown{w, h, std::vector<std::uint32_t>(static_cast<std::size_t>(w) * h, 0x00FFFFFFu)};
                for (int y = 0; y < image.height; ++y)
                    std::copy_n(image.argb.begin() + static_cast<std::ptrdiff_t>(y) * image.width, image.width,
                                grown.argb.begin() + static_cast<std::ptrdiff_t>(y) * w);
                image = std::move(grown);
            }
            for (int y = 0; y < part.height; ++y)
                for (int px = 0; px < part.width; ++px) {
                    std::uint32_t& d = image.argb[static_cast<std::size_t>(y) * image.width + x + px];
                    const std::uint32_t sa = part.argb[static_cast<std::size_t>(y) * part.width + px] >> 24;
                    if (sa > (d >> 24)) d = (sa << 24) | 0x00FFFFFFu;
                }
        }
        x += seg.width;
    }
    if (image.width <= 0 || image.height <= 0) return nullptr;
    const int w = std::min(image.width, kAtlasWidth);
    const int h = std::min(image.height, kAtlasHeight);
    // Shelves: left to right, a new shelf below when the row is full.
    if (shelfX_ + w + 1 > kAtlasWidth) {
        shelfY_ += shelfH_ + 1;
        shelfX_ = 0;
        shelfH_ = 0;
    }
    if (shelfY_ + h > kAtlasHeight) resetAtlas();
    const Slot s{shelfX_, shelfY_, w, h};
    shelfX_ += w + 1;
    shelfH_ = std::max(shelfH_, h);
    std::vector<std::uint8_t> coverage(static_cast<std::size_t>(w) * h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            coverage[static_cast<std::size_t>(y) * w + x] =
                static_cast<std::uint8_t>(image.argb[static_cast<std::size_t>(y) * image.width + x] >> 24);
    glBindTexture(GL_TEXTURE_2D, atlas());
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glTexSubImage2D(GL_TEXTURE_2D, 0, s.x, s.y, w, h, GL_RED, GL_UNSIGNED_BYTE, coverage.data());
    glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
    device_.forgetBoundTexture();
    return &slots_.emplace(l.key, s).first->second;
}

int GlTextCache::drawText(const std::shared_ptr<fontrender::Face>& face, const std::string& cp932, Rect* rect,
                          std::uint32_t format, Colour colour) {
    const int rectW = rect->right - rect->left, rectH = rect->bottom - rect->top;
    const int cell = fontrender::cellHeight(*face);
    std::string key = fontrender::faceKey(*face);
    key += '\n' + std::to_string(format) + ' ' + std::to_string(rectW) + ' ' + std::to_string(rectH) + '\n' + cp932;
    auto it = layouts_.find(key);
    if (it == layouts_.end()) {
        if (layouts_.size() >= kMaxLayouts) layouts_.clear();
        fontlayout::Layout layout = fontlayout::layoutText(
            cp932, rectW, rectH, format, cell, [&](const std::string& s) { return line(face, s).width; });
        it = layouts_.emplace(std::move(key), std::move(layout)).first;
    }
    const fontlayout::Layout& layout = it->second;
    if (format & kDtCalcRect) {
        rect->right = rect->left + layout.width;
        rect->bottom = rect->top + layout.height;
        return layout.height;
    }
    const bool clip = !(format & kDtNoClip);
    const BatchKey batch = device_.spriteKey(atlas());
    for (const fontlayout::PlacedLine& p : layout.lines) {
        if (p.text.empty()) continue;
        const Line& l = line(face, p.text);
        const Slot* s = slot(l);
        if (s == nullptr) continue;
        float x0 = static_cast<float>(rect->left + p.x), y0 = static_cast<float>(rect->top + p.y);
        float x1 = x0 + s->w, y1 = y0 + s->h;
        float u0 = static_cast<float>(s->x), v0 = static_cast<float>(s->y);
        float u1 = u0 + s->w, v1 = v0 + s->h;
        if (clip) {
            // Cut the quad (and its texture window) to the rectangle.
            const float cl = static_cast<float>(rect->left), ct = static_cast<float>(rect->top);
            const float cr = static_cast<float>(rect->right), cb = static_cast<float>(rect->bottom);
            if (x0 < cl) { u0 += cl - x0; x0 = cl; }
            if (y0 < ct) { v0 += ct - y0; y0 = ct; }
            if (x1 > cr) { u1 -= x1 - cr; x1 = cr; }
            if (y1 > cb) { v1 -= y1 - cb; y1 = cb; }
            if (x1 <= x0 || y1 <= y0) continue;
        }
        const float aw = static_cast<float>(kAtlasWidth), ah = static_cast<float>(kAtlasHeight);
        u0 /= aw; u1 /= aw; v0 /= ah; v1 /= ah;
        const StreamVertex a = device_.screenToClip(x0, y0, 0, 1, colour, u0, v0);
        const StreamVertex b = device_.screenToClip(x1, y0, 0, 1, colour, u1, v0);
        const StreamVertex c = device_.screenToClip(x0, y1, 0, 1, colour, u0, v1);
        const StreamVertex d = device_.screenToClip(x1, y1, 0, 1, colour, u1, v1);
        const StreamVertex quad[6] = {a, b, c, c, b, d};
        device_.emit(batch, quad, 6);
    }
    return layout.height;
}

}  // namespace gfx

// The sprite batcher: 2D pictures in target pixels, appended to the
// device's stream with blending on, depth off, no culling, and colour and
// alpha modulated by the draw's colour. It changes no device state, so
// nothing needs restoring at end.
#include <algorithm>
#include <cmath>

#include "platform/gl/GlDevice.h"

namespace gfx {
namespace {

class GlSprite final : public Sprite {
public:
    explicit GlSprite(GlDevice& device) : device_(device) {}

    int begin() override { return kOk; }

    int draw(Texture* texture, const Rect* src, const Vec2* scale, const Vec2* rotationCentre, float rotation,
             const Vec2* translation, Colour colour) override {
        auto* t = dynamic_cast<GlTexture*>(texture);
        if (t == nullptr) return kInvalidCall;
        if (t->deferred()) device_.realise(*t);
        if (t->glTexture() == 0 && !t->isRenderTarget()) return kOk;  // a picture that failed to load
        Rect r = src ? *src : Rect{0, 0, t->width(), t->height()};
        Vec2 m = translation ? *translation : Vec2{0, 0};
        if (t->isRenderTarget() && rotation == 0.0f && (scale == nullptr || (scale->x == 1.0f && scale->y == 1.0f))) {
            // A layer of text is mostly transparent black, which blends to
            // nothing: only the part drawn into is sent, the same pixels for
            // a fraction of the fill.
            const Rect& touched = t->touched();
            const Rect clipped{std::max(r.left, touched.left), std::max(r.top, touched.top),
                               std::min(r.right, touched.right), std::min(r.bottom, touched.bottom)};
            if (clipped.right <= clipped.left || clipped.bottom <= clipped.top) return kOk;
            m.x += static_cast<float>(clipped.left - r.left);
            m.y += static_cast<float>(clipped.top - r.top);
            r = clipped;
        }
        const float w = static_cast<float>(r.right - r.left);
        const float h = static_cast<float>(r.bottom - r.top);
        if (w <= 0 || h <= 0) return kOk;
        const Vec2 s = scale ? *scale : Vec2{1, 1};
        const Vec2 c = rotationCentre ? *rotationCentre : Vec2{0, 0};
        const float cs = std::cos(rotation), sn = std::sin(rotation);

        // Texel edges map to pixel edges, so an unscaled picture samples
        // texel centres. A stretched picture samples from its edge texels'
        // centres, so that a one-texel strip does not blend its neighbours.
        const float tw = static_cast<float>(t->width()), th = static_cast<float>(t->height());
        float u0 = r.left / tw, u1 = r.right / tw, v0 = r.top / th, v1 = r.bottom / th;
        if (std::fabs(s.x) > 1.0f) {
            u0 += 0.5f / tw;
            u1 -= 0.5f / tw;
        }
        if (std::fabs(s.y) > 1.0f) {
            v0 += 0.5f / th;
            v1 -= 0.5f / th;
        }
        const float px[4] = {0, w, 0, w}, py[4] = {0, 0, h, h};
        const float us[4] = {u0, u1, u0, u1}, vs[4] = {v0, v0, v1, v1};
        StreamVertex corner[4];
        for (int i = 0; i < 4; ++i) {
            // Scale about the top-left, turn about the centre, then move.
            const float x = px[i] * s.x - c.x, y = py[i] * s.y - c.y;
            const float rx = x * cs - y * sn + c.x + m.x;
            const float ry = x * sn + y * cs + c.y + m.y;
            corner[i] = device_.screenToClip(rx, ry, 0.0f, 1.0f, colour, us[i], vs[i]);
        }
        const StreamVertex quad[6] = {corner[0], corner[1], corner[2], corner[2], corner[1], corner[3]};
        device_.emit(device_.spriteKey(t->glTexture()), quad, 6);
        return kOk;
    }

    int end() override { return kOk; }

private:
    GlDevice& device_;
};

}  // namespace

std::unique_ptr<Sprite> GlDevice::createSprite(int* result) {
    if (result != nullptr) *result = kOk;
    return std::make_unique<GlSprite>(*this);
}

}  // namespace gfx

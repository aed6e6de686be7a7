#include "engine/TextFont.h"

std::unique_ptr<gfx::Font> gTextFont;
gfx::FontDesc gTextFontDesc{0, 0, 700, false, ""};

const char* const kShopFontFace = "ＭＳ Ｐゴシック";
const char* const kMenuFontFace = "MS UI Gothic";

namespace {

gfx::FontDesc textFontDesc(int height, const char* faceCp932, bool italic) {
    return gfx::FontDesc{height, 0, 700, italic, faceCp932 != nullptr ? faceCp932 : ""};
}

}  // namespace

int beginTextFont(gfx::Device* device, int height, const char* faceCp932, bool italic) {
    gTextFont.reset();
    if (device == nullptr) return gfx::kInvalidCall;
    gTextFontDesc = textFontDesc(height, faceCp932, italic);
    int result = gfx::kOk;
    gTextFont = device->createFont(gTextFontDesc, &result);
    if (!gTextFont) return result < 0 ? result : gfx::kFail;
    return gfx::kOk;
}

void endTextFont() { gTextFont.reset(); }

void prepareTextFont(gfx::Device* device, int height, const char* faceCp932, bool italic) {
    if (device != nullptr) device->prepareFont(textFontDesc(height, faceCp932, italic));
}

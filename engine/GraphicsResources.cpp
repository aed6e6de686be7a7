#include "engine/GraphicsResources.h"

#include "engine/TextFont.h"

#include <initializer_list>
#include <string>

#include "engine/Camera.h"
#include "engine/Config.h"
#include "engine/KeyframeTrack.h"
#include "engine/ResourcePaths.h"
#include "engine/TextFont.h"

MessageBoxFunction gGraphicsFailureBox = showMessageBox;

GraphicsResources::GraphicsResources() = default;
GraphicsResources::~GraphicsResources() = default;

namespace {

const char* const kCaptionError = "Error";
const char* const kCaptionWarning = "警告";
const char* const kOutOfMemoryText = "メモリが不足しています。";

int fail(const char* text, const char* caption) {
    gGraphicsFailureBox(text, caption);
    return gfx::kFail;
}

// A render target, or the box naming it and why it could not be made.
int createTarget(gfx::Device* device, std::unique_ptr<gfx::Texture>& target, int width, int height,
                 gfx::TextureFormat format, const char* name) {
    int result = gfx::kOk;
    target = device->createRenderTarget(width, height, format, &result);
    if (target) return gfx::kOk;
    const std::string prefix = std::string(name) + "：";
    switch (result) {
    case gfx::kOutOfMemory: return fail(kOutOfMemoryText, kCaptionError);
    case gfx::kOutOfVideoMemory: return fail((prefix + "ビデオメモリが不足しております。").c_str(), kCaptionWarning);
    case gfx::kNotAvailable: return fail((prefix + "デバイスの確認を行ってください。").c_str(), kCaptionWarning);
    case gfx::kInvalidCall: return fail((prefix + "無効な処理です。").c_str(), kCaptionWarning);
    case gfx::kOk:
        // No texture and no error: its surface is what could not be had.
        return fail((prefix + "サーフェスの設定ができませんでした。").c_str(), kCaptionError);
    default: return fail((prefix + "原因不明のエラーです。").c_str(), kCaptionWarning);
    }
}

struct TextureSlot {
    int bitmap;
    bool keyed;
    std::unique_ptr<gfx::Texture> GraphicsResources::*member;  // null for a sheet
    enum { kSingle, kSpriteSheet, kCardSheet } array;
    int sheet;
};

// The bitmaps in the order they are loaded.
constexpr TextureSlot kTextureSlots[] = {
    {355, false, &GraphicsResources::openingLogo, TextureSlot::kSingle, 0},
    {245, false, &GraphicsResources::gaugeBar, TextureSlot::kSingle, 0},
    {141, true, nullptr, TextureSlot::kSpriteSheet, 0},
    {143, true, nullptr, TextureSlot::kSpriteSheet, 1},
    {144, true, nullptr, TextureSlot::kSpriteSheet, 2},
    {145, true, nullptr, TextureSlot::kSpriteSheet, 3},
    {147, true, nullptr, TextureSlot::kSpriteSheet, 4},
    {148, true, nullptr, TextureSlot::kSpriteSheet, 5},
    {347, false, &GraphicsResources::portraitSheet, TextureSlot::kSingle, 0},
    {156, true, &GraphicsResources::iconStrip, TextureSlot::kSingle, 0},
    {246, true, &GraphicsResources::arrowSheet, TextureSlot::kSingle, 0},
    {244, true, &GraphicsResources::enterMark, TextureSlot::kSingle, 0},
    {247, true, &GraphicsResources::gaugeFrame, TextureSlot::kSingle, 0},
    {242, true, &GraphicsResources::digitSheet, TextureSlot::kSingle, 0},
    {243, true, &GraphicsResources::popupWords, TextureSlot::kSingle, 0},
    {260, true, &GraphicsResources::effectSheet, TextureSlot::kSingle, 0},
    {241, false, &GraphicsResources::faceIcons, TextureSlot::kSingle, 0},
    {152, false, &GraphicsResources::tileAtlas, TextureSlot::kSingle, 0},
    {158, false, &GraphicsResources::stoneBanner, TextureSlot::kSingle, 0},
    {259, false, &GraphicsResources::windowBackground, TextureSlot::kSingle, 0},
    {159, false, nullptr, TextureSlot::kCardSheet, 0},
    {160, false, nullptr, TextureSlot::kCardSheet, 1},
    {161, false, nullptr, TextureSlot::kCardSheet, 2},
    {162, false, nullptr, TextureSlot::kCardSheet, 3},
    {163, false, nullptr, TextureSlot::kCardSheet, 4},
    {164, false, &GraphicsResources::cardBack, TextureSlot::kSingle, 0},
    {197, false, &GraphicsResources::pictureTexture, TextureSlot::kSingle, 0},
    {249, true, &GraphicsResources::windowBorder, TextureSlot::kSingle, 0},
    {250, false, &GraphicsResources::cursorBar, TextureSlot::kSingle, 0},
    {157, false, &GraphicsResources::saveSlotPanel, TextureSlot::kSingle, 0},
    {251, true, &GraphicsResources::pointerHand, TextureSlot::kSingle, 0},
    {253, true, &GraphicsResources::menuStrips, TextureSlot::kSingle, 0},
    {255, true, &GraphicsResources::titleNamePlate, TextureSlot::kSingle, 0},
};

std::unique_ptr<gfx::Texture>& slotMember(GraphicsResources& resources, const TextureSlot& slot) {
    switch (slot.array) {
    case TextureSlot::kSpriteSheet: return resources.spriteSheets[slot.sheet];
    case TextureSlot::kCardSheet: return resources.cardSheets[slot.sheet];
    case TextureSlot::kSingle: break;
    }
    return resources.*slot.member;
}

}  // namespace

void releaseGraphicsResources(GraphicsResources& resources) {
    resources.cameraTrack.reset();
    resources.closedChestMesh.reset();
    resources.openChestMesh.reset();
    resources.effectMesh.reset();
    for (const TextureSlot& slot : kTextureSlots) slotMember(resources, slot).reset();
    resources.layer2Target.reset();
    resources.layer1Target.reset();
    resources.groundTarget.reset();
    resources.newsTarget.reset();
    resources.quadVertices.reset();
    resources.sprite.reset();
    resources.portraitSheetBitmap = 0;
    resources.nextPicture.reset();
    resources.nextPictureBitmap = 0;
    resources.nextPortraitSheet.reset();
    resources.nextPortraitSheetBitmap = 0;
}

void holdPortraitSheet(GraphicsResources& resources, gfx::Device* device, int bitmap) {
    if (resources.portraitSheet && resources.portraitSheetBitmap == bitmap) return;
    readPortraitSheet(resources, device, bitmap);
}

namespace {

std::unique_ptr<gfx::Texture> pictureFile(gfx::Device* device, int bitmap) {
    if (device == nullptr) return nullptr;
    return device->createTextureFromFile(resources::bitmapPath(bitmap), false, gfx::TextureFormat::A8R8G8B8);
}

// The prepared texture when it is of `bitmap`, else a new one; either way
// the prepared slot is emptied.
std::unique_ptr<gfx::Texture> takePrepared(std::unique_ptr<gfx::Texture>& next, int& nextBitmap, gfx::Device* device,
                                           int bitmap) {
    std::unique_ptr<gfx::Texture> prepared = std::move(next);
    const bool match = prepared && nextBitmap == bitmap;
    nextBitmap = 0;
    if (match) return prepared;
    prepared.reset();
    return pictureFile(device, bitmap);
}

void prepare(std::unique_ptr<gfx::Texture>& next, int& nextBitmap, gfx::Device* device, int bitmap) {
    next = pictureFile(device, bitmap);
    nextBitmap = next ? bitmap : 0;
    if (next) device->prefetch(next.get());
}

}  // namespace

void readPortraitSheet(GraphicsResources& resources, gfx::Device* device, int bitmap) {
    resources.portraitSheet.reset();
    resources.portraitSheetBitmap = 0;
    if (device == nullptr) return;
    resources.portraitSheet =
        takePrepared(resources.nextPortraitSheet, resources.nextPortraitSheetBitmap, device, bitmap);
    if (resources.portraitSheet) resources.portraitSheetBitmap = bitmap;
}

void preparePortraitSheet(GraphicsResources& resources, gfx::Device* device, int bitmap) {
    prepare(resources.nextPortraitSheet, resources.nextPortraitSheetBitmap, device, bitmap);
}

void readPicture(GraphicsResources& resources, gfx::Device* device, int bitmap) {
    resources.pictureTexture.reset();
    resources.pictureTexture = takePrepared(resources.nextPicture, resources.nextPictureBitmap, device, bitmap);
}

void preparePicture(GraphicsResources& resources, gfx::Device* device, int bitmap) {
    prepare(resources.nextPicture, resources.nextPictureBitmap, device, bitmap);
}

namespace {

void prefetch(gfx::Device* device, std::initializer_list<const std::unique_ptr<gfx::Texture>*> textures) {
    if (device == nullptr) return;
    for (const std::unique_ptr<gfx::Texture>* texture : textures)
        if (*texture) device->prefetch(texture->get());
}

}  // namespace

void prefetchFieldPictures(GraphicsResources& resources, gfx::Device* device) {
    const auto& r = resources;
    prefetch(device, {&r.tileAtlas, &r.spriteSheets[0], &r.spriteSheets[1], &r.spriteSheets[2], &r.spriteSheets[3],
                      &r.spriteSheets[4], &r.spriteSheets[5], &r.portraitSheet, &r.iconStrip, &r.windowBorder,
                      &r.windowBackground, &r.cursorBar, &r.pointerHand});
    if (device == nullptr) return;
    // The message window's first frame would otherwise also compile its
    // draw states and open its faces.
    device->prepareDrawStates();
    prepareTextFont(device, 22, kShopFontFace);
    prepareTextFont(device, kShopFontHeight, kShopFontFace);
}

void prefetchBattlePictures(GraphicsResources& resources, gfx::Device* device) {
    const auto& r = resources;
    prefetch(device, {&r.pictureTexture, &r.portraitSheet, &r.gaugeBar, &r.gaugeFrame, &r.faceIcons, &r.popupWords,
                      &r.effectSheet, &r.digitSheet, &r.windowBackground, &r.windowBorder, &r.cursorBar,
                      &r.pointerHand, &r.arrowSheet, &r.enterMark, &r.spriteSheets[0], &r.spriteSheets[1],
                      &r.spriteSheets[2], &r.spriteSheets[3], &r.spriteSheets[4], &r.spriteSheets[5]});
    if (device != nullptr) device->prepareDrawStates();  // nothing to do when a fade already queued them
}

void prefetchRacePictures(GraphicsResources& resources, gfx::Device* device) {
    prefetch(device, {&resources.tileAtlas, &resources.spriteSheets[4]});
    if (device != nullptr) device->prepareDrawStates();
}

int createGraphicsResources(GraphicsResources& resources, gfx::Device* device) {
    releaseGraphicsResources(resources);
    if (device == nullptr) return gfx::kFail;

    // The back buffer is the target selected by null: there is nothing to
    // fetch, so "バックバッファの設定ができませんでした。" cannot arise.
    const bool lowSpec = lowSpecGraphics();
    const gfx::TextureFormat keyedFormat = lowSpec ? gfx::TextureFormat::A4R4G4B4 : gfx::TextureFormat::A8R8G8B8;

    if (createTarget(device, resources.layer1Target, 640, 480, keyedFormat, "レイヤ１") < 0) return gfx::kFail;
    if (createTarget(device, resources.layer2Target, 640, 480, keyedFormat, "レイヤ２") < 0) return gfx::kFail;
    if (!lowSpec) {
        if (createTarget(device, resources.groundTarget, 320, 320, keyedFormat, "地面") < 0) return gfx::kFail;
        if (createTarget(device, resources.newsTarget, 640, 30, keyedFormat, "ニュース") < 0) return gfx::kFail;
    }

    resources.quadVertices = device->createVertexBuffer(4);
    if (!resources.quadVertices) return fail(kOutOfMemoryText, kCaptionError);

    for (const TextureSlot& slot : kTextureSlots) {
        // Plain bitmaps keep their own colours whatever the mode.
        const gfx::TextureFormat format = slot.keyed ? keyedFormat : gfx::TextureFormat::A8R8G8B8;
        std::unique_ptr<gfx::Texture>& member = slotMember(resources, slot);
        member = device->createTextureFromFile(resources::bitmapPath(slot.bitmap), slot.keyed, format);
        if (!member) return fail(kOutOfMemoryText, kCaptionError);
    }
    resources.portraitSheetBitmap = 347;

    // A mesh that will not load ends start-up without a box.
    resources.effectMesh = device->loadMesh(resources::meshPath(329));
    if (!resources.effectMesh) return gfx::kFail;
    resources.closedChestMesh = device->loadMesh(resources::meshPath(327));
    if (!resources.closedChestMesh) return gfx::kFail;
    resources.openChestMesh = device->loadMesh(resources::meshPath(328));
    if (!resources.openChestMesh) return gfx::kFail;

    gfx::Light sun{};
    sun.type = gfx::LightType::Directional;
    sun.diffuse = {1.0f, 1.0f, 1.0f, 0.0f};
    sun.direction = gfx::vec3Normalize(gfx::Vec3{-0.5f, -0.5f, 1.0f});
    device->setLight(0, sun);
    device->enableLight(0, true);

    // States that stay for the whole run unless a screen changes them. The
    // device samples with linear filtering throughout.
    device->setRenderState(gfx::kRsLighting, 1);
    device->setRenderState(gfx::kRsCullMode, gfx::kCullNone);
    device->setRenderState(gfx::kRsZEnable, 1);
    device->setRenderState(gfx::kRsDitherEnable, 1);
    device->setRenderState(gfx::kRsLighting, 0);

    resources.sprite = device->createSprite();

    resources.cameraTrack = std::make_unique<KeyframeTrack>();
    resources.cameraTrack->setKeyCount(2);
    resources.cameraTrack->setKey(0, 0.0f, 0, 0, 0, 0, 0, 0, 0);
    resources.cameraTrack->setKey(1, 1.0f, 0, 0, 0, 0, 0, 0, 0);
    resources.cameraTrack->setTrackDuration(5000);
    resources.cameraTrack->setTrackLooping(0);
    resources.cameraTrack->setTrackStart(gMillisecondClock());
    return gfx::kOk;
}

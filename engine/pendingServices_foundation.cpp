// Weak stand-ins for services other parts of the game provide, so that the
// game links and runs before they land; each real definition replaces its
// stand-in. Temporary: every group says what it waits for.
#include <cstdint>
#include <memory>

#include "engine/GraphicsResources.h"
#include "engine/Music.h"
#include "engine/Screens.h"
#include "engine/Sound.h"
#include "engine/TextLayers.h"
#include "events/EventState.h"
#include "gamedata/GameData.h"
#include "gamedata/NewGame.h"
#include "menus/Title.h"
#include "platform/Gfx.h"
#include "platform/Window.h"

#if __has_include("engine/KeyframeTrack.h")
#include "engine/KeyframeTrack.h"
#else
// Until the camera track lands this is the only definition of the class.
class KeyframeTrack {};
#endif

#define PENDING __attribute__((weak))

// Until the screens land: each draws nothing.
PENDING void runField(GraphicsResources&, gfx::Device*) {}
PENDING void runFieldFadeIn(GraphicsResources&, gfx::Device*) {}
PENDING void runFieldEntryFromBlack(GraphicsResources&, gfx::Device*) {}
PENDING void runChapterSaveScreen(GraphicsResources&, gfx::Device*) {}
PENDING void runBattleTransition(GraphicsResources&, gfx::Device*) {}
PENDING void drawBattleScene(GraphicsResources&, gfx::Device*) {}
PENDING void runBattleFrame(GraphicsResources&, gfx::Device*) {}
PENDING void runCampMenu(GraphicsResources&, gfx::Device*) {}
PENDING void runItemMenu(GraphicsResources&, gfx::Device*) {}
PENDING void runEquipMenu(GraphicsResources&, gfx::Device*) {}
PENDING void runStoneMenu(GraphicsResources&, gfx::Device*) {}
PENDING void runStatusScreen(GraphicsResources&, gfx::Device*) {}
PENDING void runMagicMenu(GraphicsResources&, gfx::Device*) {}
PENDING void runFormationMenu(GraphicsResources&, gfx::Device*) {}
PENDING void runBodyguardScreen(GraphicsResources&, gfx::Device*) {}
PENDING void runCardCatalogue(GraphicsResources&, gfx::Device*) {}
PENDING void runMenuSaveScreen(GraphicsResources&, gfx::Device*) {}
PENDING void runShopScreen(GraphicsResources&, gfx::Device*) {}
PENDING void runBankScreen(GraphicsResources&, gfx::Device*) {}
PENDING void runCardDuel(GraphicsResources&, gfx::Device*) {}
PENDING void runBoatRace(GraphicsResources&, gfx::Device*) {}
PENDING void runStaffRoll(GraphicsResources&, gfx::Device*) {}
PENDING void runTitleScreen(GraphicsResources&, gfx::Device*) {}
PENDING void runIntroAndTitleMenu(GraphicsResources&, gfx::Device*) {}
PENDING void runLoadScreen(GraphicsResources&, gfx::Device*) {}

// Until the graphics resources land.
PENDING GraphicsResources::GraphicsResources() {}
PENDING GraphicsResources::~GraphicsResources() {}
PENDING int createGraphicsResources(GraphicsResources&, gfx::Device*) { return 0; }
PENDING void releaseGraphicsResources(GraphicsResources&) {}

// Until the text layers land.
PENDING int gRedrawRequest[2] = {1, 1};
PENDING int gLayer2HasText = 0;
PENDING int gLayer1HasText = 0;

// Until sound effects land.
PENDING std::uint8_t gSoundAvailable = 0;
PENDING bool initSound() { return false; }
PENDING bool releaseSound() { return true; }
PENDING bool releaseEffectBuffer() { return true; }
PENDING bool playSoundEffect(const char*) { return false; }

// Until music lands.
PENDING char gRequestedSong[100] = {};
PENDING char gCurrentSong[100] = {};
PENDING char gRememberedSong[100] = {};
PENDING int gRememberedSongPos = 0;
PENDING int gMusicVolume = 0;
PENDING std::uint8_t gSlowMusicFade = 0;
PENDING std::uint8_t gMusicLock = 0;
PENDING bool playSong(const char*, int) { return false; }
PENDING bool stopMusic() { return true; }
PENDING bool releaseMusic() { return true; }
PENDING void saveSongPosition(int* position) {
    if (position != nullptr) *position = 0;
}
PENDING void updateMusic() {}

// Until the game data and the new-game state land.
PENDING int loadGameData() { return 0; }
PENDING void resetNewGame() {}
PENDING int setUpInitialParty() { return 0; }

// Until the event engine and the title screens land.
PENDING int gCurrentMap = 0;
PENDING int gFieldEvent = 0;
PENDING int gEventStep = 0;
PENDING std::uint8_t gStoryFlags[1000] = {};
PENDING int gTitleCounter = 0;

// Until the window lands: there is no window, and it always shows.
namespace window {
PENDING bool openWindow(const WindowOptions&) { return true; }
PENDING void closeWindow() {}
PENDING bool isWindowOpen() { return true; }
PENDING bool isWindowMinimisedOrHidden() { return false; }
}  // namespace window

// Until the graphics backends land: a device that draws nothing serves for
// both.
namespace {

class PendingNullDevice final : public gfx::Device {
public:
    int beginScene() override { return gfx::kOk; }
    int endScene() override { return gfx::kOk; }
    int present() override { return gfx::kOk; }
    int clear(std::uint32_t, gfx::Colour, float, std::uint32_t) override { return gfx::kOk; }
    int setRenderTarget(gfx::Texture* target) override {
        target_ = target;
        return gfx::kOk;
    }
    gfx::Texture* renderTarget() const override { return target_; }
    int setViewport(const gfx::Viewport& viewport) override {
        viewport_ = viewport;
        return gfx::kOk;
    }
    gfx::Viewport viewport() const override { return viewport_; }
    void setTransform(gfx::TransformKind, const gfx::Matrix&) override {}
    gfx::Matrix transform(gfx::TransformKind) const override { return gfx::matrixIdentity(); }
    void setRenderState(gfx::RenderState, std::uint32_t) override {}
    std::uint32_t renderState(gfx::RenderState) const override { return 0; }
    void setTextureStageState(gfx::TextureStageState, std::uint32_t) override {}
    void setTexture(gfx::Texture*) override {}
    void setLight(int, const gfx::Light&) override {}
    void enableLight(int, bool) override {}
    void setMaterial(const gfx::Material&) override {}
    int drawPrimitive(gfx::Primitive, gfx::VertexBuffer*, int, int) override { return gfx::kOk; }
    int drawPrimitiveUp(gfx::Primitive, int, const gfx::Vertex*) override { return gfx::kOk; }
    int drawScreenPrimitiveUp(gfx::Primitive, int, const gfx::ScreenVertex*) override { return gfx::kOk; }
    std::unique_ptr<gfx::Texture> createTextureFromFile(const std::string&, bool, gfx::TextureFormat, int* result) override {
        return fail<gfx::Texture>(result);
    }
    std::unique_ptr<gfx::Texture> createTextureFromPixels(const std::uint32_t*, int, int, gfx::TextureFormat, int* result) override {
        return fail<gfx::Texture>(result);
    }
    std::unique_ptr<gfx::Texture> createRenderTarget(int, int, gfx::TextureFormat, int* result) override {
        return fail<gfx::Texture>(result);
    }
    std::unique_ptr<gfx::VertexBuffer> createVertexBuffer(int, int* result) override { return fail<gfx::VertexBuffer>(result); }
    std::unique_ptr<gfx::Mesh> loadMesh(const std::string&, int* result) override { return fail<gfx::Mesh>(result); }
    std::unique_ptr<gfx::Sprite> createSprite(int* result) override { return fail<gfx::Sprite>(result); }
    std::unique_ptr<gfx::Font> createFont(const gfx::FontDesc&, int* result) override { return fail<gfx::Font>(result); }
    bool readBackBuffer(std::vector<std::uint32_t>&) override { return false; }

private:
    template <typename T>
    static std::unique_ptr<T> fail(int* result) {
        if (result != nullptr) *result = gfx::kNotAvailable;
        return nullptr;
    }
    gfx::Texture* target_ = nullptr;
    gfx::Viewport viewport_{0, 0, 640, 480, 0.0f, 1.0f};
};

}  // namespace

namespace gfx {
PENDING std::unique_ptr<Device> createGlDevice(const DeviceOptions&, int* result) {
    if (result != nullptr) *result = kOk;
    return std::make_unique<PendingNullDevice>();
}
PENDING std::unique_ptr<Device> createNullDevice(const DeviceOptions&) { return std::make_unique<PendingNullDevice>(); }
}  // namespace gfx

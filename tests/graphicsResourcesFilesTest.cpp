// createGraphicsResources on the null device, reading real files: small
// fixtures in a folder of its own, and the game folder the build generates.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "engine/Config.h"
#include "engine/GraphicsResources.h"
#include "engine/ResourcePaths.h"
#include "tests/bmpFile.h"


namespace {

struct Member {
    int bitmap;
    std::unique_ptr<gfx::Texture> GraphicsResources::*single;
    int sheet;  // for the sheets: index; single == nullptr
    bool card;
    int width, height;        // the bitmap's size
    int loadedW, loadedH;     // the texture's
};

using R = GraphicsResources;
const Member kMembers[] = {
    {141, nullptr, 0, false, 320, 400, 512, 512},
    {143, nullptr, 1, false, 320, 400, 512, 512},
    {144, nullptr, 2, false, 320, 400, 512, 512},
    {145, nullptr, 3, false, 320, 400, 512, 512},
    {147, nullptr, 4, false, 320, 400, 512, 512},
    {148, nullptr, 5, false, 320, 400, 512, 512},
    {152, &R::tileAtlas, 0, false, 640, 320, 1024, 512},
    {259, &R::windowBackground, 0, false, 64, 64, 64, 64},
    {245, &R::gaugeBar, 0, false, 256, 16, 256, 16},
    {249, &R::windowBorder, 0, false, 64, 64, 64, 64},
    {250, &R::cursorBar, 0, false, 64, 64, 64, 64},
    {251, &R::pointerHand, 0, false, 14, 12, 16, 16},
    {246, &R::arrowSheet, 0, false, 128, 128, 128, 128},
    {244, &R::enterMark, 0, false, 64, 64, 64, 64},
    {247, &R::gaugeFrame, 0, false, 512, 64, 512, 64},
    {242, &R::digitSheet, 0, false, 160, 128, 256, 128},
    {243, &R::popupWords, 0, false, 96, 320, 128, 512},
    {260, &R::effectSheet, 0, false, 160, 160, 256, 256},
    {241, &R::faceIcons, 0, false, 128, 1024, 128, 1024},
    {347, &R::portraitSheet, 0, false, 512, 512, 512, 512},
    {156, &R::iconStrip, 0, false, 512, 32, 512, 32},
    {197, &R::pictureTexture, 0, false, 1024, 512, 1024, 512},
    {159, nullptr, 0, true, 512, 512, 512, 512},
    {160, nullptr, 1, true, 512, 512, 512, 512},
    {161, nullptr, 2, true, 512, 512, 512, 512},
    {162, nullptr, 3, true, 512, 512, 512, 512},
    {163, nullptr, 4, true, 512, 512, 512, 512},
    {164, &R::cardBack, 0, false, 256, 128, 256, 128},
    {158, &R::stoneBanner, 0, false, 512, 128, 512, 128},
    {253, &R::menuStrips, 0, false, 512, 512, 512, 512},
    {255, &R::titleNamePlate, 0, false, 1024, 512, 1024, 512},
    {355, &R::openingLogo, 0, false, 256, 64, 256, 64},
    {157, &R::saveSlotPanel, 0, false, 512, 256, 512, 256},
};

const gfx::Texture* memberOf(const GraphicsResources& r, const Member& m) {
    if (m.single != nullptr) return (r.*m.single).get();
    return m.card ? r.cardSheets[m.sheet].get() : r.spriteSheets[m.sheet].get();
}

// A grey 24-bit BMP of the given size.
void writeBmp(const std::string& path, int w, int h) {
    ASSERT_TRUE(bmptest::writeFile(path, bmptest::bmp24(w, h, [](int, int) { return 0x404040u; }))) << path;
}

const char* kTriangleMesh = R"(xof 0303txt 0032
Mesh Tri {
  3;
  0.0;0.0;0.0;, 1.0;0.0;0.0;, 0.0;1.0;0.0;;
  1;
  3;0,1,2;;
  MeshMaterialList {
    1;
    1;
    0;;
    Material {
      1.0;1.0;1.0;1.0;;
      1.0;
      0.0;0.0;0.0;;
      0.0;0.0;0.0;;
    }
  }
}
)";

struct InFolder : ::testing::Test {
    void SetUp() override {
        char buffer[4096];
        ASSERT_NE(getcwd(buffer, sizeof buffer), nullptr);
        saved = buffer;
        savedLowSpec = gConfig[1];
        gConfig[1] = 0;
        savedBox = gGraphicsFailureBox;
        gGraphicsFailureBox = [](const char*, const char*) { ++gBoxes; };
        gBoxes = 0;
    }
    void TearDown() override {
        ASSERT_EQ(chdir(saved.c_str()), 0);
        gConfig[1] = savedLowSpec;
        gGraphicsFailureBox = savedBox;
    }
    std::string saved;
    std::uint8_t savedLowSpec = 0;
    MessageBoxFunction savedBox = nullptr;
    static int gBoxes;
};
int InFolder::gBoxes = 0;

void expectEveryMemberAtItsSize(const GraphicsResources& resources) {
    for (const Member& m : kMembers) {
        const gfx::Texture* t = memberOf(resources, m);
        ASSERT_NE(t, nullptr) << m.bitmap;
        EXPECT_EQ(t->imageWidth(), m.width) << "bitmap " << m.bitmap;
        EXPECT_EQ(t->imageHeight(), m.height) << "bitmap " << m.bitmap;
        EXPECT_EQ(t->width(), m.loadedW) << "bitmap " << m.bitmap;
        EXPECT_EQ(t->height(), m.loadedH) << "bitmap " << m.bitmap;
    }
}

TEST_F(InFolder, StartsFromResourceFilesInTheWorkingDirectory) {
    // A folder of its own: other test runs may be building theirs at the same time.
    std::string pattern = testing::TempDir() + "gresResourcesXXXXXX";
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    const std::string folder = pattern;
    mkdir((folder + "/Res").c_str(), 0755);
    ASSERT_EQ(chdir(folder.c_str()), 0);
    for (const Member& m : kMembers) writeBmp(resources::bitmapPath(m.bitmap), m.width, m.height);
    for (int id : {327, 328, 329}) {
        std::FILE* f = std::fopen(resources::meshPath(id).c_str(), "wb");
        ASSERT_NE(f, nullptr);
        std::fputs(kTriangleMesh, f);
        std::fclose(f);
    }

    auto device = gfx::createNullDevice(gfx::DeviceOptions{});
    GraphicsResources resources;
    ASSERT_EQ(createGraphicsResources(resources, device.get()), 0);
    EXPECT_EQ(gBoxes, 0);
    expectEveryMemberAtItsSize(resources);
    EXPECT_TRUE(resources.closedChestMesh && resources.openChestMesh && resources.effectMesh);

    // A picture gone: the box, and start-up fails.
    ASSERT_EQ(std::remove(resources::bitmapPath(164).c_str()), 0);
    EXPECT_LT(createGraphicsResources(resources, device.get()), 0);
    EXPECT_EQ(gBoxes, 1);
    // A mesh gone (with the picture back): no box.
    writeBmp(resources::bitmapPath(164), 256, 128);
    ASSERT_EQ(std::remove(resources::meshPath(328).c_str()), 0);
    EXPECT_LT(createGraphicsResources(resources, device.get()), 0);
    EXPECT_EQ(gBoxes, 1);
    releaseGraphicsResources(resources);
}

TEST_F(InFolder, TheGameFolderHoldsEveryPictureAtItsSize) {
    struct stat info{};
    const std::string game = CORVADINE_GAME_DIR;
    if (stat((game + "/Res").c_str(), &info) != 0) GTEST_SKIP() << "no generated resources in " << game;
    ASSERT_EQ(chdir(game.c_str()), 0);
    auto device = gfx::createNullDevice(gfx::DeviceOptions{});
    GraphicsResources resources;
    ASSERT_EQ(createGraphicsResources(resources, device.get()), 0);
    EXPECT_EQ(gBoxes, 0);
    expectEveryMemberAtItsSize(resources);
}

}  // namespace

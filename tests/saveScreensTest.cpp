#include "menus/SaveScreens.h"

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "field/EventState.h"
#include "menus/CampMenu.h"
#include "tests/campFixture.h"

namespace camptest {
namespace {

class SaveScreens : public CampTest {};

TEST_F(SaveScreens, TheMenuSaveScreenWritesOnDecideAndReturnsToTheCampMenuEitherWay) {
    gScene = 210;
    frame(runMenuSaveScreen);
    EXPECT_EQ(gScene, 210);
    EXPECT_TRUE(savedSlots().empty());
    bool caption = false;
    for (const auto& d : device.spriteDraws)
        if (d.texture == resources.menuStrips.get() && d.src.top == 448 && d.colour == 0xE5FFFFFFu) caption = true;
    EXPECT_TRUE(caption);

    frame(runMenuSaveScreen, kInputDecide);
    EXPECT_EQ(gScene, 200);
    EXPECT_EQ(lastSound(), "Kettei.wav");
    EXPECT_EQ(savedSlots().size(), 1u);
    EXPECT_EQ(gRedrawRequest[0], 1);
    EXPECT_EQ(gRedrawRequest[1], 1);

    gScene = 210;
    frame(runMenuSaveScreen, kInputCancel);
    EXPECT_EQ(gScene, 200);
    EXPECT_EQ(lastSound(), "Can.wav");
    EXPECT_EQ(savedSlots().size(), 1u);
}

TEST_F(SaveScreens, TheChapterSaveScreenReturnsToTheFieldWithTheEventWhereItWas) {
    gFieldEvent = 7;
    gEventStep = 12;
    gScene = 9;
    frame(runChapterSaveScreen, kInputCancel);
    EXPECT_EQ(gScene, 0);
    EXPECT_TRUE(savedSlots().empty());
    gScene = 9;
    frame(runChapterSaveScreen, kInputDecide);
    EXPECT_EQ(gScene, 0);
    EXPECT_EQ(savedSlots().size(), 1u);
    EXPECT_EQ(gFieldEvent, 7);
    EXPECT_EQ(gEventStep, 12);
}

TEST_F(SaveScreens, SavingAfterTheClockWentBackKeepsThePlayTime) {
    gPlaySeconds = 100;
    EXPECT_EQ(currentPlaySeconds(), 100);
    calendarNow() += 50;
    EXPECT_EQ(currentPlaySeconds(), 150);
    calendarNow() -= 1000;
    saveIntoSlot(2);
    // what the writer computes, play seconds + now - session start, is what was shown
    EXPECT_EQ(gPlaySeconds + calendarNow() - gSessionStart, 150);
    EXPECT_EQ(savedSlots(), (std::vector<int>{2}));
}

// The real writer in a game folder of the test's own, where a slot can be
// made unwritable: a folder takes the name of its temporary file, which no
// one, root included, can open for writing.
class FailingSaves : public CampTest {
protected:
    void SetUp() override {
        CampTest::SetUp();
        before = std::filesystem::current_path();
        folder = std::filesystem::temp_directory_path() / ("corvadine_failing_saves_" + std::to_string(getpid()));
        std::filesystem::remove_all(folder);
        std::filesystem::create_directories(folder);
        std::filesystem::current_path(folder);
        gSaveWriter = writeSaveFile;
    }
    void TearDown() override {
        std::filesystem::current_path(before);
        std::filesystem::remove_all(folder);
        CampTest::TearDown();
    }
    static void block(int slot) { std::filesystem::create_directory(saveFilePath(slot) + ".tmp"); }
    static void unblock(int slot) { std::filesystem::remove(saveFilePath(slot) + ".tmp"); }
    static void writeOld(int slot) { std::ofstream(saveFilePath(slot), std::ios::binary) << "the old save"; }
    static std::string contents(int slot) {
        std::ifstream in(saveFilePath(slot), std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }

    std::filesystem::path before, folder;
};

TEST_F(FailingSaves, TheMenuSaveScreenSaysSoAndStaysOnTheChooserUntilASaveIsWritten) {
    writeOld(1);
    block(1);
    gSaveSlotCursor = 1;
    gScene = kSceneMenuSave;
    frame(runMenuSaveScreen, kInputDecide);
    EXPECT_EQ(gScene, kSceneMenuSave);
    EXPECT_EQ(lastSound(), "Buza.wav");
    EXPECT_TRUE(textDrawn(kSaveNotWrittenText));
    EXPECT_EQ(contents(1), "the old save");

    frame(runMenuSaveScreen);
    EXPECT_TRUE(textDrawn(kSaveNotWrittenText)) << "the line stays until a key";
    frame(runMenuSaveScreen, kInputRight);
    frame(runMenuSaveScreen);
    EXPECT_FALSE(textDrawn(kSaveNotWrittenText));

    unblock(1);
    frame(runMenuSaveScreen, kInputLeft);
    frame(runMenuSaveScreen, kInputDecide);
    EXPECT_EQ(gScene, kSceneCampMenu);
    EXPECT_EQ(lastSound(), "Kettei.wav");
    EXPECT_EQ(contents(1).size(), kSaveFileSize);
    EXPECT_FALSE(textDrawn(kSaveNotWrittenText));
}

TEST_F(FailingSaves, TheChapterSaveScreenStaysUntilCancelledAndTheOldFileIsKept) {
    writeOld(0);
    block(0);
    gSaveSlotCursor = 0;
    gScene = 9;
    frame(runChapterSaveScreen, kInputDecide);
    EXPECT_EQ(gScene, 9);
    EXPECT_EQ(lastSound(), "Buza.wav");
    EXPECT_TRUE(textDrawn(kSaveNotWrittenText));
    frame(runChapterSaveScreen, kInputCancel);
    EXPECT_EQ(gScene, 0);
    EXPECT_EQ(lastSound(), "Can.wav");
    EXPECT_EQ(contents(0), "the old save");
}

TEST_F(FailingSaves, AFailedAutosaveIsSaidInTheCampMenuAndTheNextCancelLeaves) {
    const std::string said = "オートセーブできませんでした。";
    gConfig[2] = 1;
    block(kAutosaveSlot);
    gScene = kSceneCampMenu;
    frame(runCampMenu, kInputCancel);
    EXPECT_EQ(gScene, kSceneCampMenu);
    EXPECT_EQ(lastSound(), "Buza.wav");
    frame(runCampMenu);
    EXPECT_TRUE(textDrawn(said));
    EXPECT_FALSE(textDrawn("港町"));

    frame(runCampMenu, kInputCancel);
    EXPECT_EQ(gScene, 0);
    EXPECT_EQ(lastSound(), "Can.wav");
    EXPECT_FALSE(std::filesystem::exists(saveFilePath(kAutosaveSlot)));

    // The next visit starts clean and writes the autosave when it can.
    unblock(kAutosaveSlot);
    gScene = kSceneCampMenu;
    settle(runCampMenu);
    EXPECT_FALSE(textDrawn(said));
    frame(runCampMenu, kInputCancel);
    EXPECT_EQ(gScene, 0);
    EXPECT_EQ(contents(kAutosaveSlot).size(), kSaveFileSize);
}

}  // namespace
}  // namespace camptest

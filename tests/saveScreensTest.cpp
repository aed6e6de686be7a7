#include "menus/SaveScreens.h"

#include "events/EventState.h"
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

}  // namespace
}  // namespace camptest

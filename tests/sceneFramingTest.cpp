// The framing check itself: what it counts as a figure out of view.
#include <gtest/gtest.h>

#include "field/Transitions.h"
#include "tests/story1Fixture.h"

using story1test::StoryField;

// A figure that stood in the picture when the scene began and walked out of
// it before the first line has left the scene, as a player watches it go;
// one that was never in the picture and moves out of it is still named.
TEST_F(StoryField, FramingLetsAFigureWalkOutOfThePictureOnlyFromASpotInView) {
    struct Case {
        const char* what;
        float startRows, endRows;  // rows to the right of the camera's cell
        bool named;
    };
    const Case cases[] = {
        {"walks out from the middle of the picture", 0.0f, 12.0f, false},
        {"moves while out of the picture", 12.0f, 13.0f, true},
        {"walks into the picture", 12.0f, 0.0f, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        arrive(7, 14, 5, 1, 0);
        cutCameraToTarget(resources);
        constexpr int kSlot = 20;
        MapObject& figure = gMapObjects[kSlot];
        figure.present = 1;
        figure.visible = 1;
        figure.kind = 0;
        figure.character = 1;
        figure.x = gPlayerPos[0] + c.startRows;
        figure.y = gPlayerPos[1];
        figure.z = gPlayerPos[2];

        framing::Checker checker;
        gFieldEvent = 0;
        checker.beforeFrame(resources, false);  // the scene's starting picture
        gFieldEvent = 99;
        figure.x = gPlayerPos[0] + c.endRows;
        checker.check(resources);
        EXPECT_EQ(!checker.failures.empty(), c.named) << (checker.failures.empty() ? "" : checker.failures[0]);
        gFieldEvent = 0;
    }
}

// A guard on a moving platform rises and sinks with the floor under it while
// a scene plays elsewhere: it has not acted, so it is not named out of view;
// one that also walked has.
TEST_F(StoryField, FramingPassesOverAFigureThatOnlyRodeItsFloor) {
    struct Case {
        const char* what;
        float rise, walk;  // height and rows changed during the event
        bool named;
    };
    const Case cases[] = {
        {"rides its platform up", 0.5f, 0.0f, false},
        {"rides and walks", 0.5f, 1.0f, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        arrive(7, 14, 5, 1, 0);
        cutCameraToTarget(resources);
        constexpr int kSlot = 20;
        MapObject& figure = gMapObjects[kSlot];
        figure.present = 1;
        figure.visible = 1;
        figure.kind = 5;
        figure.character = 29;
        figure.x = gPlayerPos[0] + 14.0f;  // well out of the picture
        figure.y = gPlayerPos[1];
        figure.z = gPlayerPos[2];

        framing::Checker checker;
        gFieldEvent = 0;
        checker.beforeFrame(resources, false);
        gFieldEvent = 99;
        figure.y += c.rise;
        figure.x += c.walk;
        checker.check(resources);
        EXPECT_EQ(!checker.failures.empty(), c.named) << (checker.failures.empty() ? "" : checker.failures[0]);
        gFieldEvent = 0;
    }
}

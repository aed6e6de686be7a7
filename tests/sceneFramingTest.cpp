// The framing check itself: what it counts as a figure out of view.
#include <gtest/gtest.h>

#include "field/Transitions.h"
#include "tests/story1Fixture.h"

using story1test::StoryField;

namespace {

constexpr int kSlot = 20;

// A figure in slot 20, `rows` to the right of the player (and the camera).
MapObject& standFigure(float rows, int kind, int character) {
    MapObject& figure = gMapObjects[kSlot];
    figure.present = 1;
    figure.visible = 1;
    figure.kind = kind;
    figure.character = character;
    figure.x = gPlayerPos[0] + rows;
    figure.y = gPlayerPos[1];
    figure.z = gPlayerPos[2];
    return figure;
}

// The checker takes what stands now as the scene's starting picture, and a
// scene (event 99) begins.
void beginScene(framing::Checker& checker, GraphicsResources& resources) {
    gFieldEvent = 0;
    checker.beforeFrame(resources, false);
    gFieldEvent = 99;
}

// Moves the scene's camera by (rows, height) from where it looks and cuts to it.
void moveCamera(GraphicsResources& resources, float rows, float height) {
    gCameraTarget[0] += rows;
    gCameraTarget[1] += height;
    cutCameraToTarget(resources);
}

}  // namespace

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
        MapObject& figure = standFigure(c.startRows, 0, 1);

        framing::Checker checker;
        beginScene(checker, resources);
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
        MapObject& figure = standFigure(14.0f, 5, 29);  // well out of the picture

        framing::Checker checker;
        beginScene(checker, resources);
        figure.y += c.rise;
        figure.x += c.walk;
        checker.check(resources);
        EXPECT_EQ(!checker.failures.empty(), c.named) << (checker.failures.empty() ? "" : checker.failures[0]);
        gFieldEvent = 0;
    }
}

// A figure seen at one line that the scene's camera then turns away from has
// been left by the camera, as a player watches the view move on; it counts
// again once it turns anew. A camera aimed far up into the sky shows no one
// on purpose; one raised a little still must show the cast.
TEST_F(StoryField, FramingFollowsTheScenesCamera) {
    struct Case {
        const char* what;
        float seenAtRows;     // where the figure stands at the first line
        float cameraRows, cameraHeight;  // the camera's move before the next
        bool turnsAfter;      // the figure turns at the line after the move
        bool named;
    };
    const Case cases[] = {
        {"the camera turns away from a figure it showed", 0.0f, 14.0f, 0.0f, false, false},
        {"the camera turns away, then the figure turns unseen", 0.0f, 14.0f, 0.0f, true, true},
        {"the camera looks at the sky", 14.0f, 0.0f, 20.0f, false, false},
        {"the camera rises a little", 14.0f, 0.0f, 3.0f, false, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        arrive(7, 14, 5, 1, 0);
        cutCameraToTarget(resources);
        MapObject& figure = standFigure(c.seenAtRows, 0, 1);

        framing::Checker checker;
        beginScene(checker, resources);
        figure.facing = static_cast<std::uint8_t>((figure.facing + 1) % 4);  // it acts in the scene
        if (c.seenAtRows == 0.0f) {
            checker.check(resources);
            ASSERT_TRUE(checker.failures.empty()) << checker.failures[0];
        }
        moveCamera(resources, c.cameraRows, c.cameraHeight);
        checker.check(resources);
        if (c.turnsAfter) {  // at the line after
            figure.facing = static_cast<std::uint8_t>((figure.facing + 1) % 4);
            checker.check(resources);
        }
        EXPECT_EQ(!checker.failures.empty(), c.named) << (checker.failures.empty() ? "" : checker.failures[0]);
        gFieldEvent = 0;
    }
}

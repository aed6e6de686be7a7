#include "menus/FormationScreen.h"

#include "battle/BattleRecords.h"

#include "tests/campFixture.h"

namespace camptest {
namespace {

class FormationScreen : public CampTest {
protected:
    void SetUp() override {
        CampTest::SetUp();
        gScene = 206;
        for (int& e : gPartyMembers[1].equipment) e = 0;
        for (int& e : gPartyMembers[2].equipment) e = 0;
    }
    // Gives unit 1 an attack and a defence of exactly 100 before the row factor.
    void hundreds() {
        gFormation = 0;
        nameItem(90, "調整", 7, {100 - statBeforeRowFactor(1, kStatAttack), 100 - statBeforeRowFactor(1, kStatDefence)});
        gPartyMembers[1].equipment[2] = 90;
    }
};

TEST_F(FormationScreen, DecideChoosesAFormationThenStepsTheOrderRoundSix) {
    gFormationOrder = 3;
    settle(runFormationMenu);
    frame(runFormationMenu, kInputDown);
    frame(runFormationMenu, kInputDown);
    EXPECT_EQ(gSubScreenCursor, 2);
    EXPECT_EQ(gFormation, 0);  // moving alone changes nothing
    frame(runFormationMenu, kInputDecide);
    EXPECT_EQ(gFormation, 2);
    EXPECT_EQ(gFormationOrder, 3);
    EXPECT_EQ(lastSound(), "Kettei.wav");
    const int expected[6] = {4, 5, 0, 1, 2, 3};
    for (int press = 0; press < 6; ++press) {
        frame(runFormationMenu, kInputDecide);
        EXPECT_EQ(gFormationOrder, expected[press]);
    }
    frame(runFormationMenu, kInputUp);
    frame(runFormationMenu, kInputUp);
    frame(runFormationMenu, kInputUp);
    EXPECT_EQ(gSubScreenCursor, 9);
    frame(runFormationMenu, kInputCancel);
    EXPECT_EQ(gScene, 200);
    EXPECT_EQ(lastSound(), "Can.wav");
}

TEST_F(FormationScreen, RowFactorsTruncateTheSinglePrecisionProduct) {
    hundreds();
    const struct {
        int formation;
        const char* attackRow;
        const char* attack;
        const char* defenceRow;
        const char* defence;
    } cases[] = {
        {0, "中衛(100%)", "100", "中衛(100%)", "100"},
        {2, "前衛(130%)", "129", "前衛(60%)", "60"},
        {1, "後衛(60%)", "60", "後衛(130%)", "129"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.formation);
        gFormation = c.formation;
        redraw(runFormationMenu);
        EXPECT_EQ(textAt(350, 300), c.attackRow);
        EXPECT_EQ(valueEndingAt(550, 300), c.attack);
        EXPECT_EQ(valueEndingAt(300, 300), "100");
        EXPECT_EQ(textAt(350, 325), c.defenceRow);
        EXPECT_EQ(valueEndingAt(550, 325), c.defence);
    }
}

TEST_F(FormationScreen, PanelBlocksTakeNoRoomForEmptySlots) {
    gParty[0] = 0;
    gParty[1] = 2;
    gParty[2] = 3;
    redraw(runFormationMenu);
    EXPECT_EQ(textAt(60, 300), gUnitBases[2].name);
    EXPECT_EQ(textAt(60, 360), gUnitBases[3].name);
    EXPECT_EQ(textAt(30, 25), gFormations[0].name);
    // the picture: layer 1 at half size at (265, 20)
    bool picture = false;
    for (const auto& d : device.spriteDraws)
        if (d.texture == resources.layer1Target.get() && d.scale.x == 0.5f && d.translation.x == 265.0f &&
            d.translation.y == 20.0f && d.colour == 0xFFFFFFFFu)
            picture = true;
    EXPECT_TRUE(picture);
}

TEST_F(FormationScreen, ActorsStandByRowAndPosition) {
    gFormation = 3;  // rows front, middle, rear for positions 0, 1, 2
    const struct {
        int order;
        float x[3], z[3];
    } cases[] = {
        {0, {8, 6, 4}, {10, 4, 16}},
        {5, {4, 6, 8}, {16, 4, 10}},
        {3, {6, 4, 8}, {4, 16, 10}},
    };
    for (const auto& c : cases) {
        gFormationOrder = c.order;
        for (int slot = 0; slot < 3; ++slot) {
            float x = 0, z = 0;
            formationActorSpot(slot, x, z);
            EXPECT_EQ(x, c.x[slot]) << c.order << " slot " << slot;
            EXPECT_EQ(z, c.z[slot]) << c.order << " slot " << slot;
        }
    }
}

TEST_F(FormationScreen, CameraLooksAlongTheGroundWithTheViewportsAspect) {
    device.currentViewport = gfx::Viewport{0, 0, 640, 480, 0.0f, 1.0f};
    setFormationCamera(&device);
    const gfx::Matrix expectedView = gfx::matrixLookAtLH(gfx::Vec3{10.0f, 3.0f, -7.5f}, gfx::Vec3{10.0f, 1.0f, 10.0f},
                                                         gfx::Vec3{0.0f, 1.0f, 0.0f});
    const gfx::Matrix expectedProjection = gfx::matrixPerspectiveFovLH(3.14159265f / 4.0f, 640.0f / 480.0f, 1.0f, 1000.0f);
    EXPECT_EQ(std::memcmp(&device.view, &expectedView, sizeof expectedView), 0);
    EXPECT_EQ(std::memcmp(&device.projection, &expectedProjection, sizeof expectedProjection), 0);

    device.view = gfx::matrixIdentity();
    device.currentViewport.height = 0;  // no usable viewport: nothing is set
    setFormationCamera(&device);
    const gfx::Matrix identity = gfx::matrixIdentity();
    EXPECT_EQ(std::memcmp(&device.view, &identity, sizeof identity), 0);
    setFormationCamera(nullptr);
}

TEST_F(FormationScreen, TheCampMenuPaintsTheGroundOutsideLowSpecMode) {
    gScene = 200;
    gCampMenuCursor = 5;
    frame(runCampMenu, kInputDecide);
    EXPECT_EQ(gScene, 206);
    int tiles = 0;
    for (const auto& d : device.spriteDraws)
        if (d.texture == resources.tileAtlas.get() && d.renderTarget == resources.groundTarget.get()) {
            ++tiles;
            EXPECT_EQ(d.src.left, 52);
            EXPECT_EQ(d.src.right, 102);
            EXPECT_FLOAT_EQ(d.scale.x, 0.7f);
        }
    EXPECT_EQ(tiles, 100);

    gConfig[1] = 1;
    gScene = 200;
    frame(runCampMenu, kInputDecide);
    EXPECT_EQ(gScene, 206);
    for (const auto& d : device.spriteDraws) EXPECT_NE(d.texture, resources.tileAtlas.get());
    EXPECT_EQ(gRedrawRequest[0], 1);  // the formation screen's first frame redraws its texts
}

}  // namespace
}  // namespace camptest

namespace camptest {

TEST_F(FormationScreen, ThePictureShowsThePartyOnTheChosenSpotsOfAnEmptyStage) {
    gBattleAction.phase = 101;
    gEnemyBattlers[2].monster = 9;
    gPartyActors[1].pose = 4;
    gBattleSchedule.soloMode = 1;
    prepareFormationStage();
    EXPECT_EQ(gBattleAction.phase, 0);
    EXPECT_EQ(gGroundTiles[0], 1);
    EXPECT_EQ(gGroundTiles[1], 1);
    EXPECT_EQ(gEnemyBattlers[2].monster, 0);
    EXPECT_EQ(gPartyActors[1].pose, 0);
    EXPECT_EQ(gBattleSchedule.soloMode, 0);

    gFormation = 3;
    gFormationOrder = 5;
    placeFormationActors();
    for (int slot = 0; slot < 3; ++slot) {
        float x = 0, z = 0;
        formationActorSpot(slot, x, z);
        EXPECT_EQ(gPartyActors[slot].x, x) << slot;
        EXPECT_EQ(gPartyActors[slot].z, z) << slot;
    }
}

}  // namespace camptest

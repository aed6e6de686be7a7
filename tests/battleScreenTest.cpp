// What the battle draws: the battlers and ground, the camera glide, the
// effect slots and the party status panel.
#include "battle/BattleField.h"
#include "battle/PartyStatusPanel.h"
#include "tests/battleFixture.h"
#include "tests/drawingRecordingDevice.h"

namespace battletest {
namespace {

// Records every quad drawn from the shared buffer: its texture, where it
// was translated to and a copy of its vertices.
class QuadRecorder : public testing_gfx::RecordingDevice {
public:
    struct Quad {
        gfx::Texture* texture;
        float x, y, z;
        gfx::Vertex v[4];
    };
    std::vector<Quad> quads;
    std::vector<int> bufferFills;  // quads.size() at each lock of the buffer
    gfx::Texture* texture = nullptr;
    gfx::Matrix world = gfx::matrixIdentity();
    int meshDraws = 0;

    void setTexture(gfx::Texture* t) override { texture = t; }
    void setTransform(gfx::TransformKind kind, const gfx::Matrix& m) override {
        if (kind == gfx::TransformKind::World) world = m;
        RecordingDevice::setTransform(kind, m);
    }
    int drawPrimitive(gfx::Primitive, gfx::VertexBuffer* buffer, int, int) override {
        Quad q{texture, world.m[3][0], world.m[3][1], world.m[3][2], {}};
        const gfx::Vertex* v = buffer->lock();
        for (int i = 0; i < 4; ++i) q.v[i] = v[i];
        buffer->unlock();
        quads.push_back(q);
        return 0;
    }
};

class BattleScreen : public BattleTest {
protected:
    QuadRecorder recorder;
    GraphicsResources drawing;
    gfx::Device& dev() { return recorder; }

    void SetUp() override {
        BattleTest::SetUp();
        setUpBattle(kGroupTwoSlimes);
        drawing.quadVertices = dev().createVertexBuffer(4);
        drawing.sprite = dev().createSprite();
        drawing.cameraTrack = std::make_unique<KeyframeTrack>();
        for (auto& sheet : drawing.spriteSheets) sheet = dev().createRenderTarget(32, 32, gfx::TextureFormat::A8R8G8B8);
        drawing.groundTarget = dev().createRenderTarget(320, 320, gfx::TextureFormat::A8R8G8B8);
        drawing.tileAtlas = dev().createRenderTarget(640, 320, gfx::TextureFormat::A8R8G8B8);
        drawing.pointerHand = dev().createRenderTarget(64, 64, gfx::TextureFormat::A8R8G8B8);
        drawing.effectSheet = dev().createRenderTarget(256, 256, gfx::TextureFormat::A8R8G8B8);
        drawing.digitSheet = dev().createRenderTarget(256, 128, gfx::TextureFormat::A8R8G8B8);
        drawing.popupWords = dev().createRenderTarget(128, 512, gfx::TextureFormat::A8R8G8B8);
    }
    std::vector<QuadRecorder::Quad> quadsWith(gfx::Texture* t) const {
        std::vector<QuadRecorder::Quad> out;
        for (const auto& q : recorder.quads)
            if (q.texture == t) out.push_back(q);
        return out;
    }
    std::vector<QuadRecorder::Quad> battlerQuads() const {
        std::vector<QuadRecorder::Quad> out;
        for (const auto& q : recorder.quads)
            for (const auto& sheet : drawing.spriteSheets)
                if (q.texture == sheet.get()) out.push_back(q);
        return out;
    }
};

TEST_F(BattleScreen, PartyBattlersSkipEmptySlotsAndShowTheBodyguardOnlyAlone) {
    gParty[0] = 4;
    gParty[1] = 0;
    gParty[2] = 2;
    EXPECT_EQ(partyBattlerCharacter(0), 3);
    EXPECT_EQ(partyBattlerCharacter(1), -1);
    EXPECT_EQ(partyBattlerCharacter(2), 1);
    EXPECT_EQ(partyBattlerCharacter(3), -1);
    gBattleSchedule.soloMode = 1;
    gBattleSchedule.bodyguardIndex = 2;
    EXPECT_EQ(partyBattlerCharacter(3), 47);

    gBattleSchedule.soloMode = 0;
    gEnemyBattlers[0].monster = gEnemyBattlers[1].monster = 0;
    drawBattleField(drawing, &recorder);
    const auto quads = battlerQuads();
    ASSERT_EQ(quads.size(), 2u);
    EXPECT_FLOAT_EQ(quads[0].x, gPartyActors[0].x);
    EXPECT_EQ(quads[0].texture, drawing.spriteSheets[0].get());
    // Row 3 of the sheet, pose column 0.
    EXPECT_FLOAT_EQ(quads[0].v[0].v, 0.3f + 0.0078125f);
    EXPECT_FLOAT_EQ(quads[0].v[3].u, 0.1f);
}

TEST_F(BattleScreen, EnemiesAreMirroredAndSharedQuadsBatched) {
    for (int k = 0; k < 3; ++k) gEnemyBattlers[k].monster = kSlime;
    gEnemyActors[2].pose = 3;
    gParty[0] = gParty[1] = gParty[2] = 0;
    drawBattleField(drawing, &recorder);
    const auto quads = battlerQuads();
    ASSERT_EQ(quads.size(), 3u);
    EXPECT_FLOAT_EQ(quads[0].v[0].x, 0.5f);  // top-left of a facing-0 enemy is on +x
    EXPECT_FLOAT_EQ(quads[1].x, gEnemyActors[1].x);
    EXPECT_FLOAT_EQ(quads[2].v[0].u, 0.3f);  // the hit pose got its own filling

    gfx::Vertex enemyFlipped[4];
    gfx::Vertex member[4];
    fillBattlerQuad(enemyFlipped, 20, 0, 1, true);
    fillBattlerQuad(member, 20, 0, 0, false);
    for (int i = 0; i < 4; ++i) EXPECT_FLOAT_EQ(enemyFlipped[i].x, member[i].x);
}

TEST_F(BattleScreen, GroundIsOnePictureOrAHundredTiles) {
    drawBattleField(drawing, &recorder);
    EXPECT_EQ(quadsWith(drawing.groundTarget.get()).size(), 1u);
    recorder.quads.clear();
    gConfig[1] = 1;
    gGroundTiles[0] = 3;
    gGroundTiles[1] = 2;
    drawBattleField(drawing, &recorder);
    const auto tiles = quadsWith(drawing.tileAtlas.get());
    ASSERT_EQ(tiles.size(), 100u);
    EXPECT_NEAR(tiles[0].v[0].u, 0.15234375f, 1e-6);
    EXPECT_NEAR(tiles[0].v[3].v, 0.2953125f, 1e-6);
    EXPECT_FLOAT_EQ(tiles[99].x, 18.0f);
    EXPECT_FLOAT_EQ(tiles[99].z, 18.0f);
}

TEST_F(BattleScreen, AStrayLowSpecByteDrawsTheGroundPictureTheResourcesMade) {
    // Only 1 is low-spec: with 2 the resources made the ground target, so the
    // battle draws it rather than tiles.
    gConfig[1] = 2;
    drawBattleField(drawing, &recorder);
    EXPECT_EQ(quadsWith(drawing.groundTarget.get()).size(), 1u);
    EXPECT_TRUE(quadsWith(drawing.tileAtlas.get()).empty());
}

TEST_F(BattleScreen, TargetMarkerHangsOverTheTargetOnlyWhileChoosing) {
    gBattleAction.phase = kPhaseCommand;
    drawBattleField(drawing, &recorder);
    EXPECT_TRUE(quadsWith(drawing.pointerHand.get()).empty());
    gBattleAction.phase = kPhaseWeaponEnemyTarget;
    gBattleAction.targetSide = kSideEnemy;
    gBattleAction.targetIndex = 1;
    drawBattleField(drawing, &recorder);
    const auto hand = quadsWith(drawing.pointerHand.get());
    ASSERT_EQ(hand.size(), 1u);
    EXPECT_FLOAT_EQ(hand[0].x, gEnemyActors[1].x);
    EXPECT_FLOAT_EQ(hand[0].v[0].y, 1.5f);
}

TEST_F(BattleScreen, CameraCutsInThenGlidesOnlyWhenForced) {
    KeyframeTrack& track = *drawing.cameraTrack;
    track.setKeyCount(1);
    track.setKey(0, 0.0f, 0, 1, 2, 3, 4, 0, 1.0f);  // the field's camera, mode 1
    const float target[3] = {10.0f, 1.0f, 0.0f};
    moveCamera(drawing, &recorder, target, 7.0f, 0);
    float c0 = 0;
    int finished = 0;
    float ch[6] = {};
    track.evaluateTrack(gTestMs, &c0, &finished, ch);
    EXPECT_FLOAT_EQ(ch[0], 10.0f);
    EXPECT_FLOAT_EQ(ch[2], 0.0f);
    EXPECT_FLOAT_EQ(ch[5], 0.0f);
    track.evaluateTrack(gTestMs + 300, &c0, &finished, ch);
    EXPECT_FLOAT_EQ(ch[2], -0.5f);
    EXPECT_EQ(track.duration(), 300u);

    gTestMs += 100;
    const float elsewhere[3] = {14.0f, 0.0f, 6.0f};
    moveCamera(drawing, &recorder, elsewhere, 6.0f, 0);  // ignored: the battle's view is on
    EXPECT_EQ(track.start(), gTestMs - 100);
    moveCamera(drawing, &recorder, elsewhere, 6.0f, 1);
    EXPECT_EQ(track.start(), gTestMs);
    track.evaluateTrack(gTestMs, &c0, &finished, ch);
    EXPECT_NEAR(ch[2], -0.5f / 3.0f, 1e-4);  // from where the first glide stood
    track.evaluateTrack(gTestMs + 300, &c0, &finished, ch);
    EXPECT_FLOAT_EQ(ch[0], 14.0f);
    EXPECT_FLOAT_EQ(ch[3], 6.0f);
}

TEST_F(BattleScreen, EffectSlotsDrawTheirSheetCellsAndTheMesh) {
    emptyEffectSlots();
    gEffectSlots[2] = EffectSlot{1, 3, 4, 5.0f, 1.0f, 2.0f, 0, 0, 0, 0, 1.0f};
    gEffectSlots[3] = EffectSlot{0, 1, 1, 0, 0, 0, 0, 0, 0, 0, 1.0f};
    gEffectSlots[4] = EffectSlot{1, 100, 0, 0, 0, 0, 90.0f, 1, 1, 1, 0.5f};
    drawBattleEffects(drawing, &recorder);  // no mesh loaded: the mesh slot draws nothing
    const auto cells = quadsWith(drawing.effectSheet.get());
    ASSERT_EQ(cells.size(), 1u);
    EXPECT_NEAR(cells[0].v[0].u, 0.6f, 1e-6);
    EXPECT_NEAR(cells[0].v[3].u, 0.8f, 1e-6);
    EXPECT_NEAR(cells[0].v[0].v, 0.8f, 1e-6);
    EXPECT_NEAR(cells[0].v[3].v, 1.0f, 1e-6);
    EXPECT_FLOAT_EQ(cells[0].x, 5.0f);
    EXPECT_FLOAT_EQ(cells[0].v[0].z, 0.05f);
}

TEST_F(BattleScreen, PopupDigitsComeFromTheirSheetRows) {
    gBattleAction.phase = kPhaseAfterAction;
    resolveEffect(kSideParty, 0, kSideEnemy, 0, 0, 305, kEffectFixed);
    resolveEffect(kSideParty, 0, kSideParty, 1, 0, -42, kEffectFixed);
    resolveEffect(kSideParty, 0, kSideEnemy, 1, 0, 0, kEffectMiss);
    updateDamagePopups(drawing, &recorder);
    const auto digits = quadsWith(drawing.digitSheet.get());
    ASSERT_EQ(digits.size(), 5u);
    EXPECT_NEAR(digits[0].v[0].u, 0.31f, 1e-6);  // 3
    EXPECT_NEAR(digits[1].v[0].u, 0.01f, 1e-6);  // 0
    EXPECT_NEAR(digits[2].v[0].u, 0.51f, 1e-6);  // 5
    EXPECT_NEAR(digits[2].v[0].x, 0.3f - 0.2f, 1e-6);
    EXPECT_NEAR(digits[3].v[2].v, 0.5f, 1e-6);   // healing: the green row
    EXPECT_FLOAT_EQ(digits[0].x, gEnemyActors[0].x);
    const auto words = quadsWith(drawing.popupWords.get());
    ASSERT_EQ(words.size(), 1u);
    EXPECT_NEAR(words[0].v[1].u, 0.5f, 1e-6);
    EXPECT_FLOAT_EQ(words[0].v[0].x, -1.3f);
}

TEST_F(BattleScreen, PanelRowsColoursGaugesAndLetters) {
    const int max = computeUnitStat(1, kStatMaxHp);
    struct Case {
        int hp;
        int colour;
        int fill;
    };
    for (const Case c : {Case{0, 20, -1}, Case{max, 0, 63}, Case{max * 39 / 100, 50, max * 39 / 100 * 64 / max - 1}})
    {
        gPartyMembers[1].hp = c.hp;
        PanelRow rows[3];
        ASSERT_EQ(panelRows(rows), 3);
        EXPECT_EQ(rows[0].colour, c.colour) << c.hp;
        EXPECT_EQ(hpFillRight(rows[0].hp, rows[0].maxHp), c.fill) << c.hp;
    }
    EXPECT_EQ(spFillRight(10, 10), 113);

    std::uint8_t status[kStatusCount] = {};
    status[kStatusEvade] = 1;
    status[kStatusAttackUp] = 1;
    int cells[kStatusCount];
    int letters[kStatusCount];
    ASSERT_EQ(statusLetterCells(status, cells, letters), 2);
    EXPECT_EQ(letters[0], kStatusEvade);
    EXPECT_EQ(cells[0], 398);
    EXPECT_EQ(letters[1], kStatusAttackUp);
    EXPECT_EQ(cells[1], 388);
}

TEST_F(BattleScreen, PanelKeepsRowPlacesAndShowsTheBodyguardAlone) {
    gParty[1] = 0;
    gPartyMembers[3].stones[0] = 2;
    PanelRow rows[3];
    ASSERT_EQ(panelRows(rows), 2);
    EXPECT_EQ(rows[1].y, 460);
    EXPECT_FALSE(rows[0].showsSp);
    EXPECT_TRUE(rows[1].showsSp);

    gBattleSchedule.soloMode = 1;
    gBattleSchedule.bodyguardIndex = 1;
    gBodyguards[1].hp = 12;
    ASSERT_EQ(panelRows(rows), 1);
    EXPECT_EQ(rows[0].hp, 12);
    EXPECT_EQ(rows[0].maxHp, computeBodyguardStat(1, kStatMaxHp));
    EXPECT_FALSE(rows[0].showsSp);
}

TEST_F(BattleScreen, PanelTextGoesToLayerTwo) {
    gRedrawRequest[0] = 1;
    gBattleAction.actingSide = kSideParty;
    gBattleAction.actingIndex = 2;
    drawing.layer2Target = dev().createRenderTarget(640, 480, gfx::TextureFormat::A8R8G8B8);
    drawing.layer1Target = dev().createRenderTarget(640, 480, gfx::TextureFormat::A8R8G8B8);
    drawing.windowBackground = dev().createRenderTarget(512, 512, gfx::TextureFormat::A8R8G8B8);
    drawing.gaugeBar = dev().createRenderTarget(128, 16, gfx::TextureFormat::A8R8G8B8);
    drawPartyStatusPanel(drawing, &recorder);
    bool nameSeen = false;
    for (const auto& t : recorder.textDraws)
        if (t.rect.left == 300 && t.rect.top == 400) nameSeen = t.renderTarget == drawing.layer2Target.get();
    EXPECT_TRUE(nameSeen);
    bool barSeen = false;
    for (const auto& d : recorder.spriteDraws)
        if (d.texture == drawing.windowBackground.get()) barSeen = d.translation.y == 455.0f && d.colour == 0x80FFFFFFu;
    EXPECT_TRUE(barSeen);
}

}  // namespace
}  // namespace battletest

// The battle ground, the target marker and the battlers as billboards.
#include "battle/BattleField.h"

#include "battle/BattleServices.h"
#include "engine/Config.h"
#include "engine/GraphicsResources.h"
#include "gamedata/GameData.h"

namespace {

constexpr gfx::Colour kWhite = 0xFFFFFFFFu;
const int kBodyguardCharacters[4] = {52, 48, 47, 16};
constexpr int kSheetCount = 6;

void setQuad(gfx::Vertex* v, const float positions[4][3], const float uv[4][2]) {
    for (int i = 0; i < 4; ++i) v[i] = {positions[i][0], positions[i][1], positions[i][2], kWhite, uv[i][0], uv[i][1]};
}

void drawQuadAt(GraphicsResources& resources, gfx::Device* device, float x, float y, float z) {
    resources.worldMatrix = gfx::matrixTranslation(x, y, z);
    device->setTransform(gfx::TransformKind::World, resources.worldMatrix);
    device->drawPrimitive(gfx::Primitive::TriangleStrip, resources.quadVertices.get(), 0, 2);
}

bool isTargetPhase(int phase) {
    return phase == 11 || phase == 21 || phase == 22 || phase == 23 || phase == 31 || phase == 32 || phase == 33;
}

void drawGround(GraphicsResources& resources, gfx::Device* device) {
    gfx::Vertex* v = resources.quadVertices->lock();
    if (!v) return;
    if (!lowSpecGraphics()) {
        // The painted ground: its horizontal axis runs from the far edge to the near one.
        const float positions[4][3] = {{0, 0, 20}, {20, 0, 20}, {0, 0, 0}, {20, 0, 0}};
        const float uv[4][2] = {{0, 0}, {0, 1}, {1, 0}, {1, 1}};
        setQuad(v, positions, uv);
        resources.quadVertices->unlock();
        device->setTexture(resources.groundTarget.get());
        resources.worldMatrix = gfx::matrixIdentity();
        device->setTransform(gfx::TransformKind::World, resources.worldMatrix);
        device->drawPrimitive(gfx::Primitive::TriangleStrip, resources.quadVertices.get(), 0, 2);
        return;
    }
    const float tc = static_cast<float>(gGroundTiles[0]);
    const float tr = static_cast<float>(gGroundTiles[1]);
    const float uL = tc * 0.05f + 0.00234375f;
    const float uR = tc * 0.05f + 0.05f - 0.00234375f;
    const float vT = tr * 0.1f + 0.0046875f;
    const float vB = tr * 0.1f + 0.1f - 0.0046875f;
    const float positions[4][3] = {{0, 0, 2}, {2, 0, 2}, {0, 0, 0}, {2, 0, 0}};
    const float uv[4][2] = {{uL, vT}, {uR, vT}, {uL, vB}, {uR, vB}};
    setQuad(v, positions, uv);
    resources.quadVertices->unlock();
    device->setTexture(resources.tileAtlas.get());
    for (int x = 0; x < 20; x += 2)
        for (int z = 0; z < 20; z += 2) drawQuadAt(resources, device, static_cast<float>(x), 0.0f, static_cast<float>(z));
}

void drawTargetMarker(GraphicsResources& resources, gfx::Device* device) {
    const BattleActionBlock& a = gBattleAction;
    const BattleActor* target = nullptr;
    if (a.targetSide == kSideParty && a.targetIndex >= 0 && a.targetIndex < kPartyLineCount)
        target = &gPartyActors[a.targetIndex];
    if (a.targetSide != kSideParty && a.targetIndex >= 0 && a.targetIndex < kEnemySlotCount)
        target = &gEnemyActors[a.targetIndex];
    if (!target) return;
    gfx::Vertex* v = resources.quadVertices->lock();
    if (!v) return;
    const float positions[4][3] = {{-0.25f, 1.5f, 0}, {-0.25f, 1.0f, 0}, {0.25f, 1.5f, 0}, {0.25f, 1.0f, 0}};
    const float uv[4][2] = {{0, 0}, {1, 0}, {0, 1}, {1, 1}};
    setQuad(v, positions, uv);
    resources.quadVertices->unlock();
    device->setTexture(resources.pointerHand.get());
    drawQuadAt(resources, device, target->x, target->y, target->z);
}

}  // namespace

void fillBattlerQuad(gfx::Vertex* v, int character, int pose, int facing, bool enemy) {
    // Enemies are mirrored so that they face the party at facing 0.
    const float sideSign = enemy ? -1.0f : 1.0f;
    const float corners[4][2] = {{-0.5f * sideSign, 1.25f}, {0.5f * sideSign, 1.25f}, {-0.5f * sideSign, 0.0f},
                                 {0.5f * sideSign, 0.0f}};
    const int order[2][4] = {{0, 1, 2, 3}, {1, 0, 3, 2}};
    const int row = character % 10;
    const float p = static_cast<float>(pose);
    const float r = static_cast<float>(row);
    const float uv[4][2] = {{p * 0.1f, r * 0.1f + 0.0078125f},
                            {(p + 1) * 0.1f, r * 0.1f + 0.0078125f},
                            {p * 0.1f, (r + 1) * 0.1f},
                            {(p + 1) * 0.1f, (r + 1) * 0.1f}};
    for (int corner = 0; corner < 4; ++corner) {
        gfx::Vertex& vertex = v[order[facing == 1 ? 1 : 0][corner]];
        vertex.x = corners[corner][0];
        vertex.y = corners[corner][1];
        vertex.z = 0.0f;
    }
    for (int i = 0; i < 4; ++i) {
        v[i].diffuse = kWhite;
        v[i].u = uv[i][0];
        v[i].v = uv[i][1];
    }
}

int partyBattlerCharacter(int actor) {
    if (actor < 3) return gParty[actor] > 0 ? gParty[actor] - 1 : -1;
    if (gBattleSchedule.soloMode == 0) return -1;
    const int b = gBattleSchedule.bodyguardIndex;
    return b >= 0 && b < 4 ? kBodyguardCharacters[b] : -1;
}

int enemyBattlerCharacter(int slot) {
    const int monster = gEnemyBattlers[slot].monster;
    if (monster <= 0 || monster >= kMonsterCount) return -1;
    return gMonsters[monster].sprite;
}

void drawBattleField(GraphicsResources& resources, gfx::Device* device) {
    if (!device || !resources.quadVertices) return;
    device->setRenderState(gfx::kRsAlphaTestEnable, 0);
    drawGround(resources, device);
    device->setRenderState(gfx::kRsAlphaTestEnable, 1);
    device->setRenderState(gfx::kRsAlphaRef, 127);
    device->setRenderState(gfx::kRsAlphaFunc, gfx::kCmpGreater);
    if (isTargetPhase(gBattleAction.phase)) drawTargetMarker(resources, device);

    for (int i = 0; i < kPartyLineCount; ++i) {
        const int character = partyBattlerCharacter(i);
        // Characters past the sixth sheet are never given: they are skipped.
        if (character < 0 || character >= 10 * kSheetCount) continue;
        const BattleActor& actor = gPartyActors[i];
        gfx::Vertex* v = resources.quadVertices->lock();
        if (!v) return;
        fillBattlerQuad(v, character, actor.pose, actor.facing, false);
        resources.quadVertices->unlock();
        device->setTexture(resources.spriteSheets[character / 10].get());
        drawQuadAt(resources, device, actor.x, actor.y, actor.z);
    }

    bool drawn[kEnemySlotCount] = {};
    for (int k = 0; k < kEnemySlotCount; ++k) {
        const int character = enemyBattlerCharacter(k);
        if (drawn[k] || character < 0 || character >= 10 * kSheetCount) continue;
        const BattleActor& first = gEnemyActors[k];
        gfx::Vertex* v = resources.quadVertices->lock();
        if (!v) return;
        fillBattlerQuad(v, character, first.pose, first.facing, true);
        resources.quadVertices->unlock();
        device->setTexture(resources.spriteSheets[character / 10].get());
        for (int j = k; j < kEnemySlotCount; ++j) {
            const BattleActor& other = gEnemyActors[j];
            if (drawn[j] || enemyBattlerCharacter(j) != character || other.pose != first.pose ||
                other.facing != first.facing)
                continue;
            drawn[j] = true;
            drawQuadAt(resources, device, other.x, other.y, other.z);
        }
    }
}

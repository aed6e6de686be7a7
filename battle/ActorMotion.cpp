// One straight-line move at a time for a battler or an effect slot, the
// frame-count wait and the wave offset of effect rows.
#include <cmath>

#include "battle/BattleServices.h"
#include "gamedata/GameData.h"

namespace {

float* positionOf(int side, int index) {
    if (side == kSideParty && index >= 0 && index < kPartyLineCount) return &gPartyActors[index].x;
    if (side == kSideEnemy && index >= 0 && index < kEnemySlotCount) return &gEnemyActors[index].x;
    return nullptr;
}

void beginFrom(const float* position) {
    for (int i = 0; i < 3; ++i) gMoveLine.start[i] = position ? position[i] : 0.0f;
    for (int i = 0; i < 3; ++i) gMoveLine.end[i] = gMoveLine.start[i];
    gMoveLine.frame = 0;
}

}  // namespace

void beginMoveToTarget(int moverSide, int moverIndex, int targetSide, int targetIndex) {
    beginFrom(positionOf(moverSide, moverIndex));
    const float* target = positionOf(targetSide, targetIndex);
    if (!target) return;
    for (int i = 0; i < 3; ++i) gMoveLine.end[i] = target[i];
    gMoveLine.end[0] += moverSide == kSideParty ? -1.0f : 1.0f;
}

void beginMoveInPlace(int side, int index) { beginFrom(positionOf(side, index)); }

void beginMoveHome(int side, int index) {
    beginFrom(positionOf(side, index));
    const float* home = nullptr;
    if (side == kSideParty && index >= 0 && index < kPartyLineCount) home = gPartyHomes[index];
    if (side == kSideEnemy && index >= 0 && index < kEnemySlotCount) home = gEnemyHomes[index];
    if (!home) return;
    for (int i = 0; i < 3; ++i) gMoveLine.end[i] = home[i];
}

void beginMoveOffset(float dx, float dy, float dz) {
    const int side = gBattleAction.actingSide;
    beginFrom(positionOf(side, gBattleAction.actingIndex));
    gMoveLine.end[0] += side == kSideEnemy ? -dx : dx;
    gMoveLine.end[1] += dy;
    gMoveLine.end[2] += dz;
}

int stepActorMove(int target, int index, float framesPerUnit) {
    float delta[3];
    for (int i = 0; i < 3; ++i) delta[i] = gMoveLine.end[i] - gMoveLine.start[i];
    const float length = std::sqrt(delta[0] * delta[0] + delta[1] * delta[1] + delta[2] * delta[2]);
    const float frames = length * framesPerUnit;

    float* position = nullptr;
    BattleActor* actor = nullptr;
    bool enemy = false;
    if (target == 0 && index >= 0 && index < kPartyLineCount) actor = &gPartyActors[index];
    if (target == 1 && index >= 0 && index < kEnemySlotCount) {
        actor = &gEnemyActors[index];
        enemy = true;
    }
    if (target == 2 && index >= 0 && index < kEffectSlotCount) position = &gEffectSlots[index].x;
    if (actor) position = &actor->x;
    const bool enemyDown = enemy && gEnemyBattlers[index].hp == 0;

    if (static_cast<float>(gMoveLine.frame) <= frames) {
        if (position) {
            for (int i = 0; i < 3; ++i) {
                // A move of length 0 stays at its start.
                const float t = frames > 0.0f ? static_cast<float>(gMoveLine.frame) / frames : 0.0f;
                position[i] = gMoveLine.start[i] + delta[i] * t;
            }
        }
        if (actor) {
            if (enemy)
                actor->pose = enemyDown ? 3 : (gMoveLine.frame % 2 == 1 ? 1 : 0);
            else
                actor->pose = gMoveLine.frame % 6 < 3 ? 0 : 1;
        }
        ++gMoveLine.frame;
        return 0;
    }
    if (position)
        for (int i = 0; i < 3; ++i) position[i] = gMoveLine.end[i];
    if (actor) actor->pose = enemyDown ? 3 : 0;
    return 1;
}

int waitFrames(int n) {
    const int old = gWaitCounter;
    gWaitCounter = old + 1;
    // A counter already past its target counts as done rather than waiting for ever.
    if (old >= n) {
        gWaitCounter = 0;
        return 1;
    }
    return 0;
}

float shakeOffset(int frequency) {
    const int frame = gBattleAction.actionFrame;
    const double angle = static_cast<double>(frame) * frequency * 3.14159265358979323846 / 180.0;
    return static_cast<float>(std::sin(angle) * ((frame % 20) - 10) * 0.03);
}

#include "battle/KeyPressGame.h"

#include <cstdio>
#include <cstring>

#include "battle/BattleServices.h"
#include "engine/DrawText.h"
#include "engine/DrawingFunctions.h"
#include "engine/GraphicsResources.h"
#include "engine/Input.h"
#include "engine/Random.h"
#include "engine/TextFont.h"
#include "engine/TextLayers.h"
#include "gamedata/GameData.h"
#include "engine/Camera.h"

KeyPressGameState gKeyPressGame{};
int gHitCount = 0;
int gKeyPressMode = 0;
std::uint32_t gKeyPressClockMillis = 0;

void resetKeyPressGame() {
    gKeyPressGame = KeyPressGameState{};
    for (int& p : gKeyPressGame.notePositions) p = kNoteEmpty;
    gHitCount = 0;
    gKeyPressClockMillis = 0;
    gKeyGameShown = 0;
    gKeyPressMode = 0;
}

void resetKeyPressRun() { gKeyPressGame.started = 0; }

int randomKeyPressKey() { return 2 * (randomThousand() % 5) + 2; }

bool memberSkipsKeyPressGame(int partySlot) {
    if (partySlot < 0 || partySlot > 2) return false;
    const int unit = gParty[partySlot];
    if (unit <= 0 || unit >= kUnitCount) return false;
    for (int item : gPartyMembers[unit].equipment)
        if (item == 111 || item == 112) return true;
    return false;
}

namespace {

KeyPressGameState& game = gKeyPressGame;

const char* const kJudgePerfect = "Perfect ! ";
const char* const kJudgeMiracle = "Miracle ! ";
const char* const kJudgeCool = "Cool ! ";

// Styles: layer 1, white left; yellow, green and cyan centred.
constexpr int kStyleInstruction = 0;
constexpr int kStylePerfect = 52;
constexpr int kStyleMiracle = 32;
constexpr int kStyleCool = 42;

struct Frame {
    GraphicsResources& resources;
    gfx::Device* device;
};

void requestLayer1Redraw() { gRedrawRequest[1] = 2; }

bool freshPress() { return gInputCode != 0 && game.lastInputCode == 0; }

void drawTextBlock(const Frame& f, int height, bool italic, gfx::Rect rect, const char* text, int style) {
    if (f.device == nullptr) return;
    beginTextFont(f.device, height, kMenuFontFace, italic);
    drawText(f.resources, f.device, rect, text, style);
    endTextFont();
}

void drawJudgement(const Frame& f, gfx::Rect rect, const char* text) {
    const int style = text == kJudgePerfect ? kStylePerfect : text == kJudgeMiracle ? kStyleMiracle : kStyleCool;
    drawTextBlock(f, 50, true, rect, text, style);
}

void drawArrowAt(const Frame& f, int key, float x, float y, float clip = 0.0f) {
    if (f.device != nullptr) drawArrow(f.resources, f.device, key, x, y, clip);
}

void drawWindow(const Frame& f, float x, float y, float w, float h) {
    if (f.device != nullptr) drawWindowFrame(f.resources, f.device, x, y, w, h);
}

void drawBarStrip(const Frame& f, gfx::Rect src, float scaleX) {
    if (f.device == nullptr || !f.resources.sprite || !f.resources.gaugeBar) return;
    const gfx::Vec2 scale{scaleX, 1.0f};
    const gfx::Vec2 at{10.0f, 325.0f};
    f.resources.sprite->begin();
    f.resources.sprite->draw(f.resources.gaugeBar.get(), &src, &scale, nullptr, 0.0f, &at, 0xFFFFFFFFu);
    f.resources.sprite->end();
}

// The time gauge: the light strip shrinks to the left as the limit nears.
void drawTimeGauge(const Frame& f, int limitMs, float scaleX) {
    drawBarStrip(f, gfx::Rect{128, 0, 192, 9}, scaleX);
    if (limitMs <= 0) return;
    const int right = 192 - static_cast<int>(static_cast<long long>(game.elapsedMs) * 64 / limitMs);
    if (right - 128 > 0) drawBarStrip(f, gfx::Rect{128, 9, right, 16}, scaleX);
}

const char* instructionFor(int mode) {
    switch (mode) {
        case kKeyPressMash: return "表示されるキーを連打してください";
        case kKeyPressNoteLane:
        case kKeyPressMarkerHeight:
        case kKeyPressMarkerAcross:
        case kKeyPressMarkerDepth: return "タイミング良くキーを押してください";
        case kKeyPressSequence: return "表示されるキーを順番に押してください";
        case kKeyPressChord: return "表示されるキーを同時に押してください";
        case kKeyPressKeyGroups: return "表示されるキーを押してください";
        case kKeyPressHoldRelease: return "キーを押し、ゲージが無くなる寸前に離してください";
        case kKeyPressAimStart:
        case kKeyPressAimGoOn: return "方向キーで座標を操作してください";
        default: return nullptr;
    }
}

int sequenceLength() {
    if (game.noteCount < 0) return 0;
    return game.noteCount > kKeyPressSlots ? kKeyPressSlots : game.noteCount;
}

// Width of the instruction and play windows.
float windowWidth(int mode) {
    if (mode == kKeyPressSequence) return 70.0f * sequenceLength();
    if (mode == kKeyPressKeyGroups) return 280.0f;
    return 350.0f;
}

void cameraOnActingMember(const Frame& f) {
    int slot = gBattleAction.actingIndex;
    if (slot < 0 || slot > 3) slot = 0;
    const BattleActor& a = gPartyActors[slot];
    const float at[3] = {a.x, a.y, a.z};
    moveCamera(f.resources, f.device, at, 5.0f, 1);
}

const BattleActor& targetEnemy() {
    int slot = gBattleAction.targetIndex;
    if (slot < 0 || slot > 5) slot = 0;
    return gEnemyActors[slot];
}

void cameraOnMarker(const Frame& f) {
    const EffectSlot& m = gEffectSlots[1];
    const float at[3] = {m.x, m.y, m.z};
    moveCamera(f.resources, f.device, at, 6.0f, 1);
}

void setUp(const Frame& f, int mode) {
    switch (mode) {
        case kKeyPressMash:
        case kKeyPressNoteLane:
        case kKeyPressSequence:
        case kKeyPressChord:
        case kKeyPressKeyGroups:
        case kKeyPressHoldRelease:
            game.elapsedMs = 0;
            cameraOnActingMember(f);
            game.timerRunning = 0;
            game.notesSpawned = 0;
            gHitCount = 0;
            if (mode == kKeyPressNoteLane)
                for (int& p : game.notePositions) p = kNoteEmpty;
            if (mode == kKeyPressKeyGroups) {
                game.keys[6] = 0;
                game.keys[8] = 0;
                game.noteCount = 0;
            }
            if (mode == kKeyPressHoldRelease) game.noteCount = 0;
            break;
        case kKeyPressMarkerHeight:
        case kKeyPressMarkerAcross:
        case kKeyPressMarkerDepth: {
            game.elapsedMs = 0;
            const BattleActor& t = targetEnemy();
            const float at[3] = {t.x - 0.1f, t.y, t.z};
            moveCamera(f.resources, f.device, at, 9.0f, 1);
            game.timerRunning = 0;
            game.notesSpawned = 0;
            gHitCount = 0;
            break;
        }
        case kKeyPressAimStart:
            cameraOnMarker(f);
            game.elapsedMs = 0;
            game.timerRunning = 0;
            game.notesSpawned = 0;
            gHitCount = 0;
            break;
        default: break;
    }
}

// Results of a mode's steps: go on to the common end, or return at once.
constexpr int kGoOnToEnd = -1;

int runMash(const Frame& f, int limitMs) {
    drawWindow(f, 10, 250, 350, 75);
    drawArrowAt(f, game.keys[0], 20, 255);
    char line[40];
    std::snprintf(line, sizeof line, "%d Hitting!!  ", gHitCount);
    drawTextBlock(f, 40, true, gfx::Rect{100, 274, 350, 350}, line, kStyleInstruction);
    if (freshPress() && gInputCode == game.keys[0]) {
        gHitCount += 1;
        if (game.keys[1] == 1 && gHitCount % 3 == 0) game.keys[0] = randomKeyPressKey();
        requestLayer1Redraw();
    }
    if (gInputCode != 0) game.timerRunning = 1;
    game.lastInputCode = gInputCode;
    drawTimeGauge(f, limitMs, 5.45f);
    return kGoOnToEnd;
}

// Spawns the notes due at every multiple of the interval passed in this call.
void spawnNotes() {
    const int interval = game.spawnIntervalMs;
    if (interval <= 0) return;
    for (long long t = (static_cast<long long>(game.previousElapsedMs) / interval + 1) * interval;
         t <= game.elapsedMs; t += interval) {
        if (t <= game.previousElapsedMs) continue;
        if (game.notesSpawned == kKeyPressSlots) {
            for (float& s : game.noteSpeeds) s = static_cast<float>(static_cast<double>(s) * static_cast<double>(1.05f));
            game.notesSpawned = 0;
        }
        if (game.notesSpawned < game.noteCount) {
            game.notePositions[game.notesSpawned] = static_cast<int>(game.elapsedMs - t + 1);
            game.notesSpawned += 1;
        }
    }
}

int runNoteLane(const Frame& f) {
    drawWindow(f, 10, 265, 512, 64);
    if (game.noteCount != 0) {
        const int delta = game.elapsedMs - game.previousElapsedMs;
        for (int i = 0; i < kKeyPressSlots; ++i) {
            int& p = game.notePositions[i];
            if (p == kNoteEmpty) continue;
            if (p > kNoteWindowLast) {
                requestLayer1Redraw();
                return kKeyPressOver;
            }
            if (p >= 1) {
                drawArrowAt(f, game.keys[i], static_cast<float>(522 - p), 265, p < 64 ? static_cast<float>(-p) : 0.0f);
                p += static_cast<int>(static_cast<double>(delta) * static_cast<double>(game.noteSpeeds[i]));
            }
        }
    }
    if (f.device != nullptr && f.resources.sprite && f.resources.gaugeFrame) {
        const gfx::Rect src{0, 0, 512, 64};
        const gfx::Vec2 at{10.0f, 265.0f};
        f.resources.sprite->begin();
        f.resources.sprite->draw(f.resources.gaugeFrame.get(), &src, nullptr, nullptr, 0.0f, &at, 0xFFFFFFFFu);
        f.resources.sprite->end();
    }
    for (int i = 0; i < kKeyPressSlots; ++i) {
        int& p = game.notePositions[i];
        if (p >= 0) continue;
        const bool latest = game.notesSpawned == i + 1;
        drawJudgement(f, gfx::Rect{10, 275, 522, 329},
                      latest ? kJudgePerfect : gHitCount >= 25 ? kJudgeMiracle : kJudgeCool);
        p += 1;
        if (p == -1) {
            p = kNoteEmpty;
            requestLayer1Redraw();
            if (latest) return kKeyPressOver;
        }
    }
    if (game.timerRunning == 0) {
        game.elapsedMs = 0;
        if (freshPress()) game.timerRunning = 1;
        game.lastInputCode = gInputCode;
        return kGoOnToEnd;
    }
    spawnNotes();
    if (freshPress()) {
        requestLayer1Redraw();
        bool hitAny = false;
        for (int i = 0; i < kKeyPressSlots; ++i) {
            int& p = game.notePositions[i];
            if (game.keys[i] == gInputCode && p >= kNoteWindowFirst && p <= kNoteWindowLast) {
                p = kNoteHitShown;
                gHitCount += 1;
                hitAny = true;
            }
        }
        if (!hitAny) return kKeyPressOver;
    }
    game.lastInputCode = gInputCode;
    return kGoOnToEnd;
}

int runSequence(const Frame& f, int limitMs) {
    const int n = sequenceLength();
    drawWindow(f, 10, 250, 70.0f * n, 75);
    if (game.timerRunning == 1)
        for (int i = gHitCount; i < n; ++i) drawArrowAt(f, game.keys[i], 20.0f + 65.0f * i, 255);
    if (game.timerRunning == 0) {
        if (freshPress()) game.timerRunning = 1;
    } else if (gHitCount < n && freshPress()) {
        if (gInputCode != game.keys[gHitCount]) {
            requestLayer1Redraw();
            return kKeyPressOver;
        }
        gHitCount += 1;
        if (gHitCount == n) requestLayer1Redraw();
    }
    if (gHitCount == n) drawJudgement(f, gfx::Rect{10, 270, 70 * n + 20, 325}, kJudgePerfect);
    game.lastInputCode = gInputCode;
    drawTimeGauge(f, limitMs, 1.09f * n);
    return kGoOnToEnd;
}

// The chords: the diagonal that hits and the two arrows shown for it.
constexpr int kChords[4][3] = {{1, 2, 4}, {7, 4, 8}, {3, 6, 2}, {9, 8, 6}};

int runChord(const Frame& f, int limitMs) {
    drawWindow(f, 10, 250, 350, 75);
    if (game.timerRunning == 1 && gHitCount != 3) {
        drawArrowAt(f, game.keys[0], 150, 255);
        drawArrowAt(f, game.keys[1], 215, 255);
        if (freshPress() && (gInputCode % 2) == 1 && gInputCode == game.keys[2]) {
            const int r = randomThousand() % 4;
            game.keys[2] = kChords[r][0];
            game.keys[0] = kChords[r][1];
            game.keys[1] = kChords[r][2];
            game.keys[3] = 0;
            requestLayer1Redraw();
            gHitCount += 1;
        }
    } else if (game.timerRunning == 0 && freshPress()) {
        game.timerRunning = 1;
    }
    const gfx::Rect judgeRect{10, 270, 370, 325};
    if (gHitCount == 3) {
        drawJudgement(f, judgeRect, kJudgePerfect);
    } else if (gHitCount == 1 || gHitCount == 2) {
        const int before = game.keys[3];
        game.keys[3] += 1;
        if (before == 10) requestLayer1Redraw();
        if (game.keys[3] < 10) drawJudgement(f, judgeRect, kJudgeCool);
    }
    game.lastInputCode = gInputCode;
    drawTimeGauge(f, limitMs, 5.45f);
    return kGoOnToEnd;
}

int runKeyGroups(const Frame& f, int limitMs) {
    drawWindow(f, 10, 250, 280, 75);
    int& place = game.noteCount;
    if (place < 0 || place > 3) place = 0;
    if (game.timerRunning == 1) {
        if (game.keys[5] == 0)
            drawArrowAt(f, game.keys[place], 20.0f + 65.0f * place, 255);
        else
            for (int i = place; i < 4; ++i) drawArrowAt(f, game.keys[i], 20.0f + 65.0f * i, 255);
        if (freshPress() && gInputCode == game.keys[place]) {
            place += 1;
            if (place == 4) {
                gHitCount += 1;
                place = 0;
                game.keys[8] = 0;
                if (game.keys[5] == 1)
                    for (int i = 0; i < 4; ++i) game.keys[i] = randomKeyPressKey();
            }
        }
    } else if (freshPress()) {
        game.timerRunning = 1;
    }
    if (gHitCount > 0 && game.keys[8] == 0) {
        game.keys[6] = 0;
        game.keys[8] = 1;
        gRedrawRequest[1] = 1;
        drawJudgement(f, gfx::Rect{10, 270, 300, 325}, gHitCount >= game.keys[7] ? kJudgeMiracle : kJudgeCool);
    }
    if (gHitCount > 0) {
        const int before = game.keys[6];
        game.keys[6] += 1;
        if (before == 5) requestLayer1Redraw();
    }
    game.lastInputCode = gInputCode;
    drawTimeGauge(f, limitMs, 4.36f);
    return kGoOnToEnd;
}

int runHoldRelease(const Frame& f) {
    drawWindow(f, 10, 250, 350, 75);
    drawArrowAt(f, kEnterMark, 170, 255);
    if (gHitCount == 0) {
        if (game.timerRunning == 0 && freshPress() && gInputCode == game.keys[0]) game.timerRunning = 1;
        if (game.timerRunning == 1) {
            if (gHeldInput[kHeldDecide] == 1) {
                if (game.elapsedMs >= 2000) {
                    requestLayer1Redraw();
                    return kKeyPressOver;
                }
                game.noteCount = game.elapsedMs;
            } else {
                if (game.elapsedMs < 1800) {
                    requestLayer1Redraw();
                    return kKeyPressOver;
                }
                gHitCount = 1;
            }
        }
    }
    if (gHitCount == 1 && game.elapsedMs > 2100) {
        requestLayer1Redraw();
        return kKeyPressOver;
    }
    if (gHitCount == 1)
        drawJudgement(f, gfx::Rect{10, 270, 370, 325}, kJudgePerfect);
    else
        requestLayer1Redraw();
    game.lastInputCode = gInputCode;
    // The gauge empties from the left while the key is held.
    drawBarStrip(f, gfx::Rect{128, 9, 192, 16}, 5.45f);
    int held = game.noteCount;
    if (held < 0) held = 0;
    if (held > 2000) held = 2000;
    const int w = 64 * held / 2000;
    if (w > 0) drawBarStrip(f, gfx::Rect{192 - w, 0, 192, 9}, 5.45f);
    return kGoOnToEnd;
}

int runMarker(int mode) {
    const int cycle = mode == kKeyPressMarkerHeight ? 600 : mode == kKeyPressMarkerAcross ? 800 : 1600;
    while (game.elapsedMs > cycle) game.elapsedMs -= cycle;
    EffectSlot& marker = gEffectSlots[1];
    marker.active = 1;
    const int e = game.elapsedMs;
    const BattleActor& t = targetEnemy();
    if (mode == kKeyPressMarkerHeight)
        marker.y = static_cast<float>(50 - e / 10) / 15.0f;
    else if (mode == kKeyPressMarkerAcross)
        marker.x = t.x + 0.5f - static_cast<float>(50 - e / 20) / 15.0f;
    else
        marker.z = t.z - static_cast<float>((800 - e) / 40) / 15.0f;
    if (gInputCode != 0) {
        if (game.timerRunning == 1) {
            requestLayer1Redraw();
            return kKeyPressOver;
        }
        game.timerRunning = 1;
    } else if (game.timerRunning == 0) {
        game.elapsedMs = 0;
    }
    return kGoOnToEnd;
}

int runAim(const Frame& f) {
    EffectSlot& marker = gEffectSlots[1];
    marker.active = 1;
    if (game.notesSpawned >= kAimShots) {
        requestLayer1Redraw();
        return kKeyPressShotsUsed;
    }
    switch (gInputCode) {
        case kInputDown: marker.z -= 0.5f; cameraOnMarker(f); break;
        case kInputUp: marker.z += 0.5f; cameraOnMarker(f); break;
        case kInputLeft: marker.x -= 0.5f; cameraOnMarker(f); break;
        case kInputRight: marker.x += 0.5f; cameraOnMarker(f); break;
        case kInputDecide:
            game.notesSpawned += 1;
            requestLayer1Redraw();
            return kKeyPressShot;
        default: break;
    }
    return kGoOnToEnd;
}

int runMode(const Frame& f, int mode, int limitMs) {
    switch (mode) {
        case kKeyPressMash: return runMash(f, limitMs);
        case kKeyPressNoteLane: return runNoteLane(f);
        case kKeyPressSequence: return runSequence(f, limitMs);
        case kKeyPressChord: return runChord(f, limitMs);
        case kKeyPressKeyGroups: return runKeyGroups(f, limitMs);
        case kKeyPressHoldRelease: return runHoldRelease(f);
        case kKeyPressMarkerHeight:
        case kKeyPressMarkerAcross:
        case kKeyPressMarkerDepth: return runMarker(mode);
        case kKeyPressAimStart:
        case kKeyPressAimGoOn: return runAim(f);
        default: return kGoOnToEnd;
    }
}

}  // namespace

int runKeyPressGame(GraphicsResources& resources, gfx::Device* device, int mode, int limitMs) {
    const Frame f{resources, device};
    gKeyGameShown = 1;
    gKeyPressMode = mode;
    if (game.started == 0 && gBattleAction.actingSide == 0 && memberSkipsKeyPressGame(gBattleAction.actingIndex))
        return kKeyPressOver;

    game.previousElapsedMs = game.elapsedMs;
    const std::uint32_t now = gMillisecondClock();
    if (game.timerRunning == 1) {
        const std::uint32_t delta = now - gKeyPressClockMillis;
        const long long sum = static_cast<long long>(game.elapsedMs) + delta;
        game.elapsedMs = sum > 0x3FFFFFFF ? 0x3FFFFFFF : static_cast<int>(sum);
    }
    gKeyPressClockMillis = now;

    if (game.started == 0) setUp(f, mode);

    if (const char* instruction = instructionFor(mode)) {
        drawWindow(f, 10, 334, windowWidth(mode), 25);
        drawTextBlock(f, 15, false, gfx::Rect{20, 338, 370, 363}, instruction, kStyleInstruction);
    }

    const int result = runMode(f, mode, limitMs);
    if (result != kGoOnToEnd) return result;

    if (game.started == 0) {
        game.started = 1;
        game.lastInputCode = gInputCode;
    }
    if (limitMs != 0 && game.elapsedMs > limitMs) {
        requestLayer1Redraw();
        return kKeyPressOver;
    }
    return kKeyPressGoesOn;
}

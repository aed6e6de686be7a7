#include "menus/StaffRoll.h"

#include <algorithm>
#include <cstring>

#include "engine/Camera.h"
#include "engine/GraphicsResources.h"
#include "engine/Input.h"
#include "engine/KeyframeTrack.h"
#include "engine/Music.h"
#include "engine/Scene.h"
#include "engine/Screens.h"
#include "engine/TextFont.h"
#include "engine/TextLayers.h"
#include "events/EventEngine.h"
#include "events/EventMusic.h"
#include "events/EventPrimitives.h"
#include "field/EventState.h"
#include "field/FieldMap.h"
#include "field/FieldState.h"
#include "menus/Title.h"

StaffRollState gStaffRoll;

const StaffRollStep kStaffRollTimeline[kStaffRollSteps] = {
    {0, -1, 0, 3, 15000, {"", "", "", "", ""}},
    {15, 3, 1, 3, 13000, {"コルヴァディン　～閉ざされた星晶～", "この物語に登場する人物・団体・国家は", "すべて架空のものです。", "", ""}},
    {28, 1, 2, 4, 15000, {"プログラム", "メインプログラム", "フィールド・イベント", "バトルシステム", ""}},
    {43, 8, 3, 3, 14000, {"協力", "制作進行", "資料整理", "", ""}},
    {57, 122, 0, 3, 14000, {"キャラクターデザイン", "人物原案", "ドット絵", "", ""}},
    {71, 20, 1, 3, 14000, {"シナリオ", "本編シナリオ", "会話テキスト", "", ""}},
    {85, 23, 2, 3, 22000, {"背景グラフィック", "イベント画", "タイトル画面", "", ""}},
    {107, 40, 3, 2, 14000, {"マップグラフィック", "地形チップ", "壁チップ", "", ""}},
    {121, 43, 0, 3, 14000, {"武器グラフィック", "武器デザイン", "技エフェクト", "", ""}},
    {135, 51, 1, 2, 15000, {"音楽", "テーマ曲", "フィールド曲", "", ""}},
    {150, 58, 2, 3, 14000, {"音楽", "バトル曲", "イベント曲", "", ""}},
    {164, 124, 3, 3, 8000, {"効果音", "効果音制作", "", "", ""}},
    {172, 62, 1, 3, 13000, {"テストプレイ", "デバッグ班", "バランス調整", "", ""}},
    {185, 67, 0, 3, 14000, {"ツール", "マップエディタ", "データ変換", "", ""}},
    {199, 97, 1, 3, 14000, {"ツール", "コース生成", "素材生成", "", ""}},
    {213, 76, 2, 3, 15000, {"参考資料", "各種技術資料", "", "", ""}},
    {228, 100, 3, 2, 13000, {"スペシャルサンクス", "遊んでくださった皆様", "", "", ""}},
    {241, 106, 0, 3, 12000, {"制作", "コルヴァディン制作チーム", "", "", ""}},
    {254, kStaffRollEndMap, 0, 0, 0, {"", "", "", "", ""}},
};

namespace {

// Camera keys of steps 1 to 17: a grid point (row, height, col), the phase
// along the track and the yaw in degrees.
struct GridKey {
    float phase, row, height, col, yaw;
};
constexpr int kMaxKeys = 4;
const GridKey kGridKeys[kStaffRollSteps][kMaxKeys] = {
    {},
    {{0.0f, 0, 0, 0, 0}, {0.4f, 30, 20, 20, 20}, {1.0f, 20, 10, 10, 30}},
    {{0.0f, 10, 5, 10, 0}, {0.3f, 20, 8, 15, 25}, {0.7f, 30, 12, 25, 40}, {1.0f, 35, 6, 30, 55}},
    {{0.0f, 25, 4, 25, 0}, {0.5f, 30, 10, 30, 30}, {1.0f, 40, 15, 20, 45}},
    {{0.0f, 15, 2, 15, 0}, {0.5f, 25, 6, 20, 20}, {1.0f, 30, 12, 30, 35}},
    {{0.0f, 20, 10, 20, 0}, {0.6f, 30, 20, 30, 40}, {1.0f, 35, 30, 25, 60}},
    {{0.0f, 5, 3, 5, 0}, {0.5f, 20, 15, 25, 30}, {1.0f, 40, 25, 40, 50}},
    {{0.0f, 30, 5, 10, 0}, {1.0f, 30, 20, 40, 45}},
    {{0.0f, 20, 2, 30, 0}, {0.4f, 25, 10, 25, 25}, {1.0f, 30, 18, 15, 40}},
    {{0.0f, 10, 6, 20, 0}, {1.0f, 40, 30, 30, 60}},
    {{0.0f, 25, 8, 10, 0}, {0.5f, 30, 14, 20, 35}, {1.0f, 35, 20, 30, 50}},
    {{0.0f, 30, 3, 30, 0}, {0.5f, 28, 9, 26, 20}, {1.0f, 22, 14, 22, 30}},
    {{0.0f, 15, 5, 25, 0}, {0.5f, 25, 12, 30, 30}, {1.0f, 35, 20, 35, 45}},
    {{0.0f, 20, 4, 20, 0}, {0.6f, 30, 16, 25, 40}, {1.0f, 40, 24, 20, 55}},
    {{0.0f, 10, 10, 30, 0}, {0.5f, 20, 25, 35, 30}, {1.0f, 30, 40, 40, 50}},
    {{0.0f, 25, 6, 15, 0}, {0.5f, 30, 12, 25, 25}, {1.0f, 35, 18, 35, 45}},
    {{0.0f, 30, 10, 30, 0}, {1.0f, 30, 50, 30, 60}},
    {{0.0f, 28, 2, 28, 0}, {0.5f, 30, 15, 30, 30}, {1.0f, 30, 30, 30, 60}},
    {},
};

constexpr float kCameraMode = 3.0f;  // the orbit turned by the yaw channel
constexpr int kCreditDelay = 5000;   // the credits and the inset settle 5 s into a step
const char* const kCreditFace = "HGS行書体";
constexpr gfx::Colour kShadowColour = 0xCC333333u;

std::uint32_t clockNow() { return gMillisecondClock(); }

// The milliseconds since the last reading (unsigned, so a clock that wraps
// still counts forward), summed without overflowing.
void addClockDelta(std::uint32_t now) {
    const std::uint32_t delta = now - gStaffRoll.lastClock;
    gStaffRoll.lastClock = now;
    const long long sum = static_cast<long long>(gStaffRoll.stepMilliseconds) + delta;
    gStaffRoll.stepMilliseconds = sum > 0x7FFFFFFF ? 0x7FFFFFFF : static_cast<int>(sum);
}

void rekeyCamera(GraphicsResources& resources, int step, std::uint32_t now) {
    if (!resources.cameraTrack) return;
    KeyframeTrack& track = *resources.cameraTrack;
    const StaffRollStep& s = kStaffRollTimeline[step];
    track.setKeyCount(s.keyCount);
    if (step == 0) {
        const float* t = gCameraTarget;
        track.setKey(0, 0.0f, 0.0f, t[0], t[1], t[2], 10.0f, 0.0f, kCameraMode);
        track.setKey(1, 0.2f, 0.0f, t[0], t[1] + 10.0f, t[2] + 5.0f, 20.0f, 0.0f, kCameraMode);
        track.setKey(2, 1.0f, 0.0f, t[0], t[1] + 15.0f, t[2] - 10.0f, 20.0f, 0.0f, kCameraMode);
    } else {
        for (int k = 0; k < s.keyCount && k < kMaxKeys; ++k) {
            const GridKey& key = kGridKeys[step][k];
            float p[3];
            gridToWorld(p, key.row, key.height, key.col);
            track.setKey(k, key.phase, 0.0f, p[0], p[1], p[2], 20.0f, key.yaw, kCameraMode);
        }
    }
    track.setTrackLooping(0);
    track.setTrackDuration(s.duration);
    track.setTrackStart(now);
}

void beginStep(GraphicsResources& resources, std::uint32_t now) {
    const int step = gStaffRoll.step;
    const StaffRollStep& s = kStaffRollTimeline[step];
    if (s.map == kStaffRollEndMap) {
        gStaffRoll.mapShown = kStaffRollEndMap;
        gMusicLock = 0;
        gSlowMusicFade = 1;
        requestMusicStop();
        gStaffRoll.stepMilliseconds = 0;
        // Counted past, so the end is entered once and its five seconds run.
        gStaffRoll.step = step + 1;
        return;
    }
    for (int line = 0; line < 5; ++line) {
        std::strncpy(gStaffRoll.creditLines[line], s.lines[line], kCreditLineLength - 1);
        gStaffRoll.creditLines[line][kCreditLineLength - 1] = '\0';
    }
    if (s.map >= 0) gStaffRoll.mapShown = s.map;
    gStaffRoll.layout = s.layout;
    rekeyCamera(resources, step, now);

    gCurrentMap = gStaffRoll.mapShown;
    if (step == 0) {
        gPlayerVisible = 0;
    } else {
        loadMap(gStaffRoll.mapShown);
        // The arrival set-up dresses the map; nothing it asks for may leave
        // the roll or start an event.
        setUpCurrentMap(1);
        gScene = 900;
        gFieldEvent = 0;
        gEventStep = 0;
        gPendingMapChange.pending = 0;
        gPlayerVisible = 0;
    }
    gStaffRoll.stepMilliseconds = 0;
    gStaffRoll.step = step + 1;
}

void drawLayerWithShadow(GraphicsResources& resources) {
    if (!resources.sprite || !resources.layer2Target) return;
    const gfx::Vec2 shadowAt{1.0f, 1.0f};
    const gfx::Vec2 at{0.0f, 0.0f};
    resources.sprite->begin();
    resources.sprite->draw(resources.layer2Target.get(), nullptr, nullptr, nullptr, 0.0f, &shadowAt, kShadowColour);
    resources.sprite->draw(resources.layer2Target.get(), nullptr, nullptr, nullptr, 0.0f, &at, 0xFFFFFFFFu);
    resources.sprite->end();
}

void writeText(const char* text, gfx::Rect rect, std::uint32_t align, gfx::Colour colour) {
    if (!gTextFont || text[0] == '\0') return;
    gTextFont->begin();
    gTextFont->drawText(text, -1, &rect, gfx::kDtNoClip | align, colour);
    gTextFont->end();
}

void writeCredits(GraphicsResources& resources, gfx::Device* device) {
    if (!resources.layer2Target) return;
    const int alpha = std::min((gStaffRoll.stepMilliseconds - kCreditDelay) / 5, 255);
    const gfx::Colour a = static_cast<gfx::Colour>(alpha) << 24;
    const int headingTop = gStaffRoll.layout >= 2 ? 20 : 260;
    device->setRenderTarget(resources.layer2Target.get());
    beginTextFont(device, 27, kCreditFace);
    writeText(gStaffRoll.creditLines[0], {40, headingTop, 600, 480}, gfx::kDtCentre, a | 0x00FFFF00u);
    endTextFont();
    beginTextFont(device, 23, kCreditFace);
    for (int line = 1; line < 5; ++line) {
        const int top = headingTop + 50 + 30 * (line - 1);
        writeText(gStaffRoll.creditLines[line], {40, top, 640, 480}, gfx::kDtLeft, a | 0x0000FF00u);
    }
    endTextFont();
    device->setRenderTarget(resources.backBuffer);
}

void drawInset(GraphicsResources& resources) {
    if (!resources.sprite || !resources.layer1Target) return;
    float corner[2];
    staffRollInsetCorner(gStaffRoll.layout, corner);
    const int ms = gStaffRoll.stepMilliseconds;
    gfx::Vec2 scale{0.5f, 0.5f};
    gfx::Vec2 at{corner[0], corner[1]};
    if (ms <= kCreditDelay) {
        const float s = 0.5f + static_cast<float>(kCreditDelay - ms) * 0.0001f;
        scale = {s, s};
        at = {corner[0] * static_cast<float>(ms) * 0.0002f, corner[1] * static_cast<float>(ms) * 0.0002f};
    }
    resources.sprite->begin();
    resources.sprite->draw(resources.layer1Target.get(), nullptr, &scale, nullptr, 0.0f, &at, 0xFFFFFFFFu);
    resources.sprite->end();
}

void runEnd(GraphicsResources& resources, gfx::Device* device, std::uint32_t now) {
    if (device != nullptr && resources.layer2Target) {
        device->setRenderTarget(resources.layer2Target.get());
        device->clear(gfx::kClearTarget | gfx::kClearDepth, 0x00000000u, 1.0f, 0);
        beginTextFont(device, 40, kCreditFace);
        writeText("Fin", {40, 230, 600, 480}, gfx::kDtCentre, 0xFFFFFFFFu);
        endTextFont();
        device->setRenderTarget(resources.backBuffer);
        drawLayerWithShadow(resources);
    }
    if (gStaffRoll.stepMilliseconds > kCreditDelay && gInputCode == kInputDecide) {
        gInputCode = 0;
        requestBothTextLayers();
        gTitleCounter = 350;  // the logo is skipped
        gScene = 1000;
        gStaffRoll.running = 0;
        return;
    }
    addClockDelta(now);
}

}  // namespace

void gridToWorld(float out[3], float row, float height, float col) {
    const float shear = columnShear(col);
    out[0] = row + shear;
    out[1] = height;
    out[2] = shear;
}

void staffRollInsetCorner(int layout, float out[2]) {
    out[0] = (layout == 1 || layout == 3) ? 310.0f : 10.0f;
    out[1] = layout >= 2 ? 230.0f : 10.0f;
}

void resetStaffRoll() { std::memset(&gStaffRoll, 0, sizeof gStaffRoll); }

void startStaffRoll(int variant) {
    resetStaffRoll();
    gStaffRoll.running = 1;
    gStaffRoll.variant = variant;
    gStaffRoll.startClock = clockNow();
    gStaffRoll.lastClock = gStaffRoll.startClock;
    gStaffRoll.mapShown = gCurrentMap;
}

void runStaffRoll(GraphicsResources& resources, gfx::Device* device) {
    if (gStaffRoll.running == 0) startStaffRoll(0);
    const std::uint32_t now = clockNow();
    gStaffRoll.elapsedSeconds = static_cast<int>((now - gStaffRoll.startClock) / 1000u);

    bool started = false;
    if (gStaffRoll.step < kStaffRollSteps &&
        gStaffRoll.elapsedSeconds >= kStaffRollTimeline[gStaffRoll.step].startSecond) {
        beginStep(resources, now);
        started = true;
    }
    if (gStaffRoll.mapShown == kStaffRollEndMap) {
        // The end's five seconds count from the frame it began.
        if (started) gStaffRoll.lastClock = now;
        runEnd(resources, device, now);
        return;
    }
    if (started) gStaffRoll.lastClock = now;

    if (device != nullptr) {
        device->clear(gfx::kClearTarget | gfx::kClearDepth, 0x00000000u, 1.0f, 0);
        if (resources.layer2Target) {
            device->setRenderTarget(resources.layer2Target.get());
            device->clear(gfx::kClearTarget | gfx::kClearDepth, 0x00000000u, 1.0f, 0);
            device->setRenderTarget(resources.backBuffer);
        }
        if (gStaffRoll.stepMilliseconds >= kCreditDelay) writeCredits(resources, device);
        if (resources.layer1Target) device->setRenderTarget(resources.layer1Target.get());
    }
    runField(resources, device);
    if (device != nullptr) {
        device->setRenderTarget(resources.backBuffer);
        drawLayerWithShadow(resources);
    }
    addClockDelta(now);
    if (device != nullptr) drawInset(resources);
}

#include "menus/CampScreenParts.h"

#include <climits>
#include <cstdint>
#include <cstdio>

#include "engine/DrawText.h"
#include "engine/GraphicsResources.h"
#include "engine/Input.h"
#include "engine/ResourcePaths.h"
#include "engine/Scene.h"
#include "engine/Sound.h"
#include "engine/TextLayers.h"
#include "gamedata/GameData.h"
#include "gamedata/PartyStats.h"
#include "menus/CampMenu.h"
#include "menus/MenuState.h"
#include "platform/Clock.h"

void clearCampBackBuffer(GraphicsResources& resources, gfx::Device* device) {
    if (device == nullptr) return;
    device->setRenderTarget(resources.backBuffer);
    device->clear(gfx::kClearTarget | gfx::kClearDepth, kCampBackground, 1.0f, 0);
}

void drawPortraitCell(GraphicsResources& resources, gfx::Device* device, int column, int row, float x, float y) {
    if (device == nullptr || !resources.sprite || !resources.portraitSheet) return;
    const gfx::Rect src{96 * column, 96 * row, 96 * column + 96, 96 * row + 96};
    const gfx::Vec2 at{x, y};
    resources.sprite->begin();
    resources.sprite->draw(resources.portraitSheet.get(), &src, nullptr, nullptr, 0.0f, &at, 0xFFFFFFFFu);
    resources.sprite->end();
}

const gfx::Texture* gCampPortraitTexture = nullptr;

void loadPortraitSheet(GraphicsResources& resources, gfx::Device* device, int bitmap) {
    if (device == nullptr) return;
    readPortraitSheet(resources, device, bitmap);
    gCampPortraitTexture = bitmap == kPortraitBitmap ? resources.portraitSheet.get() : nullptr;
}

void campText(GraphicsResources& resources, gfx::Device* device, int left, int top, int right, const char* text,
              int style) {
    drawText(resources, device, gfx::Rect{left, top, right, 480}, text, style);
}

int partyUnit(int slot) {
    if (slot < 0 || slot > 2) return 0;
    const int unit = gParty[slot];
    return unit >= 1 && unit < kUnitCount ? unit : 0;
}

int stepPartySlot(int slot, int step) {
    int next = slot;
    for (int tries = 0; tries < 3; ++tries) {
        next = (next + step + 3) % 3;
        if (partyUnit(next) != 0) return next;
    }
    return slot;
}

bool memberScreenKey(int inputCode) {
    switch (inputCode) {
        case kInputRight:
        case kInputLeft:
            gSubScreenCursor = stepPartySlot(gSubScreenCursor, inputCode == kInputRight ? 1 : -1);
            requestBothTextLayers();
            return true;
        case kInputCancel:
            campSound("Can.wav");
            gScene = kSceneCampMenu;
            requestBothTextLayers();
            return true;
        default:
            return false;
    }
}

bool unitWearsStone(int unit) {
    if (unit < 1 || unit >= kUnitCount) return false;
    return gPartyMembers[unit].stones[0] != 0 || gPartyMembers[unit].stones[1] != 0;
}

void capUnitPoints(int unit) {
    if (unit < 1 || unit >= kUnitCount) return;
    PartyMember& m = gPartyMembers[unit];
    const int maxHp = computeUnitStat(unit, kStatMaxHp);
    const int maxSp = computeUnitStat(unit, kStatMaxSp);
    if (m.hp > maxHp) m.hp = maxHp;
    if (m.sp > maxSp) m.sp = maxSp;
}

CampSoundFunction gCampSound = playSoundEffect;

void campSound(const char* fileName) {
    if (gCampSound != nullptr) gCampSound(fileName);
}

namespace {
bool gPlayClockSeen = false;
std::int64_t gPlayClockLast = 0;
}  // namespace

void resetPlayClock() {
    gPlayClockSeen = false;
    gPlayClockLast = 0;
}

int currentPlaySeconds() {
    const std::int64_t now = timing::calendarSeconds();
    if (gPlayClockSeen && now < gPlayClockLast) {
        // The clock was set back: the stretch of play keeps what it had.
        const std::int64_t moved = static_cast<std::int64_t>(gSessionStart) - (gPlayClockLast - now);
        gSessionStart = static_cast<int>(moved < INT_MIN ? INT_MIN : moved);
    }
    gPlayClockSeen = true;
    gPlayClockLast = now;
    const std::int64_t t = static_cast<std::int64_t>(gPlaySeconds) + now - gSessionStart;
    if (t < 0) {
        // A session that seems to start in the future counts from now.
        const std::int64_t start = static_cast<std::int64_t>(gPlaySeconds) + now;
        if (start <= INT_MAX) gSessionStart = static_cast<int>(start);
        return 0;
    }
    return t > INT_MAX ? INT_MAX : static_cast<int>(t);
}

void formatPlayTime(char* out, std::size_t size, int seconds) {
    if (seconds < 0) seconds = 0;
    const int minutes = (seconds / 60) % 60;
    const int secs = seconds % 60;
    char m[8];
    char s[8];
    std::snprintf(m, sizeof m, minutes < 10 ? "0%d" : "%d", minutes);
    std::snprintf(s, sizeof s, secs < 10 ? "0%d" : "%d", secs);
    std::snprintf(out, size, "%d:%s:%s", seconds / 3600, m, s);
}

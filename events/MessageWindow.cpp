#include "events/MessageWindow.h"

#include <cstdio>
#include <cstring>

#include "engine/Config.h"
#include "engine/DrawText.h"
#include "engine/DrawingFunctions.h"
#include "engine/GraphicsResources.h"
#include "engine/Input.h"
#include "engine/ResourcePaths.h"
#include "engine/Sound.h"
#include "engine/TextFont.h"
#include "engine/TextLayers.h"
#include "platform/GfxMath.h"
#include "events/EventEngine.h"
#include "field/EventState.h"

int gMessageMode = 0;
std::uint8_t gPortraitLoaded = 0;
std::int8_t gMessageStyle = 0;
int gPortraitCell[2] = {};
char gSpeakerName[kSpeakerNameSize] = {};
char gMessageText[kMessageTextSize] = {};
int gMessageTyped = 0;
std::int8_t gChoiceCursor = 0;
std::uint8_t gMessagePausing = 0;

namespace {


void playClick() {
    if (gConfig[6] != 1) playSoundEffect("Pi.wav");
}

int textLength() { return static_cast<int>(std::strlen(gMessageText)); }

// Copies at most `limit` bytes of `source` into `out` (terminated), stopping
// before a double-byte character that would not fit whole.
void copyWhole(char* out, const char* source, int limit) {
    int n = 0;
    while (source[n] != '\0') {
        const int width = (isLeadByte(static_cast<std::uint8_t>(source[n])) && source[n + 1] != '\0') ? 2 : 1;
        if (n + width > limit) break;
        n += width;
    }
    std::memcpy(out, source, static_cast<std::size_t>(n));
    out[n] = '\0';
}

}  // namespace

bool isLeadByte(std::uint8_t byte) { return (byte >= 0x81 && byte <= 0x9F) || byte >= 0xE0 || byte == 0x5C; }

int wholeCharacterLength(const char* text, int shown) {
    int n = 0;
    while (n < shown && text[n] != '\0') {
        if (isLeadByte(static_cast<std::uint8_t>(text[n])) && text[n + 1] != '\0') n += 2;
        else n += 1;
    }
    return n;
}

void setMessage(const char* speaker, const char* line1, const char* line2, const char* line3) {
    copyWhole(gSpeakerName, speaker != nullptr ? speaker : "", kSpeakerNameSize - 1);
    char joined[1024];
    std::snprintf(joined, sizeof joined, "%s\n%s\n%s", line1 != nullptr ? line1 : "", line2 != nullptr ? line2 : "",
                  line3 != nullptr ? line3 : "");
    copyWhole(gMessageText, joined, kMessageTextLimit);
    gPortraitLoaded = 0;
}

void setMessagePortrait(int layout, int column, int row) {
    if (gConfig[3] == 1 && layout == 1) layout = 0;
    gMessageStyle = static_cast<std::int8_t>(layout);
    gPortraitCell[0] = column;
    gPortraitCell[1] = row;
}

void showMessage(int n) {
    if (gMessagePausing == 1) {
        pauseEvent(n);
        return;
    }
    gMessageMode = 1;
    if (gMessageTyped != textLength()) {
        if (gInputCode == kInputDecide) gMessageTyped = textLength();  // shown whole; the decide stays
        gRedrawRequest[0] = 1;
        --gEventStep;
        return;
    }
    if (gInputCode == kInputDecide) {
        playClick();
        gRedrawRequest[0] = 2;
        gMessageTyped = 0;
        gInputCode = 0;
        gMessageMode = 3;
        gMessagePausing = 1;
    }
    --gEventStep;
}

void showChoice(int count) {
    gMessageMode = 2;
    if (gMessageTyped != textLength()) {
        gRedrawRequest[0] = 1;
        gChoiceCursor = 0;
        gMessageTyped = textLength();
    }
    if (gInputCode == kInputDecide) {
        playClick();
        gMessageMode = 3;
        gMessageTyped = 0;
        gInputCode = 0;
        return;
    }
    --gEventStep;
    int cursor = gChoiceCursor;
    if (gInputCode == kInputDown) ++cursor;
    if (gInputCode == kInputUp) --cursor;
    gInputCode = 0;
    if (cursor < 0) cursor = 0;
    if (cursor >= count) cursor = count - 1;
    gChoiceCursor = static_cast<std::int8_t>(cursor);
}

void branchOnChoice(int step0, int step1, int step2) {
    if (gMessageTyped != 0) return;
    gRedrawRequest[0] = 3;
    switch (gChoiceCursor) {
        case 0: gEventStep = step0 - 1; break;
        case 1: gEventStep = step1 - 1; break;
        case 2: gEventStep = step2 - 1; break;
        default: break;
    }
}

int advanceMessageTypewriter() {
    gMessageTyped += 5;
    const int length = textLength();
    if (gMessageMode == 3) {
        gMessageMode = 0;
        return length;  // the counter is left as it stands
    }
    if (gMessageTyped < length) return gMessageTyped;
    gMessageTyped = length;
    return length;
}

void drawMessageWindow(GraphicsResources& resources, gfx::Device* device, std::uint8_t atTop) {
    const int y = atTop ? 0 : 300;
    const int styleBase = atTop ? 0 : 100;

    const int length = textLength();
    const int shown = advanceMessageTypewriter();
    char working[kMessageTextSize + 1];
    const int copied = wholeCharacterLength(gMessageText, shown);
    std::memcpy(working, gMessageText, static_cast<std::size_t>(copied));
    working[copied] = '\0';

    int textLeft = 29;
    int nameLeft = 65;
    if (gMessageStyle == 1) {
        drawWindowFrame(resources, device, 20, static_cast<float>(y + 50), 120, 120);
        drawWindowFrame(resources, device, 145, static_cast<float>(y + 75), 475, 95);
        drawWindowFrame(resources, device, 165, static_cast<float>(y + 40), 200, 30);
        const int column = gPortraitCell[0];
        const int row = gPortraitCell[1];
        if (gPortraitLoaded == 0 && column >= 0 && column <= 19) {
            const int bitmap = 347 + 2 * (column / 5) + (row >= 5 ? 1 : 0);
            holdPortraitSheet(resources, device, bitmap);
            gPortraitLoaded = 1;
        }
        if (resources.portraitSheet && resources.sprite) {
            const int cellColumn = ((column % 5) + 5) % 5;
            const int cellRow = ((row % 5) + 5) % 5;
            const gfx::Rect src{cellColumn * 96, cellRow * 96, cellColumn * 96 + 96, cellRow * 96 + 96};
            const gfx::Vec2 at{32.0f, static_cast<float>(y + 62)};
            resources.sprite->begin();
            resources.sprite->draw(resources.portraitSheet.get(), &src, nullptr, nullptr, 0.0f, &at, 0xFFFFFFFFu);
            resources.sprite->end();
        }
        textLeft = 154;
        nameLeft = 180;
    } else if (gMessageStyle == 0) {
        if (gSpeakerName[0] != '\0') drawWindowFrame(resources, device, 50, static_cast<float>(y + 40), 200, 30);
        drawWindowFrame(resources, device, 20, static_cast<float>(y + 75), 600, 95);
    }

    if (beginTextFont(device, 22, kShopFontFace) == 0) {
        drawText(resources, device, gfx::Rect{textLeft, y + 83, 640, 470}, working, styleBase);
        endTextFont();
    }

    if (gMessageMode == 2) {
        if (gMessageStyle == 1) drawMenuCursor(resources, device, 150, static_cast<float>(y + 85 + 22 * gChoiceCursor), 465);
        else if (gMessageStyle == 0) drawMenuCursor(resources, device, 25, static_cast<float>(y + 85 + 22 * gChoiceCursor), 590);
    } else if (shown >= length && resources.iconStrip && resources.sprite) {
        const gfx::Rect src{320, 0, 352, 32};
        const gfx::Vec2 scale{0.75f, 0.75f};
        const gfx::Vec2 at{604.0f, static_cast<float>(y + 148)};
        resources.sprite->begin();
        resources.sprite->draw(resources.iconStrip.get(), &src, &scale, nullptr, 0.0f, &at, 0xFFFFFFFFu);
        resources.sprite->end();
    }

    if (gMessageStyle >= 0 && beginTextFont(device, 18, kShopFontFace) == 0) {
        drawText(resources, device, gfx::Rect{nameLeft, y + 46, 640, 480}, gSpeakerName, styleBase + 40);
        endTextFont();
    }
}

void resetMessageWindow() {
    gMessageMode = 0;
    gPortraitLoaded = 0;
    gMessageStyle = 0;
    gPortraitCell[0] = gPortraitCell[1] = 0;
    gSpeakerName[0] = '\0';
    gMessageText[0] = '\0';
    gMessageTyped = 0;
    gChoiceCursor = 0;
    gMessagePausing = 0;
}

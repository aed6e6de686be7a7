#include "field/NewsTicker.h"

#include "engine/Config.h"
#include "engine/DrawText.h"
#include "engine/GraphicsResources.h"
#include "engine/TextFont.h"
#include "field/EventState.h"

std::uint8_t gNewsTickerOn = 0;
int gTickerPos = 0;
int gTickerSlot = 0;

namespace {

const char* const kOpeningLine = "【マルクセングニュース速報】";
const char* const kSponsorLine = "提供：マルクセングセントラルバンク";
const char* const kClosingLine = "【マルクセングニュース速報　終】";

// Slot 4 of sets 4 and 5 has a second text, chosen by flag 100.
const char* const kHeadlines[5][4] = {
    {"シーフマスター三世がスラム街を逃亡中。", "電子街にてギャラクシーズカード大会シーズンⅠ開催。",
     "中央街にて道具と武器の販売中。", "為替と融資についてはＭＺＢへ！　場所は中央街北西部。"},
    {"スキンが国債支払いを拒否、コイン為替取引停止に。", "ＭＺＢ社長、スキンの行為はマルクセングへの宣戦布告だと発言。",
     "スキンエンパイアによるルレノ攻撃の資料をＭＺＢが発見。", "電子街にてギャラクシーズカード大会シーズンⅠ開催。"},
    {"電子街にてギャラクシーズカード大会シーズンⅡ開催。", "ＭＺＢ社軍事費への投資額を増やす。",
     "スキンエンパイアとの為替取引は未だに停止中。", "シーフマスター三世、破刀疾風迅を持ち逃亡中。"},
    {"コールルピックが立ち入り禁止地区に指定される。", "電子街にてギャラクシーズカード大会シーズンⅡ開催。",
     "多重債務者、昨年と比べ三割増。", "スキンの敗戦処理でコイン大暴落。"},
    {"ディオゴ地下鉄道の探索員募集中。詳しくは海里街地下まで。", "電子街にてギャラクシーズカード大会シーズンⅡ開催。",
     "モルコスフィア脱税疑惑。本人は否定。", "クロスケーション幹部、セントラルトルムへ進入。"},
};
const char* const kFlag100Headlines[2] = {"スキンエンパイア皇帝、議事堂より逃走。",
                                          "クロスケーション幹部、海上基地フィンダクションで軍備増強。"};

constexpr gfx::Colour kBandColour = 0x80404040u;  // half-transparent grey
constexpr int kSlideInEnd = 640;
constexpr int kRestEnd = 950;
constexpr int kSlideOutEnd = 1680;
constexpr int kPauseEnd = 1780;
constexpr int kClosingBlankEnd = 2500;
constexpr float kBandTop = 420.0f;

void renderLine(GraphicsResources& resources, gfx::Device* device) {
    if (device == nullptr || !resources.newsTarget) return;
    device->setRenderTarget(resources.newsTarget.get());
    device->clear(gfx::kClearTarget | gfx::kClearDepth, kBandColour, 1.0f, 0);
    beginTextFont(device, 20, "ＭＳ ゴシック");
    drawText(resources, device, {10, 2, 640, 50}, newsTickerLine(gTickerSlot), 200);
    endTextFont();
    device->setRenderTarget(resources.backBuffer);
}

void drawBand(GraphicsResources& resources, float x) {
    if (!resources.sprite || !resources.newsTarget) return;
    const gfx::Vec2 at{x, kBandTop};
    resources.sprite->begin();
    resources.sprite->draw(resources.newsTarget.get(), nullptr, nullptr, nullptr, 0.0f, &at, 0xFFFFFFFFu);
    resources.sprite->end();
}

}  // namespace

void resetNewsTicker() {
    gNewsTickerOn = 0;
    gTickerPos = 0;
    gTickerSlot = 0;
}

int newsHeadlineSet() {
    if (gStoryFlags[9] == 0) return 1;
    if (gStoryFlags[100] == 0) return 2;
    if (gStoryFlags[66] == 0 && gStoryFlags[77] == 0) return 3;
    if (gStoryFlags[73] == 0) return 4;
    return 5;
}

const char* newsTickerLine(int slot) {
    switch (slot) {
    case 0: return kOpeningLine;
    case 5: return kSponsorLine;
    case 6: return kClosingLine;
    case 1:
    case 2:
    case 3:
    case 4: {
        const int set = newsHeadlineSet();
        if (slot == 4 && set >= 4 && gStoryFlags[100] == 1) return kFlag100Headlines[set - 4];
        return kHeadlines[set - 1][slot - 1];
    }
    default: return "";
    }
}

void drawNewsTicker(GraphicsResources& resources, gfx::Device* device) {
    if (lowSpecGraphics()) return;  // low-spec mode: no band, and the position stays
    const int p = gTickerPos;
    if (p == 0) {
        renderLine(resources, device);
        gTickerPos = 5;
        return;
    }
    if (p <= kSlideInEnd) {
        drawBand(resources, static_cast<float>(kSlideInEnd - p));
        gTickerPos += 5;
    } else if (p <= kRestEnd) {
        drawBand(resources, 0.0f);
        gTickerPos += 5;
    } else if (p <= kSlideOutEnd) {
        drawBand(resources, static_cast<float>(kRestEnd - p));
        gTickerPos += 5;
    } else if (p <= kPauseEnd) {
        gTickerPos += 5;
    } else if (gTickerSlot == kTickerSlotCount - 1) {
        if (p < kClosingBlankEnd) {
            gTickerPos += 5;
        } else {
            gTickerSlot = 0;
            gTickerPos = 0;
        }
    } else {
        // A slot outside the lines (a script or an old save) starts over at
        // the opening line rather than showing nothing for ever.
        gTickerSlot = gTickerSlot >= 0 && gTickerSlot < kTickerSlotCount - 1 ? gTickerSlot + 1 : 0;
        gTickerPos = 0;
    }
}

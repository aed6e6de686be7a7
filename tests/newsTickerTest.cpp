#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "engine/Config.h"
#include "field/EventState.h"
#include "field/NewsTicker.h"
#include "tests/shopFixture.h"

namespace {

class NewsTicker : public ::testing::Test {
protected:
    void SetUp() override {
        resetConfig();
        resetNewsTicker();
        std::memset(gStoryFlags, 0, sizeof gStoryFlags);
    }
    void TearDown() override { std::memset(gStoryFlags, 0, sizeof gStoryFlags); }

    // One frame; the band's x when it was drawn this frame.
    bool frame(float* x = nullptr) {
        drawn_.forget();
        drawNewsTicker(drawn_.resources, &drawn_.device);
        const auto bands = drawn_.drawsOf(drawn_.resources.newsTarget.get());
        if (bands.empty()) return false;
        EXPECT_EQ(bands.size(), 1u);
        EXPECT_FLOAT_EQ(bands[0].translation.y, 420.0f);
        EXPECT_EQ(bands[0].colour, 0xFFFFFFFFu);
        if (x) *x = bands[0].translation.x;
        return true;
    }
    // The text rendered into the band this frame, "" when none.
    std::string rendered() const {
        for (const auto& t : drawn_.device.textDraws) {
            if (t.renderTarget == drawn_.resources.newsTarget.get()) return t.text;
        }
        return "";
    }

    shoptest::Drawn drawn_;
};

TEST_F(NewsTicker, StoryFlagsChooseTheHeadlineSet) {
    struct Case {
        int flag9, flag100, flag66, flag77, flag73;
        int set;
        const char* fourth;
    };
    const Case cases[] = {
        {0, 0, 0, 0, 0, 1, "為替と融資についてはＭＺＢへ！　場所は中央街北西部。"},
        {1, 0, 1, 1, 1, 2, "電子街にてギャラクシーズカード大会シーズンⅠ開催。"},
        {1, 2, 0, 0, 1, 3, "シーフマスター三世、破刀疾風迅を持ち逃亡中。"},
        {1, 2, 1, 0, 0, 4, "スキンの敗戦処理でコイン大暴落。"},
        {1, 1, 0, 1, 0, 4, "スキンエンパイア皇帝、議事堂より逃走。"},
        {1, 2, 0, 1, 1, 5, "クロスケーション幹部、セントラルトルムへ進入。"},
        {1, 1, 1, 1, 1, 5, "クロスケーション幹部、海上基地フィンダクションで軍備増強。"},
    };
    for (const Case& c : cases) {
        gStoryFlags[9] = c.flag9;
        gStoryFlags[100] = c.flag100;
        gStoryFlags[66] = c.flag66;
        gStoryFlags[77] = c.flag77;
        gStoryFlags[73] = c.flag73;
        EXPECT_EQ(newsHeadlineSet(), c.set) << c.set;
        EXPECT_STREQ(newsTickerLine(4), c.fourth) << c.set;
    }
    EXPECT_STREQ(newsTickerLine(0), "【マルクセングニュース速報】");
    EXPECT_STREQ(newsTickerLine(5), "提供：マルクセングセントラルバンク");
    EXPECT_STREQ(newsTickerLine(6), "【マルクセングニュース速報　終】");
    EXPECT_STREQ(newsTickerLine(7), "");
    EXPECT_STREQ(newsTickerLine(-1), "");
}

TEST_F(NewsTicker, ALineSlidesInRestsSlidesOutAndTakes358Frames) {
    ASSERT_FALSE(frame());  // the rendering frame shows nothing
    EXPECT_EQ(rendered(), "【マルクセングニュース速報】");
    EXPECT_EQ(gTickerPos, 5);
    bool grey = false;
    for (const std::string& call : drawn_.device.calls) grey = grey || (call.rfind("clear news", 0) == 0 && call.find(std::to_string(0x80404040u)) != std::string::npos);
    EXPECT_TRUE(grey);

    int frames = 1, shown = 0, resting = 0;
    float x = 0.0f, first = -1.0f, last = 0.0f;
    while (gTickerSlot == 0 && frames < 1000) {
        ++frames;
        if (frame(&x)) {
            if (first < 0.0f) first = x;
            if (x == 0.0f) ++resting;
            last = x;
            ++shown;
        }
    }
    EXPECT_EQ(gTickerPos, 0);
    EXPECT_EQ(frames, 358);  // the next line renders 358 frames after this one
    EXPECT_FLOAT_EQ(first, 635.0f);
    EXPECT_FLOAT_EQ(last, -730.0f);
    EXPECT_EQ(shown, 336);   // 128 in, 62 at rest (plus the one at 640), 146 out
    EXPECT_EQ(resting, 63);
    frame();
    EXPECT_STREQ(rendered().c_str(), newsTickerLine(1));
}

TEST_F(NewsTicker, AfterTheClosingLineTheBandStaysEmptyUntil2500) {
    gTickerSlot = 6;
    int frames = 0, shown = 0;
    do {
        shown += frame() ? 1 : 0;
        ++frames;
    } while (!(gTickerSlot == 0 && gTickerPos == 0) && frames < 2000);
    EXPECT_EQ(frames, 1 + 499 + 1);
    EXPECT_EQ(shown, 336);
    frame();
    EXPECT_EQ(rendered(), "【マルクセングニュース速報】");
}

TEST_F(NewsTicker, LowSpecModeNeitherDrawsNorAdvances) {
    gConfig[1] = 1;
    gTickerPos = 700;
    for (int i = 0; i < 10; ++i) EXPECT_FALSE(frame());
    EXPECT_EQ(gTickerPos, 700);
    EXPECT_TRUE(drawn_.device.calls.empty());
}

TEST_F(NewsTicker, HeadlinesFollowFlagsChangedWhileRunning) {
    gTickerSlot = 1;
    frame();
    EXPECT_EQ(rendered(), "シーフマスター三世がスラム街を逃亡中。");
    gStoryFlags[9] = 1;
    while (gTickerSlot == 1) frame();
    frame();
    EXPECT_EQ(rendered(), "ＭＺＢ社長、スキンの行為はマルクセングへの宣戦布告だと発言。");
}

TEST_F(NewsTicker, ASlotOutsideTheLinesStartsOverAtTheOpening) {
    gTickerSlot = 42;
    gTickerPos = 1785;
    frame();
    EXPECT_EQ(gTickerSlot, 0);
    EXPECT_EQ(gTickerPos, 0);
}

}  // namespace

#include <gtest/gtest.h>

#include <string>

#include "platform/FontLayout.h"

namespace {

// A fixed-pitch measure: one-byte characters 5 pixels, two-byte ones 10.
int measure(const std::string& s) {
    int w = 0;
    for (std::size_t i = 0; i < s.size();) {
        const int n = fontlayout::characterLength(s.data() + i, static_cast<int>(s.size() - i));
        w += n == 2 ? 10 : 5;
        i += static_cast<std::size_t>(n);
    }
    return w;
}

fontlayout::Layout lay(const std::string& text, int w, int h, std::uint32_t format) {
    return fontlayout::layoutText(text, w, h, format, 20, measure);
}

TEST(GfxFontLayout, NewlinesStartLinesAndAlignmentPlacesThem) {
    const auto l = lay("ab\ncdef", 100, 100, gfx::kDtRight);
    ASSERT_EQ(l.lines.size(), 2u);
    EXPECT_EQ(l.lines[0].text, "ab");
    EXPECT_EQ(l.lines[0].x, 90);
    EXPECT_EQ(l.lines[1].y, 20);
    EXPECT_EQ(l.lines[1].x, 80);
    EXPECT_EQ(l.height, 40);
    EXPECT_EQ(l.width, 20);
    const auto c = lay("abcd", 100, 100, gfx::kDtCentre);
    EXPECT_EQ(c.lines[0].x, 40);
    const auto v = lay("ab\ncd", 100, 100, gfx::kDtSingleLine | gfx::kDtVCentre);
    ASSERT_EQ(v.lines.size(), 1u);
    EXPECT_EQ(v.lines[0].text, "abcd");
    EXPECT_EQ(v.lines[0].y, 40);
}

TEST(GfxFontLayout, NoWrappingWithoutWordBreak) {
    const auto l = lay("aaaa aaaa aaaa", 30, 100, 0);
    ASSERT_EQ(l.lines.size(), 1u);
    EXPECT_EQ(l.lines[0].width, 70);
}

TEST(GfxFontLayout, WordBreakWrapsAtSpacesAndBetweenKanji) {
    const auto l = lay("aaa bbb ccc", 30, 100, gfx::kDtWordBreak);
    ASSERT_EQ(l.lines.size(), 3u);
    EXPECT_EQ(l.lines[0].text, "aaa");
    EXPECT_EQ(l.lines[1].text, "bbb");
    const auto k = lay("漢字漢字漢字", 40, 100, gfx::kDtWordBreak);  // 60 pixels of kanji
    ASSERT_EQ(k.lines.size(), 2u);
    EXPECT_EQ(k.lines[0].text, "漢字漢字");
}

TEST(GfxFontLayout, EllipsisCutsOnCharacterBoundariesOnly) {
    // "あいうえお" is 50 pixels; "..." is 15. Widths 30 to 49 must never leave half a character.
    const std::string kana = "あいうえお";
    for (int width = 10; width < 50; ++width) {
        for (std::uint32_t flag : {gfx::kDtWordEllipsis, gfx::kDtEndEllipsis}) {
            const auto l = lay(kana, width, 100, flag);
            const std::string& t = l.lines[0].text;
            ASSERT_GE(t.size(), 3u);
            EXPECT_EQ(t.substr(t.size() - 3), "...");
            const std::string head = t.substr(0, t.size() - 3);
            EXPECT_TRUE(fontlayout::endsOnCharacterBoundary(kana, head.size())) << width;
            EXPECT_EQ(head.size() % 2, 0u) << width;
            if (width >= 15) {
                EXPECT_LE(l.lines[0].width, width) << width;
            }
        }
    }
    // A line that fits keeps every character; mixed text keeps the kanji whole.
    EXPECT_EQ(lay(kana, 50, 100, gfx::kDtWordEllipsis).lines[0].text, kana);
    EXPECT_EQ(lay("aあいうえ", 39, 100, gfx::kDtWordEllipsis).lines[0].text, "aあ...");
}

TEST(GfxFontLayout, TrailingLeadByteCountsAsOneCharacter) {
    const std::string s = "a\x82";
    EXPECT_EQ(fontlayout::characterLength(s.data() + 1, 1), 1);
    EXPECT_TRUE(fontlayout::endsOnCharacterBoundary(s, 2));
    EXPECT_FALSE(fontlayout::endsOnCharacterBoundary("あ", 1));
}

}  // namespace

#include "platform/FontFaces.h"

namespace {

TEST(GfxFontFaces, EveryGameFaceMapsToItsStandIn) {
    struct Case { const char* face; const char* file; };
    const Case cases[] = {
        {"ＭＳ Ｐゴシック", "ipagp.ttf"},
        {"ＭＳ　Ｐゴシック", "ipagp.ttf"},  // a full-width space
        {"MS UI Gothic", "ipagp.ttf"},
        {"ＭＳ ゴシック", "ipag.ttf"},
        {"HG創英角ﾎﾟｯﾌﾟ体", "RocknRollOne-Regular.ttf"},
        {"HGS行書体", "AoyagiKouzanT.ttf"},
        {"Impact", "LiberationSansNarrow-Bold.ttf"},
        {"Monotype Crosiva", "Z003-MediumItalic.otf"},
        {"Nowhere Sans", "ipagp.ttf"},
    };
    for (const Case& c : cases) {
        const std::vector<std::string> files = fontfaces::filesForFace(c.face);
        ASSERT_FALSE(files.empty());
        const std::string& f = files.front();
        EXPECT_EQ(f.substr(f.size() - std::string(c.file).size()), c.file) << c.file;
    }
}

}  // namespace

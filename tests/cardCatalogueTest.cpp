#include "menus/CardCatalogue.h"

#include "tests/campFixture.h"

namespace camptest {
namespace {

class CardCatalogue : public CampTest {
protected:
    void SetUp() override {
        CampTest::SetUp();
        gScene = 209;
        for (int c = 0; c < kCardCount; ++c) {
            std::snprintf(gCardTable[c].name, sizeof gCardTable[c].name, "カード%d", c + 1);
            gCardTable[c].rarity = 1;
            gCardTable[c].element = 2;
            const std::uint8_t sides[4] = {1, 2, 3, 4};
            std::memcpy(gCardTable[c].sides, sides, 4);
            std::snprintf(gCardTable[c].description, sizeof gCardTable[c].description, "説明%d", c + 1);
        }
    }
};

TEST_F(CardCatalogue, HolderCodesReadAsPeopleOrTournamentAndStage) {
    const struct {
        int code;
        const char* text;
    } cases[] = {
        {0, "シェリル"},
        {7, "フォーゲル（対戦）"},
        {8, ""},
        {23, "スキンエンパイア大会四回戦選手"},
        {15, "マルクセング大会Ⅰ準決勝選手"},
        {64, "フォーゲル（手札）"},
        {17, "マルクセング大会Ⅰ"},
        {76, "決勝選手"},
        {255, "準決勝選手"},
    };
    for (const auto& c : cases) {
        char text[128];
        cardHolderName(text, sizeof text, c.code);
        EXPECT_STREQ(text, c.text) << c.code;
    }
}

TEST_F(CardCatalogue, HiddenSeenAndOwnedCardsShowWhatTheyMay) {
    gCardStock[0] = {0, 0, 0};   // never seen
    gCardStock[1] = {0, 1, 23};  // seen in a duel, held by an opponent
    gCardStock[2] = {3, 1, 23};  // owned: the holder becomes the player's own
    redraw(runCardCatalogue);
    EXPECT_EQ(textAt(20, 70), "？？？");
    EXPECT_EQ(textAt(20, 105), "カード2");
    EXPECT_EQ(textAt(20, 140), "カード3");
    EXPECT_NE(textNamed("カード2")->colour, textNamed("カード3")->colour);  // grey against the rarity's cyan
    EXPECT_TRUE(textDrawn("1枚目～10枚目のカードデータです"));
    EXPECT_FALSE(textDrawn("カードナンバー"));  // the hidden card under the cursor shows only its back
    bool back = false;
    for (const auto& d : device.spriteDraws)
        if (d.texture == resources.cardBack.get() && d.translation.x == 480.0f && d.translation.y == 80.0f) back = true;
    EXPECT_TRUE(back);

    frame(runCardCatalogue, kInputDown);
    frame(runCardCatalogue);
    EXPECT_TRUE(textDrawn("スキンエンパイア大会四回戦選手"));
    EXPECT_FALSE(textDrawn("武術 1"));
    EXPECT_FALSE(textDrawn("説明2"));
    EXPECT_EQ(gCardStock[1].holder, 23);

    frame(runCardCatalogue, kInputDown);
    frame(runCardCatalogue);
    EXPECT_TRUE(textDrawn("シェリル"));
    EXPECT_TRUE(textDrawn("武術 1"));
    EXPECT_TRUE(textDrawn("屍術 4"));
    EXPECT_TRUE(textDrawn("説明3"));
    EXPECT_TRUE(textDrawn("アンコモン"));
    EXPECT_TRUE(textDrawn("炎"));
    EXPECT_EQ(gCardStock[2].holder, 0);
    const gfx::Rect cell{180, 0, 270, 120};
    bool pictured = false;
    for (const auto& d : device.spriteDraws)
        if (d.texture == resources.cardSheets[0].get() && d.src.left == cell.left && d.src.top == cell.top) pictured = true;
    EXPECT_TRUE(pictured);
}

TEST_F(CardCatalogue, LinesAndPagesWrapAndTheLastCardIsOnPageTen) {
    gCardStock[99] = {1, 1, 0};
    settle(runCardCatalogue);
    frame(runCardCatalogue, kInputUp);
    EXPECT_EQ(gPageCursor, 9);
    frame(runCardCatalogue, kInputLeft);
    EXPECT_EQ(gPageNumber, 9);
    frame(runCardCatalogue);
    EXPECT_TRUE(textDrawn("91枚目～100枚目のカードデータです"));
    EXPECT_TRUE(textDrawn("100"));
    bool pictured = false;  // sheet 4, column 4, row 3
    for (const auto& d : device.spriteDraws)
        if (d.texture == resources.cardSheets[4].get() && d.src.left == 360 && d.src.top == 360) pictured = true;
    EXPECT_TRUE(pictured);
    frame(runCardCatalogue, kInputRight);
    EXPECT_EQ(gPageNumber, 0);
    frame(runCardCatalogue, kInputDown);
    EXPECT_EQ(gPageCursor, 0);
    EXPECT_TRUE(sounds().empty());
    frame(runCardCatalogue, kInputDecide);
    EXPECT_EQ(gScene, 209);
    frame(runCardCatalogue, kInputCancel);
    EXPECT_EQ(gScene, 200);
    EXPECT_EQ(lastSound(), "Can.wav");
}

}  // namespace
}  // namespace camptest

// What an opened chest gives and the treasure message that says so.
#include <gtest/gtest.h>

#include <cstring>

#include "field/FieldServices.h"
#include "field/TouchObject.h"
#include "gamedata/GameData.h"

namespace {

struct ChestContents : ::testing::Test {
    void SetUp() override {
        resetGameDataState();
        std::strcpy(gItems[12].name, "薬草");
        std::strcpy(gCardTable[42].name, "炎の精");
        gMessageText[0] = '\0';
    }
};

TEST_F(ChestContents, EachKindOfContentsIsGivenWithItsMessage) {
    struct Case {
        int contents, amount, currency;
        const char* message;
    };
    const Case cases[] = {
        {1000, 500, 1, "500コイン手に入れた！"},
        {1000, 30, 0, "30フォッグ手に入れた！"},
        {1000, 7, 2, "7銭手に入れた！"},
        {12, 1, 0, "薬草を手に入れた！"},
        {12, 3, 0, "薬草を3個手に入れた！"},
        {3000, 42, 0, "炎の精のカードを手に入れた！"},
    };
    for (const Case& c : cases) {
        SetUp();
        gRegionCurrency = c.currency;
        giveChestContents(5, c.contents, c.amount);
        EXPECT_STREQ(gMessageText, c.message);
    }
}

TEST_F(ChestContents, CountsGrowWithoutACap) {
    gRegionCurrency = 1;
    gMoney[1] = 999999;
    giveChestContents(1, 1000, 500);
    EXPECT_EQ(gMoney[0], 0);
    EXPECT_EQ(gMoney[1], 1000499);

    gItemStock[12].owned = 9999;
    giveChestContents(2, 12, 3);
    EXPECT_EQ(gItemStock[12].owned, 10002);

    giveChestContents(3, 3000, 42);
    giveChestContents(4, 3000, 42);
    EXPECT_EQ(gCardStock[42].count, 2);
    EXPECT_EQ(gCardStock[42].known, 1);
}

TEST_F(ChestContents, IdsOutsideTheTablesGiveNothing) {
    struct Case {
        int contents, amount, currency;
    };
    for (const Case& c : {Case{200, 1, 0}, Case{-3, 1, 0}, Case{3000, 100, 0}, Case{3000, -1, 0}, Case{1000, 50, 3}}) {
        SetUp();
        gRegionCurrency = c.currency;
        giveChestContents(9, c.contents, c.amount);
        EXPECT_STREQ(gMessageText, "") << c.contents << " " << c.amount;
        for (int m : gMoney) EXPECT_EQ(m, 0);
    }
}

TEST_F(ChestContents, ANameFillingItsFieldIsCutAtTheField) {
    std::memset(gItems[12].name, 'A', sizeof gItems[12].name);  // no terminator
    giveChestContents(5, 12, 1);
    EXPECT_EQ(std::strlen(gMessageText), sizeof gItems[12].name + std::strlen("を手に入れた！"));
}

}  // namespace

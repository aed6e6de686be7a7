#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <string>
#include <vector>

#include "engine/Input.h"
#include "engine/Random.h"
#include "engine/Scene.h"
#include "engine/Screens.h"
#include "engine/TextLayers.h"
#include "events/EventPrimitives.h"
#include "gamedata/GameData.h"
#include "menus/BankLogic.h"
#include "menus/MenuState.h"
#include "menus/ShopEffects.h"
#include "tests/shopFixture.h"

namespace {

using shoptest::gEffects;

class Bank : public ::testing::Test {
protected:
    void SetUp() override {
        resetGameDataState();
        resetInput();
        resetTextLayers();
        resetMenuState();
        gEffects.clear();
        gCounterEffectPlayer = shoptest::recordEffect;
        gExchangeRates[0].rate = 55;  // openBank puts フォッグ back at 100
        gExchangeRates[1].rate = 120;
        gExchangeRates[2].rate = 180;
        gMoney[0] = 50000;
        gMoney[1] = 1000;
        gMoney[2] = 1000;
        openBank("test bank");
        ASSERT_EQ(gScene, 301);
        ASSERT_EQ(gExchangeRates[0].rate, 100);
    }
    void TearDown() override { gCounterEffectPlayer = nullptr; }

    void frame(int input, bool draw = false) {
        if (draw) {
            drawn_.forget();
            gRedrawRequest[0] = gRedrawRequest[1] = 1;
        }
        gInputCode = input;
        runBankScreen(drawn_.resources, draw ? &drawn_.device : nullptr);
        EXPECT_EQ(gInputCode, 0);
    }
    // The amount window of a main entry (and pair) with n entered.
    void window(int entry, int n, int pair = 0) {
        gMenuTopCursor = entry;
        frame(kInputDecide);
        if (entry == kBankExchange) {
            ASSERT_EQ(gMenuPage, 1);
            gMenuListCursor = pair;
            frame(kInputDecide);
        }
        ASSERT_EQ(gMenuPage, 2);
        gMenuAmount = n;
        gEffects.clear();
    }
    bool decided() {
        frame(kInputDecide);
        EXPECT_EQ(gEffects.size(), 1u);
        return !gEffects.empty() && gEffects.back() == "Kaikei.wav";
    }

    shoptest::Drawn drawn_;
};

TEST_F(Bank, LoansStopAtOneHundredThousand) {
    struct Case { int loan, n; bool allowed; };
    const Case cases[] = {{0, 1000, true}, {0, 1001, false}, {99900, 1, true}, {99900, 2, false}, {100000, 1, false}};
    for (const Case& c : cases) {
        SetUp();
        gLoan = c.loan;
        window(kBankLoan, c.n);
        EXPECT_EQ(decided(), c.allowed) << c.loan << " " << c.n;
        EXPECT_EQ(gLoan, c.allowed ? c.loan + 100 * c.n : c.loan);
        EXPECT_EQ(gMoney[0], c.allowed ? 50000 + 100 * c.n : 50000);
        EXPECT_EQ(gMenuPage, c.allowed ? 0 : 2);
    }
}

TEST_F(Bank, RepaymentsNeedTheLoanAndTheBalance) {
    struct Case { int loan, fog, n; bool allowed; };
    const Case cases[] = {{30000, 30000, 300, true},   // the whole loan, the balance covers it
                          {30000, 29999, 300, false},  // the balance falls short
                          {30000, 50000, 301, false},  // more than the loan
                          {0, 50000, 1, false}};
    for (const Case& c : cases) {
        SetUp();
        gLoan = c.loan;
        gMoney[0] = c.fog;
        window(kBankRepay, c.n);
        EXPECT_EQ(decided(), c.allowed) << c.loan << " " << c.fog << " " << c.n;
        EXPECT_EQ(gLoan, c.allowed ? c.loan - 100 * c.n : c.loan);
        EXPECT_EQ(gMoney[0], c.allowed ? c.fog - 100 * c.n : c.fog);
    }
    EXPECT_EQ(gMenuPage, 2);
}

TEST_F(Bank, ExchangesPayAtTheFromRateAndReceiveAtTheToRateLessOnePercent) {
    struct Case { int pair, n, coinRate, senRate; int from, to; int pay, received; };
    const Case cases[] = {
        {0, 1, 120, 180, 0, 1, 100, 119},      // フォッグ to コイン
        {1, 1, 120, 180, 1, 0, 120, 99},       // コイン to フォッグ
        {2, 1, 120, 180, 0, 2, 100, 179},      // フォッグ to 銭
        {3, 1, 120, 180, 2, 0, 180, 99},       // 銭 to フォッグ
        {0, 1, 95, 180, 0, 1, 100, 95},        // a gross below 100 pays no fee
        {0, 100, 120, 180, 0, 1, 10000, 11880},
        {3, 5, 120, 199, 2, 0, 995, 495},
    };
    for (const Case& c : cases) {
        SetUp();
        gExchangeRates[1].rate = c.coinRate;
        gExchangeRates[2].rate = c.senRate;
        const int before[3] = {gMoney[0], gMoney[1], gMoney[2]};
        window(kBankExchange, c.n, c.pair);
        EXPECT_TRUE(decided()) << c.pair;
        EXPECT_EQ(gMoney[c.from], before[c.from] - c.pay) << c.pair;
        EXPECT_EQ(gMoney[c.to], before[c.to] + c.received) << c.pair;
        EXPECT_EQ(gMenuPage, 1);  // back on the same pair, ready for another
        EXPECT_EQ(gMenuListCursor, c.pair);
        EXPECT_EQ(gMenuAmount, 1);
    }
}

TEST_F(Bank, AnExchangeCostingMoreThanTheBalanceIsRefused) {
    window(kBankExchange, 9, 1);  // 1,080 コイン of 1,000
    EXPECT_FALSE(decided());
    EXPECT_EQ(gEffects.back(), "Buza.wav");
    EXPECT_EQ(gMoney[1], 1000);
    EXPECT_EQ(gMenuPage, 2);

    gMenuAmount = 8;  // 960: allowed
    gEffects.clear();
    EXPECT_TRUE(decided());
    EXPECT_EQ(gMoney[1], 40);
}

TEST_F(Bank, AHaltedCurrencyCannotBeExchangedOutOfButCanBeBought) {
    gExchangeRates[1].halted = 1;
    gMenuTopCursor = kBankExchange;
    frame(kInputDecide);
    gMenuListCursor = 1;  // コイン to フォッグ
    gEffects.clear();
    frame(kInputDecide);
    EXPECT_EQ(gEffects, (std::vector<std::string>{"Buza.wav"}));
    EXPECT_EQ(gMenuPage, 1);

    frame(0, true);  // its rate and its pair-list row are dark grey
    const auto* rate = drawn_.findText("120");
    ASSERT_NE(rate, nullptr);
    EXPECT_EQ(rate->colour, 0xFF404040u);
    std::vector<gfx::Colour> arrows;
    for (const auto& t : drawn_.device.textDraws) {
        if (t.text == "⇒") arrows.push_back(t.colour);
    }
    EXPECT_EQ(arrows, (std::vector<gfx::Colour>{0xFFFFFFFFu, 0xFF404040u, 0xFFFFFFFFu, 0xFFFFFFFFu}));

    gMenuListCursor = 0;  // フォッグ into the halted コイン
    gEffects.clear();
    frame(kInputDecide);
    ASSERT_EQ(gMenuPage, 2);
    gEffects.clear();
    EXPECT_TRUE(decided());
    EXPECT_EQ(gMoney[1], 1119);

    // a halt set while the window is open still refuses the exchange out of it
    frame(kInputDecide);
    ASSERT_EQ(gMenuPage, 2);
    gExchangeRates[0].halted = 1;
    gEffects.clear();
    EXPECT_FALSE(decided());
    EXPECT_EQ(gMoney[1], 1119);
}

TEST_F(Bank, ARateOfZeroGivesNoExchange) {
    gExchangeRates[2].rate = 0;
    window(kBankExchange, 1, 3);  // 銭 at 0 would buy フォッグ for nothing
    EXPECT_FALSE(decided());
    EXPECT_EQ(gMoney[0], 50000);
}

TEST_F(Bank, AmountKeysStayBetweenOneAndOneHundredThousand) {
    struct Case { int from, input, to; };
    const Case cases[] = {{99999, kInputRight, 100000}, {100000, kInputUp, 99999}, {100000, kInputRight, 100000},
                          {5, kInputDown, 1}, {1, kInputLeft, 1}, {99995, kInputUp, 99999}};
    for (const Case& c : cases) {
        window(kBankLoan, c.from);
        frame(c.input);
        EXPECT_EQ(gMenuAmount, c.to) << c.from << " " << c.input;
        frame(kInputCancel);
        EXPECT_EQ(gMenuPage, 0);
    }
}

TEST_F(Bank, CursorsWrapAndCancelStepsBack) {
    gMenuTopCursor = 2;
    frame(kInputDown);
    EXPECT_EQ(gMenuTopCursor, 0);
    frame(kInputUp);
    EXPECT_EQ(gMenuTopCursor, 2);
    frame(kInputDecide);
    ASSERT_EQ(gMenuPage, 1);
    EXPECT_EQ(gMenuListCursor, 0);
    frame(kInputUp);
    EXPECT_EQ(gMenuListCursor, 3);
    frame(kInputDecide);
    ASSERT_EQ(gMenuPage, 2);
    gMenuAmount = 40;
    frame(kInputCancel);  // an exchange steps back to the pairs
    EXPECT_EQ(gMenuPage, 1);
    EXPECT_EQ(gMenuAmount, 1);
    frame(kInputCancel);
    EXPECT_EQ(gMenuPage, 0);
    frame(kInputCancel);
    EXPECT_EQ(gScene, 0);
    EXPECT_EQ(gMenuPage, 0);
    EXPECT_EQ(gEffects, (std::vector<std::string>{"Kettei.wav", "Kettei.wav", "Can.wav", "Can.wav", "Can.wav"}));
}

TEST_F(Bank, AmountWindowShowsTheExchangeLines) {
    window(kBankExchange, 2, 2);  // フォッグ to 銭 at 180
    frame(0, true);
    struct Row { int top; const char* label; const char* value; };
    const Row rows[] = {{80, "支払フォッグ", "200"}, {110, "取引後フォッグ", "49800"}, {170, "純為替銭", "360"},
                        {200, "支払手数料率", "1%"}, {230, "支払手数料", "3"},       {260, "受取銭", "357"},
                        {290, "取引後銭", "1357"}};
    for (const Row& r : rows) {
        const std::vector<std::string> texts = drawn_.textsAtTop(r.top);
        bool found = false;
        for (std::size_t i = 0; i + 1 < texts.size(); ++i) found = found || (texts[i] == r.label && texts[i + 1] == r.value);
        EXPECT_TRUE(found) << r.label;
    }
    EXPECT_EQ(drawn_.device.liveFonts, 0);
}

TEST_F(Bank, LoanLineTurnsGreyWhenRefused) {
    gLoan = 99950;
    window(kBankLoan, 1);
    frame(0, true);
    EXPECT_EQ(drawn_.findText("融資後借入金")->colour, 0xFF404040u);
    EXPECT_EQ(drawn_.findText("100050")->colour, 0xFF404040u);
    EXPECT_EQ(drawn_.textsAtTop(401), (std::vector<std::string>{"借入金", "99950"}));
}

TEST_F(Bank, TheDailyDriftHoldsAHaltedRateAtItsMinimum) {
    gRandomLast = 0;
    gExchangeRates[1].rate = 130;
    gExchangeRates[1].halted = 1;
    gExchangeRates[2].rate = 180;
    gExchangeRates[2].falling = 0;
    int senMin = INT_MAX, senMax = INT_MIN;
    for (int day = 0; day < 200; ++day) {
        advanceEconomyDay();
        EXPECT_EQ(gExchangeRates[1].rate, 95) << day;
        senMin = std::min(senMin, gExchangeRates[2].rate);
        senMax = std::max(senMax, gExchangeRates[2].rate);
    }
    EXPECT_GE(senMin, 160 - 39);
    EXPECT_LE(senMax, 200);
    EXPECT_LT(senMin, senMax);  // it drifts
    gExchangeRates[1].halted = 0;  // cleared by a script: the rate moves again
    bool moved = false;
    for (int day = 0; day < 10; ++day) {
        advanceEconomyDay();
        moved = moved || gExchangeRates[1].rate != 95;
    }
    EXPECT_TRUE(moved);
}

}  // namespace

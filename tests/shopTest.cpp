#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <string>
#include <vector>

#include "engine/Input.h"
#include "engine/Scene.h"
#include "engine/Screens.h"
#include "engine/TextLayers.h"
#include "events/EventPrimitives.h"
#include "gamedata/GameData.h"
#include "menus/MenuState.h"
#include "menus/ShopEffects.h"
#include "menus/ShopLogic.h"
#include "tests/shopFixture.h"

namespace {

using shoptest::gEffects;

void setItem(int id, const char* name, int kind, int price, int attack = 0, int defence = 0, int magic = 0,
             int magicDefence = 0) {
    ItemRecord& item = gItems[id];
    std::strncpy(item.name, name, sizeof item.name - 1);
    item.kind = kind;
    item.price = price;
    item.bonuses[0] = attack;
    item.bonuses[1] = defence;
    item.bonuses[2] = magic;
    item.bonuses[3] = magicDefence;
    std::snprintf(item.description, sizeof item.description, "desc %d", id);
}

class Shop : public ::testing::Test {
protected:
    void SetUp() override {
        resetGameDataState();
        resetInput();
        resetTextLayers();
        resetMenuState();
        gEffects.clear();
        gCounterEffectPlayer = shoptest::recordEffect;
        setItem(5, "rifle", 2, 120, 10, 0, 3);
        setItem(7, "rifle two", 2, 300, 12, 0, 1);
        setItem(22, "blade", 5, 500, 20, 0, 0);
        setItem(35, "coat", 6, 80, 0, 5, 0, 4);
        setItem(36, "cloak", 6, 90, 0, 5, 0, 6);
        setItem(104, "tonic", 8, 19);
        setItem(105, "big tonic", 8, 1000);
        std::strcpy(gCardTable[30].name, "dragon card");
        gCardTable[30].price = 250;
        open({5, 22, 35, 104, 105}, 0);
        gRegionCurrency = 0;
        gMoney[0] = 100000;
        gExchangeRates[0].rate = 100;
        gExchangeRates[1].rate = 120;
        gExchangeRates[2].rate = 180;
        gScene = 300;
    }
    void TearDown() override { gCounterEffectPlayer = nullptr; }

    static void open(std::vector<int> goods, int kind) {
        int list[20] = {};
        for (std::size_t i = 0; i < goods.size() && i < 20; ++i) list[i] = goods[i];
        gMenuListCursor = 5;
        openShop("test shop", list, kind);
        EXPECT_EQ(gScene, 300);
        EXPECT_EQ(gMenuListCursor, 0);
    }
    // One frame of the screen with this input code.
    void frame(int input, bool draw = false) {
        if (draw) {
            drawn_.forget();
            gRedrawRequest[0] = gRedrawRequest[1] = 1;
        }
        gInputCode = input;
        runShopScreen(drawn_.resources, draw ? &drawn_.device : nullptr);
        EXPECT_EQ(gInputCode, 0);
    }
    // Opens the quantity page on a row and sets the quantity.
    void choose(int row, int amount) {
        gMenuListCursor = row;
        frame(kInputDecide);
        ASSERT_EQ(gMenuPage, 1);
        gMenuAmount = amount;
        gEffects.clear();
    }

    shoptest::Drawn drawn_;
};

TEST_F(Shop, OffersAtMostTwelveGoodsUpToTheFirstEmptyEntry) {
    struct Case { std::vector<int> goods; int count; };
    std::vector<int> twenty(20, 104);
    const Case cases[] = {{twenty, 12}, {{5, 0, 7}, 1}, {{0, 5}, 0}, {{5, 250, 7}, 1}, {{5, -3}, 1}, {{}, 0}};
    for (const Case& c : cases) {
        open(c.goods, 0);
        EXPECT_EQ(shopGoodsCount(), c.count);
    }
    open({1, 2, 100, 101}, kShopCardKind);  // cards 0 to 99 are goods 1 to 100
    EXPECT_EQ(shopGoodsCount(), 3);
}

TEST_F(Shop, CursorWrapsOverTheListedGoods) {
    open(std::vector<int>(20, 104), 0);
    frame(kInputUp);
    EXPECT_EQ(gMenuListCursor, 11);
    frame(kInputDown);
    EXPECT_EQ(gMenuListCursor, 0);
    EXPECT_EQ(gRedrawRequest[1], 1);  // asked for 2, now this frame's 1
}

TEST_F(Shop, PricesArePaidInTheRegionsCurrency) {
    for (int currency = 0; currency < 3; ++currency) {
        SetUp();
        gRegionCurrency = currency;
        gMoney[0] = gMoney[1] = gMoney[2] = 1000;
        choose(0, 3);
        frame(kInputDecide);
        for (int c = 0; c < 3; ++c) EXPECT_EQ(gMoney[c], c == currency ? 1000 - 360 : 1000) << currency;
        EXPECT_EQ(gItemStock[5].owned, 3);
        EXPECT_EQ(gEffects, (std::vector<std::string>{"Kaikei.wav"}));
        EXPECT_EQ(gMenuPage, 0);
        EXPECT_EQ(gMenuListCursor, 0);
        EXPECT_EQ(gShopPoints, 0);
        EXPECT_EQ(gCumulativeSales, 0);
    }
}

TEST_F(Shop, PointCardPaysFirstAndCashEarnsTheRebate) {
    struct Case {
        int kind, points, row, amount, currency;
        int cashPaid, pointsAfter, salesAfter;
    };
    const Case cases[] = {
        {5, 0, 4, 1, 0, 1000, 50, 1000},     // 1,000 cash earns 50
        {5, 0, 3, 1, 0, 19, 0, 19},          // 19 cash earns nothing
        {5, 30, 3, 1, 0, 0, 11, 0},          // points cover it: no rebate, no sales
        {5, 1000, 4, 1, 0, 0, 0, 0},         // exactly covered
        {7, 400, 4, 2, 0, 1600, 112, 1600},  // 400 points, then cash
        {10, 0, 4, 1, 1, 1000, 100, 1200},   // sales at the コイン rate 120
        {10, 0, 4, 1, 2, 1000, 100, 1800},
    };
    for (const Case& c : cases) {
        SetUp();
        open({5, 22, 35, 104, 105}, c.kind);
        gRegionCurrency = c.currency;
        gMoney[c.currency] = 5000;
        gShopPoints = c.points;
        choose(c.row, c.amount);
        frame(kInputDecide);
        EXPECT_EQ(gMoney[c.currency], 5000 - c.cashPaid) << c.kind << " " << c.points;
        EXPECT_EQ(gShopPoints, c.pointsAfter) << c.kind << " " << c.points;
        EXPECT_EQ(gCumulativeSales, c.salesAfter) << c.kind << " " << c.points;
    }
}

TEST_F(Shop, ZeroAndCardShopsNeitherUseNorEarnPoints) {
    gShopPoints = 500;
    choose(4, 1);
    frame(kInputDecide);
    EXPECT_EQ(gMoney[0], 99000);
    EXPECT_EQ(gShopPoints, 500);
    EXPECT_EQ(gCumulativeSales, 0);
}

TEST_F(Shop, QuantityKeysStayBetweenOneAndTenThousand) {
    struct Case { int from, input, to; };
    const Case cases[] = {{9999, kInputRight, 10000}, {10000, kInputUp, 9999}, {10000, kInputRight, 10000},
                          {9995, kInputUp, 9999},     {5, kInputDown, 1},       {1, kInputLeft, 1},
                          {2, kInputLeft, 1},         {40, kInputDown, 30},     {40, kInputUp, 50}};
    for (const Case& c : cases) {
        choose(3, c.from);
        frame(c.input);
        EXPECT_EQ(gMenuAmount, c.to) << c.from << " " << c.input;
        frame(kInputCancel);
        EXPECT_EQ(gMenuPage, 0);
    }
}

TEST_F(Shop, QuantityStopsAtWhatFitsUnderTheStockCap) {
    gItemStock[104].owned = 9995;
    choose(3, 1);
    for (int i = 0; i < 20; ++i) frame(kInputRight);
    EXPECT_EQ(gMenuAmount, 5);
    frame(kInputUp);
    EXPECT_EQ(gMenuAmount, 5);
    frame(kInputDecide);
    EXPECT_EQ(gItemStock[104].owned, 10000);
    EXPECT_EQ(gMoney[0], 100000 - 5 * 19);  // charged for the five delivered
}

TEST_F(Shop, APurchaseThatCannotBeDeliveredIsRefused) {
    gItemStock[104].owned = 10000;
    choose(3, 1);
    frame(kInputDecide);
    EXPECT_EQ(gEffects, (std::vector<std::string>{"Buza.wav"}));
    EXPECT_EQ(gMoney[0], 100000);
    EXPECT_EQ(gItemStock[104].owned, 10000);
    EXPECT_EQ(gMenuPage, 1);

    // the stock filled up while the window was open: refused, not charged
    frame(kInputCancel);
    gItemStock[104].owned = 9998;
    choose(3, 5);
    frame(kInputDecide);
    EXPECT_EQ(gEffects, (std::vector<std::string>{"Buza.wav"}));
    EXPECT_EQ(gMoney[0], 100000);
}

TEST_F(Shop, ACostAboveTheBalanceIsRefused) {
    struct Case { int price, amount, balance; bool bought; };
    const Case cases[] = {
        {1000, 3, 3000, true},
        {1000, 3, 2999, false},
        {2000000000, 2, INT_MAX, false},   // 4e9 would wrap in 32 bits
        {INT_MAX, 10000, INT_MAX, false},
        {0, 10000, 0, true},
    };
    for (const Case& c : cases) {
        SetUp();
        gItems[105].price = c.price;
        gMoney[0] = c.balance;
        choose(4, c.amount);
        frame(kInputDecide);
        EXPECT_EQ(gEffects, (std::vector<std::string>{c.bought ? "Kaikei.wav" : "Buza.wav"})) << c.price;
        EXPECT_EQ(gMoney[0], c.bought ? c.balance - c.price * c.amount : c.balance) << c.price;
        EXPECT_EQ(gItemStock[105].owned, c.bought ? c.amount : 0);
    }
}

TEST_F(Shop, AnEmptyListRefusesMovesAndDecideButLeaves) {
    open({0, 5}, 0);
    frame(kInputDown);
    frame(kInputUp);
    EXPECT_EQ(gMenuListCursor, 0);
    frame(kInputDecide);
    EXPECT_EQ(gMenuPage, 0);
    EXPECT_EQ(gEffects, (std::vector<std::string>{"Buza.wav"}));
    frame(0, true);  // draws without reading past the list
    frame(kInputCancel);
    EXPECT_EQ(gScene, 0);
    EXPECT_EQ(gEffects.back(), "Can.wav");
}

TEST_F(Shop, CardShopDeliversCardsAndMarksThemKnown) {
    open({31, 9}, kShopCardKind);
    gCardStock[30].holder = 7;
    gCardStock[30].count = 9998;
    gShopPoints = 100;
    choose(0, 1);
    for (int i = 0; i < 5; ++i) frame(kInputRight);
    EXPECT_EQ(gMenuAmount, 2);  // only two more fit
    frame(kInputDecide);
    EXPECT_EQ(gCardStock[30].count, 10000);
    EXPECT_EQ(gCardStock[30].known, 1);
    EXPECT_EQ(gCardStock[30].holder, 0);
    EXPECT_EQ(gMoney[0], 100000 - 500);
    EXPECT_EQ(gShopPoints, 100);
}

TEST_F(Shop, CancelOnTheListReturnsToTheField) {
    frame(kInputCancel);
    EXPECT_EQ(gScene, 0);
    EXPECT_EQ(gMenuPage, 0);
    EXPECT_EQ(gEffects, (std::vector<std::string>{"Can.wav"}));
    EXPECT_EQ(gRedrawRequest[0], 1);
    EXPECT_EQ(gRedrawRequest[1], 1);
}

// ---- What the screen shows ----

TEST_F(Shop, ComparisonPanelMarksEachMembersEquipment) {
    gParty[0] = 2;
    gParty[1] = 3;
    gParty[2] = 0;
    gPartyMembers[2].equipment[kEquipWeapon] = 7;   // rifle two: attack 12, magic 1
    gPartyMembers[2].equipment[kEquipProtector] = 35;
    gPartyMembers[3].equipment[kEquipProtector] = 0;
    frame(0, true);  // row 0: rifle (unit 2's weapon): attack 10 < 12, magic 3 > 1
    EXPECT_EQ(drawn_.textsAtTop(180), (std::vector<std::string>{"攻　　　", "魔"}));
    std::vector<std::string> member0 = drawn_.textsAtTop(210);
    ASSERT_EQ(member0.size(), 3u);
    EXPECT_EQ(member0[1], "↓　　　");
    EXPECT_EQ(member0[2], "↑");
    EXPECT_EQ(drawn_.textsAtTop(240).back(), "－");  // unit 3 does not wield it
    EXPECT_TRUE(drawn_.textsAtTop(270).empty());     // the list stops at the empty slot

    frame(kInputDown);
    frame(kInputDown);
    frame(0, true);  // row 2: coat, the one unit 2 wears
    EXPECT_EQ(drawn_.textsAtTop(180), (std::vector<std::string>{"防　　　", "耐"}));
    EXPECT_EQ(drawn_.textsAtTop(210)[1], "Ｅ　　　");
    EXPECT_EQ(drawn_.findText("Ｅ")->colour, 0xFF00FF40u);
    const std::vector<std::string> bare = drawn_.textsAtTop(240);  // nothing worn: row 0's bonuses
    EXPECT_EQ(bare[1], "↑　　　");
    EXPECT_EQ(bare[2], "↑");

    frame(kInputDown);
    frame(0, true);  // row 3: a tonic, no panel
    EXPECT_TRUE(drawn_.textsAtTop(180).empty());
    EXPECT_EQ(drawn_.findText("道具")->rect.top, 60);
}

TEST_F(Shop, PointCardQuantityWindowShowsEveryLine) {
    open({5, 22, 35, 104, 105}, 5);
    gShopPoints = 300;
    choose(4, 2);
    frame(0, true);
    struct Row { int top; const char* label; const char* value; };
    const Row rows[] = {{80, "商品名", "big tonic"}, {110, "単価", "@1000"}, {140, "個数", "2"},
                        {170, "代金", "2000"},      {200, "ポイント支払", "300"}, {230, "現金支払", "1700"},
                        {260, "ポイント還元率", "5%"}, {290, "ポイント受取", "85"}};
    for (const Row& r : rows) {
        const std::vector<std::string> texts = drawn_.textsAtTop(r.top);
        bool found = false;
        for (std::size_t i = 0; i + 1 < texts.size(); ++i) found = found || (texts[i] == r.label && texts[i + 1] == r.value);
        EXPECT_TRUE(found) << r.label;
    }
    EXPECT_NE(drawn_.findText("ポイント"), nullptr);
    EXPECT_EQ(drawn_.findText("現金支払")->colour, 0xFFFF4000u);

    gMoney[0] = 1699;  // not affordable: the cash line turns dark grey
    frame(0, true);
    EXPECT_EQ(drawn_.findText("現金支払")->colour, 0xFF404040u);
    EXPECT_EQ(drawn_.findText("1700")->colour, 0xFF404040u);
}

TEST_F(Shop, CardShopShowsCopiesAndNoEquipmentOrPoints) {
    open({31}, kShopCardKind);
    gCardStock[30].count = 4;
    frame(0, true);
    EXPECT_EQ(drawn_.findText("カード")->rect.top, 60);
    EXPECT_EQ(drawn_.textsAtTop(100), (std::vector<std::string>{"所持数", "4"}));
    EXPECT_EQ(drawn_.findText("装備数"), nullptr);
    EXPECT_EQ(drawn_.findText("ポイント"), nullptr);
    EXPECT_TRUE(drawn_.textsAtTop(180).empty());
    EXPECT_EQ(drawn_.textsAtTop(63), (std::vector<std::string>{"dragon card", "250"}));
    EXPECT_EQ(drawn_.textsAtTop(401), (std::vector<std::string>{"フォッグ", "100000"}));
}

}  // namespace

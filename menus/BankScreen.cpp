// The bank (scene 301): the main page with the rates and balances, the list
// of exchange pairs and the amount window.
#include <cinttypes>
#include <cstdio>

#include "engine/DrawText.h"
#include "engine/DrawingFunctions.h"
#include "engine/GraphicsResources.h"
#include "engine/Input.h"
#include "engine/Screens.h"
#include "engine/TextFont.h"
#include "engine/TextLayers.h"
#include "field/Overlays.h"
#include "gamedata/GameData.h"
#include "menus/BankLogic.h"
#include "menus/MenuState.h"

namespace {

struct Text {
    GraphicsResources& resources;
    gfx::Device* device;
    void operator()(int left, int top, int right, const char* text, int style) const {
        drawText(resources, device, {left, top, right, 480}, text, style);
    }
    void number(int left, int top, int right, std::int64_t value, int style) const {
        char out[32];
        std::snprintf(out, sizeof out, "%" PRId64, value);
        (*this)(left, top, right, out, style);
    }
};

void drawMainView(GraphicsResources& resources, gfx::Device* device) {
    const Text text{resources, device};
    drawWindowFrame(resources, device, 15, 15, 610, 30);
    text(25, 20, 640, gShopTitle, 100);

    drawWindowFrame(resources, device, 15, 55, 200, 90);
    const char* const entries[3] = {"融資", "返済", "為替"};
    for (int i = 0; i < 3; ++i) text(25, 60 + 30 * i, 205, entries[i], 100);
    drawMenuCursor(resources, device, 20, static_cast<float>(59 + 30 * gMenuTopCursor), 190);

    drawWindowFrame(resources, device, 15, 165, 200, 125);
    text(25, 170, 205, "為替相場", 30);
    for (int c = 0; c < kCurrencyCount; ++c) {
        const bool halted = currencyHalted(c);
        text(25, 200 + 30 * c, 205, currencyName(c), halted ? 110 : 140);
        text.number(25, 200 + 30 * c, 205, gExchangeRates[c].rate, halted ? 111 : 141);
    }

    drawWindowFrame(resources, device, 15, 305, 200, 125);
    for (int c = 0; c < kCurrencyCount; ++c) {
        text(25, 311 + 30 * c, 205, currencyName(c), 100);
        text.number(25, 311 + 30 * c, 205, gMoney[c], 101);
    }
    text(25, 401, 205, "借入金", 120);
    text.number(25, 401, 205, gLoan, 121);

    if (gMenuPage != 0 && gMenuTopCursor == kBankExchange) {
        drawWindowFrame(resources, device, 230, 52, 330, 377);
        drawMenuCursor(resources, device, 235, static_cast<float>(63 + 30 * gMenuListCursor), 320);
        for (int p = 0; p < kBankPairCount; ++p) {
            const ExchangePair pair = kExchangePairs[p];
            const int grey = currencyHalted(pair.from) ? 10 : 0;
            const int top = 63 + 30 * p;
            text(255, top, 525, currencyName(pair.from), 100 + grey);
            text(255, top, 525, "⇒", 102 + grey);
            text(255, top, 525, currencyName(pair.to), 101 + grey);
        }
    }
}

void drawAmountWindow(GraphicsResources& resources, gfx::Device* device) {
    const Text text{resources, device};
    const BankQuote q = quoteBank(gMenuTopCursor, gMenuListCursor, gMenuAmount);
    auto row = [&](int top, const char* label, std::int64_t value, int labelStyle, int valueStyle) {
        text(270, top, 600, label, labelStyle);
        text.number(270, top, 600, value, valueStyle);
    };
    char label[64];
    if (gMenuTopCursor == kBankLoan) {
        drawWindowFrame(resources, device, 260, 70, 350, 135);
        row(80, "融資額", q.sum, 0, 1);
        row(110, "融資後借入金", q.loanAfter, q.firstRowRefused ? 10 : 20, q.firstRowRefused ? 11 : 21);
        row(170, "融資後フォッグ", q.fogAfter, 40, 41);
    } else if (gMenuTopCursor == kBankRepay) {
        drawWindowFrame(resources, device, 260, 70, 350, 135);
        row(80, "返済額", q.sum, 0, 1);
        row(110, "返済後借入金", q.loanAfter, q.firstRowRefused ? 10 : 40, q.firstRowRefused ? 11 : 41);
        row(170, "返済後フォッグ", q.fogAfter, q.secondRowRefused ? 10 : 20, q.secondRowRefused ? 11 : 21);
    } else {
        const int index = gMenuListCursor >= 0 && gMenuListCursor < kBankPairCount ? gMenuListCursor : 0;
        const ExchangePair pair = kExchangePairs[index];
        const char* from = currencyName(pair.from);
        const char* to = currencyName(pair.to);
        drawWindowFrame(resources, device, 260, 70, 350, 245);
        std::snprintf(label, sizeof label, "支払%s", from);
        row(80, label, q.pay, 0, 1);
        std::snprintf(label, sizeof label, "取引後%s", from);
        row(110, label, q.fromAfter, q.firstRowRefused ? 10 : 20, q.firstRowRefused ? 11 : 21);
        std::snprintf(label, sizeof label, "純為替%s", to);
        row(170, label, q.gross, 0, 1);
        text(270, 200, 600, "支払手数料率", 20);
        std::snprintf(label, sizeof label, "%d%%", kExchangeFeePercent);
        text(270, 200, 600, label, 21);
        row(230, "支払手数料", q.fee, 20, 21);
        std::snprintf(label, sizeof label, "受取%s", to);
        row(260, label, q.received, 40, 41);
        std::snprintf(label, sizeof label, "取引後%s", to);
        row(290, label, q.toAfter, 40, 41);
    }
}

}  // namespace

void runBankScreen(GraphicsResources& resources, gfx::Device* device) {
    if (device != nullptr) {
        clearRequestedTextLayers(resources, device);
        device->setRenderTarget(resources.backBuffer);
        device->clear(gfx::kClearTarget | gfx::kClearDepth | gfx::kClearStencil, 0xFF000000u, 1.0f, 0);
    }
    beginTextFont(device, kShopFontHeight, kShopFontFace);
    drawMainView(resources, device);
    endTextFont();
    if (resources.sprite && resources.layer2Target) {
        resources.sprite->begin();
        drawTextLayer(resources, resources.layer2Target.get());
        resources.sprite->end();
    }
    if (gMenuPage == 2) {
        beginTextFont(device, kShopFontHeight, kShopFontFace);
        drawAmountWindow(resources, device);
        endTextFont();
    }
    if (resources.sprite && resources.layer1Target) {
        resources.sprite->begin();
        drawTextLayer(resources, resources.layer1Target.get());
        resources.sprite->end();
    }
    handleBankInput(gInputCode);
    gInputCode = 0;
    endTextLayerFrame();
}

#include "menus/BankLogic.h"

#include <climits>

#include "engine/Input.h"
#include "engine/Scene.h"
#include "engine/TextLayers.h"
#include "gamedata/GameData.h"
#include "menus/CounterAmount.h"
#include "menus/MenuState.h"
#include "menus/ShopEffects.h"

const ExchangePair kExchangePairs[kBankPairCount] = {{0, 1}, {1, 0}, {0, 2}, {2, 0}};

namespace {

bool fitsBalance(std::int64_t value) { return value >= 0 && value <= INT_MAX; }

int pairIndex(int pair) { return pair >= 0 && pair < kBankPairCount ? pair : 0; }

void amountKey(int inputCode) {
    const int n = stepCounterAmount(gMenuAmount, inputCode, kBankAmountMax, kBankAmountMax);
    if (n < 0) return;
    gMenuAmount = n;
    gRedrawRequest[1] = 2;
}

void mainPageInput(int inputCode) {
    switch (inputCode) {
    case kInputDown:
    case kInputUp:
        gMenuTopCursor = (gMenuTopCursor + (inputCode == kInputDown ? 1 : 2)) % 3;
        gRedrawRequest[1] = 2;
        break;
    case kInputDecide:
        playCounterEffect(kEffectDecide);
        gMenuAmount = 1;
        if (gMenuTopCursor == kBankExchange) {
            gMenuListCursor = 0;
            gMenuPage = 1;
        } else {
            gMenuPage = 2;
        }
        requestBothTextLayers();
        break;
    case kInputCancel:
        playCounterEffect(kEffectCancel);
        gMenuPage = 0;
        gScene = 0;
        requestBothTextLayers();
        break;
    default: break;
    }
}

void pairListInput(int inputCode) {
    switch (inputCode) {
    case kInputDown:
    case kInputUp:
        gMenuListCursor = (pairIndex(gMenuListCursor) + (inputCode == kInputDown ? 1 : kBankPairCount - 1)) % kBankPairCount;
        gRedrawRequest[1] = 2;
        break;
    case kInputDecide:
        if (currencyHalted(kExchangePairs[pairIndex(gMenuListCursor)].from)) {
            playCounterEffect(kEffectRefused);
            return;
        }
        playCounterEffect(kEffectDecide);
        gMenuPage = 2;
        gMenuAmount = 1;
        requestBothTextLayers();
        break;
    case kInputCancel:
        playCounterEffect(kEffectCancel);
        gMenuPage = 0;
        requestBothTextLayers();
        break;
    default: break;
    }
}

void amountWindowInput(int inputCode) {
    const bool exchange = gMenuTopCursor == kBankExchange;
    switch (inputCode) {
    case kInputRight:
    case kInputLeft:
    case kInputUp:
    case kInputDown: amountKey(inputCode); break;
    case kInputCancel:
        playCounterEffect(kEffectCancel);
        gMenuPage = exchange ? 1 : 0;
        if (exchange) gMenuAmount = 1;
        requestBothTextLayers();
        break;
    case kInputDecide:
        if (!settleBank(gMenuTopCursor, gMenuListCursor, gMenuAmount)) {
            playCounterEffect(kEffectRefused);
            return;
        }
        playCounterEffect(kEffectPaid);
        gMenuPage = exchange ? 1 : 0;
        if (exchange) gMenuAmount = 1;
        requestBothTextLayers();
        break;
    default: break;
    }
}

}  // namespace

bool currencyHalted(int currency) {
    return currency >= 0 && currency < kCurrencyCount && gExchangeRates[currency].halted != 0;
}

BankQuote quoteBank(int entry, int pair, int amount) {
    BankQuote q{};
    const std::int64_t n = amount;
    const std::int64_t fog = gMoney[0];
    q.sum = 100 * n;
    if (entry == kBankLoan) {
        q.loanAfter = static_cast<std::int64_t>(gLoan) + q.sum;
        q.fogAfter = fog + q.sum;
        q.firstRowRefused = q.loanAfter > kLoanCeiling;
        q.allowed = !q.firstRowRefused && fitsBalance(q.fogAfter);
    } else if (entry == kBankRepay) {
        q.loanAfter = static_cast<std::int64_t>(gLoan) - q.sum;
        q.fogAfter = fog - q.sum;
        q.firstRowRefused = q.loanAfter < 0;
        q.secondRowRefused = q.fogAfter < 0;
        q.allowed = !q.firstRowRefused && !q.secondRowRefused;
    } else {
        const ExchangePair p = kExchangePairs[pairIndex(pair)];
        const std::int64_t fromRate = gExchangeRates[p.from].rate;
        const std::int64_t toRate = gExchangeRates[p.to].rate;
        q.pay = fromRate * n;
        q.gross = toRate * n;
        q.fee = q.gross * kExchangeFeePercent / 100;
        q.received = q.gross - q.fee;
        q.fromAfter = static_cast<std::int64_t>(gMoney[p.from]) - q.pay;
        q.toAfter = static_cast<std::int64_t>(gMoney[p.to]) + q.received;
        q.firstRowRefused = q.fromAfter < 0;
        // A rate of 0 or less would hand out money for nothing (or take it
        // for nothing): no exchange at such a rate.
        q.allowed = !q.firstRowRefused && fromRate > 0 && toRate > 0 && !currencyHalted(p.from) &&
                    fitsBalance(q.toAfter);
    }
    if (amount < 1) q.allowed = false;
    return q;
}

bool settleBank(int entry, int pair, int amount) {
    const BankQuote q = quoteBank(entry, pair, amount);
    if (!q.allowed) return false;
    if (entry == kBankLoan || entry == kBankRepay) {
        gLoan = static_cast<int>(q.loanAfter);
        gMoney[0] = static_cast<int>(q.fogAfter);
    } else {
        const ExchangePair p = kExchangePairs[pairIndex(pair)];
        gMoney[p.from] = static_cast<int>(q.fromAfter);
        gMoney[p.to] = static_cast<int>(q.toAfter);
    }
    return true;
}

void handleBankInput(int inputCode) {
    if (gMenuPage == 1) {
        pairListInput(inputCode);
    } else if (gMenuPage == 2) {
        amountWindowInput(inputCode);
    } else {
        mainPageInput(inputCode);
    }
}

// The bank's rules, apart from its drawing: loans and repayments in フォッグ,
// exchanges between フォッグ and the two other currencies at the current
// rates less a 1 % fee, the halted currencies, and what the keys do on each
// page. Sums are worked out in 64 bits; a result a balance cannot hold is
// refused like any other.
#pragma once

#include <cstdint>

constexpr int kBankAmountMax = 100000;  // the amount n of the window
constexpr int kLoanCeiling = 100000;    // the loan never goes above this
constexpr int kBankPairCount = 4;
constexpr int kExchangeFeePercent = 1;

// Main-page entries.
enum BankEntry { kBankLoan = 0, kBankRepay = 1, kBankExchange = 2 };

struct ExchangePair {
    int from, to;
};
// フォッグ to コイン, コイン to フォッグ, フォッグ to 銭, 銭 to フォッグ.
extern const ExchangePair kExchangePairs[kBankPairCount];

struct BankQuote {
    // loan and repayment
    std::int64_t sum;            // 100 x n フォッグ
    std::int64_t loanAfter;
    std::int64_t fogAfter;
    // exchange
    std::int64_t pay;            // rate(from) x n of the from-currency
    std::int64_t gross;          // rate(to) x n of the to-currency
    std::int64_t fee;            // gross / 100
    std::int64_t received;       // gross - fee
    std::int64_t fromAfter;
    std::int64_t toAfter;
    bool allowed;
    bool firstRowRefused;        // the loan line, the repayment's loan line, the exchange's from line
    bool secondRowRefused;       // the repayment's フォッグ line
};
BankQuote quoteBank(int entry, int pair, int amount);
bool currencyHalted(int currency);

// One frame's input code on the current page (the screen clears the code).
void handleBankInput(int inputCode);
// Carries out the quote's operation; false (nothing changed) when refused.
bool settleBank(int entry, int pair, int amount);

// What a duel costs or pays: the card the player takes after a win, the card
// he loses after a loss, and the holder and known bytes of the card stock
// that tell the catalogue who holds a card the player has lost or seen.
//
// Holder codes are opponent codes, 7 for a card lost to a preset hand and 60
// for a card seen in a preset hand; 0 is the player.
#pragma once

#include <cstdint>

constexpr std::uint8_t kLostToPresetHolder = 7;
constexpr std::uint8_t kSeenInPresetHolder = 60;

// The player loses one copy of card to the running opponent; with the last
// copy gone its holder records who has it.
void loseCardToOpponent(int card);

// The player has seen card in the running opponent's hand.
void markCardSeen(int card);

// The holder code that losing the last copy of card to the running opponent
// records (the tournament's round rule included).
std::uint8_t holderOfLostCard(int card);

// The player's hand slot that a loss takes: the highest rarity, the last such
// slot on a tie.
int lostSlot();

// The preset opponents' hand to choose a reward from, made anew: slot 0 a card
// the preset hands won from the player when there is one, the rest uncommons.
void makePresetRewardHand();

// The player takes the card of the opponent's slot into the stock.
void takeOpponentCard(int slot);

// Starting a card duel: the opponent codes with their budgets, hands and
// songs, the player's dealt hand against the preset hands, the smallest cost
// of a hand the player can build, and the hand-back to the field.
//
// Opponent codes: 1-6 townspeople (6 is フォーゲル), 10-16 20-26 30-36 40-46
// 50-56 the five tournaments by round (units digit 0 first round ... 5
// semifinal, 6 final), 60-69 the preset hands that deal the player's hand.
#pragma once

#include <cstdint>

constexpr int kNoExtraCard = 999;
constexpr int kNoHandPossible = 100;  // minimumHandCost with fewer than five copies
constexpr int kDuelScene = 400;
constexpr int kFieldScene = 0;

extern const char kTownspersonDuelSong[];  // "【カード】一般人戦.mid"

// Whether code names an opponent.
bool isOpponentCode(int code);
inline bool isPresetCode(int code) { return code >= 60 && code <= 69; }
inline bool isTournamentCode(int code) { return code >= 10 && code < 60; }
// Tournament 1-5 of a tournament code.
inline int tournamentOf(int code) { return code / 10; }
// The uncommons' group of a tournament: 1, 2, 3, 4, 1.
int tournamentGroup(int code);

// Starts the duel (scene 400) against opponentCode; extraCard is a card
// index + 1 the opponent's hand must hold, or kNoExtraCard. A code that names
// no opponent, or a player who cannot build a hand within its budget, starts
// nothing: the error goes to stderr and gDuelResult reads lost, so a
// tournament script does not move on to its next round.
void startCardDuel(int extraCard, int opponentCode);

// 100 with fewer than five owned copies, else the smallest total rarity of
// five owned copies.
int minimumHandCost();

// Deals the player's five cards at random from the owned copies (preset
// opponents) and goes to choosing a card (phase 4).
void dealHand();

// Ends the duel: back to the field with both layers redrawn, and the song
// that played before it asked for again.
void finishCardDuel();

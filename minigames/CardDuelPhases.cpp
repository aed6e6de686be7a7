#include "minigames/CardDuelPhases.h"

#include "engine/TextLayers.h"
#include "minigames/CardDuelOpponent.h"
#include "gamedata/GameData.h"
#include "minigames/CardDuelRules.h"
#include "minigames/CardDuelSetup.h"
#include "minigames/CardDuelStakes.h"

namespace {

bool validCard(int card) { return card >= 0 && card < kCardCount; }

void redrawBothLayers() {
    gRedrawRequest[0] = 2;
    gRedrawRequest[1] = 2;
}

void redrawLayer2() { gRedrawRequest[0] = 2; }

void putCardOnCell(int cell, int card, std::uint8_t owner) {
    DuelCell& c = gDuelBoard[cell];
    c.card = card;
    c.owner = owner;
    for (int side = 0; side < 4; ++side) c.sides[side] = validCard(card) ? gCardTable[card].sides[side] : 0;
}

bool playerHoldsUnplayedCard() {
    for (const HandSlot& slot : gPlayerHand)
        if (!slot.played) return true;
    return false;
}

void stepDeckBuilding(int input) {
    switch (input) {
        case kInputUp: gDuelCursor = static_cast<std::uint8_t>((gDuelCursor + 9) % 10); break;
        case kInputDown: gDuelCursor = static_cast<std::uint8_t>((gDuelCursor + 1) % 10); break;
        case kInputLeft:
            gDeckPage = static_cast<std::uint8_t>((gDeckPage + 9) % 10);
            gRedrawRequest[1] = 2;
            break;
        case kInputRight:
            gDeckPage = static_cast<std::uint8_t>((gDeckPage + 1) % 10);
            gRedrawRequest[1] = 2;
            break;
        case kInputDecide: {
            const int card = 10 * (gDeckPage % 10) + gDuelCursor % 10;
            const int rarity = gCardTable[card].rarity;
            if (gHandChosen >= kHandSlots || gCardStock[card].count < 1 || rarity > gCostLeft) break;
            gPlayerHand[gHandChosen] = HandSlot{card, 0, 0};
            --gCardStock[card].count;
            gCostLeft = static_cast<std::uint8_t>(gCostLeft - rarity);
            if (rarity >= 2) gCardStock[card].holder = gDuelOpponent;
            ++gHandChosen;
            if (gHandChosen == kHandSlots) {
                gDuelPhase = 4;
                gPlayerHand[0].selected = 1;
                gDuelCursor = 0;
            }
            redrawBothLayers();
            break;
        }
        case kInputCancel: {
            // No way out of deck building: cancel only gives the last card back.
            if (gHandChosen == 0) break;
            --gHandChosen;
            HandSlot& slot = gPlayerHand[gHandChosen];
            if (validCard(slot.card)) {
                gCostLeft = static_cast<std::uint8_t>(gCostLeft + gCardTable[slot.card].rarity);
                ++gCardStock[slot.card].count;
                gCardStock[slot.card].holder = 0;
            }
            slot = HandSlot{kCardBack, 1, 0};
            redrawBothLayers();
            break;
        }
        default: break;
    }
}

void stepChooseCard(int input) {
    if (input == kInputDown) {
        gDuelCursor = static_cast<std::uint8_t>(moveHandCursor(true, gDuelCursor));
    } else if (input == kInputUp) {
        gDuelCursor = static_cast<std::uint8_t>(moveHandCursor(false, gDuelCursor));
    } else if (input == kInputDecide) {
        gDuelPhase = 5;
    } else {
        return;
    }
    redrawLayer2();
}

void stepChooseCell(int input) {
    const int k = gDuelCursor % 9;
    switch (input) {
        case kInputDown: gDuelCursor = static_cast<std::uint8_t>((k + 3) % 9); break;
        case kInputUp: gDuelCursor = static_cast<std::uint8_t>((k + 6) % 9); break;
        case kInputLeft: gDuelCursor = static_cast<std::uint8_t>((k + 8) % 9); break;
        case kInputRight: gDuelCursor = static_cast<std::uint8_t>((k + 1) % 9); break;
        case kInputDecide: {
            const int cell = cellOfCursor(k);
            const int slot = selectedPlayerSlot();
            if (gDuelBoard[cell].card != kEmptyCell || slot < 0) break;
            HandSlot& hand = gPlayerHand[slot];
            putCardOnCell(cell, hand.card, kPlayerOwner);
            hand.selected = 0;
            hand.played = 1;
            placeCard(cellPosition(cell));
            gDuelPhase = 6;
            gDuelCursor = 0;
            break;
        }
        case kInputCancel: {
            const int slot = selectedPlayerSlot();
            gDuelCursor = static_cast<std::uint8_t>(slot < 0 ? 0 : slot);
            gDuelPhase = 4;
            break;
        }
        default: return;
    }
    redrawLayer2();
}

void stepOpponentTurn() {
    if (!boardFull()) runDuelAiTurn();
    // A player without a card to play cannot fill the board: score it as it stands.
    if (!boardFull() && playerHoldsUnplayedCard()) {
        gDuelCursor = static_cast<std::uint8_t>(moveHandCursor(true, 4));
        gDuelPhase = 4;
    } else {
        gDuelPhase = 9;
    }
    redrawLayer2();
}

void stepScoring() {
    const int score = playerScore();
    for (DuelCell& cell : gDuelBoard) cell = DuelCell{kEmptyCell, kOpponentOwner, {0, 0, 0, 0}};
    for (HandSlot& slot : gOpponentHand) slot.played = slot.selected = 0;
    for (HandSlot& slot : gPlayerHand) {
        slot.played = slot.selected = 0;
        if (!validCard(slot.card)) continue;
        CardStock& stock = gCardStock[slot.card];
        ++stock.count;
        stock.known = 1;
        stock.holder = 0;
    }
    gDuelResult = resultForScore(score);
    gDuelCursor = 0;
    if (gDuelResult == kDuelWon) {
        gDuelPhase = 10;
        gOpponentHand[0].selected = 1;
        if (isPresetCode(gDuelOpponent)) makePresetRewardHand();
        for (const HandSlot& slot : gOpponentHand) markCardSeen(slot.card);
    } else if (gDuelResult == kDuelLost) {
        gDuelPhase = 12;
    } else {
        gDuelPhase = 14;
    }
    redrawBothLayers();
}

void stepChooseReward(int input) {
    if (input == kInputDown || input == kInputUp) {
        gDuelCursor = static_cast<std::uint8_t>((gDuelCursor + (input == kInputDown ? 1 : 4)) % kHandSlots);
        for (int slot = 0; slot < kHandSlots; ++slot) gOpponentHand[slot].selected = slot == gDuelCursor;
    } else if (input == kInputDecide) {
        const int slot = gDuelCursor % kHandSlots;
        putCardOnCell(kCentreCell, gOpponentHand[slot].card, kPlayerOwner);
        takeOpponentCard(slot);
        gDuelPhase = 11;
    } else {
        return;
    }
    redrawBothLayers();
}

void stepLoseCard() {
    const int slot = lostSlot();
    gDuelCursor = static_cast<std::uint8_t>(slot);
    gPlayerHand[slot].played = 1;
    putCardOnCell(kCentreCell, gPlayerHand[slot].card, kOpponentOwner);
    loseCardToOpponent(gPlayerHand[slot].card);
    gDuelPhase = 13;
    redrawBothLayers();
}

void stepMessage(int input) {
    if (input != kInputDecide) return;
    if (gDuelPhase == 14 && gDuelOpponent >= 10) {
        // A draw in a tournament or against a preset hand is played again.
        gDuelPhase = 0;
        gCostLeft = gCostLimit;
        gHandChosen = 0;
        for (HandSlot& slot : gPlayerHand) slot = HandSlot{0, 1, 0};
        for (HandSlot& slot : gOpponentHand) slot.played = slot.selected = 0;
        if (isPresetCode(gDuelOpponent)) dealHand();
        redrawBothLayers();
        return;
    }
    finishCardDuel();
}

}  // namespace

int moveHandCursor(bool forward, int fromSlot) {
    for (HandSlot& slot : gPlayerHand) slot.selected = 0;
    int slot = ((fromSlot % kHandSlots) + kHandSlots) % kHandSlots;
    for (int step = 0; step < kHandSlots; ++step) {
        slot = forward ? (slot + 1) % kHandSlots : (slot + kHandSlots - 1) % kHandSlots;
        if (!gPlayerHand[slot].played) {
            gPlayerHand[slot].selected = 1;
            return slot;
        }
    }
    return fromSlot;
}

int selectedPlayerSlot() {
    for (int slot = 0; slot < kHandSlots; ++slot)
        if (gPlayerHand[slot].selected && !gPlayerHand[slot].played) return slot;
    return -1;
}

void stepCardDuel(int input) {
    switch (gDuelPhase) {
        case 0: stepDeckBuilding(input); break;
        case 4: stepChooseCard(input); break;
        case 5: stepChooseCell(input); break;
        case 6:
            if (++gDuelCursor >= 6) gDuelPhase = 7;
            break;
        case 7: stepOpponentTurn(); break;
        case 9: stepScoring(); break;
        case 10: stepChooseReward(input); break;
        case 12: stepLoseCard(); break;
        case 11:
        case 13:
        case 14: stepMessage(input); break;
        default: break;
    }
}

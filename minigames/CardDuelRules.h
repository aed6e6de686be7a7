// The rules of the card duel: the element relation, the comparison of facing
// sides, the resolution of a placement with its element effects, the flip
// count the opponent looks ahead with, and the score.
#pragma once

#include <cstdint>

#include "minigames/CardDuelState.h"

// Relation 0-4 of a placed card's element to another card's element.
int elementRelation(int placedElement, int otherElement);

// Whether an attacking side beats a defending side.
bool sideBeats(int attackValue, int attackElement, int defendValue, int defendElement);

// Resolves the placement at position: the cell already holds its card, owner
// and values. Flips beaten neighbours of the other side and applies the
// placed card's element effect to every neighbour; nothing chains.
void placeCard(DuelPosition position);

// Changes the neighbour's four values by the placed card's element.
void applyElementEffect(DuelPosition placedPosition, DuelPosition neighbourPosition);

// How many of the player's cards `card` would flip if the opponent placed it
// at (column, row), with the values of its row. Changes nothing.
int countFlips(int column, int row, int card);

// The side of a card that faces the neighbour in direction d (0 left, 1 right,
// 2 above, 3 below), and the neighbour's side that faces back.
struct FacingSides {
    int columnStep;
    int rowStep;
    int ownSide;
    int neighbourSide;
};
extern const FacingSides kNeighbourDirections[4];

// Cells owned by the player plus the player's unplayed hand cards.
int playerScore();
// 6 or more won, 5 a draw, 4 or less lost.
std::uint8_t resultForScore(int score);
// Whether every board cell holds a card.
bool boardFull();

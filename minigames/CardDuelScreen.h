// The duel screen's drawing (scene 400): runCardDuel (engine/Screens.h) draws
// the board, both hands and the phase's windows and texts, then steps the
// phase machine (minigames/CardDuelPhases.h) with the frame's input code.
#pragma once

#include "platform/Gfx.h"

struct GraphicsResources;

// Card modes: the board and a hand look the same.
constexpr int kCardModeBoard = 0;
constexpr int kCardModeHand = 10;

// One card at (x, y): 0-99 its picture, 100 the card back, anything else the
// empty-cell frame. ownerFlag 1 turns it by 180 degrees and writes its figures
// in the opponent's colour. The element and the four values go into layer 2,
// only in a frame that redraws it.
void drawDuelCard(GraphicsResources& resources, gfx::Device* device, int card, int mode, int ownerFlag,
                  const unsigned char values[4], gfx::Vec2 position);

// The pointer hand at (x - 10, y), scaled 1.5.
void drawHandPointer(GraphicsResources& resources, gfx::Device* device, float x, float y);

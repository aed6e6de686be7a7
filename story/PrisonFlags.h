// What the maps of the prison of episode 0 share: the story flags only they
// read, the bars of the cells and もろこし's shop.
#pragma once

#include "story/StoryScriptSupport.h"

namespace prison {

constexpr int kCellDoorOpen = 2;   // map 3: 0 shut (the block is silent on entering), 1 open
constexpr int kCellScene = 4;      // map 3: 0 before, 1 after its battle, 2 after the scene
constexpr int kMerchantMet = 5;    // map 5: 0 not met, 1 his scene due, 2 met
constexpr int kGovernor = 7;       // map 7: 0 before, 1 scene due, 2 battle 8 won
constexpr int kJumpLesson = 130;   // map 3: 1 after the lesson

// もろこし's shop in the prison: a point card with a 5% rebate.
constexpr const char* kMerchantShop = "もろこし屋－ブラッドエンプレス";
constexpr int kMerchantGoods[20] = {130, 131};
constexpr int kMerchantRebate = 5;

// A cell's bars, standing as a figure of their own.
inline void bars(int slot, int entering) { story::dressFigure(slot, 1, 1, 49, 9, 1, entering); }

}  // namespace prison

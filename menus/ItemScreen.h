// The item screen (scene 201): every item the party holds, the description
// of the one under the cursor, and recovery items used on a member or the
// whole party. Its recovery rule is the one the battle's items share.
#pragma once

#include "platform/Gfx.h"

struct GraphicsResources;

constexpr int kItemListLength = 199;  // ids 130-199 then 1-129

// The item at a position of the list (every id whose owned count is above 0,
// in the order 130, 131, ..., 199, 1, 2, ..., 129); 0 past its end.
int itemListAt(int position);

// True when an item restores Hp or Sp outside battle: kind 8 or 9 and a
// first use value above 0.
bool itemUsableInCamp(int item);

// What a recovery item adds to a member's Hp (first use value 1) or Sp:
// the fixed amount F plus trunc(M x P / 100) of the maximum M.
int recoveryAmount(int unit, int item);

// Uses one copy of a recovery item from the target page: on the member in
// `targetSlot` (second use value 1) or on every member; then every member's
// Hp and Sp are cut down to their maxima.
void useRecoveryItem(int item, int targetSlot);

void runItemMenu(GraphicsResources& resources, gfx::Device* device);

// The two cached text layers and their redraw requests.
//   gRedrawRequest[0] governs layer 2, [1] governs layer 1:
//   0 keep, 1 clear and redraw this frame, 2 redraw from the next frame,
//   3 (entry 0 only) a choice was decided: the field clears layer 2.
#pragma once

extern int gRedrawRequest[2];
extern int gLayer2HasText;
extern int gLayer1HasText;

// The title screens.
#pragma once

extern int gTitleCounter;  // the title logo's frame counter (350 = the logo's end)

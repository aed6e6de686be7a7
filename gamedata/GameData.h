// The game data tables loaded from "Data.dat".
#pragma once

// 0 on success, 1 when "Data.dat" is missing.
int loadGameData();

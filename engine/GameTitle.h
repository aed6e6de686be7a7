// The titles by which the game and its separate configuration tool are known
// (window title, single-instance rule). Shift-JIS like every game text.
#pragma once

namespace engine {

extern const char kGameWindowTitle[];
extern const char kConfigToolWindowTitle[];
extern const char kWindowClassName[];

}  // namespace engine

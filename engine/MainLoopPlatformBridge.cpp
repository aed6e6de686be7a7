// The names under which the drawing code and the game data reach the
// application layer's message box and clocks.
#include "engine/Camera.h"
#include "engine/GraphicsResources.h"
#include "platform/App.h"
#include "platform/Clock.h"

void showMessageBox(const char* textCp932, const char* captionCp932) { app::showMessageBox(textCp932, captionCp932); }

std::uint32_t timeGetTimeMs() { return timing::milliseconds(); }

int calendarSeconds() { return static_cast<int>(timing::calendarSeconds()); }

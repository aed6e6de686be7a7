// The names under which the drawing code reaches the application layer's
// message box and millisecond clock.
#include "engine/Camera.h"
#include "engine/GraphicsResources.h"
#include "platform/App.h"
#include "platform/Clock.h"

void showMessageBox(const char* textCp932, const char* captionCp932) { app::showMessageBox(textCp932, captionCp932); }

std::uint32_t timeGetTimeMs() { return timing::milliseconds(); }

// Services of the application layer that have not landed yet. Each is weak:
// the real definition replaces it when it lands.

#include <cstdint>
#include <cstdio>
#include <ctime>

#include "engine/Camera.h"
#include "engine/GraphicsResources.h"
#include "platform/Text.h"

// Until the application's settings (gConfig) land: every switch off.
__attribute__((weak)) unsigned char gConfig[10] = {};

// Until the application's message box lands: the text on stderr.
__attribute__((weak)) void showMessageBox(const char* textCp932, const char* captionCp932) {
    std::fprintf(stderr, "[%s] %s\n", text::cp932ToUtf8(captionCp932).c_str(), text::cp932ToUtf8(textCp932).c_str());
}

// Until the application's clock lands: milliseconds since the first call.
__attribute__((weak)) std::uint32_t timeGetTimeMs() {
    // <chrono> does not compile under the Shift-JIS execution character set.
    auto nowMs = [] {
        timespec ts{};
        clock_gettime(CLOCK_MONOTONIC, &ts);
        return static_cast<std::uint64_t>(ts.tv_sec) * 1000u + static_cast<std::uint64_t>(ts.tv_nsec) / 1000000u;
    };
    static const std::uint64_t origin = nowMs();
    return static_cast<std::uint32_t>(nowMs() - origin);
}

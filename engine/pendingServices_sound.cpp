// Stand-ins for services of other subsystems that have not landed yet.
#include <cstdio>

#include "platform/Text.h"

// Until the app layer's message box lands: the box's text on stderr.
void showSoundErrorBoxUntilAppLands(const char* textCp932, const char* captionCp932) {
    std::fprintf(stderr, "%s: %s\n", text::cp932ToUtf8(captionCp932).c_str(), text::cp932ToUtf8(textCp932).c_str());
}

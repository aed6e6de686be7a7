#include <cstdlib>
#include <sstream>

#include "platform/InputDevices.h"
#include "programs/Playtest.h"

namespace {

bool keyNamed(const std::string& name, unsigned* key) {
    const struct { const char* name; unsigned key; } names[] = {
        {"up", kPlayUp}, {"down", kPlayDown}, {"left", kPlayLeft}, {"right", kPlayRight},
        {"decide", kPlayDecide}, {"cancel", kPlayCancel}, {"f12", kPlayF12},
    };
    for (const auto& n : names) {
        if (name == n.name) {
            *key = n.key;
            return true;
        }
    }
    return false;
}

bool parseFrame(const std::string& word, long* frame) {
    if (word.empty()) return false;
    char* end = nullptr;
    const long v = std::strtol(word.c_str(), &end, 10);
    if (*end != '\0' || v < 0) return false;
    *frame = v;
    return true;
}

}  // namespace

bool parsePlaytestScript(const std::string& text, std::vector<PlaytestSpan>& spans, std::string* error) {
    std::istringstream lines(text);
    std::string line;
    int number = 0;
    while (std::getline(lines, line)) {
        ++number;
        const size_t hash = line.find('#');
        if (hash != std::string::npos) line.erase(hash);
        std::istringstream words(line);
        std::string firstWord, lastWord, keysWord, extra;
        if (!(words >> firstWord)) continue;  // blank or comment
        const auto fail = [&](const std::string& what) {
            if (error != nullptr) *error = "line " + std::to_string(number) + ": " + what;
            return false;
        };
        if (!(words >> lastWord >> keysWord)) return fail("expected FIRST LAST KEYS");
        if (words >> extra) return fail("unexpected '" + extra + "'");
        PlaytestSpan span{0, 0, 0};
        if (!parseFrame(firstWord, &span.first) || !parseFrame(lastWord, &span.last)) return fail("frames must be numbers");
        if (span.last < span.first) return fail("LAST is before FIRST");
        if (keysWord != "-") {
            size_t at = 0;
            for (;;) {
                const size_t comma = keysWord.find(',', at);
                const std::string name = keysWord.substr(at, comma == std::string::npos ? std::string::npos : comma - at);
                unsigned key = 0;
                if (!keyNamed(name, &key)) return fail("unknown key '" + name + "'");
                span.keys |= key;
                if (comma == std::string::npos) break;
                at = comma + 1;
            }
        }
        spans.push_back(span);
    }
    return true;
}

unsigned playtestKeysAt(const std::vector<PlaytestSpan>& spans, long frame) {
    unsigned keys = 0;
    for (const PlaytestSpan& s : spans) {
        if (frame >= s.first && frame <= s.last) keys |= s.keys;
    }
    return keys;
}

void holdPlaytestKeys(unsigned keys) {
    using devices::Key;
    devices::setKeyHeld(Key::Up, keys & kPlayUp);
    devices::setKeyHeld(Key::Down, keys & kPlayDown);
    devices::setKeyHeld(Key::Left, keys & kPlayLeft);
    devices::setKeyHeld(Key::Right, keys & kPlayRight);
    devices::setKeyHeld(Key::Return, keys & kPlayDecide);
    devices::setKeyHeld(Key::Escape, keys & kPlayCancel);
    devices::setKeyHeld(Key::F12, keys & kPlayF12);
}

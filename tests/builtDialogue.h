// The game folder's lines file as the story tests read it: decoded whole,
// or loaded again less one message, to show what a missing line does.
#pragma once

#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "story/Dialogue.h"

// The messages of kDialogueFile (the working folder is the game folder).
inline bool readBuiltDialogue(std::vector<DialogueLine>& lines, std::string& error) {
    std::ifstream file(kDialogueFile, std::ios::binary);
    const std::vector<std::uint8_t> built((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    return decodeDialogue(built, lines, error);
}

// Loads the built lines without the message of `key`; false with the reason
// when there is no such message or the thinned file does not load.
inline bool loadBuiltDialogueWithout(const std::string& key, std::string& error) {
    std::vector<DialogueLine> lines;
    if (!readBuiltDialogue(lines, error)) return false;
    const auto gone = std::remove_if(lines.begin(), lines.end(), [&](const DialogueLine& l) { return l.key == key; });
    if (gone == lines.end()) {
        error = "no message \"" + key + "\" to leave out";
        return false;
    }
    lines.erase(gone, lines.end());
    const std::vector<std::uint8_t> thinned = encodeDialogue(lines);
    const std::string path = "/tmp/thinnedDialogue" + std::to_string(getpid()) + ".dat";
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(thinned.data()), thinned.size());
    const bool loaded = loadDialogueFile(path.c_str(), error);
    std::remove(path.c_str());
    return loaded;
}

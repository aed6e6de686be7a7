#include "story/Dialogue.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <map>

#include "events/MessageWindow.h"

int gDialogueMisses = 0;

namespace {

std::map<std::string, DialogueLine> gLines;
bool gTriedFile = false;
std::string gLastKey;

void putU16(std::vector<std::uint8_t>& out, std::size_t value) {
    out.push_back(static_cast<std::uint8_t>(value & 0xFF));
    out.push_back(static_cast<std::uint8_t>((value >> 8) & 0xFF));
}

void putText(std::vector<std::uint8_t>& out, const std::string& text) {
    putU16(out, text.size());
    out.insert(out.end(), text.begin(), text.end());
}

class Cursor {
public:
    explicit Cursor(const std::vector<std::uint8_t>& data) : data_(data) {}
    bool u8(int& out) {
        if (pos_ + 1 > data_.size()) return false;
        out = data_[pos_++];
        return true;
    }
    bool u32(std::uint32_t& out) {
        if (pos_ + 4 > data_.size()) return false;
        out = 0;
        for (int i = 0; i < 4; ++i) out |= static_cast<std::uint32_t>(data_[pos_ + i]) << (8 * i);
        pos_ += 4;
        return true;
    }
    bool text(std::string& out) {
        if (pos_ + 2 > data_.size()) return false;
        const std::size_t n = data_[pos_] | (static_cast<std::size_t>(data_[pos_ + 1]) << 8);
        pos_ += 2;
        if (pos_ + n > data_.size()) return false;
        out.assign(reinterpret_cast<const char*>(data_.data() + pos_), n);
        pos_ += n;
        return out.find('\0') == std::string::npos;
    }
    bool atEnd() const { return pos_ == data_.size(); }

private:
    const std::vector<std::uint8_t>& data_;
    std::size_t pos_ = 0;
};

// A line's width in bytes, a double-byte character counted whole.
bool splitsCharacter(const std::string& text) {
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (isLeadByte(static_cast<std::uint8_t>(text[i]))) {
            if (i + 1 >= text.size()) return true;
            ++i;
        }
    }
    return false;
}

void showPlaceholder(const char* key) {
    ++gDialogueMisses;
    std::fprintf(stderr, "dialogue: no line \"%s\"\n", key);
    setMessagePortrait(0, 0, 0);
    setMessage("", key, "", "");
}

}  // namespace

int dialogueLineWidth(int layout) { return layout == 1 ? 42 : 52; }

std::string dialogueFitError(const DialogueLine& line) {
    if (line.layout < 0 || line.layout > 3) return "layout " + std::to_string(line.layout) + " is not 0 to 3";
    if (line.portrait < 0 || line.portrait > 19) return "portrait " + std::to_string(line.portrait) + " is not 0 to 19";
    if (line.expression < 0 || line.expression > 9)
        return "expression " + std::to_string(line.expression) + " is not 0 to 9";
    if (static_cast<int>(line.speaker.size()) > kDialogueSpeakerBytes)
        return "the speaker takes " + std::to_string(line.speaker.size()) + " bytes, the name box holds " +
               std::to_string(kDialogueSpeakerBytes);
    if (splitsCharacter(line.speaker)) return "the speaker ends inside a double-byte character";
    const int width = dialogueLineWidth(line.layout);
    for (int i = 0; i < 3; ++i) {
        if (static_cast<int>(line.lines[i].size()) > width)
            return "line " + std::to_string(i + 1) + " takes " + std::to_string(line.lines[i].size()) +
                   " bytes, the window shows " + std::to_string(width);
        if (splitsCharacter(line.lines[i])) return "line " + std::to_string(i + 1) + " ends inside a double-byte character";
        if (line.lines[i].find('\n') != std::string::npos) return "line " + std::to_string(i + 1) + " holds a line break";
    }
    return "";
}

std::vector<std::uint8_t> encodeDialogue(const std::vector<DialogueLine>& lines) {
    std::vector<std::uint8_t> out = {'D', 'L', 'G', '1'};
    const std::uint32_t count = static_cast<std::uint32_t>(lines.size());
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<std::uint8_t>(count >> (8 * i)));
    for (const DialogueLine& line : lines) {
        out.push_back(static_cast<std::uint8_t>(line.layout));
        out.push_back(static_cast<std::uint8_t>(line.portrait));
        out.push_back(static_cast<std::uint8_t>(line.expression));
        putText(out, line.key);
        putText(out, line.speaker);
        for (const std::string& text : line.lines) putText(out, text);
    }
    return out;
}

bool decodeDialogue(const std::vector<std::uint8_t>& data, std::vector<DialogueLine>& out, std::string& error) {
    out.clear();
    if (data.size() < 8 || std::memcmp(data.data(), "DLG1", 4) != 0) {
        error = "not a dialogue file (no DLG1 header)";
        return false;
    }
    Cursor in(data);
    int skip = 0;
    for (int i = 0; i < 4; ++i) in.u8(skip);
    std::uint32_t count = 0;
    in.u32(count);
    for (std::uint32_t n = 0; n < count; ++n) {
        DialogueLine line;
        if (!in.u8(line.layout) || !in.u8(line.portrait) || !in.u8(line.expression) || !in.text(line.key) ||
            !in.text(line.speaker) || !in.text(line.lines[0]) || !in.text(line.lines[1]) || !in.text(line.lines[2])) {
            error = "message " + std::to_string(n + 1) + " of " + std::to_string(count) + " is cut short or broken";
            out.clear();
            return false;
        }
        const std::string fit = dialogueFitError(line);
        if (!fit.empty() || line.key.empty()) {
            error = "message \"" + line.key + "\": " + (fit.empty() ? "empty key" : fit);
            out.clear();
            return false;
        }
        out.push_back(std::move(line));
    }
    if (!in.atEnd()) {
        error = "bytes left after the last message";
        out.clear();
        return false;
    }
    return true;
}

bool loadDialogueFile(const char* path, std::string& error) {
    gLines.clear();
    gTriedFile = true;
    std::ifstream file(path, std::ios::binary | std::ios::ate);
    if (!file) {
        error = std::string("cannot open ") + path;
        return false;
    }
    // In one read: byte by byte took a third of the load.
    std::vector<std::uint8_t> data(static_cast<std::size_t>(std::max<std::streamoff>(file.tellg(), 0)));
    file.seekg(0);
    if (!file.read(reinterpret_cast<char*>(data.data()), static_cast<std::streamsize>(data.size()))) {
        error = std::string("cannot read ") + path;
        return false;
    }
    std::vector<DialogueLine> lines;
    if (!decodeDialogue(data, lines, error)) {
        error = std::string(path) + ": " + error;
        return false;
    }
    for (DialogueLine& line : lines) {
        const std::string key = line.key;
        gLines[key] = std::move(line);
    }
    return true;
}

void prepareDialogue() {
    if (gTriedFile) return;
    std::string error;
    if (!loadDialogueFile(kDialogueFile, error))
        std::fprintf(stderr, "corvadine: the story's lines are missing: %s (rebuild the content)\n", error.c_str());
}

const DialogueLine* findDialogue(const char* key) {
    prepareDialogue();
    const auto it = gLines.find(key);
    return it == gLines.end() ? nullptr : &it->second;
}

std::size_t dialogueCount() { return gLines.size(); }

void say(const char* key, int pause) {
    gLastKey = key;
    const DialogueLine* line = findDialogue(key);
    if (line == nullptr) {
        showPlaceholder(key);
    } else {
        setMessagePortrait(line->layout, line->portrait, line->expression);
        setMessage(line->speaker.c_str(), line->lines[0].c_str(), line->lines[1].c_str(), line->lines[2].c_str());
    }
    showMessage(pause);
}

void offerChoice(const char* key, int count) {
    gLastKey = key;
    const DialogueLine* line = findDialogue(key);
    if (line == nullptr) {
        showPlaceholder(key);
    } else {
        setMessagePortrait(line->layout, line->portrait, line->expression);
        setMessage(line->speaker.c_str(), line->lines[0].c_str(), line->lines[1].c_str(), line->lines[2].c_str());
    }
    showChoice(count);
}

void sayStep(int map, int event, int step, int pause) {
    char key[32];
    std::snprintf(key, sizeof key, "%d.%d.%d", map, event, step);
    say(key, pause);
}

const std::string& lastDialogueKey() { return gLastKey; }
void resetLastDialogueKey() { gLastKey.clear(); }

void resetDialogue() {
    gLastKey.clear();
    gLines.clear();
    gTriedFile = false;
    gDialogueMisses = 0;
}

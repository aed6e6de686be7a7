// dialoguegen <source folder> <output file>
//
// Reads every "*.txt" of the folder (in name order) and writes the story's
// lines as "Data/Dialogue.dat" in CP932. A source message is a header line
//
//     [key] layout portrait expression speaker
//
// (the speaker may be left out for captions) followed by up to three text
// lines; a blank line or the next header ends it (a text line may begin with
// "[" as long as it does not read as a header), a line holding only "\"
// stands for an empty line, and "#" at the start of a line is a comment.
// A message that does not fit the window, a duplicate key or a character
// without a CP932 form stops the build with the file and line.
#include <algorithm>
#include <cctype>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "platform/Text.h"
#include "story/Dialogue.h"

namespace {

std::string trim(const std::string& s) {
    const auto first = s.find_first_not_of(" \t\r");
    if (first == std::string::npos) return "";
    const auto last = s.find_last_not_of(" \t\r");
    return s.substr(first, last - first + 1);
}

struct Parsed {
    DialogueLine line;
    std::string where;
    int count = 0;
};

// "[key] layout portrait expression ...": a key of letters, digits, dots
// and underscores and three numbers. Anything else is a text line (a line of
// the dialogue may well begin with "[Enter]").
bool parseHeader(const std::string& line, DialogueLine& out) {
    if (line.empty() || line[0] != '[') return false;
    const auto close = line.find(']');
    if (close == std::string::npos || close < 2) return false;
    for (std::size_t i = 1; i < close; ++i) {
        const char c = line[i];
        if (!std::isalnum(static_cast<unsigned char>(c)) && c != '.' && c != '_') return false;
    }
    std::istringstream head(line.substr(close + 1));
    if (!(head >> out.layout >> out.portrait >> out.expression)) return false;
    out.key = line.substr(1, close - 1);
    return true;
}

bool toCp932(const std::string& utf8, std::string& out) {
    out = text::utf8ToCp932(utf8);
    // a character without a CP932 form comes back as '?'
    return std::count(out.begin(), out.end(), '?') == std::count(utf8.begin(), utf8.end(), '?');
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: dialoguegen <source folder> <output file>\n");
        return 2;
    }
    std::vector<std::filesystem::path> files;
    std::error_code ec;
    for (const auto& entry : std::filesystem::directory_iterator(argv[1], ec))
        if (entry.path().extension() == ".txt") files.push_back(entry.path());
    if (ec || files.empty()) {
        std::fprintf(stderr, "dialoguegen: no *.txt sources in %s\n", argv[1]);
        return 1;
    }
    std::sort(files.begin(), files.end());

    std::vector<Parsed> messages;
    int faults = 0;
    for (const auto& path : files) {
        std::ifstream in(path);
        std::string raw;
        int number = 0;
        Parsed* open = nullptr;
        while (std::getline(in, raw)) {
            ++number;
            const std::string where = path.filename().string() + ":" + std::to_string(number);
            const std::string line = trim(raw);
            if (!line.empty() && line[0] == '#') continue;
            if (line.empty()) {
                open = nullptr;
                continue;
            }
            Parsed p;
            if (parseHeader(line, p.line)) {
                p.where = where;
                std::istringstream head(line.substr(line.find(']') + 1));
                head >> p.line.layout >> p.line.portrait >> p.line.expression;
                std::string speaker;
                std::getline(head, speaker);
                if (!toCp932(trim(speaker), p.line.speaker)) {
                    std::fprintf(stderr, "%s: the speaker has a character without a CP932 form\n", where.c_str());
                    ++faults;
                }
                messages.push_back(p);
                open = &messages.back();
                continue;
            }
            if (open == nullptr) {
                std::fprintf(stderr, "%s: a text line outside a message\n", where.c_str());
                ++faults;
                continue;
            }
            if (open->count == 3) {
                std::fprintf(stderr, "%s: message [%s] has more than three lines\n", where.c_str(), open->line.key.c_str());
                ++faults;
                continue;
            }
            std::string converted;
            if (!toCp932(line == "\\" ? "" : line, converted)) {
                std::fprintf(stderr, "%s: a character without a CP932 form\n", where.c_str());
                ++faults;
            }
            open->line.lines[open->count++] = converted;
        }
    }

    std::vector<DialogueLine> lines;
    std::vector<std::string> keys;
    for (const Parsed& p : messages) {
        const std::string fit = dialogueFitError(p.line);
        if (!fit.empty()) {
            std::fprintf(stderr, "%s: message [%s]: %s\n", p.where.c_str(), p.line.key.c_str(), fit.c_str());
            ++faults;
        }
        if (std::find(keys.begin(), keys.end(), p.line.key) != keys.end()) {
            std::fprintf(stderr, "%s: message [%s] is defined twice\n", p.where.c_str(), p.line.key.c_str());
            ++faults;
        }
        keys.push_back(p.line.key);
        lines.push_back(p.line);
    }
    if (faults != 0) {
        std::fprintf(stderr, "dialoguegen: %d fault(s); nothing written\n", faults);
        return 1;
    }
    const std::vector<std::uint8_t> data = encodeDialogue(lines);
    std::filesystem::create_directories(std::filesystem::path(argv[2]).parent_path(), ec);
    std::ofstream out(argv[2], std::ios::binary);
    out.write(reinterpret_cast<const char*>(data.data()), static_cast<std::streamsize>(data.size()));
    if (!out) {
        std::fprintf(stderr, "dialoguegen: cannot write %s\n", argv[2]);
        return 1;
    }
    std::printf("dialoguegen: %zu messages\n", lines.size());
    return 0;
}

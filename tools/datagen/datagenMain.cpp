// datagen: builds "Data.dat" from the readable text tables in content/data.
// The sources are UTF-8; they are converted to Shift-JIS into a work folder
// (the game folder, where the developer mode reads them) and read there by
// the same loader and writer the developer mode uses, so the file is the
// game's own output. Any problem the loader reports, or a
// character with no Shift-JIS form, fails the build.
//
//   datagen CONTENT_DIR WORK_DIR OUTPUT_FILE
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>

#include "gamedata/DataFile.h"
#include "gamedata/GameData.h"
#include "gamedata/TextTables.h"
#include "platform/Text.h"

namespace {

bool convertTable(const std::string& from, const std::string& to) {
    std::ifstream in(from, std::ios::binary);
    if (!in) {
        std::fprintf(stderr, "datagen: cannot read %s\n", from.c_str());
        return false;
    }
    std::stringstream buffer;
    buffer << in.rdbuf();
    const std::string utf8 = buffer.str();
    const std::string sjis = text::utf8ToCp932(utf8);
    if (text::cp932ToUtf8(sjis.data(), static_cast<int>(sjis.size())) != utf8) {
        // Find the line to point at.
        std::istringstream lines(utf8);
        std::string line;
        for (int n = 1; std::getline(lines, line); ++n) {
            const std::string back = text::utf8ToCp932(line);
            if (text::cp932ToUtf8(back.data(), static_cast<int>(back.size())) != line)
                std::fprintf(stderr, "datagen: %s:%d: a character has no Shift-JIS form\n", from.c_str(), n);
        }
        return false;
    }
    std::ofstream out(to, std::ios::binary | std::ios::trunc);
    out << sjis;
    return static_cast<bool>(out);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: datagen CONTENT_DIR WORK_DIR OUTPUT_FILE\n");
        return 2;
    }
    const std::string contentDir = argv[1];
    const std::string workDir = argv[2];
    bool ok = true;
    for (const char* name : kTextTableFiles) ok = convertTable(contentDir + "/" + name, workDir + "/" + name) && ok;
    if (!ok) return 1;

    resetGameDataState();
    TextTableReport report;
    loadTextTables(workDir.c_str(), report);
    for (const std::string& p : report.problems) std::fprintf(stderr, "datagen: %s\n", p.c_str());
    if (!report.ok()) return 1;
    if (!writeDataFile(argv[3])) {
        std::fprintf(stderr, "datagen: cannot write %s\n", argv[3]);
        return 1;
    }
    return 0;
}

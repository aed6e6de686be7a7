#include "fuzz/FuzzSeeds.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <vector>

#include "fuzz/FuzzScratch.h"
#include "gamedata/DataFile.h"
#include "gamedata/GameData.h"
#include "gamedata/NewGame.h"
#include "gamedata/SaveFile.h"
#include "gamedata/TextTables.h"
#include "minigames/BoatCourse.h"
#include "platform/Bitmap.h"
#include "story/Dialogue.h"

namespace {

// The fuzzer takes inputs up to a megabyte.
constexpr std::size_t kLargestSeed = 1000 * 1000;

void put16(std::vector<std::uint8_t>& out, std::uint32_t v) {
    out.push_back(static_cast<std::uint8_t>(v));
    out.push_back(static_cast<std::uint8_t>(v >> 8));
}

void put32(std::vector<std::uint8_t>& out, std::uint32_t v) {
    put16(out, v & 0xFFFF);
    put16(out, v >> 16);
}

// A BMP of the picture at `bits` (8 with a palette of the picture's first
// 256 colours, 24, or 32), bottom-up unless `topDown`; with `alphaMask` a
// 32-bit picture carries bit fields with an alpha mask.
std::vector<std::uint8_t> encodeBmp(const bitmap::Image& image, int bits, bool topDown, bool alphaMask) {
    std::vector<std::uint32_t> palette;
    if (bits == 8) {
        for (std::uint32_t c : image.argb) {
            if (palette.size() == 256) break;
            if (std::find(palette.begin(), palette.end(), c) == palette.end()) palette.push_back(c);
        }
    }
    const bool bitFields = bits == 32 && alphaMask;
    const std::uint32_t infoSize = bitFields ? 56 : 40;
    const std::uint32_t stride = ((static_cast<std::uint32_t>(image.width) * bits + 31) / 32) * 4;
    const std::uint32_t pixelOffset = 14 + infoSize + (bitFields ? 16 : 0) + 4 * static_cast<std::uint32_t>(palette.size());
    std::vector<std::uint8_t> out;
    out.push_back('B');
    out.push_back('M');
    put32(out, pixelOffset + stride * image.height);
    put32(out, 0);
    put32(out, pixelOffset);
    put32(out, infoSize);
    put32(out, static_cast<std::uint32_t>(image.width));
    put32(out, static_cast<std::uint32_t>(topDown ? -image.height : image.height));
    put16(out, 1);
    put16(out, static_cast<std::uint32_t>(bits));
    put32(out, bitFields ? 3 : 0);
    put32(out, stride * image.height);
    put32(out, 2835);
    put32(out, 2835);
    put32(out, static_cast<std::uint32_t>(palette.size()));
    put32(out, 0);
    while (out.size() < 14 + infoSize) out.push_back(0);
    if (bitFields) {
        put32(out, 0x00FF0000u);
        put32(out, 0x0000FF00u);
        put32(out, 0x000000FFu);
        put32(out, 0xFF000000u);
    }
    for (std::uint32_t c : palette) put32(out, c & 0x00FFFFFFu);
    for (int y = 0; y < image.height; ++y) {
        const int row = topDown ? y : image.height - 1 - y;
        const std::uint32_t* p = image.argb.data() + static_cast<std::size_t>(row) * image.width;
        const std::size_t start = out.size();
        for (int x = 0; x < image.width; ++x) {
            if (bits == 8) {
                const auto at = std::find(palette.begin(), palette.end(), p[x]);
                out.push_back(static_cast<std::uint8_t>(at == palette.end() ? 0 : at - palette.begin()));
            } else {
                out.push_back(static_cast<std::uint8_t>(p[x]));
                out.push_back(static_cast<std::uint8_t>(p[x] >> 8));
                out.push_back(static_cast<std::uint8_t>(p[x] >> 16));
                if (bits == 32) out.push_back(static_cast<std::uint8_t>(alphaMask ? (x * 255 / image.width) : 0));
            }
        }
        out.resize(start + stride, 0);
    }
    return out;
}

}  // namespace

int writeSaveSeeds(const std::string& gameDir, const std::string& outDir) {
    resetGameDataState();
    readDataFile((gameDir + "/Data.dat").c_str());
    resetSaveState();
    resetNewGame();
    setUpInitialParty();
    auto state = std::make_unique<SaveState>();
    captureSaveState(*state);
    if (checkSaveState(*state) != SaveLoadError::kNone) std::fprintf(stderr, "fuzz: the new game's save is refused\n");
    std::vector<std::uint8_t> bytes(kSaveFileSize);
    encodeSaveState(*state, bytes.data());
    writeSeed(outDir, "Save_newgame.dat", bytes);
    return 1;
}

int writeDataFileSeeds(const std::string& gameDir, const std::string& outDir) {
    std::vector<std::uint8_t> bytes;
    if (!readWholeFile(gameDir + "/Data.dat", bytes)) return 0;
    writeSeed(outDir, "Data.dat", bytes);
    return 1;
}

int writeTextTableSeeds(const std::string& gameDir, const std::string& outDir) {
    int written = 0;
    for (int i = 0; i < 7; ++i) {
        std::vector<std::uint8_t> table;
        if (!readWholeFile(gameDir + "/" + kTextTableFiles[i], table)) continue;
        table.insert(table.begin(), static_cast<std::uint8_t>(i));
        writeSeed(outDir, kTextTableFiles[i], table);
        ++written;
    }
    return written;
}

int writeMapSeeds(const std::string& gameDir, const std::string& outDir) {
    return copySeeds(gameDir, "Data", "Map_", ".dat", 10, kLargestSeed, outDir);
}

int writeCourseSeeds(const std::string& gameDir, const std::string& outDir) {
    const std::size_t cells = static_cast<std::size_t>(kCourseCellCount) * kCourseCellRecordSize;
    int written = 0;
    for (int course = 0; course < 8; ++course) {
        std::vector<std::uint8_t> bytes;
        if (!readWholeFile(gameDir + "/Data/Boat_" + std::to_string(course) + ".dat", bytes)) continue;
        if (bytes.size() <= cells) continue;
        // The grid's first rows, and (behind an odd first byte) the obstacles.
        std::vector<std::uint8_t> head(1, 0);
        head.insert(head.end(), bytes.begin(), bytes.begin() + 120000);
        writeSeed(outDir, "Boat_" + std::to_string(course) + "_cells", head);
        std::vector<std::uint8_t> tail(1, 1);
        tail.insert(tail.end(), bytes.begin() + static_cast<long>(cells), bytes.end());
        writeSeed(outDir, "Boat_" + std::to_string(course) + "_obstacles", tail);
        written += 2;
    }
    return written;
}

int writeWaveSeeds(const std::string& gameDir, const std::string& outDir) {
    return copySeeds(gameDir, "Se", "", ".wav", 12, 40000, outDir);
}

int writeBitmapSeeds(const std::string& gameDir, const std::string& outDir) {
    int written = copySeeds(gameDir, "Res", "Bitmap_", ".bmp", 400, 20000, outDir);
    bitmap::Image image;
    if (bitmap::readBmpFile(gameDir + "/Res/Bitmap_251.bmp", image) != bitmap::kOk) return written;
    writeSeed(outDir, "depth8.bmp", encodeBmp(image, 8, false, false));
    writeSeed(outDir, "depth24_topdown.bmp", encodeBmp(image, 24, true, false));
    writeSeed(outDir, "depth32.bmp", encodeBmp(image, 32, false, false));
    writeSeed(outDir, "depth32_alpha.bmp", encodeBmp(image, 32, true, true));
    return written + 4;
}

int writeXMeshSeeds(const std::string& gameDir, const std::string& outDir) {
    return copySeeds(gameDir, "Res", "Xfile_", ".x", 40, 100000, outDir);
}

int writeSongSeeds(const std::string& gameDir, const std::string& outDir) {
    // The title song, and the short jingles.
    int written = copySeeds(gameDir, "Res", "Midi_300", ".mid", 1, kLargestSeed, outDir);
    return written + copySeeds(gameDir, "Res", "Midi_", ".mid", 10, 4000, outDir);
}

int writeDialogueSeeds(const std::string& gameDir, const std::string& outDir) {
    // The whole file, and a short one of its first messages (quicker to run).
    std::vector<std::uint8_t> bytes;
    if (!readWholeFile(gameDir + "/Data/Dialogue.dat", bytes)) return 0;
    std::vector<DialogueLine> lines;
    std::string error;
    int written = 0;
    if (bytes.size() <= kLargestSeed) {
        writeSeed(outDir, "Dialogue.dat", bytes);
        ++written;
    }
    if (decodeDialogue(bytes, lines, error)) {
        lines.resize(std::min<std::size_t>(lines.size(), 12));
        writeSeed(outDir, "Dialogue_short.dat", encodeDialogue(lines));
        ++written;
    }
    return written;
}

int writeConfigSeeds(const std::string&, const std::string& outDir) {
    writeSeed(outDir, "Config_off.dat", std::vector<std::uint8_t>(20, 0));
    writeSeed(outDir, "Config_on.dat", std::vector<std::uint8_t>(20, 1));
    writeSeed(outDir, "Config_short.dat", {1, 0, 1, 0, 1});
    return 3;
}

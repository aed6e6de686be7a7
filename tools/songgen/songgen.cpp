// Writes the game's songs as standard MIDI files from their sources.
//
//   songgen <folder of .song files> <output folder>
//
// Each ID_name.song becomes Midi_ID.mid. A song must last 30 to 90 seconds
// (it repeats endlessly in the game) and every id may appear once.
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <set>
#include <string>
#include <vector>

#include "tools/songgen/Arranger.h"
#include "tools/songgen/MidiWriter.h"
#include "tools/songgen/SongSource.h"

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: songgen <folder of .song files> <output folder>\n");
        return 2;
    }
    const std::filesystem::path from = argv[1], to = argv[2];
    std::filesystem::create_directories(to);
    std::vector<std::filesystem::path> sources;
    for (const auto& entry : std::filesystem::directory_iterator(from)) {
        if (entry.path().extension() == ".song") sources.push_back(entry.path());
    }
    std::sort(sources.begin(), sources.end());
    std::set<int> ids;
    int failed = 0;
    for (const auto& path : sources) {
        songgen::Song song;
        songgen::Arrangement arrangement;
        if (!songgen::readSongSource(path.string(), &song) || !songgen::arrangeSong(song, &arrangement)) {
            ++failed;
            continue;
        }
        const std::string stem = path.stem().string();
        if (stem.rfind(std::to_string(song.id) + "_", 0) != 0) {
            std::fprintf(stderr, "%s: the file name must start with the id %d\n", path.c_str(), song.id);
            ++failed;
            continue;
        }
        if (!ids.insert(song.id).second) {
            std::fprintf(stderr, "%s: id %d is used twice\n", path.c_str(), song.id);
            ++failed;
            continue;
        }
        const double seconds = arrangement.totalTicks / static_cast<double>(songgen::kDivision) * 60.0 / song.tempo;
        if (seconds < 30.0 || seconds > 90.0) {
            std::fprintf(stderr, "%s: lasts %.1f s, not 30 to 90\n", path.c_str(), seconds);
            ++failed;
            continue;
        }
        const std::vector<std::uint8_t> bytes = songgen::writeMidiFile(song, arrangement);
        std::ofstream out(to / ("Midi_" + std::to_string(song.id) + ".mid"), std::ios::binary);
        out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
        if (!out) {
            std::fprintf(stderr, "%s: cannot write\n", path.c_str());
            ++failed;
        }
    }
    return failed ? 1 : 0;
}

// A song as its source file describes it: the key, the sections' chords, the
// tracks with their roles, and melodies written out or left to the composer.
#pragma once

#include <map>
#include <string>
#include <vector>

namespace songgen {

struct Chord {
    int root = 0;                 // pitch class 0..11
    std::vector<int> intervals;   // semitones above the root, 0 first
    int beats = 4;                // how long it lasts (quarter notes)
};

struct Bar {
    std::vector<Chord> chords;    // in order, their beats add up to the bar
};

struct Section {
    std::string name;
    std::vector<Bar> bars;
};

struct Track {
    std::string name;
    std::string role;             // melody, counter, pad, arp, bass, drums
    std::map<std::string, std::string> options;
    std::string option(const std::string& key, const std::string& fallback) const;
    int intOption(const std::string& key, int fallback) const;
};

struct Song {
    std::string title;
    int id = 0;
    int tempo = 120;              // quarter notes a minute
    int meter = 4;                // quarter notes a bar
    int tonic = 0;                // pitch class of the key
    std::string mode = "major";
    int seed = 1;
    std::vector<Section> sections;
    std::vector<std::string> form;   // section names in playing order
    std::vector<Track> tracks;
    std::map<std::string, std::string> melodies;  // section -> written melody
};

// Reads a song source; on a mistake prints "file:line: why" and returns false.
bool readSongSource(const std::string& path, Song* song);

// Semitone offsets of a mode's seven degrees.
std::vector<int> modeScale(const std::string& mode);

}  // namespace songgen

#include "tools/songgen/SongSource.h"

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>

namespace songgen {

namespace {

const int kMajorScale[7] = {0, 2, 4, 5, 7, 9, 11};

int pitchClassOf(const std::string& name) {
    static const int kLetters[7] = {9, 11, 0, 2, 4, 5, 7};
    if (name.empty()) return -1;
    const char letter = static_cast<char>(std::toupper(static_cast<unsigned char>(name[0])));
    if (letter < 'A' || letter > 'G') return -1;
    int pc = kLetters[letter - 'A'];
    for (std::size_t i = 1; i < name.size(); ++i) {
        if (name[i] == '#') ++pc;
        else if (name[i] == 'b') --pc;
        else return -1;
    }
    return (pc + 12) % 12;
}

// A Roman numeral chord relative to the key: I..VII (upper case major, lower
// case minor), an optional b or # before it, and a quality after it: 7, maj7,
// dim, aug, sus2, sus4, add9, 9.
bool parseChord(const std::string& text, int tonic, Chord* chord) {
    std::size_t i = 0;
    int shift = 0;
    while (i < text.size() && (text[i] == 'b' || text[i] == '#')) shift += text[i++] == '#' ? 1 : -1;
    static const char* const kNumerals[7] = {"VII", "III", "IV", "VI", "II", "V", "I"};
    static const int kDegrees[7] = {6, 2, 3, 5, 1, 4, 0};
    int degree = -1;
    bool minor = false;
    for (int n = 0; n < 7 && degree < 0; ++n) {
        const std::string numeral = kNumerals[n];
        std::string upper = text.substr(i, numeral.size());
        std::string folded = upper;
        for (char& c : folded) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        if (folded == numeral) {
            degree = kDegrees[n];
            minor = std::islower(static_cast<unsigned char>(upper[0])) != 0;
            i += numeral.size();
        }
    }
    if (degree < 0) return false;
    chord->root = ((tonic + kMajorScale[degree] + shift) % 12 + 12) % 12;
    const std::string quality = text.substr(i);
    std::vector<int> iv = minor ? std::vector<int>{0, 3, 7} : std::vector<int>{0, 4, 7};
    if (quality.empty()) {
    } else if (quality == "7") {
        iv.push_back(10);
    } else if (quality == "maj7") {
        iv.push_back(11);
    } else if (quality == "dim" || quality == "o") {
        iv = {0, 3, 6};
    } else if (quality == "dim7" || quality == "o7") {
        iv = {0, 3, 6, 9};
    } else if (quality == "aug" || quality == "+") {
        iv = {0, 4, 8};
    } else if (quality == "sus4") {
        iv = {0, 5, 7};
    } else if (quality == "sus2") {
        iv = {0, 2, 7};
    } else if (quality == "add9") {
        iv.push_back(14);
    } else if (quality == "9") {
        iv.push_back(10);
        iv.push_back(14);
    } else {
        return false;
    }
    chord->intervals = iv;
    return true;
}

}  // namespace

std::vector<int> modeScale(const std::string& mode) {
    if (mode == "minor") return {0, 2, 3, 5, 7, 8, 10};
    if (mode == "harmonic") return {0, 2, 3, 5, 7, 8, 11};
    if (mode == "dorian") return {0, 2, 3, 5, 7, 9, 10};
    if (mode == "phrygian") return {0, 1, 3, 5, 7, 8, 10};
    if (mode == "lydian") return {0, 2, 4, 6, 7, 9, 11};
    if (mode == "mixolydian") return {0, 2, 4, 5, 7, 9, 10};
    return {0, 2, 4, 5, 7, 9, 11};
}

std::string Track::option(const std::string& key, const std::string& fallback) const {
    const auto it = options.find(key);
    return it == options.end() ? fallback : it->second;
}

int Track::intOption(const std::string& key, int fallback) const {
    const auto it = options.find(key);
    return it == options.end() ? fallback : std::atoi(it->second.c_str());
}

bool readSongSource(const std::string& path, Song* song) {
    std::ifstream in(path);
    if (!in) {
        std::fprintf(stderr, "%s: cannot open\n", path.c_str());
        return false;
    }
    std::string line;
    int lineNumber = 0;
    auto fail = [&](const std::string& why) {
        std::fprintf(stderr, "%s:%d: %s\n", path.c_str(), lineNumber, why.c_str());
        return false;
    };
    while (std::getline(in, line)) {
        ++lineNumber;
        if (const std::size_t hash = line.find('#'); hash != std::string::npos && line.rfind("title", 0) != 0) {
            line = line.substr(0, hash);
        }
        std::istringstream words(line);
        std::string word;
        if (!(words >> word)) continue;
        if (word == "title") {
            words >> song->title;
        } else if (word == "id") {
            words >> song->id;
        } else if (word == "tempo") {
            words >> song->tempo;
        } else if (word == "meter") {
            words >> song->meter;
            if (song->meter < 2 || song->meter > 7) return fail("meter must be 2..7 quarter notes");
        } else if (word == "seed") {
            words >> song->seed;
        } else if (word == "key") {
            std::string tonic;
            words >> tonic >> song->mode;
            song->tonic = pitchClassOf(tonic);
            if (song->tonic < 0) return fail("bad key " + tonic);
        } else if (word == "form") {
            std::string name;
            while (words >> name) song->form.push_back(name);
        } else if (word == "section") {
            Section section;
            words >> section.name;
            if (!section.name.empty() && section.name.back() == ':') section.name.pop_back();
            std::string rest;
            std::getline(words, rest);
            std::istringstream bars(rest);
            std::string barText;
            while (std::getline(bars, barText, '|')) {
                std::istringstream symbols(barText);
                std::string symbol;
                std::vector<std::string> names;
                while (symbols >> symbol) names.push_back(symbol);
                // A bar of one symbol holds one chord; "I.V" splits it.
                for (const std::string& n : names) {
                    Bar bar;
                    std::vector<std::string> parts;
                    std::stringstream split(n);
                    std::string part;
                    while (std::getline(split, part, '.')) parts.push_back(part);
                    if (song->meter % static_cast<int>(parts.size()) != 0) return fail("cannot split a bar into " + n);
                    for (const std::string& p : parts) {
                        Chord chord;
                        if (p == "-" && !section.bars.empty()) {
                            chord = section.bars.back().chords.back();
                        } else if (!parseChord(p, song->tonic, &chord)) {
                            return fail("bad chord " + p);
                        }
                        chord.beats = song->meter / static_cast<int>(parts.size());
                        bar.chords.push_back(chord);
                    }
                    section.bars.push_back(bar);
                }
            }
            if (section.bars.empty()) return fail("a section without bars");
            song->sections.push_back(section);
        } else if (word == "track") {
            Track track;
            words >> track.name;
            std::string pair;
            while (words >> pair) {
                const std::size_t eq = pair.find('=');
                if (eq == std::string::npos) return fail("expected key=value: " + pair);
                track.options[pair.substr(0, eq)] = pair.substr(eq + 1);
            }
            track.role = track.option("role", "");
            if (track.role.empty()) return fail("track without a role");
            song->tracks.push_back(track);
        } else if (word == "melody") {
            std::string name;
            words >> name;
            if (!name.empty() && name.back() == ':') name.pop_back();
            std::string rest;
            std::getline(words, rest);
            song->melodies[name] += rest + " ";
        } else {
            return fail("unknown line " + word);
        }
    }
    if (song->title.empty() || song->id <= 0) return fail("a song needs a title and an id");
    if (song->sections.empty() || song->tracks.empty()) return fail("a song needs sections and tracks");
    if (song->form.empty()) {
        for (const Section& s : song->sections) song->form.push_back(s.name);
    }
    for (const std::string& name : song->form) {
        bool found = false;
        for (const Section& s : song->sections) found = found || s.name == name;
        if (!found) return fail("form names an unknown section " + name);
    }
    return true;
}

}  // namespace songgen

#include "tools/songgen/Arranger.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <sstream>

namespace songgen {

namespace {

constexpr int kSixteenth = kDivision / 4;

// A fixed-seed generator: the same source always gives the same song.
class Rng {
public:
    explicit Rng(std::uint32_t seed) : state_(seed * 2654435761u + 12345u) {}
    int below(int n) {
        state_ = state_ * 1664525u + 1013904223u;
        return static_cast<int>((state_ >> 8) % static_cast<std::uint32_t>(n));
    }
    bool chance(int percent) { return below(100) < percent; }

private:
    std::uint32_t state_;
};

// Where the song's chords lie in time: one entry per chord, in order.
struct TimedChord {
    int tick;
    int length;
    Chord chord;
    int barTick;        // start of its bar
    int barIndex;       // within its section
    int sectionBars;
    bool lastBarOfSection;
};

struct Timeline {
    std::vector<TimedChord> chords;
    std::vector<std::pair<int, int>> sections;  // start tick, section index in song.sections
    int total = 0;
};

Timeline layOut(const Song& song) {
    Timeline t;
    int tick = 0;
    for (const std::string& name : song.form) {
        int index = 0;
        while (song.sections[index].name != name) ++index;
        const Section& section = song.sections[index];
        t.sections.push_back({tick, index});
        for (std::size_t b = 0; b < section.bars.size(); ++b) {
            const int barTick = tick;
            for (const Chord& c : section.bars[b].chords) {
                const int length = c.beats * kDivision;
                t.chords.push_back({tick, length, c, barTick, static_cast<int>(b),
                                    static_cast<int>(section.bars.size()), b + 1 == section.bars.size()});
                tick += length;
            }
        }
    }
    t.total = tick;
    return t;
}

const TimedChord& chordAt(const Timeline& t, int tick) {
    for (const TimedChord& c : t.chords) {
        if (tick >= c.tick && tick < c.tick + c.length) return c;
    }
    return t.chords.back();
}

bool isChordTone(const Chord& c, int pitch) {
    for (int iv : c.intervals) {
        if ((c.root + iv) % 12 == ((pitch % 12) + 12) % 12) return true;
    }
    return false;
}

// The chord's tones from `low` upward within one octave, sorted.
std::vector<int> voiceChord(const Chord& c, int low, bool allTones = true) {
    std::vector<int> notes;
    for (std::size_t i = 0; i < c.intervals.size(); ++i) {
        if (!allTones && i >= 3) break;
        int p = low + ((c.root + c.intervals[i] - low) % 12 + 12) % 12;
        notes.push_back(p);
    }
    std::sort(notes.begin(), notes.end());
    notes.erase(std::unique(notes.begin(), notes.end()), notes.end());
    return notes;
}

int nearestChordTone(const Chord& c, int near, int low, int high) {
    int best = near, bestDistance = 1000;
    for (int p = low; p <= high; ++p) {
        if (!isChordTone(c, p)) continue;
        const int d = std::abs(p - near);
        if (d < bestDistance) {
            best = p;
            bestDistance = d;
        }
    }
    return best;
}

int rootBelow(const Chord& c, int low) { return low + ((c.root - low) % 12 + 12) % 12; }

// --- Melody ------------------------------------------------------------------

struct MelodyNote {
    int offset;   // ticks from the section's start
    int length;
    int pitch;    // -1 rest
};

// Cells of a rhythm in sixteenths, by how busy the melody is.
const std::vector<std::vector<int>>& rhythmCells(const std::string& density) {
    static const std::vector<std::vector<int>> calm = {{8}, {4}, {6, 2}, {12}, {4, 4}, {8}, {16}};
    static const std::vector<std::vector<int>> mid = {{4}, {2, 2}, {6, 2}, {8}, {4, 4}, {3, 3, 2}, {4}};
    static const std::vector<std::vector<int>> busy = {{2, 2}, {1, 1, 2}, {4}, {3, 3, 2}, {2, 2, 2, 2}, {2, 1, 1}, {6, 2}};
    if (density == "low") return calm;
    if (density == "high") return busy;
    return mid;
}

std::vector<int> makeRhythm(Rng& rng, const std::string& density, int units, bool cadence) {
    std::vector<int> r;
    int left = units;
    if (cadence) left = units / 2;  // the phrase ends on a long note
    const auto& cells = rhythmCells(density);
    while (left > 0) {
        const std::vector<int>& cell = cells[rng.below(static_cast<int>(cells.size()))];
        int length = 0;
        for (int u : cell) length += u;
        if (length > left) {
            if (left <= 2 || rng.chance(50)) {
                r.push_back(left);
                left = 0;
            }
            continue;
        }
        for (int u : cell) r.push_back(u);
        left -= length;
    }
    if (cadence) r.push_back(units - units / 2);
    return r;
}

class MelodyComposer {
public:
    MelodyComposer(const Song& song, const Timeline& t, const Track& track, int sectionStart, int sectionIndex)
        : song_(song), t_(t), sectionStart_(sectionStart),
          rng_(static_cast<std::uint32_t>(song.seed * 7919 + sectionIndex * 104729 + track.intOption("seed", 0))),
          density_(track.option("density", "mid")) {
        const int base = 12 * (track.intOption("octave", 5) + 1);
        low_ = base - 3;
        high_ = base + 16;
        const std::vector<int> scale = modeScale(song.mode);
        for (int p = low_ - 12; p <= high_ + 12; ++p) {
            const int pc = ((p - song.tonic) % 12 + 12) % 12;
            if (std::find(scale.begin(), scale.end(), pc) != scale.end()) scalePitches_.push_back(p);
        }
        prev_ = nearestChordTone(chordAt(t, sectionStart).chord, base + 4, low_, high_);
        rest_ = track.intOption("rests", 10);
    }

    std::vector<MelodyNote> compose(const Section& section) {
        const int barUnits = song_.meter * 4;
        const int barTicks = song_.meter * kDivision;
        std::vector<MelodyNote> out;
        std::vector<int> rhythmA, rhythmB;
        std::vector<int> motifSteps;
        for (std::size_t bar = 0; bar < section.bars.size(); ++bar) {
            const int inPhrase = static_cast<int>(bar % 4);
            const bool last = bar + 1 == section.bars.size();
            std::vector<int> rhythm;
            bool repeatMotif = false;
            if (inPhrase == 0) {
                if (rhythmA.empty() || rng_.chance(25)) rhythmA = makeRhythm(rng_, density_, barUnits, false);
                rhythm = rhythmA;
            } else if (inPhrase == 1) {
                if (rhythmB.empty() || rng_.chance(40)) rhythmB = makeRhythm(rng_, density_, barUnits, false);
                rhythm = rhythmB;
            } else if (inPhrase == 2) {
                rhythm = rhythmA;
                repeatMotif = !motifSteps.empty();
            } else {
                rhythm = makeRhythm(rng_, density_, barUnits, true);
            }
            if (last && inPhrase != 3) rhythm = makeRhythm(rng_, density_, barUnits, true);

            int offset = static_cast<int>(bar) * barTicks;
            std::vector<int> steps;
            int direction = rng_.chance(50) ? 1 : -1;
            for (std::size_t i = 0; i < rhythm.size(); ++i) {
                const int length = rhythm[i] * kSixteenth;
                const int tick = sectionStart_ + offset;
                const Chord& chord = chordAt(t_, tick).chord;
                const bool strong = (offset % (2 * kDivision)) == 0 || tick == chordAt(t_, tick).tick;
                const bool finalNote = i + 1 == rhythm.size() && (inPhrase == 3 || last);
                int pitch;
                if (finalNote) {
                    pitch = nearestRoot(chord, prev_);
                } else if (repeatMotif && i < motifSteps.size()) {
                    pitch = i == 0 ? nearestChordTone(chord, prev_ + motifSteps[0], low_, high_)
                                   : stepFrom(prev_, motifSteps[i]);
                } else if (strong || i == 0) {
                    pitch = nearestChordTone(chord, prev_ + direction * (2 + rng_.below(3)), low_, high_);
                } else {
                    if (rng_.chance(25)) direction = -direction;
                    pitch = stepFrom(prev_, direction * (rng_.chance(75) ? 1 : 2));
                }
                if (pitch > high_ || pitch < low_) {
                    direction = pitch > high_ ? -1 : 1;
                    pitch = std::clamp(pitch, low_, high_);
                    pitch = nearestChordTone(chord, pitch, low_, high_);
                }
                const int stepDelta = scaleIndex(pitch) - scaleIndex(prev_);
                steps.push_back(i == 0 ? pitch - prev_ : stepDelta);
                // An occasional breath inside a phrase, never on its last note.
                const bool rest = !finalNote && i > 0 && length <= kDivision && rng_.chance(rest_);
                out.push_back({offset, length, rest ? -1 : pitch});
                if (!rest) prev_ = pitch;
                offset += length;
            }
            if (inPhrase == 0) motifSteps = steps;
        }
        return out;
    }

private:
    int scaleIndex(int pitch) const {
        const auto it = std::lower_bound(scalePitches_.begin(), scalePitches_.end(), pitch);
        return static_cast<int>(it - scalePitches_.begin());
    }
    int stepFrom(int pitch, int steps) const {
        const int i = std::clamp(scaleIndex(pitch) + steps, 0, static_cast<int>(scalePitches_.size()) - 1);
        return scalePitches_[i];
    }
    int nearestRoot(const Chord& c, int near) const {
        int best = near, distance = 1000;
        for (int p = low_; p <= high_; ++p) {
            if ((p % 12) == c.root && std::abs(p - near) < distance) {
                best = p;
                distance = std::abs(p - near);
            }
        }
        return best;
    }

    const Song& song_;
    const Timeline& t_;
    int sectionStart_;
    Rng rng_;
    std::string density_;
    int low_ = 60, high_ = 79, prev_ = 67, rest_ = 10;
    std::vector<int> scalePitches_;
};

// A written melody: scale degrees 1..7 with ' (octave up) or , (octave down),
// # or b before them, and a length: w h q e s with an optional dot; r rests;
// | between bars is only for the eye.
bool parseMelody(const Song& song, const std::string& text, int octave, std::vector<MelodyNote>* out) {
    const std::vector<int> scale = modeScale(song.mode);
    std::istringstream words(text);
    std::string w;
    int offset = 0;
    const int base = 12 * (octave + 1) + song.tonic;
    while (words >> w) {
        if (w == "|") continue;
        std::size_t i = 0;
        int shift = 0;
        while (i < w.size() && (w[i] == '#' || w[i] == 'b')) shift += w[i++] == '#' ? 1 : -1;
        int pitch = -1;
        if (i < w.size() && w[i] == 'r') {
            ++i;
        } else if (i < w.size() && w[i] >= '1' && w[i] <= '7') {
            pitch = base + scale[w[i] - '1'] + shift;
            ++i;
            while (i < w.size() && (w[i] == '\'' || w[i] == ',')) pitch += w[i++] == '\'' ? 12 : -12;
        } else {
            std::fprintf(stderr, "songgen: bad melody note %s\n", w.c_str());
            return false;
        }
        int length = 0;
        if (i < w.size()) {
            switch (w[i]) {
                case 'w': length = 4 * kDivision; break;
                case 'h': length = 2 * kDivision; break;
                case 'q': length = kDivision; break;
                case 'e': length = kDivision / 2; break;
                case 's': length = kDivision / 4; break;
                default: break;
            }
            ++i;
            if (i < w.size() && w[i] == '.') {
                length += length / 2;
                ++i;
            }
        }
        if (length == 0 || i != w.size()) {
            std::fprintf(stderr, "songgen: bad melody note %s\n", w.c_str());
            return false;
        }
        out->push_back({offset, length, pitch});
        offset += length;
    }
    return true;
}

int velocityWith(Rng& rng, int base) { return std::clamp(base + rng.below(11) - 5, 1, 127); }

// --- Accompaniment -----------------------------------------------------------

void addPad(const Track& track, const Timeline& t, int meter, Rng& rng, std::vector<Note>& notes) {
    const std::string style = track.option("style", "pad");
    const int low = 12 * (track.intOption("octave", 4) + 1);
    const int velocity = track.intOption("velocity", 70);
    for (const TimedChord& tc : t.chords) {
        const std::vector<int> voicing = voiceChord(tc.chord, low);
        auto hit = [&](int at, int length, int v) {
            for (int p : voicing) notes.push_back({at, length, p, velocityWith(rng, v)});
        };
        if (style == "pad") {
            hit(tc.tick, tc.length, velocity);
            continue;
        }
        for (int off = 0; off < tc.length; off += kSixteenth) {
            const int inBar = (tc.tick + off - tc.barTick) / kSixteenth;
            const int beat = inBar / 4, sub = inBar % 4;
            if (style == "strum" && sub == 0) hit(tc.tick + off, kDivision - 20, beat == 0 ? velocity + 10 : velocity);
            if (style == "stab" && sub == 0 && beat % 2 == 1) hit(tc.tick + off, kDivision / 2, velocity);
            if (style == "offbeat" && sub == 2) hit(tc.tick + off, kDivision / 3, velocity);
            if (style == "pulse8" && sub % 2 == 0) hit(tc.tick + off, kDivision / 2 - 30, sub == 0 ? velocity + 8 : velocity);
            if (style == "waltz" && sub == 0 && beat > 0) hit(tc.tick + off, kDivision / 2, velocity);
            if (style == "sync") {
                static const int kHits[] = {0, 3, 6, 10, 12};
                if (std::find(std::begin(kHits), std::end(kHits), inBar % 16) != std::end(kHits)) {
                    hit(tc.tick + off, kDivision / 2, inBar % 16 == 0 ? velocity + 10 : velocity);
                }
            }
            if (style == "halves" && sub == 0 && beat % 2 == 0) hit(tc.tick + off, 2 * kDivision - 30, velocity);
        }
        (void)meter;
    }
}

void addArp(const Track& track, const Timeline& t, Rng& rng, std::vector<Note>& notes) {
    const std::string style = track.option("style", "up8");
    const int low = 12 * (track.intOption("octave", 4) + 1);
    const int velocity = track.intOption("velocity", 70);
    const int step = style.find("16") != std::string::npos ? kSixteenth : kDivision / 2;
    for (const TimedChord& tc : t.chords) {
        std::vector<int> tones = voiceChord(tc.chord, low, false);
        std::vector<int> run;
        if (style.rfind("broken", 0) == 0) {
            const int root = rootBelow(tc.chord, low);
            run = {root, root + 7, root + 12, tones.size() > 1 ? tones[1] + 12 : root + 16, root + 12, root + 7};
        } else if (style.rfind("alberti", 0) == 0) {
            run = {tones[0], tones.back(), tones.size() > 1 ? tones[1] : tones[0], tones.back()};
        } else {
            for (int p : tones) run.push_back(p);
            for (int p : tones) run.push_back(p + 12);
            if (style.rfind("updown", 0) == 0) {
                for (int i = static_cast<int>(run.size()) - 2; i > 0; --i) run.push_back(run[i]);
            }
        }
        int i = 0;
        for (int off = 0; off < tc.length; off += step, ++i) {
            const int accent = ((tc.tick + off - tc.barTick) % kDivision) == 0 ? 8 : 0;
            notes.push_back({tc.tick + off, step - 10, run[i % run.size()], velocityWith(rng, velocity + accent)});
        }
    }
}

void addBass(const Track& track, const Timeline& t, const Song& song, Rng& rng, std::vector<Note>& notes) {
    const std::string style = track.option("style", "root");
    const int low = 12 * (track.intOption("octave", 2) + 1);
    const int velocity = track.intOption("velocity", 95);
    const std::vector<int> scale = modeScale(song.mode);
    for (std::size_t c = 0; c < t.chords.size(); ++c) {
        const TimedChord& tc = t.chords[c];
        const int root = rootBelow(tc.chord, low);
        const int fifth = root + 7;
        const int nextRoot = rootBelow(t.chords[(c + 1) % t.chords.size()].chord, low);
        if (style == "root") {
            notes.push_back({tc.tick, tc.length - 20, root, velocityWith(rng, velocity)});
            continue;
        }
        for (int off = 0; off < tc.length; off += kSixteenth) {
            const int inBar = (tc.tick + off - tc.barTick) / kSixteenth;
            const int beat = inBar / 4, sub = inBar % 4;
            const int at = tc.tick + off;
            const bool lastBeat = off + kDivision >= tc.length;
            if (style == "half" && sub == 0 && beat % 2 == 0) notes.push_back({at, 2 * kDivision - 30, beat == 0 ? root : fifth, velocityWith(rng, velocity)});
            if (style == "rootfifth" && sub == 0) notes.push_back({at, kDivision - 30, beat % 2 == 0 ? root : fifth, velocityWith(rng, velocity)});
            if (style == "walk" && sub == 0) {
                int p = root;
                if (lastBeat) p = nextRoot + (rng.chance(50) ? 1 : -1);
                else if (beat % 4 == 1) p = root + (tc.chord.intervals.size() > 1 ? tc.chord.intervals[1] : 4);
                else if (beat % 4 == 2) p = fifth;
                else if (beat % 4 == 3) p = root + scale[5 % scale.size()] - scale[0];
                notes.push_back({at, kDivision - 30, p, velocityWith(rng, velocity)});
            }
            if (style == "pulse8" && sub % 2 == 0) notes.push_back({at, kDivision / 2 - 40, root, velocityWith(rng, sub == 0 ? velocity + 8 : velocity - 6)});
            if (style == "octave8" && sub % 2 == 0) notes.push_back({at, kDivision / 2 - 40, sub == 0 ? root : root + 12, velocityWith(rng, velocity)});
            if (style == "waltz" && sub == 0 && beat == 0) notes.push_back({at, kDivision - 20, root, velocityWith(rng, velocity)});
            if (style == "waltz" && sub == 0 && beat == 2) notes.push_back({at, kDivision - 20, fifth, velocityWith(rng, velocity - 10)});
            if (style == "sync") {
                static const int kHits[] = {0, 3, 6, 8, 11, 14};
                if (std::find(std::begin(kHits), std::end(kHits), inBar % 16) != std::end(kHits)) {
                    notes.push_back({at, kDivision / 2 - 30, inBar % 16 == 14 ? root + 12 : root, velocityWith(rng, velocity)});
                }
            }
            if (style == "gallop" && sub != 1) notes.push_back({at, kSixteenth - 10, root, velocityWith(rng, sub == 0 ? velocity + 8 : velocity - 8)});
            if (style == "drone" && off == 0) notes.push_back({at, tc.length - 10, root, velocityWith(rng, velocity)});
        }
    }
}

void addCounter(const Track& track, const Timeline& t, Rng& rng, std::vector<Note>& notes) {
    // Long notes on the chords' thirds and fifths, moving as little as they can.
    const int low = 12 * (track.intOption("octave", 4) + 1);
    const int velocity = track.intOption("velocity", 70);
    int prev = low + 7;
    for (const TimedChord& tc : t.chords) {
        const int half = tc.length >= 4 * kDivision ? tc.length / 2 : tc.length;
        for (int off = 0; off < tc.length; off += half) {
            int best = prev, distance = 1000;
            for (int p = low; p < low + 14; ++p) {
                if (!isChordTone(tc.chord, p) || (p % 12) == tc.chord.root) continue;
                const int d = std::abs(p - prev) + (p == prev && off > 0 ? 3 : 0);
                if (d < distance) {
                    best = p;
                    distance = d;
                }
            }
            notes.push_back({tc.tick + off, half - 20, best, velocityWith(rng, velocity)});
            prev = best;
        }
    }
}

// --- Drums -------------------------------------------------------------------

struct DrumLine {
    int note;
    const char* steps;  // one letter a sixteenth: X accent, x normal, o soft
};

const std::map<std::string, std::vector<DrumLine>>& drumStyles() {
    static const std::map<std::string, std::vector<DrumLine>> styles = {
        {"rock", {{36, "X.......X.x....."}, {38, "....X.......X..."}, {42, "x.x.x.x.x.x.x.x."}}},
        {"battle", {{36, "X.x...x.X.x...x."}, {38, "....X.......X..o"}, {42, "xoxoxoxoxoxoxoxo"}}},
        {"boss", {{36, "X.xxX.xxX.xxX.xx"}, {38, "....X.......X..."}, {51, "x.x.x.x.x.x.x.x."}}},
        {"march", {{38, "X.xxX.x.X.xxX.x."}, {36, "X.......X......."}}},
        {"shuffle", {{36, "X.....x.X.....x."}, {38, "....X.......X..."}, {42, "x..xx..xx..xx..x"}}},
        {"ballad", {{36, "X.......o......."}, {37, "....x.......x..."}, {42, "o...o...o...o..."}}},
        {"bossa", {{36, "X..oX..oX..oX..o"}, {37, "x..x..x...x..x.."}, {42, "oooooooooooooooo"}}},
        {"shaker", {{36, "o.......o......."}, {70, "x.ox.oxox.ox.oxo"}}},
        {"tribal", {{41, "X..x..x.X..x..x."}, {45, "....x.......x.x."}, {36, "X.......X......."}}},
        {"suspense", {{41, "X..............."}, {36, "........o......."}, {42, "....o.......o..."}}},
        {"dance", {{36, "X...X...X...X..."}, {39, "....X.......X..."}, {42, "..x...x...x...x."}}},
        {"halftime", {{36, "X.........x....."}, {38, "........X......."}, {42, "x.x.x.x.x.x.x.x."}}},
        {"waltz", {{36, "X..........."}, {42, "....x...x..."}, {37, "....o...o..."}}},
        {"battle3", {{36, "X..x..X....."}, {38, "....X.....x."}, {42, "x.x.x.x.x.x."}}},
        {"march3", {{38, "X.xxx.x.x.x."}, {36, "X..........."}}},
    };
    return styles;
}

int stepVelocity(char c, int base) {
    if (c == 'X') return base + 20;
    if (c == 'x') return base;
    if (c == 'o') return base - 30;
    return 0;
}

bool addDrums(const Track& track, const Timeline& t, const Song& song, Rng& rng, std::vector<Note>& notes) {
    const std::string style = track.option("style", "rock");
    if (style == "none") return true;
    const auto found = drumStyles().find(style);
    if (found == drumStyles().end()) {
        std::fprintf(stderr, "songgen: unknown drum style %s\n", style.c_str());
        return false;
    }
    const int base = track.intOption("velocity", 85);
    const bool fills = track.option("fills", "yes") == "yes";
    const bool crash = track.option("crash", "yes") == "yes";
    const int barTicks = song.meter * kDivision;
    const int stepsPerBar = song.meter * 4;
    for (std::size_t s = 0; s < t.sections.size(); ++s) {
        const int start = t.sections[s].first;
        const int end = s + 1 < t.sections.size() ? t.sections[s + 1].first : t.total;
        if (crash) notes.push_back({start, kDivision, 49, velocityWith(rng, base + 10)});
        for (int bar = start; bar < end; bar += barTicks) {
            const bool fillBar = fills && bar + barTicks >= end;
            for (int step = 0; step < stepsPerBar; ++step) {
                const int at = bar + step * kSixteenth;
                if (fillBar && step >= stepsPerBar / 2) {
                    // A fill into the next section: snare, then toms falling.
                    const int k = step - stepsPerBar / 2;
                    const int quarter = (stepsPerBar / 2 + 3) / 4;
                    const int toms[] = {38, 50, 47, 45, 41};
                    const int note = toms[std::min(k / std::max(quarter, 1), 4)];
                    if (k % 2 == 0 || style == "battle" || style == "boss") {
                        notes.push_back({at, kSixteenth, note, velocityWith(rng, base - 10 + 2 * k)});
                    }
                    if (step == stepsPerBar / 2) notes.push_back({at, kSixteenth, 36, velocityWith(rng, base)});
                    continue;
                }
                for (const DrumLine& line : found->second) {
                    const std::string steps = line.steps;
                    const char c = steps[step % steps.size()];
                    const int v = stepVelocity(c, base);
                    if (v > 0) notes.push_back({at, kSixteenth, line.note, velocityWith(rng, v)});
                }
            }
        }
    }
    return true;
}

}  // namespace

bool arrangeSong(const Song& song, Arrangement* out) {
    const Timeline t = layOut(song);
    out->totalTicks = t.total;
    int nextChannel = 0;
    Rng rng(static_cast<std::uint32_t>(song.seed));
    for (const Track& track : song.tracks) {
        TrackPart part;
        part.name = track.name;
        part.program = std::clamp(track.intOption("program", 0), 0, 127);
        part.volume = std::clamp(track.intOption("vol", 100), 0, 127);
        part.pan = std::clamp(track.intOption("pan", 64), 0, 127);
        part.reverb = std::clamp(track.intOption("reverb", 40), 0, 127);
        part.chorus = std::clamp(track.intOption("chorus", 0), 0, 127);
        if (track.role == "drums") {
            part.channel = 9;
            if (!addDrums(track, t, song, rng, part.notes)) return false;
        } else {
            if (nextChannel == 9) ++nextChannel;
            if (nextChannel > 15) {
                std::fprintf(stderr, "songgen: too many tracks\n");
                return false;
            }
            part.channel = nextChannel++;
            if (track.role == "melody") {
                const int velocity = track.intOption("velocity", 100);
                const int legato = track.intOption("legato", 90);
                const int doubled = track.intOption("double", 0);
                std::map<std::string, std::vector<MelodyNote>> written;
                for (std::size_t s = 0; s < t.sections.size(); ++s) {
                    const Section& section = song.sections[t.sections[s].second];
                    std::vector<MelodyNote> melody;
                    const auto text = song.melodies.find(section.name);
                    if (text != song.melodies.end() && track.option("compose", "no") != "yes") {
                        if (!parseMelody(song, text->second, track.intOption("octave", 5), &melody)) return false;
                        int total = 0;
                        for (const MelodyNote& m : melody) total += m.length;
                        if (total != static_cast<int>(section.bars.size()) * song.meter * kDivision) {
                            std::fprintf(stderr, "songgen: the melody of section %s lasts %d ticks, the section %d\n",
                                         section.name.c_str(), total,
                                         static_cast<int>(section.bars.size()) * song.meter * kDivision);
                            return false;
                        }
                    } else if (written.count(section.name)) {
                        melody = written[section.name];
                    } else {
                        MelodyComposer composer(song, t, track, t.sections[s].first, t.sections[s].second);
                        melody = composer.compose(section);
                    }
                    written[section.name] = melody;
                    const int transpose = track.intOption("transpose", 0);
                    for (const MelodyNote& m : melody) {
                        if (m.pitch < 0) continue;
                        const int at = t.sections[s].first + m.offset;
                        const int accent = (m.offset % kDivision) == 0 ? 6 : 0;
                        const int length = std::max(30, m.length * legato / 100);
                        part.notes.push_back({at, length, m.pitch + transpose, velocityWith(rng, velocity + accent)});
                        if (doubled) part.notes.push_back({at, length, m.pitch + transpose + doubled, velocityWith(rng, velocity - 15)});
                    }
                }
            } else if (track.role == "pad") {
                addPad(track, t, song.meter, rng, part.notes);
            } else if (track.role == "arp") {
                addArp(track, t, rng, part.notes);
            } else if (track.role == "bass") {
                addBass(track, t, song, rng, part.notes);
            } else if (track.role == "counter") {
                addCounter(track, t, rng, part.notes);
            } else {
                std::fprintf(stderr, "songgen: unknown role %s\n", track.role.c_str());
                return false;
            }
        }
        out->parts.push_back(part);
    }
    return true;
}

}  // namespace songgen

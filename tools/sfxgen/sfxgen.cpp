// Synthesises the game's sound effects from parameter files.
//
//   sfxgen <folder of .sfx files> <output folder>
//
// Each NAME.sfx becomes NAME.wav: mono, 16-bit PCM, 44,100 Hz. A file is a
// list of lines ('#' starts a comment):
//
//   peak 0.6                 level of the loudest sample (default 0.55)
//   tail 0.1                 silence kept after the last voice (default 0.02)
//   voice WAVE key=value ... one sound: sine, triangle, square, saw, noise, fm
//
// Voice keys: at (start, s), dur (s), freq and to (Hz or a note such as C5,
// F#4, Bb3; the pitch glides exponentially from freq to to over dur), vol,
// attack, release (s, linear), decay (s: exponential fall after the attack),
// vib (Hz) and depth (semitones), duty (square), ratio and index (fm),
// lp and hp (Hz, one-pole filters; lpto sweeps the low-pass), repeat and
// every (the voice again every so many seconds), seed (noise).
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace {

constexpr int kRate = 44100;
constexpr double kPi = 3.14159265358979323846;

struct Voice {
    std::string wave;
    std::map<std::string, std::string> keys;
    double get(const std::string& key, double fallback) const;
};

double noteFrequency(const std::string& text, bool* ok) {
    static const int kSemitones[] = {9, 11, 0, 2, 4, 5, 7};  // A B C D E F G
    *ok = false;
    if (text.empty()) return 0;
    const char letter = static_cast<char>(std::toupper(static_cast<unsigned char>(text[0])));
    if (letter < 'A' || letter > 'G') {
        char* end = nullptr;
        const double hz = std::strtod(text.c_str(), &end);
        *ok = end && *end == '\0' && hz > 0;
        return hz;
    }
    int semitone = kSemitones[letter - 'A'];
    std::size_t i = 1;
    while (i < text.size() && (text[i] == '#' || text[i] == 'b')) semitone += text[i++] == '#' ? 1 : -1;
    if (i >= text.size()) return 0;
    const int octave = std::atoi(text.c_str() + i);
    const int midi = 12 * (octave + 1) + semitone;
    *ok = true;
    return 440.0 * std::pow(2.0, (midi - 69) / 12.0);
}

double Voice::get(const std::string& key, double fallback) const {
    const auto it = keys.find(key);
    if (it == keys.end()) return fallback;
    bool ok = false;
    double value = 0;
    if (key == "freq" || key == "to" || key == "lp" || key == "hp" || key == "lpto") {
        value = noteFrequency(it->second, &ok);
    } else {
        char* end = nullptr;
        value = std::strtod(it->second.c_str(), &end);
        ok = end && *end == '\0';
    }
    if (!ok) {
        std::fprintf(stderr, "sfxgen: bad value %s=%s\n", key.c_str(), it->second.c_str());
        std::exit(1);
    }
    return value;
}

// A one-pole filter coefficient for a cut-off frequency.
double onePole(double hz) { return 1.0 - std::exp(-2.0 * kPi * std::min(hz, kRate * 0.45) / kRate); }

void renderVoice(const Voice& v, std::vector<double>& out) {
    const double dur = v.get("dur", 0.1);
    const double vol = v.get("vol", 1.0);
    const double attack = v.get("attack", 0.002);
    const double release = v.get("release", 0.01);
    const double decay = v.get("decay", 0.0);
    const double f0 = v.get("freq", 440.0);
    const double f1 = v.get("to", f0);
    const double vib = v.get("vib", 0.0);
    const double depth = v.get("depth", 0.0);
    const double duty = v.get("duty", 0.5);
    const double ratio = v.get("ratio", 2.0);
    const double index = v.get("index", 2.0);
    const double lp0 = v.get("lp", 0.0);
    const double lp1 = v.get("lpto", lp0);
    const double hp = v.get("hp", 0.0);
    const int repeat = static_cast<int>(v.get("repeat", 1));
    const double every = v.get("every", dur);
    std::uint32_t seed = static_cast<std::uint32_t>(v.get("seed", 1));

    for (int r = 0; r < std::max(repeat, 1); ++r) {
        const double start = v.get("at", 0.0) + r * every;
        const int first = static_cast<int>(std::lround(start * kRate));
        const int count = static_cast<int>(std::lround((dur + release) * kRate));
        if (first + count > static_cast<int>(out.size())) out.resize(first + count, 0.0);
        double phase = 0, modPhase = 0, low = 0, highIn = 0, highOut = 0;
        for (int i = 0; i < count; ++i) {
            const double t = static_cast<double>(i) / kRate;
            const double along = std::min(t / dur, 1.0);
            double freq = f0 * std::pow(f1 / f0, along);
            if (vib > 0) freq *= std::pow(2.0, depth * std::sin(2 * kPi * vib * t) / 12.0);
            phase += freq / kRate;
            phase -= std::floor(phase);
            double s = 0;
            if (v.wave == "sine") {
                s = std::sin(2 * kPi * phase);
            } else if (v.wave == "triangle") {
                s = 4 * std::fabs(phase - 0.5) - 1;
            } else if (v.wave == "square") {
                s = phase < duty ? 1.0 : -1.0;
            } else if (v.wave == "saw") {
                s = 2 * phase - 1;
            } else if (v.wave == "noise") {
                seed = seed * 1664525u + 1013904223u;
                s = static_cast<double>(seed >> 8) / static_cast<double>(1u << 23) - 1.0;
            } else if (v.wave == "fm") {
                modPhase += freq * ratio / kRate;
                modPhase -= std::floor(modPhase);
                const double env = decay > 0 ? std::exp(-t / decay) : 1.0;
                s = std::sin(2 * kPi * phase + index * env * std::sin(2 * kPi * modPhase));
            } else {
                std::fprintf(stderr, "sfxgen: unknown wave %s\n", v.wave.c_str());
                std::exit(1);
            }
            if (lp0 > 0) {
                low += onePole(lp0 * std::pow(lp1 / lp0, along)) * (s - low);
                s = low;
            }
            if (hp > 0) {
                const double a = 1.0 - onePole(hp);
                highOut = a * (highOut + s - highIn);
                highIn = s;
                s = highOut;
            }
            double env = t < attack ? t / attack : 1.0;
            if (decay > 0 && t >= attack) env *= std::exp(-(t - attack) / decay);
            if (t > dur) env *= std::max(0.0, 1.0 - (t - dur) / release);
            out[first + i] += s * env * vol;
        }
    }
}

bool writeWave(const std::filesystem::path& path, const std::vector<std::int16_t>& samples) {
    std::vector<std::uint8_t> b;
    auto put16 = [&](std::uint32_t x) { b.push_back(x & 0xFF); b.push_back((x >> 8) & 0xFF); };
    auto put32 = [&](std::uint32_t x) { put16(x & 0xFFFF); put16(x >> 16); };
    auto tag = [&](const char* t) {
        for (int i = 0; i < 4; ++i) b.push_back(static_cast<std::uint8_t>(t[i]));
    };
    const std::uint32_t dataBytes = static_cast<std::uint32_t>(samples.size() * 2);
    tag("RIFF");
    put32(36 + dataBytes);
    tag("WAVE");
    tag("fmt ");
    put32(16);
    put16(1);
    put16(1);
    put32(kRate);
    put32(kRate * 2);
    put16(2);
    put16(16);
    tag("data");
    put32(dataBytes);
    for (std::int16_t s : samples) put16(static_cast<std::uint16_t>(s));
    std::ofstream file(path, std::ios::binary);
    file.write(reinterpret_cast<const char*>(b.data()), static_cast<std::streamsize>(b.size()));
    return static_cast<bool>(file);
}

bool generate(const std::filesystem::path& source, const std::filesystem::path& target) {
    std::ifstream in(source);
    if (!in) return false;
    double peak = 0.55, tail = 0.02;
    std::vector<Voice> voices;
    std::string line;
    int lineNumber = 0;
    while (std::getline(in, line)) {
        ++lineNumber;
        line = line.substr(0, line.find('#'));
        std::istringstream words(line);
        std::string word;
        if (!(words >> word)) continue;
        if (word == "peak") {
            words >> peak;
        } else if (word == "tail") {
            words >> tail;
        } else if (word == "voice") {
            Voice v;
            words >> v.wave;
            std::string pair;
            while (words >> pair) {
                const std::size_t eq = pair.find('=');
                if (eq == std::string::npos) {
                    std::fprintf(stderr, "%s:%d: expected key=value, got %s\n", source.c_str(), lineNumber, pair.c_str());
                    return false;
                }
                v.keys[pair.substr(0, eq)] = pair.substr(eq + 1);
            }
            voices.push_back(v);
        } else {
            std::fprintf(stderr, "%s:%d: unknown line %s\n", source.c_str(), lineNumber, word.c_str());
            return false;
        }
    }
    if (voices.empty()) {
        std::fprintf(stderr, "%s: no voice\n", source.c_str());
        return false;
    }
    std::vector<double> mix;
    for (const Voice& v : voices) renderVoice(v, mix);
    mix.resize(mix.size() + static_cast<std::size_t>(tail * kRate), 0.0);
    double loudest = 0;
    for (double s : mix) loudest = std::max(loudest, std::fabs(s));
    const double scale = loudest > 0 ? peak / loudest : 0;
    std::vector<std::int16_t> samples(mix.size());
    for (std::size_t i = 0; i < mix.size(); ++i) {
        samples[i] = static_cast<std::int16_t>(std::lround(std::clamp(mix[i] * scale, -1.0, 1.0) * 32767.0));
    }
    return writeWave(target, samples);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: sfxgen <folder of .sfx files> <output folder>\n");
        return 2;
    }
    const std::filesystem::path from = argv[1], to = argv[2];
    std::filesystem::create_directories(to);
    std::vector<std::filesystem::path> sources;
    for (const auto& entry : std::filesystem::directory_iterator(from)) {
        if (entry.path().extension() == ".sfx") sources.push_back(entry.path());
    }
    std::sort(sources.begin(), sources.end());
    int failed = 0;
    for (const auto& source : sources) {
        const auto target = to / (source.stem().string() + ".wav");
        if (!generate(source, target)) {
            std::fprintf(stderr, "sfxgen: %s failed\n", source.c_str());
            ++failed;
        }
    }
    return failed ? 1 : 0;
}

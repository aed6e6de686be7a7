// Damaged songs against the music output: copies of the generated title
// song mutated with a fixed seed, and files made to pass our own scan but
// not the synthesiser's loader. Each song is either refused at its start or
// plays; the mixer always returns and a song always stops, on the null
// backend and on the audio thread of SDL's dummy driver. A watchdog fails
// the run when a case stops making progress.
//
// CORVADINE_DAMAGED_SONG_RUNS sets the number of mutated copies (default
// 150); run it with thousands by hand after touching the song player.
#include <gtest/gtest.h>

#include <atomic>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <mutex>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "platform/Audio.h"

namespace {

int runCount() {
    const char* text = std::getenv("CORVADINE_DAMAGED_SONG_RUNS");
    const int runs = text ? std::atoi(text) : 0;
    return runs > 0 ? runs : 150;
}

std::vector<std::uint8_t> titleSong() {
    std::ifstream file(std::string(CORVADINE_GAME_DIR) + "/Res/Midi_300.mid", std::ios::binary);
    return std::vector<std::uint8_t>(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

std::vector<std::uint8_t> mutated(const std::vector<std::uint8_t>& base, std::mt19937& random) {
    std::vector<std::uint8_t> bytes = base;
    const int edits = 1 + static_cast<int>(random() % 4);
    for (int e = 0; e < edits && !bytes.empty(); ++e) {
        const std::size_t at = random() % bytes.size();
        switch (random() % 5) {
            case 0: bytes[at] = static_cast<std::uint8_t>(random()); break;
            case 1: bytes[at] ^= static_cast<std::uint8_t>(1u << (random() % 8)); break;
            case 2: bytes[at] = (random() % 2) ? 0x80 : 0xFF; break;  // a status byte where data was
            case 3: bytes.resize(at + 1); break;                       // cut short
            default: {  // a size field turned into an extreme
                static const std::uint32_t kExtremes[] = {0u, 0xFFFFFFFFu, 0x7FFFFFFFu, 0x80u, 0x10000u};
                const std::uint32_t v = kExtremes[random() % 5];
                for (int b = 0; b < 4 && at + b < bytes.size(); ++b) bytes[at + b] = static_cast<std::uint8_t>(v >> (24 - 8 * b));
                break;
            }
        }
    }
    return bytes;
}

void putBig(std::vector<std::uint8_t>& v, std::uint32_t x, int bytes) {
    for (int i = bytes - 1; i >= 0; --i) v.push_back(static_cast<std::uint8_t>(x >> (8 * i)));
}

// A song of `tracks` tracks, the first holding a note a beat long: every
// track is well formed, so our scan takes it whatever the count.
std::vector<std::uint8_t> songWithTracks(int tracks) {
    std::vector<std::uint8_t> file = {'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, 1};
    putBig(file, static_cast<std::uint32_t>(tracks), 2);
    putBig(file, 480, 2);
    for (int t = 0; t < tracks; ++t) {
        std::vector<std::uint8_t> track;
        if (t == 0) track = {0x00, 0x90, 60, 100, 0x83, 0x60, 0x80, 60, 0};
        track.insert(track.end(), {0x00, 0xFF, 0x2F, 0x00});
        file.insert(file.end(), {'M', 'T', 'r', 'k'});
        putBig(file, static_cast<std::uint32_t>(track.size()), 4);
        file.insert(file.end(), track.begin(), track.end());
    }
    return file;
}

// Ends the process when `progress` has not moved for the budget: a hang
// inside the synthesiser cannot be interrupted any other way.
class Watchdog {
public:
    explicit Watchdog(int seconds) : thread_([this, seconds] { watch(seconds); }) {}
    ~Watchdog() {
        {
            std::lock_guard<std::mutex> lock(mutex_);
            done_ = true;
        }
        wake_.notify_all();
        thread_.join();
    }
    std::atomic<int> progress{0};

private:
    void watch(int seconds) {
        std::unique_lock<std::mutex> lock(mutex_);
        int seen = -1;
        while (!done_) {
            if (wake_.wait_for(lock, std::chrono::seconds(seconds), [this] { return done_; })) return;
            const int now = progress.load();
            if (now == seen) {
                std::fprintf(stderr, "damaged songs: no progress for %d s at case %d: the song player hangs\n", seconds, now);
                std::fflush(stderr);
                std::_Exit(1);
            }
            seen = now;
        }
    }
    std::mutex mutex_;
    std::condition_variable wake_;
    bool done_ = false;
    std::thread thread_;
};

int countLines(const std::string& text) {
    int lines = 0;
    for (char c : text) lines += c == '\n';
    return lines;
}

class DamagedSongs : public testing::Test {
protected:
    void open(audio::Backend backend) {
        audio::closeAudio();
        audio::openAudio(backend);
        if (!audio::musicSynthReady()) GTEST_SKIP() << "no soundfont";
        audio::setMusicGain(1.0f);
    }
    void TearDown() override { audio::closeAudio(); }
};

TEST_F(DamagedSongs, ASongTheSynthesiserCannotLoadIsRefusedWithOneLine) {
    open(audio::Backend::Null);
    // Well formed, so our scan takes it; the synthesiser's player loads it
    // with nothing to play, and its own endless loop would spin on it inside
    // one block for ever.
    const std::vector<std::uint8_t> song = songWithTracks(128);
    audio::MidiFileInfo info;
    ASSERT_TRUE(audio::scanMidiFile(song.data(), song.size(), &info));
    testing::internal::CaptureStderr();
    EXPECT_FALSE(audio::startSong(song.data(), song.size(), 0));
    const std::string said = testing::internal::GetCapturedStderr();
    EXPECT_EQ(countLines(said), 1) << said;
    EXPECT_FALSE(audio::songPlaying());

    // One track fewer plays, and loops on.
    const std::vector<std::uint8_t> fine = songWithTracks(127);
    ASSERT_TRUE(audio::startSong(fine.data(), fine.size(), 0));
    std::vector<std::int16_t> out(2 * 44100);
    audio::renderAudio(out.data(), 44100);  // two passes of the one-beat song
    EXPECT_TRUE(audio::songPlaying());
}

TEST_F(DamagedSongs, MutatedTitleSongsAreRefusedOrPlayAndAlwaysStop) {
    const std::vector<std::uint8_t> title = titleSong();
    if (title.empty()) GTEST_SKIP() << "no generated title song";
    open(audio::Backend::Null);
    Watchdog watchdog(20);
    std::mt19937 random(20261211);
    std::vector<std::int16_t> out(2 * 1024);
    int scanned = 0, refused = 0;
    for (int run = 0; run < runCount(); ++run) {
        watchdog.progress = run;
        const std::vector<std::uint8_t> song = mutated(title, random);
        audio::MidiFileInfo info;
        if (!audio::scanMidiFile(song.data(), song.size(), &info) || info.lengthTicks <= 0) continue;
        ++scanned;
        if (!audio::startSong(song.data(), song.size(), static_cast<int>(random() % 100000))) {
            ++refused;
            EXPECT_FALSE(audio::songPlaying()) << "run " << run;
            continue;
        }
        for (int block = 0; block < 8; ++block) audio::renderAudio(out.data(), 1024);
        int position = 0;
        if (audio::songPlaying()) {
            EXPECT_TRUE(audio::songPosition(&position)) << "run " << run;
        }
        audio::stopSong();
        EXPECT_FALSE(audio::songPlaying()) << "run " << run;
    }
    EXPECT_GT(scanned, 0);
    std::printf("damaged songs: %d runs, %d passed our scan, %d of those refused by the synthesiser\n", runCount(),
                scanned, refused);
}

TEST_F(DamagedSongs, OnTheAudioThreadADamagedSongNeverBlocksTheStop) {
    const std::vector<std::uint8_t> title = titleSong();
    if (title.empty()) GTEST_SKIP() << "no generated title song";
    open(audio::Backend::Device);
    if (audio::activeBackend() != audio::Backend::Device) GTEST_SKIP() << "no audio device, not even SDL's dummy";
    Watchdog watchdog(20);
    std::mt19937 random(20261212);
    // The crafted refusal first, then the mutated copies our scan takes,
    // each left to the audio thread for a few milliseconds.
    std::vector<std::vector<std::uint8_t>> songs = {songWithTracks(128), songWithTracks(2)};
    for (int run = 0; run < runCount(); ++run) {
        std::vector<std::uint8_t> song = mutated(title, random);
        audio::MidiFileInfo info;
        if (audio::scanMidiFile(song.data(), song.size(), &info) && info.lengthTicks > 0) songs.push_back(std::move(song));
    }
    for (std::size_t i = 0; i < songs.size(); ++i) {
        watchdog.progress = static_cast<int>(i);
        audio::startSong(songs[i].data(), songs[i].size(), 0);
        std::this_thread::sleep_for(std::chrono::milliseconds(random() % 30));
        audio::stopSong();
        EXPECT_FALSE(audio::songPlaying()) << "song " << i;
    }
}

}  // namespace

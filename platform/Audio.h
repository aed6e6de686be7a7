// The game's one audio output: 44,100 Hz, 16-bit stereo, mixing the music
// (a General MIDI synthesiser playing a standard MIDI file) and a single
// sound-effect voice. The mixer applies its own music gain, so a cut is
// instant and a fade is exact.
//
// Two backends: an SDL audio device whose callback runs the mixer on the
// audio thread, and a null backend with no thread, where the mixer runs only
// when renderAudio asks (tests, benches, machines without a sound card).
// Every function here is called from the main thread only.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace audio {

constexpr int kOutputRate = 44100;
// Music time counts 768 ticks to the quarter note, whatever a file's division.
constexpr int kMusicTicksPerQuarter = 768;

enum class Backend { None, Device, Null };

// Opens the output once. Device tries SDL's default driver, then its dummy
// driver, and falls back to the null backend, on a thread of its own: the
// first call that changes or asks about the output waits for it. Null opens
// the null backend.
// Loads the synthesiser and the soundfont (music stays silent without one,
// with one line on stderr). Opening again while open changes nothing.
void openAudio(Backend wanted);
// Starts loading the synthesiser and the soundfont on a thread of their own,
// so that the window and the graphics device need not wait for them at
// start-up. The output opens without waiting for them: the first song (or
// musicSynthReady, soundFontPath) takes them over, waiting for the load if
// it is still running. Harmless when the output is already open or a load
// has started.
void prepareMusicSynth();
// Stops everything and frees the device, the synthesiser and the soundfont.
void closeAudio();
// Waits for the device being opened, if any.
Backend activeBackend();
// True once openAudio has run, without waiting for the device.
bool outputOpen();
// True when a soundfont is loaded, so songs can sound.
bool musicSynthReady();
// The soundfont in use ("" for none).
std::string soundFontPath();

// --- Music ---------------------------------------------------------------
// Starts a standard MIDI file repeating endlessly from `startPosition` in music
// time (taken modulo the song's length), replacing any song without a fade
// and without leaving notes or reverb of the old one. The bytes are copied.
// False when the data is not a MIDI file the player accepts (our scan, then
// a trial load and start on a silent synthesiser; a refusal there says so in
// one line on stderr) or no soundfont is loaded.
bool startSong(const std::uint8_t* midi, std::size_t size, int startPosition);
// Stops the song at once (the output falls silent in the next block).
void stopSong();
bool songPlaying();
// The playing song's position in music time, within 0..length-1. False
// without a song.
bool songPosition(int* position);
// The playing song's length in music time (0 without a song).
int songLength();
// Linear gain of the music, applied by the mixer (ramped over one block).
void setMusicGain(float gain);

// --- Sound effect --------------------------------------------------------
// PCM samples as a WAV file holds them: 8-bit unsigned or 16-bit signed
// little-endian, interleaved, any channel count of 1 or 2, any rate.
struct PcmClip {
    int channels = 0;
    int sampleRate = 0;
    int bitsPerSample = 0;
    const std::uint8_t* data = nullptr;
    std::size_t size = 0;
};
// Converts the clip to the output format and plays it once on the effect
// voice, cutting whatever the voice played. False for a format the mixer
// cannot convert.
bool playEffect(const PcmClip& clip);
// Silences the effect voice and frees its samples.
void stopEffect();
bool effectPlaying();

// --- Offline ------------------------------------------------------------
// Null backend only: runs the mixer for `frames` stereo frames into `out`
// (2 * frames samples). With a device open it writes silence instead.
void renderAudio(std::int16_t* out, int frames);

// --- MIDI file facts (no synthesiser needed) ------------------------------
struct MidiFileInfo {
    int division = 0;      // ticks per quarter note
    int lengthTicks = 0;   // the latest end of track, in file ticks
    int trackCount = 0;
};
// Parses the header and walks every track's events. False for a file that
// is not a standard MIDI file with ticks-per-quarter timing, or whose track
// data runs past the end.
bool scanMidiFile(const std::uint8_t* data, std::size_t size, MidiFileInfo* info);

}  // namespace audio

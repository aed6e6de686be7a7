// What the music player needs of a synthesiser. The platform's is the
// default; tests put in a fake to watch the player's requests.
#pragma once

#include <cstdint>
#include <vector>

class MusicSynth {
public:
    virtual ~MusicSynth() = default;
    // Starts a standard MIDI file, repeating, from a position in music time.
    virtual bool startSong(const std::vector<std::uint8_t>& midi, int startPosition) = 0;
    virtual void stopSong() = 0;
    // The volume in hundredths of a decibel (gMusicVolume).
    virtual void setVolume(int volume) = 0;
    // False when no song plays.
    virtual bool songPosition(int* position) = 0;
};

// nullptr puts the platform's synthesiser back.
void setMusicSynth(MusicSynth* synth);

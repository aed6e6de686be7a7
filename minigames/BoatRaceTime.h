// The race clock as the HUD and the arcade clerk show it: a frame counts as
// one hundredth of a second, whatever the frame rate.
#pragma once

// "MM:SS:HH" from a frame count: minutes = frames / 6000 but at most 59,
// seconds = (frames / 100) mod 60, hundredths = frames mod 100, each in two
// digits. A negative count shows as 00:00:00. `out` holds at least 9 bytes.
void formatRaceTime(int frames, char* out, int outSize);

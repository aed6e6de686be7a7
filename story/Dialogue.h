// The story's lines. Each message has a key, the window's layout, the
// portrait and expression, a speaker (29 bytes at most) and up to three
// lines. dialoguegen turns the readable sources in content/dialogue into
// "Data/Dialogue.dat" at build time; the game reads that file when it first
// sets up a map (or when a script first speaks), and a missing or broken file is reported on stderr once,
// after which every line shows as a placeholder naming its key.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct DialogueLine {
    std::string key;
    int layout = 0;      // setMessagePortrait's layout: 0 name box, 1 portrait, 2 and 3 no boxes
    int portrait = 0;    // character 0-19
    int expression = 0;  // 0-9
    std::string speaker; // CP932
    std::string lines[3];
};

constexpr int kDialogueSpeakerBytes = 29;
constexpr const char* kDialogueFile = "Data/Dialogue.dat";

// How many CP932 bytes of one line the window shows: 42 beside a portrait,
// 52 in the plain box (font of 22 pixels, a half-width character 11).
int dialogueLineWidth(int layout);
// "" when the message fits the window; otherwise what is wrong with it.
std::string dialogueFitError(const DialogueLine& line);

// The binary file: "DLG1", the count, then per message layout, portrait and
// expression (a byte each), the key, the speaker and three lines, each a
// 16-bit little-endian length and its bytes.
std::vector<std::uint8_t> encodeDialogue(const std::vector<DialogueLine>& lines);
// False with a reason on a short, malformed or misfitting file.
bool decodeDialogue(const std::vector<std::uint8_t>& data, std::vector<DialogueLine>& out, std::string& error);

// Replaces the loaded lines with those of `path`; false (lines kept empty)
// with the reason in `error`.
bool loadDialogueFile(const char* path, std::string& error);
// Loads kDialogueFile unless a load was already tried: where a map is set up,
// so that a scene's first message does not pay for reading every line.
void prepareDialogue();
// The message of `key`, loading kDialogueFile first when nothing is loaded;
// nullptr when there is none.
const DialogueLine* findDialogue(const char* key);
std::size_t dialogueCount();

// The script side: the message of `key` with its layout and portrait, then
// showMessage(pause). A key with no message shows the key itself and counts
// in gDialogueMisses (the scene never stalls on a missing line).
void say(const char* key, int pause);
// The message's lines as `count` options (showChoice).
void offerChoice(const char* key, int count);
// Keys of the form "<map>.<event>.<step>", the scripts' usual naming.
void sayStep(int map, int event, int step, int pause);

extern int gDialogueMisses;
// The key of the last message say, offerChoice or sayStep put up ("" after
// resetDialogue): a check that walks a scene's steps reads what each spoke.
const std::string& lastDialogueKey();
void resetLastDialogueKey();
void resetDialogue();  // forget the loaded lines and the misses

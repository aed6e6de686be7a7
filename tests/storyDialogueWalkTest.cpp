// Every scene of the story, step by step: each scene the lines file names is
// walked from step 0 to its end on its own map and set-up, on both routes,
// and every step that speaks must find its line. The region tests play
// scenes the way a player meets them; this walk reaches the scenes they do
// not play and the branches a route or a choice leads into.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <map>
#include <set>
#include <sstream>

#include "tests/story1Fixture.h"

using story1test::StoryField;

namespace {

struct Scene {
    int map = 0;
    int event = 0;
};

// Scenes named by the lines file: every key "<map>.<event>.<step>[...]".
std::vector<Scene> scenesOfTheLines(const std::vector<DialogueLine>& lines) {
    std::set<std::pair<int, int>> named;
    for (const DialogueLine& line : lines) {
        int map = 0, event = 0, step = 0;
        char tail = 0;
        const int got = std::sscanf(line.key.c_str(), "%d.%d.%d%c", &map, &event, &step, &tail);
        if (got < 3 || (got == 4 && tail != '.')) continue;
        named.insert({map, event});
    }
    std::vector<Scene> out;
    for (const auto& [map, event] : named) out.push_back({map, event});
    return out;
}

// A scene that never ends within this many steps is left where it stands.
constexpr int kMostCallsAScene = 3000;

}  // namespace

// The scene's script is called once a step from step 0, the way the engine
// steps it, except that every wait is over at once, every battle won and
// every choice answered with one option: whatever a step puts up must be a
// line of the file. Each scene is walked on both routes and with the first
// and the second option of its choices.
TEST_F(StoryField, EveryStepOfEverySceneThatSpeaksHasItsLine) {
    std::ifstream file(kDialogueFile, std::ios::binary);
    const std::vector<std::uint8_t> built((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    std::vector<DialogueLine> lines;
    std::string error;
    ASSERT_TRUE(decodeDialogue(built, lines, error)) << error;
    const std::vector<Scene> scenes = scenesOfTheLines(lines);
    ASSERT_GT(scenes.size(), 200u);

    std::set<std::string> spoken;
    std::map<std::string, std::string> missing;  // key -> where it was asked for
    for (const Scene& scene : scenes) {
        for (int route = 0; route <= 2; ++route) {
            for (int option = 0; option <= 1; ++option) {
                std::memset(gStoryFlags, 0, sizeof gStoryFlags);
                gStoryFlags[100] = static_cast<std::uint8_t>(route);
                arrive(scene.map, -1, -1, 0, 1);
                int step = 0;
                for (int call = 0; call < kMostCallsAScene; ++call) {
                    gFieldEvent = scene.event;
                    gEventStep = step;
                    gMessageMode = 0;
                    gMessageTyped = 0;
                    gChoiceCursor = option;
                    gScene = 0;
                    gPendingMapChange.pending = 0;
                    const int missesBefore = gDialogueMisses;
                    resetLastDialogueKey();
                    runCurrentMapEvent();
                    const std::string& key = lastDialogueKey();
                    if (!key.empty()) {
                        spoken.insert(key);
                        if (gDialogueMisses != missesBefore)
                            missing.emplace(key, "map " + std::to_string(scene.map) + " event " +
                                                     std::to_string(scene.event) + " step " + std::to_string(step) +
                                                     " route " + std::to_string(route));
                    }
                    if (gFieldEvent != scene.event || gPendingMapChange.pending != 0) break;  // the scene is over
                    // A step the script moved on from or branched away from;
                    // a wait or a held message is over at once in the walk,
                    // and a branch back (a retry) is not taken again.
                    step = std::max(gEventStep, step + 1);
                }
            }
        }
    }
    for (const auto& [key, where] : missing) ADD_FAILURE() << "no line \"" << key << "\" (" << where << ")";
    if (std::getenv("DIALOGUE_WALK_UNSPOKEN") != nullptr) {
        for (const DialogueLine& line : lines)
            if (spoken.count(line.key) == 0) std::printf("unspoken %s\n", line.key.c_str());
    }
}

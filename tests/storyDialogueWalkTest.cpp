// Every scene of the story, step by step: each scene the lines file names is
// walked from step 0 to its end on its own map and set-up, on both routes,
// and every step that speaks must find its line. The region tests play
// scenes the way a player meets them; this walk reaches the scenes they do
// not play and the branches a route or a choice leads into.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <set>

#include "tests/builtDialogue.h"
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

// The story flags a scene's script waits for before it plays (its stage of
// the story); the other scenes play with every flag at 0.
struct SceneFlags {
    int map, event;
    std::vector<std::pair<int, int>> flags;  // story flag, value
};
const std::vector<SceneFlags> kSceneFlags = {
    {0, 32, {{123, 2}}},   {1, 76, {{12, 2}}},    {1, 82, {{64, 1}}},    {2, 11, {{1, 1}}},
    {2, 17, {{54, 1}}},    {2, 40, {{44, 1}}},    {5, 9, {{5, 1}}},      {6, 3, {{6, 1}}},
    {7, 3, {{7, 1}}},      {8, 17, {{9, 3}}},     {10, 4, {{9, 1}}},     {11, 1, {{12, 2}}},
    {15, 1, {{999, 1}}},   {16, 5, {{128, 1}}},   {17, 17, {{12, 1}}},   {21, 8, {{59, 1}}},
    {21, 9, {{124, 2}}},   {21, 10, {{124, 1}}},  {26, 22, {{57, 1}}},   {34, 38, {{17, 1}}},
    {38, 12, {{19, 1}}},   {38, 13, {{19, 1}}},   {38, 14, {{19, 1}}},   {40, 10, {{66, 1}}},
    {43, 4, {{22, 1}}},    {52, 5, {{47, 1}}},    {54, 4, {{126, 1}}},   {57, 28, {{26, 1}}},
    {61, 25, {{13, 1}}},   {77, 7, {{75, 2}}},    {77, 13, {{77, 1}}},   {86, 4, {{32, 1}}},
    {95, 4, {{125, 1}}},   {99, 11, {{67, 1}}},   {103, 11, {{33, 1}}},  {104, 6, {{34, 2}}},
    {114, 1, {{42, 1}}},   {118, 5, {{43, 1}}},   {128, 2, {{115, 15}}}, {129, 4, {{129, 1}}},
    {1, 72, {{12, 1}}},    {1, 72, {}},           {76, 16, {{43, 1}}},   {76, 16, {}},
    {77, 1, {{75, 1}}},    {77, 1, {}},
};

// The flag sets a scene is walked with: those of the table, or all at 0.
std::vector<std::vector<std::pair<int, int>>> flagSetsOf(const Scene& scene) {
    std::vector<std::vector<std::pair<int, int>>> sets;
    for (const SceneFlags& entry : kSceneFlags)
        if (entry.map == scene.map && entry.event == scene.event) sets.push_back(entry.flags);
    if (sets.empty()) sets.push_back({});
    return sets;
}

// A scene that never ends within this many steps is left where it stands.
constexpr int kMostCallsAScene = 3000;

struct Walked {
    std::set<std::string> spoken;
    std::map<std::string, std::string> missing;  // key -> where it was asked for
};

// Walks the scene from step 0 to its end on the map the player stands on.
void walkScene(const Scene& scene, int route, int option, Walked& walked) {
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
            walked.spoken.insert(key);
            if (gDialogueMisses != missesBefore)
                walked.missing.emplace(key, "map " + std::to_string(scene.map) + " event " + std::to_string(scene.event) +
                                                " step " + std::to_string(step) + " route " + std::to_string(route));
        }
        if (gFieldEvent != scene.event || gPendingMapChange.pending != 0) return;  // the scene is over
        // A step the script moved on from or branched away from; a wait or a
        // held message is over at once in the walk, and a branch back (a
        // retry) is not taken again.
        step = std::max(gEventStep, step + 1);
    }
}

}  // namespace

// The scene's script is called once a step from step 0, the way the engine
// steps it, except that every wait is over at once, every battle won and
// every choice answered with one option: whatever a step puts up must be a
// line of the file. Each scene is walked on both routes and with the first
// and the second option of its choices.
TEST_F(StoryField, EveryStepOfEverySceneThatSpeaksHasItsLine) {
    std::vector<DialogueLine> lines;
    std::string error;
    ASSERT_TRUE(readBuiltDialogue(lines, error)) << error;
    const std::vector<Scene> scenes = scenesOfTheLines(lines);
    ASSERT_GT(scenes.size(), 200u);

    Walked walked;
    for (const Scene& scene : scenes) {
        for (const auto& flags : flagSetsOf(scene)) {
            for (int route = 0; route <= 2; ++route) {
                for (int option = 0; option <= 1; ++option) {
                    std::memset(gStoryFlags, 0, sizeof gStoryFlags);
                    for (const auto& [index, value] : flags) gStoryFlags[index] = static_cast<std::uint8_t>(value);
                    gStoryFlags[100] = static_cast<std::uint8_t>(route);
                    arrive(scene.map, -1, -1, 0, 1);
                    walkScene(scene, route, option, walked);
                }
            }
        }
    }
    for (const auto& [key, where] : walked.missing) ADD_FAILURE() << "no line \"" << key << "\" (" << where << ")";
    if (std::getenv("DIALOGUE_WALK_UNSPOKEN") != nullptr) {
        for (const DialogueLine& line : lines)
            if (walked.spoken.count(line.key) == 0) std::printf("unspoken %s\n", line.key.c_str());
    }
}

// The walk finds a line gone from a scene that no region test plays through
// on that route: the depths' second scene on route 2, クレイバー's blow.
TEST_F(StoryField, WalkNamesTheStepWhoseLineIsGone) {
    std::string error;
    ASSERT_TRUE(loadBuiltDialogueWithout("104.6.25", error)) << error;

    for (int route = 1; route <= 2; ++route) {
        std::memset(gStoryFlags, 0, sizeof gStoryFlags);
        gStoryFlags[34] = 2;
        gStoryFlags[100] = static_cast<std::uint8_t>(route);
        arrive(104, -1, -1, 0, 1);
        Walked walked;
        walkScene({104, 6}, route, 0, walked);
        EXPECT_EQ(walked.missing.count("104.6.25"), route == 2 ? 1u : 0u) << "route " << route;
        EXPECT_EQ(walked.missing.size(), walked.missing.count("104.6.25"));
        EXPECT_EQ(walked.spoken.count("104.6.100"), route == 1 ? 1u : 0u) << "route 1 reaches its own interlude";
    }
}

#include "fuzz/FuzzTargets.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "engine/Config.h"
#include "engine/Sound.h"
#include "field/FieldMap.h"
#include "fuzz/FuzzScratch.h"
#include "fuzz/FuzzSeeds.h"
#include "gamedata/DataFile.h"
#include "gamedata/GameData.h"
#include "gamedata/SaveFile.h"
#include "gamedata/TextTables.h"
#include "minigames/BoatCourse.h"
#include "platform/Audio.h"
#include "platform/Bitmap.h"
#include "platform/Clock.h"
#include "platform/XMesh.h"
#include "story/Dialogue.h"

namespace {

// A check that every accepted file must pass; failing it is a finding.
void require(bool holds, const char* what) {
    if (!holds) {
        std::fprintf(stderr, "fuzz: %s\n", what);
        std::abort();
    }
}

// The sound and music targets run the real mixer on the null backend (no
// thread, no device), opened once per process.
void openNullAudio() {
    if (audio::activeBackend() == audio::Backend::None) audio::openAudio(audio::Backend::Null);
}

constexpr std::int64_t kFuzzLoadTime = 1800000000;
constexpr std::int64_t kFuzzPlayStretch = 400LL * 24 * 3600;

// A save slot's file through the staged load the load screen uses, the
// header read of the slot chooser, and, for a file of the right size, the
// same bytes with the check sum put right, so the damage reaches the index
// and text checks behind it: an accepted state goes into play and must save
// again as a valid file.
void fuzzSave(const std::uint8_t* data, std::size_t size) {
    // The calendar is the fuzzer's: a load now, and the next save after a
    // long stretch of play.
    static std::int64_t now = 0;
    timing::setCalendarClock([] { return now; });
    now = kFuzzLoadTime;
    ScratchFolder here;
    writeFuzzFile("Save_0.dat", data, size);
    SaveLoadError error = SaveLoadError::kNone;
    std::unique_ptr<SaveState> staged = stageSaveFile(0, error);
    require((staged != nullptr) == (error == SaveLoadError::kNone), "a staged save and its error disagree");
    readSaveFile(0, 1);
    if (staged) commitSaveState(*staged);
    if (size != kSaveFileSize) return;

    auto state = std::make_unique<SaveState>();
    decodeSaveState(data, *state);
    state->checkSum = saveCheckSum(*state);
    if (checkSaveState(*state) != SaveLoadError::kNone) return;
    commitSaveState(*state);
    now = kFuzzLoadTime + kFuzzPlayStretch;
    auto again = std::make_unique<SaveState>();
    captureSaveState(*again);
    require(checkSaveState(*again) == SaveLoadError::kNone, "an accepted save does not save again as a valid file");
}

// Data.dat as normal play reads it, then hard mode's scaling over whatever
// the tables hold.
void fuzzDataFile(const std::uint8_t* data, std::size_t size) {
    ScratchFolder here;
    resetGameDataState();
    writeFuzzFile("Data.dat", data, size);
    readDataFile("Data.dat");
    applyHardMode();
}

// One of the developer mode's seven text tables, chosen by the first byte;
// the other six are absent (a case the loader reports and skips).
void fuzzTextTables(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return;
    ScratchFolder here;
    for (const char* name : kTextTableFiles) removeFuzzFile(name);
    writeFuzzFile(kTextTableFiles[data[0] % 7], data + 1, size - 1);
    resetGameDataState();
    TextTableReport report;
    loadTextTables(".", report);
}

// A map file, then every cell looked up as the field does.
void fuzzMap(const std::uint8_t* data, std::size_t size) {
    ScratchFolder here;
    writeFuzzFile("Data/Map_0.dat", data, size);
    resetFieldMap();
    if (readMapFile("Data/Map_0.dat") != 0) return;
    float sum = 0.0f;
    for (int row = -1; row <= kMapRows; ++row) {
        for (int column = -1; column <= kMapColumns; ++column) sum += mapCell(row, column).height;
    }
    (void)sum;
}

// A boat course. Courses are bigger than the fuzzer's inputs, so an odd
// first byte puts the rest after a whole grid of bank cells: the obstacle
// records are reached too.
void fuzzCourse(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return;
    ScratchFolder here;
    std::vector<std::uint8_t> file;
    if (data[0] & 1) file.assign(static_cast<std::size_t>(kCourseCellCount) * kCourseCellRecordSize, 0);
    file.insert(file.end(), data + 1, data + size);
    writeFuzzFile("Data/Boat_0.dat", file.data(), file.size());
    readCourseFile("Data/Boat_0.dat");
    for (const CourseObstacle& o : gCourseObstacles) {
        if (!o.present) continue;
        courseHeightAt(o.x, o.z);
        courseCellType(o.x, o.z);
        courseCellGoal(o.x, o.z);
    }
    for (int i = 0; i < 500; i += 7) courseHeightAt(static_cast<float>(i) + 0.5f, static_cast<float>(498 - i) + 0.25f);
}

// A sound effect as a scene plays it: read, checked, converted and mixed.
void fuzzWave(const std::uint8_t* data, std::size_t size) {
    ScratchFolder here;
    openNullAudio();
    gSoundAvailable = 1;
    gSoundErrorBox = nullptr;
    writeFuzzFile("Se/fuzz.wav", data, size);
    playSoundEffect("fuzz.wav");
    std::int16_t out[2 * 2048];
    audio::renderAudio(out, 2048);
    audio::stopEffect();
}

// A bitmap resource, and the steps every texture takes after it for a
// picture of a texture's size.
void fuzzBitmap(const std::uint8_t* data, std::size_t size) {
    ScratchFolder here;
    writeFuzzFile("fuzz.bmp", data, size);
    int width = 0, height = 0;
    const int sized = bitmap::readBmpSize("fuzz.bmp", width, height);
    bitmap::Image image;
    const int read = bitmap::readBmpFile("fuzz.bmp", image);
    if (read != bitmap::kOk) return;
    require(sized == bitmap::kOk && width == image.width && height == image.height,
            "the header read and the whole read disagree on a picture's sides");
    if (static_cast<long>(image.width) * image.height > 1024L * 1024L) return;
    bitmap::applyColourKey(image);
    bitmap::Image texture = bitmap::stretchToPowerOfTwo(image);
    bitmap::quantiseA4R4G4B4(texture);
    bitmap::quantiseR5G6B5(image);
}

// A text .x mesh; every vertex of an accepted mesh belongs to a triangle.
void fuzzXMesh(const std::uint8_t* data, std::size_t size) {
    ScratchFolder here;
    writeFuzzFile("fuzz.x", data, size);
    xmesh::MeshData mesh;
    if (xmesh::loadXMeshFile("fuzz.x", mesh) != xmesh::kOk) return;
    for (const auto& subset : mesh.subsets) require(subset.size() % 3 == 0, "a mesh subset is not whole triangles");
}

// Our own scan of a song, as every song start runs it.
void fuzzMidiScan(const std::uint8_t* data, std::size_t size) {
    audio::MidiFileInfo info;
    if (!audio::scanMidiFile(data, size, &info)) return;
    require(info.division > 0 && info.lengthTicks >= 0 && info.trackCount > 0, "a scanned song has impossible facts");
}

// A song through the synthesiser: started (from a position the first byte
// picks), played for a few blocks, asked its place, stopped.
void fuzzMidiSynth(const std::uint8_t* data, std::size_t size) {
    openNullAudio();
    if (!audio::musicSynthReady()) return;
    const int start = size > 20 ? data[size - 1] * 97 : 0;
    if (!audio::startSong(data, size, start)) {
        require(!audio::songPlaying(), "a refused song is playing");
        return;
    }
    std::int16_t out[2 * 1024];
    for (int block = 0; block < 4; ++block) audio::renderAudio(out, 1024);
    int position = 0;
    if (audio::songPlaying()) {
        require(audio::songPosition(&position), "a playing song has no position");
        require(position >= 0 && position < std::max(1, audio::songLength()), "a song's position is outside it");
    }
    audio::stopSong();
}

// The story's dialogue file.
void fuzzDialogue(const std::uint8_t* data, std::size_t size) {
    ScratchFolder here;
    writeFuzzFile("Data/Dialogue.dat", data, size);
    std::string error;
    const bool loaded = loadDialogueFile("Data/Dialogue.dat", error);
    require(loaded || dialogueCount() == 0, "a refused dialogue file left lines loaded");
    resetDialogue();
}

// The settings file.
void fuzzConfig(const std::uint8_t* data, std::size_t size) {
    ScratchFolder here;
    writeFuzzFile("Config.dat", data, size);
    loadConfig("Config.dat");
}

}  // namespace

const FuzzTarget kFuzzTargets[] = {
    {"save", fuzzSave, writeSaveSeeds},
    {"datafile", fuzzDataFile, writeDataFileSeeds},
    {"texttables", fuzzTextTables, writeTextTableSeeds},
    {"map", fuzzMap, writeMapSeeds},
    {"course", fuzzCourse, writeCourseSeeds},
    {"wave", fuzzWave, writeWaveSeeds},
    {"bitmap", fuzzBitmap, writeBitmapSeeds},
    {"xmesh", fuzzXMesh, writeXMeshSeeds},
    {"midiscan", fuzzMidiScan, writeSongSeeds},
    {"midisynth", fuzzMidiSynth, writeSongSeeds},
    {"dialogue", fuzzDialogue, writeDialogueSeeds},
    {"config", fuzzConfig, writeConfigSeeds},
};
const int kFuzzTargetCount = static_cast<int>(sizeof kFuzzTargets / sizeof kFuzzTargets[0]);

const FuzzTarget* findFuzzTarget(const char* name) {
    for (const FuzzTarget& target : kFuzzTargets) {
        if (name && std::strcmp(target.name, name) == 0) return &target;
    }
    return nullptr;
}

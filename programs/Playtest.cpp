#include "programs/Playtest.h"

#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>

#include "engine/GraphicsResources.h"
#include "engine/Input.h"
#include "engine/MainLoop.h"
#include "engine/Music.h"
#include "engine/RenderFrame.h"
#include "events/MessageWindow.h"
#include "field/EventState.h"
#include "field/FieldEntry.h"
#include "field/FieldState.h"
#include "platform/Clock.h"
#include "platform/FileSystem.h"
#include "platform/InputDevices.h"
#include "programs/GameHooks.h"
#include "tools/common/PngFile.h"

namespace {

constexpr const char kUsage[] =
    "usage: playtest --frames N [--input FILE] [--shot FRAME:PATH]... [--state]\n"
    "                [--workdir DIR] [--clock SECONDS] [--null-gfx] [--map N[,ROW,COL]] [--developer]\n"
    "                [--flags I:V,...] [--hidden] [--event SLOT] [--message-shots DIR]\n";

// Frames presented so far: the run's clocks follow them, 60 to a second.
long gFramesDone = 0;
std::int64_t gClockStart = 0;

bool parseLong(const char* text, long* value) {
    if (text == nullptr || *text == '\0') return false;
    char* end = nullptr;
    errno = 0;
    const long v = std::strtol(text, &end, 10);
    if (*end != '\0' || errno != 0) return false;
    *value = v;
    return true;
}

std::string absoluteFrom(const std::string& base, const std::string& path) {
    if (path.empty() || path[0] == '/') return path;
    return base + "/" + path;
}

// build/bin/playtest -> build/game
std::string defaultGameFolder() {
    char buffer[4096];
    const ssize_t n = readlink("/proc/self/exe", buffer, sizeof buffer - 1);
    if (n <= 0) return "../game";
    std::string exe(buffer, static_cast<size_t>(n));
    const size_t slash = exe.rfind('/');
    return exe.substr(0, slash == std::string::npos ? 0 : slash) + "/../game";
}

bool alwaysShowsFrames() { return true; }

// Reads the PNG of the frame presented last.
bool writePresentedFrame(gfx::Device* device, std::vector<std::uint32_t>& pixels, const std::string& path) {
    if (!device->readBackBuffer(pixels) || pixels.size() != 640u * 480u) {
        pixels.assign(640u * 480u, 0xFF000000u);  // the null device shows black
    }
    if (png::writeArgb(path, 640, 480, pixels.data())) return true;
    std::fprintf(stderr, "playtest: cannot write %s\n", path.c_str());
    return false;
}

// --message-shots: a picture of every message as it stands whole, then a
// press of decide to read on (never on two frames running, so each press is
// a new one).
class MessageShots {
public:
    explicit MessageShots(std::string folder) : folder_(std::move(folder)) {}
    unsigned keys() {
        const bool press = pressNext_ && !pressedLast_;
        pressedLast_ = press;
        if (press) pressNext_ = false;
        return press ? kPlayDecide : 0u;
    }
    bool afterFrame(gfx::Device* device, std::vector<std::uint32_t>& pixels) {
        if (folder_.empty()) return true;
        const bool whole = gFieldEvent != 0 && ((gMessageMode == 1 && gMessageTyped == static_cast<int>(std::strlen(gMessageText))) ||
                                                gMessageMode == 2);
        // A message is told from the last by its event, step and text.
        const std::string shown = whole ? std::to_string(gFieldEvent) + "." + std::to_string(gEventStep) + "." +
                                              std::to_string(gMessageMode) + gMessageText
                                        : std::string();
        if (shown == last_) {
            // A press the screen did not take yet: press again.
            if (whole && ++unchangedFrames_ % 30 == 0) pressNext_ = true;
            return true;
        }
        last_ = shown;
        unchangedFrames_ = 0;
        if (!whole) return true;
        pressNext_ = true;
        char name[64];
        std::snprintf(name, sizeof name, "/%03d-map%d-event%d-step%d.png", ++count_, gCurrentMap, gFieldEvent, gEventStep);
        return writePresentedFrame(device, pixels, folder_ + name);
    }

private:
    std::string folder_;
    std::string last_;
    int count_ = 0;
    int unchangedFrames_ = 0;
    bool pressNext_ = false;
    bool pressedLast_ = false;
};
void noSleep(int) {}

}  // namespace

bool parsePlaytestArguments(int argc, const char* const* argv, PlaytestOptions& options, std::string* error) {
    const auto fail = [&](const std::string& what) {
        if (error != nullptr) *error = what;
        return false;
    };
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        const char* value = i + 1 < argc ? argv[i + 1] : nullptr;
        if (arg == "--frames") {
            if (!parseLong(value, &options.frames) || options.frames < 0) return fail("--frames wants a count");
            ++i;
        } else if (arg == "--input") {
            if (value == nullptr) return fail("--input wants a file");
            options.inputPath = value;
            ++i;
        } else if (arg == "--shot") {
            const std::string spec = value != nullptr ? value : "";
            const size_t colon = spec.find(':');
            PlaytestShot shot{0, ""};
            if (colon == std::string::npos || !parseLong(spec.substr(0, colon).c_str(), &shot.frame) || shot.frame < 1 ||
                colon + 1 == spec.size()) {
                return fail("--shot wants FRAME:PATH with FRAME from 1");
            }
            shot.path = spec.substr(colon + 1);
            options.shots.push_back(shot);
            ++i;
        } else if (arg == "--state") {
            options.printState = true;
        } else if (arg == "--workdir") {
            if (value == nullptr) return fail("--workdir wants a folder");
            options.workDir = value;
            ++i;
        } else if (arg == "--clock") {
            long seconds = 0;
            if (!parseLong(value, &seconds)) return fail("--clock wants seconds");
            options.clockGiven = true;
            options.clockSeconds = seconds;
            ++i;
        } else if (arg == "--null-gfx") {
            options.nullGraphics = true;
        } else if (arg == "--developer") {
            options.developer = true;
        } else if (arg == "--flags") {
            const std::string list = value != nullptr ? value : "";
            std::stringstream items(list);
            std::string item;
            while (std::getline(items, item, ',')) {
                int index = -1, flag = -1;
                char extra = 0;
                if (std::sscanf(item.c_str(), "%d:%d%c", &index, &flag, &extra) != 2 || index < 0 || index > 999 ||
                    flag < 0 || flag > 255) {
                    return fail("--flags wants I:V pairs (flag 0-999, value 0-255), comma-separated");
                }
                options.storyFlags.push_back({index, flag});
            }
            if (options.storyFlags.empty()) return fail("--flags wants I:V pairs (flag 0-999, value 0-255), comma-separated");
            ++i;
        } else if (arg == "--hidden") {
            options.hidePlayer = true;
        } else if (arg == "--event") {
            long slot = -1;
            if (!parseLong(value, &slot) || slot < 0 || slot > 149) return fail("--event wants a slot 0-149");
            options.startEvent = static_cast<int>(slot);
            ++i;
        } else if (arg == "--message-shots") {
            if (value == nullptr) return fail("--message-shots wants a folder");
            options.messageShotFolder = value;
            ++i;
        } else if (arg == "--map") {
            int map = -1, row = -1, col = -1;
            const int read = value != nullptr ? std::sscanf(value, "%d,%d,%d", &map, &row, &col) : 0;
            if ((read != 1 && read != 3) || map < 0 || map > 129 || (read == 3 && (row < 0 || row > 59 || col < 0 || col > 59))) {
                return fail("--map wants N or N,ROW,COL (map 0-129, cell 0-59)");
            }
            options.startMap = map;
            options.startRow = read == 3 ? row : -1;
            options.startCol = read == 3 ? col : -1;
            ++i;
        } else {
            return fail("unknown argument '" + arg + "'");
        }
    }
    if (options.frames < 0) return fail("--frames is required");
    if ((options.startEvent >= 0 || options.hidePlayer || !options.storyFlags.empty()) && options.startMap < 0) {
        return fail("--flags, --hidden and --event need --map");
    }
    return true;
}

int runPlaytest(int argc, const char* const* argv) {
    PlaytestOptions options;
    std::string error;
    if (!parsePlaytestArguments(argc, argv, options, &error)) {
        std::fprintf(stderr, "playtest: %s\n%s", error.c_str(), kUsage);
        return 2;
    }
    return runPlaytest(options);
}

int runPlaytest(PlaytestOptions options) {
    std::string error;
    // Paths on the command line are relative to where playtest was started.
    const std::string startFolder = files::currentFolder();
    std::vector<PlaytestSpan> spans;
    if (!options.inputPath.empty()) {
        std::ifstream in(absoluteFrom(startFolder, options.inputPath));
        if (!in) {
            std::fprintf(stderr, "playtest: cannot read %s\n", options.inputPath.c_str());
            return 2;
        }
        std::stringstream text;
        text << in.rdbuf();
        if (!parsePlaytestScript(text.str(), spans, &error)) {
            std::fprintf(stderr, "playtest: %s: %s\n", options.inputPath.c_str(), error.c_str());
            return 2;
        }
    }
    for (PlaytestShot& shot : options.shots) shot.path = absoluteFrom(startFolder, shot.path);
    if (!options.messageShotFolder.empty()) options.messageShotFolder = absoluteFrom(startFolder, options.messageShotFolder);
    const std::string workDir = options.workDir.empty() ? defaultGameFolder() : options.workDir;
    if (chdir(workDir.c_str()) != 0) {
        std::fprintf(stderr, "playtest: cannot enter %s: %s\n", workDir.c_str(), std::strerror(errno));
        return 2;
    }

    // Headless: a hidden window, the offscreen driver when there is no
    // display, silent audio unless the caller chose a driver.
    const bool hasDisplay = std::getenv("DISPLAY") != nullptr || std::getenv("WAYLAND_DISPLAY") != nullptr;
    if (!hasDisplay) setenv("SDL_VIDEODRIVER", "offscreen", 0);
    setenv("SDL_AUDIODRIVER", "dummy", 0);

    // The run's clocks follow the frames, so a run is repeatable.
    gFramesDone = 0;
    gClockStart = options.clockGiven ? options.clockSeconds : timing::calendarSeconds();
    timing::setMillisecondClock([] { return static_cast<std::uint32_t>(gFramesDone * 1000 / 60); });
    timing::setCalendarClock([] { return gClockStart + gFramesDone / 60; });

    installInputHooks();
    StartupOptions startup;
    setGameStartup(startup);
    startup.singleInstance = false;  // test runs share the game folder
    startup.headless = true;
    startup.nullGraphics = options.nullGraphics;
    startup.paced = false;
    startup.developer = options.developer;
    GameSession session;
    int exitCode = 0;
    if (!startGame(startup, session, &exitCode)) {
        tearDownGame(session);
        return exitCode != 0 ? exitCode : 1;
    }

    for (const auto& [index, flag] : options.storyFlags) gStoryFlags[index] = static_cast<std::uint8_t>(flag);
    if (options.startMap >= 0 && !enterFieldOnMap(options.startMap, options.startRow, options.startCol)) {
        std::fprintf(stderr, "playtest: map %d has no floor to stand on\n", options.startMap);
        tearDownGame(session);
        return 2;
    }
    if (options.hidePlayer) gPlayerVisible = 0;
    if (options.startEvent >= 0) {
        gFieldEvent = options.startEvent + 1;
        gEventStep = 0;
    }
    MessageShots messageShots(options.messageShotFolder);

    LoopServices services = gameLoopServices();
    services.windowShowsFrames = alwaysShowsFrames;
    services.sleep = noSleep;
    services.sleepMilliseconds = 0;
    gfx::Device* device = session.device.getDevice();
    std::vector<std::uint32_t> pixels;
    bool quit = false;
    while (!quit && gFramesDone < options.frames) {
        const long frame = gFramesDone + 1;
        const unsigned keys = options.chooseKeys != nullptr ? options.chooseKeys(frame) : playtestKeysAt(spans, frame);
        holdPlaytestKeys(keys | messageShots.keys());
        const PassOutcome outcome = runMainLoopPass(services, device, session.resources.get());
        if (outcome.quit) {
            quit = true;
            break;
        }
        if (!outcome.rendered) continue;
        gFramesDone = frame;
        if (options.finished != nullptr && options.finished()) quit = true;
        if (!messageShots.afterFrame(device, pixels)) exitCode = 1;
        for (const PlaytestShot& shot : options.shots) {
            if (shot.frame == frame && !writePresentedFrame(device, pixels, shot.path)) exitCode = 1;
        }
    }
    for (const PlaytestShot& shot : options.shots) {
        if (shot.frame > gFramesDone) {
            std::fprintf(stderr, "playtest: frame %ld was never reached; %s not written\n", shot.frame, shot.path.c_str());
            exitCode = 1;
        }
    }
    if (options.printState) printGameState(stdout, gFramesDone);
    std::fflush(stdout);
    tearDownGame(session);
    timing::setMillisecondClock({});
    timing::setCalendarClock({});
    return exitCode;
}

// The single-instance rule: the design recognises a running game and a
// running configuration tool by their window titles; we recognise them by
// an exclusive lock on a file in the game folder, which the system drops by
// itself when the holder ends, however it ends.
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <string>

#include "platform/App.h"

namespace app {
namespace {

int gGameLockFd = -1;

bool heldBySomeoneElse(const std::string& path) {
    const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return false;  // no tool has ever run here
    const bool held = flock(fd, LOCK_SH | LOCK_NB) != 0;
    close(fd);
    return held;
}

}  // namespace

InstanceCheck claimSingleInstance(const std::string& directory) {
    const std::string gamePath = directory + "/Game.lock";
    if (gGameLockFd < 0) {
        const int fd = open(gamePath.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
        // A folder where no lock can be made (read-only media) cannot hold
        // saves either; let the game start and find out.
        if (fd >= 0) {
            if (flock(fd, LOCK_EX | LOCK_NB) != 0) {
                close(fd);
                return InstanceCheck::GameRunning;
            }
            gGameLockFd = fd;
        }
    }
    if (heldBySomeoneElse(directory + "/Config.lock")) {
        releaseInstanceLock();
        return InstanceCheck::ConfigToolRunning;
    }
    return InstanceCheck::Alone;
}

void releaseInstanceLock() {
    if (gGameLockFd < 0) return;
    flock(gGameLockFd, LOCK_UN);
    close(gGameLockFd);
    gGameLockFd = -1;
}

}  // namespace app

// The single-instance rules, kept with lock files in the game folder.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <stdlib.h>
#include <sys/file.h>
#include <unistd.h>

#include <string>

#include "platform/App.h"

namespace {

class InstanceTest : public ::testing::Test {
protected:
    void SetUp() override {
        char name[] = "/tmp/instanceTestXXXXXX";
        folder = mkdtemp(name);
    }
    void TearDown() override {
        app::releaseInstanceLock();
        unlink((folder + "/Game.lock").c_str());
        unlink((folder + "/Config.lock").c_str());
        rmdir(folder.c_str());
    }
    // Another process's lock (flock locks belong to the open file, so a
    // second open in this process stands for another process).
    int holdLock(const std::string& file) {
        const int fd = open((folder + "/" + file).c_str(), O_RDWR | O_CREAT, 0644);
        EXPECT_EQ(flock(fd, LOCK_EX | LOCK_NB), 0);
        return fd;
    }
    std::string folder;
};

TEST_F(InstanceTest, FirstStartClaimsTheFolderAndTheSecondFindsItTaken) {
    EXPECT_EQ(app::claimSingleInstance(folder), app::InstanceCheck::Alone);
    const int fd = open((folder + "/Game.lock").c_str(), O_RDWR);
    EXPECT_NE(flock(fd, LOCK_EX | LOCK_NB), 0);  // held by the claim
    app::releaseInstanceLock();
    EXPECT_EQ(flock(fd, LOCK_EX | LOCK_NB), 0);
    close(fd);
}

TEST_F(InstanceTest, RunningGameEndsTheSecondStart) {
    const int fd = holdLock("Game.lock");
    EXPECT_EQ(app::claimSingleInstance(folder), app::InstanceCheck::GameRunning);
    close(fd);
    EXPECT_EQ(app::claimSingleInstance(folder), app::InstanceCheck::Alone);
}

TEST_F(InstanceTest, RunningConfigurationToolRefusesTheStartAndLeavesNoClaim) {
    const int fd = holdLock("Config.lock");
    EXPECT_EQ(app::claimSingleInstance(folder), app::InstanceCheck::ConfigToolRunning);
    // The refused start holds nothing.
    const int game = holdLock("Game.lock");
    close(game);
    close(fd);
}

TEST_F(InstanceTest, ConfigLockLeftBehindByAnEndedToolDoesNotCount) {
    close(holdLock("Config.lock"));
    EXPECT_EQ(app::claimSingleInstance(folder), app::InstanceCheck::Alone);
}

}  // namespace

// Valmora, a ski-jumping game. Copyright (C) 2026 the Valmora developers.
// SPDX-License-Identifier: GPL-3.0-or-later
// Starting the game: only beside the launcher, in the launcher's working directory, and the
// launcher neither waits for it nor leaves a zombie.
#include "setup_test_support.h"

#include "setup/game_starter.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

// No child of the test process remains, not even one that has exited unreaped.
void expectNoChildren() {
    int status = 0;
    errno = 0;
    EXPECT_EQ(waitpid(-1, &status, WNOHANG), -1);
    EXPECT_EQ(errno, ECHILD);
}

} // namespace

TEST(GameStarter, GameBesideTheLauncherStartsInTheWorkingDirectory) {
    TempDir launcher(false);
    TempDir work;
    const std::string record = launcher.path() + "/record";
    writeStandInGame(launcher.path(), "launcher", record);
    writeStandInGame(work.path(), "cwd", work.path() + "/cwd-record");

    startGame(launcher.path());
    expectNoChildren();
    ASSERT_TRUE(waitForFile(record));
    EXPECT_EQ(readFile(record), "launcher " + realPath(work.path()) + "\n");
    EXPECT_FALSE(pathExists(work.path() + "/cwd-record"));
}

TEST(GameStarter, AProgramInTheWorkingDirectoryIsNeverStarted) {
    // The working directory is the player's data folder: an "orbel" there is none of ours.
    TempDir work;
    const std::string record = work.path() + "/record";
    writeStandInGame(work.path(), "cwd", record);
    TempDir withoutGame(false);
    for (const std::string& launcherDir : {std::string(), withoutGame.path()}) {
        startGame(launcherDir);
        expectNoChildren();
    }
    // A game beside a launcher, started afterwards, shows that a start would have been seen.
    TempDir launcher(false);
    const std::string besideRecord = work.path() + "/beside";
    writeStandInGame(launcher.path(), "beside", besideRecord);
    startGame(launcher.path());
    ASSERT_TRUE(waitForFile(besideRecord));
    EXPECT_FALSE(pathExists(record));
}

TEST(GameStarter, MissingGameIsNoError) {
    TempDir launcher(false);
    TempDir work;
    startGame(launcher.path());
    expectNoChildren();
    // A non-executable file of that name is passed over as well.
    writeFile(launcher.path() + "/orbel", "not a program");
    startGame(launcher.path());
    expectNoChildren();
}

TEST(GameStarter, LauncherDoesNotWaitForTheGame) {
    TempDir launcher(false);
    TempDir work;
    const std::string started = work.path() + "/started";
    const std::string release = work.path() + "/release";
    const std::string finished = work.path() + "/finished";
    // The game runs until the test releases it (or gives up after about ten seconds).
    writeFile(launcher.path() + "/orbel",
              "#!/bin/sh\n"
              "echo up > '" +
                  started +
                  "'\n"
                  "i=0\n"
                  "while [ ! -e '" +
                  release +
                  "' ] && [ $i -lt 200 ]; do sleep 0.05; i=$((i+1)); done\n"
                  "echo done > '" +
                  finished + "'\n",
              true);
    startGame(launcher.path());
    // Had the launcher waited, the game would have finished before startGame returned.
    EXPECT_FALSE(pathExists(finished));
    expectNoChildren();
    ASSERT_TRUE(waitForFile(started));
    writeFile(release, "go");
    EXPECT_TRUE(waitForFile(finished));
}

TEST(GameStarter, GameInheritsNoOpenFilesOfTheLauncher) {
    TempDir launcher(false);
    TempDir work;
    const int inherited = open("/dev/null", O_RDONLY); // deliberately without close-on-exec
    ASSERT_GE(inherited, 3);
    const std::string record = work.path() + "/fds";
    writeFile(launcher.path() + "/orbel",
              "#!/bin/sh\nls /proc/$$/fd > '" + record + ".part'\nmv '" + record + ".part' '" +
                  record + "'\n",
              true);
    startGame(launcher.path());
    close(inherited);
    ASSERT_TRUE(waitForFile(record));
    const std::string fds = readFile(record);
    EXPECT_EQ(fds.find("\n" + std::to_string(inherited) + "\n"), std::string::npos) << fds;
    EXPECT_NE(fds.find("0\n"), std::string::npos) << fds;
}

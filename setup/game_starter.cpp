// Valmora, a ski-jumping game. Copyright (C) 2026 the Valmora developers.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "setup/game_starter.h"

#include <cerrno>
#include <sys/types.h>
#include <sys/wait.h>
#include <unistd.h>

void startGame(const std::string& launcherDir) {
    // Only the game beside the launcher: a program of that name in the player's data folder
    // is no game of ours.
    if (launcherDir.empty()) return;
    // Everything the child needs is prepared before fork: after it, only exec and _exit.
    const std::string besideLauncher = launcherDir + "/orbel";
    char* const argv[] = {const_cast<char*>("orbel"), nullptr};
    const long openMax = sysconf(_SC_OPEN_MAX);
    const int lastFd = openMax > 0 && openMax < 65536 ? static_cast<int>(openMax) : 65536;

    const pid_t child = fork();
    if (child < 0) return;
    if (child == 0) {
        // The middle process exits at once, so the game is adopted by init and the launcher
        // neither waits for it nor leaves it a zombie.
        if (fork() == 0) {
            setsid();
            // The game must not keep the launcher's display connection or other files open.
            if (close_range(3, ~0U, 0) != 0)
                for (int fd = 3; fd < lastFd; ++fd)
                    close(fd);
            execv(besideLauncher.c_str(), argv);
            _exit(127);
        }
        _exit(0);
    }
    while (waitpid(child, nullptr, 0) < 0 && errno == EINTR) {
    }
}

// Valmora, a ski-jumping game. Copyright (C) 2026 the Valmora developers.
// SPDX-License-Identifier: GPL-3.0-or-later
// The built game as a person meets it: started as a process under the X display, found by
// its window, driven with xdotool, looked at through the X server.
#pragma once
#include <sys/types.h>

#include <string>
#include <vector>

#include "support/harness.h"

// Runs a shell command; its standard output.
std::string run(const std::string& command);
bool haveXdotool();

// Windows named exactly "Valmora" that belong to process pid.
std::vector<unsigned long> valmoraWindowsOf(pid_t pid, bool onlyVisible);
// The visible ones, waiting up to 15 s for the first.
std::vector<unsigned long> waitForWindows(pid_t pid);

// The built game, copied into the current directory (the test's game folder, a portable
// copy with its own Data/ and textures/) and started there. A game still running when the
// test ends is killed, so a failed check leaves no process behind.
class GameProcess {
  public:
    // display: another X display to use; what the game says on standard output and standard
    // error goes to stdout.txt and stderr.txt in the game folder. workDir: start it from
    // another folder than its own.
    explicit GameProcess(const char* display = nullptr, const std::vector<std::string>& args = {},
                         const char* workDir = nullptr);
    ~GameProcess();
    GameProcess(const GameProcess&) = delete;
    GameProcess& operator=(const GameProcess&) = delete;
    pid_t pid() const { return pid_; }

    // Exit status if the game ends within the time, else -1 (and it is killed).
    int waitForExit(int seconds);

  private:
    pid_t pid_ = -1;
};

// Types keys into the game window. xdotool uses the server's test keyboard when the window
// has the focus, and a game that ends on a key press takes its window away before the
// release: release the keys again, or the next game would start with a key held down.
void typeKeys(unsigned long window, const std::string& keys);

// The window's contents as the X server shows them.
Picture grabWindow(unsigned long window);

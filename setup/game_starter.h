#pragma once

#include <string>

// The directory that holds the running program (from /proc/self/exe); empty if unknown.
std::string launcherDirectory();

// Starts the game detached, with the launcher's working directory as its own: "orbel" from
// launcherDir first, then from the working directory. Neither waits for the game nor reports
// a failure to start it; no zombie is left behind.
void startGame(const std::string& launcherDir);

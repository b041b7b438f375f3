// Valmora, a ski-jumping game. Copyright (C) 2026 the Valmora developers.
// SPDX-License-Identifier: GPL-3.0-or-later
// Helpers for the launcher's tests: a temporary working directory, file reading and a
// stand-in game program.
#pragma once

#include <sys/types.h>

#include <map>
#include <string>
#include <vector>

// A fresh empty directory under /tmp; with enter, the process works inside it until the
// object goes away.
class TempDir {
  public:
    explicit TempDir(bool enter = true);
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    const std::string& path() const { return root_; }

  private:
    std::string root_;
    std::string oldCwd_;
};

bool pathExists(const std::string& path);
bool isDirectory(const std::string& path);
// The whole file as bytes; "<missing>" if it cannot be read, "<dir>" or "<fifo>" for those.
std::string readFile(const std::string& path);
void writeFile(const std::string& path, const std::string& text, bool executable = false);
// Every entry of <root>/Data with its bytes (directories as "<dir>"); root "." by default, the
// working directory.
std::map<std::string, std::string> dataFiles(const std::string& root = ".");
// The real path of a directory, as a program started inside it sees its working directory.
std::string realPath(const std::string& path);
// Polls until the file exists and is non-empty, for at most about ten seconds.
bool waitForFile(const std::string& path);

// Writes <dir>/orbel: a shell script that records "<tag> <its working directory>" into
// <recordFile> and then exits.
void writeStandInGame(const std::string& dir, const std::string& tag,
                      const std::string& recordFile);

// An Xvfb display of our own, made DISPLAY for the process while the object lives (when
// Xvfb is at hand; otherwise DISPLAY stays as it was). Keys typed with xdotool go to the
// window that has the input focus, and other tests' windows on a shared display could take it.
class OwnDisplay {
  public:
    OwnDisplay(int width, int height);
    ~OwnDisplay();
    OwnDisplay(const OwnDisplay&) = delete;
    OwnDisplay& operator=(const OwnDisplay&) = delete;

  private:
    pid_t server_ = -1;
    std::string oldDisplay_;
    bool hadDisplay_ = false;
};

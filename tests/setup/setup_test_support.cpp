// Valmora, a ski-jumping game. Copyright (C) 2026 the Valmora developers.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "setup_test_support.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <dirent.h>
#include <fstream>
#include <sstream>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

TempDir::TempDir(bool enter) {
    char pattern[] = "/tmp/setup-test-XXXXXX";
    const char* made = mkdtemp(pattern);
    if (!made) ADD_FAILURE() << "mkdtemp failed";
    root_ = made ? made : "/tmp";
    if (enter) {
        char cwd[PATH_MAX];
        oldCwd_ = getcwd(cwd, sizeof cwd) ? cwd : "/";
        if (chdir(root_.c_str()) != 0) ADD_FAILURE() << "cannot enter " << root_;
    }
}

TempDir::~TempDir() {
    if (!oldCwd_.empty() && chdir(oldCwd_.c_str()) != 0) ADD_FAILURE() << "cannot leave";
    // Tests may have made entries read-only or unusual; rm copes with all of them.
    const std::string command = "rm -rf '" + root_ + "'";
    if (root_.rfind("/tmp/setup-test-", 0) == 0 && std::system(command.c_str()) != 0)
        ADD_FAILURE() << "cannot remove " << root_;
}

bool pathExists(const std::string& path) {
    struct stat info;
    return stat(path.c_str(), &info) == 0;
}

bool isDirectory(const std::string& path) {
    struct stat info;
    return stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

std::string readFile(const std::string& path) {
    if (isDirectory(path)) return "<dir>";
    struct stat st;
    if (lstat(path.c_str(), &st) == 0 && S_ISFIFO(st.st_mode)) return "<fifo>"; // would block
    std::ifstream in(path, std::ios::binary);
    if (!in) return "<missing>";
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

void writeFile(const std::string& path, const std::string& text, bool executable) {
    {
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out << text;
        if (!out) ADD_FAILURE() << "cannot write " << path;
    }
    if (executable) chmod(path.c_str(), 0755);
}

std::map<std::string, std::string> dataFiles(const std::string& root) {
    std::map<std::string, std::string> files;
    const std::string data = root + "/Data";
    DIR* dir = opendir(data.c_str());
    if (!dir) return files;
    while (dirent* entry = readdir(dir)) {
        const std::string name = entry->d_name;
        if (name == "." || name == "..") continue;
        files[name] = readFile(data + "/" + name);
    }
    closedir(dir);
    return files;
}

std::string realPath(const std::string& path) {
    char resolved[PATH_MAX];
    return realpath(path.c_str(), resolved) ? std::string(resolved) : path;
}

bool waitForFile(const std::string& path) {
    for (int i = 0; i < 1000; ++i) {
        struct stat info;
        if (stat(path.c_str(), &info) == 0 && info.st_size > 0) {
            usleep(20000); // let the writer finish its one line
            return true;
        }
        usleep(10000);
    }
    return false;
}

void writeStandInGame(const std::string& dir, const std::string& tag,
                      const std::string& recordFile) {
    writeFile(dir + "/orbel",
              "#!/bin/sh\n"
              "echo \"" +
                  tag + " $(pwd -P)\" > '" + recordFile +
                  ".part'\n"
                  "mv '" +
                  recordFile + ".part' '" + recordFile + "'\n",
              true);
}

OwnDisplay::OwnDisplay(int width, int height) {
    const char* old = std::getenv("DISPLAY");
    hadDisplay_ = old != nullptr;
    if (old) oldDisplay_ = old;
    int pipeFds[2];
    if (pipe(pipeFds) != 0) return;
    server_ = fork();
    if (server_ == 0) {
        close(pipeFds[0]);
        const std::string fd = std::to_string(pipeFds[1]);
        const std::string screen = std::to_string(width) + "x" + std::to_string(height) + "x24";
        execlp("Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-screen", "0", screen.c_str(),
               "-nolisten", "tcp", "-noreset", static_cast<char*>(nullptr));
        _exit(127);
    }
    close(pipeFds[1]);
    // The server may write the number and its line end separately; it dies if the pipe is
    // closed before it has written both.
    std::string number;
    char c = 0;
    ssize_t got = 0;
    while (server_ > 0 && ((got = read(pipeFds[0], &c, 1)) == 1 || (got < 0 && errno == EINTR)))
        if (got == 1) {
            if (c == '\n') break;
            number += c;
        }
    const bool started = !number.empty() && c == '\n';
    close(pipeFds[0]);
    if (started) {
        setenv("DISPLAY", (":" + number).c_str(), 1);
    } else if (server_ > 0) {
        waitpid(server_, nullptr, 0);
        server_ = -1;
    }
}

OwnDisplay::~OwnDisplay() {
    if (server_ <= 0) return;
    kill(server_, SIGTERM);
    waitpid(server_, nullptr, 0);
    if (hadDisplay_)
        setenv("DISPLAY", oldDisplay_.c_str(), 1);
    else
        unsetenv("DISPLAY");
}

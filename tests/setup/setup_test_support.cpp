#include "setup_test_support.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdlib>
#include <dirent.h>
#include <fstream>
#include <sstream>
#include <sys/stat.h>
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

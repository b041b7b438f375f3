// Valmora, a ski-jumping game. Copyright (C) 2026 the Valmora developers.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "fuzz_support.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

// A broken harness must not pass for a sound reader: every failure here stops the run.
[[noreturn]] void harnessFailed(const char* what) {
    std::fprintf(stderr, "fuzz harness: %s: %s\n", what, std::strerror(errno));
    std::abort();
}

void writeAll(int fd, const uint8_t* data, size_t size) {
    off_t offset = 0;
    while (size > 0) {
        ssize_t n = pwrite(fd, data, size, offset);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) harnessFailed("write");
        data += n;
        size -= static_cast<size_t>(n);
        offset += n;
    }
}

std::string gameFolder;

void emptyFolder(const std::string& folder) {
    if (DIR* dir = opendir(folder.c_str())) {
        while (dirent* entry = readdir(dir)) {
            if (std::strcmp(entry->d_name, ".") == 0 || std::strcmp(entry->d_name, "..") == 0)
                continue;
            unlink((folder + "/" + entry->d_name).c_str());
        }
        closedir(dir);
    }
}

void removeGameFolder() {
    if (gameFolder.empty()) return;
    const std::string data = gameFolder + "/Data";
    emptyFolder(data);
    rmdir(data.c_str());
    if (chdir("/") == 0) rmdir(gameFolder.c_str());
}

} // namespace

void fuzzCheckFailed(const char* file, int line, const char* condition) {
    std::fprintf(stderr, "%s:%d: check failed: %s\n", file, line, condition);
    std::abort();
}

std::string scratchRoot() {
    const char* tmp = std::getenv("TMPDIR");
    if (tmp && *tmp) return tmp;
    return access("/dev/shm", W_OK | X_OK) == 0 ? "/dev/shm" : "/tmp";
}

ScratchFile openScratchFile() {
    std::string name = scratchRoot() + "/valmora-fuzz-XXXXXX";
    ScratchFile file;
    file.fd = mkstemp(name.data());
    if (file.fd < 0) harnessFailed("mkstemp");
    if (unlink(name.c_str()) != 0) harnessFailed("unlink");
    file.path = "/proc/self/fd/" + std::to_string(file.fd);
    return file;
}

void rewriteScratchFile(const ScratchFile& file, const uint8_t* data, size_t size) {
    if (ftruncate(file.fd, 0) != 0) harnessFailed("ftruncate");
    writeAll(file.fd, data, size);
}

void enterScratchGameFolder(int* argc, char*** argv) {
    char* here = getcwd(nullptr, 0);
    if (!here) harnessFailed("getcwd");
    const std::string home = here;
    std::free(here);
    auto absolute = [&](const std::string& path) {
        return path.empty() || path[0] != '/' ? home + "/" + path : path;
    };
    // libFuzzer reads its arguments after this returns. Inputs and corpus folders are the
    // arguments without a dash; these flags name files too.
    static const char* const pathFlags[] = {"-artifact_prefix=", "-exact_artifact_path=", "-dict=",
                                            "-merge_control_file=", "-features_dir="};
    static std::vector<std::string> texts;
    static std::vector<char*> args;
    bool artifactsPlaced = false;
    texts.push_back((*argv)[0]);
    for (int i = 1; i < *argc; ++i) {
        std::string arg = (*argv)[i];
        if (!arg.empty() && arg[0] != '-') arg = absolute(arg);
        for (const char* flag : pathFlags) {
            const size_t n = std::strlen(flag);
            if (arg.compare(0, n, flag) != 0) continue;
            arg = flag + absolute(arg.substr(n));
            if (flag == pathFlags[0] || flag == pathFlags[1]) artifactsPlaced = true;
        }
        texts.push_back(arg);
    }
    if (!artifactsPlaced) texts.push_back("-artifact_prefix=" + home + "/");
    for (std::string& text : texts)
        args.push_back(text.data());
    args.push_back(nullptr);
    *argc = static_cast<int>(texts.size());
    *argv = args.data();

    std::string name = scratchRoot() + "/valmora-fuzz-XXXXXX";
    if (!mkdtemp(name.data())) harnessFailed("mkdtemp");
    gameFolder = name;
    std::atexit(removeGameFolder);
    if (mkdir((name + "/Data").c_str(), 0755) != 0) harnessFailed("mkdir Data");
    if (chdir(name.c_str()) != 0) harnessFailed("chdir");
}

void emptyScratchData() {
    if (gameFolder.empty()) harnessFailed("no scratch game folder");
    emptyFolder(gameFolder + "/Data");
}

void writeWholeFile(const char* relativePath, const uint8_t* data, size_t size) {
    int fd = open(relativePath, O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0) harnessFailed(relativePath);
    writeAll(fd, data, size);
    if (close(fd) != 0) harnessFailed("close");
}

bool readWholeFile(const char* relativePath, std::string* text) {
    FILE* f = std::fopen(relativePath, "rb");
    if (!f) return false;
    text->clear();
    char chunk[256];
    size_t n;
    while ((n = std::fread(chunk, 1, sizeof chunk, f)) > 0)
        text->append(chunk, n);
    const bool ok = !std::ferror(f);
    std::fclose(f);
    return ok;
}

// Valmora, a ski-jumping game. Copyright (C) 2026 the Valmora developers.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/game_folders.h"

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

#include "core/default_data.h"
#include "core/language.h"

// The installed data folder (share/) as seen from the installed programs' folder; the build
// works it out from the install layout.
#ifndef VALMORA_DATADIR_FROM_PROGRAMS
#define VALMORA_DATADIR_FROM_PROGRAMS "../../share"
#endif

namespace {

namespace fs = std::filesystem;

std::string textureFolderPath = "textures";
std::string textureLanguage;

bool isDirectory(const std::string& path) {
    struct stat st;
    return stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool usable(const char* value) {
    return value && value[0] == '/';
}

std::string accountHome() {
    long size = sysconf(_SC_GETPW_R_SIZE_MAX);
    std::vector<char> buffer(size > 0 ? static_cast<size_t>(size) : 16384);
    struct passwd entry;
    struct passwd* found = nullptr;
    if (getpwuid_r(getuid(), &entry, buffer.data(), buffer.size(), &found) != 0 || !found ||
        !found->pw_dir)
        return std::string();
    return found->pw_dir;
}

// Every missing folder of the path, each made private (0700) as the XDG rules ask.
bool makeFolders(const std::string& path, std::string* error) {
    std::string sofar;
    for (const auto& part : fs::path(path)) {
        sofar = (fs::path(sofar) / part).string();
        if (part == "/" || isDirectory(sofar)) continue;
        if (mkdir(sofar.c_str(), 0700) != 0 && !(errno == EEXIST && isDirectory(sofar))) {
            *error = "cannot create " + sofar + ": " + std::strerror(errno);
            return false;
        }
    }
    return true;
}

} // namespace

bool chooseGameFolders(const FolderInputs& in, GameFolders* out, std::string* error) {
    GameFolders f;
    f.programDir = in.programDir;
    const fs::path dir(in.programDir);
    f.portable = isDirectory((dir / "Data").string()) || isDirectory((dir / "textures").string());
    if (f.portable) {
        f.dataRoot = in.programDir;
        f.textures = (dir / "textures").string();
        f.icons = (dir / "icons").string();
        f.locale = (dir / "locale").string();
        *out = f;
        return true;
    }
    const fs::path share = (dir / VALMORA_DATADIR_FROM_PROGRAMS).lexically_normal();
    f.textures = (share / "valmora" / "textures").string();
    f.icons = (share / "icons").string();
    f.locale = (share / "locale").string();
    fs::path dataHome;
    if (usable(in.xdgDataHome))
        dataHome = in.xdgDataHome;
    else if (usable(in.home))
        dataHome = fs::path(in.home) / ".local" / "share";
    else if (!in.accountHome.empty() && in.accountHome[0] == '/')
        dataHome = fs::path(in.accountHome) / ".local" / "share";
    else {
        *error = "no home folder to keep the player's files in (HOME is not set)";
        return false;
    }
    f.dataRoot = (dataHome / "valmora").lexically_normal().string();
    // "/a/b/" would keep its trailing slash after the join.
    while (f.dataRoot.size() > 1 && f.dataRoot.back() == '/')
        f.dataRoot.pop_back();
    *out = f;
    return true;
}

std::string programDirectory() {
    char path[PATH_MAX];
    const ssize_t length = readlink("/proc/self/exe", path, sizeof path - 1);
    if (length <= 0) return std::string();
    std::string program(path, static_cast<size_t>(length));
    const size_t slash = program.rfind('/');
    if (slash == std::string::npos) return std::string();
    return slash == 0 ? std::string("/") : program.substr(0, slash);
}

bool enterGameFolders(const char* program, GameFolders* chosen) {
    FolderInputs in;
    in.programDir = programDirectory();
    if (in.programDir.empty()) {
        std::fprintf(stderr, "%s: cannot tell which folder the program is in\n", program);
        return false;
    }
    in.xdgDataHome = std::getenv("XDG_DATA_HOME");
    in.home = std::getenv("HOME");
    if (!usable(in.xdgDataHome) && !usable(in.home)) in.accountHome = accountHome();
    GameFolders f;
    std::string error;
    bool ok = chooseGameFolders(in, &f, &error);
    if (ok && !f.portable) ok = makeFolders(f.dataRoot, &error);
    if (ok) ok = makeDataFolderIfMissing(f.dataRoot, &error);
    if (ok && chdir(f.dataRoot.c_str()) != 0) {
        error = "cannot enter " + f.dataRoot + ": " + std::strerror(errno);
        ok = false;
    }
    if (!ok) {
        std::fprintf(stderr, "%s: %s\n", program, error.c_str());
        return false;
    }
    setUpLanguage(f.locale);
    setTextureFolder(f.textures);
    const std::string language = catalogueLanguage();
    const bool ownPictures = !language.empty() && isDirectory(f.textures + "/" + language);
    setTextureLanguage(ownPictures ? language : std::string());
    if (chosen) *chosen = f;
    return true;
}

const std::string& textureFolder() {
    return textureFolderPath;
}

void setTextureFolder(const std::string& folder) {
    textureFolderPath = folder;
}

void setTextureLanguage(const std::string& language) {
    textureLanguage = language;
}

const std::string& textureLanguageFolder() {
    return textureLanguage;
}

std::string textureFilePath(const std::string& folder, const std::string& language,
                            const char* stem) {
    const std::string file = std::string("/") + stem + ".stx";
    if (!language.empty()) {
        const std::string own = folder + "/" + language + file;
        if (access(own.c_str(), F_OK) == 0) return own;
    }
    return folder + file;
}

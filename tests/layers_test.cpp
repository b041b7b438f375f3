// Valmora, a ski-jumping game. Copyright (C) 2026 the Valmora developers.
// SPDX-License-Identifier: GPL-3.0-or-later
// The folders are layers: every include points down (or stays in its folder), the
// simulation sees no graphics, and only the platform layer and the launcher see the
// libraries they wrap.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

// Bottom first; folders of one rank may not include each other.
const std::map<std::string, int> kRank = {
    {"platform", 0}, {"core", 0},   {"render", 1}, {"sound", 1}, {"jump", 2}, {"score", 3},
    {"contest", 4},  {"camera", 5}, {"figure", 6}, {"venue", 7}, {"game", 8},
};

struct Include {
    std::string file;
    int line;
    std::string target; // as written, without the quotes or brackets
    bool angled;
};

std::vector<Include> includesUnder(const std::string& folder) {
    static const std::regex include(R"(^\s*#\s*include\s*([<"])([^>"]+)[>"])");
    std::vector<Include> out;
    const fs::path root = fs::path(SOURCE_DIR) / folder;
    if (!fs::exists(root)) return out;
    for (const auto& e : fs::recursive_directory_iterator(root)) {
        const std::string ext = e.path().extension().string();
        if (ext != ".cpp" && ext != ".h") continue;
        std::ifstream in(e.path());
        std::string text;
        for (int n = 1; std::getline(in, text); ++n) {
            std::smatch m;
            if (std::regex_search(text, m, include))
                out.push_back({folder + "/" + e.path().filename().string(), n, m[2], m[1] == "<"});
        }
    }
    return out;
}

std::string folderOf(const std::string& target) {
    const size_t slash = target.find('/');
    return slash == std::string::npos ? "" : target.substr(0, slash);
}

bool startsWith(const std::string& s, const char* prefix) {
    return s.rfind(prefix, 0) == 0;
}

bool graphicsHeader(const Include& i) {
    return (i.angled && (startsWith(i.target, "GL/") || startsWith(i.target, "SDL"))) ||
           folderOf(i.target) == "render" || folderOf(i.target) == "platform";
}

bool wrappedLibrary(const Include& i) {
    return i.angled && (startsWith(i.target, "SDL") || startsWith(i.target, "X11/") ||
                        startsWith(i.target, "ft2build") || startsWith(i.target, "freetype") ||
                        startsWith(i.target, "fontconfig") || startsWith(i.target, "gtk") ||
                        startsWith(i.target, "gdk") || startsWith(i.target, "glib"));
}

std::string where(const Include& i) {
    return i.file + ":" + std::to_string(i.line) + " includes " + i.target;
}

} // namespace

TEST(Layers, EveryIncludePointsDownOrStaysInItsFolder) {
    int seen = 0;
    for (const auto& [folder, rank] : kRank)
        for (const Include& i : includesUnder(folder)) {
            if (i.angled) continue;
            ++seen;
            const auto target = kRank.find(folderOf(i.target));
            ASSERT_NE(target, kRank.end()) << where(i) << ": not a layer";
            if (target->first == folder) continue;
            EXPECT_LT(target->second, rank) << where(i);
        }
    EXPECT_GT(seen, 100) << "the check found the sources";
}

TEST(Layers, TheSimulationSeesNoGraphics) {
    for (const char* folder : {"core", "jump", "score", "contest", "camera"})
        for (const Include& i : includesUnder(folder))
            EXPECT_FALSE(graphicsHeader(i)) << where(i);
}

TEST(Layers, TheRendererIsHandedWhatTheSettingsChoose) {
    for (const Include& i : includesUnder("render"))
        EXPECT_NE(i.target, "core/settings.h") << where(i);
}

TEST(Layers, OnlyThePlatformLayerAndTheLauncherSeeTheLibrariesTheyWrap) {
    std::vector<std::string> folders = {"setup", "assets", "bench"};
    for (const auto& [folder, rank] : kRank)
        folders.push_back(folder);
    int wrapped = 0;
    for (const std::string& folder : folders)
        for (const Include& i : includesUnder(folder)) {
            if (!wrappedLibrary(i)) continue;
            ++wrapped;
            const bool gtk = startsWith(i.target, "gtk") || startsWith(i.target, "gdk") ||
                             startsWith(i.target, "glib");
            EXPECT_EQ(folder, gtk ? "setup" : "platform") << where(i);
        }
    EXPECT_GT(wrapped, 0) << "the check found the wrapped libraries";
}

TEST(Layers, TheLauncherSharesOnlyTheSettingsAndTheirFolders) {
    // ... and the one writer of every file the programs keep, and the texts' catalogue, which
    // both programs set up in the same way.
    const std::set<std::string> shared = {"core/settings.h", "core/default_data.h",
                                          "core/game_folders.h", "core/file_io.h",
                                          "core/language.h"};
    for (const Include& i : includesUnder("setup")) {
        if (i.angled) continue;
        const std::string folder = folderOf(i.target);
        EXPECT_TRUE(folder == "setup" || shared.count(i.target)) << where(i);
    }
}

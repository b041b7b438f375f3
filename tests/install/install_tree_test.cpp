// Valmora, a ski-jumping game. Copyright (C) 2026 the Valmora developers.
// SPDX-License-Identifier: GPL-3.0-or-later
// What `cmake --install` puts under a prefix, installed with DESTDIR into a temporary folder
// and looked at as a desktop and a package manager would.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "render/texture_list.h"

namespace fs = std::filesystem;

namespace {

const std::string kPrefix = "/usr";
const int kIconSizes[] = {16, 32, 48, 64, 128, 256};

std::string readAll(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Exit status and everything the command printed.
int run(const std::string& command, std::string* output = nullptr) {
    std::string text;
    FILE* pipe = popen((command + " 2>&1").c_str(), "r");
    if (!pipe) return -1;
    char buffer[512];
    while (std::fgets(buffer, sizeof buffer, pipe))
        text += buffer;
    const int status = pclose(pipe);
    if (output) *output = text;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

bool haveCommand(const std::string& name) {
    return run("command -v " + name) == 0;
}

// One install for the whole program, into a folder removed at the end.
class InstallTree : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        char pattern[] = "/tmp/valmora-install-XXXXXX";
        if (!mkdtemp(pattern)) return;
        destdir_ = new std::string(pattern);
        status_ = run("DESTDIR='" + *destdir_ +
                          "' '" CMAKE_COMMAND "' --install '" BUILD_DIR "' --prefix " + kPrefix,
                      &log_);
    }
    static void TearDownTestSuite() {
        std::error_code ec;
        if (destdir_) fs::remove_all(*destdir_, ec);
        delete destdir_;
        destdir_ = nullptr;
    }
    void SetUp() override {
        ASSERT_NE(destdir_, nullptr);
        ASSERT_EQ(status_, 0) << log_;
    }
    // A path under the prefix, as installed.
    static fs::path at(const std::string& relative) {
        return fs::path(*destdir_ + kPrefix) / relative;
    }

    static std::string* destdir_;
    static std::string log_;
    static int status_;
};

std::string* InstallTree::destdir_ = nullptr;
std::string InstallTree::log_;
int InstallTree::status_ = -1;

// The keys of one group of a desktop entry.
std::map<std::string, std::string> desktopGroup(const std::string& text, const std::string& group) {
    std::map<std::string, std::string> keys;
    std::istringstream in(text);
    std::string line;
    bool inside = false;
    while (std::getline(in, line)) {
        if (!line.empty() && line[0] == '[') {
            inside = line == "[" + group + "]";
            continue;
        }
        const size_t eq = line.find('=');
        if (inside && eq != std::string::npos) keys[line.substr(0, eq)] = line.substr(eq + 1);
    }
    return keys;
}

// Width and height from a PNG file's header.
std::pair<int, int> pngSize(const std::string& bytes) {
    if (bytes.size() < 24 || bytes.compare(1, 3, "PNG") != 0 || bytes.compare(12, 4, "IHDR") != 0)
        return {-1, -1};
    auto be32 = [&](size_t at) {
        return (static_cast<unsigned char>(bytes[at]) << 24) |
               (static_cast<unsigned char>(bytes[at + 1]) << 16) |
               (static_cast<unsigned char>(bytes[at + 2]) << 8) |
               static_cast<unsigned char>(bytes[at + 3]);
    };
    return {be32(16), be32(20)};
}

} // namespace

TEST_F(InstallTree, HoldsExactlyTheProgramsCommandsPicturesAndDesktopFiles) {
    std::set<std::string> expected = {
        "bin/valmora",
        "bin/valmora-play",
        std::string(PROGRAM_DIR) + "/orbel",
        std::string(PROGRAM_DIR) + "/setup",
        "share/applications/" DESKTOP_FILE,
        "share/metainfo/" METAINFO_FILE,
        "share/man/man6/valmora.6.gz",
        "share/man/man6/valmora-play.6.gz",
        "share/man/pl/man6/valmora.6.gz",
        "share/man/pl/man6/valmora-play.6.gz",
        "share/doc/valmora/changelog.gz",
        "share/lintian/overrides/valmora",
        "share/doc/valmora/copyright",
        "share/locale/en/LC_MESSAGES/valmora.mo",
        "share/locale/pl/LC_MESSAGES/valmora.mo",
    };
    for (const char* stem : {"wall2", "but2", "but2light"})
        expected.insert(std::string("share/valmora/textures/en/") + stem + ".stx");
    for (const TextureEntry& e : kTextureList)
        expected.insert(std::string("share/valmora/textures/") + e.stem + ".stx");
    for (int size : kIconSizes)
        expected.insert("share/icons/hicolor/" + std::to_string(size) + "x" + std::to_string(size) +
                        "/apps/valmora.png");
    std::set<std::string> found;
    for (const auto& e : fs::recursive_directory_iterator(at(""))) {
        if (e.is_directory() && !e.is_symlink()) continue;
        found.insert(e.path().lexically_relative(at("")).string());
    }
    for (const std::string& name : expected)
        EXPECT_TRUE(found.count(name)) << "missing: " << name;
    for (const std::string& name : found)
        EXPECT_TRUE(expected.count(name)) << "not ours: " << name;
    EXPECT_EQ(expected.size(), 15u + 67u + 3u + 6u);
}

TEST_F(InstallTree, TheCommandsLeadToTheProgramsAndNothingIsWritableByPlayers) {
    const std::pair<const char*, const char*> commands[] = {{"bin/valmora", "setup"},
                                                            {"bin/valmora-play", "orbel"}};
    for (const auto& [command, program] : commands) {
        SCOPED_TRACE(command);
        ASSERT_TRUE(fs::is_symlink(at(command)));
        EXPECT_TRUE(fs::path(fs::read_symlink(at(command))).is_relative())
            << "a relative link works under any prefix and DESTDIR";
        EXPECT_EQ(fs::canonical(at(command)), fs::canonical(at(PROGRAM_DIR) / program));
        EXPECT_EQ(readAll(at(PROGRAM_DIR) / program).substr(0, 4), "\x7f"
                                                                   "ELF");
    }
    for (const auto& e : fs::recursive_directory_iterator(at(""))) {
        if (e.is_symlink()) continue;
        struct stat st;
        ASSERT_EQ(stat(e.path().c_str(), &st), 0);
        const std::string name = e.path().lexically_relative(at("")).string();
        const bool program = name.rfind(PROGRAM_DIR "/", 0) == 0;
        const mode_t want = e.is_directory() || program ? 0755 : 0644;
        EXPECT_EQ(st.st_mode & 07777, want) << name;
    }
}

TEST_F(InstallTree, TheTexturesAreTheBuiltOnesAndNoPlayerDataIsInstalled) {
    for (const TextureEntry& e : kTextureList) {
        SCOPED_TRACE(e.stem);
        const std::string name = std::string(e.stem) + ".stx";
        const std::string built = readAll(fs::path(GAME_DIR) / "textures" / name);
        ASSERT_FALSE(built.empty());
        EXPECT_TRUE(readAll(at("share/valmora/textures") / name) == built);
    }
    for (const auto& e : fs::recursive_directory_iterator(at("")))
        EXPECT_NE(e.path().filename(), "Data") << e.path();
}

TEST_F(InstallTree, TheIconComesInEveryThemeSizeAsThePngItsPathSays) {
    for (int size : kIconSizes) {
        SCOPED_TRACE(size);
        const std::string pixels = std::to_string(size) + "x" + std::to_string(size);
        EXPECT_EQ(pngSize(readAll(at("share/icons/hicolor/" + pixels + "/apps/valmora.png"))),
                  std::make_pair(size, size));
    }
}

TEST_F(InstallTree, TheDesktopEntryStartsTheLauncherAndHasAPolishPlayAction) {
    const std::string text = readAll(at("share/applications/" DESKTOP_FILE));
    const auto entry = desktopGroup(text, "Desktop Entry");
    EXPECT_EQ(entry.at("Type"), "Application");
    EXPECT_EQ(entry.at("Name"), "Valmora");
    EXPECT_NE(entry.at("Comment").find("Skoki narciarskie"), std::string::npos);
    EXPECT_EQ(entry.at("Exec"), "valmora");
    EXPECT_EQ(entry.at("Icon"), "valmora");
    EXPECT_EQ(entry.at("Categories"), "Game;SportsGame;");
    EXPECT_EQ(entry.at("Actions"), "graj;");
    const auto play = desktopGroup(text, "Desktop Action graj");
    EXPECT_EQ(play.at("Name"), "Graj");
    EXPECT_EQ(play.at("Exec"), "valmora-play");
    // Every command named is installed on the PATH, and the icon in the theme.
    for (const std::string& command : {entry.at("Exec"), entry.at("TryExec"), play.at("Exec")})
        EXPECT_TRUE(fs::exists(at("bin/" + command))) << command;
    EXPECT_TRUE(fs::exists(at("share/icons/hicolor/48x48/apps/" + entry.at("Icon") + ".png")));

    ASSERT_TRUE(haveCommand("desktop-file-validate")) << "install desktop-file-utils";
    std::string said;
    EXPECT_EQ(run("desktop-file-validate '" + at("share/applications/" DESKTOP_FILE).string() + "'",
                  &said),
              0)
        << said;
    EXPECT_EQ(said, "") << "not even a hint";
}

TEST_F(InstallTree, TheMetainfoNamesTheDesktopEntryAndValidates) {
    const std::string text = readAll(at("share/metainfo/" METAINFO_FILE));
    std::smatch id;
    ASSERT_TRUE(std::regex_search(text, id, std::regex("<id>([^<]+)</id>")));
    EXPECT_EQ(id[1].str() + ".desktop", DESKTOP_FILE);
    EXPECT_NE(text.find("<launchable type=\"desktop-id\">" DESKTOP_FILE "</launchable>"),
              std::string::npos);
    // An English summary (the untranslated one) and a Polish one.
    EXPECT_TRUE(std::regex_search(text, std::regex("<summary>[A-Z][^<]+</summary>")));
    EXPECT_TRUE(std::regex_search(text, std::regex("<summary xml:lang=\"pl\">[^<]+</summary>")));
    // The screenshot's stated size is that of the picture we publish.
    std::smatch image;
    ASSERT_TRUE(std::regex_search(
        text, image, std::regex("<image type=\"source\" width=\"(\\d+)\" height=\"(\\d+)\">")));
    EXPECT_EQ(pngSize(readAll(fs::path(SOURCE_DIR) / "dist/screenshot.png")),
              std::make_pair(std::stoi(image[1]), std::stoi(image[2])));

    ASSERT_TRUE(haveCommand("appstreamcli")) << "install appstream";
    std::string said;
    // --no-net: the screenshot's address is checked for its form, not fetched.
    EXPECT_EQ(
        run("appstreamcli validate --no-net '" + at("share/metainfo/" METAINFO_FILE).string() + "'",
            &said),
        0)
        << said;
}

TEST_F(InstallTree, EachCommandHasAManPageInEnglishAndPolish) {
    for (const std::string language : {"", "pl/"})
        for (const std::string command : {"valmora", "valmora-play"}) {
            const fs::path page = at("share/man/" + language + "man6/" + command + ".6.gz");
            SCOPED_TRACE(page.string());
            std::string text;
            ASSERT_EQ(run("gzip -dc '" + page.string() + "'", &text), 0) << text;
            // The title and the name line whatis and apropos read.
            std::string upper = command;
            for (char& c : upper)
                c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
            std::string title = ".TH " + upper;
            title = std::regex_replace(title, std::regex("-"), "\\-");
            EXPECT_EQ(text.rfind(title + " 6 ", 0), 0u) << text.substr(0, 80);
            std::string name = std::regex_replace(command, std::regex("-"), "\\-");
            EXPECT_NE(text.find("\n" + name + " \\- "), std::string::npos);
            EXPECT_NE(text.find("share/valmora/textures/"), std::string::npos);
            EXPECT_EQ(text.find('@'), std::string::npos) << "nothing left unfilled";
        }
}

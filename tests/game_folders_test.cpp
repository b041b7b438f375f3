// Valmora, a ski-jumping game. Copyright (C) 2026 the Valmora developers.
// SPDX-License-Identifier: GPL-3.0-or-later
// Which folders the programs use, portable or installed, and the first Data/ a player gets.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "support/text_files.h"
#include "core/default_data.h"
#include "core/game_folders.h"

namespace fs = std::filesystem;

namespace {

class Scratch {
  public:
    Scratch() {
        char pattern[] = "/tmp/valmora-folders-XXXXXX";
        const char* made = mkdtemp(pattern);
        if (!made) std::abort();
        root_ = made;
    }
    ~Scratch() {
        std::error_code ec;
        fs::permissions(root_, fs::perms::owner_all, ec);
        fs::remove_all(root_, ec);
    }
    Scratch(const Scratch&) = delete;
    Scratch& operator=(const Scratch&) = delete;
    std::string operator/(const std::string& sub) const { return root_ + "/" + sub; }
    const std::string& path() const { return root_; }

  private:
    std::string root_;
};

std::map<std::string, std::string> folderContents(const std::string& dir) {
    std::map<std::string, std::string> files;
    if (!fs::is_directory(dir)) return files;
    for (const auto& e : fs::directory_iterator(dir))
        files[e.path().filename().string()] =
            fs::is_directory(e.path()) ? "<dir>" : readText(e.path().string());
    return files;
}

std::map<std::string, std::string> defaults() {
    std::map<std::string, std::string> files;
    for (int i = 0; i < kDefaultDataCount; ++i)
        files[kDefaultData[i].name] = kDefaultData[i].text;
    return files;
}

// A program folder as the install lays it out under a prefix.
std::string installedProgramDir(const Scratch& prefix) {
    const std::string dir = prefix / INSTALL_LIBEXECDIR "/valmora";
    fs::create_directories(dir);
    return dir;
}

GameFolders choose(const FolderInputs& in) {
    GameFolders f;
    std::string error;
    EXPECT_TRUE(chooseGameFolders(in, &f, &error)) << error;
    return f;
}

} // namespace

TEST(GameFolders, ADataOrTexturesFolderBesideTheProgramsMakesAPortableCopy) {
    for (const char* beside : {"Data", "textures"}) {
        SCOPED_TRACE(beside);
        Scratch copy;
        fs::create_directory(copy / beside);
        FolderInputs in;
        in.programDir = copy.path();
        in.xdgDataHome = "/somewhere/else";
        in.home = "/home/player";
        const GameFolders f = choose(in);
        EXPECT_TRUE(f.portable);
        EXPECT_EQ(f.dataRoot, copy.path());
        EXPECT_EQ(f.textures, copy / "textures");
        EXPECT_EQ(f.icons, copy / "icons");
        EXPECT_EQ(f.locale, copy / "locale");
    }
    // A plain file of either name marks nothing.
    Scratch copy;
    writeText(copy / "Data", "");
    writeText(copy / "textures", "");
    FolderInputs in;
    in.programDir = copy.path();
    in.home = "/home/player";
    EXPECT_FALSE(choose(in).portable);
}

TEST(GameFolders, AnInstalledCopyReadsThePrefixAndKeepsThePlayersFilesInTheirDataHome) {
    Scratch prefix;
    FolderInputs in;
    in.programDir = installedProgramDir(prefix);
    in.xdgDataHome = "/home/player/data";
    in.home = "/home/player";
    const GameFolders f = choose(in);
    EXPECT_FALSE(f.portable);
    EXPECT_EQ(f.dataRoot, "/home/player/data/valmora");
    EXPECT_EQ(f.textures, prefix / INSTALL_DATADIR "/valmora/textures");
    EXPECT_EQ(f.icons, prefix / INSTALL_DATADIR "/icons");
    EXPECT_EQ(f.locale, prefix / INSTALL_DATADIR "/locale");
    EXPECT_EQ(f.programDir, in.programDir);
}

TEST(GameFolders, WithoutAUsableDataHomeTheHomeFoldersLocalShareIsUsed) {
    Scratch prefix;
    const struct {
        const char* xdg;
        const char* home;
        const char* account;
        const char* root;
    } cases[] = {
        {nullptr, "/home/player", "/home/account", "/home/player/.local/share/valmora"},
        {"", "/home/player", "", "/home/player/.local/share/valmora"},
        // Relative paths in the variables are ignored.
        {"data", "/home/player", "", "/home/player/.local/share/valmora"},
        {"/xdg/", "/home/player", "", "/xdg/valmora"},
        {nullptr, nullptr, "/home/account", "/home/account/.local/share/valmora"},
        {nullptr, "player", "/home/account", "/home/account/.local/share/valmora"},
        {"/", nullptr, "", "/valmora"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.xdg ? c.xdg : "(unset)") + " " + (c.home ? c.home : "(unset)"));
        FolderInputs in;
        in.programDir = installedProgramDir(prefix);
        in.xdgDataHome = c.xdg;
        in.home = c.home;
        in.accountHome = c.account;
        EXPECT_EQ(choose(in).dataRoot, c.root);
    }
}

TEST(GameFolders, NoHomeAtAllIsAFailureWithAReason) {
    Scratch prefix;
    FolderInputs in;
    in.programDir = installedProgramDir(prefix);
    in.home = "relative";
    GameFolders f;
    std::string error;
    EXPECT_FALSE(chooseGameFolders(in, &f, &error));
    EXPECT_NE(error.find("HOME"), std::string::npos) << error;
}

TEST(GameFolders, ProgramDirectoryIsWhereThisProgramLives) {
    const std::string dir = programDirectory();
    ASSERT_FALSE(dir.empty());
    EXPECT_EQ(dir.front(), '/');
    EXPECT_TRUE(fs::exists(dir + "/game_folders_test"));
}

TEST(FirstDataFolder, AppearsCompleteWithTheDefaultsAndIsLeftAloneAfterwards) {
    Scratch root;
    std::string error;
    ASSERT_TRUE(makeDataFolderIfMissing(root.path(), &error)) << error;
    EXPECT_EQ(folderContents(root / "Data"), defaults());
    EXPECT_EQ(folderContents(root.path()), (std::map<std::string, std::string>{{"Data", "<dir>"}}))
        << "no temporary folder is left behind";
    // Same as the build's own default Data.
    Scratch built;
    ASSERT_TRUE(writeDefaultData(built.path(), &error)) << error;
    EXPECT_EQ(folderContents(root / "Data"), folderContents(built / "Data"));

    // The player's changes, a file gone among them, survive the next start.
    writeText(root / "Data/hill.dat", "3");
    writeText(root / "Data/record1.dat", "141");
    writeText(root / "Data/kopytko.cfg", "846");
    fs::remove(root / "Data/det.dat");
    std::map<std::string, std::string> expected = defaults();
    expected["hill.dat"] = "3";
    expected["record1.dat"] = "141";
    expected["kopytko.cfg"] = "846";
    expected.erase("det.dat");
    ASSERT_TRUE(makeDataFolderIfMissing(root.path(), &error)) << error;
    EXPECT_EQ(folderContents(root / "Data"), expected);
}

TEST(FirstDataFolder, SomethingElseByThatNameIsAFailureAndStaysAsItWas) {
    Scratch root;
    writeText(root / "Data", "not a folder");
    std::string error;
    EXPECT_FALSE(makeDataFolderIfMissing(root.path(), &error));
    EXPECT_NE(error.find("not a folder"), std::string::npos) << error;
    EXPECT_EQ(readText(root / "Data"), "not a folder");

    // A root that is no folder: nothing can be made in it.
    error.clear();
    EXPECT_FALSE(makeDataFolderIfMissing(root / "Data", &error));
    EXPECT_FALSE(error.empty());
    EXPECT_EQ(readText(root / "Data"), "not a folder");
}

TEST(FirstDataFolder, ProgramsStartingTogetherAllGetOneCompleteFolder) {
    for (int round = 0; round < 5; ++round) {
        Scratch root;
        std::vector<pid_t> children;
        for (int i = 0; i < 6; ++i) {
            const pid_t pid = fork();
            if (pid == 0) {
                std::string error;
                const bool made = makeDataFolderIfMissing(root.path(), &error);
                // Each one finds a complete folder the moment it returns.
                _exit(made && folderContents(root / "Data") == defaults() ? 0 : 1);
            }
            children.push_back(pid);
        }
        for (pid_t pid : children) {
            int status = 0;
            ASSERT_EQ(waitpid(pid, &status, 0), pid);
            EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "round " << round;
        }
        EXPECT_EQ(folderContents(root.path()).size(), 1u) << "only Data, no leftovers";
    }
}

TEST(FirstDataFolder, ALaterStartRemovesOnlyTheLeftoversOfStoppedFirstStarts) {
    for (const bool withData : {false, true}) {
        Scratch root;
        if (withData) fs::create_directory(root / "Data");
        // name -> what it holds ("" none); whether a start removes it
        const struct {
            const char* name;
            const char* file;
            bool removed;
        } cases[] = {
            {".Data-Ab3xY9", "hill.dat", true},   {".Data-000000", "", true},
            {".Data-Ab3xY", "hill.dat", false}, // not mkdtemp's six characters
            {".Data-Ab3xY9x", "hill.dat", false}, {".Data-Ab_xY9", "hill.dat", false},
            {".Data-Qw3rty", "notes.txt", false}, // a file no start writes
            {"Data-Ab3xY9", "hill.dat", false},
        };
        for (const auto& c : cases) {
            fs::create_directory(root / c.name);
            if (*c.file) writeText(root / (std::string(c.name) + "/" + c.file), "2");
        }
        writeText(root / ".Data-file00", "a file, not a folder");
        std::string error;
        ASSERT_TRUE(makeDataFolderIfMissing(root.path(), &error)) << error;
        for (const auto& c : cases)
            EXPECT_EQ(fs::exists(root / c.name), !c.removed) << c.name;
        EXPECT_EQ(readText(root / ".Data-file00"), "a file, not a folder");
        EXPECT_EQ(folderContents(root / "Data").size(), withData ? 0u : defaults().size());
    }
}

TEST(EnterGameFolders, AnInstalledProgramWorksInItsNewPrivateDataRoot) {
    // This test program has neither Data/ nor textures/ beside it: it counts as installed.
    ASSERT_FALSE(fs::exists(programDirectory() + "/Data"));
    ASSERT_FALSE(fs::exists(programDirectory() + "/textures"));
    Scratch home;
    const std::string dataHome = home / "deep/er/share";
    const char* oldXdg = std::getenv("XDG_DATA_HOME");
    const std::string savedXdg = oldXdg ? oldXdg : "";
    const fs::path oldCwd = fs::current_path();
    const std::string oldTextures = textureFolder();
    setenv("XDG_DATA_HOME", dataHome.c_str(), 1);

    GameFolders f;
    EXPECT_TRUE(enterGameFolders("game_folders_test", &f));
    EXPECT_EQ(fs::current_path().string(), dataHome + "/valmora");
    EXPECT_EQ(folderContents("Data"), defaults());
    EXPECT_EQ(textureFolder(), f.textures);
    // The folders made on the way are the player's alone.
    for (const std::string& made : {home / "deep", dataHome, dataHome + "/valmora"}) {
        struct stat st;
        ASSERT_EQ(stat(made.c_str(), &st), 0) << made;
        EXPECT_EQ(st.st_mode & 0777, 0700u) << made;
    }

    fs::current_path(oldCwd);
    setTextureFolder(oldTextures);
    if (oldXdg)
        setenv("XDG_DATA_HOME", savedXdg.c_str(), 1);
    else
        unsetenv("XDG_DATA_HOME");
}

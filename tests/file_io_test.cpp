// Valmora, a ski-jumping game. Copyright (C) 2026 the Valmora developers.
// SPDX-License-Identifier: GPL-3.0-or-later
// The one writer of the programs' files, over every kind of target it can meet.
#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

#include "support/text_files.h"
#include "core/file_io.h"

namespace fs = std::filesystem;

namespace {

ssize_t diskFull(int, const void*, size_t) {
    errno = ENOSPC;
    return -1;
}

class Writer : public ::testing::Test {
  protected:
    void SetUp() override {
        char pattern[] = "/tmp/valmora-writer-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        root = pattern;
        file = root + "/hints.dat";
    }
    void TearDown() override {
        setWriteCall(nullptr);
        std::error_code ec;
        fs::permissions(root, fs::perms::owner_all, ec);
        fs::remove_all(root, ec);
    }
    std::string root, file;
};

TEST_F(Writer, EveryKindOfTargetIsReplacedWholeOrRefusedAsItWas) {
    struct Case {
        const char* name;
        std::function<void(const std::string&, const std::string&)> make; // (file, root)
        bool written;
        const char* polish;     // the cause the player is told, when refused
        const char* afterwards; // what the target's path holds then ("<dir>", "<fifo>", text)
    };
    const Case cases[] = {
        {"regular file", [](auto& f, auto&) { writeText(f, "old longer text"); }, true, "", "new"},
        {"missing file", [](auto&, auto&) {}, true, "", "new"},
        {"symbolic link",
         [](auto& f, auto& r) {
             writeText(r + "/target", "target's own");
             fs::create_symlink(r + "/target", f);
         },
         true, "", "new"},
        {"FIFO", [](auto& f, auto&) { mkfifo(f.c_str(), 0644); }, false, "to nie jest plik",
         "<fifo>"},
        {"folder", [](auto& f, auto&) { fs::create_directory(f); }, false, "to nie jest plik",
         "<dir>"},
        {"leftover temporary file", [](auto& f, auto&) { writeText(f + ".tmp", "half"); }, true, "",
         "new"},
        {"folder in the temporary's place",
         [](auto& f, auto&) {
             writeText(f, "old");
             fs::create_directory(f + ".tmp");
         },
         false, "plik tymczasowy zajęty", "old"},
        {"full disk",
         [](auto& f, auto&) {
             writeText(f, "old");
             setWriteCall(diskFull);
         },
         false, "brak miejsca na dysku", "old"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TearDown();
        SetUp();
        c.make(file, root);
        const WriteResult result = replaceFile(file, "new");
        setWriteCall(nullptr);
        EXPECT_EQ(result.ok(), c.written) << result.reason;
        if (!c.written) {
            EXPECT_STREQ(writeFailurePolish(result), c.polish);
            EXPECT_NE(writeFailureText(file.c_str(), result).find(file + ": "), std::string::npos);
        }
        const fs::file_status st = fs::symlink_status(file);
        const std::string holds = fs::is_fifo(st)        ? "<fifo>"
                                  : fs::is_directory(st) ? "<dir>"
                                                         : readText(file);
        EXPECT_EQ(holds, c.afterwards);
        EXPECT_FALSE(fs::is_symlink(st)) << "a link is replaced, never followed";
        if (fs::exists(root + "/target")) {
            EXPECT_EQ(readText(root + "/target"), "target's own");
        }
        // Only a folder that was there before stays in the temporary's place.
        EXPECT_EQ(fs::exists(file + ".tmp"),
                  std::string(c.name) == "folder in the temporary's place");
    }
}

TEST_F(Writer, AReadOnlyFolderIsRefusedAndTheOldFileKept) {
    if (geteuid() == 0) GTEST_SKIP() << "root writes into read-only folders; needs a user";
    writeText(file, "old");
    fs::permissions(root, fs::perms::owner_read | fs::perms::owner_exec);
    const WriteResult result = replaceFile(file, "new");
    EXPECT_FALSE(result.ok());
    EXPECT_STREQ(writeFailurePolish(result), "brak uprawnień");
    EXPECT_EQ(readText(file), "old");
}

} // namespace

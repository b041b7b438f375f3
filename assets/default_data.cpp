#include "assets/default_data.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>

const DataFile kDefaultData[] = {
    {"resx.dat", "800"},   {"resy.dat", "600"},   {"tf.dat", "2"},       {"dR.dat", "4"},
    {"dG.dat", "5"},       {"dB.dat", "6"},       {"fog.dat", "7"},      {"winsum.dat", "0"},
    {"opad.dat", "1"},     {"det.dat", "3"},      {"hill.dat", "1"},     {"suitR.dat", "199"},
    {"suitG.dat", "0"},    {"suitB.dat", "0"},    {"helmR.dat", "199"},  {"helmG.dat", "199"},
    {"helmB.dat", "199"},  {"skiR.dat", "0.0"},   {"skiG.dat", "0.0"},   {"skiB.dat", "199.0"},
    {"record1.dat", "00"}, {"record2.dat", "00"}, {"record3.dat", "00"},
};
const int kDefaultDataCount = sizeof(kDefaultData) / sizeof(kDefaultData[0]);

bool writeDefaultData(const std::string& gameDir, std::string* error) {
    namespace fs = std::filesystem;
    fs::path dir = fs::path(gameDir) / "Data";
    std::error_code ec;
    fs::create_directories(dir, ec);
    if (ec) {
        *error = "cannot create " + dir.string() + ": " + ec.message();
        return false;
    }
    for (int i = 0; i < kDefaultDataCount; ++i) {
        fs::path path = dir / kDefaultData[i].name;
        // Exclusive create: an existing file (the player's) is never opened for writing.
        FILE* f = std::fopen(path.c_str(), "wbx");
        if (!f) {
            if (errno == EEXIST) continue;
            *error = "cannot create " + path.string() + ": " + std::strerror(errno);
            return false;
        }
        size_t len = std::strlen(kDefaultData[i].text);
        bool ok = std::fwrite(kDefaultData[i].text, 1, len, f) == len;
        ok = std::fclose(f) == 0 && ok;
        if (!ok) {
            *error = "cannot write " + path.string();
            return false;
        }
    }
    return true;
}

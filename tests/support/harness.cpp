#include "support/harness.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <unistd.h>

#include "camera/views.h"
#include "game/app.h"
#include "game/game_step.h"
#include "game/scene_setup.h"
#include "core/settings.h"
#include "jump/jump_state.h"
#include "render/gl.h"

namespace fs = std::filesystem;

TempGameDir::TempGameDir(bool copyTextures) {
    char tmpl[] = "/tmp/valmora-test-XXXXXX";
    char* made = mkdtemp(tmpl);
    if (!made) std::abort();
    root_ = made;
    oldCwd_ = fs::current_path().string();
    fs::create_directories(root_ + "/Data");
    fs::create_directories(root_ + "/textures");
    fs::path built = fs::path(GAME_DIR) / "textures";
    if (copyTextures && fs::exists(built)) {
        for (const auto& e : fs::directory_iterator(built))
            fs::copy_file(e.path(), fs::path(root_) / "textures" / e.path().filename());
        texturesCopied_ = !fs::is_empty(root_ + "/textures");
    }
    fs::current_path(root_);
}

TempGameDir::~TempGameDir() {
    fs::current_path(oldCwd_);
    std::error_code ec;
    fs::remove_all(root_, ec);
}

void TempGameDir::writeData(const std::string& name, const std::string& text) const {
    std::ofstream out(root_ + "/Data/" + name, std::ios::binary | std::ios::trunc);
    out << text;
}

std::string TempGameDir::readData(const std::string& name) const {
    std::ifstream in(root_ + "/Data/" + name, std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

bool TempGameDir::dataExists(const std::string& name) const {
    return fs::exists(root_ + "/Data/" + name);
}

void TempGameDir::removeData(const std::string& name) const {
    std::error_code ec;
    fs::remove(root_ + "/Data/" + name, ec);
}

void TempGameDir::writeDefaults() const {
    writeData("resx.dat", "800");
    writeData("resy.dat", "600");
    writeData("tf.dat", "2");
    writeData("dR.dat", "4");
    writeData("dG.dat", "5");
    writeData("dB.dat", "6");
    writeData("fog.dat", "7");
    writeData("winsum.dat", "0");
    writeData("opad.dat", "1");
    writeData("det.dat", "3");
    writeData("hill.dat", "1");
    writeData("suitR.dat", "199");
    writeData("suitG.dat", "0");
    writeData("suitB.dat", "0");
    writeData("helmR.dat", "199");
    writeData("helmG.dat", "199");
    writeData("helmB.dat", "199");
    writeData("skiR.dat", "0.0");
    writeData("skiG.dat", "0.0");
    writeData("skiB.dat", "199.0");
    writeData("record1.dat", "00");
    writeData("record2.dat", "00");
    writeData("record3.dat", "00");
}

void TempGameDir::configure(int hill, int detail, int seasonValue, int lighting, int speed,
                            int precipitationValue) const {
    writeData("hill.dat", std::to_string(hill));
    writeData("det.dat", std::to_string(detail));
    writeData("winsum.dat", std::to_string(seasonValue));
    writeData("tf.dat", std::to_string(speed));
    writeData("opad.dat", std::to_string(precipitationValue));
    if (lighting == 8) {
        writeData("dR.dat", "0");
        writeData("dG.dat", "0");
        writeData("dB.dat", "8");
        writeData("fog.dat", "9");
    } else {
        writeData("dR.dat", "4");
        writeData("dG.dat", "5");
        writeData("dB.dat", "6");
        writeData("fog.dat", "7");
    }
}

bool harnessWithoutWindow = false;

void ensureGameWindow(int width, int height) {
    if (harnessWithoutWindow) return;
    static bool made = false;
    if (!made) {
        if (!platformCreateWindow("Valmora", width, height)) {
            std::fprintf(stderr, "no GL window: is DISPLAY set (run under xvfb-run)?\n");
            std::abort();
        }
        made = true;
        platformCaptureFrames(true);
    }
    int w, h;
    platformClientSize(&w, &h);
    resizeViewport(w, h);
}

void resetGameState() {
    resetToProgramStart();
}

void startGame() {
    ensureGameWindow();
    resetGameState();
    startGameFromHere();
}

void startGameFromHere() {
    if (harnessWithoutWindow) {
        readWindowSize();
        setupSceneState();
        return;
    }
    ensureGameWindow();
    readWindowSize();
    int w, h;
    platformClientSize(&w, &h);
    resizeViewport(w, h);
    setupScene();
}

void (*passObserver)() = nullptr;

void pass(const PlatformMessage* msg) {
    mainLoopPass(msg);
    if (passObserver) passObserver();
}

void frames(int count) {
    for (int i = 0; i < count; ++i)
        pass(nullptr);
}

void passKey(int virtualKey) {
    PlatformMessage m;
    m.type = MSG_KEYDOWN;
    m.key = virtualKey;
    pass(&m);
}

void passChar(char c) {
    PlatformMessage m;
    m.type = MSG_CHAR;
    m.key = static_cast<unsigned char>(c);
    pass(&m);
}

void passLeftClick(int x, int y) {
    PlatformMessage m;
    m.type = MSG_LBUTTONDOWN;
    m.x = x;
    m.y = y;
    pass(&m);
}

void passRightClick(int x, int y) {
    PlatformMessage m;
    m.type = MSG_RBUTTONDOWN;
    m.x = x;
    m.y = y;
    pass(&m);
}

void passMouseMove(int x, int y) {
    PlatformMessage m;
    m.type = MSG_MOUSEMOVE;
    m.x = x;
    m.y = y;
    pass(&m);
}

void leaveStartScreen() {
    passKey(VK_RETURN);
}

void Picture::at(int x, int yFromTop, int* r, int* g, int* b) const {
    int row = height - 1 - yFromTop;
    const unsigned char* p = &rgb[(static_cast<size_t>(row) * width + x) * 3];
    *r = p[0];
    *g = p[1];
    *b = p[2];
}

Picture lastFrame() {
    Picture pic;
    const unsigned char* data = platformCapturedFrame(&pic.width, &pic.height);
    if (data) pic.rgb.assign(data, data + static_cast<size_t>(pic.width) * pic.height * 3);
    return pic;
}

namespace {

uint32_t crc32(const unsigned char* data, size_t n, uint32_t crc = 0) {
    static uint32_t table[256];
    static bool ready = false;
    if (!ready) {
        for (uint32_t i = 0; i < 256; ++i) {
            uint32_t c = i;
            for (int k = 0; k < 8; ++k)
                c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            table[i] = c;
        }
        ready = true;
    }
    crc = ~crc;
    for (size_t i = 0; i < n; ++i)
        crc = table[(crc ^ data[i]) & 0xFF] ^ (crc >> 8);
    return ~crc;
}

void putBE32(std::vector<unsigned char>& v, uint32_t x) {
    for (int i = 3; i >= 0; --i)
        v.push_back((x >> (8 * i)) & 0xFF);
}

void chunk(std::vector<unsigned char>& out, const char* type, const std::vector<unsigned char>& d) {
    putBE32(out, static_cast<uint32_t>(d.size()));
    std::vector<unsigned char> body(type, type + 4);
    body.insert(body.end(), d.begin(), d.end());
    out.insert(out.end(), body.begin(), body.end());
    putBE32(out, crc32(body.data(), body.size()));
}

} // namespace

std::string savePng(const Picture& pic, const std::string& name) {
    fs::create_directories(TEST_OUTPUT_DIR);
    std::string path = std::string(TEST_OUTPUT_DIR) + "/" + name + ".png";
    savePngAt(pic, path);
    return path;
}

bool savePngAt(const Picture& pic, const std::string& path) {
    // Raw scanlines (top row first, filter 0) in stored deflate blocks: no zlib needed.
    std::vector<unsigned char> raw;
    for (int y = 0; y < pic.height; ++y) {
        raw.push_back(0);
        const unsigned char* row =
            &pic.rgb[static_cast<size_t>(pic.height - 1 - y) * pic.width * 3];
        raw.insert(raw.end(), row, row + pic.width * 3);
    }
    std::vector<unsigned char> z = {0x78, 0x01};
    size_t pos = 0;
    do {
        size_t len = std::min<size_t>(65535, raw.size() - pos);
        bool last = pos + len == raw.size();
        z.push_back(last ? 1 : 0);
        z.push_back(len & 0xFF);
        z.push_back(len >> 8);
        z.push_back(~len & 0xFF);
        z.push_back((~len >> 8) & 0xFF);
        z.insert(z.end(), raw.begin() + pos, raw.begin() + pos + len);
        pos += len;
    } while (pos < raw.size());
    uint32_t a = 1, b = 0;
    for (unsigned char c : raw) {
        a = (a + c) % 65521;
        b = (b + a) % 65521;
    }
    putBE32(z, (b << 16) | a);
    std::vector<unsigned char> png = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    std::vector<unsigned char> ihdr;
    putBE32(ihdr, pic.width);
    putBE32(ihdr, pic.height);
    ihdr.insert(ihdr.end(), {8, 2, 0, 0, 0});
    chunk(png, "IHDR", ihdr);
    chunk(png, "IDAT", z);
    chunk(png, "IEND", {});
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(png.data()), static_cast<std::streamsize>(png.size()));
    return static_cast<bool>(out);
}

// Valmora, a ski-jumping game. Copyright (C) 2026 the Valmora developers.
// SPDX-License-Identifier: GPL-3.0-or-later
// Decoding of .stx files; built with AddressSanitizer and UBSan, so an out-of-bounds read
// in a malformed case fails the run even when the result looks right.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

#include "render/texture_file.h"

namespace {

std::vector<uint8_t> picture(int w, int h, uint8_t r, uint8_t g, uint8_t b) {
    std::vector<uint8_t> rgb;
    for (int i = 0; i < w * h; ++i)
        rgb.insert(rgb.end(), {r, g, b});
    return rgb;
}

void put32(std::vector<uint8_t>& f, size_t at, uint32_t v) {
    for (int i = 0; i < 4; ++i)
        f[at + i] = (v >> (8 * i)) & 0xFF;
}

bool decodes(const std::vector<uint8_t>& file, std::vector<uint8_t>* rgb = nullptr) {
    std::vector<uint8_t> out;
    TextureInfoHeader info;
    // Decode from an exactly sized heap copy so reading one byte past it is caught.
    std::unique_ptr<uint8_t[]> exact(new uint8_t[file.size() ? file.size() : 1]);
    if (!file.empty()) std::memcpy(exact.get(), file.data(), file.size());
    bool ok = decodeBitmap(exact.get(), file.size(), &info, &out);
    if (rgb) *rgb = out;
    EXPECT_EQ(ok, !out.empty());
    return ok;
}

} // namespace

TEST(TextureDecoding, BlackIsTransparentAndAlmostBlackIsOpaque) {
    std::vector<uint8_t> rgb = {0, 0, 0, 0, 0, 1, 255, 255, 255, 10, 20, 30};
    std::vector<uint8_t> file = encodeBitmap(4, 1, rgb);
    std::vector<uint8_t> decoded;
    ASSERT_TRUE(decodes(file, &decoded));
    EXPECT_EQ(decoded, rgb); // blue-green-red on disk comes back as red-green-blue
    std::vector<uint8_t> rgba = addCutoutAlpha(decoded);
    ASSERT_EQ(rgba.size(), 16u);
    EXPECT_EQ(rgba[3], 0);
    EXPECT_EQ(rgba[7], 255); // (0, 0, 1)
    EXPECT_EQ(rgba[11], 255);
    EXPECT_EQ(rgba[15], 255);
}

TEST(TextureDecoding, PixelDataIsReadFromTheGivenOffset) {
    std::vector<uint8_t> file = encodeBitmap(4, 2, picture(4, 2, 9, 8, 7));
    // Move the pixels 10 bytes further and say so in the header.
    file.insert(file.begin() + 54, 10, 0xEE);
    put32(file, 10, 64);
    std::vector<uint8_t> decoded;
    ASSERT_TRUE(decodes(file, &decoded));
    EXPECT_EQ(decoded, picture(4, 2, 9, 8, 7));
}

TEST(TextureDecoding, FirstStoredRowIsTheBottomRow) {
    std::vector<uint8_t> rgb = picture(4, 2, 1, 1, 1);
    for (int i = 12; i < 24; ++i)
        rgb[i] = 200; // second stored row
    std::vector<uint8_t> decoded;
    ASSERT_TRUE(decodes(encodeBitmap(4, 2, rgb), &decoded));
    EXPECT_EQ(decoded[0], 1);
    EXPECT_EQ(decoded[12], 200);
}

TEST(TextureDecoding, MalformedFilesAreRejectedWithoutReadingOutside) {
    const std::vector<uint8_t> good = encodeBitmap(8, 8, picture(8, 8, 50, 60, 70));
    ASSERT_TRUE(decodes(good));

    EXPECT_FALSE(decodes({}));
    EXPECT_FALSE(decodes(std::vector<uint8_t>(good.begin(), good.begin() + 13)));
    EXPECT_FALSE(decodes(std::vector<uint8_t>(good.begin(), good.begin() + 53)));
    // Pixel data cut short by one byte.
    EXPECT_FALSE(decodes(std::vector<uint8_t>(good.begin(), good.end() - 1)));

    auto with = [&](size_t at, uint32_t v, int bytes = 4) {
        std::vector<uint8_t> f = good;
        for (int i = 0; i < bytes; ++i)
            f[at + i] = (v >> (8 * i)) & 0xFF;
        return f;
    };
    EXPECT_FALSE(decodes(with(0, 0x4D43, 2)));                           // not "BM"
    EXPECT_FALSE(decodes(with(28, 32, 2)));                              // 32 bits per pixel
    EXPECT_FALSE(decodes(with(28, 8, 2)));                               // palette picture
    EXPECT_FALSE(decodes(with(30, 1)));                                  // compressed
    EXPECT_FALSE(decodes(with(34, 3 * 8 * 8 + 3)));                      // image size not 3 x w x h
    EXPECT_FALSE(decodes(with(34, 0xFFFFFFFFu)));                        // absurd image size
    EXPECT_FALSE(decodes(with(18, 0)));                                  // width 0
    EXPECT_FALSE(decodes(with(22, static_cast<uint32_t>(-8))));          // negative height
    EXPECT_FALSE(decodes(with(18, 8193)));                               // too wide
    EXPECT_FALSE(decodes(with(22, 8193)));                               // too tall
    EXPECT_FALSE(decodes(with(10, static_cast<uint32_t>(good.size())))); // data past the end
    EXPECT_FALSE(decodes(with(10, 0xFFFFFFF0u)));                        // offset wraps around
    EXPECT_FALSE(decodes(with(10, 20))); // pixels inside the headers
    // Width and height that multiply past 32 bits while the image size field matches mod 2^32.
    std::vector<uint8_t> huge = with(18, 65536);
    put32(huge, 22, 65536);
    put32(huge, 34, 0);
    EXPECT_FALSE(decodes(huge));
}

TEST(TextureDecoding, FileReaderHandlesMissingAndTruncatedFiles) {
    TextureInfoHeader info;
    EXPECT_TRUE(readBitmapFileWithAlpha("/nonexistent/dir/none.stx", &info).empty());

    char path[] = "/tmp/stx-case-XXXXXX";
    int fd = mkstemp(path);
    ASSERT_GE(fd, 0);
    std::vector<uint8_t> good = encodeBitmap(4, 4, picture(4, 4, 0, 0, 0));
    ASSERT_EQ(write(fd, good.data(), good.size() - 5), static_cast<ssize_t>(good.size() - 5));
    close(fd);
    EXPECT_TRUE(readBitmapFile(path, &info).empty());

    FILE* f = std::fopen(path, "wb");
    std::fwrite(good.data(), 1, good.size(), f);
    std::fclose(f);
    std::vector<uint8_t> rgba = readBitmapFileWithAlpha(path, &info);
    ASSERT_EQ(rgba.size(), 4u * 4 * 4);
    EXPECT_EQ(info.width, 4);
    for (size_t i = 3; i < rgba.size(); i += 4)
        EXPECT_EQ(rgba[i], 0); // all black: all holes
    unlink(path);
}

namespace {

// A 24-bit file of w x h pixels of one colour with rows `stride` bytes long (the padding
// bytes 0xEE), and the image size field set to `declared`.
std::vector<uint8_t> fileWithRows(int w, int h, uint32_t stride, uint32_t declared) {
    std::vector<uint8_t> f = encodeBitmap(4, 1, picture(4, 1, 0, 0, 0));
    f.resize(54);
    put32(f, 18, static_cast<uint32_t>(w));
    put32(f, 22, static_cast<uint32_t>(h));
    put32(f, 34, declared);
    for (int y = 0; y < h; ++y)
        for (uint32_t x = 0; x < stride; ++x)
            f.push_back(x < 3u * w ? static_cast<uint8_t>(10 + x % 3) : 0xEE);
    put32(f, 2, static_cast<uint32_t>(f.size()));
    return f;
}

std::string temporaryPath() {
    char path[] = "/tmp/stx-case-XXXXXX";
    const int fd = mkstemp(path);
    close(fd);
    return path;
}

} // namespace

// What other tools write: rows padded to four bytes, with the image size given or left 0.
TEST(TextureDecoding, PaddedRowsAndAZeroImageSizeLoadAsWrittenWithThePaddingStripped) {
    struct Case {
        const char* what;
        int w, h;
        uint32_t stride, declared;
        bool loads;
    };
    const Case cases[] = {
        {"padded, size 0", 5, 3, 16, 0, true},
        {"padded, size given", 5, 3, 16, 16 * 3, true},
        {"packed, size given", 5, 3, 15, 15 * 3, true},
        {"packed, size 0 (so padded rows, one byte short)", 5, 3, 15, 0, false},
        {"no padding needed, size 0", 4, 2, 12, 0, true},
        {"size fits no row length", 5, 3, 16, 17 * 3, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::vector<uint8_t> rgb;
        ASSERT_EQ(decodes(fileWithRows(c.w, c.h, c.stride, c.declared), &rgb), c.loads);
        if (!c.loads) continue;
        ASSERT_EQ(rgb.size(), 3u * c.w * c.h);
        // Blue, green, red in the file: red 12, green 11, blue 10 in every pixel.
        for (size_t i = 0; i < rgb.size(); i += 3) {
            EXPECT_EQ(rgb[i], 12);
            EXPECT_EQ(rgb[i + 1], 11);
            EXPECT_EQ(rgb[i + 2], 10);
        }
    }
}

// Only regular files are read, without blocking, and trailing bytes are left alone.
TEST(TextureDecoding, FileReaderRefusesWhatIsNoRegularFileAndReadsOnlyThePicture) {
    TextureInfoHeader info;
    const std::string fifo = temporaryPath();
    unlink(fifo.c_str());
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    EXPECT_TRUE(readBitmapFile(fifo.c_str(), &info).empty()) << "a FIFO, returned at once";
    unlink(fifo.c_str());
    EXPECT_TRUE(readBitmapFile("/tmp", &info).empty()) << "a folder";
    EXPECT_TRUE(readBitmapFile("/dev/zero", &info).empty()) << "a device";

    // A good picture with 200 MB of (sparse) junk after it loads as the picture.
    const std::string big = temporaryPath();
    const std::vector<uint8_t> good = encodeBitmap(4, 4, picture(4, 4, 1, 2, 3));
    FILE* f = std::fopen(big.c_str(), "wb");
    std::fwrite(good.data(), 1, good.size(), f);
    std::fclose(f);
    ASSERT_EQ(truncate(big.c_str(), 200l << 20), 0);
    const std::vector<uint8_t> rgb = readBitmapFile(big.c_str(), &info);
    ASSERT_EQ(rgb.size(), 3u * 4 * 4);
    EXPECT_EQ(rgb[0], 1);
    unlink(big.c_str());
}

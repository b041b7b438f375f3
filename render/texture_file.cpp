// Valmora, a ski-jumping game. Copyright (C) 2026 the Valmora developers.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "render/texture_file.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// The whole range from `offset`, or false.
bool readAt(int fd, uint8_t* into, uint64_t length, uint64_t offset) {
    while (length > 0) {
        const ssize_t n = pread(fd, into, length, static_cast<off_t>(offset));
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        into += n;
        length -= static_cast<uint64_t>(n);
        offset += static_cast<uint64_t>(n);
    }
    return true;
}

uint16_t le16(const uint8_t* p) {
    return static_cast<uint16_t>(p[0] | (p[1] << 8));
}
uint32_t le32(const uint8_t* p) {
    return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) |
           (static_cast<uint32_t>(p[2]) << 16) | (static_cast<uint32_t>(p[3]) << 24);
}
void put16(std::vector<uint8_t>& v, uint16_t x) {
    v.push_back(x & 0xFF);
    v.push_back(x >> 8);
}
void put32(std::vector<uint8_t>& v, uint32_t x) {
    for (int i = 0; i < 4; ++i)
        v.push_back((x >> (8 * i)) & 0xFF);
}

constexpr size_t kFileHeaderSize = 14;
constexpr size_t kInfoHeaderSize = 40;

} // namespace

uint64_t rowBytesFor(const TextureInfoHeader& hdr) {
    if (hdr.width <= 0 || hdr.height <= 0) return 0;
    const uint64_t packed = 3ull * static_cast<uint64_t>(hdr.width);
    const uint64_t padded = (packed + 3) & ~3ull;
    const uint64_t rows = static_cast<uint64_t>(hdr.height);
    // Rows are padded to 4 bytes as the format has them, with the size left 0 by some
    // writers; rows packed tight are declared by a size that says so.
    if (hdr.imageSize == 0 || hdr.imageSize == padded * rows) return padded;
    if (hdr.imageSize == packed * rows) return packed;
    return 0;
}

bool decodeBitmap(const uint8_t* bytes, size_t size, TextureInfoHeader* info,
                  std::vector<uint8_t>* rgb) {
    rgb->clear();
    if (!bytes || size < kFileHeaderSize + kInfoHeaderSize) return false;
    if (le16(bytes) != 0x4D42) return false;
    uint32_t pixelOffset = le32(bytes + 10);
    const uint8_t* h = bytes + kFileHeaderSize;
    TextureInfoHeader hdr;
    hdr.headerSize = static_cast<int32_t>(le32(h + 0));
    hdr.width = static_cast<int32_t>(le32(h + 4));
    hdr.height = static_cast<int32_t>(le32(h + 8));
    hdr.planes = le16(h + 12);
    hdr.bitsPerPixel = le16(h + 14);
    hdr.compression = le32(h + 16);
    hdr.imageSize = le32(h + 20);
    hdr.xResolution = static_cast<int32_t>(le32(h + 24));
    hdr.yResolution = static_cast<int32_t>(le32(h + 28));
    hdr.coloursUsed = le32(h + 32);
    hdr.importantColours = le32(h + 36);
    if (info) *info = hdr;

    // The header is trusted for nothing: every field that steers a read is checked.
    if (hdr.bitsPerPixel != 24 || hdr.compression != 0) return false;
    if (hdr.width <= 0 || hdr.height <= 0) return false;
    if (hdr.width > kMaxTextureSide || hdr.height > kMaxTextureSide) return false;
    if (pixelOffset < kFileHeaderSize + kInfoHeaderSize) return false;
    const uint64_t rowBytes = rowBytesFor(hdr);
    if (rowBytes == 0) return false;
    const uint64_t packed = 3ull * static_cast<uint64_t>(hdr.width);
    if (static_cast<uint64_t>(pixelOffset) + rowBytes * static_cast<uint64_t>(hdr.height) > size)
        return false;

    rgb->resize(packed * static_cast<uint64_t>(hdr.height));
    for (int32_t y = 0; y < hdr.height; ++y) {
        const uint8_t* row = bytes + pixelOffset + rowBytes * static_cast<uint64_t>(y);
        uint8_t* out = rgb->data() + packed * static_cast<uint64_t>(y);
        for (uint64_t x = 0; x < packed; x += 3) {
            out[x] = row[x + 2];
            out[x + 1] = row[x + 1];
            out[x + 2] = row[x];
        }
    }
    return true;
}

std::vector<uint8_t> addCutoutAlpha(const std::vector<uint8_t>& rgb) {
    std::vector<uint8_t> rgba;
    rgba.reserve(rgb.size() / 3 * 4);
    for (size_t i = 0; i + 2 < rgb.size(); i += 3) {
        uint8_t r = rgb[i], g = rgb[i + 1], b = rgb[i + 2];
        rgba.push_back(r);
        rgba.push_back(g);
        rgba.push_back(b);
        rgba.push_back((r | g | b) == 0 ? 0 : 255);
    }
    return rgba;
}

std::vector<uint8_t> readBitmapFile(const char* path, TextureInfoHeader* info) {
    std::vector<uint8_t> rgb;
    // Non-blocking, so a FIFO or a device in its place cannot hang the game; only regular
    // files are read.
    const int fd = open(path, O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return rgb;
    struct stat st;
    std::vector<uint8_t> bytes;
    if (fstat(fd, &st) == 0 && S_ISREG(st.st_mode)) {
        const uint64_t fileSize = static_cast<uint64_t>(st.st_size);
        // The headers say how much of the file the picture needs; nothing more is read.
        uint8_t head[kFileHeaderSize + kInfoHeaderSize];
        if (fileSize >= sizeof head && readAt(fd, head, sizeof head, 0)) {
            TextureInfoHeader hdr;
            hdr.width = static_cast<int32_t>(le32(head + kFileHeaderSize + 4));
            hdr.height = static_cast<int32_t>(le32(head + kFileHeaderSize + 8));
            hdr.imageSize = le32(head + kFileHeaderSize + 20);
            const uint64_t needed =
                static_cast<uint64_t>(le32(head + 10)) +
                rowBytesFor(hdr) * static_cast<uint64_t>(hdr.height > 0 ? hdr.height : 0);
            const bool sane = hdr.width <= kMaxTextureSide && hdr.height <= kMaxTextureSide;
            const uint64_t want = std::max<uint64_t>(sizeof head, needed);
            if (sane && want <= fileSize) {
                bytes.resize(want);
                if (!readAt(fd, bytes.data(), want, 0)) bytes.clear();
            }
        }
    }
    close(fd);
    decodeBitmap(bytes.data(), bytes.size(), info, &rgb);
    return rgb;
}

std::vector<uint8_t> readBitmapFileWithAlpha(const char* path, TextureInfoHeader* info) {
    std::vector<uint8_t> rgb = readBitmapFile(path, info);
    if (rgb.empty()) return rgb;
    return addCutoutAlpha(rgb);
}

std::vector<uint8_t> encodeBitmap(int width, int height, const std::vector<uint8_t>& rgb) {
    uint32_t imageSize = 3u * static_cast<uint32_t>(width) * static_cast<uint32_t>(height);
    std::vector<uint8_t> out;
    out.reserve(kFileHeaderSize + kInfoHeaderSize + imageSize);
    put16(out, 0x4D42);
    put32(out, static_cast<uint32_t>(kFileHeaderSize + kInfoHeaderSize + imageSize));
    put16(out, 0);
    put16(out, 0);
    put32(out, kFileHeaderSize + kInfoHeaderSize);
    put32(out, kInfoHeaderSize);
    put32(out, static_cast<uint32_t>(width));
    put32(out, static_cast<uint32_t>(height));
    put16(out, 1);
    put16(out, 24);
    put32(out, 0);
    put32(out, imageSize);
    put32(out, 2835);
    put32(out, 2835);
    put32(out, 0);
    put32(out, 0);
    for (size_t i = 0; i + 2 < rgb.size() && i < imageSize; i += 3) {
        out.push_back(rgb[i + 2]);
        out.push_back(rgb[i + 1]);
        out.push_back(rgb[i]);
    }
    return out;
}

#include "render/texture_file.h"

#include <cstdio>

namespace {

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
    uint64_t expected = 3ull * static_cast<uint64_t>(hdr.width) * static_cast<uint64_t>(hdr.height);
    if (hdr.imageSize != expected) return false;
    if (pixelOffset < kFileHeaderSize + kInfoHeaderSize) return false;
    if (static_cast<uint64_t>(pixelOffset) + expected > size) return false;

    rgb->assign(bytes + pixelOffset, bytes + pixelOffset + expected);
    for (size_t i = 0; i + 2 < rgb->size(); i += 3)
        std::swap((*rgb)[i], (*rgb)[i + 2]);
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
    FILE* f = std::fopen(path, "rb");
    if (!f) return rgb;
    std::vector<uint8_t> bytes;
    uint8_t chunk[65536];
    size_t n;
    while ((n = std::fread(chunk, 1, sizeof chunk, f)) > 0) {
        bytes.insert(bytes.end(), chunk, chunk + n);
        // No picture we can accept is larger than 8192 x 8192 x 3 plus headers.
        if (bytes.size() > 3ull * kMaxTextureSide * kMaxTextureSide + (1u << 20)) break;
    }
    std::fclose(f);
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

// Valmora, a ski-jumping game. Copyright (C) 2026 the Valmora developers.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "assets/png_file.h"

#include <png.h>

#include <cstring>

#include "assets/file_out.h"

std::vector<uint8_t> encodePng(int width, int height, int channels, const uint8_t* pixels,
                               bool bottomRowFirst, std::string* error) {
    std::vector<uint8_t> out;
    if (width <= 0 || height <= 0 || (channels != 3 && channels != 4) || !pixels) {
        *error = "no picture to write";
        return out;
    }
    png_image image;
    std::memset(&image, 0, sizeof image);
    image.version = PNG_IMAGE_VERSION;
    image.width = static_cast<png_uint_32>(width);
    image.height = static_cast<png_uint_32>(height);
    image.format = channels == 4 ? PNG_FORMAT_RGBA : PNG_FORMAT_RGB;
    // A negative stride tells libpng the rows run bottom-up.
    const png_int_32 stride = (bottomRowFirst ? -1 : 1) * width * channels;
    png_alloc_size_t size = 0;
    if (png_image_write_get_memory_size(image, size, 0, pixels, stride, nullptr)) {
        out.resize(size);
        if (!png_image_write_to_memory(&image, out.data(), &size, 0, pixels, stride, nullptr))
            out.clear();
        else
            out.resize(size);
    }
    if (out.empty()) *error = image.message[0] ? image.message : "libpng could not encode";
    png_image_free(&image);
    return out;
}

bool writePngFile(const std::string& path, int width, int height, int channels,
                  const uint8_t* pixels, bool bottomRowFirst, std::string* error) {
    const std::vector<uint8_t> bytes =
        encodePng(width, height, channels, pixels, bottomRowFirst, error);
    if (bytes.empty()) {
        *error = "cannot encode " + path + ": " + *error;
        return false;
    }
    if (!writeWholeFile(path, bytes)) {
        *error = "cannot write " + path;
        return false;
    }
    return true;
}

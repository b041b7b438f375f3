// Valmora, a ski-jumping game. Copyright (C) 2026 the Valmora developers.
// SPDX-License-Identifier: GPL-3.0-or-later
// Any file through the texture file reader: reading only as much as the headers ask for
// must give exactly what decoding the whole file gives.
#include <cstdint>
#include <vector>

#include "fuzz_support.h"
#include "render/texture_file.h"

namespace {
ScratchFile scratch;
} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    scratch = openScratchFile();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    rewriteScratchFile(scratch, data, size);
    TextureInfoHeader fromFile;
    const std::vector<uint8_t> read = readBitmapFile(scratch.path.c_str(), &fromFile);

    TextureInfoHeader whole;
    std::vector<uint8_t> decoded;
    const bool ok = decodeBitmap(data, size, &whole, &decoded);
    FUZZ_CHECK(read == decoded);
    if (ok) FUZZ_CHECK(fromFile.width == whole.width && fromFile.height == whole.height);
    return 0;
}

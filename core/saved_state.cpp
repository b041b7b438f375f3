// Valmora, a ski-jumping game. Copyright (C) 2026 the Valmora developers.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/saved_state.h"

#include <cmath>
#include <cstring>

namespace {

// Far beyond any value a jump reaches, and small enough that no sum or conversion the game
// makes of it can overflow.
constexpr double kSoundLimit = 1e6;

size_t elementSize(FieldKind kind) {
    switch (kind) {
    case FieldKind::Double:
        return 8;
    case FieldKind::Float:
    case FieldKind::Int32:
        return 4;
    case FieldKind::Flag:
    case FieldKind::Memory:
        return 1;
    }
    return 1;
}

void putLittle(uint8_t* out, uint64_t bits, size_t bytes) {
    for (size_t i = 0; i < bytes; ++i)
        out[i] = static_cast<uint8_t>(bits >> (8 * i));
}

uint64_t getLittle(const uint8_t* in, size_t bytes) {
    uint64_t bits = 0;
    for (size_t i = 0; i < bytes; ++i)
        bits |= static_cast<uint64_t>(in[i]) << (8 * i);
    return bits;
}

// The element's bits as an unsigned number of its width, and back.
uint64_t bitsOf(const uint8_t* element, size_t bytes) {
    uint64_t bits = 0;
    if (bytes == 8) {
        std::memcpy(&bits, element, 8);
    } else if (bytes == 4) {
        uint32_t b;
        std::memcpy(&b, element, 4);
        bits = b;
    } else {
        bits = *element;
    }
    return bits;
}

void setBits(uint8_t* element, uint64_t bits, size_t bytes) {
    if (bytes == 8) {
        std::memcpy(element, &bits, 8);
    } else if (bytes == 4) {
        const uint32_t b = static_cast<uint32_t>(bits);
        std::memcpy(element, &b, 4);
    } else {
        *element = static_cast<uint8_t>(bits);
    }
}

} // namespace

size_t stateSize(const StateFields& group) {
    size_t size = 0;
    for (const StateField& f : group)
        size += elementSize(f.kind) * static_cast<size_t>(f.count);
    return size;
}

void saveState(const StateFields& group, std::vector<uint8_t>& out) {
    for (const StateField& f : group) {
        const size_t bytes = elementSize(f.kind);
        const auto* data = static_cast<const uint8_t*>(f.data);
        for (int k = 0; k < f.count; ++k) {
            uint8_t little[8];
            putLittle(little, bitsOf(data + k * bytes, bytes), bytes);
            out.insert(out.end(), little, little + bytes);
        }
    }
}

size_t restoreState(const StateFields& group, const uint8_t* in) {
    const uint8_t* p = in;
    for (const StateField& f : group) {
        const size_t bytes = elementSize(f.kind);
        auto* data = static_cast<uint8_t*>(f.data);
        for (int k = 0; k < f.count; ++k, p += bytes)
            setBits(data + k * bytes, getLittle(p, bytes), bytes);
    }
    return static_cast<size_t>(p - in);
}

bool stateSound(const StateFields& group, const uint8_t* in) {
    const uint8_t* p = in;
    for (const StateField& f : group) {
        const size_t bytes = elementSize(f.kind);
        for (int k = 0; k < f.count; ++k, p += bytes) {
            const uint64_t bits = getLittle(p, bytes);
            switch (f.kind) {
            case FieldKind::Float: {
                float v;
                const uint32_t b = static_cast<uint32_t>(bits);
                std::memcpy(&v, &b, 4);
                if (!(std::fabs(v) <= kSoundLimit)) return false;
                break;
            }
            case FieldKind::Double: {
                double v;
                std::memcpy(&v, &bits, 8);
                if (!(std::fabs(v) <= kSoundLimit)) return false;
                break;
            }
            case FieldKind::Flag:
                if (bits > 1) return false;
                break;
            case FieldKind::Int32: {
                const auto v = static_cast<int32_t>(static_cast<uint32_t>(bits));
                if (v < -kSoundLimit || v > kSoundLimit) return false;
                break;
            }
            case FieldKind::Memory:
                return false;
            }
        }
    }
    return true;
}

void putU32(std::vector<uint8_t>& out, uint32_t value) {
    uint8_t little[4];
    putLittle(little, value, 4);
    out.insert(out.end(), little, little + 4);
}

uint32_t getU32(const uint8_t* in) {
    return static_cast<uint32_t>(getLittle(in, 4));
}

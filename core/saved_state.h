// Valmora, a ski-jumping game. Copyright (C) 2026 the Valmora developers.
// SPDX-License-Identifier: GPL-3.0-or-later
// Groups of game values saved and put back whole: where a replay starts, and the live game
// a replay returns to.
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

enum class FieldKind : uint8_t {
    Float,
    Double,
    Int32,
    Flag,  // uint8_t, 0 or 1
    Memory // any plain value, kept in memory only (never in a file)
};

struct StateField {
    void* data;
    FieldKind kind;
    int count; // elements (bytes for Memory)
};

// A field for each kind of value, arrays included.
inline StateField field(float& v) {
    return {&v, FieldKind::Float, 1};
}
inline StateField field(double& v) {
    return {&v, FieldKind::Double, 1};
}
inline StateField field(int32_t& v) {
    return {&v, FieldKind::Int32, 1};
}
inline StateField field(uint8_t& v) {
    return {&v, FieldKind::Flag, 1};
}
template <int N> StateField field(float (&v)[N]) {
    return {v, FieldKind::Float, N};
}
template <int N> StateField field(double (&v)[N]) {
    return {v, FieldKind::Double, N};
}
template <int N> StateField field(int32_t (&v)[N]) {
    return {v, FieldKind::Int32, N};
}
template <int N> StateField field(uint8_t (&v)[N]) {
    return {v, FieldKind::Flag, N};
}
inline StateField field(bool& v) {
    static_assert(sizeof(bool) == 1, "a flag is saved as one byte");
    return {&v, FieldKind::Flag, 1};
}
template <int N, int M> StateField field(float (&v)[N][M]) {
    return {&v[0][0], FieldKind::Float, N * M};
}
// Any other plain value, for the live game only.
template <class T> StateField memoryField(T& v) {
    return {&v, FieldKind::Memory, static_cast<int>(sizeof(T))};
}

using StateFields = std::vector<StateField>;

// The fields of a value that lists its members through eachField(visit(name, member)), in
// that order. They point into `value`.
template <class T> StateFields fieldsOf(T& value) {
    StateFields out;
    value.eachField([&out](const char*, auto& member) { out.push_back(field(member)); });
    return out;
}

// Bytes saveState writes for a group.
size_t stateSize(const StateFields& group);
// Appends the group's values, numbers little-endian whatever the machine.
void saveState(const StateFields& group, std::vector<uint8_t>& out);
// Puts back what saveState wrote at `in`; returns the bytes read.
size_t restoreState(const StateFields& group, const uint8_t* in);
// Whether the bytes at `in` hold values the game can take: numbers within a million either
// way (so none is infinite or NaN), flags 0 or 1, and no Memory fields.
bool stateSound(const StateFields& group, const uint8_t* in);

// Little-endian numbers in byte buffers (the replay file).
void putU32(std::vector<uint8_t>& out, uint32_t value);
uint32_t getU32(const uint8_t* in);

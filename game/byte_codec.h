// Byte codec: little-endian fixed-width values, floats by their bits, written
// into any sink of bytes (a vector, a hash) and read back with every read
// past the end failing the whole read. Shared by the rules state and the
// network's messages, so both lay out their numbers alike.
#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

struct VectorSink {
    std::vector<uint8_t>& bytes;
    void put(uint8_t byte) { bytes.push_back(byte); }
};

template <typename Sink>
struct ByteWriter {
    Sink& sink;

    void u8(uint8_t value) { sink.put(value); }
    void i8(int32_t value) { u8(static_cast<uint8_t>(static_cast<int8_t>(value))); }
    void u32(uint32_t value) {
        for (int shift = 0; shift < 32; shift += 8) sink.put(static_cast<uint8_t>(value >> shift));
    }
    void i32(int32_t value) { u32(static_cast<uint32_t>(value)); }
    void u64(uint64_t value) {
        u32(static_cast<uint32_t>(value));
        u32(static_cast<uint32_t>(value >> 32));
    }
    void i64(int64_t value) { u64(static_cast<uint64_t>(value)); }
    void f32(float value) { u32(std::bit_cast<uint32_t>(value)); }
};

// Reads past the end give zeros and mark the whole read as failed.
struct ByteReader {
    std::span<const uint8_t> bytes;
    size_t offset = 0;
    bool ok = true;

    size_t left() const { return bytes.size() - offset; }
    uint8_t u8() {
        if (left() < 1) {
            ok = false;
            return 0;
        }
        return bytes[offset++];
    }
    int32_t i8() { return static_cast<int8_t>(u8()); }
    uint32_t u32() {
        if (left() < 4) {
            ok = false;
            offset = bytes.size();
            return 0;
        }
        uint32_t value = 0;
        for (int shift = 0; shift < 32; shift += 8) value |= uint32_t{bytes[offset++]} << shift;
        return value;
    }
    int32_t i32() { return static_cast<int32_t>(u32()); }
    uint64_t u64() {
        const uint64_t low = u32();
        return low | uint64_t{u32()} << 32;
    }
    int64_t i64() { return static_cast<int64_t>(u64()); }
    float f32() { return std::bit_cast<float>(u32()); }
    // Whether `count` records of `recordBytes` can still follow: checked before
    // any list is reserved.
    bool holds(uint64_t count, size_t recordBytes) const { return count <= left() / recordBytes; }
};

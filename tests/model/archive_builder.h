#pragma once
// Little-endian byte builder for hand-made archive files.

#include <cstdint>
#include <string_view>
#include <vector>

namespace gyr::testing {

using Bytes = std::vector<std::uint8_t>;

struct Builder {
    Bytes b;
    Builder& U8(std::uint8_t v) {
        b.push_back(v);
        return *this;
    }
    Builder& U16(std::uint16_t v) { return U8(std::uint8_t(v)).U8(std::uint8_t(v >> 8)); }
    Builder& U32(std::uint32_t v) { return U16(std::uint16_t(v)).U16(std::uint16_t(v >> 16)); }
    Builder& Text(std::string_view s) {
        b.insert(b.end(), s.begin(), s.end());
        return *this;
    }
    Builder& Zeros(std::size_t n) {
        b.insert(b.end(), n, 0);
        return *this;
    }
    Builder& NewClass(std::string_view name, std::uint16_t schema = 1) {
        return U16(0xFFFF).U16(schema).U16(std::uint16_t(name.size())).Text(name);
    }
    // The fields of a sheet object: corners, flag, a 56-byte record.
    Builder& SheetFields() { return Zeros(32 + 2 + 56); }
    Builder& Sheet() { return NewClass("CAxes").SheetFields(); }
    // Corners, flag, pen, brush of a shape; the vertex count follows.
    Builder& ShapeHead() { return Zeros(32 + 2 + 2 + 16 + 2 + 12); }
};

}  // namespace gyr::testing

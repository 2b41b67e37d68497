// Little-endian reading and writing of the game's binary data.
//
// Every format is read through ByteReader and written through ByteWriter or
// the put_* helpers, never by casting structs. A ByteReader never reads past
// its span: a read that does not fit sets the failed flag and yields zeros,
// so a parser can read a whole record and check `ok()` once; parsers that
// loop or allocate on a count check `remaining()` first.
#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <span>
#include <string>
#include <vector>

namespace mw {

using Bytes = std::vector<std::uint8_t>;
using ByteSpan = std::span<const std::uint8_t>;

inline std::uint16_t get_u16(const std::uint8_t* p) { return std::uint16_t(p[0] | (p[1] << 8)); }
inline std::uint32_t get_u24(const std::uint8_t* p) { return std::uint32_t(p[0]) | (std::uint32_t(p[1]) << 8) | (std::uint32_t(p[2]) << 16); }
inline std::uint32_t get_u32(const std::uint8_t* p)
{
    return std::uint32_t(p[0]) | (std::uint32_t(p[1]) << 8) | (std::uint32_t(p[2]) << 16) | (std::uint32_t(p[3]) << 24);
}
inline std::int16_t get_i16(const std::uint8_t* p) { return std::int16_t(get_u16(p)); }
inline std::int32_t get_i32(const std::uint8_t* p) { return std::int32_t(get_u32(p)); }
inline float get_f32(const std::uint8_t* p) { return std::bit_cast<float>(get_u32(p)); }

inline void put_u16(std::uint8_t* p, std::uint32_t v) { p[0] = std::uint8_t(v); p[1] = std::uint8_t(v >> 8); }
inline void put_u24(std::uint8_t* p, std::uint32_t v) { put_u16(p, v); p[2] = std::uint8_t(v >> 16); }
inline void put_u32(std::uint8_t* p, std::uint32_t v) { put_u24(p, v); p[3] = std::uint8_t(v >> 24); }
inline void put_f32(std::uint8_t* p, float v) { put_u32(p, std::bit_cast<std::uint32_t>(v)); }

class ByteReader {
public:
    ByteReader() = default;
    explicit ByteReader(ByteSpan data) : data_(data) {}

    std::size_t size() const { return data_.size(); }
    std::size_t position() const { return pos_; }
    std::size_t remaining() const { return pos_ <= data_.size() ? data_.size() - pos_ : 0; }
    bool ok() const { return ok_; }
    bool fits(std::size_t count) const { return count <= remaining(); }

    // Moves to an absolute position; a position past the end fails.
    bool seek(std::size_t position)
    {
        if (position > data_.size()) return fail();
        pos_ = position;
        return true;
    }
    bool skip(std::size_t count) { return fits(count) ? (pos_ += count, true) : fail(); }

    std::uint8_t u8() { return take(1) ? data_[pos_ - 1] : 0; }
    std::int8_t i8() { return std::int8_t(u8()); }
    std::uint16_t u16() { return take(2) ? get_u16(&data_[pos_ - 2]) : 0; }
    std::int16_t i16() { return std::int16_t(u16()); }
    std::uint32_t u24() { return take(3) ? get_u24(&data_[pos_ - 3]) : 0; }
    std::uint32_t u32() { return take(4) ? get_u32(&data_[pos_ - 4]) : 0; }
    std::int32_t i32() { return std::int32_t(u32()); }
    float f32() { return std::bit_cast<float>(u32()); }

    // The next `count` bytes, or an empty span (and the failed flag) when they do not fit.
    ByteSpan bytes(std::size_t count)
    {
        if (!take(count)) return {};
        return data_.subspan(pos_ - count, count);
    }

private:
    bool take(std::size_t count)
    {
        if (!fits(count)) return fail();
        pos_ += count;
        return true;
    }
    bool fail()
    {
        ok_ = false;
        return false;
    }

    ByteSpan data_;
    std::size_t pos_ = 0;
    bool ok_ = true;
};

class ByteWriter {
public:
    void u8(std::uint32_t v) { data_.push_back(std::uint8_t(v)); }
    void u16(std::uint32_t v) { grow(2, [&](std::uint8_t* p) { put_u16(p, v); }); }
    void u24(std::uint32_t v) { grow(3, [&](std::uint8_t* p) { put_u24(p, v); }); }
    void u32(std::uint32_t v) { grow(4, [&](std::uint8_t* p) { put_u32(p, v); }); }
    void i16(std::int32_t v) { u16(std::uint32_t(v)); }
    void i32(std::int32_t v) { u32(std::uint32_t(v)); }
    void f32(float v) { u32(std::bit_cast<std::uint32_t>(v)); }
    void bytes(ByteSpan b) { data_.insert(data_.end(), b.begin(), b.end()); }
    void text(const std::string& s) { data_.insert(data_.end(), s.begin(), s.end()); }
    void zeros(std::size_t count) { data_.insert(data_.end(), count, 0); }

    std::size_t size() const { return data_.size(); }
    Bytes& data() { return data_; }
    Bytes take() { return std::move(data_); }

private:
    template <class F>
    void grow(std::size_t n, F put)
    {
        data_.resize(data_.size() + n);
        put(&data_[data_.size() - n]);
    }
    Bytes data_;
};

}  // namespace mw

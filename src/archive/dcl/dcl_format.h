// The fixed code tables of the DCL implode format, built once at compile
// time and shared by the decoder and the encoder.
//
// Format notes
//
// Bit order: bits are taken from the lowest bit of each byte first. A code is
// sent first bit first, so a code of n bits appears in the stream as an n-bit
// number whose lowest bit is the code's first bit ("stream order" below).
//
// Tokens: a 0 bit starts a literal, a 1 bit a match.
//   Literal, binary mode: the 8 bits of the byte.
//   Literal, ASCII mode:  the byte's code from the 256-symbol literal table.
//   Match: a length symbol (16 symbols, 2 to 7 bits) and its extra bits give
//          the length 2..518; 519 is the end code. Then a distance symbol
//          (64 symbols, 2 to 8 bits) gives the upper 6 bits of distance - 1,
//          and its low bits follow: 2 bits for a length-2 match (so those
//          reach at most 256 bytes back), else 4, 5 or 6 bits for a dictionary
//          of 1024, 2048 or 4096 bytes (so the longest distance equals the
//          dictionary size).
//
// Codes: each table is given by its code lengths. Codes are assigned in the
// canonical way (shorter codes first, equal lengths in symbol order, counting
// up) and then sent with every bit inverted. All three tables are complete
// prefix codes: every bit pattern starts with exactly one code.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace mw::dcl::format {

inline constexpr int min_match = 2;
inline constexpr int max_match = 518;
inline constexpr int end_of_stream = 519;
inline constexpr int max_len2_distance = 256;
inline constexpr int literal_bits = 9;  // flag bit and byte, binary mode

// Length symbols: code length, first length, number of extra bits.
inline constexpr std::array<std::uint8_t, 16> length_code_bits = {3, 2, 3, 3, 4, 4, 4, 5, 5, 5, 5, 6, 6, 6, 7, 7};
inline constexpr std::array<std::uint16_t, 16> length_base = {2,  3,  4,  5,  6,  7,   8,   9,
                                                              10, 12, 16, 24, 40, 72, 136, 264};
inline constexpr std::array<std::uint8_t, 16> length_extra_bits = {0, 0, 0, 0, 0, 0, 0, 0, 1, 2, 3, 4, 5, 6, 7, 8};

// Distance symbols (upper 6 bits of distance - 1): code lengths.
inline constexpr std::array<std::uint8_t, 64> distance_code_bits = {
    2, 4, 4, 5, 5, 5, 5, 6, 6, 6, 6, 6, 6, 6, 6, 6, 6, 6, 6, 6, 6, 6, 7, 7, 7, 7, 7, 7, 7, 7, 7, 7,
    7, 7, 7, 7, 7, 7, 7, 7, 7, 7, 7, 7, 7, 7, 7, 7, 8, 8, 8, 8, 8, 8, 8, 8, 8, 8, 8, 8, 8, 8, 8, 8};

// ASCII-mode literals: code lengths by byte value.
inline constexpr std::array<std::uint8_t, 256> ascii_code_bits = {
    11, 12, 12, 12, 12, 12, 12, 12, 12, 8,  7,  12, 12, 7,  12, 12,  // 0x00
    12, 12, 12, 12, 12, 12, 12, 12, 12, 12, 13, 12, 12, 12, 12, 12,  // 0x10
    4,  10, 8,  12, 10, 12, 10, 8,  7,  7,  8,  9,  7,  6,  7,  8,   // 0x20
    7,  6,  7,  7,  7,  7,  8,  7,  7,  8,  8,  12, 11, 7,  9,  11,  // 0x30
    12, 6,  7,  6,  6,  5,  7,  8,  8,  6,  11, 9,  6,  7,  6,  6,   // 0x40
    7,  11, 6,  6,  6,  7,  9,  8,  9,  9,  11, 8,  11, 9,  12, 8,   // 0x50
    12, 5,  6,  6,  6,  5,  6,  6,  6,  5,  11, 7,  5,  6,  5,  5,   // 0x60
    6,  10, 5,  5,  5,  5,  8,  7,  8,  8,  10, 11, 11, 12, 12, 12,  // 0x70
    13, 13, 13, 13, 13, 13, 13, 13, 13, 13, 13, 13, 13, 13, 13, 13,  // 0x80
    13, 13, 13, 13, 13, 13, 13, 13, 13, 13, 13, 13, 13, 13, 13, 13,  // 0x90
    13, 13, 13, 13, 13, 13, 13, 13, 13, 13, 13, 13, 13, 13, 13, 13,  // 0xA0
    12, 12, 12, 12, 12, 12, 12, 12, 12, 12, 12, 12, 12, 12, 12, 12,  // 0xB0
    12, 12, 12, 12, 12, 12, 12, 12, 12, 12, 12, 12, 12, 12, 12, 12,  // 0xC0
    12, 12, 12, 12, 12, 12, 12, 12, 12, 12, 12, 12, 12, 12, 12, 12,  // 0xD0
    13, 12, 13, 13, 13, 12, 13, 13, 13, 12, 13, 13, 13, 13, 12, 13,  // 0xE0
    13, 13, 12, 12, 12, 13, 13, 13, 13, 13, 13, 13, 13, 13, 13, 13,  // 0xF0
};

// A code in stream order: `value` holds the first bit in its lowest place.
struct Code {
    std::uint16_t value = 0;
    std::uint8_t bits = 0;
};

template <std::size_t N>
constexpr std::array<Code, N> make_codes(const std::array<std::uint8_t, N>& code_bits)
{
    std::array<Code, N> codes{};
    unsigned next = 0;
    for (unsigned length = 1; length <= 16; ++length) {
        next <<= 1;
        for (std::size_t symbol = 0; symbol < N; ++symbol) {
            if (code_bits[symbol] != length) continue;
            const unsigned inverted = ~next & ((1u << length) - 1);
            unsigned value = 0;
            for (unsigned i = 0; i < length; ++i)
                if ((inverted >> (length - 1 - i)) & 1) value |= 1u << i;
            codes[symbol] = {static_cast<std::uint16_t>(value), static_cast<std::uint8_t>(length)};
            ++next;
        }
    }
    return codes;
}

inline constexpr auto length_codes = make_codes(length_code_bits);
inline constexpr auto distance_codes = make_codes(distance_code_bits);
inline constexpr auto ascii_codes = make_codes(ascii_code_bits);

// A decoding table indexed by the next `Bits` stream bits: the symbol whose
// code they start with and that code's length (0 where no code fits).
struct DecodeEntry {
    std::uint8_t symbol = 0;
    std::uint8_t bits = 0;
};

template <unsigned Bits, std::size_t N>
constexpr std::array<DecodeEntry, (1u << Bits)> make_decode_table(const std::array<Code, N>& codes)
{
    std::array<DecodeEntry, (1u << Bits)> table{};
    for (std::size_t symbol = 0; symbol < N; ++symbol)
        for (unsigned index = codes[symbol].value; index < (1u << Bits); index += 1u << codes[symbol].bits)
            table[index] = {static_cast<std::uint8_t>(symbol), codes[symbol].bits};
    return table;
}

template <std::size_t M>
constexpr bool is_complete(const std::array<DecodeEntry, M>& table)
{
    for (const DecodeEntry& entry : table)
        if (entry.bits == 0) return false;
    return true;
}

inline constexpr auto length_symbol_decode = make_decode_table<7>(length_codes);
inline constexpr auto distance_decode = make_decode_table<8>(distance_codes);
inline constexpr auto ascii_decode = make_decode_table<13>(ascii_codes);

static_assert(is_complete(length_symbol_decode) && is_complete(distance_decode) && is_complete(ascii_decode),
              "the code tables must be complete prefix codes");

// Length decoding in one look-up: the first length of the symbol whose code
// the next 7 bits start with, the code's length and the number of extra bits.
struct LengthEntry {
    std::uint16_t base = 0;
    std::uint8_t code_bits = 0;
    std::uint8_t extra_bits = 0;
};

constexpr std::array<LengthEntry, 128> make_length_decode()
{
    std::array<LengthEntry, 128> table{};
    for (std::size_t i = 0; i < table.size(); ++i) {
        const DecodeEntry entry = length_symbol_decode[i];
        table[i] = {length_base[entry.symbol], entry.bits, length_extra_bits[entry.symbol]};
    }
    return table;
}

inline constexpr auto length_decode = make_length_decode();

// The length symbol of a match length 2..519.
constexpr unsigned length_symbol(unsigned length)
{
    unsigned symbol = 0;
    while (symbol + 1 < length_base.size() && length_base[symbol + 1] <= length) ++symbol;
    return symbol;
}

// Low bits after the distance symbol: 2 for length-2 matches, else the
// dictionary's 4, 5 or 6.
constexpr unsigned distance_low_bits(unsigned length, unsigned dictionary_bits)
{
    return length == 2 ? 2 : dictionary_bits;
}

}  // namespace mw::dcl::format

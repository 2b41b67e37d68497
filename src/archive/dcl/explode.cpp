// DCL implode decoder ("explode"): table-driven, one table look-up per code.
#include <algorithm>
#include <array>
#include <bit>
#include <cstring>

#include "archive/dcl/dcl.h"
#include "archive/dcl/dcl_format.h"

namespace mw::dcl {

namespace {

using namespace format;

// Decoder notes
//
// Bits are kept in a 64-bit buffer, refilled to at least 56 bits before each
// group of tokens. The longest token (a match: 1 + 7 + 8 + 8 + 6 bits) takes
// 30. While 8 input bytes remain, a match tops the buffer up itself, beside
// its table look-up and off the chain of dependent steps from one token to
// the next, so a group goes on while two literals' 18 bits remain; in the
// last 8 bytes it goes on while 30 bits remain. Past the end of the input
// the buffer is fed zero bytes that are counted; a token that used any of
// them is the sign of a truncated stream, checked before the token changes
// the output. Only tokens decoded within the last 8 input bytes need that
// check: the loop before them never feeds such bytes.
//
// Most matches are read in one look-up of the 12 bits after the flag, which
// gives the length, the distance but for its low bits, where those lie and
// the bits of the whole match. The others (long lengths, long distance codes
// after a long length, the end code) take two: the length with its extra
// bits, then the distance.
//
// The output buffer grows geometrically up to `max_output` and keeps
// `copy_slack` spare bytes past its capacity, so match copies may move whole
// 8- or 16-byte words and run up to 15 bytes past the match.
constexpr unsigned longest_token_bits = 30;
constexpr std::size_t copy_slack = 16;
constexpr std::size_t first_capacity_minimum = 4096;

void store_u64(std::uint8_t* p, std::uint64_t value)
{
    if constexpr (std::endian::native == std::endian::little) {
        std::memcpy(p, &value, sizeof value);
    } else {
        for (int i = 0; i < 8; ++i) p[i] = static_cast<std::uint8_t>(value >> (8 * i));
    }
}

std::uint64_t load_u64(const std::uint8_t* p)
{
    if constexpr (std::endian::native == std::endian::little) {
        std::uint64_t value;
        std::memcpy(&value, p, sizeof value);
        return value;
    } else {
        std::uint64_t value = 0;
        for (int i = 7; i >= 0; --i) value = (value << 8) | p[i];
        return value;
    }
}

// Copies `length` bytes from `distance` back to `to`, which has at least
// `copy_slack` spare bytes after the match; returns the end of the match.
// Inlined: most matches are short, and a call costs about as much as their copy.
[[gnu::always_inline]] inline std::uint8_t* copy_match(std::uint8_t* to, std::size_t distance, std::size_t length)
{
    std::uint8_t* const stop = to + length;
    const std::uint8_t* from = to - distance;
    if ((length <= 16) & (distance >= length)) {
        // The common short match whose source lies wholly before it: one
        // 16-byte move, whatever its distance (the bytes past the match,
        // maybe read from it, are overwritten later).
        std::memmove(to, from, 16);
        return stop;
    }
    if (distance >= 16) {
        do {
            std::memcpy(to, from, 16);
            to += 16;
            from += 16;
        } while (to < stop);
        return stop;
    }
    if (distance >= 8) {
        do {
            std::memcpy(to, from, 8);
            to += 8;
            from += 8;
        } while (to < stop);
        return stop;
    }
    if (distance == 1 || distance == 2 || distance == 4) {
        // A word holds whole periods: the period's bytes, read one by one
        // (a wider read over bytes stored one by one just before would wait
        // for those stores to complete), repeated across a word and stored.
        std::uint64_t period = from[0];
        if (distance >= 2) period |= std::uint64_t{from[1]} << 8;
        if (distance == 4) period |= std::uint64_t{from[2]} << 16 | std::uint64_t{from[3]} << 24;
        static constexpr std::uint64_t repeats[5] = {0, 0x0101010101010101, 0x0001000100010001, 0, 0x0000000100000001};
        const std::uint64_t word = period * repeats[distance];
        do {
            store_u64(to, word);
            to += 8;
        } while (to < stop);
        return stop;
    }
    // Other short periods: lay down 8 bytes one by one (a fixed count, so no
    // branch), then copy words from a whole number of periods back, at least
    // 8 bytes away.
    for (int i = 0; i < 8; ++i) to[i] = from[i];
    if (length <= 8) return stop;
    to += 8;
    // The smallest whole number of periods of 8 bytes or more, by period.
    static constexpr std::uint8_t word_periods[8] = {0, 8, 8, 9, 8, 10, 12, 14};
    from = to - word_periods[distance];
    while (to < stop) {
        std::memcpy(to, from, 8);
        to += 8;
        from += 8;
    }
    return stop;
}

// A distance from the 8 bits after the length: distance - 1 with its low
// bits clear, where the low bits start, how many bits the distance takes in
// all, and the low bits' mask.
struct DistanceEntry {
    std::uint16_t high = 0;
    std::uint8_t code_bits = 0;
    std::uint8_t all_bits = 0;
    std::uint32_t low_mask = 0;
};

using DistanceTable = std::array<DistanceEntry, 256>;

constexpr DistanceTable make_distance_table(unsigned low_bits)
{
    DistanceTable table{};
    for (unsigned i = 0; i < table.size(); ++i) {
        const DecodeEntry entry = distance_decode[i];
        table[i] = {static_cast<std::uint16_t>(entry.symbol << low_bits), entry.bits,
                    static_cast<std::uint8_t>(entry.bits + low_bits), (1u << low_bits) - 1};
    }
    return table;
}

// By low bits: 2 (2-byte matches), 4, 5, 6 (the dictionary's).
constexpr std::array<DistanceTable, 7> distance_tables = {
    DistanceTable{}, DistanceTable{}, make_distance_table(2), DistanceTable{},
    make_distance_table(4), make_distance_table(5), make_distance_table(6)};

// Most matches are read in one look-up of the 12 bits after the flag: those
// whose length code, extra bits and distance code fit in them (every length
// below 136 with a distance code short enough). A packed entry, 0 for the
// others, which take the two look-ups above:
//   bits 0-5    the bits of the whole match (a shift count as it is)
//   bits 6-9    where the distance's low bits start, counting the flag
//   bits 10-21  distance - the low bits (that is, its upper part + 1)
//   bits 22-31  the length
using MatchTable = std::array<std::uint32_t, 4096>;

constexpr MatchTable make_match_table(unsigned dictionary_bits)
{
    MatchTable table{};
    for (unsigned i = 0; i < table.size(); ++i) {
        const LengthEntry length_entry = length_decode[i & 0x7F];
        const unsigned length_bits = length_entry.code_bits + length_entry.extra_bits;
        if (length_bits > 12) continue;
        const unsigned length = length_entry.base + ((i >> length_entry.code_bits) & ((1u << length_entry.extra_bits) - 1));
        const DecodeEntry distance_entry = distance_decode[(i >> length_bits) & 0xFF];
        if (length_bits + distance_entry.bits > 12) continue;
        const unsigned low_bits = distance_low_bits(length, dictionary_bits);
        const unsigned upper = (unsigned{distance_entry.symbol} << low_bits) + 1;
        const unsigned low_at = 1 + length_bits + distance_entry.bits;
        table[i] = (low_at + low_bits) | low_at << 6 | upper << 10 | length << 22;
    }
    return table;
}

// By dictionary bits less 4.
constexpr std::array<MatchTable, 3> match_tables = {make_match_table(4), make_match_table(5), make_match_table(6)};

constexpr bool one_look_up_never_ends_the_stream()
{
    for (const MatchTable& table : match_tables)
        for (const std::uint32_t entry : table)
            if ((entry >> 22) == end_of_stream) return false;
    return true;
}
static_assert(one_look_up_never_ends_the_stream(), "the end code is checked only on the longer way");

struct Exploder {
    Exploder(ByteSpan stream, Bytes& out_bytes, std::size_t limit)
        : next(stream.data()), end(stream.data() + stream.size()), output(out_bytes), max_output(limit)
    {
    }

    // Input side.
    const std::uint8_t* next;
    const std::uint8_t* end;
    bool ascii = false;
    unsigned dictionary_bits = 0;

    // Output side: [begin, out) is decoded, [out, limit) is free capacity.
    Bytes& output;
    std::size_t max_output;
    std::uint8_t* begin = nullptr;
    std::uint8_t* out = nullptr;
    std::uint8_t* limit = nullptr;

    // Makes room for `length` more bytes past `out`, or says there is none
    // within the limit.
    bool reserve(std::size_t length)
    {
        const std::size_t used = static_cast<std::size_t>(out - begin);
        const std::size_t capacity = static_cast<std::size_t>(limit - begin);
        if (length > max_output - used) return false;
        const std::size_t grown = std::min(max_output, std::max(capacity * 2, used + length));
        output.resize(grown + copy_slack);
        begin = output.data();
        out = begin + used;
        limit = begin + grown;
        return true;
    }

    Status run()
    {
        const std::size_t input_size = static_cast<std::size_t>(end - next);
        if (input_size < 2) return Status::truncated;
        const unsigned mode = next[0];
        const unsigned dictionary = next[1];
        if (mode > 1 || dictionary < 4 || dictionary > 6) return Status::bad_header;
        ascii = mode == 1;
        dictionary_bits = dictionary;
        next += 2;

        const std::size_t first_capacity = std::min(max_output, std::max(first_capacity_minimum, input_size * 4));
        output.resize(first_capacity + copy_slack);
        begin = out = output.data();
        limit = begin + first_capacity;
        return ascii ? decode<true>() : decode<false>();
    }

    // The token loop. The bit buffer and the output position live in locals:
    // as members, every store through the output pointer (which may alias
    // anything) would force them back to memory. `out` is written back
    // before anything that reads it.
    template <bool Ascii>
    Status decode()
    {
        std::uint64_t b = 0;       // bit buffer, next bit lowest
        unsigned n = 0;            // valid bits in it
        std::size_t phantom = 0;   // zero bytes fed after the end of the input
        const std::uint8_t* in = next;
        std::uint8_t* o = out;
        std::uint8_t* room_end = limit;
        const DistanceEntry* const pair_table = distance_tables[distance_low_bits(2, dictionary_bits)].data();
        const DistanceEntry* const long_table = distance_tables[distance_low_bits(3, dictionary_bits)].data();
        const std::uint32_t* const any_match_table = match_tables[dictionary_bits - 4].data();
        const std::size_t pair_low_mask = (1u << distance_low_bits(2, dictionary_bits)) - 1;
        const std::size_t any_long_low_mask = (1u << dictionary_bits) - 1;
        const std::uint8_t* const in_end = end;
        const std::uint8_t* const out_begin = begin;

        // To 56 bits or more; needs 8 bytes of input.
        auto refill = [&] {
            b |= load_u64(in) << n;
            in += (63 - n) >> 3;
            n |= 56;
        };
        auto consume = [&](unsigned k) {
            b >>= k;
            n -= k;
        };
        // True when the last token used bits from beyond the end of the input.
        auto overran = [&] { return phantom != 0 && phantom * 8 > n; };
        auto grow = [&](std::size_t length) {
            out = o;
            const bool grown = reserve(length);
            o = out;
            room_end = limit;
            return grown;
        };

        // Decodes tokens while the buffer holds the longest one; false when
        // the stream ends here, with `status` saying how. `Checked`: the
        // buffer may hold zero bytes fed past the end of the input.
        Status status = Status::ok;
        auto stop = [&](Status why) {
            status = why;
            return false;
        };
        // `Dictionary`: the dictionary bits when known at compile time (the
        // table's address and the mask then take no register), else 0 for
        // the stream's, held in `any_...`.
        auto tokens = [&]<bool Checked, unsigned Dictionary = 0>() __attribute__((always_inline)) {
            // Without the check, a match tops the buffer up before it is
            // read, so a round needs only two literals' bits.
            constexpr unsigned round_bits = Checked ? longest_token_bits : 2 * literal_bits;
            const std::uint32_t* const match_table = Dictionary != 0 ? match_tables[Dictionary - 4].data() : any_match_table;
            const std::size_t long_low_mask = Dictionary != 0 ? (1u << Dictionary) - 1 : any_long_low_mask;
            do {
                if (!Ascii && (b & 0x201) == 0 && room_end - o >= 2) [[likely]] {
                    // Two literals at once, as common as they are in poorly compressing data.
                    o[0] = static_cast<std::uint8_t>(b >> 1);
                    o[1] = static_cast<std::uint8_t>(b >> 10);
                    consume(18);
                    if (Checked && overran()) return stop(Status::truncated);
                    o += 2;
                    continue;
                }
                if ((b & 1) == 0) {
                    std::uint8_t literal;
                    if constexpr (Ascii) {
                        const DecodeEntry entry = ascii_decode[(b >> 1) & 0x1FFF];
                        literal = entry.symbol;
                        consume(1 + entry.bits);
                    } else {
                        literal = static_cast<std::uint8_t>(b >> 1);
                        consume(9);
                    }
                    if (Checked && overran()) return stop(Status::truncated);
                    if (o == room_end && !grow(1)) return stop(Status::output_limit);
                    *o++ = literal;
                    continue;
                }
                const std::uint32_t whole = match_table[(b >> 1) & 0xFFF];
                if constexpr (!Checked) {
                    // Topped up here, beside the look-up rather than after it.
                    if (in_end - in < 8) return true;
                    refill();
                }
                std::size_t length;
                std::size_t distance;
                if (whole != 0) {
                    length = whole >> 22;
                    const std::size_t low_mask = length == 2 ? pair_low_mask : long_low_mask;
                    distance = ((whole >> 10) & 0xFFF) + ((b >> ((whole >> 6) & 0xF)) & low_mask);
                    consume(whole & 0x3F);
                } else {
                    const LengthEntry length_entry = length_decode[(b >> 1) & 0x7F];
                    const unsigned code_end = 1 + length_entry.code_bits;
                    length = length_entry.base + static_cast<unsigned>((b >> code_end) & ((1u << length_entry.extra_bits) - 1));
                    consume(code_end + length_entry.extra_bits);
                    if (length == end_of_stream) {  // 15 bits: never read in one look-up
                        if (Checked && overran()) return stop(Status::truncated);
                        out = o;
                        return stop(Status::ok);
                    }
                    const DistanceEntry distance_entry = (length == 2 ? pair_table : long_table)[b & 0xFF];
                    distance = distance_entry.high + ((b >> distance_entry.code_bits) & distance_entry.low_mask) + 1;
                    consume(distance_entry.all_bits);
                }
                if (Checked && overran()) return stop(Status::truncated);
                if (distance > static_cast<std::size_t>(o - out_begin)) return stop(Status::bad_distance);
                if (length > static_cast<std::size_t>(room_end - o) && !grow(length)) return stop(Status::output_limit);
                o = copy_match(o, distance, length);
            } while (n >= round_bits);
            return true;
        };
        // While 8 input bytes remain, refills take real input only, so no
        // token can have used bits from past its end. This loop takes nearly
        // all the time: one copy per dictionary.
        auto unchecked = [&]<unsigned Dictionary>() __attribute__((always_inline)) {
            while (in_end - in >= 8) {
                refill();
                if (!tokens.template operator()<false, Dictionary>()) return false;
            }
            return true;
        };
        if (in_end - in >= 8) {
            const bool going = dictionary_bits == 4   ? unchecked.template operator()<4>()
                               : dictionary_bits == 5 ? unchecked.template operator()<5>()
                                                      : unchecked.template operator()<6>();
            if (!going) return status;
        }
        // The last bytes, copied before zero bytes, which are counted as
        // they are fed. Until a token uses one, the buffer holds all those
        // fed (at most 7), so top-ups read no further than 7 + 7 + 8 bytes.
        std::uint8_t last[24] = {};
        const std::size_t remaining = static_cast<std::size_t>(in_end - in);
        std::memcpy(last, in, remaining);
        const std::uint8_t* const last_end = last + remaining;
        in = last;
        for (;;) {
            refill();
            if (in > last_end) phantom = static_cast<std::size_t>(in - last_end);
            if (!tokens.template operator()<true>()) return status;
        }
    }
};

}  // namespace

Status explode(ByteSpan input, Bytes& output, std::size_t max_output)
{
    // Not cleared first: every byte kept is written here, and a reused
    // vector's bytes then need no zeroing on the way to their new size.
    Exploder exploder(input, output, max_output);
    const Status status = exploder.run();
    if (status == Status::ok)
        output.resize(static_cast<std::size_t>(exploder.out - exploder.begin));
    else
        output.clear();
    return status;
}

const char* describe(Status status)
{
    switch (status) {
    case Status::ok: return "the stream is sound";
    case Status::bad_header: return "the stream header names no known literal mode or dictionary size";
    case Status::truncated: return "the stream ends before its end code";
    case Status::invalid_code: return "the stream holds a bit pattern that is no code";
    case Status::bad_distance: return "a match reaches back before the start of the data";
    case Status::output_limit: return "the stream decodes to more bytes than allowed";
    }
    return "unknown status";
}

int dictionary_size_of_header(std::uint16_t header)
{
    switch (header) {
    case 0x0400: return 1024;
    case 0x0500: return 2048;
    case 0x0600: return 4096;
    default: return 0;
    }
}

}  // namespace mw::dcl

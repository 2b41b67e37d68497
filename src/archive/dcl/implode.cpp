// DCL implode encoder: hash-chain match finding and a cheapest-path parse
// over the bit costs of the fixed codes.
#include <algorithm>
#include <array>
#include <bit>
#include <cstring>
#include <memory>
#include <vector>

#include "archive/dcl/dcl.h"
#include "archive/dcl/dcl_format.h"

namespace mw::dcl {

namespace {

using namespace format;

// Encoder notes
//
// Costs in bits: a literal is 9; a match is 1 + its length code and extra
// bits + its distance code and low bits, 8 to 14 bits for length 2 and at
// most 17 for length 3. Every match costs less than the literals it
// replaces. Among matches of equal length the nearest is the cheapest, as
// distance codes never get shorter with distance.
//
// Match finding: 3-byte hash chains over every earlier position, walked
// nearest first to a bounded depth (or to a match as long as can be), find
// matches of 3 to 518 bytes; the last position of every 2-byte pair gives
// the nearest length-2 match, which counts only up to 256 bytes back. Where
// that pair lies beyond the dictionary, no match starts at all, and the
// chain is not walked. A position is stored plus `position_bias`, so an
// empty slot (0) reads as a distance beyond any dictionary and a chain ends
// where its distances pass the dictionary size. The candidates at a position
// come out longer and farther one after the other, so every length up to the
// longest has a known nearest distance.
//
// Parsing: the input is cut into blocks of up to `block_size` bytes. Within
// a block every offset gets the cheapest known cost of reaching it (from a
// literal or any length of any candidate at an earlier offset), and the
// block is written along the cheapest path to its end, from the end back as
// the path is found. An offset is searched only when the next one is not
// yet reached as cheaply: otherwise a match from it is nearly always found
// one byte later, one byte shorter, at no higher cost (with a
// `search_margin` of a bit or two, at little more). A match of
// `nice_length` bytes or more is taken as found and closes the block early;
// inside a match of `skip_length` bytes or more the finder is only updated,
// not searched.
constexpr std::uint32_t position_bias = 1u << 16;
static_assert(position_bias % (2 * 4096) == 0, "a stored position must index the chain as it is");
constexpr std::size_t max_input = 0xFFFFFFFFu - position_bias;
constexpr unsigned hash_bits = 14;

constexpr unsigned block_size = 4096;

struct Tuning {
    unsigned chain_depth;    // chain entries looked at per search
    unsigned nice_length;    // a match this long is taken at once and ends the block
    unsigned skip_length;    // no searches inside a match this long
    unsigned search_margin;  // no search where the next byte is reached at most this many bits dearer
};

// Measured on the test vectors and the benchmark corpus. Chain steps cost
// less than searches: deep chains find longer matches, which also make
// fewer tokens for the decoder. A search does not stop at the first fairly
// long match: on images and code a much longer one often lies farther back
// (a dither pattern's period, a repeated routine), and once found, the
// searches it skips pay for the walk. Searches inside matches pay off in
// compression (most on images) and cost the most time; the largest
// dictionary, whose chains are the longest, can afford the most of them.
constexpr Tuning tuning_for(unsigned dictionary_bits)
{
    switch (dictionary_bits) {
    case 4: return {32, 16, 5, 1};
    case 5: return {32, 16, 6, 1};
    default: return {32, 16, 7, 1};
    }
}

// Bits to send, in stream order.
struct Send {
    std::uint32_t value = 0;
    unsigned bits = 0;
};

// The first part of a token: for a length, its flag, code and extra bits;
// for "length" 1, a literal's flag alone.
constexpr std::array<Send, end_of_stream + 1> make_length_sends()
{
    std::array<Send, end_of_stream + 1> sends{};
    sends[1] = {0, 1};
    for (unsigned length = min_match; length <= end_of_stream; ++length) {
        const unsigned symbol = length_symbol(length);
        const Code code = length_codes[symbol];
        const std::uint32_t extra = length - length_base[symbol];
        sends[length] = {1u | (std::uint32_t{code.value} << 1) | (extra << (1 + code.bits)),
                         1u + code.bits + length_extra_bits[symbol]};
    }
    return sends;
}

constexpr auto length_sends = make_length_sends();

// A token is sent as two parts: the first by its length (a literal is
// length 1), the second from `Imploder::second_sends`, where a match of 3 or
// more bytes finds its distance part at its distance, a match of 2 bytes at
// `pair_seconds` + its distance, and a literal its byte at `literal_seconds`
// + the byte.
constexpr unsigned pair_seconds = 4097;
constexpr unsigned literal_seconds = pair_seconds + max_len2_distance + 1;
constexpr unsigned second_count = literal_seconds + 256;

// The parse keeps, for each offset of a block, one 64-bit word: the bits
// of the cheapest known way there in the upper half and the last token of
// that way in the lower half (its length, and where its second part is,
// shifted by `second_shift`). Taking the smaller of two words keeps the
// cheaper way without a branch.
constexpr unsigned second_shift = 10;
constexpr std::uint32_t length_mask = (1u << second_shift) - 1;
constexpr std::uint64_t unreached = UINT64_MAX;
constexpr std::uint64_t bits_one = std::uint64_t{1} << 32;

// The bits of a way, still in the upper half.
constexpr std::uint64_t bits_part(std::uint64_t way) { return way & ~std::uint64_t{0xFFFFFFFF}; }

// A literal as a way, but for its byte (added shifted by `second_shift`).
constexpr std::uint64_t literal_way = literal_bits * bits_one + (std::uint64_t{literal_seconds} << second_shift) + 1;

// Length part of a way: its bits and the length itself.
constexpr std::array<std::uint64_t, max_match + 1> make_length_ways()
{
    std::array<std::uint64_t, max_match + 1> ways{};
    for (unsigned length = min_match; length <= max_match; ++length)
        ways[length] = length_sends[length].bits * bits_one + length;
    return ways;
}

constexpr auto length_ways = make_length_ways();

// Second parts of tokens for one dictionary size; then the distance parts
// as parts of a way. Built at compile time, once for each size.
struct SecondTables {
    std::array<Send, second_count> sends{};
    std::array<std::uint64_t, 4097> distance_ways{};
    std::array<std::uint64_t, max_len2_distance + 1> pair_ways{};
};

constexpr SecondTables make_second_tables(unsigned dictionary_bits)
{
    SecondTables t;
    const unsigned window = 1u << (dictionary_bits + 6);
    for (unsigned d = 1; d <= window; ++d) {
        const unsigned below = d - 1;
        const Code code = distance_codes[below >> dictionary_bits];
        t.sends[d] = {code.value | ((below & (window / 64 - 1)) << code.bits), code.bits + dictionary_bits};
        t.distance_ways[d] = t.sends[d].bits * bits_one + (std::uint64_t{d} << second_shift);
    }
    for (unsigned d = 1; d <= max_len2_distance; ++d) {
        const unsigned below = d - 1;
        const Code code = distance_codes[below >> 2];
        t.sends[pair_seconds + d] = {code.value | ((below & 3) << code.bits), code.bits + 2u};
        t.pair_ways[d] = (length_sends[2].bits + t.sends[pair_seconds + d].bits) * bits_one +
                         (std::uint64_t{pair_seconds + d} << second_shift) + 2;
    }
    for (unsigned byte = 0; byte < 256; ++byte) t.sends[literal_seconds + byte] = {byte, 8};
    return t;
}

template <unsigned DictionaryBits>
constexpr SecondTables second_tables_for = make_second_tables(DictionaryBits);

const SecondTables& second_tables(unsigned dictionary_bits)
{
    switch (dictionary_bits) {
    case 4: return second_tables_for<4>;
    case 5: return second_tables_for<5>;
    default: return second_tables_for<6>;
    }
}

struct Match {
    unsigned length = 0;
    unsigned distance = 0;
};

std::uint32_t load_u32(const std::uint8_t* p)
{
    if constexpr (std::endian::native == std::endian::little) {
        std::uint32_t value;
        std::memcpy(&value, p, sizeof value);
        return value;
    } else {
        return std::uint32_t(p[0]) | (std::uint32_t(p[1]) << 8) | (std::uint32_t(p[2]) << 16) | (std::uint32_t(p[3]) << 24);
    }
}

std::uint64_t load_u64(const std::uint8_t* p)
{
    if constexpr (std::endian::native == std::endian::little) {
        std::uint64_t value;
        std::memcpy(&value, p, sizeof value);
        return value;
    } else {
        return std::uint64_t(load_u32(p)) | (std::uint64_t(load_u32(p + 4)) << 32);
    }
}

void store_u64(std::uint8_t* p, std::uint64_t value)
{
    if constexpr (std::endian::native == std::endian::little) {
        std::memcpy(p, &value, sizeof value);
    } else {
        for (int i = 0; i < 8; ++i) p[i] = static_cast<std::uint8_t>(value >> (8 * i));
    }
}

std::uint32_t load_u16(const std::uint8_t* p)
{
    std::uint16_t value;
    std::memcpy(&value, p, sizeof value);  // compared for equality only: byte order does not matter
    return value;
}

unsigned pair_at(const std::uint8_t* p) { return p[0] | (p[1] << 8); }

// Number of equal bytes at `earlier` and `here`, up to `limit`.
unsigned common_length(const std::uint8_t* earlier, const std::uint8_t* here, unsigned limit)
{
    unsigned n = 0;
    while (n + 8 <= limit) {
        const std::uint64_t diff = load_u64(earlier + n) ^ load_u64(here + n);
        if (diff != 0) {
            if constexpr (std::endian::native == std::endian::little)
                return n + static_cast<unsigned>(std::countr_zero(diff)) / 8;
            else
                break;  // find the byte one at a time below
        }
        n += 8;
    }
    while (n < limit && earlier[n] == here[n]) ++n;
    return n;
}

// The finder's tables are left unset where the input cannot reach them: a
// chain entry is read only for a position already added, and a head slot
// only for a hash or pair that occurs in the input, whose slots are cleared
// first (all at once for a large input, one by one for a small one). So a
// call costs little more than its input needs, and the stream does not
// depend on the way the slots were cleared.
template <typename T>
std::unique_ptr<T[]> unset_table(std::size_t count)
{
    return std::make_unique_for_overwrite<T[]>(count);
}

struct Imploder {
    Imploder(ByteSpan input, unsigned dict_bits)
        : data(input.data()),
          size(static_cast<std::uint32_t>(input.size())),
          dictionary_bits(dict_bits),
          window(1u << (dict_bits + 6)),
          chain_mask(std::bit_ceil(std::clamp(size, 1u, 2 * window)) - 1),
          tuning(tuning_for(dict_bits)),
          finder(unset_table<std::uint32_t>(pair_slots + head_slots + chain_mask + 1)),
          block_span(std::min<std::uint32_t>(size, block_size)),
          way(unset_table<std::uint64_t>(block_span + 1)),
          seconds(second_tables(dict_bits)),
          second_sends(seconds.sends),
          distance_ways(seconds.distance_ways),
          pair_ways(seconds.pair_ways)
    {
        clear_slots();
        std::fill(way.get(), way.get() + block_span + 1, unreached);
    }

    // Clears the head slots the input's hashes and pairs can reach.
    void clear_slots()
    {
        const bool clear_heads_one_by_one = size < head_slots / 4;
        const bool clear_pairs_one_by_one = size < pair_slots / 4;
        if (!clear_heads_one_by_one) std::fill(heads(), heads() + head_slots, 0u);
        if (!clear_pairs_one_by_one) std::fill(pairs(), pairs() + pair_slots, 0u);
        if (!clear_pairs_one_by_one) return;
        // One pass for both: the hash of the 3 bytes and the pair at each
        // position. The input is read 8 bytes at a time, four positions from
        // each read: a read waits for the writes before it until their slots
        // are known, so one read a position ran about 3 times as long.
        const auto clear_at = [&](std::uint32_t four) {
            if (clear_heads_one_by_one) heads()[hash_of(four & 0xFFFFFF)] = 0;
            pairs()[four & 0xFFFF] = 0;
        };
        std::uint32_t p = 0;
        for (; p + 8 <= size; p += 4) {
            const std::uint64_t eight = load_u64(data + p);
            for (unsigned k = 0; k < 4; ++k) clear_at(static_cast<std::uint32_t>(eight >> (8 * k)));
        }
        for (; p + 3 <= size; ++p) clear_at(three_at<true>(data + p, size - p));
        if (p + 2 <= size) pairs()[pair_at(data + p)] = 0;  // the last pair has no 3 bytes to hash
    }

    // Input and match finder.
    const std::uint8_t* data;
    std::uint32_t size;
    unsigned dictionary_bits;
    std::uint32_t window;
    std::uint32_t chain_mask;
    Tuning tuning;
    // The finder's three tables, in one block so that one register reaches
    // them all: by 2-byte value the latest position + bias, by 3-byte hash
    // the latest position + bias, and by position the previous one with
    // the same hash.
    static constexpr std::size_t pair_slots = std::size_t{1} << 16;
    static constexpr std::size_t head_slots = std::size_t{1} << hash_bits;
    std::unique_ptr<std::uint32_t[]> finder;
    std::uint32_t* pairs() const { return finder.get(); }
    std::uint32_t* heads() const { return finder.get() + pair_slots; }
    std::uint32_t* chains() const { return finder.get() + pair_slots + head_slots; }

    // Parse of one block: the cheapest known way to each offset, `unreached`
    // where there is none yet. Matches are offered up to `nice_length` - 1
    // bytes, so nothing past that many bytes after a block's end is reached.
    std::uint32_t block_span;  // the longest block this input has
    std::unique_ptr<std::uint64_t[]> way;
    unsigned reached_end = 0;    // the last offset the block before may have reached

    // Second parts of tokens; then the distance parts as parts of a way.
    const SecondTables& seconds;
    const std::array<Send, second_count>& second_sends;
    const std::array<std::uint64_t, 4097>& distance_ways;
    const std::array<std::uint64_t, max_len2_distance + 1>& pair_ways;

    // Output, after `headroom` bytes that put_block() may overwrite.
    static constexpr std::size_t headroom = 8;
    Bytes stream;
    std::uint8_t* to = nullptr;  // the byte that the next bit goes into
    unsigned pending_bits = 0;   // bits already in it

    static std::uint32_t hash_of(std::uint32_t three) { return (three * 2654435761u) >> (32 - hash_bits); }

    // Positions from `near_end` on have fewer than `far_from_end` bytes
    // left: only there are the input's end and the longest match checked.
    static constexpr std::uint32_t far_from_end = max_match + 8;
    std::uint32_t near_end = size > far_from_end ? size - far_from_end : 0;

    // The first 3 bytes at `p` (fewer than 4 may be left), for hashing.
    template <bool NearEnd>
    static std::uint32_t three_at(const std::uint8_t* p, std::uint32_t left)
    {
        return !NearEnd || left >= 4 ? load_u32(p) & 0xFFFFFF : p[0] | (p[1] << 8) | (p[2] << 16);
    }

    template <bool NearEnd>
    void insert(std::uint32_t position)
    {
        const std::uint8_t* p = data + position;
        const std::uint32_t left = size - position;
        if (NearEnd && left < 3) {
            if (left == 2) pairs()[pair_at(p)] = position + position_bias;
            return;
        }
        const std::uint32_t three = three_at<NearEnd>(p, left);
        std::uint32_t& head_slot = heads()[hash_of(three)];
        chains()[position & chain_mask] = head_slot;
        head_slot = position + position_bias;
        pairs()[three & 0xFFFF] = position + position_bias;
    }

    void relax(unsigned offset, std::uint64_t offer) { way[offset] = std::min(way[offset], offer); }

    // The way `before` followed by a literal of the byte at `position`.
    std::uint64_t with_literal(std::uint64_t before, std::uint32_t position) const
    {
        return bits_part(before) + literal_way + (std::uint64_t{data[position]} << second_shift);
    }

    // Offers lengths `from` to `to` of a match `distance` back at block offset `at`.
    void relax_lengths(unsigned at, unsigned from, unsigned to, unsigned distance)
    {
        const std::uint64_t base = bits_part(way[at]) + distance_ways[distance];
        std::uint64_t* const target = &way[at];
        for (unsigned length = from; length <= to; ++length)
            target[length] = std::min(target[length], base + length_ways[length]);
    }

    // Searches for matches at `position` (block offset `at`), offers their
    // lengths up to `room` to the parse and adds the position to the
    // finder. The candidates come nearest first, each longer than the one
    // before: the nearest length-2 pair, then the hash chain. Returns the
    // longest of 3 bytes or more (length 0 when there is none).
    template <bool NearEnd>
    Match search(unsigned at, std::uint32_t position, unsigned room)
    {
        const std::uint32_t left = size - position;
        const std::uint8_t* const here = data + position;
        const std::uint32_t biased = position + position_bias;
        if (NearEnd && left < 3) {
            // The last two bytes can still be a 2-byte match.
            if (left == 2) {
                std::uint32_t& last_pair = pairs()[pair_at(here)];
                const std::uint32_t distance = biased - last_pair;
                last_pair = biased;
                if (distance <= max_len2_distance && room >= 2) {
                    relax(at + 2, bits_part(way[at]) + pair_ways[distance]);
                    return {2, distance};
                }
            }
            return {};
        }
        const std::uint32_t three = three_at<NearEnd>(here, left);
        std::uint32_t& pair_slot = pairs()[three & 0xFFFF];
        const std::uint32_t pair_distance = biased - pair_slot;
        pair_slot = biased;
        std::uint32_t& head_slot = heads()[hash_of(three)];
        const std::uint32_t head_slot_before = head_slot;
        chains()[position & chain_mask] = head_slot_before;
        head_slot = biased;
        // Where the first two bytes occur nowhere in the window, no match
        // starts here.
        if (pair_distance > window) return {};

        const unsigned limit = NearEnd ? std::min<std::uint32_t>(left, max_match) : max_match;
        // Where the nearest pair goes on for 3 bytes or more, it is also the
        // nearest 3-byte match: the chain finds it there.
        if (pair_distance <= max_len2_distance && room >= 2) relax(at + 2, bits_part(way[at]) + pair_ways[pair_distance]);
        Match best;
        unsigned offered = 2;  // lengths up to this one are offered
        unsigned longest = 2;
        // The chain is walked by stored (biased) positions: the bias is a
        // multiple of the chain's size, so a stored position is its own index.
        std::uint32_t candidate = head_slot_before;
        for (unsigned depth = tuning.chain_depth; depth != 0; --depth) {
            const std::uint32_t distance = biased - candidate;
            if (distance > window) break;
            const std::uint8_t* const there = here - distance;
            if (load_u16(there + longest - 1) == load_u16(here + longest - 1)) {
                const unsigned length = common_length(there, here, limit);
                if (length > longest) {
                    longest = length;
                    best = {length, distance};
                    const unsigned last = std::min(length, room);
                    relax_lengths(at, offered + 1, last, distance);
                    offered = std::max(offered, last);
                    if (length >= limit) break;
                }
            }
            candidate = chains()[candidate & chain_mask];
        }
        return best;
    }

    // insert() and search() for a position that may be near the input's
    // end (`MaybeNearEnd`), where a check picks the version to run.
    template <bool MaybeNearEnd = true>
    void insert_at(std::uint32_t position)
    {
        if (MaybeNearEnd && position >= near_end)
            insert<true>(position);
        else
            insert<false>(position);
    }

    template <bool MaybeNearEnd>
    Match search_at(unsigned at, std::uint32_t position, unsigned room)
    {
        return MaybeNearEnd && position >= near_end ? search<true>(at, position, room)
                                                    : search<false>(at, position, room);
    }

    // A send: a token's bits in stream order in the lower half, their count
    // in the upper. The token is the lower half of a way.
    std::uint64_t send_of(std::uint32_t token) const
    {
        const Send first = length_sends[token & length_mask];
        const Send last = second_sends[token >> second_shift];
        return (std::uint64_t{first.bits + last.bits} << 32) | first.value | (last.value << first.bits);
    }

    // Writes the cheapest way through the block's first `end` bytes, then
    // `closing` if it is a token, and after the last block the end code.
    // They go in from the last back to the first, the order in which the
    // walk back finds the tokens: the bits they take in all are known, so
    // each goes in just below the ones after it. Whole words are stored;
    // the 8 bytes below the block, which they overwrite, are put back after.
    void put_block(unsigned end, std::uint32_t closing, bool last)
    {
        const std::uint64_t closing_send = closing != 0 ? send_of(closing) : 0;
        // The end code is a token of "length" `end_of_stream` whose second
        // part (`second_sends[0]`) is empty.
        const std::uint64_t end_send = last ? send_of(end_of_stream) : 0;
        const unsigned end_bit = pending_bits + static_cast<unsigned>(way[end] >> 32) +
                                 static_cast<unsigned>(closing_send >> 32) + static_cast<unsigned>(end_send >> 32);
        const std::uint64_t below = load_u64(to - 8);
        const std::uint8_t first = *to;  // holds the `pending_bits` bits before the block
        std::uint8_t* top = to + (end_bit + 7) / 8;
        std::uint64_t bits = 0;                  // the lowest `count` bits go just below `top`
        unsigned count = (8 - end_bit % 8) % 8;  // zeros after the block's last bit
        const auto put_below = [&](std::uint64_t send) {
            const auto n = static_cast<unsigned>(send >> 32);
            bits = (bits << n) | static_cast<std::uint32_t>(send);
            count += n;
            store_u64(top - 8, bits << (64 - count));
            top -= count / 8;
            count %= 8;
        };
        if (last) put_below(end_send);
        if (closing != 0) put_below(closing_send);
        for (unsigned at = end; at != 0;) {
            const auto token = static_cast<std::uint32_t>(way[at]);
            put_below(send_of(token));
            at -= token & length_mask;
        }
        store_u64(to - 8, below);
        *to |= first;
        to += end_bit / 8;
        pending_bits = end_bit % 8;
        // The literal from `end` may have reached one offset further.
        reached_end = std::min(end + tuning.nice_length, block_span);
    }

    // How a block's parse ended: the offset its cheapest way runs to, the
    // token after that if there is one (0 if not), and the position after
    // the block.
    struct BlockEnd {
        unsigned end;
        std::uint32_t closing;
        std::uint32_t after;
    };

    // Parses and writes one block from `start`; returns the position after it.
    std::uint32_t encode_block(std::uint32_t start)
    {
        // Most blocks lie wholly before `near_end`: their positions need no
        // check of the input's end.
        const std::uint32_t last = start + std::min<std::uint32_t>(block_size, size - start);
        const BlockEnd block = last <= near_end ? parse_block<false>(start) : parse_block<true>(start);
        put_block(block.end, block.closing, block.after == size);
        return block.after;
    }

    template <bool NearEnd>
    BlockEnd parse_block(std::uint32_t start)
    {
        const unsigned span = static_cast<unsigned>(std::min<std::uint32_t>(block_size, size - start));
        // What the block before reached is unreached again (after the last
        // block nothing needs it).
        std::fill(way.get() + 1, way.get() + reached_end + 1, unreached);
        way[0] = 0;
        // The way to the current offset, carried from one offset to the
        // next in a register: only the literal offer changes the next one
        // after it is read (matches reach 2 bytes or more ahead).
        std::uint64_t here = 0;
        const std::uint64_t search_above = (tuning.search_margin + 1) * bits_one;
        for (unsigned at = 0; at < span; ++at) {
            const std::uint32_t position = start + at;
            const std::uint64_t next = std::min(way[at + 1], with_literal(here, position));
            way[at + 1] = next;
            const std::uint64_t now = here;
            here = next;
            if (next < bits_part(now) + search_above) {
                // The next byte is reached (about) as cheaply as this one:
                // whatever starts here is found one byte later, shorter by
                // one and costing no more, so there is no need to search here.
                insert_at<NearEnd>(position);
                continue;
            }
            const Match longest = search_at<NearEnd>(at, position, std::min(span - at, tuning.nice_length - 1));
            if (longest.length >= tuning.nice_length) {
                // Long enough to take as it is (3 bytes or more, so its
                // second part is at its distance): end the block here.
                for (std::uint32_t p = position + 1; p < position + longest.length; ++p) insert_at(p);
                return {at, (longest.distance << second_shift) | longest.length, position + longest.length};
            }
            if (longest.length >= tuning.skip_length) {
                // Inside a long match: keep the finder up to date, search no more.
                const unsigned stop = std::min(at + longest.length, span);
                for (++at; at < stop; ++at) {
                    relax(at + 1, with_literal(way[at], start + at));
                    insert_at<NearEnd>(start + at);
                }
                --at;
                here = way[at + 1];
            }
        }
        return {span, 0, start + span};
    }

    Bytes run()
    {
        // At most 9 bits a byte plus the end code.
        stream.resize(headroom + 2 + (std::size_t{size} * literal_bits + 16 + 7) / 8);
        stream[headroom] = 0;
        stream[headroom + 1] = static_cast<std::uint8_t>(dictionary_bits);
        to = stream.data() + headroom + 2;
        // An empty input is one empty block, which the end code follows.
        std::uint32_t position = 0;
        do position = encode_block(position);
        while (position < size);
        if (pending_bits > 0) ++to;
        stream.resize(static_cast<std::size_t>(to - stream.data()));
        stream.erase(stream.begin(), stream.begin() + headroom);
        return std::move(stream);
    }
};

}  // namespace

Bytes implode(ByteSpan input, int dictionary_size)
{
    unsigned dictionary_bits = 0;
    switch (dictionary_size) {
    case 1024: dictionary_bits = 4; break;
    case 2048: dictionary_bits = 5; break;
    case 4096: dictionary_bits = 6; break;
    default: return {};
    }
    if (input.size() > max_input) return {};
    Imploder imploder(input, dictionary_bits);
    return imploder.run();
}

}  // namespace mw::dcl

// DCL implode encoder: hash-chain match finding and a cheapest-path parse
// over the bit costs of the fixed codes.
#include <algorithm>
#include <bit>
#include <cstring>
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
// nearest first to a bounded depth, find matches of 3 to 518 bytes; the last
// position of every 2-byte pair gives the nearest length-2 match, which
// counts only up to 256 bytes back. A position is stored plus
// `position_bias`, so an empty slot (0) reads as a distance beyond any
// dictionary and a chain ends where its distances pass the dictionary size.
// The candidates at a position come out longer and farther one after the
// other, so every length up to the longest has a known nearest distance.
//
// Parsing: the input is cut into blocks of up to `block_size` bytes. Within
// a block every offset gets the cheapest known cost of reaching it (from a
// literal or any length of any candidate at an earlier offset), and the
// block is sent along the cheapest path to its end. A match of
// `nice_length` bytes or more is taken as found and closes the block early;
// inside a match of `skip_length` bytes or more the finder is only updated,
// not searched.
constexpr std::uint32_t position_bias = 1u << 16;
constexpr std::size_t max_input = 0xFFFFFFFFu - position_bias;
constexpr unsigned hash_bits = 14;

constexpr unsigned block_size = 4096;

struct Tuning {
    unsigned chain_depth;  // chain entries looked at per search
    unsigned nice_length;  // a match this long is taken at once and ends the block
    unsigned skip_length;  // no searches inside a match this long
};

// Measured on the test vectors and the benchmark corpus: deeper chains pay
// off more with larger dictionaries, while most of the time goes into the
// per-position work of the parse, not into the chains.
constexpr Tuning tuning_for(unsigned dictionary_bits)
{
    switch (dictionary_bits) {
    case 4: return {4, 16, 6};
    case 5: return {6, 24, 6};
    default: return {12, 24, 6};
    }
}

// The bits that send a length (flag, code, extra bits) in stream order.
struct LengthSend {
    std::uint32_t value = 0;
    unsigned bits = 0;
};

constexpr std::array<LengthSend, end_of_stream + 1> make_length_sends()
{
    std::array<LengthSend, end_of_stream + 1> sends{};
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

struct Match {
    unsigned length = 0;
    unsigned distance = 0;
};

// How the parse reaches an offset: a literal (length 1) or a match; `next`
// links the chosen tokens forward once the block is decided.
struct Step {
    std::uint32_t length = 0;
    std::uint32_t distance = 0;
    std::uint32_t next = 0;
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

struct Imploder {
    Imploder(ByteSpan input, unsigned dict_bits)
        : data(input.data()),
          size(static_cast<std::uint32_t>(input.size())),
          dictionary_bits(dict_bits),
          window(1u << (dict_bits + 6)),
          chain_mask(2 * window - 1),
          tuning(tuning_for(dict_bits)),
          head(std::size_t{1} << hash_bits, 0),
          chain(2 * window, 0),
          pair_head(1u << 16, 0),
          price(block_size + 1),
          step(block_size + 1)
    {
        for (unsigned d = 1; d <= window; ++d)
            distance_cost[d] = static_cast<std::uint8_t>(distance_code_bits[(d - 1) >> dictionary_bits] + dictionary_bits);
        for (unsigned d = 1; d <= max_len2_distance; ++d)
            pair_distance_cost[d] = static_cast<std::uint8_t>(distance_code_bits[(d - 1) >> 2] + 2);
    }

    // Input and match finder.
    const std::uint8_t* data;
    std::uint32_t size;
    unsigned dictionary_bits;
    std::uint32_t window;
    std::uint32_t chain_mask;
    Tuning tuning;
    std::vector<std::uint32_t> head;       // by 3-byte hash: latest position + bias
    std::vector<std::uint32_t> chain;      // by position: the previous one with that hash
    std::vector<std::uint32_t> pair_head;  // by 2-byte value: latest position + bias
    std::array<std::uint8_t, 4097> distance_cost{};
    std::array<std::uint8_t, max_len2_distance + 1> pair_distance_cost{};

    // Parse of one block: the cheapest known way to reach each offset.
    std::vector<std::uint32_t> price;  // bits from the block start
    std::vector<Step> step;            // the last token of that way
    std::array<Match, max_match + 2> found{};

    // Output.
    Bytes stream;
    std::uint8_t* to = nullptr;
    std::uint64_t pending = 0;
    unsigned pending_bits = 0;

    std::uint32_t hash_at(const std::uint8_t* p) const
    {
        const std::uint32_t three = p[0] | (p[1] << 8) | (p[2] << 16);
        return (three * 2654435761u) >> (32 - hash_bits);
    }

    void insert(std::uint32_t position)
    {
        const std::uint8_t* p = data + position;
        const std::uint32_t left = size - position;
        if (left >= 3) {
            const std::uint32_t h = hash_at(p);
            chain[position & chain_mask] = head[h];
            head[h] = position + position_bias;
        }
        if (left >= 2) pair_head[pair_at(p)] = position + position_bias;
    }

    // Candidates at `position` into `found`, each longer and farther than the
    // one before: the nearest length-2 pair, then hash-chain matches; then
    // adds the position to the finder. Returns the number of candidates.
    unsigned find_and_insert(std::uint32_t position)
    {
        const std::uint32_t left = size - position;
        if (left < 2) return 0;
        const std::uint8_t* here = data + position;
        std::uint32_t& pair_slot = pair_head[pair_at(here)];
        const std::uint32_t pair_distance = position + position_bias - pair_slot;
        pair_slot = position + position_bias;
        const unsigned limit = std::min<std::uint32_t>(left, max_match);
        unsigned count = 0;
        unsigned longest = 2;  // a chain candidate must be longer than this
        if (pair_distance <= max_len2_distance) {
            longest = common_length(here - pair_distance, here, limit);
            found[count++] = {longest, pair_distance};
        }
        if (left < 3) return count;

        std::uint32_t& head_slot = head[hash_at(here)];
        std::uint32_t distance = position + position_bias - head_slot;
        chain[position & chain_mask] = head_slot;
        head_slot = position + position_bias;
        if (longest >= limit) return count;
        for (unsigned depth = tuning.chain_depth; distance <= window && depth != 0; --depth) {
            const std::uint8_t* there = here - distance;
            if (there[longest] == here[longest] && there[0] == here[0] && there[1] == here[1]) {
                const unsigned length = common_length(there, here, limit);
                if (length > longest) {
                    longest = length;
                    found[count++] = {length, distance};
                    if (length >= tuning.nice_length || length >= limit) break;
                }
            }
            distance = position + position_bias - chain[(position - distance) & chain_mask];
        }
        return count;
    }

    // Offsets up to `priced` have a price; the rest of the block is unknown
    // and priced on first reach, as most blocks end long before their size.
    unsigned priced = 0;

    void reach(unsigned offset)
    {
        if (offset <= priced) return;
        const unsigned end = std::min(offset + 64, block_size);
        std::fill(price.begin() + priced + 1, price.begin() + end + 1, UINT32_MAX);
        priced = end;
    }

    void relax(unsigned offset, std::uint32_t cost, Step how)
    {
        if (cost < price[offset]) {
            price[offset] = cost;
            step[offset] = how;
        }
    }

    // Offers every length of every candidate at block offset `at`.
    void relax_matches(unsigned at, unsigned count, unsigned room)
    {
        reach(at + std::min(found[count - 1].length, room));
        unsigned length = 2;
        for (unsigned k = 0; k < count; ++k) {
            const Match m = found[k];
            const unsigned last = std::min(m.length, room);
            if (length == 2) {
                if (m.distance <= max_len2_distance && last >= 2)
                    relax(at + 2, price[at] + length_sends[2].bits + pair_distance_cost[m.distance], {2, m.distance});
                length = 3;
            }
            const std::uint32_t base = price[at] + distance_cost[m.distance];
            for (; length <= last; ++length) relax(at + length, base + length_sends[length].bits, {length, m.distance});
        }
    }

    void put(std::uint32_t value, unsigned bits)
    {
        pending |= std::uint64_t{value} << pending_bits;
        pending_bits += bits;
        if (pending_bits >= 32) {
            const std::uint32_t word = static_cast<std::uint32_t>(pending);
            if constexpr (std::endian::native == std::endian::little) {
                std::memcpy(to, &word, 4);
            } else {
                for (int i = 0; i < 4; ++i) to[i] = static_cast<std::uint8_t>(word >> (8 * i));
            }
            to += 4;
            pending >>= 32;
            pending_bits -= 32;
        }
    }

    void put_literal(std::uint8_t byte) { put(std::uint32_t{byte} << 1, literal_bits); }

    void put_match(unsigned length, unsigned distance)
    {
        const LengthSend send = length_sends[length];
        put(send.value, send.bits);
        const unsigned low_bits = distance_low_bits(length, dictionary_bits);
        const std::uint32_t below = distance - 1;
        const Code code = distance_codes[below >> low_bits];
        put(code.value | ((below & ((1u << low_bits) - 1)) << code.bits), code.bits + low_bits);
    }

    // Sends the cheapest way through the block's first `end` bytes.
    void put_block(std::uint32_t start, unsigned end)
    {
        // Walk back, chaining each token to the one after it, then forward.
        unsigned next = end + 1;  // past the end: the walk's terminator
        for (unsigned at = end; at != 0;) {
            const unsigned before = at - step[at].length;
            step[at].next = next;
            next = at;
            at = before;
        }
        for (unsigned at = 0; next <= end; at = next, next = step[next].next) {
            const Step& s = step[next];
            if (s.length == 1)
                put_literal(data[start + at]);
            else
                put_match(s.length, s.distance);
        }
    }

    // Parses one block from `start`; returns the position after it.
    std::uint32_t parse_block(std::uint32_t start)
    {
        const unsigned span = static_cast<unsigned>(std::min<std::uint32_t>(block_size, size - start));
        price[0] = 0;
        priced = 0;
        for (unsigned at = 0; at < span; ++at) {
            const std::uint32_t position = start + at;
            reach(at + 1);
            relax(at + 1, price[at] + literal_bits, {1, 0});
            const unsigned count = find_and_insert(position);
            if (count == 0) continue;
            const Match longest = found[count - 1];
            if (longest.length >= tuning.nice_length) {
                // Long enough to take as it is: end the block here.
                put_block(start, at);
                put_match(longest.length, longest.distance);
                for (std::uint32_t p = position + 1; p < position + longest.length; ++p) insert(p);
                return position + longest.length;
            }
            relax_matches(at, count, span - at);
            if (longest.length >= tuning.skip_length) {
                // Inside a long-ish match: keep the finder up to date, search no more.
                const unsigned stop = std::min(at + longest.length, span);
                for (++at; at < stop; ++at) {
                    reach(at + 1);
                    relax(at + 1, price[at] + literal_bits, {1, 0});
                    insert(start + at);
                }
                --at;
            }
        }
        put_block(start, span);
        return start + span;
    }

    Bytes run()
    {
        // At most 9 bits a byte plus the end code, and a word of room for put().
        stream.resize(2 + (std::size_t{size} * literal_bits + 16 + 7) / 8 + 8);
        stream[0] = 0;
        stream[1] = static_cast<std::uint8_t>(dictionary_bits);
        to = stream.data() + 2;
        for (std::uint32_t position = 0; position < size;) position = parse_block(position);
        const LengthSend end = length_sends[end_of_stream];
        put(end.value, end.bits);
        while (pending_bits > 0) {
            *to++ = static_cast<std::uint8_t>(pending);
            pending >>= 8;
            pending_bits = pending_bits > 8 ? pending_bits - 8 : 0;
        }
        stream.resize(static_cast<std::size_t>(to - stream.data()));
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

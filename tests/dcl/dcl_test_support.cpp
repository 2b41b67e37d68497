#include "dcl/dcl_test_support.h"

#include <algorithm>
#include <fstream>
#include <sstream>

#include "archive/dcl/dcl_format.h"
#include "support/workspace_fixture.h"

namespace mw::test {

namespace {

std::size_t number_or_zero(const std::string& text) { return text.empty() ? 0 : std::stoul(text); }

std::vector<std::string> split_tabs(const std::string& line)
{
    std::vector<std::string> fields;
    std::string field;
    std::istringstream in(line);
    while (std::getline(in, field, '\t')) fields.push_back(field);
    if (!line.empty() && line.back() == '\t') fields.emplace_back();
    return fields;
}

class BitSource {
public:
    explicit BitSource(ByteSpan data) : data_(data) {}
    bool bit(unsigned& value)
    {
        if (position_ >= data_.size() * 8) return false;
        value = (data_[position_ / 8] >> (position_ % 8)) & 1;
        ++position_;
        return true;
    }
    bool bits(unsigned count, unsigned& value)
    {
        value = 0;
        for (unsigned i = 0; i < count; ++i) {
            unsigned b = 0;
            if (!bit(b)) return false;
            value |= b << i;
        }
        return true;
    }

private:
    ByteSpan data_;
    std::size_t position_ = 0;
};

// Canonical decoding: codes of each length are consecutive numbers, sent inverted.
struct Canonical {
    std::array<unsigned, 17> count{};
    std::vector<unsigned> symbols;  // by code length, then by symbol
};

template <std::size_t N>
Canonical canonical(const std::array<std::uint8_t, N>& code_bits)
{
    Canonical table;
    for (unsigned length = 1; length <= 16; ++length)
        for (unsigned s = 0; s < N; ++s)
            if (code_bits[s] == length) {
                table.symbols.push_back(s);
                ++table.count[length];
            }
    return table;
}

bool decode_symbol(BitSource& source, const Canonical& table, unsigned& symbol)
{
    unsigned code = 0, first = 0, index = 0;
    for (unsigned length = 1; length <= 16; ++length) {
        unsigned b = 0;
        if (!source.bit(b)) return false;
        code |= b ^ 1;
        if (code - first < table.count[length]) {
            symbol = table.symbols[index + code - first];
            return true;
        }
        index += table.count[length];
        first = (first + table.count[length]) << 1;
        code <<= 1;
    }
    return false;
}

}  // namespace

Bytes dcl_testdata(const std::string& name) { return read_bytes(testdata("dcl/" + name)); }

std::vector<ManifestStream> manifest_streams()
{
    std::ifstream in(testdata("dcl/manifest.tsv"));
    EXPECT_TRUE(static_cast<bool>(in)) << "cannot read the DCL manifest";
    std::vector<ManifestStream> streams;
    std::string line;
    std::getline(in, line);  // column names
    while (std::getline(in, line)) {
        const auto f = split_tabs(line);
        if (f.size() < 12 || f[3].empty()) continue;  // an input, not a stream
        ManifestStream s;
        s.file = f[0];
        s.decodes_to = f[3];
        s.dictionary = std::stoi(f[4]);
        s.literals = number_or_zero(f[5]);
        s.matches = number_or_zero(f[6]);
        s.max_length = number_or_zero(f[7]);
        s.max_distance_len3plus = number_or_zero(f[8]);
        s.len2_matches = number_or_zero(f[9]);
        s.max_distance_len2 = number_or_zero(f[10]);
        s.min_distance = number_or_zero(f[11]);
        streams.push_back(s);
    }
    return streams;
}

SlowResult slow_explode(ByteSpan stream, std::size_t max_output)
{
    using dcl::Status;
    namespace f = dcl::format;
    SlowResult result;
    auto fail = [&](Status status) {
        result.status = status;
        result.output.clear();
        return result;
    };
    if (stream.size() < 2) return fail(Status::truncated);
    if (stream[0] > 1 || stream[1] < 4 || stream[1] > 6) return fail(Status::bad_header);
    result.stats.mode = stream[0];
    result.stats.dictionary_bits = stream[1];
    static const Canonical lengths = canonical(f::length_code_bits);
    static const Canonical distances = canonical(f::distance_code_bits);
    static const Canonical ascii = canonical(f::ascii_code_bits);
    BitSource source(stream.subspan(2));
    for (;;) {
        unsigned flag = 0;
        if (!source.bit(flag)) return fail(Status::truncated);
        if (flag == 0) {
            unsigned byte = 0;
            const bool read = stream[0] == 0 ? source.bits(8, byte) : decode_symbol(source, ascii, byte);
            if (!read) return fail(Status::truncated);
            if (result.output.size() >= max_output) return fail(Status::output_limit);
            result.output.push_back(static_cast<std::uint8_t>(byte));
            ++result.stats.literals;
            continue;
        }
        unsigned symbol = 0, extra = 0, upper = 0, low = 0;
        if (!decode_symbol(source, lengths, symbol)) return fail(Status::truncated);
        if (!source.bits(f::length_extra_bits[symbol], extra)) return fail(Status::truncated);
        const unsigned length = f::length_base[symbol] + extra;
        if (length == 519) return result;
        if (!decode_symbol(source, distances, upper)) return fail(Status::truncated);
        const unsigned low_bits = length == 2 ? 2 : stream[1];
        if (!source.bits(low_bits, low)) return fail(Status::truncated);
        const std::size_t distance = ((upper << low_bits) | low) + 1;
        if (distance > result.output.size()) return fail(Status::bad_distance);
        if (length > max_output - result.output.size()) return fail(Status::output_limit);
        for (unsigned i = 0; i < length; ++i) result.output.push_back(result.output[result.output.size() - distance]);
        TokenStats& s = result.stats;
        ++s.matches;
        s.max_length = std::max<std::size_t>(s.max_length, length);
        s.min_distance = s.min_distance == 0 ? distance : std::min(s.min_distance, distance);
        if (length == 2) {
            ++s.len2_matches;
            s.max_distance_len2 = std::max(s.max_distance_len2, distance);
        } else {
            s.max_distance_len3plus = std::max(s.max_distance_len3plus, distance);
        }
    }
}

StreamWriter::StreamWriter(int mode, int dictionary_bits) : mode_(mode), dictionary_bits_(dictionary_bits)
{
    data_ = {static_cast<std::uint8_t>(mode), static_cast<std::uint8_t>(dictionary_bits)};
}

StreamWriter& StreamWriter::raw_bits(std::uint32_t value, unsigned count)
{
    for (unsigned i = 0; i < count; ++i) {
        pending_ |= ((value >> i) & 1) << pending_bits_;
        if (++pending_bits_ == 8) {
            data_.push_back(static_cast<std::uint8_t>(pending_));
            pending_ = 0;
            pending_bits_ = 0;
        }
    }
    return *this;
}

StreamWriter& StreamWriter::literal(std::uint8_t byte)
{
    raw_bits(0, 1);
    if (mode_ == 0) return raw_bits(byte, 8);
    return raw_bits(dcl::format::ascii_codes[byte].value, dcl::format::ascii_codes[byte].bits);
}

StreamWriter& StreamWriter::match(unsigned length, unsigned distance)
{
    namespace f = dcl::format;
    const unsigned symbol = f::length_symbol(length);
    raw_bits(1, 1);
    raw_bits(f::length_codes[symbol].value, f::length_codes[symbol].bits);
    raw_bits(length - f::length_base[symbol], f::length_extra_bits[symbol]);
    if (length == 519) return *this;
    const unsigned low_bits = length == 2 ? 2 : static_cast<unsigned>(dictionary_bits_);
    const unsigned upper = (distance - 1) >> low_bits;
    raw_bits(f::distance_codes[upper].value, f::distance_codes[upper].bits);
    return raw_bits(distance - 1, low_bits);
}

StreamWriter& StreamWriter::end() { return match(519, 0); }

Bytes StreamWriter::bytes() const
{
    Bytes out = data_;
    if (pending_bits_ != 0) out.push_back(static_cast<std::uint8_t>(pending_));
    return out;
}

}  // namespace mw::test

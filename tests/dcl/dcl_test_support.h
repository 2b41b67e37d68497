// Test helpers for the DCL codec: the shared test vectors' manifest, a
// deliberately simple bit-by-bit decoder to cross-check the table-driven one,
// and a bit writer for hand-assembled streams.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "archive/byte_io.h"
#include "archive/dcl/dcl.h"

namespace mw::test {

// One stream row of testdata/dcl/manifest.tsv (empty statistics read as 0).
struct ManifestStream {
    std::string file;        // NAME.dNNNN.pk
    std::string decodes_to;  // NAME.raw
    int dictionary = 0;
    std::size_t literals = 0, matches = 0, max_length = 0, max_distance_len3plus = 0;
    std::size_t len2_matches = 0, max_distance_len2 = 0, min_distance = 0;
    bool hand_made() const { return file.rfind("hand_", 0) == 0; }
};

std::vector<ManifestStream> manifest_streams();
Bytes dcl_testdata(const std::string& name);

// What the simple decoder saw in a stream.
struct TokenStats {
    std::size_t literals = 0, matches = 0, max_length = 0, max_distance_len3plus = 0;
    std::size_t len2_matches = 0, max_distance_len2 = 0, min_distance = 0;
    int mode = -1, dictionary_bits = 0;
};

struct SlowResult {
    dcl::Status status = dcl::Status::ok;
    Bytes output;
    TokenStats stats;
};

// Decodes one bit at a time with canonical first-code arithmetic; shares
// only the code-length lists with the codec.
SlowResult slow_explode(ByteSpan stream, std::size_t max_output);

// Writes a stream token by token, for streams the encoder would not make.
class StreamWriter {
public:
    StreamWriter(int mode, int dictionary_bits);
    StreamWriter& literal(std::uint8_t byte);
    StreamWriter& match(unsigned length, unsigned distance);
    StreamWriter& end();
    StreamWriter& raw_bits(std::uint32_t value, unsigned count);
    Bytes bytes() const;

private:
    Bytes data_;
    std::uint32_t pending_ = 0;
    unsigned pending_bits_ = 0;
    int mode_;
    int dictionary_bits_;
};

}  // namespace mw::test

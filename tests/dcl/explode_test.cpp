#include <gtest/gtest.h>

#include <random>
#include <string>

#include "archive/dcl/dcl.h"
#include "dcl/dcl_test_support.h"

namespace mw::test {
namespace {

using dcl::Status;

constexpr std::size_t archive_limit = 16'777'215;

Bytes text_bytes(const std::string& text) { return Bytes(text.begin(), text.end()); }

TEST(DclExplode, EveryReferenceStreamDecodesToItsInput)
{
    const auto streams = manifest_streams();
    ASSERT_GE(streams.size(), 40u);
    std::vector<std::string> failures;
    for (const ManifestStream& s : streams) {
        const Bytes stream = dcl_testdata(s.file);
        Bytes output;
        const Status status = dcl::explode(stream, output, archive_limit);
        if (status != Status::ok)
            failures.push_back(s.file + ": " + dcl::describe(status));
        else if (output != dcl_testdata(s.decodes_to))
            failures.push_back(s.file + ": decodes to other bytes than " + s.decodes_to);
    }
    EXPECT_TRUE(failures.empty()) << ::testing::PrintToString(failures);
}

// The bit-by-bit decoder sees the tokens the manifest lists, so it is a fair
// yardstick for the fuzz comparisons below.
TEST(DclExplode, SlowDecoderAgreesWithTheManifestStatistics)
{
    for (const ManifestStream& s : manifest_streams()) {
        SCOPED_TRACE(s.file);
        const SlowResult r = slow_explode(dcl_testdata(s.file), archive_limit);
        ASSERT_EQ(r.status, Status::ok);
        EXPECT_EQ(r.output, dcl_testdata(s.decodes_to));
        EXPECT_EQ(r.stats.literals, s.literals);
        EXPECT_EQ(r.stats.matches, s.matches);
        EXPECT_EQ(r.stats.max_length, s.max_length);
        EXPECT_EQ(r.stats.max_distance_len3plus, s.max_distance_len3plus);
        EXPECT_EQ(r.stats.len2_matches, s.len2_matches);
        EXPECT_EQ(r.stats.max_distance_len2, s.max_distance_len2);
        EXPECT_EQ(r.stats.min_distance, s.min_distance);
        EXPECT_EQ(1 << (r.stats.dictionary_bits + 6), s.dictionary);
    }
}

TEST(DclExplode, SmallKnownStreams)
{
    struct Case {
        const char* name;
        Bytes stream;
        std::string text;
    };
    const Case cases[] = {
        {"binary, overlapping match", {0x00, 0x04, 0x82, 0x24, 0x25, 0x8F, 0x80, 0x7F}, "AIAIAIAIAIAIA"},
        {"ASCII, two spaces", {0x01, 0x04, 0xDE, 0x07, 0xFC, 0x03}, "  "},
        {"empty, 4 bytes", {0x00, 0x06, 0x01, 0xFF}, ""},
        {"bytes after the end code are ignored", {0x00, 0x06, 0x01, 0xFF, 0x55, 0xAA}, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Bytes output{1, 2, 3};
        EXPECT_EQ(dcl::explode(c.stream, output, 100), Status::ok);
        EXPECT_EQ(output, text_bytes(c.text));
    }
}

TEST(DclExplode, AsciiModeLiteralsAndMatches)
{
    const std::string text = "The quick brown fox; \x01\x7F\x80\xFF 0123456789 the end.";
    StreamWriter writer(1, 5);
    for (char c : text) writer.literal(static_cast<std::uint8_t>(c));
    writer.match(20, static_cast<unsigned>(text.size())).match(2, 3).match(518, 1).end();
    const Bytes stream = writer.bytes();

    const SlowResult expected = slow_explode(stream, archive_limit);
    ASSERT_EQ(expected.status, Status::ok);
    EXPECT_EQ(Bytes(expected.output.begin(), expected.output.begin() + text.size()), text_bytes(text));
    EXPECT_EQ(expected.output.size(), text.size() + 20 + 2 + 518);
    Bytes output;
    EXPECT_EQ(dcl::explode(stream, output, archive_limit), Status::ok);
    EXPECT_EQ(output, expected.output);
}

// Match copies take different paths by distance (below 8, below 16, longer)
// and by length; each pairing, and a match right after another, must give the
// bytes of a byte-by-byte copy. The output vector arrives full of other bytes,
// which explode() reuses without clearing: none of them may show through.
TEST(DclExplode, MatchCopiesAtEveryShortDistanceAndLength)
{
    for (unsigned distance = 1; distance <= 40; ++distance) {
        StreamWriter writer(0, 4);
        for (unsigned i = 0; i < distance; ++i) writer.literal(static_cast<std::uint8_t>('a' + i % 26));
        for (unsigned length = 2; length <= 40; ++length) writer.match(length, distance).literal('#');
        writer.match(518, distance).match(3, distance).end();
        const Bytes stream = writer.bytes();
        SCOPED_TRACE(distance);
        const SlowResult expected = slow_explode(stream, archive_limit);
        ASSERT_EQ(expected.status, Status::ok);
        Bytes output(2 * expected.output.size(), 0xA5);
        ASSERT_EQ(dcl::explode(stream, output, archive_limit), Status::ok);
        EXPECT_EQ(output, expected.output);
    }
}

// A match is read in one look-up when its length and distance codes fit in
// 12 bits, else in more: every length at every dictionary, far (the longest
// distance code) and near (the shortest).
TEST(DclExplode, EveryMatchLength)
{
    for (int dictionary_bits = 4; dictionary_bits <= 6; ++dictionary_bits) {
        const unsigned far = 1u << (dictionary_bits + 6);
        StreamWriter writer(0, dictionary_bits);
        for (unsigned i = 0; i < far; ++i) writer.literal(static_cast<std::uint8_t>(i * 7 + i / 256));
        for (unsigned length = 2; length <= 518; ++length) writer.match(length, length == 2 ? 256 : far).match(length, 3);
        const Bytes stream = writer.end().bytes();
        SCOPED_TRACE(dictionary_bits);
        const SlowResult expected = slow_explode(stream, archive_limit);
        ASSERT_EQ(expected.status, Status::ok);
        Bytes output;
        ASSERT_EQ(dcl::explode(stream, output, archive_limit), Status::ok);
        EXPECT_EQ(output, expected.output);
    }
}

TEST(DclExplode, HeadersAndShortInputs)
{
    struct Case {
        Bytes stream;
        Status status;
    };
    const Case cases[] = {
        {{}, Status::truncated},
        {{0x00}, Status::truncated},
        {{0x00, 0x04}, Status::truncated},
        {{0x01, 0x06}, Status::truncated},
        {{0x02, 0x04, 0x01, 0xFF}, Status::bad_header},
        {{0xFF, 0x04, 0x01, 0xFF}, Status::bad_header},
        {{0x00, 0x03, 0x01, 0xFF}, Status::bad_header},
        {{0x00, 0x07, 0x01, 0xFF}, Status::bad_header},
        {{0x04, 0x00, 0x01, 0xFF}, Status::bad_header},  // the header bytes swapped
        {{0x00, 0x04, 0x01, 0xFF}, Status::ok},
        {{0x01, 0x05, 0x01, 0xFF}, Status::ok},
        {{0x00, 0x06, 0x01}, Status::truncated},
        {{0x00, 0x06, 0x01, 0x7F}, Status::truncated},  // the end code with its last bit cleared
    };
    for (const Case& c : cases) {
        Bytes output;
        EXPECT_EQ(dcl::explode(c.stream, output, 100), c.status) << ::testing::PrintToString(c.stream);
        EXPECT_TRUE(output.empty());
    }
}

TEST(DclExplode, EveryTruncationOfARealStreamIsReported)
{
    for (const char* name : {"text300.d1024.pk", "maxlen.d4096.pk", "hand_len518.d1024.pk", "len2dist.d2048.pk"}) {
        SCOPED_TRACE(name);
        const Bytes stream = dcl_testdata(name);
        for (std::size_t size = 0; size < stream.size(); ++size) {
            Bytes output;
            ASSERT_EQ(dcl::explode(ByteSpan(stream.data(), size), output, archive_limit), Status::truncated)
                << "prefix of " << size << " bytes";
            EXPECT_TRUE(output.empty());
        }
    }
}

TEST(DclExplode, DistanceBeforeTheStartIsRejected)
{
    struct Case {
        Bytes stream;
        Status status;
    };
    const Case cases[] = {
        {StreamWriter(0, 4).match(3, 1).end().bytes(), Status::bad_distance},
        {StreamWriter(0, 4).literal('a').match(3, 1).end().bytes(), Status::ok},
        {StreamWriter(0, 4).literal('a').literal('b').match(2, 3).end().bytes(), Status::bad_distance},
        {StreamWriter(0, 6).literal('a').literal('b').match(2, 2).end().bytes(), Status::ok},
        {StreamWriter(1, 6).literal('a').match(518, 2).end().bytes(), Status::bad_distance},
    };
    for (const Case& c : cases) {
        Bytes output;
        EXPECT_EQ(dcl::explode(c.stream, output, archive_limit), c.status);
        EXPECT_EQ(slow_explode(c.stream, archive_limit).status, c.status);
    }
}

TEST(DclExplode, OutputLimit)
{
    const Bytes run = dcl_testdata("run10000.d1024.pk");
    const Bytes literals = dcl_testdata("one_byte.d2048.pk");
    const Bytes noise = dcl_testdata("random_16k.d1024.pk");  // nearly all literals, decoded two at a time
    struct Case {
        const Bytes* stream;
        std::size_t limit;
        Status status;
    };
    const Bytes empty{0x00, 0x06, 0x01, 0xFF};
    const Case cases[] = {
        {&run, 0, Status::output_limit},      {&run, 1, Status::output_limit},
        {&run, 9'999, Status::output_limit},  {&run, 10'000, Status::ok},
        {&literals, 0, Status::output_limit}, {&literals, 1, Status::ok},
        {&empty, 0, Status::ok},              {&noise, 16'383, Status::output_limit},
        {&noise, 16'384, Status::ok},
    };
    for (const Case& c : cases) {
        Bytes output;
        EXPECT_EQ(dcl::explode(*c.stream, output, c.limit), c.status) << c.limit;
        EXPECT_LE(output.size(), c.limit);
        EXPECT_EQ(slow_explode(*c.stream, c.limit).status, c.status);
    }
}

// Damaged streams: the fast decoder must give exactly what the simple one gives.
void expect_same_as_slow_decoder(const Bytes& stream, std::size_t limit)
{
    Bytes output;
    const Status status = dcl::explode(stream, output, limit);
    const SlowResult expected = slow_explode(stream, limit);
    ASSERT_EQ(status, expected.status) << ::testing::PrintToString(stream);
    ASSERT_EQ(output, expected.output);
}

TEST(DclExplode, BitFlipsGiveAStatusOrTheSameBytesAsTheSlowDecoder)
{
    std::mt19937 random(1234);
    for (const char* name : {"text300.d2048.pk", "maxlen.d1024.pk", "len2dist.d4096.pk", "hand_maxdist1024.d1024.pk"}) {
        SCOPED_TRACE(name);
        const Bytes original = dcl_testdata(name);
        for (int round = 0; round < 600; ++round) {
            Bytes stream = original;
            const int flips = 1 + static_cast<int>(random() % 4);
            for (int i = 0; i < flips; ++i) {
                const std::size_t bit = 16 + random() % ((stream.size() - 2) * 8);
                stream[bit / 8] ^= static_cast<std::uint8_t>(1u << (bit % 8));
            }
            if (round % 3 == 0) stream[0] ^= 1;  // the same bits read in the other literal mode
            expect_same_as_slow_decoder(stream, round % 2 ? archive_limit : 3000);
        }
    }
}

TEST(DclExplode, RandomGarbageAfterAValidHeader)
{
    std::mt19937 random(99);
    for (int round = 0; round < 400; ++round) {
        Bytes stream(random() % 400);
        for (auto& b : stream) b = static_cast<std::uint8_t>(random());
        if (stream.size() >= 2) {
            stream[0] = static_cast<std::uint8_t>(random() % 2);
            stream[1] = static_cast<std::uint8_t>(4 + random() % 3);
        }
        expect_same_as_slow_decoder(stream, round % 2 ? archive_limit : 500);
    }
}

TEST(DclHeader, DictionarySizes)
{
    EXPECT_EQ(dcl::dictionary_size_of_header(0x0400), 1024);
    EXPECT_EQ(dcl::dictionary_size_of_header(0x0500), 2048);
    EXPECT_EQ(dcl::dictionary_size_of_header(0x0600), 4096);
    for (std::uint16_t other : {0x0000, 0x0004, 0x0300, 0x0700, 0x0401, 0x0506}) EXPECT_EQ(dcl::dictionary_size_of_header(other), 0);
}

}  // namespace
}  // namespace mw::test

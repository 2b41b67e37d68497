#include <gtest/gtest.h>

#include <cstdio>
#include <map>
#include <random>
#include <set>
#include <string>

#include "archive/dcl/dcl.h"
#include "dcl/dcl_test_support.h"

namespace mw::test {
namespace {

using dcl::Status;

constexpr int dictionaries[] = {1024, 2048, 4096};

std::uint8_t header_byte(int dictionary) { return dictionary == 1024 ? 4 : dictionary == 2048 ? 5 : 6; }

// Encodes, checks the header, decodes with both decoders and returns what
// the simple one saw.
TokenStats expect_round_trip(const Bytes& input, int dictionary)
{
    const Bytes stream = dcl::implode(input, dictionary);
    EXPECT_GE(stream.size(), 4u);
    if (stream.size() < 4) return {};
    EXPECT_EQ(stream[0], 0);
    EXPECT_EQ(stream[1], header_byte(dictionary));
    EXPECT_EQ(dcl::dictionary_size_of_header(get_u16(stream.data())), dictionary);
    Bytes output;
    EXPECT_EQ(dcl::explode(stream, output, input.size()), Status::ok);
    EXPECT_TRUE(output == input) << "the fast decoder gives other bytes";
    const SlowResult slow = slow_explode(stream, input.size());
    EXPECT_EQ(slow.status, Status::ok);
    EXPECT_TRUE(slow.output == input) << "the simple decoder gives other bytes";
    EXPECT_LE(slow.stats.max_distance_len3plus, static_cast<std::size_t>(dictionary));
    EXPECT_LE(slow.stats.max_distance_len2, 256u);
    EXPECT_LE(slow.stats.max_length, 518u);
    return slow.stats;
}

TEST(DclImplode, EveryReferenceInputRoundTripsAtEveryDictionary)
{
    std::set<std::string> inputs;
    for (const ManifestStream& s : manifest_streams()) inputs.insert(s.decodes_to);
    for (const std::string& name : inputs) {
        const Bytes input = dcl_testdata(name);
        for (int dictionary : dictionaries) {
            SCOPED_TRACE(name + " at " + std::to_string(dictionary));
            expect_round_trip(input, dictionary);
        }
    }
}

// Every reference stream, one by one: ours of the same input at the same
// dictionary size is no larger. Totals are printed for the codec page.
TEST(DclImplode, NoLargerThanAnyReferenceStream)
{
    std::map<int, std::size_t> ours, reference;
    for (const ManifestStream& s : manifest_streams()) {
        if (s.hand_made()) continue;
        const std::size_t theirs = dcl_testdata(s.file).size();
        const std::size_t mine = dcl::implode(dcl_testdata(s.decodes_to), s.dictionary).size();
        EXPECT_LE(mine, theirs) << s.file;
        reference[s.dictionary] += theirs;
        ours[s.dictionary] += mine;
    }
    for (int dictionary : dictionaries)
        std::printf("dictionary %d: ours %zu bytes, reference %zu bytes (%.2f%%)\n", dictionary, ours[dictionary],
                    reference[dictionary], 100.0 * double(ours[dictionary]) / double(reference[dictionary]));
}

// An ordered-dither image 16 pixels wide: each row a 4-pixel pattern (one
// pixel off in one row), 4 rows a 64-byte tile, the tile repeated. Matches
// 4 bytes back come first and run 12 bytes; the search must go on to the
// tile 64 bytes back, which covers all the rest in two matches.
TEST(DclImplode, LongPeriodicMatchesFartherBackThanNearOnes)
{
    static constexpr std::uint8_t bayer[4][4] = {{0, 8, 2, 10}, {12, 4, 14, 6}, {3, 11, 1, 9}, {15, 7, 13, 5}};
    Bytes tile;
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 16; ++x) tile.push_back(static_cast<std::uint8_t>(bayer[y][x % 4] + (x == 9 && y == 2 ? 40 : 0)));
    Bytes image;
    while (image.size() < 1024) image.insert(image.end(), tile.begin(), tile.end());
    for (int dictionary : dictionaries) {
        expect_round_trip(image, dictionary);
        // Two matches of at most 30 bits each after the first tile.
        EXPECT_LE(dcl::implode(image, dictionary).size(), dcl::implode(tile, dictionary).size() + 8) << dictionary;
    }
}

TEST(DclImplode, EmptyAndOneByteInputs)
{
    EXPECT_EQ(dcl::implode({}, 1024), (Bytes{0x00, 0x04, 0x01, 0xFF}));
    EXPECT_EQ(dcl::implode({}, 4096), (Bytes{0x00, 0x06, 0x01, 0xFF}));
    const Bytes one{'A'};
    EXPECT_EQ(dcl::implode(one, 2048), dcl_testdata("one_byte.d2048.pk"));
}

TEST(DclImplode, OnlyTheThreeDictionarySizesAreAccepted)
{
    const Bytes input{1, 2, 3};
    for (int size : {0, 512, 1023, 1025, 3072, 8192, -4096}) EXPECT_TRUE(dcl::implode(input, size).empty()) << size;
}

TEST(DclImplode, MatchesReachTheFullDictionaryAndNoFurther)
{
    for (int dictionary : dictionaries) {
        SCOPED_TRACE(dictionary);
        const std::string name = "maxdist" + std::to_string(dictionary) + ".raw";
        EXPECT_EQ(expect_round_trip(dcl_testdata(name), dictionary).max_distance_len3plus,
                  static_cast<std::size_t>(dictionary));
        EXPECT_EQ(expect_round_trip(dcl_testdata("len2dist.raw"), dictionary).max_distance_len2, 256u);
    }
}

TEST(DclImplode, LongRunsUseTheLongestMatchAndDistanceOne)
{
    const Bytes run(10'000, 'Z');
    for (int dictionary : dictionaries) {
        const TokenStats stats = expect_round_trip(run, dictionary);
        EXPECT_EQ(stats.max_length, 518u);
        EXPECT_EQ(stats.min_distance, 1u);
        EXPECT_LE(dcl::implode(run, dictionary).size(), 76u);
    }
}

TEST(DclImplode, RandomDataGrowsByNoMoreThanTheLiteralCost)
{
    std::mt19937 random(7);
    Bytes input(20'000);
    for (auto& b : input) b = static_cast<std::uint8_t>(random());
    for (int dictionary : dictionaries) {
        expect_round_trip(input, dictionary);
        EXPECT_LE(dcl::implode(input, dictionary).size(), 2 + (input.size() * 9 + 16 + 7) / 8);
    }
}

// The last bytes of an input are searched with bounds checks that the rest
// does without: matches that run into the input's end, from every distance
// from it, must still decode to the input.
TEST(DclImplode, MatchesRunningIntoTheEndOfTheInput)
{
    std::mt19937 random(5);
    Bytes block(600);
    for (auto& b : block) b = static_cast<std::uint8_t>(random());
    for (std::size_t repeat = 0; repeat <= 560; repeat += 7) {
        Bytes grown = block;
        grown.insert(grown.end(), block.begin(), block.begin() + static_cast<std::ptrdiff_t>(repeat));
        const Bytes input(grown.begin(), grown.end());  // no spare capacity: a read past the end is seen
        for (int dictionary : dictionaries) {
            SCOPED_TRACE(std::to_string(repeat) + " repeated bytes at " + std::to_string(dictionary));
            expect_round_trip(input, dictionary);
            // The repeat takes at most two matches of at most 30 bits.
            EXPECT_LE(dcl::implode(input, dictionary).size(), dcl::implode(block, dictionary).size() + 8);
        }
    }
}

// Small inputs made of runs, copies from near and far, and noise, to reach
// the edges of the match finder: input ends, window edges, 518-byte limits.
TEST(DclImplode, StructuredRandomInputsRoundTrip)
{
    std::mt19937 random(2024);
    for (int round = 0; round < 60; ++round) {
        Bytes input;
        const std::size_t target = random() % 9000;
        while (input.size() < target) {
            const unsigned kind = random() % 4;
            const std::size_t n = 1 + random() % 700;
            if (kind == 0 || input.empty()) {
                for (std::size_t i = 0; i < n; ++i) input.push_back(static_cast<std::uint8_t>(random() % 6));
            } else if (kind == 1) {
                input.insert(input.end(), n, static_cast<std::uint8_t>(random()));
            } else {
                const std::size_t back = 1 + random() % std::min<std::size_t>(input.size(), 5000);
                for (std::size_t i = 0; i < n; ++i) input.push_back(input[input.size() - back]);
            }
        }
        for (int dictionary : dictionaries) {
            SCOPED_TRACE("round " + std::to_string(round) + " at " + std::to_string(dictionary));
            expect_round_trip(input, dictionary);
        }
    }
}

}  // namespace
}  // namespace mw::test

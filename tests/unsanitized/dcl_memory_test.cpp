// Built without the sanitizers: AddressSanitizer gives every large block
// fresh, zeroed memory, so under it a table slot the encoder failed to clear
// could never hold an old value, and this test could not fail.
#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "archive/dcl/dcl.h"

namespace mw::test {
namespace {

// The finder's tables are not cleared beyond what the input reaches: a slot
// read before it is set would make the stream depend on old memory. Before
// each repeat the tables hold junk, or what the same bytes 64 places on left
// in every slot this input reaches, where a stale pair reads as a match 64
// bytes back.
TEST(DclImplode, TheSameInputGivesTheSameStreamWhateverMemoryHeldBefore)
{
    std::mt19937 random(11);
    std::vector<std::uint8_t> spoil;
    for (std::size_t size : {1001u, 5003u, 70'000u}) {
        // Text of five letters, then random bytes: many matches, then many pairs.
        Bytes input(size);
        for (std::size_t i = 0; i < size; ++i)
            input[i] = static_cast<std::uint8_t>(i < size / 2 ? 'a' + random() % 5 : random());
        Bytes rotated(input.begin() + 64, input.end());
        rotated.insert(rotated.end(), input.begin(), input.begin() + 64);
        for (int dictionary : {1024, 2048, 4096}) {
            const Bytes first = dcl::implode(input, dictionary);
            (void)dcl::implode(rotated, dictionary);
            EXPECT_EQ(dcl::implode(input, dictionary), first) << size << " bytes at " << dictionary << ", after them rotated";
            for (std::uint8_t junk : {0x00, 0xFF, 0x5A}) {
                // Blocks of the tables' sizes, filled and freed for the next allocations.
                for (std::size_t bytes : {1u << 18, 1u << 16, 1u << 15}) std::vector<std::uint8_t>(bytes, junk).swap(spoil);
                spoil = {};
                EXPECT_EQ(dcl::implode(input, dictionary), first) << size << " bytes at " << dictionary;
            }
        }
    }
}

}  // namespace
}  // namespace mw::test

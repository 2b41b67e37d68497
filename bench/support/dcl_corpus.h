// A mixed corpus for the DCL codec benchmark, generated in memory and the
// same on every run: the kinds of data the game's archives hold.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "archive/byte_io.h"

namespace mw::bench {

struct CorpusPart {
    std::string kind;  // "palette8", "rgb565", "pcm16", "text", "x86", "random"
    Bytes data;
};

// Six parts of `part_size` bytes each.
std::vector<CorpusPart> make_corpus(std::size_t part_size);

// Inputs that once compressed worse than the reference encoder's, each made
// the same on every run: ordered-dither 8-bit images whose patterns repeat
// at long distances, x86-like code of a few sizes, and length-2 matches at
// the longest distances a pair can reach.
std::vector<CorpusPart> make_hard_inputs();

}  // namespace mw::bench

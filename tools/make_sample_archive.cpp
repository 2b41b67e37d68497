// Writes the sample archive that the run script opens:
//   make-sample-archive OUT.res
// A palette, an 8-bit image item, a compressed text and a compound entry of
// three items, so every kind of tree node is there to look at.
#include <cstdio>
#include <exception>
#include <string>

#include "archive/dcl/dcl.h"
#include "support/res_builder.h"

namespace {

using mw::Bytes;

Bytes grey_palette()
{
    Bytes palette;
    for (int i = 0; i < 256; ++i) palette.insert(palette.end(), {std::uint8_t(i), std::uint8_t(i), std::uint8_t(i)});
    return palette;
}

Bytes text_bytes(const std::string& text) { return Bytes(text.begin(), text.end()); }

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: make-sample-archive OUT.res\n");
        return 2;
    }
    std::string story;
    for (int i = 0; i < 40; ++i) story += "Marrowick sample archive, line " + std::to_string(i) + "\r\n";
    const Bytes items[3] = {text_bytes("first item\r\n"), text_bytes("the second item\r\n"), text_bytes(story)};
    std::vector<std::uint32_t> offsets = {2 + 4 * 4};
    Bytes joined;
    for (const Bytes& item : items) {
        joined.insert(joined.end(), item.begin(), item.end());
        offsets.push_back(offsets.back() + static_cast<std::uint32_t>(item.size()));
    }
    try {
        const Bytes plain = text_bytes(story);
        mw::test::ResBuilder()
            .raw(2059, grey_palette())
            .stored(26001, mw::dcl::implode(plain, 2048), static_cast<std::uint32_t>(plain.size()))
            .compound(300, offsets, mw::dcl::implode(joined, 4096), static_cast<std::uint32_t>(joined.size()))
            .write(argv[1]);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
    return 0;
}

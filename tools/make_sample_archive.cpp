// Writes the sample archive that the run script opens:
//   make-sample-archive OUT.res
#include <cmath>
#include <cstdio>
#include <exception>

#include "support/res_builder.h"

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: make-sample-archive OUT.res\n");
        return 2;
    }
    using mw::Bytes;
    // A grey-ramp palette (768 bytes), a small 8-bit image item and some text.
    Bytes palette;
    for (int i = 0; i < 256; ++i) palette.insert(palette.end(), {std::uint8_t(i), std::uint8_t(i), std::uint8_t(i)});

    mw::ByteWriter image;
    image.u32(0);
    image.u16(2);      // 8-bit image item
    image.zeros(26);   // rest of the item header
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x) image.u8(std::uint8_t((x * 16 + y) & 0xFF));

    const char text[] = "Marrowick sample archive\r\n";
    try {
        mw::test::ResBuilder()
            .raw(2059, palette)
            .raw(1971, image.take())
            .raw(26001, Bytes(text, text + sizeof text - 1))
            .write(argv[1]);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
    return 0;
}

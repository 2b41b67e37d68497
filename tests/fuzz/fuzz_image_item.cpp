// Any bytes as an image item: read as the image handler exports it, then
// bitmap image -> BMP -> bitmap image -> item as an import of the exported
// bitmap does. The item comes back with the same header and pixels (an 8-bit
// item's size word is written anew from its dimensions).
#include <sstream>

#include "fuzz_support.h"
#include "types/bmp/bmp_decoder.h"
#include "types/bmp/bmp_encoder.h"
#include "types/bmp/graphics_exceptions.h"
#include "types/image_item.h"

namespace {

// A palette with distinct entries, as a game palette has.
std::array<mw::BgrColour, 256> test_palette()
{
    std::array<mw::BgrColour, 256> palette{};
    for (std::size_t i = 0; i < palette.size(); ++i)
        palette[i] = mw::BgrColour{std::uint8_t(i), std::uint8_t(255 - i), std::uint8_t(i * 7)};
    return palette;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const auto palette = test_palette();
    const mw::ByteSpan input = mw::fuzz::bytes_of(data, size);
    mw::ByteReader reader(input);
    const mw::ItemReadResult read = mw::read_item_header(reader);
    if (read.status != mw::ItemReadStatus::ok) return 0;
    const std::size_t header_size = reader.position();

    mw::BitmapImage decoded;
    try {
        const std::optional<mw::BitmapImage> image = mw::item_to_image(reader, read.header, palette);
        if (!image) return 0;
        std::stringstream bmp;
        mw::BmpEncoder().write_image(bmp, *image, false);
        mw::BmpDecoder().read_image(bmp, decoded, false);
    } catch (const mw::EGraphicsException&) {
        // An image the codec cannot hold (no pixels, too many) is refused, never half made.
        return 0;
    }

    const bool eight_bit = read.header.format == mw::item_format_8bit;
    const mw::Bytes item = eight_bit ? mw::image_to_8bit_item(decoded, read.header)
                                     : mw::image_to_16bit_item(decoded, read.header);
    const std::size_t pixel_bytes =
        std::size_t(read.header.width) * read.header.height * (eight_bit ? 1 : 2);
    FUZZ_CHECK(item.size() == header_size + pixel_bytes);
    const std::size_t size_word_at = 14;
    for (std::size_t i = 0; i < item.size(); ++i)
        if (!eight_bit || (i != size_word_at && i != size_word_at + 1)) FUZZ_CHECK(item[i] == input[i]);
    return 0;
}

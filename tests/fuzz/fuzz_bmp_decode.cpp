// Any bytes as a BMP file, both row orders. A decoded image is whole (its
// rows and colour table as its header says) and survives the encoder:
// written and read back it is the same image.
#include <sstream>

#include "fuzz_support.h"
#include "types/bmp/bmp_decoder.h"
#include "types/bmp/bmp_encoder.h"
#include "types/bmp/graphics_exceptions.h"

namespace {

std::optional<mw::BitmapImage> decode(const std::string& bytes, bool top_down)
{
    std::istringstream in(bytes);
    mw::BitmapImage image;
    mw::BmpDecoder decoder;
    try {
        decoder.read_image(in, image, top_down);
    } catch (const mw::EGraphicsException&) {
        return std::nullopt;
    }
    return image;
}

// Images the decoder accepts may hold 2^26 pixels, all allocated before the
// rows are read. Those between 2^20 and 2^26 go through the same code as
// smaller ones at a hundredth of the speed, so the fuzzer leaves them out;
// larger ones are refused before any allocation and stay in.
bool worth_decoding(const std::uint8_t* data, std::size_t size)
{
    if (size < 26) return true;
    const bool core = mw::get_u32(data + 14) == 12;
    const std::uint64_t width = core ? mw::get_u16(data + 18) : mw::get_u32(data + 18);
    const std::uint64_t height = core ? mw::get_u16(data + 20) : mw::get_u32(data + 22);
    const std::uint64_t pixels = width * height;
    return pixels <= (std::uint64_t(1) << 20) || pixels > (std::uint64_t(1) << 26);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (!worth_decoding(data, size)) return 0;
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    for (const bool top_down : {false, true}) {
        const auto image = decode(bytes, top_down);
        if (!image) continue;
        const std::uint32_t bits = image->bit_count();
        FUZZ_CHECK(bits == 1 || bits == 4 || bits == 8 || bits == 24);
        FUZZ_CHECK(image->colour_count() == (bits == 24 ? 0u : 1u << bits));
        FUZZ_CHECK(image->pixels().size() == std::size_t(image->row_stride()) * image->height());
        FUZZ_CHECK(image->row_stride() % 4 == 0);
        FUZZ_CHECK(std::uint64_t(image->row_stride()) * 8 >= std::uint64_t(image->width()) * bits);

        std::ostringstream out;
        mw::BmpEncoder().write_image(out, *image, top_down);
        const auto again = decode(out.str(), top_down);
        FUZZ_CHECK(again);
        FUZZ_CHECK(again->width() == image->width() && again->height() == image->height());
        FUZZ_CHECK(again->bit_count() == bits && again->colour_count() == image->colour_count());
        for (std::uint32_t i = 0; i < image->colour_count(); ++i) FUZZ_CHECK(again->colour(i) == image->colour(i));
        FUZZ_CHECK(std::ranges::equal(again->pixels(), image->pixels()));
    }
    return 0;
}

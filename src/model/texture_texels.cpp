#include "model/texture_texels.h"

#include <fstream>
#include <string>
#include <vector>

#include "app/workspace/messages.h"
#include "app/workspace/workspace.h"
#include "types/bmp/bmp_decoder.h"
#include "types/bmp/graphics_exceptions.h"

namespace mw {

namespace {

bool indexed(std::uint32_t bit_count) { return bit_count == 1 || bit_count == 2 || bit_count == 4 || bit_count == 8; }

// Colour index of pixel x of an indexed row, packed high bits first.
std::uint32_t colour_index(const std::uint8_t* row, std::uint32_t x, std::uint32_t bit_count)
{
    const std::uint32_t per_byte = 8 / bit_count;
    const std::uint32_t byte = row[x / per_byte];
    const std::uint32_t shift = 8 - bit_count * (x % per_byte + 1);
    return (byte >> shift) & ((1u << bit_count) - 1);
}

// The slot's texels from `file`; false when it cannot be opened or used.
bool load_texture_file(TextureSlot& slot, const fs::path& file)
{
    std::ifstream in(file, std::ios::binary);
    if (!in) return false;
    BitmapImage image;
    try {
        BmpDecoder().read_image(in, image, false);
    } catch (const EGraphicsException& e) {
        report_error(e.what());
        return false;
    }
    std::vector<std::array<std::uint8_t, 3>> colours;
    colours.reserve(image.colour_count());
    for (std::uint32_t i = 0; i < image.colour_count(); ++i) {
        const BgrColour& c = image.colour(i);
        colours.push_back({c.blue, c.green, c.red});  // the table's bytes as stored
    }
    const TextureImage texture{.width = image.width(), .height = image.height(), .bit_count = image.bit_count(),
                               .row_stride = image.row_stride(), .pixels = image.pixels(), .colours = colours};
    return fill_texture_slot(slot, texture);
}

}  // namespace

fs::path texture_file_path(int texture_number)
{
    return Workspace::instance().temp_file("mw3792_texture" + std::to_string(texture_number) + ".bmp");
}

std::optional<Bytes> texture_texels(const TextureImage& image, bool colour_key, bool textures_bgr)
{
    const std::uint32_t bits = image.bit_count;
    if (!indexed(bits) && bits != 24) return std::nullopt;
    const std::uint64_t row_bytes = (std::uint64_t(image.width) * bits + 7) / 8;
    if (image.row_stride < row_bytes) return std::nullopt;
    if (image.height != 0 && std::uint64_t(image.row_stride) * (image.height - 1) + row_bytes > image.pixels.size())
        return std::nullopt;

    Bytes texels(std::size_t(image.width) * image.height * 4);
    std::uint8_t* out = texels.data();
    for (std::uint32_t r = 0; r < image.height; ++r) {
        const std::uint8_t* row = image.pixels.data() + std::size_t(image.row_stride) * (image.height - 1 - r);
        for (std::uint32_t x = 0; x < image.width; ++x, out += 4) {
            if (bits == 24) {
                out[0] = row[3 * x];
                out[1] = row[3 * x + 1];
                out[2] = row[3 * x + 2];
                out[3] = 255;
                continue;
            }
            const std::uint32_t index = colour_index(row, x, bits);
            std::array<std::uint8_t, 3> colour{};
            if (index < image.colours.size()) colour = image.colours[index];
            out[0] = textures_bgr ? colour[2] : colour[0];
            out[1] = colour[1];
            out[2] = textures_bgr ? colour[0] : colour[2];
            out[3] = colour_key && index == 0 ? 0 : 255;
        }
    }
    return texels;
}

bool fill_texture_slot(TextureSlot& slot, const TextureImage& image)
{
    auto texels = texture_texels(image, slot.colour_key, Workspace::instance().textures_bgr() == 1);
    if (!texels) {
        slot.rgba.clear();
        slot.width = slot.height = 0;
        return false;
    }
    slot.rgba = std::move(*texels);
    slot.width = static_cast<int>(image.width);
    slot.height = static_cast<int>(image.height);
    return true;
}

std::size_t load_texture_files(ModelData& model)
{
    std::size_t filled = 0;
    for (TextureSlot& slot : model.texture_slots) {
        if (!load_texture_file(slot, texture_file_path(slot.texture_number))) break;
        ++filled;
    }
    return filled;
}

}  // namespace mw

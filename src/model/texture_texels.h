// The texels a model's textures are uploaded with: each decoded texture
// becomes a width × height buffer of four bytes per pixel in blue, green,
// red, alpha order (the upload's source format), its rows in the opposite
// order to the decoded image.
//
// Indexed images take their colour from the colour table: table bytes 0, 1, 2
// in that order, or 2, 1, 0 with the TexturesBGR setting. Alpha is 255,
// except for colour index 0 in a colour-keyed slot (a material named "t_..."
// or "T_..."), which is transparent. Direct-colour images (24 bits) take
// their three stored bytes in order and alpha 255.
#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>

#include "archive/byte_io.h"
#include "model/model_data.h"

namespace mw {

namespace fs = std::filesystem;

// A decoded texture as the image decoder holds it.
struct TextureImage {
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    std::uint32_t bit_count = 8;   // 1, 2, 4, 8 (indexed, packed high bits first) or 24
    std::uint32_t row_stride = 0;  // bytes from one decoded row to the next
    ByteSpan pixels;               // height rows
    std::span<const std::array<std::uint8_t, 3>> colours;  // table entries: bytes 0, 1, 2 as stored
};

// The texture file of texture number N extracted for the display: temp folder + "mw3792_textureN.bmp".
fs::path texture_file_path(int texture_number);

// The RGBA buffer; nothing when the image's sizes do not match its pixels or
// its bit count is none of the above. Colour indices beyond the table give black.
std::optional<Bytes> texture_texels(const TextureImage& image, bool colour_key, bool textures_bgr);

// Fills the slot's buffer and sizes from the image with the workspace's
// TexturesBGR setting; false (slot left without pixels) when the image is unusable.
bool fill_texture_slot(TextureSlot& slot, const TextureImage& image);

// Fills the slots from their texture files, in slot order, for the upload.
// Stops at the first file that cannot be opened (silently: later slots keep
// no pixels) or cannot be used: a decoder error shows the decoder's message.
// Returns how many slots, from the first, hold their texels.
std::size_t load_texture_files(ModelData& model);

}  // namespace mw

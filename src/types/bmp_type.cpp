#include "types/bmp_type.h"

#include <array>
#include <cstdio>
#include <fstream>

#include "app/workspace/messages.h"
#include "archive/file_io.h"
#include "types/bmp/graphics_exceptions.h"
#include "types/input_file.h"
#include "types/palette_file.h"

namespace mw {

namespace {

constexpr std::uint32_t max_item_dimension = 0xFFFF;

// The colour table of an 8-bit image: the current palette file (red, green,
// blue lines; values kept as bytes), or a grey ramp when there is none.
std::array<BgrColour, 256> current_image_palette()
{
    std::array<BgrColour, 256> table{};
    const auto triples = read_palette_triples(current_palette_path());
    if (!triples) {
        for (std::size_t i = 0; i < table.size(); ++i) {
            const auto grey = static_cast<std::uint8_t>(i);
            table[i] = BgrColour{grey, grey, grey};
        }
        return table;
    }
    for (std::size_t i = 0; i < triples->size(); ++i) {
        const PaletteTriple& rgb = (*triples)[i];
        table[i] = BgrColour{static_cast<std::uint8_t>(rgb[2]), static_cast<std::uint8_t>(rgb[1]),
                             static_cast<std::uint8_t>(rgb[0])};
    }
    return table;
}

// The message for a failed item read of file `stored`.
int report_item_failure(ItemReadStatus status, std::uint16_t format, const fs::path& stored)
{
    const std::string path = display(stored);
    switch (status) {
    case ItemReadStatus::invalid_format: return report_error(1275, "Invalid format in file " + path);
    case ItemReadStatus::unsupported_format: return report_error(1283, "Unsupported format in file " + path);
    case ItemReadStatus::bad_row_bytes_8bit: return report_error(1297, "Unsupported format in file " + path);
    case ItemReadStatus::bad_row_bytes_16bit: return report_error(1302, "Unsupported format in file " + path);
    case ItemReadStatus::cut_short:
    case ItemReadStatus::ok: break;
    }
    return report_error(format == item_format_16bit ? 1394 : 1353, "Error reading image");
}

// Writes `item` to `target`; the open and write failures have their own numbers.
int write_item(const Bytes& item, const fs::path& target, int open_error, int write_error)
{
    std::ofstream out(target, std::ios::binary | std::ios::trunc);
    if (!out) return report_error(open_error, "Failed to open file " + display(target) + " for output");
    out.write(reinterpret_cast<const char*>(item.data()), static_cast<std::streamsize>(item.size()));
    out.close();
    if (!out) return report_error(write_error, "Error writing image");
    return 0;
}

}  // namespace

int BmpType::export_convert(const fs::path& stored)
{
    last_path_ = stored;
    const auto data = read_file(stored);
    if (!data) return report_error(1267, "Error reading file " + display(stored));

    ByteReader reader(*data);
    const ItemReadResult read = read_item_header(reader);
    if (read.status != ItemReadStatus::ok) return report_item_failure(read.status, read.header.format, stored);

    const fs::path bitmap = converted_path(stored);
    try {
        std::optional<BitmapImage> image =
            item_to_image(reader, read.header,
                          read.header.format == item_format_8bit ? current_image_palette() : std::array<BgrColour, 256>{});
        if (!image) return report_item_failure(ItemReadStatus::cut_short, read.header.format, stored);

        std::ofstream out(bitmap, std::ios::binary | std::ios::trunc);
        if (!out) return report_error("Failed to open file " + display(bitmap) + " for output");
        encoder_.write_image(out, *image, false);
        out.close();
        if (!out) return report_error("Error writing image");
        image_ = std::move(*image);
    } catch (const EGraphicsException& e) {
        return report_error(e.what());
    }
    header_ = read.header;
    padded_width_ = header_.format == item_format_16bit ? mw::padded_width(header_.width) : 0;
    return 0;
}

int BmpType::import_convert(const fs::path& source, const fs::path& target)
{
    last_path_ = source;
    if (header_.format == item_format_none) return report_error(1058, "Error converting to BMP - missing data");

    std::ifstream in;
    if (!open_input_file(in, source))
        return report_error(1068, "The BMP file " + display(source) +
                                       " does not exist or is in use by another application");
    BitmapImage image;
    try {
        decoder_.read_image(in, image, false);
    } catch (const EGraphicsException& e) {
        return report_error(e.what());
    }
    image_ = std::move(image);
    return header_.format == item_format_8bit ? write_8bit_item(image_, target) : write_16bit_item(image_, target);
}

int BmpType::write_8bit_item(const BitmapImage& image, const fs::path& target)
{
    if (image.bit_count() != 8 || image.colour_count() != 256)
        return report_error("The BMP file should be in 8bit/256 colors format");
    // Width, height and row bytes are 16-bit fields of the item.
    if (image.width() > max_item_dimension || image.height() > max_item_dimension)
        return report_error("The BMP file is too large for an image item (at most 65535 x 65535 pixels)");
    return write_item(image_to_8bit_item(image, header_), target, 1116, 1143);
}

int BmpType::write_16bit_item(const BitmapImage& image, const fs::path& target)
{
    if (image.bit_count() != 24) return report_error("The BMP file should be in 24-bit format");
    if (image.height() != header_.height || image.width() != padded_width_)
        return report_error("The dimensions of the BMP file differ from the original file");
    return write_item(image_to_16bit_item(image, header_), target, 1175, 1220);
}

std::unique_ptr<FileType> BmpType::clone() const
{
    auto copy = std::make_unique<BmpType>();
    copy->header_ = header_;
    copy->padded_width_ = padded_width_;
    return copy;
}

std::string BmpType::info_text() const
{
    char line[80];
    std::snprintf(line, sizeof line, "Image Information     : %ux%ux%d bit\r\n", image_.width(), image_.height(),
                  image_.bit_count() == 24 ? 16 : 8);
    return line;
}

}  // namespace mw

// The handler of image entries: converts image items to Windows bitmaps and
// back. An 8-bit item becomes an 8-bit bitmap coloured by the current
// palette file (a grey ramp without one); a 16-bit item a 24-bit bitmap.
//
// The header of the item last exported is kept for the next import into
// the same entry, so the handler that exported an entry must do its import.
#pragma once

#include "types/bmp/bitmap_image.h"
#include "types/bmp/bmp_decoder.h"
#include "types/bmp/bmp_encoder.h"
#include "types/file_type.h"
#include "types/image_item.h"

namespace mw {

class BmpType final : public FileType {
public:
    BmpType() : FileType("Image", "bmp", type_image) {}

    // Stored item S → S + "bmp".
    [[nodiscard]] int export_convert(const fs::path& stored) override;
    // Bitmap → item in `target`, with the kept header ("Error#1058" when none).
    [[nodiscard]] int import_convert(const fs::path& source, const fs::path& target) override;
    // Same names, code, header and padded width; no image, no last path.
    std::unique_ptr<FileType> clone() const override;
    // "Image Information     : WxHxB bit" + CR LF, B = 16 for a 24-bit image, else 8.
    std::string info_text() const override;

    const ImageItemHeader& header() const { return header_; }
    std::uint32_t padded_width() const { return padded_width_; }
    const BitmapImage& image() const { return image_; }
    const fs::path& last_path() const { return last_path_; }

private:
    int write_8bit_item(const BitmapImage& image, const fs::path& target);
    int write_16bit_item(const BitmapImage& image, const fs::path& target);

    ImageItemHeader header_;
    std::uint32_t padded_width_ = 0;
    BitmapImage image_;
    BmpEncoder encoder_;
    BmpDecoder decoder_;
    fs::path last_path_;
};

}  // namespace mw

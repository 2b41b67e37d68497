// Writes Windows bitmap (BMP) streams: a 14-byte file header, a 40-byte
// info header (no compression; image size, resolutions and colour counts
// 0), the colour table as 4-byte entries, then the rows padded to 4 bytes.
//
// Bit counts 1, 4, 8 and 24 are written; any other throws EBmpNotSupported.
// File row j is image row j (top-down flag off) or H - 1 - j (on). Stream
// errors are not checked here: the caller checks the stream afterwards.
#pragma once

#include "types/bmp/bitmap_image_coder.h"

namespace mw {

class BmpEncoder final : public BitmapImageEncoder {
public:
    void write_image(std::ostream& out, const BitmapImage& image, bool top_down) override;
};

}  // namespace mw

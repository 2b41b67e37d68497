// Reads Windows bitmap (BMP) streams.
//
// Accepted: a 14-byte file header with type "BM", then an OS/2 core header
// (size 12: 16-bit width and height, 3-byte colour entries) or an info
// header of any size from 40 up (extra bytes skipped, 4-byte colour
// entries), with
//   1 bit, uncompressed;  4 bits, uncompressed or RLE4;
//   8 bits, uncompressed or RLE8;  24 bits, uncompressed.
//
// The image always gets 2^bitcount colour entries (none for 24 bits). An
// info header's colours-used field (file offset 46) between 1 and
// 2^bitcount - 1 says how many 4-byte entries the file holds; the rest stay
// black. Otherwise, and always for a core header, 2^bitcount entries are
// read. Bytes between the entries read and the pixel-data offset are
// skipped.
//
// Outcomes (all EGraphicsException):
//   EBmpFileReadError  file header, image header or colour table cut short;
//                      an uncompressed pixel row cut short
//   EBmpNotABmpFile    type field not "BM"
//   EBmpCorruptFile    header size below 40 and not 12; width or height of
//                      2^31 or more (a negative height: top-down files are
//                      not supported); more than 2^26 pixels; the colour
//                      table reaching past the pixel-data offset; RLE data
//                      missing, cut short, without end-of-bitmap, or with a
//                      run outside the image (deltas may move anywhere, but
//                      nothing is ever written outside the image)
//   EBmpNotSupported   any other bit count, or a compression not listed above
//   EGraphicsOutOfMemory, EGraphicsAbort (progress callback)
// The size checks come before any allocation. After a failure the image may
// be partly filled; callers discard it.
//
// Uncompressed rows go to image row j (top-down flag off) or H - 1 - j (on)
// for file row j; RLE data always fills image row 0 first. Pixels an RLE
// stream does not write keep index 0.
#pragma once

#include "types/bmp/bitmap_image_coder.h"

namespace mw {

class BmpDecoder final : public BitmapImageDecoder {
public:
    void read_image(std::istream& in, BitmapImage& image, bool top_down) override;
};

}  // namespace mw

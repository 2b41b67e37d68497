// The coder hierarchy: a coder reports progress to an optional callback,
// which may cancel; decoders read an image from a byte stream, encoders
// write one.
#pragma once

#include <cstdint>
#include <functional>
#include <iosfwd>

#include "types/bmp/bitmap_image.h"

namespace mw {

class BitmapImageCoder {
public:
    // (coder, current pass, number of passes, percent done, cancel flag):
    // setting the flag makes the coder throw EGraphicsAbort.
    using ProgressCallback =
        std::function<void(BitmapImageCoder& coder, unsigned pass, unsigned passes, unsigned percent, bool& cancel)>;

    BitmapImageCoder() = default;
    BitmapImageCoder(const BitmapImageCoder&) = default;
    BitmapImageCoder& operator=(const BitmapImageCoder&) = default;
    virtual ~BitmapImageCoder() = default;

    // A hook for coders that need preparation; none in this library does.
    virtual void initialize() {}

    void set_progress_callback(ProgressCallback callback) { progress_ = std::move(callback); }

protected:
    // Calls the callback, if any, for the single pass; throws EGraphicsAbort when cancelled.
    void report_progress(unsigned percent);
    // done × 100 / total, clamped to 0...100; 100 for an empty total.
    static unsigned percent_of(std::int64_t done, std::int64_t total);

private:
    ProgressCallback progress_;
};

class BitmapImageDecoder : public BitmapImageCoder {
public:
    // Fills `image` from `in`, positioned at the start of the encoded image.
    virtual void read_image(std::istream& in, BitmapImage& image, bool top_down) = 0;
};

class BitmapImageEncoder : public BitmapImageCoder {
public:
    // Writes `image` to `out`. Stream errors are left for the caller to check.
    virtual void write_image(std::ostream& out, const BitmapImage& image, bool top_down) = 0;
};

}  // namespace mw

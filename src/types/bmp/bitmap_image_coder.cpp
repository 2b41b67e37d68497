#include "types/bmp/bitmap_image_coder.h"

#include <algorithm>

#include "types/bmp/graphics_exceptions.h"

namespace mw {

void BitmapImageCoder::report_progress(unsigned percent)
{
    if (!progress_) return;
    bool cancel = false;
    progress_(*this, 1, 1, percent, cancel);
    if (cancel) throw EGraphicsAbort();
}

unsigned BitmapImageCoder::percent_of(std::int64_t done, std::int64_t total)
{
    if (total <= 0) return 100;
    return static_cast<unsigned>(std::clamp<std::int64_t>(done * 100 / total, 0, 100));
}

}  // namespace mw

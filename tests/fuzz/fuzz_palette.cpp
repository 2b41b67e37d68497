// Any bytes as a JASC text palette and as a Corel palette. A palette read
// is 768 bytes, and each format written from it reads back the same entry.
#include <sstream>

#include "fuzz_support.h"
#include "types/palette_formats.h"

namespace {

void check_entry(const mw::PaletteReadResult& read)
{
    if (read.status != mw::PaletteReadStatus::ok) return;
    FUZZ_CHECK(read.entry.size() == mw::palette_entry_size);
    std::istringstream jasc(mw::jasc_palette_from_entry(read.entry));
    const mw::PaletteReadResult from_jasc = mw::entry_from_jasc_palette(jasc);
    FUZZ_CHECK(from_jasc.status == mw::PaletteReadStatus::ok && from_jasc.entry == read.entry);
    const mw::PaletteReadResult from_corel = mw::entry_from_corel_palette(mw::corel_palette_from_entry(read.entry));
    FUZZ_CHECK(from_corel.status == mw::PaletteReadStatus::ok && from_corel.entry == read.entry);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::istringstream text(std::string(reinterpret_cast<const char*>(data), size));
    check_entry(mw::entry_from_jasc_palette(text));
    check_entry(mw::entry_from_corel_palette(mw::fuzz::bytes_of(data, size)));
    return 0;
}

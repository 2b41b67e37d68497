// implode(x) then explode gives x back, at every dictionary size.
#include "archive/dcl/dcl.h"
#include "fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const mw::ByteSpan input = mw::fuzz::bytes_of(data, size);
    for (const int dictionary : {1024, 2048, 4096}) {
        const mw::Bytes stream = mw::dcl::implode(input, dictionary);
        FUZZ_CHECK(stream.size() >= 4);
        FUZZ_CHECK(mw::dcl::dictionary_size_of_header(mw::get_u16(stream.data())) == dictionary);
        mw::Bytes output;
        FUZZ_CHECK(mw::dcl::explode(stream, output, input.size()) == mw::dcl::Status::ok);
        FUZZ_CHECK(std::ranges::equal(output, input));
    }
    return 0;
}

// Any bytes as a DCL stream: explode ends, within its output limit, and a
// stream it accepts explodes the same with a limit of exactly its output.
#include "archive/dcl/dcl.h"
#include "fuzz_support.h"

namespace {

constexpr std::size_t output_limit = 1 << 20;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const mw::ByteSpan input = mw::fuzz::bytes_of(data, size);
    mw::Bytes output;
    const mw::dcl::Status status = mw::dcl::explode(input, output, output_limit);
    FUZZ_CHECK(output.size() <= output_limit);
    if (status != mw::dcl::Status::ok) {
        FUZZ_CHECK(output.empty());
        return 0;
    }
    // The limit is inclusive; one byte less must stop it.
    mw::Bytes again;
    FUZZ_CHECK(mw::dcl::explode(input, again, output.size()) == mw::dcl::Status::ok);
    FUZZ_CHECK(again == output);
    if (!output.empty()) FUZZ_CHECK(mw::dcl::explode(input, again, output.size() - 1) == mw::dcl::Status::output_limit);
    return 0;
}

// The one-member ZIP files exchanged with the compression programs: the
// wrapping ZIP around an entry's stored stream, and "import.zip", of which
// only the first local header and its data are used.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "archive/byte_io.h"

namespace mw {

inline constexpr std::uint16_t zip_method_dcl_implode = 10;
inline constexpr std::uint32_t zip_local_header_size = 30;

// A ZIP holding `stream` as its only member `name` (method 10, CRC 0,
// DOS time 0x5DD5 and date 0x2501).
Bytes one_member_zip(const std::string& name, ByteSpan stream, std::uint32_t uncompressed_size);

struct ZipMember {
    std::uint16_t method = 0;
    std::uint32_t compressed_size = 0;
    std::uint32_t uncompressed_size = 0;
    std::string name;
    ByteSpan data;  // the compressed bytes, inside the given span
};

// The first local member of `zip`; nothing when its header, name, extra
// field or data do not fit.
std::optional<ZipMember> first_zip_member(ByteSpan zip);

}  // namespace mw

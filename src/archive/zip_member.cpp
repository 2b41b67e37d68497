#include "archive/zip_member.h"

namespace mw {

namespace {

constexpr std::uint32_t local_signature = 0x04034B50;
constexpr std::uint32_t central_signature = 0x02014B50;
constexpr std::uint32_t end_signature = 0x06054B50;
constexpr std::uint16_t dos_time = 0x5DD5;
constexpr std::uint16_t dos_date = 0x2501;

}  // namespace

Bytes one_member_zip(const std::string& name, ByteSpan stream, std::uint32_t uncompressed_size)
{
    const auto name_length = static_cast<std::uint32_t>(name.size());
    const auto compressed_size = static_cast<std::uint32_t>(stream.size());
    ByteWriter out;
    out.u32(local_signature);
    out.u16(20);  // version needed
    out.u16(0);   // flags
    out.u16(zip_method_dcl_implode);
    out.u16(dos_time);
    out.u16(dos_date);
    out.u32(0);  // CRC-32
    out.u32(compressed_size);
    out.u32(uncompressed_size);
    out.u16(name_length);
    out.u16(0);  // extra length
    out.text(name);
    out.bytes(stream);

    out.u32(central_signature);
    out.u16(10);  // version made by
    out.u16(20);  // version needed
    out.u16(0);
    out.u16(zip_method_dcl_implode);
    out.u16(dos_time);
    out.u16(dos_date);
    out.u32(0);
    out.u32(compressed_size);
    out.u32(uncompressed_size);
    out.u16(name_length);
    out.u16(0);     // extra length
    out.u16(0);     // comment length
    out.u16(0);     // disk number
    out.u16(0);     // internal attributes
    out.u32(0x20);  // external attributes
    out.u32(0);     // local header offset
    out.text(name);

    out.u32(end_signature);
    out.u16(0);
    out.u16(0);
    out.u16(1);
    out.u16(1);
    out.u32(46 + name_length);
    out.u32(zip_local_header_size + name_length + compressed_size);
    out.u16(0);
    return out.take();
}

std::optional<ZipMember> first_zip_member(ByteSpan zip)
{
    ByteReader in(zip);
    if (in.u32() != local_signature || !in.ok()) return std::nullopt;
    ZipMember member;
    in.skip(4);  // version, flags
    member.method = in.u16();
    in.skip(8);  // time, date, CRC-32
    member.compressed_size = in.u32();
    member.uncompressed_size = in.u32();
    const std::uint16_t name_length = in.u16();
    const std::uint16_t extra_length = in.u16();
    const ByteSpan name = in.bytes(name_length);
    in.skip(extra_length);  // the data follows the extra field, when there is one
    member.data = in.bytes(member.compressed_size);
    if (!in.ok()) return std::nullopt;
    member.name.assign(name.begin(), name.end());
    return member;
}

}  // namespace mw

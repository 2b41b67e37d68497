#include "support/res_builder.h"

#include <bit>
#include <cstring>
#include <fstream>
#include <stdexcept>

#include "archive/dcl/dcl.h"

namespace mw::test {

ResBuilder& ResBuilder::raw(std::uint16_t id, Bytes data)
{
    const auto size = static_cast<std::uint32_t>(data.size());
    return entry({id, std::move(data), size, size});
}

ResBuilder& ResBuilder::stored(std::uint16_t id, Bytes stored, std::uint32_t uncompressed_length)
{
    const auto size = static_cast<std::uint32_t>(stored.size());
    return entry({id, std::move(stored), uncompressed_length, size});
}

ResBuilder& ResBuilder::compound(std::uint16_t id, const std::vector<std::uint32_t>& offsets, Bytes stream,
                                 std::uint32_t decompressed_length)
{
    Bytes data = directory(offsets);
    const auto directory_size = static_cast<std::uint32_t>(data.size());
    data.insert(data.end(), stream.begin(), stream.end());
    const auto size = static_cast<std::uint32_t>(data.size());
    return entry({id, std::move(data), directory_size + decompressed_length, size});
}

ResBuilder& ResBuilder::compound_items(std::uint16_t id, const std::vector<Bytes>& items, int dictionary)
{
    std::vector<std::uint32_t> offsets = {static_cast<std::uint32_t>(2 + 4 * (items.size() + 1))};
    Bytes joined;
    for (const Bytes& item : items) {
        joined.insert(joined.end(), item.begin(), item.end());
        offsets.push_back(offsets.back() + static_cast<std::uint32_t>(item.size()));
    }
    return compound(id, offsets, dcl::implode(joined, dictionary), static_cast<std::uint32_t>(joined.size()));
}

ResBuilder& ResBuilder::compressed(std::uint16_t id, const Bytes& data, int dictionary)
{
    return stored(id, dcl::implode(data, dictionary), static_cast<std::uint32_t>(data.size()));
}

ResBuilder& ResBuilder::entry(BuiltEntry entry)
{
    entries_.push_back(std::move(entry));
    return *this;
}

ResBuilder& ResBuilder::header_filler(std::uint8_t value)
{
    filler_ = value;
    return *this;
}

ResBuilder& ResBuilder::first_data_offset(std::uint32_t offset)
{
    first_data_offset_ = offset;
    return *this;
}

Bytes ResBuilder::directory(const std::vector<std::uint32_t>& offsets)
{
    ByteWriter out;
    out.u16(static_cast<std::uint32_t>(offsets.size() - 1));
    for (std::uint32_t offset : offsets) out.u32(offset);
    return out.take();
}

Bytes ResBuilder::build() const
{
    ByteWriter out;
    out.text("VM Res File v2");
    for (int i = 14; i < 124; ++i) out.u8(filler_);
    out.u32(0);  // index offset, patched below
    out.zeros(first_data_offset_ > 128 ? first_data_offset_ - 128 : 0);
    for (const BuiltEntry& entry : entries_) {
        const std::size_t start = out.size();  // padding counts from the entry's start
        out.bytes(entry.stored);
        while ((out.size() - start) % 4 != 0) out.u8(0);
    }
    const auto index_offset = static_cast<std::uint32_t>(out.size());
    out.u16(static_cast<std::uint32_t>(entries_.size()));
    out.u32(first_data_offset_);
    for (const BuiltEntry& entry : entries_) {
        out.u16(entry.id);
        out.u24(entry.uncompressed_length);
        out.u8(entry.attribute1);
        out.u24(entry.stored_length);
        out.u8(entry.attribute2);
    }
    Bytes bytes = out.take();
    put_u32(&bytes[124], index_offset);
    return bytes;
}

void ResBuilder::write(const std::filesystem::path& path) const
{
    const Bytes bytes = build();
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (!file) throw std::runtime_error("cannot write " + path.string());
}

Bytes image_item(std::uint16_t width, std::uint16_t height, std::uint8_t step)
{
    ByteWriter w;
    w.u32(0);
    w.u16(2);  // 8-bit
    w.u16(5);
    w.u16(width);
    w.u16(height);
    w.u16(width);
    w.u8(static_cast<std::uint8_t>(std::bit_width(width) - 1u));
    w.u8(static_cast<std::uint8_t>(std::bit_width(height) - 1u));
    for (std::uint32_t r = 0; r < height; ++r)
        for (std::uint32_t x = 0; x < width; ++x) w.u8(static_cast<std::uint8_t>(x * step + r));
    return w.take();
}

}  // namespace mw::test

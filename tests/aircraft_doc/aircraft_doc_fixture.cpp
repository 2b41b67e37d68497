#include "aircraft_doc_fixture.h"

#include <gtest/gtest.h>

#include <string_view>

#include "archive/dcl/dcl.h"
#include "archive/res_archive.h"
#include "support/workspace_fixture.h"

namespace mw::test {

namespace {

void append(Bytes& out, std::string_view text)
{
    for (char c : text) out.push_back(std::uint8_t(c));
}

Bytes gear()
{
    Bytes b(101, 0);
    b[0] = 4;   // segment type
    b[1] = 1;   // left wing
    put_f32(&b[2], 40.0f);
    put_f32(&b[18], 0.5f);  // size X
    b[66] = 2;  // gear number
    b[67] = 6;  // LEFTBRAKE
    put_f32(&b[80], 900.0f);  // max. force
    b[100] = 1;
    return b;
}

Bytes contact_point()
{
    Bytes b(18, 0);
    b[0] = 7;
    b[1] = 2;  // right wing
    put_f32(&b[2], 2.0f);
    put_f32(&b[6], 1.0f);
    put_f32(&b[10], 2.0f);
    put_f32(&b[14], 3.0f);
    return b;
}

Bytes flaps()
{
    Bytes b(12, 0);
    put_f32(&b[0], 2.0f);
    put_f32(&b[4], 10.0f);
    put_f32(&b[8], 20.0f);
    return b;
}

Bytes prop()
{
    Bytes b(180, 0);
    for (int i = 0; i < 9; ++i) put_f32(&b[std::size_t(4 * i)], float(20 * i));
    put_u32(&b[36], 2);  // blades
    put_f32(&b[40], 1.25f);
    put_u32(&b[44], 3);  // stripes
    put_u32(&b[112], 5);
    return b;
}

Bytes player_sound()
{
    Bytes b(174, 0);
    for (std::size_t at = 0; at + 4 <= 140; at += 4) put_u32(&b[at], std::uint32_t(at));
    put_f32(&b[0], 0.75f);
    put_u32(&b[28], std::uint32_t(-1));
    return b;
}

}  // namespace

Bytes name_item()
{
    Bytes b = {0x02, 0x00, 0x05, 0xAB, 0xCD};
    append(b, std::string_view("Cessna\0Line one\nLine two\0", 25));
    b.push_back(0x11);
    b.push_back(0x22);
    return b;
}

ResBuilder aircraft_records_archive()
{
    ResBuilder b;
    b.raw(11005, Bytes(8, 1));
    b.raw(26001, {'R', 'I', 'F', 'F', 0, 0, 0, 0});
    b.raw(1971, Bytes(12, 3));
    Bytes definition(16, 0);
    put_u16(&definition[12], 3000);
    b.raw(2053, definition);
    b.raw(3000, Bytes(20, 4));
    b.raw(2059, Bytes(768, 5));
    b.stored(2900, dcl::implode(Bytes(960038, 6), 4096), 960038);  // the cockpit, compressed
    b.compound_items(2052, {name_item(), Bytes(12, 'Q')});
    Bytes trim(4, 0);
    put_f32(trim.data(), 1.5f);
    b.raw(2130, trim);
    b.raw(2135, flaps());
    b.compound_items(2138, {contact_point(), gear(), Bytes{9, 1}, Bytes{3}});
    Bytes axles(22, 0);
    axles[0] = 2;
    axles[1] = 5;
    b.raw(2054, axles);
    b.raw(2056, prop());
    b.raw(26991, player_sound());
    b.raw(11004, Bytes(30, 7));
    return b;
}

std::vector<Bytes> entry_contents(const std::filesystem::path& path, const std::filesystem::path& scratch)
{
    ResArchive archive;
    EXPECT_EQ(archive.open(path), 0);
    std::vector<Bytes> contents;
    for (int i = 0; i < archive.entry_count(); ++i) {
        const auto file = scratch / "entry_content";
        EXPECT_EQ(archive.extract(i, 0, file, ResEntry::to_file, false), 0) << "entry " << i;
        Bytes content = archive.entry(i)->directory_block;
        const Bytes data = read_bytes(file);
        content.insert(content.end(), data.begin(), data.end());
        contents.push_back(content);
    }
    return contents;
}

}  // namespace mw::test

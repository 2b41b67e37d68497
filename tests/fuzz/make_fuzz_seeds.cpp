// Writes the seed corpora: make-fuzz-seeds DIR fills DIR/<target>/ with a
// few small inputs each, made by the archive and model builders and the
// project's own encoders. Run by hand; the output is kept in corpus/.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "aircraft/catalogue.h"
#include "archive/dcl/dcl.h"
#include "model/model_builder.h"
#include "support/res_builder.h"
#include "types/bmp/bitmap_image.h"
#include "types/bmp/bmp_encoder.h"
#include "types/palette_formats.h"

namespace fs = std::filesystem;
using mw::Bytes;

namespace {

fs::path root;

void seed(const std::string& target, const std::string& name, const Bytes& bytes)
{
    const fs::path folder = root / target;
    fs::create_directories(folder);
    std::ofstream out(folder / name, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    if (!out) {
        std::fprintf(stderr, "cannot write %s/%s\n", target.c_str(), name.c_str());
        std::exit(1);
    }
}

void seed(const std::string& target, const std::string& name, const std::string& text)
{
    seed(target, name, Bytes(text.begin(), text.end()));
}

Bytes pattern(std::size_t size, unsigned step)
{
    Bytes bytes(size);
    for (std::size_t i = 0; i < size; ++i) bytes[i] = std::uint8_t((i * step) ^ (i >> 3));
    return bytes;
}

Bytes image_item(std::uint16_t format, std::uint16_t width, std::uint16_t height)
{
    mw::ByteWriter out;
    out.u32(0);
    out.u16(format);
    out.u16(format == 3 ? 32 : 0);
    out.u16(width);
    out.u16(height);
    out.u16(format == 3 ? 2 * width : width);
    out.u16(0x0202);
    out.bytes(pattern(std::size_t(width) * height * (format == 3 ? 2 : 1), 37));
    return out.take();
}

Bytes palette_entry()
{
    Bytes entry = pattern(mw::palette_entry_size, 3);
    return entry;
}

Bytes small_model()
{
    mw::test::ModelBuilder model;
    model.materials = {{.name = "red", .kind = 1, .code = 1, .texture_or_blue = 10, .green = 20, .red = 200},
                       {.name = "t_skin", .kind = 0, .code = 2, .texture_or_blue = 3}};
    model.vertices = {{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 1, 0}, {0, 0, 1}};
    model.face_normals = {{0, 0, 1}, {0, 1, 0}};
    model.texture_coordinates = {{0, 0}, {1, 0}, {1, 1}, {0, 1}};
    model.polygons = {{.material_code = 1, .flags = 0x40, .face_normal = 0, .vertices = {0, 1, 2, 3}},
                      {.material_code = 2, .face_normal = 1, .vertices = {0, 1, 4}, .texture_coordinates = {0, 1, 2}}};
    model.parts = {{.name = "aileron", .axis_kind = 1, .part_number = 2, .limit_a = 0.5f, .limit_b = -0.5f,
                    .first_polygon = 1, .polygon_count = 1}};
    return model.build();
}

Bytes bitmap(std::uint32_t bits, std::uint32_t width, std::uint32_t height)
{
    mw::BitmapImage image;
    image.set_size(bits == 24 ? 0 : 1u << bits, bits, width, height);
    for (std::uint32_t i = 0; i < image.colour_count(); ++i)
        image.colour(i) = mw::BgrColour{std::uint8_t(i * 3), std::uint8_t(i * 5), std::uint8_t(i * 7)};
    for (std::uint32_t r = 0; r < height; ++r) {
        auto row = image.row(r);
        for (std::size_t x = 0; x < row.size(); ++x) row[x] = std::uint8_t(r * 31 + x * 7);
    }
    std::ostringstream out;
    mw::BmpEncoder().write_image(out, image, false);
    const std::string s = out.str();
    return Bytes(s.begin(), s.end());
}

// An 8-bit or 4-bit run-length file: runs, an absolute run, a delta, line and bitmap ends.
Bytes rle_bitmap(std::uint32_t bits)
{
    mw::ByteWriter out;
    const std::uint32_t colours = 1u << bits;
    const Bytes pixels = bits == 8 ? Bytes{3, 7, 0, 3, 1, 2, 5, 0, 0, 2, 1, 0, 0, 0, 4, 9, 0, 1}
                                   : Bytes{4, 0x12, 0, 4, 0x34, 0x56, 0, 2, 1, 0, 0, 0, 2, 0x77, 0, 1};
    const std::uint32_t offset = 14 + 40 + 4 * colours;
    out.text("BM");
    out.u32(offset + std::uint32_t(pixels.size()));
    out.u32(0);
    out.u32(offset);
    out.u32(40);
    out.u32(8);
    out.u32(4);
    out.u16(1);
    out.u16(bits);
    out.u32(bits == 8 ? 1 : 2);
    out.u32(std::uint32_t(pixels.size()));
    out.u32(0);
    out.u32(0);
    out.u32(0);
    out.u32(0);
    for (std::uint32_t i = 0; i < colours; ++i) out.u32(i * 0x010203);
    out.bytes(pixels);
    return out.take();
}

void archive_seeds()
{
    using mw::test::ResBuilder;
    const std::string words = "Some plain text in a raw entry.\r\n";
    const Bytes text(words.begin(), words.end());
    seed("archive", "raw_entries.res", ResBuilder().raw(100, text).raw(101, palette_entry()).build());
    seed("archive", "compressed.res",
         ResBuilder().compressed(1500, image_item(2, 8, 4), 1024).compressed(1501, pattern(300, 5), 4096).build());
    seed("archive", "compound.res",
         ResBuilder().compound_items(1971, {image_item(2, 4, 4), image_item(3, 4, 2), pattern(20, 3)}, 2048).build());
    seed("archive", "model_and_palette.res",
         ResBuilder().raw(15600, palette_entry()).compressed(2000, small_model(), 4096).build());
    // An aircraft archive's record entries: name, flaps and two air-physics segments.
    Bytes name{'S', 'k', 'y', 0, 'A', '\n', 'p', 'l', 'a', 'n', 'e', 0};
    seed("archive", "records.res",
         ResBuilder()
             .compound_items(2052, {name, pattern(8, 1)}, 1024)
             .raw(2135, pattern(52, 11))
             .compound_items(2138, {pattern(101, 7), pattern(42, 9), pattern(2, 1)}, 4096)
             .raw(11500, pattern(24, 13))
             .build());
}

void dcl_seeds()
{
    const std::string prose = "The quick brown fox jumps over the lazy dog. The quick brown fox jumps again.";
    const Bytes text(prose.begin(), prose.end());
    int n = 0;
    for (const int dictionary : {1024, 2048, 4096}) {
        seed("dcl_explode", "text_" + std::to_string(dictionary), mw::dcl::implode(text, dictionary));
        seed("dcl_explode", "pattern_" + std::to_string(dictionary), mw::dcl::implode(pattern(600, 13), dictionary));
        ++n;
    }
    // The ASCII literal mode: header 01 06 and the end code only.
    seed("dcl_explode", "ascii_empty", Bytes{0x01, 0x06, 0x00, 0x7F, 0x00});
    seed("dcl_round_trip", "text", text);
    seed("dcl_round_trip", "pattern", pattern(700, 29));
    seed("dcl_round_trip", "runs", Bytes(300, 'a'));
    seed("dcl_round_trip", "image_item", image_item(2, 16, 8));
}

void image_seeds()
{
    for (const std::uint32_t bits : {1u, 4u, 8u, 24u})
        seed("bmp_decode", "bits" + std::to_string(bits) + ".bmp", bitmap(bits, 5, 3));
    seed("bmp_decode", "rle8.bmp", rle_bitmap(8));
    seed("bmp_decode", "rle4.bmp", rle_bitmap(4));
    seed("image_item", "item8", image_item(2, 7, 5));
    seed("image_item", "item16", image_item(3, 5, 3));
    Bytes with_extra = image_item(3, 3, 2);
    with_extra[6] = 0;  // a variant other than 32 carries three extra words
    with_extra.insert(with_extra.begin() + 16, 12, 0x11);
    seed("image_item", "item16_extra", with_extra);
}

void palette_seeds()
{
    seed("palette", "jasc.pal", mw::jasc_palette_from_entry(palette_entry()));
    seed("palette", "corel.pal", mw::corel_palette_from_entry(palette_entry()));
}

void other_seeds()
{
    seed("model", "small.vmmd", small_model());
    seed("script", "two.mws", std::string("MARROWICKSCRIPTv1.0\r\n2\r\n3 0 texture one.bmp\r\n12 2 item.pal\r\n"));
    seed("script", "last_line_bare.mws", std::string("MARROWICKSCRIPTv1.0\n1\n1 1 a.bin"));
    seed("config_files", "config.cfg",
         std::string("LastOpenDir /home/pilot/res files\r\nLastExportDir -\r\nLastImportDir /tmp\r\n"
                     "PaletteFormat 1\r\nTexturesBGR 0\r\n"));
    seed("config_files", "resid.def", std::string("Textures 1500 1500\nAircraft 2052 2138\nSounds -5 4294967295\n"));

    // One seed per record layout: the layout's index, then an item of its length.
    const auto& catalogue = mw::record_catalogue();
    for (std::size_t i = 0; i < catalogue.size(); ++i) {
        const mw::RecordSpec& spec = catalogue[i];
        Bytes input{std::uint8_t(i)};
        Bytes item = pattern(std::size_t(spec.length > 0 ? spec.length : 40), unsigned(i) + 3);
        if (spec.special == mw::RecordSpecial::flap_steps) mw::put_f32(item.data(), 3.0f);
        if (spec.special == mw::RecordSpecial::aircraft_name) item = {0x02, 0, 3, 'A', 'B', 0, 'x', '\n', 'y', 0};
        if (spec.special == mw::RecordSpecial::aircraft_call) item = Bytes(14, 0), item.push_back('A'), item.push_back(0);
        input.insert(input.end(), item.begin(), item.end());
        char name[32];
        std::snprintf(name, sizeof name, "layout%03zu", i);
        seed("record", name, input);
    }
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: make-fuzz-seeds DIR\n");
        return 2;
    }
    root = argv[1];
    archive_seeds();
    dcl_seeds();
    image_seeds();
    palette_seeds();
    other_seeds();
    return 0;
}

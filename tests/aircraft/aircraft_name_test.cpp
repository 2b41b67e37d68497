#include <gtest/gtest.h>

#include "aircraft/aircraft_name.h"
#include "support/workspace_fixture.h"

namespace mw::test {
namespace {

class AircraftNameTest : public WorkspaceFixture {};

Bytes text_bytes(const std::string& s) { return Bytes(s.begin(), s.end()); }

TEST_F(AircraftNameTest, ShorterNameIsPaddedWithSpacesAndDescriptionKeepsItsOffset)
{
    Bytes item = text_bytes(std::string("Warhawk\0A fine\nplane\0tail", 26));
    const auto loaded = load_aircraft_name(item);
    ASSERT_TRUE(loaded);
    EXPECT_EQ(loaded->name, "Warhawk");
    EXPECT_EQ(loaded->description, "A fine\r\nplane");
    EXPECT_EQ(loaded->layout.name_offset, 0u);
    EXPECT_EQ(loaded->layout.name_length, 7u);
    EXPECT_EQ(loaded->layout.description_length, 12u);
    EXPECT_EQ(loaded->line_breaks, 1u);

    ASSERT_EQ(encode_aircraft_name(item, loaded->layout, "Hawk", "Quick"), 0);
    EXPECT_EQ(item, text_bytes(std::string("Hawk   \0Quick       \0tail", 26)));
}

TEST_F(AircraftNameTest, DescriptionLimitCountsCarriageReturns)
{
    const Bytes item = text_bytes(std::string("N\0aaaaaa\nbbbbbb\ncccccc\0", 23));
    const auto loaded = load_aircraft_name(item);
    ASSERT_TRUE(loaded);
    EXPECT_EQ(loaded->layout.description_length, 20u);
    EXPECT_EQ(description_edit_limit(*loaded), 22u);

    // 22 characters with two CR LF pairs are 20 stored bytes.
    Bytes saved = item;
    ASSERT_EQ(encode_aircraft_name(saved, loaded->layout, "N", "aaaaaa\r\nbbbbbb\r\ncccccc"), 0);
    EXPECT_EQ(saved, item);
}

TEST_F(AircraftNameTest, DescriptionLongerThanItsSpaceIsRefusedAndNothingIsWritten)
{
    const Bytes item = text_bytes(std::string("N\0aaaaaa\nbbbbbb\ncccccc\0after", 28));
    const auto loaded = load_aircraft_name(item);
    ASSERT_TRUE(loaded);
    Bytes saved = item;
    // Line breaks replaced by other characters: 22 characters for 20 places.
    EXPECT_EQ(encode_aircraft_name(saved, loaded->layout, "N", "aaaaaa--bbbbbb--cccccc"), -1);
    EXPECT_EQ(encode_aircraft_name(saved, loaded->layout, "NN", "x"), -1);
    EXPECT_EQ(encode_aircraft_name(saved, loaded->layout, "", "x"), -1);
    EXPECT_EQ(saved, item);
    EXPECT_EQ(errors(), (std::vector<std::string>{
                            "The description may hold at most 20 characters (line breaks count as one)",
                            "The name may hold at most 1 characters", "Enter the new aircraft name"}));
}

TEST_F(AircraftNameTest, PrefixGivesTheNameOffsetAndStaysUntouched)
{
    Bytes item = text_bytes(std::string("\x02\x00\x08zzzzzPlane\0Text\0", 19));
    const auto loaded = load_aircraft_name(item);
    ASSERT_TRUE(loaded);
    EXPECT_EQ(loaded->layout.name_offset, 8u);
    EXPECT_EQ(loaded->name, "Plane");
    EXPECT_EQ(loaded->description, "Text");
    ASSERT_EQ(encode_aircraft_name(item, loaded->layout, "Jet", "Up"), 0);
    EXPECT_EQ(item, text_bytes(std::string("\x02\x00\x08zzzzzJet  \0Up  \0", 19)));
}

TEST_F(AircraftNameTest, StoredCarriageReturnSurvivesASaveWithoutChanges)
{
    const Bytes item = text_bytes(std::string("N\0x\ry\r\nz\0", 9));
    const auto loaded = load_aircraft_name(item);
    ASSERT_TRUE(loaded);
    EXPECT_EQ(loaded->description, "x\ry\r\r\nz");
    Bytes saved = item;
    ASSERT_EQ(encode_aircraft_name(saved, loaded->layout, loaded->name, loaded->description), 0);
    EXPECT_EQ(saved, item);
}

TEST_F(AircraftNameTest, MissingZeroBytesAreReadErrors)
{
    EXPECT_FALSE(load_aircraft_name(text_bytes("NoZero")));
    EXPECT_FALSE(load_aircraft_name(text_bytes(std::string("Name\0NoEnd", 10))));
    EXPECT_FALSE(load_aircraft_name(text_bytes("\x02\x00")));
    EXPECT_FALSE(load_aircraft_name(text_bytes(std::string("\x02\x00\xF0", 3))));  // offset past the end
    EXPECT_FALSE(load_aircraft_name(Bytes{}));
    EXPECT_EQ(errors(), std::vector<std::string>(5, "Error#62: Error reading aircraft name file"));
}

TEST_F(AircraftNameTest, FileUpdateInPlace)
{
    const auto path = scratch() / "mw3792_name.";
    write_bytes(path, text_bytes(std::string("Warhawk\0Desc\0", 13)));
    const auto loaded = load_aircraft_name_file(path);
    ASSERT_TRUE(loaded);
    ASSERT_EQ(update_aircraft_name_file(path, "Mustang", "Fast", loaded->layout), 0);
    EXPECT_EQ(read_bytes(path), text_bytes(std::string("Mustang\0Fast\0", 13)));

    EXPECT_FALSE(load_aircraft_name_file(scratch() / "none"));
    EXPECT_EQ(update_aircraft_name_file(scratch() / "none", "A", "B", loaded->layout), -1);
    EXPECT_FALSE(std::filesystem::exists(scratch() / "none"));
    EXPECT_EQ(errors(), (std::vector<std::string>{"Error#61: Error loading aircraft name file",
                                                  "Error opening aircraft name file"}));
}

}  // namespace
}  // namespace mw::test

#include <gtest/gtest.h>

#include "archive/resid_table.h"
#include "support/workspace_fixture.h"

namespace mw::test {
namespace {

using ResIdTableTest = WorkspaceFixture;

TEST_F(ResIdTableTest, FirstMatchingRangeWins)
{
    write_text(scratch() / "resid.def", "Early 10 20\nLate 15 30\nBackwards 50 40\r\nSingle 7 7\n");
    ResIdTable table;
    ASSERT_EQ(table.load(scratch() / "resid.def"), 0);
    EXPECT_EQ(table.name_of(15), "Early");
    EXPECT_EQ(table.name_of(25), "Late");
    EXPECT_EQ(table.name_of(45), "");  // low above high matches nothing
    EXPECT_EQ(table.name_of(7), "Single");
    EXPECT_EQ(table.name_of(8), "");
}

TEST_F(ResIdTableTest, LastTripleWithoutLineBreakIsKept)
{
    write_text(scratch() / "resid.def", "A 1 2\nB 3 4");
    ResIdTable table;
    ASSERT_EQ(table.load(scratch() / "resid.def"), 0);
    EXPECT_EQ(table.ranges().size(), 2u);
    EXPECT_EQ(table.name_of(4), "B");
}

TEST_F(ResIdTableTest, ComparisonsAreUnsigned32Bit)
{
    // -1 reads as 0xFFFFFFFF: the range 0 ... -1 holds every ID.
    write_text(scratch() / "resid.def", "All 0 -1\n");
    ResIdTable table;
    ASSERT_EQ(table.load(scratch() / "resid.def"), 0);
    EXPECT_EQ(table.name_of(65535), "All");
}

TEST_F(ResIdTableTest, ReadingStopsAtAMalformedTripleAndSecondLoadKeepsTable)
{
    write_text(scratch() / "resid.def", "A 1 2\nB x 4\nC 5 6\n");
    ResIdTable table;
    ASSERT_EQ(table.load(scratch() / "resid.def"), 0);
    EXPECT_EQ(table.ranges().size(), 1u);
    write_text(scratch() / "resid.def", "Z 1 2\n");
    ASSERT_EQ(table.load(scratch() / "resid.def"), 0);
    EXPECT_EQ(table.name_of(1), "A");
}

TEST_F(ResIdTableTest, MissingFileIsReported)
{
    ResIdTable table;
    EXPECT_EQ(table.load(scratch() / "none.def"), -1);
    EXPECT_EQ(errors(), std::vector<std::string>{"Error#1022: Failed to open file resid.def"});
}

TEST_F(ResIdTableTest, ShippedFileNamesTheKnownIds)
{
    ResIdTable table;
    ASSERT_EQ(table.load(std::filesystem::path(MARROWICK_SOURCE_DIR) / "data" / "resid.def"), 0);
    for (std::uint32_t id : {1500u, 1971u, 2000u, 29011u, 2052u, 2053u, 2056u, 2059u, 2130u, 2138u, 26001u, 11004u,
                             11005u, 11405u, 11500u, 15051u, 26991u})
        EXPECT_NE(table.name_of(id), "") << id;
}

}  // namespace
}  // namespace mw::test

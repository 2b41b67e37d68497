#include <gtest/gtest.h>

#include "batch/export_options.h"
#include "batch/multiple_export.h"
#include "batch/recorders.h"
#include "document/marrowick_doc.h"
#include "document/recording_views.h"
#include "support/res_builder.h"
#include "support/workspace_fixture.h"

namespace mw::test {
namespace {

class MultipleExportTest : public WorkspaceFixture {
protected:
    void SetUp() override
    {
        WorkspaceFixture::SetUp();
        views.doc = &doc;
        std::filesystem::create_directories(destination);
    }

    void open(const ResBuilder& builder)
    {
        builder.write(scratch() / "a.res");
        ASSERT_EQ(doc.open_archive(scratch() / "a.res"), 0);
        views.log.clear();
    }

    int export_rows(const std::vector<int>& rows, bool convert)
    {
        return export_multiple(doc.archive(), views, rows, destination, convert,
                               [this](const ExportedItem& item) { exported.push_back(item); }, messages);
    }

    std::vector<std::string> destination_files() const
    {
        std::vector<std::string> names;
        for (const auto& file : std::filesystem::directory_iterator(destination)) names.push_back(file.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }

    // A raw entry, a compound entry of 3 items, one of 1 item, a plain compressed entry.
    static ResBuilder four_entries()
    {
        ResBuilder b;
        b.raw(100, counting(10, 1));
        add_compound(b, 300, {counting(4, 1), counting(5, 2), counting(6, 3)});
        add_compound(b, 301, {counting(40, 4)});
        add_compressed(b, 102, counting(50, 5), 2048);
        return b;
    }

    std::filesystem::path destination = scratch() / "out";
    RecordingViews views;
    CMarrowickDoc doc{views};
    RecordingMessenger messages;
    std::vector<ExportedItem> exported;
};

TEST_F(MultipleExportTest, RowsAreTheFileNodesWithTheirItemCounts)
{
    open(four_entries());
    EXPECT_EQ(mw::export_rows(doc.archive()), (std::vector<std::string>{
                                                 "File 1 (10 bytes)",
                                                 "File 2 (15 bytes)    3 Items",
                                                 "File 3 (40 bytes)",  // one child: no suffix
                                                 "File 4 (50 bytes)",
                                             }));
}

TEST_F(MultipleExportTest, ThreeItemsAndAPlainEntryGiveFourFilesAndCountTwo)
{
    open(four_entries());
    EXPECT_EQ(export_rows({0, 1}, true), 0);
    EXPECT_EQ(destination_files(), (std::vector<std::string>{"a_001_100.unknown", "a_002_300_item1.unknown",
                                                             "a_002_300_item2.unknown", "a_002_300_item3.unknown"}));
    EXPECT_EQ(read_bytes(destination / "a_002_300_item2.unknown"), counting(5, 2));
    EXPECT_EQ(messages.shown, (std::vector<DialogMessage>{
                                  {"2 files have been exported successfuly", main_title, MessageIcon::information}}));
    ASSERT_EQ(exported.size(), 4u);
    EXPECT_EQ(exported[0].file, 1);
    EXPECT_EQ(exported[0].item, 0);
    EXPECT_EQ(exported[3].item, 3);
    EXPECT_EQ(exported[3].target, destination / "a_002_300_item3.unknown");
    EXPECT_EQ(workspace().last_export_dir(), destination.string());
    EXPECT_EQ(views.log, (std::vector<std::string>{"stop_sound", "wait_cursor", "end_wait"}));
}

TEST_F(MultipleExportTest, StoredFormNamesEndInADot)
{
    ResBuilder b = four_entries();
    Bytes image(16 + 8, 7);
    put_u32(&image[0], 0);
    put_u16(&image[4], 2);
    b.raw(1971, image);
    open(b);
    EXPECT_EQ(export_rows({2, 3, 4}, false), 0);
    EXPECT_EQ(destination_files(), (std::vector<std::string>{"a_003_301_item1.", "a_004_102.", "a_005_1971."}));
    EXPECT_EQ(read_bytes(destination / "a_004_102."), counting(50, 5));
    EXPECT_EQ(read_bytes(destination / "a_005_1971."), image);
    EXPECT_EQ(exported[1].target, destination / "a_004_102.");
    EXPECT_EQ(messages.texts(), std::vector<std::string>{"3 files have been exported successfuly"});
}

TEST_F(MultipleExportTest, AFailingEntryWithholdsOnlyTheCountMessage)
{
    ResBuilder b = four_entries();
    b.stored(200, {0x00, 0x06, 0x12}, 100);  // cannot be decompressed
    b.raw(201, counting(3, 9));
    open(b);
    EXPECT_EQ(export_rows({4, 5}, false), -1);
    EXPECT_EQ(destination_files(), std::vector<std::string>{"a_006_201."});
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_EQ(errors().size(), 1u);  // the extraction's own message
    ASSERT_EQ(exported.size(), 2u);
    EXPECT_EQ(exported[0].result, -1);
    EXPECT_TRUE(exported[0].target.empty());
}

TEST_F(MultipleExportTest, DialogChecks)
{
    open(four_entries());
    ExportMultipleDialogModel dialog(doc.archive(), messages);
    EXPECT_EQ(dialog.rows().size(), 4u);
    EXPECT_TRUE(dialog.convert());
    EXPECT_TRUE(dialog.destination().empty());  // no export folder used yet

    EXPECT_FALSE(dialog.confirm({1}));
    EXPECT_EQ(messages.shown.back(),
              (DialogMessage{"Please select a destination folder", "No Folder Selected", MessageIcon::exclamation}));

    dialog.folder_chosen(std::nullopt);
    EXPECT_FALSE(dialog.ok_enabled());
    EXPECT_EQ(messages.shown.back(), (DialogMessage{"Folder not in file system", "Error", MessageIcon::stop}));
    dialog.folder_chosen(destination);
    EXPECT_TRUE(dialog.ok_enabled());
    EXPECT_EQ(dialog.destination(), destination.string());

    EXPECT_FALSE(dialog.confirm({}));
    EXPECT_FALSE(dialog.confirm({7}));  // no such row
    EXPECT_EQ(messages.shown.back(), (DialogMessage{"Please select the files you want to export", "No Files Selected",
                                                    MessageIcon::exclamation}));
    EXPECT_TRUE(dialog.confirm({3, 0, 3}));
    EXPECT_EQ(dialog.selected_rows(), (std::vector<int>{0, 3}));

    // The next dialog starts in the last export folder.
    EXPECT_EQ(export_rows(dialog.selected_rows(), true), 0);
    EXPECT_EQ(ExportMultipleDialogModel(doc.archive(), messages).destination(), destination.string());
}

TEST_F(MultipleExportTest, OptionsKeepPaletteFormatButNotTheModelSourceMode)
{
    EXPECT_EQ(current_export_options(), (ExportOptions{0, 0}));
    store_export_options({1, 1});
    EXPECT_EQ(current_export_options(), (ExportOptions{1, 1}));
    store_export_options({7, -1});  // anything but 1 counts as 0
    EXPECT_EQ(current_export_options(), (ExportOptions{0, 0}));

    store_export_options({1, 1});
    workspace().save_config();
    workspace().reset();
    ASSERT_EQ(workspace().setup_in(program_folder()), 0);
    EXPECT_EQ(current_export_options(), (ExportOptions{1, 0}));
}

TEST_F(MultipleExportTest, CorelChoiceMakesTheNextPaletteExportBinary)
{
    ResBuilder b;
    b.raw(5, counting(768, 1));
    open(b);
    EXPECT_EQ(export_rows({0}, true), 0);
    EXPECT_EQ(read_text(destination / "a_001_5.pal").rfind("JASC-PAL", 0), 0u);

    store_export_options({1, 0});
    open(b);  // a fresh extraction, as after reopening
    EXPECT_EQ(export_rows({0}, true), 0);
    const std::string corel = read_text(destination / "a_001_5.pal");
    EXPECT_NE(corel.rfind("JASC-PAL", 0), 0u);
    EXPECT_EQ(corel.size(), 6678u);
}

}  // namespace
}  // namespace mw::test

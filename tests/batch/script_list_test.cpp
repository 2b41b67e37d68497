#include <gtest/gtest.h>

#include "batch/recorders.h"
#include "batch/script_dialogs.h"
#include "batch/script_list.h"
#include "support/workspace_fixture.h"

namespace mw::test {
namespace {

std::vector<std::string> file_column(const ScriptList& list)
{
    std::vector<std::string> texts;
    for (std::size_t i = 0; i < list.size(); ++i) texts.push_back(list.row_texts(i).file);
    return texts;
}

TEST(ScriptList, RowsSortByThePaddedFileText)
{
    RecordingMessenger messages;
    ScriptList list;
    for (int file : {12, 9, 100, 7, 9999, 10000})
        ASSERT_EQ(list.add({file, 0, std::string("f").append(std::to_string(file))}, messages), 0);  // GCC 12 misreads "f" + ... (-Wrestrict)
    // Text order: five digits sort by their text, so 10000 comes before 100.
    EXPECT_EQ(file_column(list), (std::vector<std::string>{"0007", "0009", "0012", "0100", "10000", "9999"}));
    EXPECT_EQ(list.row_texts(1).name, "f9");
    EXPECT_EQ(list.row_texts(1).item, "0000");
    EXPECT_TRUE(messages.shown.empty());
}

TEST(ScriptList, SameFileKeepsArrivalOrder)
{
    RecordingMessenger messages;
    ScriptList list;
    ASSERT_EQ(list.add({3, 5, "a"}, messages), 0);
    ASSERT_EQ(list.add({2, 0, "b"}, messages), 0);
    ASSERT_EQ(list.add({3, 1, "c"}, messages), 0);
    EXPECT_EQ(list.entries(), (std::vector<ScriptEntry>{{2, 0, "b"}, {3, 5, "a"}, {3, 1, "c"}}));
}

TEST(ScriptList, DuplicateNumbersAreRefusedWhateverTheName)
{
    RecordingMessenger messages;
    ScriptList list;
    ASSERT_EQ(list.add({3, 0, "a.bmp"}, messages), 0);
    EXPECT_EQ(list.add({3, 0, "other.bmp"}, messages), -1);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0], (DialogMessage{"A script entry with the file & item numbers you sepcified already exists",
                                                "Item Already Exists", MessageIcon::stop}));
    EXPECT_EQ(list.add({3, 1, "a.bmp"}, messages), 0);
    EXPECT_EQ(list.entries(), (std::vector<ScriptEntry>{{3, 0, "a.bmp"}, {3, 1, "a.bmp"}}));
}

TEST(ScriptList, RemoveTakesTheSelectedRowsOnce)
{
    ScriptList list;
    for (int file = 1; file <= 5; ++file) ASSERT_EQ(list.add({file, 0, "x"}), 0);
    EXPECT_EQ(list.remove({3, 0, 3, 17, -1}), 2);
    EXPECT_EQ(file_column(list), (std::vector<std::string>{"0002", "0003", "0005"}));
    EXPECT_EQ(list.remove({}), 0);
}

class ScriptDialogTest : public WorkspaceFixture {
protected:
    RecordingMessenger messages;
};

TEST_F(ScriptDialogTest, AddEntryChecksRangesThenTheName)
{
    AddScriptEntryModel add("/start");
    EXPECT_EQ(add.browse_dialog().filter, "All Files (*.*)|*.*||");
    EXPECT_EQ(add.browse_dialog().initial_folder, "/start");
    EXPECT_EQ(add.file_number(), 1);
    EXPECT_EQ(add.item_number(), 0);

    struct Case {
        const char* name;
        int file;
        int item;
        const char* message;
    };
    const Case cases[] = {
        {"file 0", 0, 0, "Please enter an integer between 1 and 9999."},
        {"file 10000", 10000, 0, "Please enter an integer between 1 and 9999."},
        {"item -1", 1, -1, "Please enter an integer between 0 and 9999."},
        {"item 10000", 9999, 10000, "Please enter an integer between 0 and 9999."},
        {"no file chosen", 9999, 9999, "No Filename Specified"},
    };
    for (const Case& c : cases) {
        messages.shown.clear();
        add.set_file_number(c.file);
        add.set_item_number(c.item);
        EXPECT_FALSE(add.confirm(messages)) << c.name;
        ASSERT_EQ(messages.shown.size(), 1u) << c.name;
        EXPECT_EQ(messages.shown[0].text, c.message) << c.name;
    }
    EXPECT_EQ(messages.shown[0].caption, "Missing Data");

    add.file_chosen("/pictures/tex 01.bmp");
    EXPECT_EQ(add.folder(), "/pictures");
    EXPECT_EQ(add.file_name(), "tex 01.bmp");
    messages.shown.clear();
    EXPECT_TRUE(add.confirm(messages));
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(ScriptDialogTest, ImportIsEnabledOnlyAfterSaveOrLoad)
{
    ImportScriptDialogModel dialog(scratch().string(), messages);
    EXPECT_FALSE(dialog.import_enabled());

    // Saving nothing is refused before any file dialog.
    EXPECT_FALSE(dialog.can_save());
    EXPECT_EQ(messages.shown.back(), (DialogMessage{"The script has no entries", "Empty Script", MessageIcon::stop}));

    AddScriptEntryModel add = dialog.add_dialog();
    EXPECT_EQ(add.folder(), scratch().string());
    std::filesystem::create_directories(scratch() / "pics");
    add.file_chosen(scratch() / "pics" / "p.bmp");
    add.set_file_number(4);
    dialog.add(add);
    EXPECT_EQ(dialog.script_folder(), (scratch() / "pics").string());
    EXPECT_EQ(dialog.list().entries(), (std::vector<ScriptEntry>{{4, 0, "p.bmp"}}));

    ASSERT_TRUE(dialog.can_save());
    EXPECT_EQ(dialog.save_dialog().filter, "Marrowick Scripts (*.mws)|*.mws||");
    EXPECT_EQ(dialog.save_dialog().default_extension, "mws");
    EXPECT_EQ(dialog.save_dialog().initial_folder, (scratch() / "pics").string());
    dialog.save(scratch() / "s.mws");
    EXPECT_TRUE(dialog.import_enabled());
    EXPECT_EQ(dialog.script_folder(), scratch().string());

    dialog.remove({5});  // nothing removed: no change
    EXPECT_TRUE(dialog.import_enabled());
    dialog.remove({0});
    EXPECT_FALSE(dialog.import_enabled());

    // A failed load still enables "Import" (over whatever the list holds).
    dialog.load(scratch() / "missing.mws");
    EXPECT_EQ(messages.shown.back().text, "The script file does not exist or is in use by another application");
    EXPECT_TRUE(dialog.import_enabled());

    // An add without a chosen file disables "Import" and adds nothing.
    dialog.add(dialog.add_dialog());
    EXPECT_FALSE(dialog.import_enabled());
    EXPECT_TRUE(dialog.list().empty());

    ASSERT_EQ(dialog.load(scratch() / "s.mws"), 0);
    EXPECT_EQ(dialog.import_entries(), (std::vector<ScriptEntry>{{4, 0, "p.bmp"}}));
}

TEST_F(ScriptDialogTest, SaveToAnUnwritablePlaceKeepsImportDisabled)
{
    ImportScriptDialogModel dialog(scratch().string(), messages);
    AddScriptEntryModel add = dialog.add_dialog();
    add.file_chosen(scratch() / "p.bmp");
    dialog.add(add);
    dialog.save(scratch() / "no-such-folder" / "s.mws");
    EXPECT_EQ(messages.shown.back(),
              (DialogMessage{"An error occured while trying to save script file", "File I/O Error", MessageIcon::stop}));
    EXPECT_FALSE(dialog.import_enabled());
}

}  // namespace
}  // namespace mw::test

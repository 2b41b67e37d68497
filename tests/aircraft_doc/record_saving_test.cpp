#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "aircraft/catalogue.h"
#include "aircraft/field_text.h"
#include "aircraft_doc_fixture.h"
#include "document/recording_views.h"
#include "document/record_saving.h"
#include "support/workspace_fixture.h"

namespace mw::test {
namespace {

class RecordSavingTest : public WorkspaceFixture {
protected:
    void SetUp() override
    {
        WorkspaceFixture::SetUp();
        views.doc = &doc;
        aircraft_records_archive().write(archive);
        ASSERT_EQ(doc.open_archive(archive), 0);
        ASSERT_TRUE(doc.analysis().aircraft_archive);
    }

    Record select_record(int file, int item)
    {
        doc.select(file, item);
        auto record = doc.load_selected_record();
        EXPECT_TRUE(record.has_value()) << file << "/" << item;
        return record.value_or(Record{});
    }

    std::filesystem::path temp_file() const { return doc.display_request().file; }
    std::vector<Bytes> contents() { return entry_contents(archive, scratch()); }

    RecordingViews views;
    CMarrowickDoc doc{views};
    std::filesystem::path archive = scratch() / "a.res";
};

TEST_F(RecordSavingTest, KindsFollowTheSelection)
{
    const struct {
        int file;
        int item;
        const char* form_class;  // "" for none
    } cases[] = {
        {file_name, 0, "CAircraftNameDialog"}, {file_name, 2, ""},
        {file_trim, 0, "CAPhy4FloatDlg"},      {file_flaps, 0, "CAPhyFlapsDlg"},
        {file_segments, item_contact, "CAPhyContactPoint"},
        {file_segments, item_gear, "CLandGearDlg"},
        {file_segments, item_fuel_system, "CFuelSystemDlg"},
        {file_segments, item_anti_ice, "CAntiIceDlg"},
        {file_axles, 0, "CAxleDlg"},           {file_prop, 0, "CPropEdDialog"},
        {file_player_sound, 0, "CPlayerSndDlg2"}, {file_call_voices, 0, "CCallSndDlg"},
        {file_cockpit, 0, ""},
    };
    for (const auto& c : cases) {
        doc.select(c.file, c.item);
        const RecordSpec* kind = doc.selected_record_kind();
        EXPECT_EQ(kind ? kind->form_class : "", c.form_class) << c.file << "/" << c.item;
    }
}

TEST_F(RecordSavingTest, SavedValueIsCurrentAndNewAfterTheReload)
{
    Record gear = select_record(file_segments, item_gear);
    ASSERT_EQ(set_field_text(gear, "Max. Force:", "1234.5"), 0);
    ASSERT_EQ(doc.save_record(temp_file(), gear), 0);
    EXPECT_EQ(infos(), std::vector<std::string>{"Import Completed"});
    EXPECT_TRUE(errors().empty());
    EXPECT_EQ(doc.selected_file(), file_segments);
    EXPECT_EQ(doc.selected_item(), item_gear);
    EXPECT_EQ(views.shown.back().kind, 2138);

    const auto reloaded = doc.load_selected_record();
    ASSERT_TRUE(reloaded);
    const auto force = field_index_at(*reloaded->spec, 80);
    ASSERT_TRUE(force);
    EXPECT_EQ(reloaded->current_values[*force].real, 1234.5f);
    EXPECT_EQ(reloaded->new_values[*force].real, 1234.5f);
}

TEST_F(RecordSavingTest, SaveShowsTheWaitWindowAroundWriteAndReplace)
{
    Record trim = select_record(file_trim, 0);
    views.log.clear();
    ASSERT_EQ(doc.save_record(temp_file(), trim), 0);
    ASSERT_GE(views.log.size(), 2u);
    EXPECT_EQ(views.log[0], "wait_window");
    EXPECT_EQ(views.log[1], "end_wait");
    EXPECT_EQ(std::count(views.log.begin(), views.log.end(), "wait_window"), 1);
}

// Each kind's change lands at its offset with its width; every other byte of
// every entry stays as it was.
TEST_F(RecordSavingTest, ChangedFieldLandsAtItsOffsetAndNothingElseMoves)
{
    const struct {
        int file;
        int item;
        const char* assignment;
        std::size_t at;  // in the entry's content (directory included)
        Bytes bytes;
    } cases[] = {
        {file_segments, item_gear, "Max. Force:=1234.5", 22 + 18 + 80, {0x00, 0x50, 0x9A, 0x44}},
        {file_segments, item_gear, "Control:=3", 22 + 18 + 67, {3}},
        {file_segments, item_contact, "Plane Part:=Tail", 22 + 1, {3}},
        {file_trim, 0, "Horizontal Trim Scale:=-2", 0, {0x00, 0x00, 0x00, 0xC0}},
        {file_axles, 0, "@2=300", 2, {44}},
        {file_prop, 0, "Blades:=3", 36, {3, 0, 0, 0}},
        {file_player_sound, 0, "Wind Base volume:=-2", 8, {0xFE, 0xFF, 0xFF, 0xFF}},
        {file_player_sound, 0, "Stall Warning:=513", 140, {0x01, 0x02}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.assignment);
        clear_messages();
        const std::vector<Bytes> before = contents();
        Record record = select_record(c.file, c.item);
        ASSERT_EQ(apply_assignment(record, c.assignment), 0);
        ASSERT_EQ(doc.save_record(temp_file(), record), 0);
        EXPECT_EQ(infos(), std::vector<std::string>{"Import Completed"});

        std::vector<Bytes> expected = before;
        Bytes& changed = expected[std::size_t(c.file - 1)];
        std::copy(c.bytes.begin(), c.bytes.end(), changed.begin() + std::ptrdiff_t(c.at));
        EXPECT_EQ(contents(), expected);
    }
}

TEST_F(RecordSavingTest, SaveWithoutChangeLeavesTheArchiveIdentical)
{
    const Bytes original = read_bytes(archive);
    const std::pair<int, int> selections[] = {
        {file_segments, item_gear}, {file_trim, 0}, {file_prop, 0}, {file_player_sound, 0}};
    for (const auto& [file, item] : selections) {
        const Record record = select_record(file, item);
        ASSERT_EQ(doc.save_record(temp_file(), record), 0) << file;
        EXPECT_EQ(read_bytes(archive), original) << file;
    }
}

// Selecting the segment entry as a whole shows its first item out of the
// entry's file: the form is the first item's, and a save replaces just it.
TEST_F(RecordSavingTest, EntrySelectedAsAWholeEditsItsFirstItem)
{
    doc.select(file_segments, 0);
    ASSERT_EQ(doc.selected_item(), item_contact);
    Record contact = select_record(file_segments, 0);
    ASSERT_NE(contact.spec, nullptr);
    EXPECT_EQ(contact.spec->form_class, "CAPhyContactPoint");
    EXPECT_EQ(contact.current_values[*find_field(*contact.spec, "Position Z (m):")].real, 3.0f);

    const std::vector<Bytes> before = contents();
    ASSERT_EQ(set_field_text(contact, "Mass (Kg):", "-2"), 0);
    ASSERT_EQ(doc.save_record(temp_file(), contact), 0);
    EXPECT_TRUE(errors().empty());
    EXPECT_EQ(infos(), std::vector<std::string>{"Import Completed"});
    EXPECT_EQ(doc.selected_file(), file_segments);
    EXPECT_EQ(doc.selected_item(), item_contact);

    std::vector<Bytes> expected = before;
    const Bytes minus_two = {0x00, 0x00, 0x00, 0xC0};
    std::copy(minus_two.begin(), minus_two.end(), expected[file_segments - 1].begin() + 22 + 2);
    EXPECT_EQ(contents(), expected);
}

TEST_F(RecordSavingTest, FlapRecordGrowsAndTheEntriesAfterItMove)
{
    const std::vector<Bytes> before = contents();
    Record flaps = select_record(file_flaps, 0);
    ASSERT_EQ(set_field_text(flaps, "Flap Steps:", "3"), 0);
    ASSERT_EQ(set_field_text(flaps, "Flap Positions: 3", "30"), 0);
    ASSERT_EQ(doc.save_record(temp_file(), flaps), 0);

    std::vector<Bytes> expected = before;
    Bytes& grown = expected[file_flaps - 1];
    put_f32(grown.data(), 3.0f);
    grown.resize(16);
    put_f32(&grown[12], 30.0f);
    EXPECT_EQ(contents(), expected);
    EXPECT_EQ(doc.archive().entry(file_flaps - 1)->uncompressed_length, 16u);
}

TEST_F(RecordSavingTest, NameAndDescriptionKeepTheRecordsSize)
{
    doc.select(file_name, 0);
    const auto name = doc.load_selected_aircraft_name();
    ASSERT_TRUE(name);
    EXPECT_EQ(name->name, "Cessna");
    EXPECT_EQ(name->description, "Line one\r\nLine two");
    const std::vector<Bytes> before = contents();

    ASSERT_EQ(doc.save_aircraft_name(temp_file(), "Piper", "Short\r\ntext", name->layout), 0);
    EXPECT_EQ(infos(), std::vector<std::string>{"Import Completed"});
    EXPECT_EQ(doc.selected_file(), file_name);
    EXPECT_EQ(doc.selected_item(), 0);

    std::vector<Bytes> expected = before;
    Bytes& entry = expected[file_name - 1];
    const std::size_t directory = 2 + 4 * 3;
    const std::string replaced("Piper \0Short\ntext       \0", 25);
    std::copy(replaced.begin(), replaced.end(), entry.begin() + std::ptrdiff_t(directory + 5));
    EXPECT_EQ(contents(), expected);

    const auto reloaded = doc.load_selected_aircraft_name();
    ASSERT_TRUE(reloaded);
    EXPECT_EQ(reloaded->name, "Piper ");
    EXPECT_EQ(reloaded->description, "Short\r\ntext       ");
}

TEST_F(RecordSavingTest, NameTooLongIsRefusedAndNothingChanges)
{
    doc.select(file_name, 0);
    const auto name = doc.load_selected_aircraft_name();
    ASSERT_TRUE(name);
    const Bytes original = read_bytes(archive);
    EXPECT_EQ(doc.save_aircraft_name(temp_file(), "Cessna 172", "", name->layout), -1);
    EXPECT_EQ(errors(), std::vector<std::string>{"The name may hold at most 6 characters"});
    EXPECT_EQ(read_bytes(archive), original);
    EXPECT_TRUE(infos().empty());
}

TEST_F(RecordSavingTest, ShownOnlyKindsRefuseToSave)
{
    const Bytes original = read_bytes(archive);
    const struct {
        int file;
        int item;
        const char* refusal;
    } cases[] = {
        {file_call_voices, 0, "This record is shown only and cannot be saved"},
        {file_segments, item_anti_ice, "The anti-ice segment has nothing to change"},
    };
    for (const auto& c : cases) {
        clear_messages();
        const Record record = select_record(c.file, c.item);
        views.log.clear();
        EXPECT_EQ(doc.save_record(temp_file(), record), -1);
        EXPECT_EQ(errors(), std::vector<std::string>{c.refusal});
        EXPECT_TRUE(views.log.empty());
        EXPECT_EQ(read_bytes(archive), original);
    }
}

TEST_F(RecordSavingTest, UnopenableTemporaryFileStopsTheSave)
{
    const struct {
        int file;
        int item;
        const char* message;
    } cases[] = {
        {file_segments, item_gear, "Error opening airphysik file"},
        {file_trim, 0, "Error opening airphysik file"},
        {file_axles, 0, "Error opening axle file"},
        {file_prop, 0, "Error#70: Error storing prop file"},
        {file_player_sound, 0, "Error#61: Error saving Player snd def file"},
    };
    const Bytes original = read_bytes(archive);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.message);
        clear_messages();
        const Record record = select_record(c.file, c.item);
        std::filesystem::remove(temp_file());
        EXPECT_EQ(doc.save_record(temp_file(), record), -1);
        EXPECT_EQ(errors(), std::vector<std::string>{c.message});
        EXPECT_TRUE(infos().empty());
        EXPECT_EQ(read_bytes(archive), original);
    }

    clear_messages();
    doc.select(file_name, 0);
    const auto name = doc.load_selected_aircraft_name();
    ASSERT_TRUE(name);
    std::filesystem::remove(temp_file());
    EXPECT_EQ(doc.save_aircraft_name(temp_file(), "Piper", "", name->layout), -1);
    EXPECT_EQ(errors(), std::vector<std::string>{"Error opening aircraft name file"});
    EXPECT_NE(std::find(views.log.begin(), views.log.end(), "end_wait"), views.log.end());
}

TEST_F(RecordSavingTest, LoadOfAMissingTemporaryFileShowsTheKindsText)
{
    doc.select(file_axles, 0);
    std::filesystem::remove(temp_file());
    EXPECT_FALSE(doc.load_selected_record());
    doc.select(file_name, 2);
    EXPECT_FALSE(doc.load_selected_record());
    EXPECT_EQ(errors(), (std::vector<std::string>{"Error#61: Error loading axle file",
                                                  "The selected item is not an aircraft record"}));
}

TEST_F(RecordSavingTest, MissingPontoonFileShowsThePontoonFormsText)
{
    ResBuilder b = aircraft_records_archive();
    b.compound_items(2138, {Bytes(71, 0)});
    b.write(archive);
    ASSERT_EQ(doc.open_archive(archive), 0);
    doc.select(16, 1);
    ASSERT_NE(doc.selected_record_kind(), nullptr);
    std::filesystem::remove(temp_file());
    EXPECT_FALSE(doc.load_selected_record());
    EXPECT_EQ(errors(), std::vector<std::string>{"Error#61: Error loading airphysik pontoon file"});
}

// A second entry with the ID of the selected one: the selected entry is the
// one whose item was edited, so it is the one replaced.
TEST_F(RecordSavingTest, DuplicateIdReplacesTheSelectedEntry)
{
    ResBuilder b = aircraft_records_archive();
    Bytes other(22, 0x3C);
    b.raw(2054, other);
    b.write(archive);
    ASSERT_EQ(doc.open_archive(archive), 0);
    const int second = 16;
    ASSERT_EQ(doc.archive().entry(second - 1)->resource_id, 2054);

    const std::vector<Bytes> before = contents();
    Record axles = select_record(second, 0);
    ASSERT_EQ(set_field_text(axles, "@0", "9"), 0);
    ASSERT_EQ(doc.save_record(temp_file(), axles), 0);
    std::vector<Bytes> expected = before;
    expected[second - 1][0] = 9;
    EXPECT_EQ(contents(), expected);
    EXPECT_EQ(doc.selected_file(), second);
}

TEST_F(RecordSavingTest, NoEntryWithTheIdLeavesTheArchiveUnchanged)
{
    // An archive without name, axle and prop entries; the selection is a trim.
    ResBuilder b;
    Bytes trim(4, 0);
    put_f32(trim.data(), 1.5f);
    b.raw(2130, trim).raw(7, Bytes(5, 5));
    b.write(archive);
    ASSERT_EQ(doc.open_archive(archive), 0);
    doc.select(1, 0);
    const Bytes original = read_bytes(archive);

    const auto own = temp_folder() / "mw3792_record.";
    const auto load = [](int resource_id, const Bytes& bytes) {
        return load_record(*find_record_spec(resource_id, bytes), bytes).value();
    };
    const Record axles = load(res_aircraft_axles, Bytes(22, 1));
    Bytes prop_bytes(180, 0);
    put_u32(&prop_bytes[44], 1);  // one stripe
    const Record prop = load(res_prop, prop_bytes);
    const struct {
        std::function<int()> save;
        Bytes file;
        const char* message;
    } cases[] = {
        {[&] { return doc.save_record(own, axles); }, Bytes(22, 1), "Error locating axle resource"},
        {[&] { return doc.save_record(own, prop); }, prop_bytes, "Error locating prop resource"},
        {[&] { return doc.save_prop(own); }, prop_bytes, "Error locating prop resource"},
        {[&] { return doc.save_aircraft_name(own, "Piper", "", NameLayout{5, 6, 17}); }, name_item(),
         "Error locating aircraft name resource"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.message);
        clear_messages();
        write_bytes(own, c.file);
        EXPECT_EQ(c.save(), -1);
        EXPECT_EQ(errors(), std::vector<std::string>{c.message});
        EXPECT_EQ(read_bytes(archive), original);
    }

    // Nothing selected: no entry to replace for the player sounds either.
    ASSERT_EQ(doc.open_archive(archive), 0);
    clear_messages();
    EXPECT_EQ(doc.save_player_sound(own), -1);
    EXPECT_EQ(errors(), std::vector<std::string>{"Error locating current resource"});
}

TEST_F(RecordSavingTest, FailedReplacementReportsNoCompletion)
{
    // A segment item must keep its size: a temporary file that grew is refused.
    Record gear = select_record(file_segments, item_gear);
    Bytes grown = read_bytes(temp_file());
    grown.push_back(0);
    write_bytes(temp_file(), grown);
    const Bytes original = read_bytes(archive);
    EXPECT_EQ(doc.save_record(temp_file(), gear), -1);
    EXPECT_EQ(errors(), std::vector<std::string>{"Error: imported file size differs from original file size"});
    EXPECT_TRUE(infos().empty());
    EXPECT_EQ(read_bytes(archive), original);
}

}  // namespace
}  // namespace mw::test

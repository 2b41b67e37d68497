#include "document/record_saving.h"

#include "aircraft/catalogue.h"
#include "aircraft/record_file.h"
#include "app/workspace/messages.h"
#include "archive/file_io.h"

namespace mw {

namespace {

// Forms that write the temporary file themselves before the document saves.
bool form_writes_file(const RecordSpec& layout)
{
    return layout.special == RecordSpecial::prop || layout.resource_id() == res_player_sound;
}

// Where item `item` lies in `file` when the file holds the entry's whole data
// part rather than the item alone: a compound entry selected as a whole shows
// its first item out of the entry's file. Nothing when the file is the item's.
struct ItemPlace {
    std::size_t offset = 0;
    std::size_t length = 0;
};

std::optional<ItemPlace> item_inside_entry_file(const ResEntry* entry, int item, const fs::path& file)
{
    if (!entry || item < 1 || item > entry->item_count) return std::nullopt;
    const auto size = file_size_of(file);
    if (!size || *size != entry->shown_size() || *size == entry->item_size(item)) return std::nullopt;
    return ItemPlace{entry->item_offsets[std::size_t(item - 1)] - entry->item_offsets[0], entry->item_size(item)};
}

// The file a save writes and replaces the item with: `file` itself, or, when
// it holds the whole entry, the item's bytes cut out into the item's own
// temporary file (an item is replaced by exactly its bytes). `failure` is
// shown when that file cannot be made.
std::optional<fs::path> item_file_for_save(const ResEntry* entry, int item, const fs::path& file,
                                           const std::string& failure)
{
    const auto place = item_inside_entry_file(entry, item, file);
    if (!place) return file;
    const auto bytes = read_record_bytes(file);
    const fs::path item_file = entry->item_file_path(item);
    if (!bytes || bytes->size() < place->offset + place->length ||
        !write_file(item_file, ByteSpan(*bytes).subspan(place->offset, place->length))) {
        report_error(failure);
        return std::nullopt;
    }
    return item_file;
}

}  // namespace

std::size_t record_item_length(const ResEntry& entry, int item)
{
    if (item >= 1 && item <= entry.item_count) return entry.item_size(item);
    return entry.is_compound() ? entry.shown_size() : entry.uncompressed_length;
}

const RecordSpec* CMarrowickDoc::selected_record_kind() const
{
    const ResEntry* entry = selected_entry();
    // A record's form is shown exactly when the display kind is its entry's ID.
    if (!entry || !analysis_.aircraft_archive || display_.kind != entry->resource_id) return nullptr;
    return find_record_kind(entry->resource_id, record_item_length(*entry, last_selected_item_));
}

std::optional<Record> CMarrowickDoc::load_selected_record() const
{
    const RecordSpec* kind = selected_record_kind();
    if (!kind) {
        report_error("The selected item is not an aircraft record");
        return std::nullopt;
    }
    const auto bytes = read_record_bytes(display_.file);
    const auto place = item_inside_entry_file(selected_entry(), last_selected_item_, display_.file);
    if (!bytes || (place && bytes->size() < place->offset + place->length)) {
        report_error(kind->load_error);  // the selected form's own words (the pontoon's differ)
        return std::nullopt;
    }
    ByteSpan item = *bytes;
    if (place) item = item.subspan(place->offset, place->length);
    return load_record_item(item, selected_entry()->resource_id);
}

std::optional<AircraftName> CMarrowickDoc::load_selected_aircraft_name() const
{
    const RecordSpec* kind = selected_record_kind();
    if (!kind || kind->special != RecordSpecial::aircraft_name) {
        report_error("The selected item is not the aircraft name and description");
        return std::nullopt;
    }
    return load_aircraft_name_file(display_.file);
}

int CMarrowickDoc::record_entry_index(int resource_id) const
{
    // The selected entry itself when it carries the ID: with two entries of
    // one ID, the first is not the one whose item was edited.
    const ResEntry* entry = selected_entry();
    if (entry && entry->resource_id == resource_id) return selected_file_ - 1;
    return archive_.find(static_cast<std::uint32_t>(resource_id));
}

int CMarrowickDoc::save_selected_item(int resource_id, const fs::path& file, const std::string& locate_error,
                                      const std::function<int()>& write_file)
{
    const int selected = selected_file_;
    const int item = last_selected_item_;
    int result;
    {
        WaitScope wait(views_, true);
        const int target = has_selected_entry() && item >= 0 ? record_entry_index(resource_id) : -1;
        if (write_file && write_file() != 0) {
            result = -1;
        } else if (target < 0) {
            result = report_error(locate_error);
        } else {
            result = archive_.rewrite(target, item, file, false, {});
        }
    }
    if (result != 0) {
        // The temporary file may hold the new values: it is made to match the archive again.
        recover_after_failed_write(selected, item, true);
        return -1;
    }
    return reload_and_reselect(selected, item);
}

int CMarrowickDoc::save_record(const fs::path& file, const Record& record)
{
    const RecordSpec& layout = *record.spec;
    if (!layout.saves()) return report_error(layout.save_refusal);
    const auto target = item_file_for_save(selected_entry(), last_selected_item_, file, layout.open_error);
    if (!target) return -1;
    if (form_writes_file(layout)) {
        // The form's own write, before it notifies the view.
        if (update_record_file(*target, record) != 0) {
            recover_after_failed_write(selected_file_, last_selected_item_, true);
            return -1;
        }
        return save_selected_item(layout.resource_id(), *target, layout.locate_error, {});
    }
    return save_selected_item(layout.resource_id(), *target, layout.locate_error,
                              [&] { return update_record_file(*target, record); });
}

int CMarrowickDoc::save_aircraft_name(const fs::path& file, std::string_view name, std::string_view description,
                                      const NameLayout& layout)
{
    const auto target =
        item_file_for_save(selected_entry(), last_selected_item_, file, "Error opening aircraft name file");
    if (!target) return -1;
    return save_selected_item(res_aircraft_name, *target, "Error locating aircraft name resource",
                              [&] { return update_aircraft_name_file(*target, name, description, layout); });
}

int CMarrowickDoc::save_prop(const fs::path& file)
{
    const auto target = item_file_for_save(selected_entry(), last_selected_item_, file, "Error#70: Error storing prop file");
    if (!target) return -1;
    return save_selected_item(res_prop, *target, "Error locating prop resource", {});
}

int CMarrowickDoc::save_player_sound(const fs::path& file)
{
    const ResEntry* entry = selected_entry();
    const int resource_id = entry ? int(entry->resource_id) : int(res_player_sound);
    const auto target =
        item_file_for_save(entry, last_selected_item_, file, "Error#61: Error saving Player snd def file");
    if (!target) return -1;
    return save_selected_item(resource_id, *target, "Error locating current resource", {});
}

}  // namespace mw

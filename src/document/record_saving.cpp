#include "document/record_saving.h"

#include "aircraft/catalogue.h"
#include "aircraft/record_file.h"
#include "app/workspace/messages.h"

namespace mw {

namespace {

// Forms that write the temporary file themselves before the document saves.
bool form_writes_file(const RecordSpec& spec)
{
    return spec.special == RecordSpecial::prop || spec.resource_id() == res_player_sound;
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
    if (!selected_record_kind()) {
        report_error("The selected item is not an aircraft record");
        return std::nullopt;
    }
    return load_record_file(display_.file, selected_entry()->resource_id);
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
        if (write_file && write_file() != 0) return -1;
        const int target = has_selected_entry() && item >= 0 ? record_entry_index(resource_id) : -1;
        if (target < 0) return report_error(locate_error);
        result = archive_.rewrite(target, item, file, false, {});
    }
    if (result != 0) return -1;
    return reload_and_reselect(selected, item);
}

int CMarrowickDoc::save_record(const fs::path& file, const Record& record)
{
    const RecordSpec& spec = *record.spec;
    if (!spec.saves()) return report_error(spec.save_refusal);
    if (form_writes_file(spec)) {
        // The form's own write, before it notifies the view.
        if (update_record_file(file, record) != 0) return -1;
        return save_selected_item(spec.resource_id(), file, spec.locate_error, {});
    }
    return save_selected_item(spec.resource_id(), file, spec.locate_error,
                              [&] { return update_record_file(file, record); });
}

int CMarrowickDoc::save_aircraft_name(const fs::path& file, std::string_view name, std::string_view description,
                                      const NameLayout& layout)
{
    return save_selected_item(res_aircraft_name, file, "Error locating aircraft name resource",
                              [&] { return update_aircraft_name_file(file, name, description, layout); });
}

int CMarrowickDoc::save_prop(const fs::path& file)
{
    return save_selected_item(res_prop, file, "Error locating prop resource", {});
}

int CMarrowickDoc::save_player_sound(const fs::path& file)
{
    const ResEntry* entry = selected_entry();
    const int resource_id = entry ? int(entry->resource_id) : int(res_player_sound);
    return save_selected_item(resource_id, file, "Error locating current resource", {});
}

}  // namespace mw

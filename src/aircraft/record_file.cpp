#include "aircraft/record_file.h"

#include <fstream>

#include "aircraft/catalogue.h"
#include "app/workspace/messages.h"
#include "archive/file_io.h"

namespace mw {

namespace {

// Records are a few hundred bytes; an item file far beyond that is not one.
constexpr std::uint64_t max_record_file = 16 * 1024 * 1024;

}  // namespace

std::optional<Bytes> read_record_bytes(const fs::path& path) { return read_file(path, max_record_file); }

std::optional<Record> load_record_file(const fs::path& path, int resource_id)
{
    const auto bytes = read_record_bytes(path);
    if (!bytes) {
        const RecordSpec* kind = find_record_kind(resource_id, std::size_t(file_size_of(path).value_or(0)));
        report_error(kind ? kind->load_error : "Error#61: Error loading airphysik file");
        return std::nullopt;
    }
    return load_record_item(*bytes, resource_id);
}

std::optional<Record> load_record_item(ByteSpan item, int resource_id)
{
    const RecordSpec* spec = find_record_spec(resource_id, item);
    if (!spec) {
        report_error("No record form edits this item (resource " + std::to_string(resource_id) + ", " +
                     std::to_string(item.size()) + " bytes)");
        return std::nullopt;
    }
    return load_record(*spec, item);
}

int write_over_file(const fs::path& path, ByteSpan bytes, const std::string& failure)
{
    std::fstream file(path, std::ios::in | std::ios::out | std::ios::binary);
    if (!file) return report_error(failure);
    file.seekp(0);
    file.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    file.close();
    if (!file) return report_error(failure);
    return 0;
}

int update_record_file(const fs::path& path, const Record& record)
{
    const RecordSpec& spec = *record.spec;
    if (!spec.saves()) return report_error(spec.save_refusal);
    auto bytes = read_record_bytes(path);
    if (!bytes) return report_error(spec.open_error);
    if (encode_record(record, *bytes) != 0) return -1;
    return write_over_file(path, *bytes, spec.open_error);
}

}  // namespace mw

#include "batch/script_file.h"

#include <fstream>
#include <iomanip>
#include <string>

#include "batch/script_messages.h"

namespace mw {

DialogMessage script_messages::missing_name(int file, int item)
{
    return {"The script entry for file " + std::to_string(file) + ", item " + std::to_string(item) +
                " has no file name",
            "Invalid File Data", MessageIcon::stop};
}

namespace {

// The name as written after the numbers: without the line end and the blanks around it.
std::string trimmed_name(const std::string& rest)
{
    const char* blanks = " \t\r";
    const auto first = rest.find_first_not_of(blanks);
    if (first == std::string::npos) return {};
    const auto last = rest.find_last_not_of(blanks);
    return rest.substr(first, last - first + 1);
}

}  // namespace

int read_script(const fs::path& path, ScriptList& list, DialogMessenger& messages)
{
    std::ifstream in(path, std::ios::binary);
    if (!in || fs::is_directory(path)) {
        messages.show(script_messages::cannot_open);
        return -1;
    }
    return read_script(in, list, messages);
}

int read_script(std::istream& in, ScriptList& list, DialogMessenger& messages)
{
    // One character more than the magic word is enough to tell a longer
    // word from it: a file without blanks (or an endless one) is not read on.
    std::string magic;
    in >> std::setw(sizeof script_magic) >> magic;
    if (magic != script_magic) {
        messages.show(script_messages::not_a_script);
        return -1;
    }
    long long count = 0;
    if (!(in >> count) || count <= 0) {
        messages.show(script_messages::invalid_count);
        return -1;
    }

    // The count is only a bound: the loop ends at the first line that cannot be read.
    list.clear();
    int result = 0;
    for (long long n = 0; n < count; ++n) {
        int file = 0;
        int item = 0;
        std::string rest;
        in >> file >> item;
        // A last line may end right after its numbers.
        if (in && !in.eof()) std::getline(in, rest);
        // The limit is the name's own: the blank before it does not count, so
        // every name the writer puts after its blank reads back.
        const std::string name = trimmed_name(rest);
        if (in.fail() || name.size() > script_name_limit) {
            messages.show(script_messages::read_error);
            return -1;
        }
        if (file <= 0) {
            messages.show(script_messages::file_number_not_positive);
            return -1;
        }
        if (item < 0) {
            messages.show(script_messages::negative_item);
            return -1;
        }
        if (name.empty()) {
            messages.show(script_messages::missing_name(file, item));
            result = -1;
            continue;
        }
        if (list.add({file, item, name}, messages) != 0) result = -1;
    }
    return result;
}

int write_script(const fs::path& path, const ScriptList& list, DialogMessenger& messages)
{
    if (list.empty()) {
        messages.show(script_messages::empty_script);
        return -1;
    }
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    if (out) {
        out << script_magic << "\r\n" << list.size() << "\r\n";
        for (const ScriptEntry& entry : list.entries()) out << entry.file << ' ' << entry.item << ' ' << entry.name << "\r\n";
        out.close();
    }
    if (!out) {
        messages.show(script_messages::save_failed);
        return -1;
    }
    return 0;
}

}  // namespace mw

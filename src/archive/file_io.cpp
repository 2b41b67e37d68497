#include "archive/file_io.h"

#include <unistd.h>

#include <cstdio>
#include <system_error>

namespace mw {

std::optional<Bytes> read_file(const fs::path& path, std::uint64_t max_size)
{
    InputFile in;
    if (!in.open(path) || in.size() > max_size) return std::nullopt;
    Bytes data;
    if (!in.read_at(0, data, static_cast<std::size_t>(in.size()))) return std::nullopt;
    return data;
}

bool write_file(const fs::path& path, ByteSpan data, std::string* reason)
{
    OutputFile out;
    if (!out.open(path)) {
        if (reason) *reason = out.reason();
        return false;
    }
    if (out.write(data) && out.close()) return true;
    if (reason) *reason = out.reason();
    if (out.is_open()) (void)out.close();
    (void)remove_file(path);  // ours: opened and emptied above
    return false;
}

bool write_text_file(const fs::path& path, const std::string& text, std::string* reason)
{
    return write_file(path, ByteSpan(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()), reason);
}

bool replace_text_file(const fs::path& path, const std::string& text, std::string* reason)
{
    // Named for this process: programs saving the same file at once each write their own.
    fs::path fresh = path;
    fresh += ".new" + std::to_string(::getpid());
    OutputFile out;
    const auto failed = [&](const std::string& why) {
        if (reason) *reason = why;
        if (out.is_open()) (void)out.close();
        (void)remove_file(fresh);
        return false;
    };
    if (!out.open(fresh)) return failed(out.reason());
    if (!out.write(ByteSpan(reinterpret_cast<const std::uint8_t*>(text.data()), text.size())) || !out.sync() ||
        !out.close())
        return failed(out.reason());
    if (::rename(fresh.c_str(), path.c_str()) != 0) return failed(last_system_reason());
    sync_folder(path.parent_path());
    return true;
}

CopyOutcome copy_file_over(const fs::path& from, const fs::path& to)
{
    InputFile in;
    if (!in.open(from)) return {CopyOutcome::Failure::read, from, in.reason()};
    OutputFile out;
    if (!out.open(to)) return {CopyOutcome::Failure::write, to, out.reason()};
    CopyOutcome outcome = copy_range(in, 0, in.size(), out);
    if (outcome && !out.close()) outcome = {CopyOutcome::Failure::write, to, out.reason()};
    if (!outcome) {
        if (out.is_open()) (void)out.close();
        (void)remove_file(to);
    }
    return outcome;
}

std::optional<std::uint64_t> file_size_of(const fs::path& path)
{
    std::error_code ec;
    const auto size = fs::file_size(path, ec);
    if (ec) return std::nullopt;
    return size;
}

}  // namespace mw

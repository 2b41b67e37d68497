#include "archive/file_io.h"

#include <fstream>
#include <system_error>

#include "app/workspace/messages.h"

namespace mw {

int copy_stream(std::istream& in, std::ostream& out, std::uint64_t count, std::uint64_t* copied)
{
    char buffer[64 * 1024];
    std::uint64_t done = 0;
    while (done < count && in) {
        const auto want = static_cast<std::streamsize>(std::min<std::uint64_t>(sizeof buffer, count - done));
        in.read(buffer, want);
        const std::streamsize got = in.gcount();
        if (got <= 0) break;
        out.write(buffer, got);
        if (!out) {
            if (copied) *copied = done;
            return report_error(1001, "Error copying file");
        }
        done += static_cast<std::uint64_t>(got);
    }
    if (copied) *copied = done;
    return 0;
}

std::optional<Bytes> read_file(const fs::path& path, std::uint64_t max_size)
{
    std::ifstream in(path, std::ios::binary);
    if (!in) return std::nullopt;
    in.seekg(0, std::ios::end);
    const std::streamoff end = in.tellg();
    if (end < 0 || static_cast<std::uint64_t>(end) > max_size) return std::nullopt;
    in.seekg(0);
    Bytes data(static_cast<std::size_t>(end));
    if (!data.empty() && !in.read(reinterpret_cast<char*>(data.data()), end)) return std::nullopt;
    return data;
}

bool write_file(const fs::path& path, ByteSpan data)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    if (!out) return false;
    out.write(reinterpret_cast<const char*>(data.data()), static_cast<std::streamsize>(data.size()));
    out.close();
    return static_cast<bool>(out);
}

bool write_text_file(const fs::path& path, const std::string& text)
{
    return write_file(path, ByteSpan(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()));
}

std::optional<std::uint64_t> file_size_of(const fs::path& path)
{
    std::error_code ec;
    const auto size = fs::file_size(path, ec);
    if (ec) return std::nullopt;
    return size;
}

}  // namespace mw

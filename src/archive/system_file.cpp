#include "archive/system_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <utility>

namespace mw {

namespace {

constexpr std::size_t chunk_size = 1 << 20;
// With write-behind, the disk gets the data in steps of this size.
constexpr std::uint64_t write_behind_step = 16 << 20;

// Retries a call interrupted by a signal.
template <class Call>
auto retry(Call call)
{
    decltype(call()) result;
    do {
        result = call();
    } while (result < 0 && errno == EINTR);
    return result;
}

}  // namespace

std::string reason_line(const fs::path& path, const std::string& reason)
{
    return "\n  " + path.string() + ": " + reason;
}

std::string last_system_reason()
{
    return std::strerror(errno);
}

// ---- InputFile

InputFile::InputFile(InputFile&& other) noexcept
    : fd_(std::exchange(other.fd_, -1)),
      size_(other.size_),
      path_(std::move(other.path_)),
      reason_(std::move(other.reason_))
{
}

InputFile& InputFile::operator=(InputFile&& other) noexcept
{
    if (this != &other) {
        close();
        fd_ = std::exchange(other.fd_, -1);
        size_ = other.size_;
        path_ = std::move(other.path_);
        reason_ = std::move(other.reason_);
    }
    return *this;
}

InputFile::~InputFile() { close(); }

bool InputFile::fail(std::string reason)
{
    reason_ = std::move(reason);
    return false;
}

bool InputFile::open(const fs::path& path)
{
    close();
    path_ = path;
    reason_.clear();
    fd_ = retry([&] { return ::open(path.c_str(), O_RDONLY | O_CLOEXEC); });
    if (fd_ < 0) return fail(last_system_reason());
    struct stat info {};
    if (::fstat(fd_, &info) != 0) {
        const std::string reason = last_system_reason();
        close();
        return fail(reason);
    }
    if (!S_ISREG(info.st_mode)) {
        close();
        return fail(S_ISDIR(info.st_mode) ? std::strerror(EISDIR) : "Not a regular file");
    }
    size_ = static_cast<std::uint64_t>(info.st_size);
    return true;
}

void InputFile::close()
{
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
}

bool InputFile::read_at(std::uint64_t offset, std::uint8_t* out, std::size_t count)
{
    if (fd_ < 0) return fail(std::strerror(EBADF));
    std::size_t done = 0;
    while (done < count) {
        const ssize_t got =
            retry([&] { return ::pread(fd_, out + done, count - done, static_cast<off_t>(offset + done)); });
        if (got < 0) return fail(last_system_reason());
        if (got == 0) return fail("The file ends before the data it should hold");
        done += static_cast<std::size_t>(got);
    }
    return true;
}

bool InputFile::read_at(std::uint64_t offset, Bytes& out, std::size_t count)
{
    out.resize(count);
    return read_at(offset, out.data(), count);
}

// ---- OutputFile

OutputFile::OutputFile(OutputFile&& other) noexcept
    : fd_(std::exchange(other.fd_, -1)),
      position_(other.position_),
      write_behind_(other.write_behind_),
      handed_to_disk_(other.handed_to_disk_),
      path_(std::move(other.path_)),
      reason_(std::move(other.reason_))
{
}

OutputFile& OutputFile::operator=(OutputFile&& other) noexcept
{
    if (this != &other) {
        if (fd_ >= 0) ::close(fd_);
        fd_ = std::exchange(other.fd_, -1);
        position_ = other.position_;
        write_behind_ = other.write_behind_;
        handed_to_disk_ = other.handed_to_disk_;
        path_ = std::move(other.path_);
        reason_ = std::move(other.reason_);
    }
    return *this;
}

OutputFile::~OutputFile()
{
    if (fd_ >= 0) ::close(fd_);
}

bool OutputFile::fail(std::string reason)
{
    reason_ = std::move(reason);
    return false;
}

bool OutputFile::open(const fs::path& path, Mode mode)
{
    if (fd_ >= 0) ::close(fd_);
    path_ = path;
    reason_.clear();
    position_ = 0;
    handed_to_disk_ = 0;
    int flags = O_WRONLY | O_CLOEXEC;
    switch (mode) {
    case Mode::truncate: flags |= O_CREAT | O_TRUNC; break;
    case Mode::create_new: flags |= O_CREAT | O_EXCL; break;
    case Mode::update: break;
    }
    fd_ = retry([&] { return ::open(path.c_str(), flags, 0666); });
    if (fd_ < 0) return fail(last_system_reason());
    return true;
}

bool OutputFile::write(ByteSpan data)
{
    if (!write_at(position_, data)) return false;
    advance(data.size());
    return true;
}

void OutputFile::advance(std::uint64_t count)
{
    position_ += count;
    if (!write_behind_ || position_ - handed_to_disk_ < write_behind_step) return;
    // Only starts the writing; a failure shows at the final sync.
    (void)::sync_file_range(fd_, static_cast<off_t>(handed_to_disk_), static_cast<off_t>(position_ - handed_to_disk_),
                            SYNC_FILE_RANGE_WRITE);
    handed_to_disk_ = position_;
}

bool OutputFile::write_at(std::uint64_t offset, ByteSpan data)
{
    if (fd_ < 0) return fail(std::strerror(EBADF));
    std::size_t done = 0;
    while (done < data.size()) {
        const ssize_t put = retry(
            [&] { return ::pwrite(fd_, data.data() + done, data.size() - done, static_cast<off_t>(offset + done)); });
        if (put < 0) return fail(last_system_reason());
        if (put == 0) return fail(std::strerror(ENOSPC));
        done += static_cast<std::size_t>(put);
    }
    return true;
}

bool OutputFile::write_zeros(std::size_t count)
{
    static const std::uint8_t zeros[16] = {};
    while (count > 0) {
        const std::size_t n = std::min(count, sizeof zeros);
        if (!write(ByteSpan(zeros, n))) return false;
        count -= n;
    }
    return true;
}

bool OutputFile::sync()
{
    if (fd_ < 0) return fail(std::strerror(EBADF));
    if (retry([&] { return ::fsync(fd_); }) != 0) return fail(last_system_reason());
    return true;
}

bool OutputFile::close()
{
    if (fd_ < 0) return reason_.empty();
    const int fd = std::exchange(fd_, -1);
    // A close is not retried: the descriptor is gone whatever it returns.
    if (::close(fd) != 0) return fail(last_system_reason());
    return reason_.empty();
}

// ---- copies and removal

CopyOutcome copy_range(InputFile& in, std::uint64_t offset, std::uint64_t count, OutputFile& out)
{
    // The kernel copies between the files where it can, with no pass through
    // this process; what it cannot copy goes through the buffer below.
    std::uint64_t done = 0;
    while (done < count && in.fd_ >= 0 && out.fd_ >= 0) {
        auto from = static_cast<loff_t>(offset + done);
        auto to = static_cast<loff_t>(out.position_);
        const auto want = static_cast<std::size_t>(
            std::min<std::uint64_t>(count - done, out.write_behind_ ? write_behind_step : chunk_size * 1024));
        const ssize_t moved = retry([&] { return ::copy_file_range(in.fd_, &from, out.fd_, &to, want, 0); });
        if (moved < 0) {
            const int error = errno;
            const bool unsupported =
                error == EXDEV || error == EINVAL || error == ENOSYS || error == EOPNOTSUPP || error == EBADF;
            if (unsupported && done == 0) break;
            // The call does not tell which file failed: reading the input tells.
            std::uint8_t probe = 0;
            if (!in.read_at(offset + done, &probe, 1)) return {CopyOutcome::Failure::read, in.path(), in.reason()};
            return {CopyOutcome::Failure::write, out.path(), std::strerror(error)};
        }
        if (moved == 0) break;  // the input ends early: the buffered copy says so
        done += static_cast<std::uint64_t>(moved);
        out.advance(static_cast<std::uint64_t>(moved));
    }
    if (done == count) return {};

    Bytes buffer(static_cast<std::size_t>(std::min<std::uint64_t>(count - done, chunk_size)));
    while (done < count) {
        const auto n = static_cast<std::size_t>(std::min<std::uint64_t>(buffer.size(), count - done));
        if (!in.read_at(offset + done, buffer.data(), n))
            return {CopyOutcome::Failure::read, in.path(), in.reason()};
        if (!out.write(ByteSpan(buffer.data(), n))) return {CopyOutcome::Failure::write, out.path(), out.reason()};
        done += n;
    }
    return {};
}

bool remove_file(const fs::path& path, std::string* reason)
{
    if (::unlink(path.c_str()) == 0 || errno == ENOENT) return true;
    if (reason) *reason = last_system_reason();
    return false;
}

void sync_folder(const fs::path& folder)
{
    const int fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    (void)::fsync(fd);
    ::close(fd);
}

}  // namespace mw

// Files over the system's own calls, for the reads and writes whose failure
// would cost a user's data: the archive, its new copy, the import file and
// every file written for the user.
//
// Unlike a stream, a read tells a failed read from the end of the file, and a
// write, sync or close that fails says so with the system's reason. Every
// failure keeps that reason ("No space left on device"); `reason_line` puts it
// after a message, with the path.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>

#include "archive/byte_io.h"

namespace mw {

namespace fs = std::filesystem;

// "\n  PATH: REASON", the line that follows a message about a failed system call.
std::string reason_line(const fs::path& path, const std::string& reason);

// The text of the calling thread's last system error.
std::string last_system_reason();

class InputFile {
public:
    InputFile() = default;
    explicit InputFile(const fs::path& path) { (void)open(path); }
    InputFile(InputFile&& other) noexcept;
    InputFile& operator=(InputFile&& other) noexcept;
    InputFile(const InputFile&) = delete;
    InputFile& operator=(const InputFile&) = delete;
    ~InputFile();

    // Opens for reading a regular file (a folder is not a file here). False with the reason.
    [[nodiscard]] bool open(const fs::path& path);
    void close();
    bool is_open() const { return fd_ >= 0; }
    explicit operator bool() const { return is_open(); }

    // The size when the file was opened: what a copy of "all of it" must move.
    std::uint64_t size() const { return size_; }
    const fs::path& path() const { return path_; }
    const std::string& reason() const { return reason_; }

    // Reads exactly `count` bytes at `offset`. False when a read fails or the
    // file ends first; the reason says which.
    [[nodiscard]] bool read_at(std::uint64_t offset, std::uint8_t* out, std::size_t count);
    [[nodiscard]] bool read_at(std::uint64_t offset, Bytes& out, std::size_t count);

private:
    friend struct CopyOutcome copy_range(InputFile&, std::uint64_t, std::uint64_t, class OutputFile&);
    bool fail(std::string reason);

    int fd_ = -1;
    std::uint64_t size_ = 0;
    fs::path path_;
    std::string reason_;
};

class OutputFile {
public:
    enum class Mode {
        truncate,    // created or emptied
        create_new,  // created; fails when the name exists
        update,      // an existing file, written over in place
    };

    OutputFile() = default;
    OutputFile(OutputFile&& other) noexcept;
    OutputFile& operator=(OutputFile&& other) noexcept;
    OutputFile(const OutputFile&) = delete;
    OutputFile& operator=(const OutputFile&) = delete;
    // Closes without a check: a file that matters is closed with `close`.
    ~OutputFile();

    [[nodiscard]] bool open(const fs::path& path, Mode mode = Mode::truncate);
    bool is_open() const { return fd_ >= 0; }
    explicit operator bool() const { return is_open(); }
    const fs::path& path() const { return path_; }
    const std::string& reason() const { return reason_; }
    // Bytes written so far at the end of what was written in sequence.
    std::uint64_t position() const { return position_; }

    // Writes all of `data` at the current position / at `offset`.
    [[nodiscard]] bool write(ByteSpan data);
    [[nodiscard]] bool write_at(std::uint64_t offset, ByteSpan data);
    [[nodiscard]] bool write_zeros(std::size_t count);
    // Flushes the file's data to the disk.
    [[nodiscard]] bool sync();
    // Hands what is written in sequence to the disk as it comes, a few MiB at
    // a time, so that the final `sync` of a large file waits for less. A hint:
    // write errors still show at `sync`.
    void write_behind() { write_behind_ = true; }
    // Closes, reporting a failure of the close itself (a delayed write error).
    [[nodiscard]] bool close();

private:
    friend struct CopyOutcome copy_range(InputFile&, std::uint64_t, std::uint64_t, class OutputFile&);
    bool fail(std::string reason);
    void advance(std::uint64_t count);

    int fd_ = -1;
    std::uint64_t position_ = 0;
    bool write_behind_ = false;
    std::uint64_t handed_to_disk_ = 0;  // with write_behind: where the next hand-over starts
    fs::path path_;
    std::string reason_;
};

// How a copy between files ended.
struct CopyOutcome {
    enum class Failure { none, read, write };
    Failure failure = Failure::none;
    fs::path path;       // the file that failed
    std::string reason;  // the system's reason, or that the input ended early

    explicit operator bool() const { return failure == Failure::none; }
    std::string line() const { return reason_line(path, reason); }
};

// Copies exactly `count` bytes of `in`, starting at `offset`, to the end of
// what `out` has written. A read that fails or ends early fails the copy.
[[nodiscard]] CopyOutcome copy_range(InputFile& in, std::uint64_t offset, std::uint64_t count, OutputFile& out);

// Removes a file; true when it is gone (or never was). The reason on failure.
[[nodiscard]] bool remove_file(const fs::path& path, std::string* reason = nullptr);

// Flushes a folder's entries (a rename in it) to the disk; best effort.
void sync_folder(const fs::path& folder);

}  // namespace mw

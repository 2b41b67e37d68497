// A library preloaded into a program under test that makes the Nth system
// call of one kind fail, to see what the program leaves behind when a disk
// fills up or a read fails.
//
//   MW_FAULT_KIND   write | sync | close | rename | unlink | read
//   MW_FAULT_AT     the call to fail, counting from 1; 0 only counts
//   MW_FAULT_ERRNO  the error it fails with (a number; default ENOSPC)
//   MW_FAULT_COUNT  a file that receives, at exit, how many calls of the kind were made
//
// Only calls on regular files count (not on the standard streams, pipes or
// terminals); renames and removals always count. A failed close still closes
// the descriptor, as a close that reports a delayed write error does.
#include <dlfcn.h>
#include <fcntl.h>
#include <sys/sendfile.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <sys/uio.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

enum class Kind { none, write, sync, close, rename, unlink, read };

struct Settings {
    Kind kind = Kind::none;
    long at = 0;
    int error = ENOSPC;
    const char* count_file = nullptr;
    long seen = 0;
};

Settings& settings()
{
    static Settings s = [] {
        Settings init;
        const char* kind = std::getenv("MW_FAULT_KIND");
        if (kind) {
            const struct { const char* name; Kind kind; } names[] = {
                {"write", Kind::write}, {"sync", Kind::sync},     {"close", Kind::close},
                {"rename", Kind::rename}, {"unlink", Kind::unlink}, {"read", Kind::read}};
            for (const auto& n : names)
                if (std::strcmp(kind, n.name) == 0) init.kind = n.kind;
        }
        if (const char* at = std::getenv("MW_FAULT_AT")) init.at = std::atol(at);
        if (const char* error = std::getenv("MW_FAULT_ERRNO")) init.error = std::atoi(error);
        init.count_file = std::getenv("MW_FAULT_COUNT");
        return init;
    }();
    return s;
}

bool is_regular_file(int fd)
{
    struct stat info {};
    return fd > 2 && ::fstat(fd, &info) == 0 && S_ISREG(info.st_mode);
}

// Counts a call of `kind`; true when this is the one to fail.
bool should_fail(Kind kind, bool counts)
{
    Settings& s = settings();
    if (s.kind != kind || !counts) return false;
    ++s.seen;
    return s.at > 0 && s.seen == s.at;
}

template <class F>
F real(const char* name)
{
    return reinterpret_cast<F>(::dlsym(RTLD_NEXT, name));
}

__attribute__((destructor)) void write_count()
{
    const Settings& s = settings();
    if (!s.count_file) return;
    char text[32];
    const int n = std::snprintf(text, sizeof text, "%ld\n", s.seen);
    const int fd = static_cast<int>(::syscall(SYS_openat, AT_FDCWD, s.count_file, O_WRONLY | O_CREAT | O_TRUNC, 0644));
    if (fd < 0) return;
    (void)::syscall(SYS_write, fd, text, n);
    (void)::syscall(SYS_close, fd);
}

#define FAIL_IF(kind, counts, failed_value)        \
    if (should_fail(kind, counts)) {               \
        errno = settings().error;                  \
        return failed_value;                       \
    }

}  // namespace

extern "C" {

ssize_t write(int fd, const void* data, size_t count)
{
    FAIL_IF(Kind::write, is_regular_file(fd), -1);
    return real<ssize_t (*)(int, const void*, size_t)>("write")(fd, data, count);
}

ssize_t writev(int fd, const struct iovec* iov, int count)
{
    FAIL_IF(Kind::write, is_regular_file(fd), -1);
    return real<ssize_t (*)(int, const struct iovec*, int)>("writev")(fd, iov, count);
}

ssize_t pwrite(int fd, const void* data, size_t count, off_t offset)
{
    FAIL_IF(Kind::write, is_regular_file(fd), -1);
    return real<ssize_t (*)(int, const void*, size_t, off_t)>("pwrite")(fd, data, count, offset);
}

ssize_t pwrite64(int fd, const void* data, size_t count, off_t offset)
{
    FAIL_IF(Kind::write, is_regular_file(fd), -1);
    return real<ssize_t (*)(int, const void*, size_t, off_t)>("pwrite64")(fd, data, count, offset);
}

ssize_t sendfile(int out, int in, off_t* offset, size_t count)
{
    FAIL_IF(Kind::write, is_regular_file(out), -1);
    FAIL_IF(Kind::read, is_regular_file(in), -1);
    return real<ssize_t (*)(int, int, off_t*, size_t)>("sendfile")(out, in, offset, count);
}

ssize_t sendfile64(int out, int in, off_t* offset, size_t count)
{
    FAIL_IF(Kind::write, is_regular_file(out), -1);
    FAIL_IF(Kind::read, is_regular_file(in), -1);
    return real<ssize_t (*)(int, int, off_t*, size_t)>("sendfile64")(out, in, offset, count);
}

ssize_t copy_file_range(int in, off_t* in_offset, int out, off_t* out_offset, size_t count, unsigned flags)
{
    FAIL_IF(Kind::write, is_regular_file(out), -1);
    FAIL_IF(Kind::read, is_regular_file(in), -1);
    return real<ssize_t (*)(int, off_t*, int, off_t*, size_t, unsigned)>("copy_file_range")(in, in_offset, out,
                                                                                           out_offset, count, flags);
}

ssize_t read(int fd, void* data, size_t count)
{
    FAIL_IF(Kind::read, is_regular_file(fd), -1);
    return real<ssize_t (*)(int, void*, size_t)>("read")(fd, data, count);
}

ssize_t readv(int fd, const struct iovec* iov, int count)
{
    FAIL_IF(Kind::read, is_regular_file(fd), -1);
    return real<ssize_t (*)(int, const struct iovec*, int)>("readv")(fd, iov, count);
}

ssize_t pread(int fd, void* data, size_t count, off_t offset)
{
    FAIL_IF(Kind::read, is_regular_file(fd), -1);
    return real<ssize_t (*)(int, void*, size_t, off_t)>("pread")(fd, data, count, offset);
}

ssize_t pread64(int fd, void* data, size_t count, off_t offset)
{
    FAIL_IF(Kind::read, is_regular_file(fd), -1);
    return real<ssize_t (*)(int, void*, size_t, off_t)>("pread64")(fd, data, count, offset);
}

int fsync(int fd)
{
    FAIL_IF(Kind::sync, is_regular_file(fd), -1);
    return real<int (*)(int)>("fsync")(fd);
}

int fdatasync(int fd)
{
    FAIL_IF(Kind::sync, is_regular_file(fd), -1);
    return real<int (*)(int)>("fdatasync")(fd);
}

int close(int fd)
{
    if (should_fail(Kind::close, is_regular_file(fd))) {
        real<int (*)(int)>("close")(fd);
        errno = settings().error;
        return -1;
    }
    return real<int (*)(int)>("close")(fd);
}

int rename(const char* from, const char* to)
{
    FAIL_IF(Kind::rename, true, -1);
    return real<int (*)(const char*, const char*)>("rename")(from, to);
}

int renameat(int from_dir, const char* from, int to_dir, const char* to)
{
    FAIL_IF(Kind::rename, true, -1);
    return real<int (*)(int, const char*, int, const char*)>("renameat")(from_dir, from, to_dir, to);
}

int unlink(const char* path)
{
    FAIL_IF(Kind::unlink, true, -1);
    return real<int (*)(const char*)>("unlink")(path);
}

int unlinkat(int dir, const char* path, int flags)
{
    FAIL_IF(Kind::unlink, true, -1);
    return real<int (*)(int, const char*, int)>("unlinkat")(dir, path, flags);
}

int remove(const char* path)
{
    FAIL_IF(Kind::unlink, true, -1);
    return real<int (*)(const char*)>("remove")(path);
}

}  // extern "C"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <new>
#include <stdexcept>

#include "HostPath.h"
#include "RawFile.h"

namespace {

// Closes the descriptor on every way out.
class FileDescriptor {
public:
    explicit FileDescriptor(int fd) : fd_(fd) {}
    ~FileDescriptor() {
        if (fd_ >= 0)
            ::close(fd_);
    }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    int get() const { return fd_; }

private:
    int fd_;
};

}  // namespace

int ReadRawFile(const std::u16string& path, std::vector<uint8_t>& data) {
    FileDescriptor file(::open(ToHostPath(path).c_str(), O_RDONLY | O_CLOEXEC));
    if (file.get() < 0)
        return RAW_FILE_CANNOT_OPEN;
    struct stat info {};
    if (::fstat(file.get(), &info) != 0)
        return RAW_FILE_NO_LENGTH;
    // Windows cannot open a folder as a file; neither do we.
    if (S_ISDIR(info.st_mode))
        return RAW_FILE_CANNOT_OPEN;
    std::vector<uint8_t> buffer;
    try {
        buffer.resize(static_cast<size_t>(info.st_size));
    } catch (const std::bad_alloc&) {
        return RAW_FILE_NO_MEMORY;
    } catch (const std::length_error&) {
        return RAW_FILE_NO_MEMORY;
    }
    size_t done = 0;
    while (done < buffer.size()) {
        const ssize_t got = ::read(file.get(), buffer.data() + done, buffer.size() - done);
        if (got <= 0)
            return RAW_FILE_READ_FAILED;
        done += static_cast<size_t>(got);
    }
    data.swap(buffer);
    return RAW_FILE_OK;
}

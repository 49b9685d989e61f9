#include "dictionary/safe_file.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

#include "dictionary/file_names.h"
#include "dictionary/lang_exception.h"

namespace vantelo {

namespace {

[[noreturn]] void failed(const std::string& fileName, int error) {
    throw ELangException::Format(messages::CannotWriteFile, fileName + ": " + std::strerror(error));
}

class Descriptor {
public:
    explicit Descriptor(int fd) : fd_(fd) {}
    ~Descriptor() {
        if (fd_ >= 0)
            ::close(fd_);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int get() const { return fd_; }
    int close() {
        const int result = ::close(fd_);
        fd_ = -1;
        return result;
    }

private:
    int fd_;
};

// Flushes and closes a written temporary file, keeps the previous file as
// its backup and puts the new one in its place. On failure the temporary
// file goes and the previous file stays.
void installWritten(Descriptor& fd, const std::string& temp, const std::string& fileName) {
    auto discard = [&](int error) {
        ::unlink(temp.c_str());
        failed(fileName, error);
    };
    // mkstemp creates the file for its owner only; a dictionary gets the
    // usual permissions, or those of the file it replaces.
    struct stat previous {};
    const mode_t mode = ::stat(fileName.c_str(), &previous) == 0 ? previous.st_mode & 07777 : [] {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        return mode_t(0666 & ~mask);
    }();
    ::fchmod(fd.get(), mode);
    if (::fsync(fd.get()) != 0)
        discard(errno);
    if (fd.close() != 0)
        discard(errno);

    const std::string backup = MakeBackupName(fileName);
    ::unlink(backup.c_str());
    const bool backedUp = ::rename(fileName.c_str(), backup.c_str()) == 0;
    if (::rename(temp.c_str(), fileName.c_str()) != 0) {
        const int error = errno;
        if (backedUp)
            ::rename(backup.c_str(), fileName.c_str());
        discard(error);
    }
}

} // namespace

std::string ReadWholeFile(const std::string& fileName, std::string_view failureTemplate) {
    Descriptor fd(::open(fileName.c_str(), O_RDONLY | O_CLOEXEC));
    struct stat info {};
    if (fd.get() < 0 || ::fstat(fd.get(), &info) != 0 || !S_ISREG(info.st_mode))
        throw ELangException::Format(failureTemplate, fileName);
    std::string bytes;
    bytes.resize(size_t(info.st_size));
    size_t done = 0;
    while (true) {
        if (done == bytes.size())
            bytes.resize(bytes.size() + 65536); // the file grew meanwhile
        const ssize_t n = ::read(fd.get(), bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            throw ELangException::Format(failureTemplate, fileName);
        if (n == 0)
            break;
        done += size_t(n);
    }
    bytes.resize(done);
    return bytes;
}

void WriteFileSafely(const std::string& fileName, std::string_view bytes) {
    namespace fs = std::filesystem;
    const fs::path target(fileName);
    std::string temp = (target.has_parent_path() ? target.parent_path() / "" : fs::path()).string() + "." +
                       target.filename().string() + ".XXXXXX";
    Descriptor fd(::mkstemp(temp.data()));
    if (fd.get() < 0)
        failed(fileName, errno);
    auto discard = [&](int error) {
        ::unlink(temp.c_str());
        failed(fileName, error);
    };
    size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd.get(), bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            discard(n < 0 ? errno : ENOSPC);
        done += size_t(n);
    }
    installWritten(fd, temp, fileName);
}

std::string CreateTemporaryBeside(const std::string& fileName) {
    namespace fs = std::filesystem;
    const fs::path target(fileName);
    std::string temp =
        (target.has_parent_path() ? target.parent_path() / "" : fs::path()).string() + "." +
        target.filename().string() + ".XXXXXX";
    Descriptor fd(::mkstemp(temp.data()));
    if (fd.get() < 0)
        failed(fileName, errno);
    if (fd.close() != 0) {
        const int error = errno;
        ::unlink(temp.c_str());
        failed(fileName, error);
    }
    return temp;
}

void InstallFileSafely(const std::string& temporaryName, const std::string& fileName) {
    Descriptor fd(::open(temporaryName.c_str(), O_RDWR | O_CLOEXEC));
    if (fd.get() < 0) {
        const int error = errno;
        ::unlink(temporaryName.c_str());
        failed(fileName, error);
    }
    installWritten(fd, temporaryName, fileName);
}

} // namespace vantelo

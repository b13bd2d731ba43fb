#include "replacing_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <vector>

namespace q36::exchange {

namespace {

std::string FolderOf(const std::string& path) {
    const auto slash = path.find_last_of('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

std::string NameOf(const std::string& path) {
    const auto slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

ExchangeStatus SystemFailure(ExchangeError code, int err, const std::string& path) {
    return ExchangeStatus::Error(code, DetailWithPath(SystemErrorText(err), path));
}

// The permissions a new file gets from the process's umask.
mode_t DefaultFileMode() {
    const mode_t mask = umask(0);
    umask(mask);
    return 0666 & ~mask;
}

}  // namespace

ReplacingFile::ReplacingFile(std::string target) : target_(std::move(target)) {}

ReplacingFile::~ReplacingFile() {
    Discard();
}

ExchangeStatus ReplacingFile::Create() {
    // A symbolic link keeps pointing where it did: the file it names is the one replaced.
    if (char* resolved = realpath(target_.c_str(), nullptr)) {
        target_ = resolved;
        std::free(resolved);
    }
    std::string pattern = FolderOf(target_) + "/." + NameOf(target_) + ".XXXXXX";
    std::vector<char> buffer(pattern.begin(), pattern.end());
    buffer.push_back('\0');
    fd_ = mkostemp(buffer.data(), O_CLOEXEC);
    if (fd_ < 0) return SystemFailure(ExchangeError::CannotCreate, errno, target_);
    tempPath_ = buffer.data();

    struct stat existing {};
    const mode_t mode =
        stat(target_.c_str(), &existing) == 0 ? (existing.st_mode & 07777) : DefaultFileMode();
    if (fchmod(fd_, mode) != 0) {
        const int err = errno;
        Discard();
        return SystemFailure(ExchangeError::CannotCreate, err, target_);
    }
    return ExchangeStatus::Ok();
}

ExchangeStatus ReplacingFile::Write(std::span<const uint8_t> bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd_, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return SystemFailure(ExchangeError::WriteFailed, n < 0 ? errno : EIO, target_);
        done += static_cast<std::size_t>(n);
    }
    return ExchangeStatus::Ok();
}

ExchangeStatus ReplacingFile::Commit() {
    if (fd_ < 0) return SystemFailure(ExchangeError::WriteFailed, EBADF, target_);
    if (fsync(fd_) != 0) return SystemFailure(ExchangeError::WriteFailed, errno, target_);
    const int fd = fd_;
    fd_ = -1;
    if (close(fd) != 0) return SystemFailure(ExchangeError::WriteFailed, errno, target_);
    if (rename(tempPath_.c_str(), target_.c_str()) != 0) {
        return SystemFailure(ExchangeError::WriteFailed, errno, target_);
    }
    committed_ = true;
    // The rename itself reaches the disk with the folder; a failure here loses nothing written.
    const int folder = open(FolderOf(target_).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folder >= 0) {
        fsync(folder);
        close(folder);
    }
    return ExchangeStatus::Ok();
}

void ReplacingFile::Discard() {
    if (fd_ >= 0) {
        close(fd_);
        fd_ = -1;
    }
    if (!committed_ && !tempPath_.empty()) {
        unlink(tempPath_.c_str());
        tempPath_.clear();
    }
}

ExchangeStatus SaveTextFile(const std::string& path, const std::string& text) {
    ReplacingFile file(path);
    ExchangeStatus status = file.Create();
    if (status.ok())
        status = file.Write(std::span(reinterpret_cast<const uint8_t*>(text.data()), text.size()));
    if (status.ok()) status = file.Commit();
    return status;
}

}  // namespace q36::exchange

#pragma once
// Owns one file descriptor and closes it when it goes out of scope.

#include <unistd.h>

#include <utility>

namespace q36 {

class UniqueFd {
  public:
    UniqueFd() = default;
    explicit UniqueFd(int fd) : fd_(fd) {}
    UniqueFd(UniqueFd&& other) noexcept : fd_(std::exchange(other.fd_, -1)) {}
    UniqueFd& operator=(UniqueFd&& other) noexcept {
        if (this != &other) Reset(std::exchange(other.fd_, -1));
        return *this;
    }
    UniqueFd(const UniqueFd&) = delete;
    UniqueFd& operator=(const UniqueFd&) = delete;
    ~UniqueFd() { Reset(); }

    // The descriptor, or -1.
    int Get() const { return fd_; }
    // True when a descriptor is held.
    bool Valid() const { return fd_ >= 0; }
    // Closes the held descriptor and takes fd instead.
    void Reset(int fd = -1) {
        if (fd_ >= 0) ::close(fd_);
        fd_ = fd;
    }

  private:
    int fd_ = -1;
};

}  // namespace q36

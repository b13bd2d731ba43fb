#pragma once
// A file written under a temporary name in its target's folder and renamed over the target only
// once it is complete, so that a failed write leaves an existing file as it was.

#include <cstdint>
#include <span>
#include <string>

#include "exchange_status.h"

namespace q36::exchange {

class ReplacingFile {
  public:
    explicit ReplacingFile(std::string target);
    ReplacingFile(const ReplacingFile&) = delete;
    ReplacingFile& operator=(const ReplacingFile&) = delete;
    // Removes the temporary file unless it was committed.
    ~ReplacingFile();

    // Creates the temporary file, with the permissions of the target it replaces.
    ExchangeStatus Create();
    // The temporary file's path, for writers that open files by name.
    const std::string& TempPath() const { return tempPath_; }
    // Writes all bytes at the current position of the temporary file.
    ExchangeStatus Write(std::span<const uint8_t> bytes);
    // Flushes the temporary file to the disk and renames it over the target.
    ExchangeStatus Commit();

  private:
    void Discard();

    std::string target_;
    std::string tempPath_;
    int fd_ = -1;
    bool committed_ = false;
};

// Writes text as the whole content of path through a replacing file.
ExchangeStatus SaveTextFile(const std::string& path, const std::string& text);

}  // namespace q36::exchange

#pragma once
// Read-only access to the parts of a zip archive held in memory, each part inflated within a
// size limit.

#include <cstdint>
#include <string>
#include <vector>

#include "exchange_status.h"

struct zip;

namespace q36::exchange {

class ZipArchive {
  public:
    ZipArchive() = default;
    ZipArchive(const ZipArchive&) = delete;
    ZipArchive& operator=(const ZipArchive&) = delete;
    ~ZipArchive();

    // Opens the archive in bytes (kept by the object). A failure's detail is the reason alone.
    ExchangeStatus Open(std::vector<uint8_t> bytes);
    // Whether the archive holds a part of this name (compared without regard to letter case).
    bool Contains(const std::string& name) const;
    // The inflated part; Damaged when missing or corrupt, TooLarge beyond MAX_ZIP_ENTRY_BYTES.
    ExchangeStatus Read(const std::string& name, std::string& content) const;

  private:
    std::vector<uint8_t> bytes_;
    zip* archive_ = nullptr;
};

}  // namespace q36::exchange

#pragma once
// The streams of an OLE2 compound file (the container of an .xls workbook) held in memory.
//
// The file is untrusted input: every sector it names is checked to lie whole inside the file,
// every chain of sectors is followed at most once around (a loop is an error), and nothing is
// set aside before the file's own bytes show it is there, so that a damaged header, allocation
// table or directory ends in an error value after a single pass over the file.

#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

#include "exchange_status.h"

namespace q36::exchange {

class CompoundFile {
  public:
    // Reads the header, the allocation tables and the directory of file, which must outlive
    // the object. A failure's detail is the reason alone.
    ExchangeStatus Open(std::span<const uint8_t> file);

    // Whether the root storage holds a stream of this (ASCII) name, compared without regard to
    // letter case as the format compares names.
    bool HasStream(std::string_view name) const;
    // The content of that stream.
    ExchangeStatus ReadStream(std::string_view name, std::vector<uint8_t>& stream) const;

  private:
    struct Entry {
        uint32_t start;
        uint64_t size;
    };
    // The directory entry of the root storage's stream of this name, or -1.
    int FindStream(std::string_view name) const;
    Entry EntryAt(std::size_t index) const;
    // The sectors of the chain that starts at first, in the table of next sectors; all of them
    // up to the chain's end, or only the first `wanted` when wanted is not zero.
    ExchangeStatus Chain(const std::vector<uint32_t>& next, uint32_t first, std::size_t wanted,
                         std::vector<uint32_t>& sectors) const;
    ExchangeStatus ReadRegular(const Entry& entry, std::vector<uint8_t>& out) const;
    ExchangeStatus ReadMini(const Entry& entry, std::vector<uint8_t>& out) const;
    std::span<const uint8_t> Sector(uint32_t sector) const;

    std::span<const uint8_t> file_;
    std::size_t sectorSize_ = 0;
    std::size_t sectorCount_ = 0;  // whole sectors in the file after the header
    bool version3_ = true;
    uint32_t miniCutoff_ = 0;
    uint32_t firstMiniFat_ = 0;
    std::vector<uint32_t> fat_;
    std::vector<uint8_t> directory_;
};

}  // namespace q36::exchange

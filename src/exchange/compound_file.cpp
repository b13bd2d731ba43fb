#include "compound_file.h"

#include <algorithm>
#include <cctype>
#include <cstring>

namespace q36::exchange {

namespace {

constexpr uint8_t kSignature[] = {0xD0, 0xCF, 0x11, 0xE0, 0xA1, 0xB1, 0x1A, 0xE1};
constexpr std::size_t kHeaderSize = 512;

// Header fields.
constexpr std::size_t kMajorVersionAt = 26;
constexpr std::size_t kByteOrderAt = 28;
constexpr std::size_t kSectorShiftAt = 30;
constexpr std::size_t kMiniSectorShiftAt = 32;
constexpr std::size_t kFatSectorsAt = 44;
constexpr std::size_t kFirstDirectorySectorAt = 48;
constexpr std::size_t kMiniCutoffAt = 56;
constexpr std::size_t kFirstMiniFatAt = 60;
constexpr std::size_t kFirstDifatSectorAt = 68;
constexpr std::size_t kHeaderDifatAt = 76;
constexpr std::size_t kHeaderDifatEntries = 109;

// Directory entry fields.
constexpr std::size_t kEntrySize = 128;
constexpr std::size_t kNameLengthAt = 64;
constexpr std::size_t kTypeAt = 66;
constexpr std::size_t kLeftAt = 68;
constexpr std::size_t kRightAt = 72;
constexpr std::size_t kChildAt = 76;
constexpr std::size_t kStartAt = 116;
constexpr std::size_t kSizeAt = 120;
constexpr uint8_t kStreamType = 2;
constexpr uint8_t kRootType = 5;

constexpr uint32_t kLastRegularSector = 0xFFFFFFFA;
constexpr uint32_t kEndOfChain = 0xFFFFFFFE;
constexpr uint32_t kNoEntry = 0xFFFFFFFF;
constexpr std::size_t kMiniSectorSize = 64;

uint16_t Le16(std::span<const uint8_t> b, std::size_t at) {
    return static_cast<uint16_t>(b[at] | (b[at + 1] << 8));
}

uint32_t Le32(std::span<const uint8_t> b, std::size_t at) {
    return Le16(b, at) | (static_cast<uint32_t>(Le16(b, at + 2)) << 16);
}

ExchangeStatus Damaged(const std::string& reason) {
    return ExchangeStatus::Error(ExchangeError::Damaged, "ole2: " + reason);
}

}  // namespace

ExchangeStatus CompoundFile::Open(std::span<const uint8_t> file) {
    file_ = file;
    if (file.size() < kHeaderSize || std::memcmp(file.data(), kSignature, sizeof kSignature) != 0) {
        return Damaged("no header");
    }
    const uint16_t major = Le16(file, kMajorVersionAt);
    const uint16_t shift = Le16(file, kSectorShiftAt);
    // Version 3 files have 512-byte sectors, version 4 files 4096-byte ones; mini sectors are
    // 64 bytes in both.
    if (Le16(file, kByteOrderAt) != 0xFFFE ||
        !((major == 3 && shift == 9) || (major == 4 && shift == 12)) ||
        Le16(file, kMiniSectorShiftAt) != 6) {
        return Damaged("unknown header form");
    }
    version3_ = major == 3;
    sectorSize_ = std::size_t{1} << shift;
    // The header takes the place of sector -1; a sector cut short at the end of the file is none.
    sectorCount_ = file.size() < sectorSize_ ? 0 : file.size() / sectorSize_ - 1;
    miniCutoff_ = Le32(file, kMiniCutoffAt);
    firstMiniFat_ = Le32(file, kFirstMiniFatAt);

    // The allocation table's sectors are listed in the header, then in a chain of list sectors
    // whose last entry names the next one.
    const uint32_t fatSectors = Le32(file, kFatSectorsAt);
    if (fatSectors > sectorCount_) return Damaged("more table sectors than the file holds");
    std::vector<uint32_t> fatList;
    for (std::size_t k = 0; k < kHeaderDifatEntries && fatList.size() < fatSectors; ++k) {
        fatList.push_back(Le32(file, kHeaderDifatAt + 4 * k));
    }
    const std::size_t perListSector = sectorSize_ / 4 - 1;
    uint32_t listSector = Le32(file, kFirstDifatSectorAt);
    for (std::size_t hops = 0; fatList.size() < fatSectors; ++hops) {
        if (listSector >= sectorCount_ || hops >= sectorCount_) {
            return Damaged("the list of table sectors is broken");
        }
        const auto list = Sector(listSector);
        for (std::size_t k = 0; k < perListSector && fatList.size() < fatSectors; ++k) {
            fatList.push_back(Le32(list, 4 * k));
        }
        listSector = Le32(list, 4 * perListSector);
    }
    fat_.clear();
    fat_.reserve(fatList.size() * (sectorSize_ / 4));
    for (const uint32_t sector : fatList) {
        if (sector >= sectorCount_) return Damaged("a table sector outside the file");
        const auto table = Sector(sector);
        for (std::size_t k = 0; k < sectorSize_ / 4; ++k) fat_.push_back(Le32(table, 4 * k));
    }

    std::vector<uint32_t> sectors;
    if (auto status = Chain(fat_, Le32(file, kFirstDirectorySectorAt), 0, sectors); !status.ok()) {
        return status;
    }
    directory_.clear();
    for (const uint32_t sector : sectors) {
        if (sector >= sectorCount_) return Damaged("a sector outside the file");
        const auto bytes = Sector(sector);
        directory_.insert(directory_.end(), bytes.begin(), bytes.end());
    }
    if (directory_.size() < kEntrySize || directory_[kTypeAt] != kRootType) {
        return Damaged("no root storage");
    }
    return ExchangeStatus::Ok();
}

std::span<const uint8_t> CompoundFile::Sector(uint32_t sector) const {
    return file_.subspan((static_cast<std::size_t>(sector) + 1) * sectorSize_, sectorSize_);
}

ExchangeStatus CompoundFile::Chain(const std::vector<uint32_t>& next, uint32_t first,
                                   std::size_t wanted, std::vector<uint32_t>& sectors) const {
    sectors.clear();
    std::vector<bool> seen(next.size());
    for (uint32_t sector = first; sector != kEndOfChain && (wanted == 0 || sectors.size() < wanted);
         sector = next[sector]) {
        if (sector > kLastRegularSector || sector >= next.size()) {
            return Damaged("a chain leaves its table");
        }
        if (seen[sector]) return Damaged("a chain runs in a loop");
        seen[sector] = true;
        sectors.push_back(sector);
    }
    if (sectors.size() < wanted) return Damaged("a stream is shorter than its size");
    return ExchangeStatus::Ok();
}

CompoundFile::Entry CompoundFile::EntryAt(std::size_t index) const {
    const std::span<const uint8_t> entry(directory_.data() + index * kEntrySize, kEntrySize);
    uint64_t size = Le32(entry, kSizeAt);
    // Version 3 files may leave anything in the high half of the size.
    if (!version3_) size |= static_cast<uint64_t>(Le32(entry, kSizeAt + 4)) << 32;
    return {Le32(entry, kStartAt), size};
}

int CompoundFile::FindStream(std::string_view name) const {
    const std::size_t count = directory_.size() / kEntrySize;
    // The root's children form a tree through their left and right links; each entry is
    // visited once, so a damaged directory whose links run in circles still ends.
    std::vector<bool> seen(count);
    std::vector<uint32_t> pending{Le32(directory_, kChildAt)};
    while (!pending.empty()) {
        const uint32_t index = pending.back();
        pending.pop_back();
        if (index == kNoEntry || index >= count || seen[index]) continue;
        seen[index] = true;
        const std::span<const uint8_t> entry(directory_.data() + index * kEntrySize, kEntrySize);
        pending.push_back(Le32(entry, kLeftAt));
        pending.push_back(Le32(entry, kRightAt));
        // The name's length in bytes counts its terminating zero.
        const std::size_t units = Le16(entry, kNameLengthAt) / 2;
        if (entry[kTypeAt] != kStreamType || units != name.size() + 1) continue;
        bool same = true;
        for (std::size_t k = 0; k < name.size() && same; ++k) {
            const uint16_t unit = Le16(entry, 2 * k);
            same = unit < 0x80 &&
                   std::toupper(unit) == std::toupper(static_cast<unsigned char>(name[k]));
        }
        if (same) return static_cast<int>(index);
    }
    return -1;
}

bool CompoundFile::HasStream(std::string_view name) const {
    return FindStream(name) >= 0;
}

ExchangeStatus CompoundFile::ReadStream(std::string_view name, std::vector<uint8_t>& stream) const {
    stream.clear();
    const int index = FindStream(name);
    if (index < 0) return Damaged("no stream " + std::string(name));
    const Entry entry = EntryAt(static_cast<std::size_t>(index));
    // No stream holds more than the file does.
    if (entry.size > file_.size()) return Damaged("a stream is larger than the file");
    return entry.size < miniCutoff_ ? ReadMini(entry, stream) : ReadRegular(entry, stream);
}

ExchangeStatus CompoundFile::ReadRegular(const Entry& entry, std::vector<uint8_t>& out) const {
    out.clear();
    if (entry.size == 0) return ExchangeStatus::Ok();
    std::vector<uint32_t> sectors;
    const std::size_t wanted = (entry.size + sectorSize_ - 1) / sectorSize_;
    if (auto status = Chain(fat_, entry.start, wanted, sectors); !status.ok()) return status;
    out.reserve(entry.size);
    for (const uint32_t sector : sectors) {
        if (sector >= sectorCount_) return Damaged("a sector outside the file");
        const auto bytes = Sector(sector).first(
            std::min(sectorSize_, static_cast<std::size_t>(entry.size) - out.size()));
        out.insert(out.end(), bytes.begin(), bytes.end());
    }
    return ExchangeStatus::Ok();
}

// Streams below the cutoff size live in 64-byte sectors inside the root storage's own stream,
// chained by the mini allocation table.
ExchangeStatus CompoundFile::ReadMini(const Entry& entry, std::vector<uint8_t>& out) const {
    out.clear();
    if (entry.size == 0) return ExchangeStatus::Ok();
    std::vector<uint32_t> sectors;
    if (auto status = Chain(fat_, firstMiniFat_, 0, sectors); !status.ok()) return status;
    std::vector<uint32_t> miniFat;
    for (const uint32_t sector : sectors) {
        if (sector >= sectorCount_) return Damaged("a sector outside the file");
        const auto table = Sector(sector);
        for (std::size_t k = 0; k < sectorSize_ / 4; ++k) miniFat.push_back(Le32(table, 4 * k));
    }
    std::vector<uint8_t> miniStream;
    const Entry root = EntryAt(0);
    if (root.size > file_.size()) return Damaged("a stream is larger than the file");
    if (auto status = ReadRegular(root, miniStream); !status.ok()) return status;

    const std::size_t wanted = (entry.size + kMiniSectorSize - 1) / kMiniSectorSize;
    if (auto status = Chain(miniFat, entry.start, wanted, sectors); !status.ok()) return status;
    out.reserve(entry.size);
    for (const uint32_t sector : sectors) {
        const std::size_t at = static_cast<std::size_t>(sector) * kMiniSectorSize;
        const std::size_t take =
            std::min(kMiniSectorSize, static_cast<std::size_t>(entry.size) - out.size());
        if (at + take > miniStream.size()) return Damaged("a mini sector outside its stream");
        out.insert(out.end(), miniStream.begin() + at, miniStream.begin() + at + take);
    }
    return ExchangeStatus::Ok();
}

}  // namespace q36::exchange

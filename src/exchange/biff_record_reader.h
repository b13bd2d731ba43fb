#pragma once
// Reading the record stream of an .xls workbook (BIFF5 and BIFF8): records of a 16-bit type and
// a 16-bit length, whose data may go on in CONTINUE records after them, and the fields and
// strings inside them. The stream is untrusted: every read is checked against the data there
// is, and a read beyond it gives zeros and marks the reader failed instead.

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace q36::exchange {

class CodepageText;

struct BiffRecord {
    uint16_t type = 0;
    // The record's data, then that of each CONTINUE record that follows it.
    std::vector<std::span<const uint8_t>> parts;
};

class BiffRecordReader {
  public:
    // Reads the records of stream from the record at offset.
    BiffRecordReader(std::span<const uint8_t> stream, std::size_t offset);
    // The next record; false at the end of the stream, or when the stream ends inside the
    // record (then Truncated()).
    bool Next(BiffRecord& record);
    bool Truncated() const { return truncated_; }

  private:
    std::span<const uint8_t> stream_;
    std::size_t at_;
    bool truncated_ = false;
};

// The fields of one record, read in order across its CONTINUE parts.
class BiffFieldReader {
  public:
    explicit BiffFieldReader(const BiffRecord& record) : parts_(record.parts) {}
    uint8_t U8();
    uint16_t U16();
    uint32_t U32();
    double F64();
    void Skip(std::size_t count);
    // A BIFF8 string as UTF-8: its character count (1 or 2 bytes wide), the flags byte, the
    // counts of its formatting runs and phonetic data when flagged, the characters (one byte
    // each, or UTF-16) and what the counts give. Where the characters go on in a CONTINUE part,
    // that part starts with a flags byte of its own. Unpaired surrogates become U+FFFD.
    std::string UnicodeString(int countBytes);
    // A BIFF5 string as UTF-8: its byte count (1 or 2 bytes wide) and the bytes in the
    // workbook's codepage.
    std::string ByteString(int countBytes, CodepageText& codepage);
    // Whether a read went beyond the record's data.
    bool Failed() const { return failed_; }

  private:
    bool Take(std::size_t count, uint8_t* out);
    std::size_t RoomInPart() const;

    const std::vector<std::span<const uint8_t>>& parts_;
    std::size_t part_ = 0;
    std::size_t at_ = 0;
    bool failed_ = false;
};

}  // namespace q36::exchange

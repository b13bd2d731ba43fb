#pragma once
// The BIFF8 record stream of an .xls workbook: little-endian records of a 16-bit type, a 16-bit
// length and at most 8224 bytes of data each.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace q36::exchange {

inline constexpr std::size_t BIFF_MAX_RECORD_DATA = 8224;

// The data of one record, built field by field.
class BiffPayload {
  public:
    BiffPayload& U8(uint8_t value);
    BiffPayload& U16(uint16_t value);
    BiffPayload& U32(uint32_t value);
    BiffPayload& F64(double value);
    BiffPayload& Bytes(const std::vector<uint8_t>& bytes);
    // UTF-16LE code units, no length or flags.
    BiffPayload& Utf16(const std::u16string& text);
    // A 16-bit count, the flags byte 1 (uncompressed) and the UTF-16 text (XLUnicodeString).
    BiffPayload& LongString(const std::u16string& text);
    // An 8-bit count, the flags byte 1 and the UTF-16 text (ShortXLUnicodeString).
    BiffPayload& ShortString(const std::u16string& text);
    // An 8-bit count, the flags byte 0 and one byte per character of an ASCII text.
    BiffPayload& ShortAscii(const std::string& text);
    // A 16-bit count, the flags byte 0 and one byte per character of an ASCII text.
    BiffPayload& LongAscii(const std::string& text);

    const std::vector<uint8_t>& Data() const { return data_; }
    std::size_t Size() const { return data_.size(); }

  private:
    std::vector<uint8_t> data_;
};

// Appends records to a byte stream and patches fields written before their value was known.
class BiffRecordWriter {
  public:
    // Appends one record; the payload must fit one record.
    void Record(uint16_t type, const BiffPayload& payload);
    // Appends a record with no data.
    void Record(uint16_t type);
    // Position of the next record in the stream.
    std::size_t Offset() const { return stream_.size(); }
    // Overwrites four bytes at a stream position.
    void PatchU32(std::size_t position, uint32_t value);

    const std::vector<uint8_t>& Stream() const { return stream_; }
    std::vector<uint8_t> TakeStream() { return std::move(stream_); }

  private:
    std::vector<uint8_t> stream_;
};

}  // namespace q36::exchange

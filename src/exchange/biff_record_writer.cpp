#include "biff_record_writer.h"

#include <bit>
#include <cstring>
#include <stdexcept>

namespace q36::exchange {

BiffPayload& BiffPayload::U8(uint8_t value) {
    data_.push_back(value);
    return *this;
}

BiffPayload& BiffPayload::U16(uint16_t value) {
    data_.push_back(static_cast<uint8_t>(value & 0xFF));
    data_.push_back(static_cast<uint8_t>(value >> 8));
    return *this;
}

BiffPayload& BiffPayload::U32(uint32_t value) {
    U16(static_cast<uint16_t>(value & 0xFFFF));
    return U16(static_cast<uint16_t>(value >> 16));
}

BiffPayload& BiffPayload::F64(double value) {
    const auto bits = std::bit_cast<uint64_t>(value);
    U32(static_cast<uint32_t>(bits & 0xFFFFFFFFu));
    return U32(static_cast<uint32_t>(bits >> 32));
}

BiffPayload& BiffPayload::Bytes(const std::vector<uint8_t>& bytes) {
    data_.insert(data_.end(), bytes.begin(), bytes.end());
    return *this;
}

BiffPayload& BiffPayload::Utf16(const std::u16string& text) {
    for (char16_t unit : text) U16(static_cast<uint16_t>(unit));
    return *this;
}

BiffPayload& BiffPayload::LongString(const std::u16string& text) {
    U16(static_cast<uint16_t>(text.size()));
    U8(0x01);
    return Utf16(text);
}

BiffPayload& BiffPayload::ShortString(const std::u16string& text) {
    U8(static_cast<uint8_t>(text.size()));
    U8(0x01);
    return Utf16(text);
}

BiffPayload& BiffPayload::ShortAscii(const std::string& text) {
    U8(static_cast<uint8_t>(text.size()));
    U8(0x00);
    data_.insert(data_.end(), text.begin(), text.end());
    return *this;
}

BiffPayload& BiffPayload::LongAscii(const std::string& text) {
    U16(static_cast<uint16_t>(text.size()));
    U8(0x00);
    data_.insert(data_.end(), text.begin(), text.end());
    return *this;
}

void BiffRecordWriter::Record(uint16_t type, const BiffPayload& payload) {
    if (payload.Size() > BIFF_MAX_RECORD_DATA) throw std::length_error("BIFF record too long");
    BiffPayload header;
    header.U16(type).U16(static_cast<uint16_t>(payload.Size()));
    stream_.insert(stream_.end(), header.Data().begin(), header.Data().end());
    stream_.insert(stream_.end(), payload.Data().begin(), payload.Data().end());
}

void BiffRecordWriter::Record(uint16_t type) {
    Record(type, BiffPayload());
}

void BiffRecordWriter::PatchU32(std::size_t position, uint32_t value) {
    for (int k = 0; k < 4; ++k) stream_.at(position + k) = static_cast<uint8_t>(value >> (8 * k));
}

}  // namespace q36::exchange

#include "biff_record_reader.h"

#include <bit>
#include <cstring>

#include "codepage_text.h"
#include "text_forms.h"

namespace q36::exchange {

namespace {

constexpr uint16_t kContinue = 0x003C;
constexpr std::size_t kHeader = 4;

uint16_t Le16(std::span<const uint8_t> b, std::size_t at) {
    return static_cast<uint16_t>(b[at] | (b[at + 1] << 8));
}

void AppendUtf16(std::string& out, const std::u16string& units) {
    for (std::size_t k = 0; k < units.size(); ++k) {
        const char32_t unit = units[k];
        const bool high = unit >= 0xD800 && unit <= 0xDBFF;
        if (high && k + 1 < units.size() && units[k + 1] >= 0xDC00 && units[k + 1] <= 0xDFFF) {
            AppendUtf8(out, 0x10000 + ((unit - 0xD800) << 10) + (units[++k] - 0xDC00));
        } else {
            AppendUtf8(out, unit);  // a lone surrogate becomes U+FFFD there
        }
    }
}

}  // namespace

BiffRecordReader::BiffRecordReader(std::span<const uint8_t> stream, std::size_t offset)
    : stream_(stream), at_(offset) {}

bool BiffRecordReader::Next(BiffRecord& record) {
    record.parts.clear();
    // Fewer bytes than a header: the stream's padding after its last record.
    if (at_ > stream_.size() || stream_.size() - at_ < kHeader) return false;
    record.type = Le16(stream_, at_);
    do {
        const std::size_t length = Le16(stream_, at_ + 2);
        if (stream_.size() - at_ - kHeader < length) {
            truncated_ = true;
            return false;
        }
        record.parts.push_back(stream_.subspan(at_ + kHeader, length));
        at_ += kHeader + length;
    } while (stream_.size() - at_ >= kHeader && Le16(stream_, at_) == kContinue);
    return true;
}

std::size_t BiffFieldReader::RoomInPart() const {
    return part_ < parts_.size() ? parts_[part_].size() - at_ : 0;
}

bool BiffFieldReader::Take(std::size_t count, uint8_t* out) {
    while (count > 0 && !failed_) {
        if (RoomInPart() == 0) {
            if (part_ + 1 >= parts_.size()) {
                failed_ = true;
                break;
            }
            ++part_;
            at_ = 0;
            continue;
        }
        const std::size_t n = std::min(count, RoomInPart());
        if (out) {
            std::memcpy(out, parts_[part_].data() + at_, n);
            out += n;
        }
        at_ += n;
        count -= n;
    }
    return !failed_;
}

uint8_t BiffFieldReader::U8() {
    uint8_t b = 0;
    return Take(1, &b) ? b : 0;
}

uint16_t BiffFieldReader::U16() {
    uint8_t b[2] = {};
    return Take(2, b) ? static_cast<uint16_t>(b[0] | (b[1] << 8)) : 0;
}

uint32_t BiffFieldReader::U32() {
    const uint32_t low = U16();
    return low | (static_cast<uint32_t>(U16()) << 16);
}

double BiffFieldReader::F64() {
    const uint64_t low = U32();
    return std::bit_cast<double>(low | (static_cast<uint64_t>(U32()) << 32));
}

void BiffFieldReader::Skip(std::size_t count) {
    Take(count, nullptr);
}

std::string BiffFieldReader::UnicodeString(int countBytes) {
    const std::size_t count = countBytes == 1 ? U8() : U16();
    const uint8_t flags = U8();
    const std::size_t runs = flags & 0x08 ? U16() : 0;
    const std::size_t phonetic = flags & 0x04 ? U32() : 0;
    bool wide = flags & 0x01;
    std::u16string units;
    while (units.size() < count && !failed_) {
        // Characters that go on in the next part: it starts with their flags again. A lone
        // byte left over in this part is no character.
        if (RoomInPart() < (wide ? 2u : 1u)) {
            if (part_ + 1 >= parts_.size()) {
                failed_ = true;
                break;
            }
            ++part_;
            at_ = 0;
            wide = U8() & 0x01;
            continue;
        }
        units.push_back(wide ? static_cast<char16_t>(U16()) : static_cast<char16_t>(U8()));
    }
    Skip(4 * runs);
    Skip(phonetic);
    std::string text;
    if (!failed_) AppendUtf16(text, units);
    return text;
}

std::string BiffFieldReader::ByteString(int countBytes, CodepageText& codepage) {
    const std::size_t count = countBytes == 1 ? U8() : U16();
    std::vector<uint8_t> bytes(count);
    if (!Take(count, bytes.data())) return {};
    return codepage.Decode(bytes);
}

}  // namespace q36::exchange

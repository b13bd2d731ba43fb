#include "biff_string_table.h"

#include <algorithm>

namespace q36::exchange {

namespace {

constexpr uint16_t kSst = 0x00FC;
constexpr uint16_t kContinue = 0x003C;
constexpr uint16_t kExtSst = 0x00FF;
constexpr std::size_t kRecordHeader = 4;
constexpr std::size_t kStringHeader = 3;  // 16-bit count and the flags byte
constexpr uint8_t kUtf16Flags = 0x01;

// Where the first string of an EXTSST bucket starts.
struct BucketStart {
    uint32_t streamOffset;  // of the string's header in the workbook stream
    uint16_t recordOffset;  // of the string's header from the start of its record's header
};

}  // namespace

uint32_t BiffStringTable::Add(const std::u16string& text) {
    ++references_;
    const auto [it, inserted] = index_.try_emplace(text, static_cast<uint32_t>(strings_.size()));
    if (inserted) strings_.push_back(text);
    return it->second;
}

// A string may span records: its header stays whole in one record, and each CONTINUE record
// that carries the rest of its characters starts with the flags byte again.
void BiffStringTable::Write(BiffRecordWriter& out) const {
    const std::size_t bucketSize = std::max<std::size_t>(8, strings_.size() / 128 + 1);
    std::vector<BucketStart> buckets;

    std::vector<BiffPayload> records(1);
    records[0].U32(references_).U32(static_cast<uint32_t>(strings_.size()));
    std::size_t recordStart = out.Offset();  // stream position of the current record's header

    auto startContinue = [&]() {
        recordStart += kRecordHeader + records.back().Size();
        records.emplace_back();
    };
    auto room = [&]() { return BIFF_MAX_RECORD_DATA - records.back().Size(); };

    for (std::size_t i = 0; i < strings_.size(); ++i) {
        const std::u16string& text = strings_[i];
        // The header and at least one character (or the whole empty string) in this record.
        if (room() < kStringHeader + (text.empty() ? 0 : 2)) startContinue();
        if (i % bucketSize == 0) {
            const std::size_t inRecord = kRecordHeader + records.back().Size();
            buckets.push_back(
                {static_cast<uint32_t>(recordStart + inRecord), static_cast<uint16_t>(inRecord)});
        }
        records.back().U16(static_cast<uint16_t>(text.size())).U8(kUtf16Flags);
        std::size_t done = 0;
        while (done < text.size()) {
            std::size_t fit = std::min(room() / 2, text.size() - done);
            if (fit == 0) {
                startContinue();
                records.back().U8(kUtf16Flags);
                continue;
            }
            records.back().Utf16(text.substr(done, fit));
            done += fit;
        }
    }

    out.Record(kSst, records[0]);
    for (std::size_t r = 1; r < records.size(); ++r) out.Record(kContinue, records[r]);

    BiffPayload ext;
    ext.U16(static_cast<uint16_t>(bucketSize));
    for (const auto& bucket : buckets) ext.U32(bucket.streamOffset).U16(bucket.recordOffset).U16(0);
    out.Record(kExtSst, ext);
}

}  // namespace q36::exchange

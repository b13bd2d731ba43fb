// The record layer of the .xls writer: record framing, the string table split over CONTINUE
// records, and its EXTSST index pointing at the strings it claims to.

#include <gtest/gtest.h>

#include "exchange/biff_record_writer.h"
#include "exchange/biff_string_table.h"

namespace q36::exchange {
namespace {

struct RawRecord {
    std::size_t offset;
    uint16_t type;
    std::vector<uint8_t> data;
};

uint16_t Le16(const std::vector<uint8_t>& b, std::size_t at) {
    return static_cast<uint16_t>(b.at(at) | (b.at(at + 1) << 8));
}
uint32_t Le32(const std::vector<uint8_t>& b, std::size_t at) {
    return Le16(b, at) | (static_cast<uint32_t>(Le16(b, at + 2)) << 16);
}

std::vector<RawRecord> Records(const std::vector<uint8_t>& stream) {
    std::vector<RawRecord> records;
    for (std::size_t at = 0; at < stream.size();) {
        const uint16_t length = Le16(stream, at + 2);
        records.push_back({at, Le16(stream, at),
                           std::vector<uint8_t>(stream.begin() + long(at + 4),
                                                stream.begin() + long(at + 4 + length))});
        at += 4 + length;
    }
    return records;
}

// Reads the SST back the way a reader must: strings continue across CONTINUE records, each
// continuation starting with a fresh flags byte.
std::vector<std::u16string> DecodeSst(const std::vector<RawRecord>& records) {
    std::vector<uint8_t> joined;
    std::vector<std::size_t> starts;  // offset in joined where each record's data begins
    for (const auto& r : records) {
        if (r.type != 0x00FC && r.type != 0x003C) continue;
        starts.push_back(joined.size());
        joined.insert(joined.end(), r.data.begin(), r.data.end());
    }
    auto isRecordStart = [&](std::size_t at) {
        return std::find(starts.begin() + 1, starts.end(), at) != starts.end();
    };
    const uint32_t unique = Le32(joined, 4);
    std::vector<std::u16string> strings;
    std::size_t at = 8;
    for (uint32_t k = 0; k < unique; ++k) {
        const uint16_t count = Le16(joined, at);
        EXPECT_EQ(joined.at(at + 2), 1) << "string " << k;
        at += 3;
        std::u16string text;
        while (text.size() < count) {
            if (isRecordStart(at)) {
                EXPECT_EQ(joined.at(at), 1) << "continuation flags of string " << k;
                ++at;
            }
            text.push_back(static_cast<char16_t>(Le16(joined, at)));
            at += 2;
        }
        strings.push_back(text);
    }
    EXPECT_EQ(at, joined.size());
    return strings;
}

TEST(BiffRecordWriter, FramesRecordsAndPatchesFields) {
    BiffRecordWriter out;
    out.Record(0x0809, BiffPayload().U16(0x0600).U32(0));
    const std::size_t field = out.Offset() + 4;
    out.Record(0x0085, BiffPayload().U32(0).ShortString(u"表"));
    out.Record(0x000A);
    out.PatchU32(field, 0x11223344);
    const std::vector<uint8_t> expected{0x09, 0x08, 6,    0,    0x00, 0x06, 0,    0,    0,
                                        0,    0x85, 0x00, 8,    0,    0x44, 0x33, 0x22, 0x11,
                                        1,    1,    0x68, 0x88, 0x0A, 0x00, 0,    0};
    EXPECT_EQ(out.Stream(), expected);
    EXPECT_THROW(out.Record(1, BiffPayload().Bytes(std::vector<uint8_t>(8225))), std::length_error);
}

TEST(BiffStringTable, SplitsStringsAcrossContinueRecordsAndIndexesThem) {
    BiffStringTable table;
    std::vector<std::u16string> texts;
    for (int k = 0; k < 900; ++k) {
        // Varied lengths, so that strings end at many positions within a record.
        const std::string digits = std::to_string(k);
        texts.push_back(std::u16string(static_cast<std::size_t>(k % 37), u'信') +
                        std::u16string(digits.begin(), digits.end()));
    }
    texts.push_back(std::u16string(20000, u'长'));  // longer than three records
    texts.push_back(u"");
    for (const auto& t : texts) table.Add(t);
    EXPECT_EQ(table.Add(texts[5]), 5u);  // a repeated text keeps its index
    EXPECT_EQ(table.References(), texts.size() + 1);

    BiffRecordWriter out;
    out.Record(0x0809, BiffPayload().U32(0));  // something before, so offsets are not zero
    table.Write(out);
    const std::vector<uint8_t>& stream = out.Stream();
    const std::vector<RawRecord> records = Records(stream);
    for (const auto& r : records) EXPECT_LE(r.data.size(), BIFF_MAX_RECORD_DATA);
    EXPECT_GT(std::count_if(records.begin(), records.end(), [](auto& r) { return r.type == 0x3C; }),
              2);
    EXPECT_EQ(DecodeSst(records), texts);

    const RawRecord& ext = records.back();
    ASSERT_EQ(ext.type, 0x00FF);
    const uint16_t perBucket = Le16(ext.data, 0);
    EXPECT_GE(perBucket, 8);
    const std::size_t buckets = (ext.data.size() - 2) / 8;
    EXPECT_EQ(buckets, (texts.size() + perBucket - 1) / perBucket);
    for (std::size_t b = 0; b < buckets; ++b) {
        const uint32_t streamOffset = Le32(ext.data, 2 + 8 * b);
        const uint16_t inRecord = Le16(ext.data, 6 + 8 * b);
        const std::size_t recordStart = streamOffset - inRecord;
        const bool startsRecord = std::any_of(records.begin(), records.end(), [&](auto& r) {
            return r.offset == recordStart && (r.type == 0xFC || r.type == 0x3C);
        });
        EXPECT_TRUE(startsRecord) << "bucket " << b;
        EXPECT_EQ(Le16(stream, streamOffset), texts[b * perBucket].size()) << "bucket " << b;
    }
}

}  // namespace
}  // namespace q36::exchange

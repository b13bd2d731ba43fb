#include "store_checks.h"

#include <gtest/gtest.h>

#include "codec/frequency.h"
#include "protocol/frame.h"
#include "store/store_transfer_data.h"
#include "text/language.h"

namespace q36::test {

namespace {

auto Fields(const ChannelResult& r) {
    return std::tie(r.CHANNELNO, r.ENABLED, r.VOX, r.FTX, r.FTONE, r.SDATA, r.TXPOWER,
                    r.REFREQUENCY, r.RETONE, r.REDATA, r.LEVEL, r.BW, r.ADDSCAN, r.BUSY);
}

std::vector<uint8_t> ReadFrame(const DataBlock& block) {
    return BuildFrame(CMD_READ_DATA, block);
}

bool Complete(const StoreSnapshot& s) {
    return s.error.empty() && s.channels.size() == std::size_t(CHANNEL_COUNT) &&
           s.scans.size() == std::size_t(SCAN_LIST_COUNT);
}

}  // namespace

RadioImage DistinctImage() {
    RadioImage image = DefaultRadioImage(400, 440);
    DataBlock& common = image.Block(BLOCK_COMMON, 0);
    common[common_layout::LowAlarm] = 4;
    common[common_layout::Tot] = 120;
    common[common_layout::AniMode] = 2;
    common[common_layout::LostTime] = 20;
    for (int i = 0; i < CHANNEL_COUNT; ++i) {
        DataBlock& b = image.Block(BLOCK_CHANNEL, i);
        PutUnits24(&b[channel_layout::RxFrequency], uint32_t(401 + i) * FREQ_UNITS_PER_MHZ + 100);
        PutUnits24(&b[channel_layout::TxFrequency], uint32_t(406 + i) * FREQ_UNITS_PER_MHZ + 100);
        b[channel_layout::FlagsA] = uint8_t(0x01 | (i % 2 ? 0x02 : 0x08));
        b[channel_layout::FlagsB] = uint8_t((i % 3) << 2);
        b[channel_layout::Level] = uint8_t(i % 9);
    }
    for (int j = 0; j < SCAN_LIST_COUNT; ++j) {
        DataBlock& b = image.Block(BLOCK_SCAN, j);
        for (int s = 0; s < SCAN_SLOT_COUNT; ++s)
            b[SCAN_SLOTS_OFFSET + s] = uint8_t((j * 5 + s) % 24);
    }
    return image;
}

std::string FrameSummary(const std::vector<std::vector<uint8_t>>& frames) {
    std::vector<std::string> tokens;
    int acks = 0;
    std::string runKind;  // "CH" or "SL" while a run of consecutive blocks is open
    int runFirst = 0, runLast = 0;
    auto flush = [&] {
        if (acks > 0) tokens.push_back(acks == 1 ? "ACK" : "ACKx" + std::to_string(acks));
        acks = 0;
        if (!runKind.empty()) {
            tokens.push_back(runKind + std::to_string(runFirst) +
                             (runLast > runFirst ? "-" + std::to_string(runLast) : ""));
        }
        runKind.clear();
    };
    for (const auto& frame : frames) {
        const uint8_t command = frame.at(FRAME_COMMAND_OFFSET);
        const uint8_t first = frame.size() > 4 ? frame[4] : 0;
        if (command == CMD_STATUS && first == ST_OK) {
            if (!runKind.empty()) flush();
            ++acks;
            continue;
        }
        if (command == CMD_WRITE_DATA && first != BLOCK_COMMON) {
            const std::string kind = first == BLOCK_CHANNEL ? "CH" : "SL";
            const int number = frame.at(5) + 1;
            if (acks == 0 && kind == runKind && number == runLast + 1) {
                runLast = number;
                continue;
            }
            flush();
            runKind = kind;
            runFirst = runLast = number;
            continue;
        }
        flush();
        switch (command) {
            case CMD_HANDSHAKE:
                tokens.push_back("HS");
                break;
            case CMD_READ_REQUEST:
                tokens.push_back("RQ" + std::to_string(first));
                break;
            case CMD_STATUS:
                tokens.push_back("ST" + std::to_string(first));
                break;
            case CMD_WRITE_DATA:
                tokens.push_back("C");
                break;
            default:
                tokens.push_back("?" + std::to_string(command));
                break;
        }
    }
    flush();
    std::string text;
    for (const auto& token : tokens) text += (text.empty() ? "" : " ") + token;
    return text;
}

StoreSnapshot ReadStore(const std::string& path) {
    StoreSnapshot snapshot;
    Connection connection;
    if (StoreResult opened = connection.Open(path); !opened.ok()) {
        snapshot.error = opened.detail;
        return snapshot;
    }
    StoreTransferData host(connection, q36::LANGUAGE_CHINESE);
    for (const StoreResult& status :
         {host.LoadChannelRows(snapshot.channels), host.ReadCommonPage(snapshot.page),
          host.FillScanArr(snapshot.scans)}) {
        if (!status.ok()) snapshot.error = status.detail;
    }
    return snapshot;
}

void ExpectReadStored(const StoreSnapshot& before, const StoreSnapshot& after,
                      const RadioImage& image, const Accepted& accepted) {
    ASSERT_TRUE(Complete(before)) << before.error;
    ASSERT_TRUE(Complete(after)) << after.error;
    CommonPage readPage = before.page;
    if (accepted.common) DecodeCommonFrame(ReadFrame(image.Block(BLOCK_COMMON, 0)), true, readPage);
    EXPECT_EQ(after.page, readPage) << "common parameters";
    for (int n = 1; n <= CHANNEL_COUNT; ++n) {
        const ChannelResult& stored = after.channels[std::size_t(n - 1)];
        if (n <= accepted.channels) {
            EXPECT_EQ(EncodeChannelBlock(n, stored, 400, 440, q36::LANGUAGE_CHINESE).value(),
                      image.Block(BLOCK_CHANNEL, n - 1))
                << "channel " << n << " was not stored as read";
        } else {
            EXPECT_EQ(Fields(stored), Fields(before.channels[std::size_t(n - 1)]))
                << "channel " << n << " changed although it was not accepted";
        }
    }
    for (int j = 1; j <= SCAN_LIST_COUNT; ++j) {
        const auto expected = j <= accepted.scans
                                  ? DecodeScanFrame(ReadFrame(image.Block(BLOCK_SCAN, j - 1))).slots
                                  : before.scans[std::size_t(j - 1)].slots;
        EXPECT_EQ(after.scans[std::size_t(j - 1)].slots, expected) << "scan list " << j;
    }
}

void ExpectWritten(const StoreSnapshot& before, const StoreSnapshot& after,
                   const RadioImage& original, const RadioImage& written,
                   const Accepted& accepted) {
    ASSERT_TRUE(Complete(before)) << before.error;
    ASSERT_TRUE(Complete(after)) << after.error;
    EXPECT_EQ(after.page, before.page);
    for (std::size_t k = 0; k < std::size_t(CHANNEL_COUNT); ++k) {
        EXPECT_EQ(Fields(after.channels[k]), Fields(before.channels[k]))
            << "store channel " << k + 1;
    }
    for (std::size_t k = 0; k < std::size_t(SCAN_LIST_COUNT); ++k) {
        EXPECT_EQ(after.scans[k].slots, before.scans[k].slots) << "store scan list " << k + 1;
    }
    EXPECT_EQ(written.Block(BLOCK_COMMON, 0), accepted.common
                                                  ? EncodeCommonBlock(before.page, true).value()
                                                  : original.Block(BLOCK_COMMON, 0))
        << "common block in the radio";
    for (int n = 1; n <= CHANNEL_COUNT; ++n) {
        EXPECT_EQ(written.Block(BLOCK_CHANNEL, n - 1),
                  n <= accepted.channels
                      ? EncodeChannelBlock(n, before.channels[std::size_t(n - 1)], 400, 440,
                                           q36::LANGUAGE_CHINESE)
                            .value()
                      : original.Block(BLOCK_CHANNEL, n - 1))
            << "channel " << n << " in the radio";
    }
    for (int j = 1; j <= SCAN_LIST_COUNT; ++j) {
        EXPECT_EQ(written.Block(BLOCK_SCAN, j - 1),
                  j <= accepted.scans ? EncodeScanBlock(j, before.scans[std::size_t(j - 1)])
                                      : original.Block(BLOCK_SCAN, j - 1))
            << "scan list " << j << " in the radio";
    }
}

}  // namespace q36::test
